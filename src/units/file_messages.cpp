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
    case FileProblem::None:
    case FileProblem::Other:
        break;
    }
    return failure.systemText;
}

QString failureReason(const std::exception &e, int Sprache)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return fileProblemText(FileFailure{db->problem(), db->text()}, Sprache);
    return QString::fromUtf8(e.what());
}

QString fileFailureMessage(const QString &leadKey, const QString &file, const QString &reason, int Sprache)
{
    QString text = getText(leadKey, Sprache) + QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    return text;
}
