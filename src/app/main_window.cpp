#include "app/main_window.h"

#include "app/catalogue.h"
#include "app/program_parameters.h"
#include "app/project_file.h"
#include "app/sheet_host.h"
#include "app/user_name_dialog.h"
#include "fluids/fluid_wizard.h"
#include "platform/db/database.h"
#include "platform/print/printer_list.h"
#include "state/shared_data.h"
#include "tools/user_defined_valve.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"
#include "units/file_messages.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QDir>
#include <QScopeGuard>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {

frmMDIMain *g_mainWindow = nullptr;

const QString kTitleKey = QStringLiteral("Ventildimensionierung nach IEC 60534");
const QString kDefaultProject = QStringLiteral("Default");

// The rows of the language selector: frame top, flag top, flag height, label top, language's own name.
struct LanguageRow {
    int frameTop;
    int flagTop;
    int flagHeight;
    int labelTop;
    const char *name;
};
constexpr LanguageRow kLanguageRows[6] = {
    {2880, 3000, 195, 3000, "deutsch"},  {3360, 3435, 240, 3480, "english"}, {3840, 3960, 195, 3960, "francais"},
    {4320, 4440, 195, 4440, "italiano"}, {4800, 4920, 195, 4920, "español"}, {5280, 5400, 180, 5400, "cesky"},
};

// The desktop's own dialogs and buttons speak the program's language.
void speakToTheDesktopIn(int Sprache)
{
    static const char *const kLanguageCodes[6] = {"de", "en", "fr", "it", "es", "cs"};
    uiServices().setLanguage(QString::fromLatin1(kLanguageCodes[knownLanguage(Sprache)]));
}

// Device names taken for a PDF printer; "PDF" is the program's own PDF output.
bool isPdfPrinterName(const QString &name)
{
    static const QStringList names = {QStringLiteral("Acrobat PDFWriter"), QStringLiteral("Win2PDF"),
                                      QStringLiteral("PDFCreator"), QStringLiteral("PDF")};
    return names.contains(name, Qt::CaseSensitive);
}

// A stored window coordinate, or nothing when the parameter holds no usable number.
bool storedTwips(const Variant &v, double *twips)
{
    if (!v.isNumeric())
        return false;
    const double d = v.toDouble();
    if (!std::isfinite(d))
        return false;
    *twips = d;
    return true;
}

int toTwips(double v)
{
    // Far beyond any screen, but safe to hand on as an int.
    constexpr double limit = 1.0e8;
    return static_cast<int>(std::lround(std::clamp(v, -limit, limit)));
}

QString errorText(const std::exception &e)
{
    return failureReason(e, screenLanguage());
}

const QString kKenndaten = QStringLiteral("dbKenndaten.mdb");
const QString kSchalldaten = QStringLiteral("dbSchalldaten.mdb");
const QString kCannotOpen = QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:");
const QString kFreshCopy = QStringLiteral("An ihre Stelle tritt eine neue Kopie der mitgelieferten Datei.");

} // namespace

frmMDIMain *mainWindow()
{
    return g_mainWindow;
}

const RecoveryTexts &frmMDIMain::defaultProjectTexts(bool atStart)
{
    // At start-up the program parameters come from the file too; later the session's are written back at its end.
    static const RecoveryTexts start{
        QStringLiteral("Die Standarddatei des Programms kann nicht geladen werden:"),
        QStringLiteral("An ihre Stelle tritt eine neue Kopie der mitgelieferten Standarddatei."),
        QStringLiteral("Ihr Benutzername, Ihre Sprache, Ihre Auswahl der Druckabschnitte und Ihre gespeicherten "
                       "Standardeinstellungen stehen nur in der aufbewahrten Datei.")};
    static const RecoveryTexts later{start.leadKey, start.replacedKey,
                                     QStringLiteral("Ihre gespeicherten Standardeinstellungen stehen nur in der "
                                                    "aufbewahrten Datei.")};
    return atStart ? start : later;
}

const QString &frmMDIMain::defaultCaption()
{
    static const QString caption = QStringLiteral("Quendra 9.75 [DEFAULT]");
    return caption;
}

