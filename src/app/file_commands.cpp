#include "app/file_commands.h"

#include "app/catalogue.h"
#include "app/main_window.h"
#include "app/project_file.h"
#include "app/save_temporaries.h"
#include "app/sheet_host.h"
#include "platform/core/number_text.h"
#include "platform/core/whole_file.h"
#include "platform/forms/ui_services.h"
#include "state/shared_data.h"
#include "tools/user_defined_valve.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"
#include "units/file_messages.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <exception>
#include <memory>
#include <variant>

namespace {

const QString kDefaultProject = QStringLiteral("Default");

FileDialogRequest projectDialog(const QString &title)
{
    const int Sprache = shared().Sprache;
    FileDialogRequest request;
    request.title = title;
    request.filter = getText(QStringLiteral("Berechnungen"), Sprache) + QStringLiteral(" (*.vls)|*.vls");
    // The program folder is not writable once installed; the user's projects live in the data folder.
    request.startFolder = dataFolder();
    return request;
}

// The logs found at a new project's name, each under its dated name.
QString keptLogsMessage(const QStringList &keptLogs, int Sprache)
{
    QString text = getText(QStringLiteral("Unter dem neuen Namen lagen noch Protokolldateien einer anderen Datei; sie "
                                          "gehören nicht zum gespeicherten Projekt und wurden aufbewahrt als:"),
                           Sprache);
    for (const QString &log : keptLogs)
        text += QLatin1Char('\n') + QDir::toNativeSeparators(log);
    return text;
}

// The valve as a message names it, in the project's units.
QString valveText(const SharedData &d)
{
    return valveDescription(d.DNVentil, d.DNunit, d.KvsCv, d.KvUnit, d.Kennlinie, d.Sprache);
}

const QString kCannotSave = QStringLiteral("Die Projektdatei kann nicht gespeichert werden:");
const QString kCannotCreate = QStringLiteral("Die Projektdatei kann nicht angelegt werden:");

} // namespace

ProjectFileName projectFileName(const QString &chosenPath)
{
    const QFileInfo info(chosenPath);
    QString name = info.fileName();
    if (name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.'))
        name.chop(4);
    return ProjectFileName{QDir::cleanPath(info.absolutePath()), name};
}

QString projectCaption(const QString &base)
{
    return QStringLiteral("Quendra Ver. 9.75 [") + base + QLatin1Char(']');
}

QString defaultProjectCaption()
{
    return projectCaption(QStringLiteral("DEFAULT"));
}

void frmMDIMain::connectFileCommands()
{
    mnuOpen.Click = [this] { mnuOpen_Click(); };
    mnuSave.Click = [this] { mnuSave_Click(); };
    mnuSaveAs.Click = [this] { mnuSaveAs_Click(); };
    mnuStandardLaden.Click = [this] { mnuStandardLaden_Click(); };
    mnuStandardSpeichern.Click = [this] { mnuStandardSpeichern_Click(); };
}

void frmMDIMain::reportFileError(const QString &text)
{
    uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption());
}

bool frmMDIMain::loadProjectFile(const QString &Pfad, const QString &Datei, bool programFile)
{
    SharedData &d = shared();
    // Everything is read and the series' table opened before anything is taken over, so a file that cannot be
    // loaded leaves the data, the table and the sheet as they were.
    SharedData staged;
    const QString project = projectFilePath(Pfad, Datei);
    try {
        if (programFile)
            openDataFile(project, defaultProjectTexts(false), [&] { LoadParameter(Pfad, Datei, staged); });
        else
            LoadParameter(Pfad, Datei, staged);
    } catch (const std::exception &e) {
        reportFileError(fileFailureMessage(QStringLiteral("Die Projektdatei kann nicht geöffnet werden:"), project,
                                           failureReason(e, screenLanguage()), screenLanguage()));
        return false;
    }
    OpenedCatalogue catalogue;
    if (!openCatalogueFor(staged.Ventiltyp, catalogue))
        return false;
    takeProjectItems(d, staged);
    takeCatalogue(std::move(catalogue));
    reconcileProjectUserValve(project, caption());
    return true;
}

