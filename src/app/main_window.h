#pragma once

#include "app/catalogue.h"
#include "engine/main_window_access.h"
#include "platform/forms/forms.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"

#include <functional>
#include <utility>
#include <vector>

// The main window: the program's start object and the frame of the calculation sheets. It owns the menus, the
// status line and the start screen with its language flags. Start-up is its Load handler, shut-down its Unload
// handler; New leaves the start screen and shows the sheet of the current mode.
class frmMDIMain : public Form {
public:
    frmMDIMain();
    ~frmMDIMain() override;

    static const QString &defaultCaption();

    // --- Start screen
    PictureBox picStart{this, QStringLiteral("picStart")};
    Label lblMainTitle{&picStart, QStringLiteral("lblMainTitle")};
    Label lblMainTitleTrelvan{&picStart, QStringLiteral("lblMainTitleTrelvan")};
    ControlArray<Shape> RaSprache{&picStart, QStringLiteral("RaSprache"), 6};
    ControlArray<Image> ImgSprache{&picStart, QStringLiteral("ImgSprache"), 6};
    ControlArray<Label> lblSprache{&picStart, QStringLiteral("lblSprache"), 6};
    Timer Zeit1{this, QStringLiteral("Zeit1")};
    ::StatusBar StatusBar{this, QStringLiteral("StatusBar")};

    // --- File
    Menu mnuDatei{this, QStringLiteral("mnuDatei")};
    Menu mnuNeu{&mnuDatei, QStringLiteral("mnuNeu")};
    Menu mnuOpen{&mnuDatei, QStringLiteral("mnuOpen")};
    Menu mnuSave{&mnuDatei, QStringLiteral("mnuSave")};
    Menu mnuSaveAs{&mnuDatei, QStringLiteral("mnuSaveAs")};
    Menu mnuTrennstrich16{&mnuDatei, QStringLiteral("mnuTrennstrich16")};
    Menu mnuDrucken{&mnuDatei, QStringLiteral("mnuDrucken")};
    Menu mnuPDFDruck{&mnuDatei, QStringLiteral("mnuPDFDruck")};
    Menu mnuDruckerEinrichten{&mnuDatei, QStringLiteral("mnuDruckerEinrichten")};
    Menu mnuTrennstrich17{&mnuDatei, QStringLiteral("mnuTrennstrich17")};
    Menu mnuStandardLaden{&mnuDatei, QStringLiteral("mnuStandardLaden")};
    Menu mnuStandardSpeichern{&mnuDatei, QStringLiteral("mnuStandardSpeichern")};
    Menu mnuTrennstrich15{&mnuDatei, QStringLiteral("mnuTrennstrich15")};
    Menu mnuEnde{&mnuDatei, QStringLiteral("mnuEnde")};

    // --- Mode
    Menu mnuModus{this, QStringLiteral("mnuModus")};
    Menu mnuDimens{&mnuModus, QStringLiteral("mnuDimens")};
    Menu mnuFlow{&mnuModus, QStringLiteral("mnuFlow")};

