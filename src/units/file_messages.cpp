#include "units/file_messages.h"

#include "platform/db/database.h"
#include "units/texts.h"

#include <QDir>

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
        return getText(QStringLiteral("Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner oder ein Gerät."),
                       Sprache);
    case FileProblem::TableMissing:
        return getText(QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht."), Sprache);
    case FileProblem::Exists:
        return getText(QStringLiteral("Eine Datei dieses Namens ist bereits vorhanden."), Sprache);
    case FileProblem::DeviceError:
        return getText(QStringLiteral("Der Datenträger meldet einen Lese- oder Schreibfehler."), Sprache);
    case FileProblem::Incomplete:
        return getText(QStringLiteral("Die geschriebene Datei ist beim Nachlesen nicht vollständig lesbar."), Sprache);
    case FileProblem::None:
    case FileProblem::Other:
        break;
    }
    return failure.systemText;
}

QString failureReason(const std::exception &e, int Sprache)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e)) {
        QString reason = fileProblemText(FileFailure{db->problem(), db->text()}, Sprache);
        // The table tells which valve series or language the file lacks.
        if (db->problem() == FileProblem::TableMissing && !db->table().isEmpty())
            reason += QLatin1Char(' ') + getText(QStringLiteral("Tabelle"), Sprache) + QStringLiteral(": ") + db->table();
        return reason;
    }
    return QString::fromUtf8(e.what());
}

QString uncaughtFailureMessage(const std::exception &e, int Sprache)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return fileFailureMessage(QStringLiteral("Datenbankfehler"), db->file(), failureReason(e, Sprache), Sprache);
    return failureReason(e, Sprache);
}

QString fileFailureMessage(const QString &leadKey, const QString &file, const QString &reason, int Sprache)
{
    QString text = getText(leadKey, Sprache) + QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    return text;
}