frmMDIMain::frmMDIMain() : Form(QStringLiteral("frmMDIMain"))
{
    g_mainWindow = this;
    setKind(Kind::MdiParent);
    // Room for the whole start picture below the menu bar and above the status line.
    move(0, 0, 9675, 8475);

    picStart.move(0, 0, 9555, 7605);
    picStart.Click = [this] { picStart_Click(); };

    lblMainTitle.move(240, 240, 5175, 1695);
    lblMainTitle.setForeColor(colors::Red);
    lblMainTitle.setFontName(QStringLiteral("Arial Black"));
    lblMainTitle.setFontSize(15.75);
    lblMainTitle.setFontBold(true);
    lblMainTitle.setCaption(kTitleKey);
    // The texts of the start screen stand on the picture.
    lblMainTitle.setOpaque(false);

    lblMainTitleTrelvan.move(5160, 2880, 3735, 1695);
    lblMainTitleTrelvan.setForeColor(colors::rgb(255, 128, 0));
    lblMainTitleTrelvan.setFontName(QStringLiteral("Arial Black"));
    lblMainTitleTrelvan.setFontSize(15.75);
    lblMainTitleTrelvan.setCaption(QStringLiteral("Valve Sizing Acc. IEC 534"));
    lblMainTitleTrelvan.setOpaque(false);
    lblMainTitleTrelvan.setVisible(false);

    for (int i = 0; i < 6; ++i) {
        const LanguageRow &row = kLanguageRows[i];
        RaSprache[i].move(6840, row.frameTop, 1575, 375);
        RaSprache[i].setVisible(false);
        ImgSprache[i].move(6960, row.flagTop, 375, row.flagHeight);
        ImgSprache[i].loadPicture(programFolder() + QStringLiteral("/Flagge%1.jpg").arg(i));
        ImgSprache[i].Click = [this, i] { ImgSprache_Click(i); };
        lblSprache[i].move(7680, row.labelTop, 735, 240);
        lblSprache[i].setCaption(QString::fromUtf8(row.name));
        lblSprache[i].setOpaque(false);
    }

    Zeit1.setInterval(10000);
    Zeit1.Tick = [this] { Zeit1_Timer(); };
    // The start screen's clock runs once start-up has finished: a message shown while the files are read must not
    // have New run behind it, nor after a start-up that failed.
    Zeit1.setEnabled(false);

    // Design captions: the German keys (the language switch replaces them), fixed captions, separators.
    captionKeys_ = {
        {&mnuDatei, QStringLiteral("Datei")},
        {&mnuNeu, QStringLiteral("Neu")},
        {&mnuOpen, QStringLiteral("Öffnen")},
        {&mnuSave, QStringLiteral("Speichern")},
        {&mnuSaveAs, QStringLiteral("Speichern unter")},
        {&mnuDrucken, QStringLiteral("Drucken")},
        {&mnuPDFDruck, QStringLiteral("PDF-Druck")},
        {&mnuDruckerEinrichten, QStringLiteral("Drucker einrichten")},
        {&mnuStandardLaden, QStringLiteral("Standardeinstellungen laden")},
        {&mnuStandardSpeichern, QStringLiteral("Einstellungen als Standard speichern")},
        {&mnuEnde, QStringLiteral("Ende")},
        {&mnuModus, QStringLiteral("Modus")},
        {&mnuDimens, QStringLiteral("Dimensionierung")},
        {&mnuFlow, QStringLiteral("Durchflussberechnung")},
        {&mnuBauform, QStringLiteral("Bauform")},
        {&mnuGS, QStringLiteral("Gleitschieber-Stellventile")},
        {&mnu4612, QStringLiteral("Druckregler 4612/13")},
        {&mnu4625, QStringLiteral("Pneumatisches Stellventil 4625")},
        {&mnu4627_71, QStringLiteral("Pneumatisches Stellventil 4627/31/33, analog")},
        {&mnu4627_72, QStringLiteral("Pneumatisches Stellventil 4627/31/33, digital")},
        {&mnu4638, QStringLiteral("Motorventil 4638")},
        {&mnu4648, QStringLiteral("Druckregler 4648")},
        {&mnu4651_71, QStringLiteral("Stellventil 4651/52, analog")},
        {&mnu4651_72, QStringLiteral("Stellventil 4651/52, digital")},
        {&mnu4656, QStringLiteral("Handventil 4656/57")},
        {&mnuSitz, QStringLiteral("Sitzventile")},
        {&mnu3264, QStringLiteral("Schrägsitz-Stellventil 3264")},
        {&mnu3425, QStringLiteral("Mikroventil 3425")},
        {&mnu3548, QStringLiteral("Eck-Stellventil 3548")},
        {&mnu3926, QStringLiteral("3/2-Wege-Stellventil 3926")},
        {&mnuSteril, QStringLiteral("Sterilventile")},
        {&mnu2613, QStringLiteral("Steril-Stellventil 2613/14")},
        {&mnu3653, QStringLiteral("Membran-Stellventil 3653")},
        {&mnu3786, QStringLiteral("Schlauch-Stellventil 3786/88")},
        {&mnu2381, QStringLiteral("Karnol Kugelsektorventil 2381")},
        {&mnuAbsperr, QStringLiteral("Absperrventile")},
        {&mnu3152, QStringLiteral("Schrägsitzventil 3152")},
        {&mnu3378, QStringLiteral("Flanschventil 3378")},
        {&mnu3391, QStringLiteral("Flanschventil 3391")},
        {&mnu3547, QStringLiteral("Eckventil 3547")},
        {&mnu3652, QStringLiteral("Membranventil 3652")},
        {&mnu3761, QStringLiteral("Schlauchventil 3761")},
        {&mnu3834, QStringLiteral("3/2-Wegeventil 3834")},
        {&mnu4644, QStringLiteral("GS-Absperrventil 4644/45")},
        {&mnu9999, QStringLiteral("Benutzerdefiniert")},
        {&mnuMedium, QStringLiteral("Medium")},
        {&mnuLuft, QStringLiteral("Luft")},
        {&mnuWasser, QStringLiteral("Wasser")},
        {&mnuWasserdampf, QStringLiteral("Wasserdampf")},
        {&mnuIdealesGas, QStringLiteral("Ideales Gas")},
        {&mnuFlüssigkeit, QStringLiteral("Flüssigkeit")},
        {&mnuGasGemisch, QStringLiteral("Mischungen Idealer Gase")},
        {&mnuPapierstoff, QStringLiteral("Papierstoff")},
        {&mnuStoffdatenAssistent, QStringLiteral("Stoffdaten-Assistent")},
        {&mnuOptionen, QStringLiteral("Optionen")},
        {&mnuBenutzername, QStringLiteral("Benutzername")},
        {&mnuPasswort, QStringLiteral("Passwort")},
        {&mnuEinheiten, QStringLiteral("Einheiten")},
        {&mnuDruck, QStringLiteral("Druck")},
        {&mnuTemperatur, QStringLiteral("Temperatur")},
        {&mnuDurchfluss, QStringLiteral("Durchfluss")},
        {&mnuDichte, QStringLiteral("Dichte")},
        {&mnuViskositaet, QStringLiteral("Viskosität")},
        {&mnuGeschwindigkeit, QStringLiteral("Geschwindigkeit")},
        {&mnuNennweite, QStringLiteral("Nennweite")},
        {&mnuDurchflusskoeffizient, QStringLiteral("Durchflusskoeffizient")},
        {&mnuTools, QStringLiteral("Tools")},
        {&mnuWärmetauscher, QStringLiteral("Berechnung Wärmetauscher (Dampf)")},
        {&mnuAnzeigeKennlinie, QStringLiteral("Anzeige Kennlinie")},
        {&mnuAnzeigeFL, QStringLiteral("Anzeige Druckrückgewinn-Faktor FL")},
        {&mnuAnzeigeXT, QStringLiteral("Anzeige krit. Druckverhältnis xT")},
        {&mnuHilfe, QStringLiteral("Hilfe")},
        {&mnuHilfeDeutsch, QStringLiteral("Hilfe, deutsch")},
        {&mnuHilfeEnglisch, QStringLiteral("Hilfe, englisch")},
        {&mnuInfo, QStringLiteral("Info")},
    };
    for (const auto &[menu, key] : captionKeys_)
        menu->setCaption(key);
    for (Menu *separator : {&mnuTrennstrich16, &mnuTrennstrich17, &mnuTrennstrich15, &tr1, &mnuTrennstrich3,
                            &mnuTrennstrich20, &mnuTrennstrich4, &mnuTrennstrich5, &ternnstrich2, &mnuTrennstrich6,
                            &mnuTrennstrich7})
        separator->setCaption(QStringLiteral("-"));
    const std::pair<Menu *, const char *> fixedCaptions[] = {
        {&mnuPapierstoff25, "c = 2.5%"}, {&mnuPapierstoff3, "c = 3%"},  {&mnuPapierstoff4, "c = 4%"},
        {&mnuPapierstoff5, "c = 5%"},    {&mnuCelsius, "°C"},          {&mnuFahrenheit, "F"},
        {&mnuM3h, "m3/h"},               {&mnuM3hnorm, "m3/h (norm.)"}, {&mnuKgh, "kg/h"},
        {&mnuLmin, "l/min."},            {&mnuLminnorm, "l/min. (norm.)"}, {&mnuLbhr, "lb./hr."},
        {&mnuCufthr, "cu.ft./hr."},      {&mnuScufthr, "scu.ft./hr."}, {&mnuUSgpm, "US g.p.m."},
        {&mnuKgm3, "kg/m3"},             {&mnuLbcuft, "lb./cu.ft."},   {&mnuCst, "cSt (mm2/s)"},
        {&mnuCP, "cP (mPas)"},           {&mnuMs, "m/s"},              {&mnuFtsec, "ft./sec."},
        {&mnuMM, "mm"},                  {&mnuInch, "inch"},           {&mnuKv, "Kv"},
        {&mnuCv, "Cv"},
    };
    for (const auto &[menu, text] : fixedCaptions)
        menu->setCaption(QString::fromUtf8(text));
    Menu *pressureEntries[] = {&mnuBara, &mnuBarg, &mnuPsia, &mnuPsig, &mnuMPaa, &mnuMPag, &mnukPaa, &mnukPag};
    for (int i = 0; i < 8; ++i)
        pressureEntries[i]->setCaption(EinheitDruck(Variant(i)));
    mnuDrucken.setShortcut(QStringLiteral("Ctrl+P"));
    mnuEnde.setShortcut(QStringLiteral("Ctrl+E"));

    // Before New only File > New can be chosen.
    for (Menu *entry : mnuDatei.entries())
        entry->setEnabled(entry == &mnuNeu);
    for (Menu *menu : {&mnuModus, &mnuBauform, &mnuMedium, &mnuEinheiten, &mnuTools, &mnuOptionen, &mnuHilfe})
        menu->setEnabled(false);
    for (Menu *extended : {&mnuTrennstrich20, &mnu9999, &mnuAnzeigeFL, &mnuAnzeigeXT})
        extended->setVisible(false);

    mnuNeu.Click = [this] { mnuNeu_Click(); };
    mnuEnde.Click = [this] { mnuEnde_Click(); };
    mnuDimens.Click = [this] { mnuDimens_Click(); };
    mnuFlow.Click = [this] { mnuFlow_Click(); };
    mnuBenutzername.Click = [this] { mnuBenutzername_Click(); };
    connectFileCommands();
    connectSeriesMenu();
    connectUnitMenus();
    connectMediumMenu();
    connectPrintMenu();
    connectDialogEntries();
    connectToolsMenu();

    access_.StatusBar = &StatusBar;
    access_.mnuDrucken = &mnuDrucken;
    access_.mnuPDFDruck = &mnuPDFDruck;
}

