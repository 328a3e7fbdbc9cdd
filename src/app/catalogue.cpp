#include "app/catalogue.h"

#include "engine/candidate_table.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"
#include "units/texts.h"

#include <exception>

namespace {

const QString kFile = QStringLiteral("dbKenndaten.mdb");

// The tables the series menu, the project files and the user-defined valve name.
QStringList seriesTables()
{
    QStringList tables;
    for (const auto &[code, name] : valveSeriesNames())
        tables << code;
    tables << QStringLiteral("9999");
    return tables;
}

void requireTable(const Database &db, const QString &table)
{
    if (!db.hasTable(table))
        db.fail(DbError::Kind::NoSuchTable, table, QStringLiteral("the table is missing"));
    const QStringList present = db.columnNames(table);
    for (const QString &column : candidates::workTableColumns())
        if (!present.contains(column, Qt::CaseInsensitive))
            db.fail(DbError::Kind::NoSuchColumn, table, QStringLiteral("the column \"%1\" is missing").arg(column));
}

} // namespace

void checkCatalogue(Database &db)
{
    db.checkStructure();
    requireTable(db, QStringLiteral("_aktuell"));
    for (const QString &table : seriesTables()) {
        requireTable(db, table);
        if (!db.indexNames(table).contains(table, Qt::CaseInsensitive))
            db.fail(DbError::Kind::NoSuchIndex, table, QStringLiteral("the index \"%1\" is missing").arg(table));
        // A series without a single valve has nothing to size, as if its table were gone.
        if (db.openTable(table, Database::Rows::First)->eof())
            db.fail(DbError::Kind::NoCurrentRecord, table, QStringLiteral("the table holds no valve"),
                    FileProblem::Damaged);
    }
}

OpenedCatalogue openCatalogue(const QString &Ventiltyp, const std::function<void(const QString &)> &tell)
{
    SharedData &d = shared();
    const QString path = dataFile(kFile);
    const bool hadHandles = d.dbKenndaten != nullptr;
    bool released = false;
    std::shared_ptr<Database> db;
    try {
        openRecovering(
            path,
            {QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:"),
             QStringLiteral("An ihre Stelle tritt eine neue Kopie der mitgelieferten Datei."),
             QStringLiteral("Das benutzerdefinierte Ventil 9999 mit Ihren Werten steht nur in der aufbewahrten Datei.")},
            [&] {
                db.reset();
                db = Database::open(path);
                checkCatalogue(*db);
            },
            [&] {
                released = true;
                db.reset();
                // The old table goes before the database it was opened on.
                d.rsVentil.reset();
                d.dbKenndaten.reset();
            },
            tell);
        // Every series has its table now; a key of none is no fault of the file.
        std::shared_ptr<Recordset> rs = db->openTable(Ventiltyp);
        rs->setIndex(Ventiltyp);
        return {db, rs};
    } catch (...) {
        db.reset();
        if (released && hadHandles)
            reopenSharedCatalogue();
        throw;
    }
}

void takeCatalogue(OpenedCatalogue &&catalogue)
{
    SharedData &d = shared();
    // The old table goes before the database it was opened on.
    d.rsVentil.reset();
    d.dbKenndaten = std::move(catalogue.db);
    d.rsVentil = std::move(catalogue.rsVentil);
}

void reopenSharedCatalogue()
{
    SharedData &d = shared();
    if (d.dbKenndaten)
        return;
    try {
        std::shared_ptr<Database> db = Database::open(dataFile(kFile));
        std::shared_ptr<Recordset> rs = db->openTable(d.Ventiltyp);
        rs->setIndex(d.Ventiltyp);
        d.dbKenndaten = std::move(db);
        d.rsVentil = std::move(rs);
    } catch (const std::exception &) {
        // Without valve data a recalculation says so ("Keine Ventildaten vorhanden!").
    }
}