    // --- Valve series
    Menu mnuBauform{this, QStringLiteral("mnuBauform")};
    Menu mnuGS{&mnuBauform, QStringLiteral("mnuGS")};
    Menu mnu4612{&mnuGS, QStringLiteral("mnu4612")};
    Menu mnu4625{&mnuGS, QStringLiteral("mnu4625")};
    Menu mnu4627_71{&mnuGS, QStringLiteral("mnu4627_71")};
    Menu mnu4627_72{&mnuGS, QStringLiteral("mnu4627_72")};
    Menu mnu4638{&mnuGS, QStringLiteral("mnu4638")};
    Menu mnu4648{&mnuGS, QStringLiteral("mnu4648")};
    Menu mnu4651_71{&mnuGS, QStringLiteral("mnu4651_71")};
    Menu mnu4651_72{&mnuGS, QStringLiteral("mnu4651_72")};
    Menu mnu4656{&mnuGS, QStringLiteral("mnu4656")};
    Menu mnuSitz{&mnuBauform, QStringLiteral("mnuSitz")};
    Menu mnu3264{&mnuSitz, QStringLiteral("mnu3264")};
    Menu mnu3425{&mnuSitz, QStringLiteral("mnu3425")};
    Menu mnu3548{&mnuSitz, QStringLiteral("mnu3548")};
    Menu mnu3926{&mnuSitz, QStringLiteral("mnu3926")};
    Menu mnuSteril{&mnuBauform, QStringLiteral("mnuSteril")};
    Menu mnu2613{&mnuSteril, QStringLiteral("mnu2613")};
    Menu mnu3653{&mnuSteril, QStringLiteral("mnu3653")};
    Menu tr1{&mnuBauform, QStringLiteral("tr1")};
    Menu mnu3786{&mnuBauform, QStringLiteral("mnu3786")};
    Menu mnu2381{&mnuBauform, QStringLiteral("mnu2381")};
    Menu mnuTrennstrich3{&mnuBauform, QStringLiteral("mnuTrennstrich3")};
    Menu mnuAbsperr{&mnuBauform, QStringLiteral("mnuAbsperr")};
    Menu mnu3152{&mnuAbsperr, QStringLiteral("mnu3152")};
    Menu mnu3378{&mnuAbsperr, QStringLiteral("mnu3378")};
    Menu mnu3391{&mnuAbsperr, QStringLiteral("mnu3391")};
    Menu mnu3547{&mnuAbsperr, QStringLiteral("mnu3547")};
    Menu mnu3652{&mnuAbsperr, QStringLiteral("mnu3652")};
    Menu mnu3761{&mnuAbsperr, QStringLiteral("mnu3761")};
    Menu mnu3834{&mnuAbsperr, QStringLiteral("mnu3834")};
    Menu mnu4644{&mnuAbsperr, QStringLiteral("mnu4644")};
    Menu mnuTrennstrich20{&mnuBauform, QStringLiteral("mnuTrennstrich20")};
    Menu mnu9999{&mnuBauform, QStringLiteral("mnu9999")};

    // --- Medium
    Menu mnuMedium{this, QStringLiteral("mnuMedium")};
    Menu mnuLuft{&mnuMedium, QStringLiteral("mnuLuft")};
    Menu mnuWasser{&mnuMedium, QStringLiteral("mnuWasser")};
    Menu mnuWasserdampf{&mnuMedium, QStringLiteral("mnuWasserdampf")};
    Menu mnuTrennstrich4{&mnuMedium, QStringLiteral("mnuTrennstrich4")};
    Menu mnuIdealesGas{&mnuMedium, QStringLiteral("mnuIdealesGas")};
    Menu mnuFlüssigkeit{&mnuMedium, QStringLiteral("mnuFlüssigkeit")};
    Menu mnuTrennstrich5{&mnuMedium, QStringLiteral("mnuTrennstrich5")};
    Menu mnuGasGemisch{&mnuMedium, QStringLiteral("mnuGasGemisch")};
    Menu ternnstrich2{&mnuMedium, QStringLiteral("ternnstrich2")};
    Menu mnuPapierstoff{&mnuMedium, QStringLiteral("mnuPapierstoff")};
    Menu mnuPapierstoff25{&mnuPapierstoff, QStringLiteral("mnuPapierstoff25")};
    Menu mnuPapierstoff3{&mnuPapierstoff, QStringLiteral("mnuPapierstoff3")};
    Menu mnuPapierstoff4{&mnuPapierstoff, QStringLiteral("mnuPapierstoff4")};
    Menu mnuPapierstoff5{&mnuPapierstoff, QStringLiteral("mnuPapierstoff5")};
    Menu mnuTrennstrich6{&mnuMedium, QStringLiteral("mnuTrennstrich6")};
    Menu mnuStoffdatenAssistent{&mnuMedium, QStringLiteral("mnuStoffdatenAssistent")};