frmMDIMain::~frmMDIMain()
{
    if (mainWindowAccess() == &access_)
        setMainWindowAccess(nullptr);
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

void frmMDIMain::Form_Load()
{
    MDIForm_Load();
}

void frmMDIMain::Form_Unload(int &Cancel)
{
    // File > End has already shut down: nothing runs twice.
    if (!ended_)
        MDIForm_Unload(Cancel);
    ended_ = true;
    if (mainWindowAccess() == &access_)
        setMainWindowAccess(nullptr);
}

void frmMDIMain::MDIForm_Load()
{
    SharedData &d = shared();
    setMainWindowAccess(&access_);
    // The window first appears centred on the screen.
    centerOnScreen();

    setCaption(defaultCaption());

    d.StandardDrucker = printerList().defaultPrinterName();
    d.PDFDruckerVorhanden = false;
    for (const QString &name : printerList().installedPrinterNames()) {
        if (isPdfPrinterName(name)) {
            d.PDFDruckerVorhanden = true;
            d.PDFDrucker = name;
            break;
        }
    }

    d.DruckKenndaten = Variant(false);

    try {
        openLanguageDatabase(dataFile(QLatin1String(kLanguageDatabase)));
    } catch (const std::exception &e) {
        fail(dataFile(QLatin1String(kLanguageDatabase)), errorText(e));
        return;
    }

    d.DatenPfad = dataFolder();
    d.DateiName = kDefaultProject;

    // Only a damaged file is replaced; one held by another program or that cannot be read is left as it is, and
    // the program ends having changed nothing.
    const QString defaultPath = projectFilePath(d.DatenPfad, d.DateiName);
    try {
        openDataFile(defaultPath, defaultProjectTexts(true), [&d] {
            LoadProgrammParameter(d.DatenPfad, d.DateiName);
            LoadParameter(d.DatenPfad, d.DateiName);
        });
    } catch (const std::exception &e) {
        fail(defaultPath, errorText(e));
        return;
    }

    // A language without a flag (only an edited parameter file gives one) is taken as German.
    d.Sprache = knownLanguage(d.Sprache);

    applyStartPictures();
    if (failed_)
        return;

    // The files a first start copies are not worth a word; logs of an earlier session set aside from beside them
    // are, now that the screen language is known.
    if (!logsKeptAtStart_.isEmpty())
        reportFileError(restoredFilesMessage(dataFolder(), restoredAtStart_, logsKeptAtStart_, screenLanguage()));

    Zeit1.setEnabled(true);
}

void frmMDIMain::applyStartPictures()
{
    const SharedData &d = shared();
    const QString picture = programFolder() + QStringLiteral("/Startbild_XKTR.jpg");
    if (!picStart.loadPicture(picture)) {
        fail(picture, QString());
        return;
    }

    RaSprache[d.Sprache].setVisible(true);
    ImgSprache_Click(d.Sprache);

    if (d.KD_Version == 1) {
        const QString partner = programFolder() + QStringLiteral("/Startbild_1.jpg");
        if (!picStart.loadPicture(partner)) {
            fail(partner, QString());
            return;
        }
        for (int i = 0; i < 6; ++i) {
            RaSprache[i].setVisible(false);
            ImgSprache[i].setVisible(false);
            lblSprache[i].setVisible(false);
        }
        lblMainTitle.setVisible(false);
        lblMainTitleTrelvan.setVisible(true);
        mnuPasswort.setVisible(false);
    }
}

void frmMDIMain::ImgSprache_Click(int Index)
{
    if (Index < 0 || Index > 5)
        return;
    SharedData &d = shared();
    for (int i = 0; i < 6; ++i)
        RaSprache[i].setVisible(false);
    RaSprache[Index].setVisible(true);
    d.Sprache = Index;
    speakToTheDesktopIn(Index);
    lblMainTitle.setCaption(getText(kTitleKey, d.Sprache));
    setMenuCaptions();
    try {
        SaveParameter(d.DatenPfad, d.DateiName);
    } catch (const std::exception &e) {
        // The captions are set; a project file that cannot be written must not stop the program.
        const QString text = getText(QStringLiteral("Die Projektdatei kann nicht gespeichert werden:"), d.Sprache) +
                             QLatin1Char('\n') + QDir::toNativeSeparators(projectFilePath(d.DatenPfad, d.DateiName)) +
                             QStringLiteral("\n\n") + errorText(e);
        uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption());
    }
}

