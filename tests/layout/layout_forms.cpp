#include "layout_forms.h"

#include "app/main_window.h"
#include "app/program_parameters.h"
#include "app/project_file.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/printer_list.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QDir>
#include <QTemporaryDir>
#include <stdexcept>

namespace layout {

namespace {

std::vector<FormEntry> &registry()
{
    static std::vector<FormEntry> entries;
    return entries;
}

void resetShared()
{
    closeLanguageDatabase();
    SharedData &d = shared();
    d.rsVentil.reset();
    d.rsSprache.reset();
    d = SharedData();
}

// The documents folder, the services and the printers live as long as the test runs.
struct Desktop {
    QTemporaryDir home;
    ScriptedUiServices ui;
    FixedPrinterList printers;
    UiServicesScope uiScope{ui};
    PrinterListScope printerScope{printers};

    Desktop()
    {
        if (!home.isValid())
            throw std::runtime_error("no temporary folder");
        QDir().mkpath(home.filePath(QStringLiteral("home")));
        QDir().mkpath(home.filePath(QStringLiteral("config")));
        qputenv("HOME", QFile::encodeName(home.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        QString error;
        if (!ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error))
            throw std::runtime_error(error.toStdString());
        printers.set(QStringLiteral("Office"), {QStringLiteral("Office")});
    }
};

Desktop &desktop()
{
    static Desktop d;
    return d;
}

} // namespace

Registration::Registration(FormEntry entry)
{
    registry().push_back(std::move(entry));
}

const std::vector<FormEntry> &forms()
{
    return registry();
}

std::unique_ptr<frmMDIMain> startProgram(const StartState &state)
{
    desktop().ui.reset();
    resetShared();
    SharedData d;
    const QString folder = dataFolder();
    const QString project = QStringLiteral("Default");
    LoadProgrammParameter(folder, project, d);
    LoadParameter(folder, project, d);
    d.Sprache = state.Sprache;
    d.KD_Version = state.KD_Version;
    d.Modus = state.Modus;
    // A stored name: New asks for none.
    d.Benutzername = QStringLiteral("Tester");
    SaveProgrammParameter(folder, project, d);
    SaveParameter(folder, project, d);

    auto main = std::make_unique<frmMDIMain>();
    main->load();
    if (main->startFailed())
        throw std::runtime_error("the main window could not start");
    return main;
}

void endProgram(std::unique_ptr<frmMDIMain> &main)
{
    if (main)
        main->unload();
    main.reset();
    formruntime::collect();
    resetShared();
}

const QStringList &displayVariants()
{
    static const QStringList names = {QStringLiteral("normal"), QStringLiteral("partner"), QStringLiteral("extended")};
    return names;
}

int displayVariantCode(const QString &name)
{
    if (name == QLatin1String("partner"))
        return 1;
    if (name == QLatin1String("extended"))
        return 6417;
    return 0;
}

} // namespace layout