    // --- Units
    Menu mnuEinheiten{this, QStringLiteral("mnuEinheiten")};
    Menu mnuDruck{&mnuEinheiten, QStringLiteral("mnuDruck")};
    Menu mnuBara{&mnuDruck, QStringLiteral("mnuBara")};
    Menu mnuBarg{&mnuDruck, QStringLiteral("mnuBarg")};
    Menu mnuPsia{&mnuDruck, QStringLiteral("mnuPsia")};
    Menu mnuPsig{&mnuDruck, QStringLiteral("mnuPsig")};
    Menu mnuMPaa{&mnuDruck, QStringLiteral("mnuMPaa")};
    Menu mnuMPag{&mnuDruck, QStringLiteral("mnuMPag")};
    Menu mnukPaa{&mnuDruck, QStringLiteral("mnukPaa")};
    Menu mnukPag{&mnuDruck, QStringLiteral("mnukPag")};
    Menu mnuTemperatur{&mnuEinheiten, QStringLiteral("mnuTemperatur")};
    Menu mnuCelsius{&mnuTemperatur, QStringLiteral("mnuCelsius")};
    Menu mnuFahrenheit{&mnuTemperatur, QStringLiteral("mnuFahrenheit")};
    Menu mnuDurchfluss{&mnuEinheiten, QStringLiteral("mnuDurchfluss")};
    Menu mnuM3h{&mnuDurchfluss, QStringLiteral("mnuM3h")};
    Menu mnuM3hnorm{&mnuDurchfluss, QStringLiteral("mnuM3hnorm")};
    Menu mnuKgh{&mnuDurchfluss, QStringLiteral("mnuKgh")};
    Menu mnuLmin{&mnuDurchfluss, QStringLiteral("mnuLmin")};
    Menu mnuLminnorm{&mnuDurchfluss, QStringLiteral("mnuLminnorm")};
    Menu mnuLbhr{&mnuDurchfluss, QStringLiteral("mnuLbhr")};
    Menu mnuCufthr{&mnuDurchfluss, QStringLiteral("mnuCufthr")};
    Menu mnuScufthr{&mnuDurchfluss, QStringLiteral("mnuScufthr")};
    Menu mnuUSgpm{&mnuDurchfluss, QStringLiteral("mnuUSgpm")};
    Menu mnuDichte{&mnuEinheiten, QStringLiteral("mnuDichte")};
    Menu mnuKgm3{&mnuDichte, QStringLiteral("mnuKgm3")};
    Menu mnuLbcuft{&mnuDichte, QStringLiteral("mnuLbcuft")};
    Menu mnuViskositaet{&mnuEinheiten, QStringLiteral("mnuViskositaet")};
    Menu mnuCst{&mnuViskositaet, QStringLiteral("mnuCst")};
    Menu mnuCP{&mnuViskositaet, QStringLiteral("mnuCP")};
    Menu mnuGeschwindigkeit{&mnuEinheiten, QStringLiteral("mnuGeschwindigkeit")};
    Menu mnuMs{&mnuGeschwindigkeit, QStringLiteral("mnuMs")};
    Menu mnuFtsec{&mnuGeschwindigkeit, QStringLiteral("mnuFtsec")};
    Menu mnuNennweite{&mnuEinheiten, QStringLiteral("mnuNennweite")};
    Menu mnuMM{&mnuNennweite, QStringLiteral("mnuMM")};
    Menu mnuInch{&mnuNennweite, QStringLiteral("mnuInch")};
    Menu mnuDurchflusskoeffizient{&mnuEinheiten, QStringLiteral("mnuDurchflusskoeffizient")};
    Menu mnuKv{&mnuDurchflusskoeffizient, QStringLiteral("mnuKv")};
    Menu mnuCv{&mnuDurchflusskoeffizient, QStringLiteral("mnuCv")};

    // --- Tools
    Menu mnuTools{this, QStringLiteral("mnuTools")};
    Menu mnuWärmetauscher{&mnuTools, QStringLiteral("mnuWärmetauscher")};
    Menu mnuTrennstrich7{&mnuTools, QStringLiteral("mnuTrennstrich7")};
    Menu mnuAnzeigeKennlinie{&mnuTools, QStringLiteral("mnuAnzeigeKennlinie")};
    Menu mnuAnzeigeFL{&mnuTools, QStringLiteral("mnuAnzeigeFL")};
    Menu mnuAnzeigeXT{&mnuTools, QStringLiteral("mnuAnzeigeXT")};

    // --- Options
    Menu mnuOptionen{this, QStringLiteral("mnuOptionen")};
    Menu mnuBenutzername{&mnuOptionen, QStringLiteral("mnuBenutzername")};
    Menu mnuPasswort{&mnuOptionen, QStringLiteral("mnuPasswort")};