void frmMDIMain::setMenuCaptions()
{
    const int Sprache = shared().Sprache;
    Menu *pressureEntries[] = {&mnuBara, &mnuBarg, &mnuPsia, &mnuPsig, &mnuMPaa, &mnuMPag, &mnukPaa, &mnukPag};
    for (const auto &[menu, key] : captionKeys_) {
        menu->setCaption(getText(key, Sprache));
        if (menu == &mnuDruck) {
            for (int i = 0; i < 8; ++i)
                pressureEntries[i]->setCaption(EinheitDruck(Variant(i)));
        }
    }
}

void frmMDIMain::picStart_Click()
{
    mnuNeu_Click();
}

void frmMDIMain::Zeit1_Timer()
{
    if (picStart.visible()) {
        Zeit1.setEnabled(false);
        picStart_Click();
    }
}

void frmMDIMain::mnuNeu_Click()
{
    // Once New has been started, by the user or by the clock, the start screen's clock has done its part: a New that
    // failed is retried by a click or the menu, not repeated with the same message by the next tick.
    Zeit1.setEnabled(false);
    if (ended_ || inNew_)
        return;
    inNew_ = true;
    const auto done = qScopeGuard([this] { inNew_ = false; });
    SharedData &d = shared();

    // A data folder removed while the program ran is made again, as at start-up.
    if (!restoreDataFolder())
        return;

    // Everything New reads is read before anything changes: a file held by another program, one that cannot be
    // read, or a damaged one that cannot be replaced is reported and the window stays as it was. What New closed of
    // its own handles to set a damaged file aside is opened again then.
    const QString folder = dataFolder();
    SharedData staged;
    OpenedCatalogue catalogue;
    std::shared_ptr<Database> schalldaten;
    const bool hadSchalldaten = d.dbSchalldaten != nullptr;
    const bool hadKenndaten = d.dbKenndaten != nullptr;
    QString file = projectFilePath(folder, kDefaultProject);
    try {
        openDataFile(file, defaultProjectTexts(false), [&] { LoadParameter(folder, kDefaultProject, staged); });
        file = dataFile(kKenndaten);
        catalogue = openCatalogue(staged.Ventiltyp, [this](const QString &text) { tellRecovered(text); });
        file = dataFile(kSchalldaten);
        openDataFile(
            file, {kCannotOpen, kFreshCopy, QString()},
            [&] {
                schalldaten = Database::open(file);
                // An empty file opens as a database without tables.
                if (schalldaten->tableNames().isEmpty())
                    schalldaten->fail(DbError::Kind::NoSuchTable, QString(), QStringLiteral("the file holds no tables"));
            },
            [&] {
                schalldaten.reset();
                d.dbSchalldaten.reset();
            });
    } catch (const std::exception &e) {
        catalogue = OpenedCatalogue();
        schalldaten.reset();
        if (hadKenndaten)
            reopenSharedCatalogue();
        if (hadSchalldaten && !d.dbSchalldaten) {
            try {
                d.dbSchalldaten = Database::open(dataFile(kSchalldaten));
            } catch (const std::exception &) {
                // The noise estimate then finds no curves and shows N/A.
            }
        }
        refuseNew(file, errorText(e));
        return;
    }

    // The print entries follow the sheet's results (mainwin::setResultsCurrent).
    for (Menu *entry : {&mnuOpen, &mnuSave, &mnuSaveAs})
        entry->setEnabled(true);
    for (Menu *entry : {&mnuDruckerEinrichten, &mnuStandardLaden, &mnuStandardSpeichern, &mnuEnde})
        entry->setEnabled(true);
    for (Menu *menu : {&mnuModus, &mnuBauform, &mnuMedium, &mnuOptionen, &mnuEinheiten, &mnuTools, &mnuHilfe})
        menu->setEnabled(true);

    lblMainTitle.setVisible(false);
    picStart.setVisible(false);

    // The default project becomes the current one, so the caption names it again. The program parameters of this
    // session stay; shut-down writes them into the file.
    setCaption(defaultCaption());
    d.DatenPfad = folder;
    d.DateiName = kDefaultProject;
    takeProjectItems(d, staged);
    takeCatalogue(std::move(catalogue));
    d.dbSchalldaten = std::move(schalldaten);
    reconcileProjectUserValve(projectFilePath(folder, kDefaultProject), caption());

    if (d.Benutzername == QLatin1String("0")) {
        d.Benutzername = QStringLiteral(" ");
        mnuBenutzername_Click();
    }

    if (d.KD_Version == 6417) {
        for (Menu *extended : {&mnuTrennstrich20, &mnu9999, &mnuAnzeigeFL, &mnuAnzeigeXT})
            extended->setVisible(true);
    }
    if (d.KD_Version == 1) {
        for (Menu *hidden : {&mnuGS, &mnu3425, &mnu3548, &mnu3926, &mnuSteril, &mnu3786, &mnu2381, &mnu3378,
                             &mnu3391, &mnu3547, &mnu3652, &mnu3761, &mnu3834, &mnu4644, &mnuHilfeDeutsch,
                             &mnuHilfeEnglisch})
            hidden->setVisible(false);
    }

    // As at Open: a valve the series no longer offers is named with the one taken.
    reloadSheetAfterLoad(projectFilePath(folder, kDefaultProject));

    applyWindowPlace();
}