void frmMDIMain::reloadSheetAfterLoad(const QString &project)
{
    const SharedData &d = shared();
    SharedData stored;
    takeProjectItems(stored, d);
    try {
        if (shared().Modus == 0)
            mnuDimens_Click();
        if (shared().Modus == 1)
            mnuFlow_Click();
    } catch (const std::exception &e) {
        reportFileError(uncaughtFailureMessage(e, shared().Sprache));
        return;
    }
    // A given size, or the characteristic, that the sheet could not keep: the series no longer offers it. On the
    // flow sheet the Kvs belongs to the given valve as well. The user-defined valve has been settled with the user
    // when the project was taken.
    stored.Sprache = d.Sprache;
    const bool sizeGiven = stored.Modus == 1 || !stored.DNmin;
    // Sizes compare as the size lists compare them, without surrounding blanks.
    if (stored.Ventiltyp == QLatin1String("9999") ||
        (d.Kennlinie == stored.Kennlinie && (!sizeGiven || d.DNVentil.trimmed() == stored.DNVentil.trimmed()) &&
         (stored.Modus != 1 || valveText(d) == valveText(stored))))
        return;
    const QString text = getText(QStringLiteral("Die Baureihe %1 bietet das gespeicherte Ventil nicht an (%2). "
                                                "Stattdessen genommen: %3."),
                                 d.Sprache)
                             .arg(getVentiltypName(d.Ventiltyp, d.Sprache).toString(), valveText(stored), valveText(d));
    reportFileError(QDir::toNativeSeparators(project) + QStringLiteral("\n\n") + text);
}

void frmMDIMain::mnuOpen_Click()
{
    SharedData &d = shared();
    const std::optional<QString> chosen =
        uiServices().openFileDialog(projectDialog(getText(QStringLiteral("Öffnen"), d.Sprache)));
    if (!chosen || chosen->isEmpty())
        return;

    // The file that is tested is the file that is loaded.
    const ProjectFileName name = projectFileName(*chosen);
    if (!QFileInfo(projectFilePath(name.folder, name.base)).isFile()) {
        StatusBar.setText(getText(QStringLiteral("Datei nicht vorhanden"), d.Sprache));
        uiServices().beep();
        return;
    }

    if (!loadProjectFile(name.folder, name.base, false))
        return;
    d.DatenPfad = name.folder;
    d.DateiName = name.base;
    setCaption(projectCaption(name.base));
    reloadSheetAfterLoad(projectFilePath(name.folder, name.base));
}

void frmMDIMain::mnuSave_Click()
{
    const SharedData &d = shared();
    try {
        SaveParameter(d.DatenPfad, d.DateiName);
    } catch (const std::exception &e) {
        reportFileError(fileFailureMessage(kCannotSave, projectFilePath(d.DatenPfad, d.DateiName),
                                           failureReason(e, d.Sprache), d.Sprache));
    }
}