    // --- Help
    Menu mnuHilfe{this, QStringLiteral("mnuHilfe")};
    Menu mnuHilfeDeutsch{&mnuHilfe, QStringLiteral("mnuHilfeDeutsch")};
    Menu mnuHilfeEnglisch{&mnuHilfe, QStringLiteral("mnuHilfeEnglisch")};
    Menu mnuInfo{&mnuHilfe, QStringLiteral("mnuInfo")};

    // --- Handlers that other windows and the file commands call
    void MDIForm_Load();
    void MDIForm_Unload(int &Cancel);
    void picStart_Click();
    void Zeit1_Timer();
    void mnuNeu_Click();
    void mnuDimens_Click();
    void mnuFlow_Click();
    void mnuEnde_Click();
    void ImgSprache_Click(int Index);
    void mnuBenutzername_Click();

    // --- Access code, help and information entries (dialog_entries.cpp)
    void mnuPasswort_Click();
    void mnuHilfeDeutsch_Click();
    void mnuHilfeEnglisch_Click();
    void mnuInfo_Click();

    // --- File commands (file_commands.cpp)
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuStandardLaden_Click();
    void mnuStandardSpeichern_Click();

    // --- Valve-series menu (series_menu.cpp)
    void mnu4612_Click();
    void mnu4625_Click();
    void mnu4627_71_Click();
    void mnu4627_72_Click();
    void mnu4638_Click();
    void mnu4648_Click();
    void mnu4651_71_Click();
    void mnu4651_72_Click();
    void mnu4656_Click();
    void mnu3264_Click();
    void mnu3425_Click();
    void mnu3548_Click();
    void mnu3926_Click();
    void mnu2613_Click();
    void mnu3653_Click();
    void mnu3786_Click();
    void mnu2381_Click();
    void mnu3152_Click();
    void mnu3378_Click();
    void mnu3391_Click();
    void mnu3547_Click();
    void mnu3652_Click();
    void mnu3761_Click();
    void mnu3834_Click();
    void mnu4644_Click();

    // --- Unit menus (unit_menus.cpp)
    void mnuBara_Click();
    void mnuBarg_Click();
    void mnuPsia_Click();
    void mnuPsig_Click();
    void mnuMPaa_Click();
    void mnuMPag_Click();
    void mnukPaa_Click();
    void mnukPag_Click();
    void mnuCelsius_Click();
    void mnuFahrenheit_Click();
    void mnuDurchfluss_Click();
    void mnuM3h_Click();
    void mnuM3hnorm_Click();
    void mnuKgh_Click();
    void mnuLmin_Click();
    void mnuLminnorm_Click();
    void mnuLbhr_Click();
    void mnuCufthr_Click();
    void mnuScufthr_Click();
    void mnuUSgpm_Click();
    void mnuKgm3_Click();
    void mnuLbcuft_Click();
    void mnuCst_Click();
    void mnuCP_Click();
    void mnuMs_Click();
    void mnuFtsec_Click();
    void mnuMM_Click();
    void mnuInch_Click();
    void mnuKv_Click();
    void mnuCv_Click();

    // --- Print entries (print_menu.cpp)
    void mnuDrucken_Click();
    void mnuPDFDruck_Click();
    void mnuDruckerEinrichten_Click();

    // --- Medium menu (medium_menu.cpp)
    void mnuLuft_Click();
    void mnuWasser_Click();
    void mnuWasserdampf_Click();
    void mnuPapierstoff25_Click();
    void mnuPapierstoff3_Click();
    void mnuPapierstoff4_Click();
    void mnuPapierstoff5_Click();
    void mnuIdealesGas_Click();
    void mnuFlüssigkeit_Click();
    void mnuGasGemisch_Click();
    void mnuStoffdatenAssistent_Click();

    // --- Tools menu, the user-defined valve and the heat exchanger (tools_menu.cpp)
    void mnu9999_Click();
    void mnuWärmetauscher_Click();
    void mnuTools_Click();
    void mnuAnzeigeKennlinie_Click();
    void mnuAnzeigeFL_Click();
    void mnuAnzeigeXT_Click();