void frmMDIMain::applyWindowPlace()
{
    const SharedData &d = shared();
    UiServices &ui = uiServices();
    // Centring uses the size the window has before it is resized below.
    const float currentWidth = static_cast<float>(width());
    const float currentHeight = static_cast<float>(height());
    double stored = 0.0;

    // A place the parameters do not hold as a number counts as "centre", a height as too small.
    float newTop;
    if (!storedTwips(d.FormTop, &stored) || stored < 0)
        newTop = (static_cast<float>(ui.screenHeightTwips()) - currentHeight) / 2.0f;
    else
        newTop = static_cast<float>(stored);
    float newLeft;
    if (!storedTwips(d.FormLeft, &stored) || stored < 0)
        newLeft = (static_cast<float>(ui.screenWidthTwips()) - currentWidth) / 2.0f;
    else
        newLeft = static_cast<float>(stored);
    float newHeight;
    if (!storedTwips(d.FormHeight, &stored) || stored < 5000)
        newHeight = 5000.0f;
    else
        newHeight = static_cast<float>(stored);

    move(toTwips(newLeft), toTwips(newTop), 11850, toTwips(newHeight));
}

void frmMDIMain::mnuDimens_Click()
{
    sheethost::unloadSheet(SheetKind::CalcFlow);
    sheethost::unloadSheet(SheetKind::CalcSize);
    sheethost::loadSheet(SheetKind::CalcSize);
    shared().Modus = 0;
}