void frmMDIMain::mnuSaveAs_Click()
{
    SharedData &d = shared();
    FileDialogRequest request = projectDialog(getText(QStringLiteral("Speichern unter"), d.Sprache));
    // The dialog would ask about the name as typed; the question is asked below about the completed name.
    request.confirmOverwrite = false;
    const std::optional<QString> chosen = uiServices().saveFileDialog(request);
    if (!chosen || chosen->isEmpty())
        return;

    const ProjectFileName name = projectFileName(*chosen);
    // A folder alone, or ".vls" alone, names no project.
    if (name.base.isEmpty())
        return;
    const QString target = projectFilePath(name.folder, name.base);
    // What a killed Save as left in this folder goes now; a failure to remove it changes nothing here.
    removeStaleSaveTemporaries(name.folder);

    // A folder, a pipe or a device at the name is no project to overwrite: told before anything is asked.
    if (const QFileInfo found(target); found.exists() && !found.isFile()) {
        reportFileError(fileFailureMessage(kCannotSave, target,
                                           fileProblemText(FileFailure{FileProblem::NotRegularFile, {}}, d.Sprache),
                                           d.Sprache));
        return;
    }
    if (QFileInfo::exists(target)) {
        const QString question =
            QDir::toNativeSeparators(target) + QLatin1Char('\n') +
            getText(QStringLiteral("Die Datei ist bereits vorhanden. Sollen ihre Daten überschrieben werden?"),
                    d.Sprache);
        if (uiServices().messageBox(question, MsgButtons::YesNo, MsgIcon::Question, caption()) != MsgAnswer::Yes)
            return;
        // An existing file (the default project with its program parameters, too) is written into in one
        // transaction, never replaced by the template.
        try {
            SaveParameter(name.folder, name.base);
        } catch (const std::exception &e) {
            reportFileError(fileFailureMessage(kCannotSave, target, failureReason(e, d.Sprache), d.Sprache));
            return;
        }
    } else {
        // A new file is completed under a temporary name beside the target and takes the target's name only
        // when every item has been written: a failure leaves no half-written project behind.
        auto cannotCreate = [&](const FileFailure &why) {
            reportFileError(fileFailureMessage(kCannotCreate, target, fileProblemText(why, d.Sprache), d.Sprache));
        };
        if (!saveNamesFit(name.folder, name.base)) {
            cannotCreate(FileFailure{FileProblem::NameTooLong, {}});
            return;
        }
        const QString templatePath = programFolder() + QStringLiteral("/blank.vls");
        QFile blank(templatePath);
        errno = 0;
        if (!blank.open(QIODevice::ReadOnly)) {
            reportFileError(fileFailureMessage(QStringLiteral("Die Vorlage der Projektdateien kann nicht gelesen werden:"),
                                               templatePath, fileProblemText(FileFailure::ofErrno(errno), d.Sprache),
                                               d.Sprache));
            return;
        }
        const QByteArray bytes = blank.readAll();
        blank.close();

        QTemporaryFile temporary(saveTemporaryTemplate(name.folder));
        errno = 0;
        if (!temporary.open()) {
            cannotCreate(FileFailure::ofErrno(errno));
            return;
        }
        // Held open until it has its name, so that a Save as of another instance leaves it alone.
        if (!holdSaveTemporary(temporary)) {
            cannotCreate(FileFailure::ofErrno(errno));
            return;
        }
        // Every byte of the template is on the disk, or the file goes.
        if (const FileFailure written = writeAllBytes(temporary.handle(), bytes); written.failed()) {
            cannotCreate(written);
            return;
        }
        temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                 QFileDevice::ReadOther);
        const QString temporaryName = QFileInfo(temporary.fileName()).fileName();
        try {
            SaveParameter(name.folder, temporaryName.chopped(4));
        } catch (const std::exception &e) {
            reportFileError(fileFailureMessage(kCannotCreate, target, failureReason(e, d.Sprache), d.Sprache));
            return;
        }
        // Logs that another file left at the new name would be played into the project once it has the name. The
        // name is judged only now, as they are set aside: the dialog and the writing took time.
        QStringList keptLogs;
        QString why;
        if (!setAsideLogs(target, &keptLogs, &why)) {
            reportFileError(fileFailureMessage(kCannotCreate, target, why, d.Sprache));
            return;
        }
        // The user is told where the logs went once the project has its name, or together with the failure.
        if (const FileFailure named = nameSaveTemporary(temporary.fileName(), target); named.failed()) {
            QString text = fileFailureMessage(kCannotCreate, target, fileProblemText(named, d.Sprache), d.Sprache);
            if (!keptLogs.isEmpty())
                text += QStringLiteral("\n\n") + keptLogsMessage(keptLogs, d.Sprache);
            reportFileError(text);
            return;
        }
        temporary.setAutoRemove(false);
        if (!keptLogs.isEmpty())
            reportFileError(keptLogsMessage(keptLogs, d.Sprache));
    }

    d.DatenPfad = name.folder;
    d.DateiName = name.base;
    setCaption(projectCaption(name.base));
}

void frmMDIMain::mnuStandardLaden_Click()
{
    if (!loadProjectFile(dataFolder(), kDefaultProject, true))
        return;
    // The current project stays and a following Save writes the default values into it, so the caption names that
    // file; "[DEFAULT]" only when the default project is the current one.
    const SharedData &d = shared();
    const bool defaultIsCurrent = d.DateiName == kDefaultProject &&
                                  QDir::cleanPath(d.DatenPfad) == QDir::cleanPath(dataFolder());
    setCaption(defaultIsCurrent ? defaultProjectCaption() : projectCaption(d.DateiName));
    reloadSheetAfterLoad(projectFilePath(dataFolder(), kDefaultProject));
}

void frmMDIMain::mnuStandardSpeichern_Click()
{
    try {
        SaveParameter(dataFolder(), kDefaultProject);
    } catch (const std::exception &e) {
        const int Sprache = shared().Sprache;
        reportFileError(fileFailureMessage(kCannotSave, projectFilePath(dataFolder(), kDefaultProject),
                                           failureReason(e, Sprache), Sprache));
    }
}