    // Every menu and entry whose caption follows the screen language, with its German caption key, in the order
    // the language switch sets them (the pressure entries are not among them).
    const std::vector<std::pair<Menu *, QString>> &captionKeys() const { return captionKeys_; }

    // Ends the program at once (File > End, or a file that cannot be opened). The desktop program leaves its event
    // loop with the code; tests read programEnded().
    std::function<void(int exitCode)> EndProgram;
    bool programEnded() const { return ended_; }
    int exitCode() const { return exitCode_; }
    // A file the program cannot do without could not be opened: the user has been told and the program ends.
    bool startFailed() const { return failed_; }
    // Start-up before the window loads: the data folder is made and completed from the seed (ensureDataFolder), in
    // the language stored in the default project where that can be read, with the installed texts. The logs kept
    // aside are told once the window speaks the screen language. False when the folder cannot be made whole: the
    // user has been told in one message, and the program ends.
    bool prepareStart();

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    void setMenuCaptions();
    void applyStartPictures();
    void applyWindowPlace();
    // Reports a file the program cannot do without and ends the program without writing anything.
    void fail(const QString &file, const QString &detail);
    // Reports a file New cannot read; the window stays as it was and the program goes on.
    void refuseNew(const QString &file, const QString &detail);
    // Opens a file of the data folder through `open`; a damaged one is kept aside and replaced from the seed, with
    // one message (openRecovering). `release` closes the program's own handles on it before it is set aside.
    void openDataFile(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                      const std::function<void()> &release = {});
    // Opens the catalogue and the table of a series (openCatalogue), telling what was mended; false, with the
    // catalogue named as the file at fault, when it cannot be opened.
    bool openCatalogueFor(const QString &Ventiltyp, OpenedCatalogue &catalogue);
    // Tells a file kept aside and replaced from the seed.
    void tellRecovered(const QString &text);
    // What the user is told of a damaged default project that the seed's copy replaced, at start-up or later.
    static const RecoveryTexts &defaultProjectTexts(bool atStart);
    // Copies back from the seed what the data folder lacks (a folder removed while the program runs), with one
    // message naming the folder and the files; false, told, when the folder cannot be restored.
    bool restoreDataFolder();
    void endProgram(int code);

    // Each connects the Click handlers of its menu (defined beside the handlers).
    void connectFileCommands();
    void connectSeriesMenu();
    void connectUnitMenus();
    void connectMediumMenu();
    void connectPrintMenu();
    void connectDialogEntries();
    void connectToolsMenu();
    // What Open and Load default share. The project of the file becomes the shared data together with its valve
    // series' table, or, after a failure that has been reported, nothing changes at all. A failure names the file
    // at fault: the project, or the catalogue, which is mended as at New when it is damaged. The default project
    // (`programFile`) is mended as at New too.
    bool loadProjectFile(const QString &Pfad, const QString &Datei, bool programFile);
    // Reloads the sheet of the mode so that it shows and recalculates what was loaded. A valve of the project that
    // its series does not offer (a size or characteristic gone from the catalogue) is named, with the one taken.
    void reloadSheetAfterLoad(const QString &project);
    // Shows a failed file command's error text.
    void reportFileError(const QString &text);
    // The series entries: key and the rule that brings Kennlinie into line with the series. The submenu titles
    // decide nothing, so a menu opened and closed without a choice leaves the valve as it is.
    enum class KennlinieRule { AufZuToLinear, Linear, Gleichprozentig, AufZu };
    void chooseSeries(const QString &key, KennlinieRule rule);
    // The unit entries.
    void choosePressureUnit(int i);
    void chooseTemperatureUnit(int i);
    void chooseFlowUnit(int atGas, int atLiquid, int atSteam);
    void chooseUnit(const char *list, int i, bool liquidsOnly = false);
    // The built-in media.
    void chooseMedium(int code, int zustand, const QString &name);

    std::vector<std::pair<Menu *, QString>> captionKeys_;
    // New is running: the start picture's clock, ticking behind one of its messages, must not start it again.
    bool inNew_ = false;
    MainWindowAccess access_;
    bool ended_ = false;
    QStringList restoredAtStart_;
    QStringList logsKeptAtStart_;
    bool failed_ = false;
    int exitCode_ = 0;
};

// The main window while it exists (null before and after).
frmMDIMain *mainWindow();