void frmMDIMain::mnuFlow_Click()
{
    SharedData &d = shared();
    sheethost::unloadSheet(SheetKind::CalcSize);
    sheethost::unloadSheet(SheetKind::CalcFlow);
    sheethost::loadSheet(SheetKind::CalcFlow);
    // The status line and the print entries are the sheet's last recalculation's, as after the sizing switch: a
    // run that stopped keeps its report and the entries stay off.
    d.Modus = 1;
}

void frmMDIMain::MDIForm_Unload(int &Cancel)
{
    (void)Cancel;
    // The wizard may still be open beside the sheet; it goes with the program, closing its database.
    frmStoffdatenAssistentInstance().unload();
    // Nothing was taken over from the files: nothing is written back.
    if (failed_)
        return;
    SharedData &d = shared();
    try {
        d.FormTop = Variant(static_cast<float>(top()));
        d.FormLeft = Variant(static_cast<float>(left()));
        d.FormHeight = Variant(static_cast<float>(height()));
        d.DatenPfad = dataFolder();
        d.DateiName = kDefaultProject;
        try {
            SaveProgrammParameter(d.DatenPfad, d.DateiName);
        } catch (const std::exception &e) {
            // The settings of this session are lost; the user hears of it, and the file stays as it was.
            reportFileError(fileFailureMessage(QStringLiteral("Die Programmparameter können nicht gespeichert werden:"),
                                               projectFilePath(d.DatenPfad, d.DateiName), errorText(e),
                                               screenLanguage()));
        }
        d.rsVentil.reset();
        d.dbKenndaten.reset();
        d.dbSchalldaten.reset();
        closeLanguageDatabase();
    } catch (...) {
        // Closing the databases ends silently at the first failure (from the start screen the characteristic
        // database was never opened).
    }
}

