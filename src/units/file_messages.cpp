#include "units/file_messages.h"

#include "platform/db/database.h"
#include "units/data_recovery.h"
#include "units/texts.h"

#include <QDir>
#include <new>

namespace {

QString text(const char *key, int Sprache)
{
    return getText(QString::fromUtf8(key), Sprache);
}

// Causes that concern the file as a whole: where in the file the program was at the time does not matter to what
// the user does about them.
bool concernsWholeFile(FileProblem problem)
{
    switch (problem) {
    case FileProblem::DiskFull:
    case FileProblem::NoPermission:
    case FileProblem::Locked:
    case FileProblem::Missing:
    case FileProblem::NotRegularFile:
    case FileProblem::Exists:
    case FileProblem::DeviceError:
    case FileProblem::Incomplete:
    case FileProblem::NameTooLong:
        return true;
    case FileProblem::None:
    case FileProblem::Damaged:
    case FileProblem::TableMissing:
    case FileProblem::Other:
        break;
    }
    return false;
}

QString valueFault(DbError::Fault fault, int Sprache)
{
    switch (fault) {
    case DbError::Fault::NoValue: return text("Das Feld enthält keinen Wert.", Sprache);
    case DbError::Fault::NotANumber: return text("Der Wert ist keine Zahl.", Sprache);
    case DbError::Fault::NotFinite: return text("Der Wert ist keine endliche Zahl.", Sprache);
    case DbError::Fault::OutOfRange:
        return text("Der Wert liegt außerhalb des Bereichs, den das Feld aufnehmen kann.", Sprache);
    case DbError::Fault::NotBoolean: return text("Der Wert ist weder Ja noch Nein.", Sprache);
    case DbError::Fault::NotAllowed: return text("Der Wert ist an dieser Stelle nicht zulässig.", Sprache);
    case DbError::Fault::None: break;
    }
    return text("Der Wert passt nicht zum Typ des Feldes.", Sprache);
}

// What is wrong inside the file, by the kind of failure; empty when the kind says nothing (Other).
QString databaseCause(const DbError &e, int Sprache)
{
    switch (e.kind()) {
    case DbError::Kind::NoSuchFile: return fileProblemText(FileFailure{FileProblem::Missing, {}}, Sprache);
    case DbError::Kind::NotADatabase: return fileProblemText(FileFailure{FileProblem::Damaged, {}}, Sprache);
    case DbError::Kind::NoSuchTable:
    case DbError::Kind::NoSuchColumn:
    case DbError::Kind::NoSuchIndex: return fileProblemText(FileFailure{FileProblem::TableMissing, {}}, Sprache);
    case DbError::Kind::DuplicateKey:
        return text("Ein Datensatz mit demselben Schlüssel ist bereits vorhanden.", Sprache);
    case DbError::Kind::NoCurrentRecord:
        return text("In der Tabelle fehlt der Datensatz, den das Programm braucht.", Sprache);
    case DbError::Kind::ReadOnly: return fileProblemText(FileFailure{FileProblem::NoPermission, {}}, Sprache);
    case DbError::Kind::TypeMismatch: return valueFault(e.fault(), Sprache);
    case DbError::Kind::Other: break;
    }
    if (e.fault() != DbError::Fault::None)
        return valueFault(e.fault(), Sprache);
    return QString();
}

// Where the failure lies: "Tabelle: X, Feld: Y, Wert: "Z"", as far as known.
QString place(const DbError &e, int Sprache, bool withTable)
{
    QStringList parts;
    if (withTable && !e.table().isEmpty())
        parts << text("Tabelle", Sprache) + QStringLiteral(": ") + e.table();
    if (!e.column().isEmpty())
        parts << text(e.kind() == DbError::Kind::NoSuchIndex ? "Index" : "Feld", Sprache) + QStringLiteral(": ") +
                     e.column();
    if (!e.value().isEmpty()) {
        // A whole text may be long; its beginning identifies it.
        constexpr int shown = 40;
        const QString value = e.value().size() > shown ? e.value().left(shown) + QChar(0x2026) : e.value();
        parts << text("Wert", Sprache) + QStringLiteral(": \"") + value + QLatin1Char('"');
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString fileProblemText(const FileFailure &failure, int Sprache)
{
    switch (failure.problem) {
    case FileProblem::DiskFull:
        return getText(QStringLiteral("Auf dem Datenträger ist nicht genug Platz."), Sprache);
    case FileProblem::NoPermission:
        return getText(
            QStringLiteral("Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist "
                           "schreibgeschützt."),
            Sprache);
    case FileProblem::Locked:
        return getText(QStringLiteral("Die Datei wird von einem anderen Programm verwendet."), Sprache);
    case FileProblem::Damaged:
        return getText(QStringLiteral("Die Datei ist beschädigt."), Sprache);
    case FileProblem::Missing:
        return getText(QStringLiteral("Die Datei oder ihr Ordner ist nicht vorhanden."), Sprache);
    case FileProblem::NotRegularFile:
        return text("Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner, eine benannte Pipe oder ein "
                    "Gerät.",
                    Sprache);
    case FileProblem::TableMissing:
        return getText(QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht."), Sprache);
    case FileProblem::Exists:
        return getText(QStringLiteral("Eine Datei dieses Namens ist bereits vorhanden."), Sprache);
    case FileProblem::DeviceError:
        return getText(QStringLiteral("Der Datenträger meldet einen Lese- oder Schreibfehler."), Sprache);
    case FileProblem::Incomplete:
        return getText(QStringLiteral("Die geschriebene Datei ist beim Nachlesen nicht vollständig lesbar."), Sprache);
    case FileProblem::NameTooLong:
        return text("Der Name der Datei oder ihres Ordners ist länger, als das System erlaubt.", Sprache);
    case FileProblem::None:
    case FileProblem::Other:
        break;
    }
    // The system's own words are in no language of the program; its number lets an administrator look it up.
    if (failure.systemError != 0)
        return text("Beim Zugriff auf die Datei meldet das System den Fehler Nummer %1.", Sprache)
            .arg(failure.systemError);
    return text("Beim Zugriff auf die Datei ist ein unerwarteter Fehler aufgetreten.", Sprache);
}

namespace {

QString databaseReason(const DbError &e, int Sprache, bool withTable)
{
    // What stands at a companion's name keeps the file from being opened: that name is the one to act on.
    if (!e.companion().isEmpty()) {
        const QString companion = QDir::toNativeSeparators(e.companion());
        if (e.problem() == FileProblem::NotRegularFile)
            return text("Die zugehörige Protokolldatei ist keine gewöhnliche Datei, sondern ein Ordner, eine "
                        "Verknüpfung, eine benannte Pipe oder ein Gerät:",
                        Sprache) +
                   QLatin1Char('\n') + companion;
        return text("Die zugehörige Protokolldatei kann nicht gelesen werden:", Sprache) + QLatin1Char('\n') +
               companion + QStringLiteral("\n\n") + fileProblemText(FileFailure{e.problem(), {}}, Sprache);
    }
    if (concernsWholeFile(e.problem()))
        return fileProblemText(FileFailure{e.problem(), {}}, Sprache);
    QString reason = databaseCause(e, Sprache);
    // A file that holds what no file of the program holds is damaged: that first, then what was found.
    if (e.problem() == FileProblem::Damaged && e.kind() != DbError::Kind::NotADatabase) {
        const QString damaged = fileProblemText(FileFailure{FileProblem::Damaged, {}}, Sprache);
        reason = reason.isEmpty() ? damaged : damaged + QLatin1Char(' ') + reason;
    } else if (reason.isEmpty()) {
        reason = e.problem() == FileProblem::TableMissing
                     ? fileProblemText(FileFailure{FileProblem::TableMissing, {}}, Sprache)
                     : text("Die Datenbank meldet einen unerwarteten Fehler.", Sprache);
    }
    const QString where = place(e, Sprache, withTable);
    return where.isEmpty() ? reason : reason + QLatin1Char(' ') + where;
}

} // namespace

QString failureReasonInTable(const DbError &e, int Sprache)
{
    return databaseReason(e, Sprache, false);
}

QString failureReason(const std::exception &e, int Sprache)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return databaseReason(*db, Sprache, true);
    // A failed recovery has composed its reasons in the user's language already.
    if (dynamic_cast<const RecoveryFailure *>(&e))
        return QString::fromUtf8(e.what());
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return text("Der Arbeitsspeicher reicht nicht aus.", Sprache);
    return text("Ein unerwarteter Fehler ist aufgetreten.", Sprache);
}

QString uncaughtFailureMessage(const std::exception &e, int Sprache)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return fileFailureMessage(QStringLiteral("Datenbankfehler"), db->file(), failureReason(e, Sprache), Sprache);
    return failureReason(e, Sprache);
}

QString linkToNowhereReason(const QString &leadsTo, int Sprache)
{
    return text("Unter diesem Namen steht eine Verknüpfung auf eine Datei, die nicht vorhanden ist:", Sprache) +
           QLatin1Char('\n') + QDir::toNativeSeparators(leadsTo);
}

QString fileFailureMessage(const QString &leadKey, const QString &file, const QString &reason, int Sprache)
{
    QString text = getText(leadKey, Sprache) + QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    return text;
}
