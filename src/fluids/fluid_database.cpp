#include "fluids/fluid_database.h"

#include "platform/forms/ui_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"
#include "units/file_messages.h"
#include "units/physical_limits.h"
#include "units/texts.h"

namespace fluiddb {

namespace {

const QString kTitle = QStringLiteral("Quendra");

void report(const QString &key, const DbError &error)
{
    const int Sprache = shared().Sprache;
    const QString file = error.file().isEmpty() ? databasePath() : error.file();
    uiServices().messageBox(fileFailureMessage(key, file, failureReason(error, Sprache), Sprache), MsgButtons::OK,
                            MsgIcon::Exclamation, kTitle);
}

} // namespace

QString tableName(const QString &base, int Sprache)
{
    static const char *const suffixes[] = {"_d", "_e", "_f", "_i", "_s", "_cz"};
    if (Sprache < 0 || Sprache > 5)
        return QString();
    return base + QLatin1String(suffixes[Sprache]);
}

QString databasePath()
{
    return dataFile(QStringLiteral("dbStoffdaten.mdb"));
}

void open(const QString &base, int Sprache, const QStringList &columns, std::shared_ptr<Database> &db,
          std::unique_ptr<Recordset> &rs)
{
    const QString path = databasePath();
    const QString table = tableName(base, Sprache);
    if (table.isEmpty())
        throw DbError(DbError::Kind::NoSuchTable, path, base,
                      QStringLiteral("no table for the screen language %1").arg(Sprache));
    std::shared_ptr<Database> opened = Database::open(path);
    std::unique_ptr<Recordset> cursor = opened->openTable(table);
    for (const QString &column : columns) {
        if (!cursor->hasField(column))
            throw DbError(DbError::Kind::NoSuchColumn, path, table,
                          QStringLiteral("the column %1 is missing").arg(column))
                .inColumn(column);
    }
    rs = std::move(cursor);
    db = std::move(opened);
}

void loadTable(const QString &base, const QStringList &columns, std::shared_ptr<Database> &db,
               std::unique_ptr<Recordset> &rs, const std::function<void()> &fill)
{
    // A damaged file gives way to the seed's copy; the user's own substances stay in the file kept aside. A
    // language without a table is not the file's fault.
    try {
        if (tableName(base, shared().Sprache).isEmpty())
            open(base, shared().Sprache, columns, db, rs);
        openRecovering(
            databasePath(),
            {QStringLiteral("Die Stoffdatenbank kann nicht geöffnet werden:"),
             QStringLiteral("An ihre Stelle tritt eine neue Kopie der mitgelieferten Datei."),
             QStringLiteral("Selbst angelegte Stoffe stehen nur in der aufbewahrten Datei.")},
            [&] { open(base, shared().Sprache, columns, db, rs); },
            [&] {
                rs.reset();
                db.reset();
            },
            [](const QString &text) {
                uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, kTitle);
            });
    } catch (const DbError &e) {
        rs.reset();
        db.reset();
        reportOpenFailure(e);
        return;
    } catch (const std::exception &e) {
        rs.reset();
        db.reset();
        uiServices().messageBox(fileFailureMessage(QStringLiteral("Die Stoffdatenbank kann nicht geöffnet werden:"),
                                                   databasePath(), failureReason(e, shared().Sprache),
                                                   shared().Sprache),
                                MsgButtons::OK, MsgIcon::Exclamation, kTitle);
        return;
    }
    try {
        purge(*rs);
    } catch (const DbError &e) {
        // The dialog still opens; a record without a name is just not listed.
        reportWriteFailure(e);
    }
    try {
        fill();
    } catch (const DbError &e) {
        rs.reset();
        db.reset();
        reportOpenFailure(e);
    }
}

void purge(Recordset &rs)
{
    rs.moveFirst();
    for (long step = 0; !rs.eof() && step < kStepLimit; ++step) {
        if (rs.field(QStringLiteral("SUBSTANZ")).isNull())
            rs.deleteRecord();
        rs.moveNext();
    }
}

bool findByName(Recordset &rs, const QString &name)
{
    rs.moveFirst();
    for (long step = 0; !rs.eof() && step < kStepLimit; ++step) {
        const Variant substanz = rs.field(QStringLiteral("SUBSTANZ"));
        if (!substanz.isNull() && substanz.toString() == name)
            return true;
        rs.moveNext();
    }
    return false;
}

bool numbersPresent(const Recordset &rs, const QStringList &columns)
{
    for (const QString &column : columns) {
        if (!rs.field(column).isNumeric())
            return false;
    }
    return true;
}

bool idealGasPossible(const Variant &Kappa, const Variant &RHON, const Variant &RHOUNIT)
{
    if (!Kappa.isNumeric() || !RHON.isNumeric() || !RHOUNIT.isNumeric())
        return false;
    const double unit = RHOUNIT.toDouble();
    return (unit == 0 || unit == 1) && physical::isValidKappa(Kappa.toDouble()) &&
           physical::isValidDensity(RHON.toDouble());
}

void reportOpenFailure(const DbError &error)
{
    report(QStringLiteral("Die Stoffdatenbank kann nicht geöffnet werden:"), error);
}

void reportWriteFailure(const DbError &error)
{
    report(QStringLiteral("Die Stoffdatenbank kann nicht geändert werden:"), error);
}

void reportDuplicate()
{
    uiServices().messageBox(getText(QStringLiteral("Medium bereits vorhanden!"), shared().Sprache), MsgButtons::OK,
                            MsgIcon::None, kTitle);
}

} // namespace fluiddb