void frmMDIMain::mnuEnde_Click()
{
    int Cancel = 0;
    MDIForm_Unload(Cancel);
    endProgram(0);
}

void frmMDIMain::mnuBenutzername_Click()
{
    frmBenutzername &dialog = frmBenutzernameInstance().get();
    dialog.centerOnScreen();
    dialog.showModal();
}

void frmMDIMain::fail(const QString &file, const QString &detail)
{
    const int Sprache = screenLanguage();
    failed_ = true;
    QString text = getText(QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:"), Sprache) +
                   QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    text += QStringLiteral("\n\n") + getText(QStringLiteral("Das Programm wird beendet."), Sprache);
    uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Critical, caption());
    endProgram(1);
}

void frmMDIMain::refuseNew(const QString &file, const QString &detail)
{
    reportFileError(fileFailureMessage(kCannotOpen, file, detail, screenLanguage()));
}

bool frmMDIMain::openCatalogueFor(const QString &Ventiltyp, OpenedCatalogue &catalogue)
{
    try {
        catalogue = openCatalogue(Ventiltyp, [this](const QString &text) { tellRecovered(text); });
        return true;
    } catch (const std::exception &e) {
        reportFileError(fileFailureMessage(kCannotOpen, dataFile(kKenndaten), errorText(e), screenLanguage()));
        return false;
    }
}

void frmMDIMain::openDataFile(const QString &path, const RecoveryTexts &texts, const std::function<void()> &open,
                              const std::function<void()> &release)
{
    openRecovering(path, texts, open, release, [this](const QString &text) { tellRecovered(text); });
}

void frmMDIMain::tellRecovered(const QString &text)
{
    uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption());
}

bool frmMDIMain::restoreDataFolder()
{
    QString error;
    QStringList restored;
    QStringList keptLogs;
    if (!ensureDataFolder(programFolder() + QStringLiteral("/seed"), &error, &restored, &keptLogs)) {
        reportFileError(error);
        return false;
    }
    if (!restored.isEmpty() || !keptLogs.isEmpty())
        reportFileError(restoredFilesMessage(dataFolder(), restored, keptLogs, screenLanguage()));
    return true;
}

bool frmMDIMain::prepareStart()
{
    SharedData &d = shared();
    // Until the data folder's texts are open the installed ones serve, in the language of the default project where
    // it can be read; else in German, the language the texts are keyed in.
    try {
        openLanguageDatabase(programFolder() + QStringLiteral("/seed/") + QLatin1String(kLanguageDatabase));
        SharedData stored;
        LoadProgrammParameter(dataFolder(), kDefaultProject, stored);
        d.Sprache = knownLanguage(stored.Sprache);
        speakToTheDesktopIn(d.Sprache);
    } catch (const std::exception &) {
    }
    QString error;
    if (ensureDataFolder(programFolder() + QStringLiteral("/seed"), &error, &restoredAtStart_, &logsKeptAtStart_))
        return true;
    failed_ = true;
    uiServices().messageBox(error + QStringLiteral("\n\n") +
                                getText(QStringLiteral("Das Programm wird beendet."), screenLanguage()),
                            MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Quendra"));
    endProgram(1);
    return false;
}

void frmMDIMain::endProgram(int code)
{
    ended_ = true;
    exitCode_ = code;
    Zeit1.setEnabled(false);
    if (EndProgram)
        EndProgram(code);
}
