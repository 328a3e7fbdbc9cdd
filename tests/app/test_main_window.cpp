#include "app/main_window.h"
#include "app/program_parameters.h"
#include "app/project_file.h"
#include "app/sheet_host.h"
#include "app/user_name_dialog.h"
#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/printer_list.h"
#include "state/shared_data.h"
#include "support/damaged_files.h"
#include "support/exec_sql.h"
#include "support/full_disk.h"
#include "support/interrupted_write.h"
#include "support/pipe_watch.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"
#include "units/file_messages.h"
#include "units/texts.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <sqlite3.h>

Q_DECLARE_METATYPE(Variant)

// The main window on the generated seed data in a temporary documents folder, with scripted desktop services,
// a printer list given by each test and stand-ins for the two sheets that record how they are loaded.

namespace {

const QString kGerman = QStringLiteral("Berechnung nicht aktualisiert");

void resetShared()
{
    closeLanguageDatabase();
    SharedData &d = shared();
    d.rsVentil.reset();
    d.rsSprache.reset();
    d = SharedData();
}

// Changes the stored default project and program parameters.
void storeDefault(const std::function<void(SharedData &)> &change)
{
    SharedData d;
    LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
    LoadParameter(dataFolder(), QStringLiteral("Default"), d);
    change(d);
    SaveProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
    SaveParameter(dataFolder(), QStringLiteral("Default"), d);
}

SharedData storedDefault()
{
    SharedData d;
    LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
    LoadParameter(dataFolder(), QStringLiteral("Default"), d);
    return d;
}

using testsupport::fileBytes;
using testsupport::FileSizeLimit;

bool overwrite(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Commits `sql` in write-ahead-log mode and closes without the checkpoint a last connection makes: the log keeps the
// change, as a program killed after its commit leaves it.
void commitIntoLog(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK);
    QVERIFY(sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr) == SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, (QStringLiteral("PRAGMA journal_mode = WAL; ") + sql).toUtf8().constData(),
                                nullptr, nullptr, &error);
    const QString said = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(said));
}

// The rows of a table as SQLite reads them, opening the file for writing as the program does (so that it plays
// whatever log lies beside it); -1 when it cannot.
int rowCount(const QString &path, const QString &table)
{
    sqlite3 *db = nullptr;
    int count = -1;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table).toUtf8().constData(), -1,
                           &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        count = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return count;
}

struct FakeSheets {
    QStringList events;
    int modusDuringLoad = -1;
    std::function<void()> onFlowLoad;
    bool size = false;
    bool flow = false;

    void install()
    {
        sheethost::registerSheet(SheetKind::CalcSize, {[this] { load(size, QStringLiteral("size")); },
                                                       [this] { unload(size, QStringLiteral("size")); },
                                                       [this] { return size; }});
        sheethost::registerSheet(SheetKind::CalcFlow, {[this] {
                                                           load(flow, QStringLiteral("flow"));
                                                           if (onFlowLoad)
                                                               onFlowLoad();
                                                       },
                                                       [this] { unload(flow, QStringLiteral("flow")); },
                                                       [this] { return flow; }});
    }
    // A sheet's load ends with its recalculation, which succeeds here.
    void load(bool &loaded, const QString &name)
    {
        loaded = true;
        modusDuringLoad = shared().Modus;
        events << QStringLiteral("load ") + name;
        mainwin::setStatusText(getText(QStringLiteral("Berechnung aktualisiert"), shared().Sprache));
        mainwin::setResultsCurrent(true);
    }
    void unload(bool &loaded, const QString &name)
    {
        if (loaded)
            events << QStringLiteral("unload ") + name;
        loaded = false;
    }
    int loads() const { return static_cast<int>(events.filter(QStringLiteral("load ")).size()); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    ScriptedUiServices ui_;
    std::unique_ptr<UiServicesScope> uiScope_;
    FixedPrinterList printers_;
    std::unique_ptr<PrinterListScope> printerScope_;
    FakeSheets sheets_;
    std::unique_ptr<frmMDIMain> w_;

    frmMDIMain &start()
    {
        w_ = std::make_unique<frmMDIMain>();
        w_->load();
        return *w_;
    }
    QString defaultFile() const { return dataFile(QStringLiteral("Default.vls")); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpCaptionsFollowTheStoredLanguage_data();
    void startUpCaptionsFollowTheStoredLanguage();
    void everyMenuCaptionKeyHasSixTexts();
    void startUpLeavesOnlyNewReachable();
    void flagClickSwitchesLanguageAndWritesProject();
    void desktopTextsFollowTheLanguage_data();
    void desktopTextsFollowTheLanguage();
    void pickedLanguageSurvivesOnlyAShutDown();
    void pdfPrinterDetection_data();
    void pdfPrinterDetection();
    void timerRunsNewOnceAfterTenSeconds();
    void clickedStartPictureLeavesLaterTicksIdle();
    void failedNewOnTheStartScreenIsNotRepeatedByTheTimer_data();
    void failedNewOnTheStartScreenIsNotRepeatedByTheTimer();
    void newAsksForTheNameWhenNoneIsStored();
    void newWithAStoredNameOpensNoDialog();
    void newPlacesTheWindow_data();
    void newPlacesTheWindow();
    void displayVariants_data();
    void displayVariants();
    void modeSwitchesExchangeTheSheet();
    void flowSwitchKeepsAFailureReport();
    void newAfterOpenRestoresDefaultProjectAndCaption();
    void shutDownSavesOnce_data();
    void shutDownSavesOnce();
    void unusableFilesEndTheProgramCleanly_data();
    void unusableFilesEndTheProgramCleanly();
    void unloadableDefaultProjectIsKeptAndReplaced_data();
    void unloadableDefaultProjectIsKeptAndReplaced();
    void readOnlyDefaultProjectDoesNotStopStartUp();
    void damagedDataFileIsKeptAndReplacedAtNew_data();
    void damagedDataFileIsKeptAndReplacedAtNew();
    void heldOrUnreadableFileIsLeftAlone_data();
    void heldOrUnreadableFileIsLeftAlone();
    void removedDataFolderIsMadeAgainAtNew_data();
    void removedDataFolderIsMadeAgainAtNew();
    void shutDownTellsASaveThatFailed_data();
    void shutDownTellsASaveThatFailed();
    void languageWithoutAFlagStartsInGerman();
    void failedReplacementAtNewKeepsTheWindow_data();
    void failedReplacementAtNewKeepsTheWindow();
    void staleLogsAreKeptAsideBeforeAFreshCopy_data();
    void staleLogsAreKeptAsideBeforeAFreshCopy();
    void whatIsNoRegularFileIsLeftAlone_data();
    void whatIsNoRegularFileIsLeftAlone();
    void startMessagesSpeakTheStoredLanguage_data();
    void startMessagesSpeakTheStoredLanguage();
};

void TestMainWindow::initTestCase()
{
    QVERIFY(tmp_.isValid());
    QDir().mkpath(tmp_.filePath(QStringLiteral("home")));
    QDir().mkpath(tmp_.filePath(QStringLiteral("config")));
    qputenv("HOME", QFile::encodeName(tmp_.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp_.filePath(QStringLiteral("config"))));
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    uiScope_ = std::make_unique<UiServicesScope>(ui_);
    printerScope_ = std::make_unique<PrinterListScope>(printers_);
}

void TestMainWindow::init()
{
    resetShared();
    QDir(dataFolder()).removeRecursively();
    QString error;
    QVERIFY2(ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error), qPrintable(error));
    // Most cases are about something else than the first-use name question.
    storeDefault([](SharedData &d) { d.Benutzername = QStringLiteral("Tester"); });
    ui_.reset();
    ui_.setScreenSizeTwips(30000, 20000);
    printers_.set(QStringLiteral("Office"), {QStringLiteral("Office")});
    sheets_ = FakeSheets();
    sheets_.install();
}

void TestMainWindow::cleanup()
{
    w_.reset();
    frmBenutzernameInstance().unload();
    sheethost::registerSheet(SheetKind::CalcSize, {});
    sheethost::registerSheet(SheetKind::CalcFlow, {});
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::WriteOwner);
    resetShared();
}

void TestMainWindow::startUpCaptionsFollowTheStoredLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("gauge");
    QTest::newRow("German") << 0 << "Datei" << "Ventildimensionierung nach IEC 60534" << "bar,ü.";
    QTest::newRow("English") << 1 << "File" << "Valve sizing according to IEC 60534" << "bar,g";
    QTest::newRow("French") << 2 << "Fichier" << "Dimensionnement des vannes selon CEI 60534" << "bar,rel.";
    QTest::newRow("Italian") << 3 << "File" << "Dimensionamento valvole secondo IEC 60534" << "bar,rel.";
    QTest::newRow("Spanish") << 4 << "Archivo" << "Dimensionamiento de válvulas según IEC 60534" << "bar,rel.";
    QTest::newRow("Czech") << 5 << "Soubor" << "Dimenzování ventilů podle IEC 60534" << "bar,př.";
}

void TestMainWindow::startUpCaptionsFollowTheStoredLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, gauge);
    storeDefault([&](SharedData &d) { d.Sprache = language; });

    frmMDIMain &w = start();
    QCOMPARE(w.caption(), QStringLiteral("Quendra 9.75 [DEFAULT]"));
    QCOMPARE(w.mnuDatei.caption(), file);
    QCOMPARE(w.lblMainTitle.caption(), title);
    QCOMPARE(w.mnuBarg.caption(), gauge);
    QCOMPARE(w.mnuPsia.caption(), QStringLiteral("psia"));
    QCOMPARE(w.mnuM3h.caption(), QStringLiteral("m3/h"));
    QCOMPARE(w.mnuPapierstoff25.caption(), QStringLiteral("c = 2.5%"));
    QCOMPARE(w.lblMainTitleTrelvan.caption(), QStringLiteral("Valve Sizing Acc. IEC 534"));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(w.RaSprache[i].visible(), i == language);
    QCOMPARE(shared().Sprache, language);
    QVERIFY(w.picStart.picturePath().endsWith(QStringLiteral("/Startbild_XKTR.jpg")));
    QVERIFY(!w.ImgSprache[language].picture().isNull());
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));
    QVERIFY(shared().StoffdatenAktuell);
    QVERIFY(ui_.messages().empty());
    QVERIFY(sheets_.events.isEmpty());
}

void TestMainWindow::everyMenuCaptionKeyHasSixTexts()
{
    frmMDIMain &w = start();
    QCOMPARE(static_cast<int>(w.captionKeys().size()), 75);
    const QStringList columns = {QStringLiteral("strings_deutsch"),     QStringLiteral("strings_englisch"),
                                 QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                                 QStringLiteral("strings_spanisch"),    QStringLiteral("strings_tschechisch")};
    auto &rs = *shared().rsSprache;
    for (const auto &[menu, key] : w.captionKeys()) {
        QVERIFY2(rs.seek(Variant(key)), qPrintable(key));
        for (const QString &c : columns)
            QVERIFY2(!rs.field(c).toString().trimmed().isEmpty(), qPrintable(key + QLatin1Char('/') + c));
    }
}

void TestMainWindow::startUpLeavesOnlyNewReachable()
{
    frmMDIMain &w = start();
    QVERIFY(w.mnuNeu.isReachable());
    for (Menu *entry : w.mnuDatei.entries()) {
        if (entry != &w.mnuNeu && !entry->isSeparator())
            QVERIFY2(!entry->isReachable(), qPrintable(entry->name()));
    }
    for (Menu *title : w.menus()) {
        if (title != &w.mnuDatei)
            QVERIFY2(!title->isReachable(), qPrintable(title->name()));
    }
    QVERIFY(!w.mnuEnde.userChoose());
    QVERIFY(!w.programEnded());
    QCOMPARE(w.Zeit1.interval(), 10000);
    QVERIFY(w.Zeit1.enabled());
    QCOMPARE(shared().DruckKenndaten, Variant(false));
}

void TestMainWindow::flagClickSwitchesLanguageAndWritesProject()
{
    frmMDIMain &w = start();
    // Twice the same flag: the captions are set again and the project is written each time.
    for (const QString &firm : {QStringLiteral("Firma A"), QStringLiteral("Firma B")}) {
        shared().TextFirma = Variant(firm);
        w.ImgSprache[4].userClick();
        QCOMPARE(shared().Sprache, 4);
        QCOMPARE(w.mnuDatei.caption(), QStringLiteral("Archivo"));
        QCOMPARE(w.mnuBarg.caption(), QStringLiteral("bar,rel."));
        QCOMPARE(w.mnuPsia.caption(), QStringLiteral("psia"));
        QCOMPARE(w.mnuKgh.caption(), QStringLiteral("kg/h"));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.RaSprache[i].visible(), i == 4);
        QCOMPARE(storedDefault().TextFirma, Variant(firm));
    }
    // The labels beside the flags are no switch.
    w.lblSprache[1].userClick();
    QCOMPARE(shared().Sprache, 4);
    QVERIFY(w.picStart.visible());
    QVERIFY(sheets_.events.isEmpty());
}

void TestMainWindow::desktopTextsFollowTheLanguage_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("afterClick");
    QTest::newRow("German, then Czech") << 0 << "de" << 5 << "cs";
    QTest::newRow("French, then English") << 2 << "fr" << 1 << "en";
    QTest::newRow("Italian, then Spanish") << 3 << "it" << 4 << "es";
}

void TestMainWindow::desktopTextsFollowTheLanguage()
{
    // File dialogs and message-box buttons speak the language of the captions, from start-up on.
    QFETCH(int, stored);
    QFETCH(QString, atStart);
    QFETCH(int, flag);
    QFETCH(QString, afterClick);
    storeDefault([&](SharedData &d) { d.Sprache = stored; });
    frmMDIMain &w = start();
    QCOMPARE(ui_.language(), atStart);
    w.ImgSprache[flag].userClick();
    QCOMPARE(ui_.language(), afterClick);
}

void TestMainWindow::pickedLanguageSurvivesOnlyAShutDown()
{
    start().ImgSprache[2].userClick();
    w_.reset(); // the process ends without shut-down
    resetShared();
    QCOMPARE(start().mnuDatei.caption(), QStringLiteral("Datei"));

    w_->ImgSprache[3].userClick();
    QVERIFY(w_->userClose());
    w_.reset();
    resetShared();
    QCOMPARE(start().mnuDatei.caption(), QStringLiteral("File"));
    QCOMPARE(shared().Sprache, 3);
}

void TestMainWindow::pdfPrinterDetection_data()
{
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("pdf");
    QTest::newRow("no printer at all") << "" << QStringList() << "";
    QTest::newRow("the program's own PDF output") << "Office" << QStringList{"Office", "PDF"} << "PDF";
    QTest::newRow("names that only contain or differ in case")
        << "Office" << QStringList{"My Win2PDF", "pdfcreator", "PDF Printer", "Acrobat PDFWriter 2", "pdf"} << "";
    QTest::newRow("PDFCreator before Win2PDF") << "x" << QStringList{"x", "PDFCreator", "Win2PDF"} << "PDFCreator";
    QTest::newRow("Win2PDF before PDFCreator") << "x" << QStringList{"Win2PDF", "x", "PDFCreator"} << "Win2PDF";
    QTest::newRow("Acrobat before PDF") << "PDF" << QStringList{"Acrobat PDFWriter", "PDF"} << "Acrobat PDFWriter";
}

void TestMainWindow::pdfPrinterDetection()
{
    QFETCH(QString, defaultPrinter);
    QFETCH(QStringList, installed);
    QFETCH(QString, pdf);
    printers_.set(defaultPrinter, installed);
    frmMDIMain &w = start();
    QVERIFY(!w.startFailed());
    QCOMPARE(shared().StandardDrucker, defaultPrinter);
    QCOMPARE(shared().PDFDrucker, pdf);
    QCOMPARE(shared().PDFDruckerVorhanden, !pdf.isEmpty());

    w.mnuNeu.userChoose();
    QVERIFY(w.mnuDrucken.enabled());
    QCOMPARE(w.mnuPDFDruck.enabled(), !pdf.isEmpty());
}

void TestMainWindow::timerRunsNewOnceAfterTenSeconds()
{
    frmMDIMain &w = start();
    w.ImgSprache[1].userClick(); // flags do not stop the timer
    QVERIFY(sheets_.events.isEmpty());
    w.Zeit1.tick();
    QCOMPARE(sheets_.events, QStringList{QStringLiteral("load size")});
    QVERIFY(!w.picStart.visible());
    QVERIFY(!w.Zeit1.enabled());
    QVERIFY(w.mnuModus.isReachable());
    w.Zeit1.tick();
    QCOMPARE(sheets_.loads(), 1);
}

void TestMainWindow::clickedStartPictureLeavesLaterTicksIdle()
{
    frmMDIMain &w = start();
    w.picStart.userClick();
    QCOMPARE(sheets_.loads(), 1);
    QVERIFY(!w.Zeit1.enabled()); // the user's New leaves it nothing to do
    w.Zeit1.tick();
    w.Zeit1.tick();
    QCOMPARE(sheets_.loads(), 1);
    // File > New stays available and runs everything again.
    QVERIFY(w.mnuNeu.userChoose());
    QCOMPARE(sheets_.events, (QStringList{"load size", "unload size", "load size"}));
}

// A New that fails on the start screen leaves the start picture; the user retries it, the clock does not repeat it.
void TestMainWindow::failedNewOnTheStartScreenIsNotRepeatedByTheTimer_data()
{
    QTest::addColumn<QString>("startedBy");
    QTest::newRow("a click on the start picture") << "click";
    QTest::newRow("File > New") << "menu";
}

void TestMainWindow::failedNewOnTheStartScreenIsNotRepeatedByTheTimer()
{
    QFETCH(QString, startedBy);
    frmMDIMain &w = start();
    QVERIFY(QDir().mkdir(dataFile(QStringLiteral("dbKenndaten.mdb-journal")))); // New cannot open the catalogue
    if (startedBy == QLatin1String("click"))
        w.picStart.userClick();
    else
        QVERIFY(w.mnuNeu.userChoose());
    w.Zeit1.tick(); // a New run again would tell the same folder again
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    QVERIFY(w.picStart.visible() && sheets_.events.isEmpty());
}

void TestMainWindow::newAsksForTheNameWhenNoneIsStored()
{
    storeDefault([](SharedData &d) { d.Benutzername = QStringLiteral("0"); });
    frmMDIMain &w = start();
    QString nameDuringDialog;
    int loadsDuringDialog = -1;
    ui_.onNextModal([&](Form &f) {
        auto &dialog = static_cast<frmBenutzername &>(f);
        nameDuringDialog = shared().Benutzername;
        w.Zeit1.tick(); // the start picture is already hidden: New is not entered twice
        loadsDuringDialog = sheets_.loads();
        QCOMPARE(dialog.left(), (30000 - dialog.width()) / 2);
        QCOMPARE(dialog.top(), (20000 - dialog.height()) / 2);
        dialog.txtName.userType(QStringLiteral("Meier"));
        QVERIFY(dialog.pressEnter());
    });
    w.Zeit1.tick();
    QCOMPARE(ui_.modalRuns(), QStringList{QStringLiteral("frmBenutzername")});
    QCOMPARE(nameDuringDialog, QStringLiteral(" "));
    QCOMPARE(loadsDuringDialog, 0);
    QCOMPARE(shared().Benutzername, QStringLiteral("Meier"));
    QCOMPARE(sheets_.loads(), 1);
    QVERIFY(!frmBenutzernameInstance().isLoaded());
}

void TestMainWindow::newWithAStoredNameOpensNoDialog()
{
    storeDefault([](SharedData &d) { d.Benutzername = QStringLiteral("00"); });
    start().mnuNeu.userChoose();
    QVERIFY(ui_.modalRuns().isEmpty());
    QCOMPARE(shared().Benutzername, QStringLiteral("00"));
}

void TestMainWindow::newPlacesTheWindow_data()
{
    QTest::addColumn<Variant>("formTop");
    QTest::addColumn<Variant>("formLeft");
    QTest::addColumn<Variant>("formHeight");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("height");
    // The window measures 10000 x 8000 before New on a screen of 30000 x 20000.
    QTest::newRow("-1 centres, 4999 is raised")
        << Variant(-1.0f) << Variant(-1.0f) << Variant(4999.0f) << 6000 << 10000 << 5000;
    QTest::newRow("0 is the edge, 5000 stays") << Variant(0.0f) << Variant(0.0f) << Variant(5000.0f) << 0 << 0 << 5000;
    QTest::newRow("a stored place") << Variant(300.0f) << Variant(450.0f) << Variant(7000.0f) << 300 << 450 << 7000;
    QTest::newRow("top centred only") << Variant(-5.0f) << Variant(15.0f) << Variant(9000.0f) << 6000 << 15 << 9000;
    QTest::newRow("no stored place") << Variant() << Variant() << Variant() << 6000 << 10000 << 5000;
}

void TestMainWindow::newPlacesTheWindow()
{
    QFETCH(Variant, formTop);
    QFETCH(Variant, formLeft);
    QFETCH(Variant, formHeight);
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, height);
    storeDefault([&](SharedData &d) {
        d.FormTop = formTop;
        d.FormLeft = formLeft;
        d.FormHeight = formHeight;
    });
    frmMDIMain &w = start();
    w.move(123, 456, 10000, 8000);
    w.mnuNeu.userChoose();
    QCOMPARE(w.top(), top);
    QCOMPARE(w.left(), left);
    QCOMPARE(w.height(), height);
    QCOMPARE(w.width(), 11850);
}

void TestMainWindow::displayVariants_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("partner");
    QTest::addColumn<bool>("extended");
    QTest::newRow("normal") << 0 << "Startbild_XKTR.jpg" << false << false;
    QTest::newRow("partner") << 1 << "Startbild_1.jpg" << true << false;
    QTest::newRow("extended") << 6417 << "Startbild_XKTR.jpg" << false << true;
    QTest::newRow("unknown behaves as normal") << 42 << "Startbild_XKTR.jpg" << false << false;
}

void TestMainWindow::displayVariants()
{
    QFETCH(int, variant);
    QFETCH(QString, picture);
    QFETCH(bool, partner);
    QFETCH(bool, extended);
    storeDefault([&](SharedData &d) {
        d.KD_Version = variant;
        d.Sprache = 1;
    });
    frmMDIMain &w = start();
    QVERIFY(w.picStart.picturePath().endsWith(QLatin1Char('/') + picture));
    QCOMPARE(w.lblMainTitle.visible(), !partner);
    QCOMPARE(w.lblMainTitleTrelvan.visible(), partner);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(w.ImgSprache[i].visible(), !partner);
        QCOMPARE(w.lblSprache[i].visible(), !partner);
        QCOMPARE(w.RaSprache[i].visible(), !partner && i == 1);
    }
    QCOMPARE(w.mnuDatei.caption(), QStringLiteral("File")); // the switch runs in every variant

    w.mnuNeu.userChoose();
    QCOMPARE(w.mnuPasswort.isReachable(), !partner);
    for (Menu *m : {&w.mnuTrennstrich20, &w.mnu9999, &w.mnuAnzeigeFL, &w.mnuAnzeigeXT})
        QCOMPARE(m->visible(), extended);
    // The valve series the menu offers: leaves that can be chosen.
    QStringList offered;
    std::function<void(Menu &)> walk = [&](Menu &m) {
        for (Menu *e : m.entries()) {
            if (e->hasEntries())
                walk(*e);
            else if (!e->isSeparator() && e->isReachable())
                offered << e->name();
        }
    };
    walk(w.mnuBauform);
    if (partner)
        QCOMPARE(offered, (QStringList{"mnu3264", "mnu3152"}));
    else
        QCOMPARE(offered.size(), extended ? 26 : 25);
    QCOMPARE(w.mnuHilfeDeutsch.isReachable(), !partner);
    QCOMPARE(w.mnuHilfeEnglisch.isReachable(), !partner);
    QVERIFY(w.mnuInfo.isReachable());
}

void TestMainWindow::modeSwitchesExchangeTheSheet()
{
    printers_.set(QStringLiteral("PDF"), {QStringLiteral("PDF")});
    storeDefault([](SharedData &d) { d.Modus = 1; });
    frmMDIMain &w = start();
    w.mnuNeu.userChoose();
    QCOMPARE(sheets_.events, QStringList{QStringLiteral("load flow")});
    QCOMPARE(sheets_.modusDuringLoad, 1);
    QCOMPARE(w.StatusBar.text(), QStringLiteral("Berechnung aktualisiert"));
    QVERIFY(w.mnuDrucken.enabled() && w.mnuPDFDruck.enabled());

    // The active mode again rebuilds its sheet.
    sheets_.events.clear();
    w.mnuDrucken.setEnabled(false);
    w.mnuPDFDruck.setEnabled(false);
    QVERIFY(w.mnuFlow.userChoose());
    QCOMPARE(sheets_.events, (QStringList{"unload flow", "load flow"}));
    QVERIFY(w.mnuDrucken.enabled() && w.mnuPDFDruck.enabled());

    // The mode changes only after the new sheet has loaded.
    sheets_.events.clear();
    QVERIFY(w.mnuDimens.userChoose());
    QCOMPARE(sheets_.events, (QStringList{"unload flow", "load size"}));
    QCOMPARE(sheets_.modusDuringLoad, 1);
    QCOMPARE(shared().Modus, 0);
    QVERIFY(w.mnuFlow.userChoose());
    QCOMPARE(sheets_.modusDuringLoad, 0);
    QCOMPARE(shared().Modus, 1);
    QVERIFY(!sheets_.size && sheets_.flow);
}

void TestMainWindow::flowSwitchKeepsAFailureReport()
{
    storeDefault([](SharedData &d) { d.Sprache = 1; });
    frmMDIMain &w = start();
    w.mnuNeu.userChoose();
    const QString report = getText(kGerman, 1) + QStringLiteral(": ") + QStringLiteral("Kein numerischer Wert!");
    sheets_.onFlowLoad = [&] {
        w.StatusBar.setText(report);
        w.mnuDrucken.setEnabled(false);
    };
    w.mnuFlow.userChoose();
    QCOMPARE(w.StatusBar.text(), report);
    QVERIFY(!w.mnuDrucken.enabled());
    QCOMPARE(shared().Modus, 1);
}

void TestMainWindow::newAfterOpenRestoresDefaultProjectAndCaption()
{
    frmMDIMain &w = start();
    w.mnuNeu.userChoose();
    // What Open leaves behind: another current project, its caption and its data.
    w.setCaption(QStringLiteral("Quendra Ver. 9.75 [Kessel]"));
    shared().DatenPfad = tmp_.path();
    shared().DateiName = QStringLiteral("Kessel");
    shared().p1Max = 99.0;
    shared().Ventiltyp = QStringLiteral("3264");
    w.mnuNeu.userChoose();
    QCOMPARE(w.caption(), QStringLiteral("Quendra 9.75 [DEFAULT]"));
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));
    QCOMPARE(shared().p1Max, storedDefault().p1Max);
    QCOMPARE(shared().rsVentil->table(), storedDefault().Ventiltyp);
    QVERIFY(shared().dbSchalldaten);
}

void TestMainWindow::shutDownSavesOnce_data()
{
    QTest::addColumn<bool>("viaEnd");
    QTest::addColumn<bool>("afterNew");
    QTest::newRow("close box on the start screen") << false << false;
    QTest::newRow("close box after New") << false << true;
    QTest::newRow("File > End") << true << true;
}

void TestMainWindow::shutDownSavesOnce()
{
    QFETCH(bool, viaEnd);
    QFETCH(bool, afterNew);
    frmMDIMain &w = start();
    w.ImgSprache[5].userClick();
    if (afterNew)
        w.mnuNeu.userChoose();
    w.move(1500, 900, 11850, 6000);
    shared().DatenPfad = tmp_.path(); // shut-down writes into the default project whatever is current
    if (viaEnd) {
        QVERIFY(w.mnuEnde.userChoose());
        QVERIFY(w.programEnded());
        QCOMPARE(w.exitCode(), 0);
        w.move(1, 2, 11850, 8000);
        QVERIFY(w.userClose()); // no second shut-down
    } else {
        QVERIFY(w.userClose());
    }
    const SharedData saved = storedDefault();
    QCOMPARE(saved.FormTop, Variant(900.0f));
    QCOMPARE(saved.FormLeft, Variant(1500.0f));
    QCOMPARE(saved.FormHeight, Variant(6000.0f));
    QCOMPARE(saved.Sprache, 5);
    QVERIFY(ui_.messages().empty());
    QVERIFY(!shared().rsSprache && !shared().dbKenndaten && !shared().dbSchalldaten);
}

void TestMainWindow::unusableFilesEndTheProgramCleanly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("broken"); // else missing
    QTest::addColumn<int>("language"); // stored in the default project; the loader refuses one without a flag
    QTest::addColumn<int>("mode");
    QTest::newRow("language database missing") << "dbSprache.mdb" << false << 0 << 0;
    QTest::newRow("start picture missing") << "Startbild_XKTR.jpg" << false << 0 << 0;
    QTest::newRow("a pipe at the start picture") << "Startbild_XKTR.jpg" << true << 0 << 0;
}

void TestMainWindow::unusableFilesEndTheProgramCleanly()
{
    QFETCH(QString, file);
    QFETCH(bool, broken);
    QFETCH(int, language);
    QFETCH(int, mode);
    QString path = dataFile(file);
    std::unique_ptr<testsupport::PipeWatch> watch;
    if (language != 0 || mode != 0) {
        storeDefault([&](SharedData &d) {
            d.Sprache = language;
            d.Modus = mode;
        });
    } else if (file.endsWith(QLatin1String(".jpg"))) {
        setProgramFolder(tmp_.filePath(QStringLiteral("empty program folder")));
        path = programFolder() + QLatin1Char('/') + file;
        if (broken) {
            QVERIFY(QDir().mkpath(programFolder()) && testsupport::makePipe(path));
            watch = std::make_unique<testsupport::PipeWatch>(path);
        }
    } else if (broken) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("this is no database");
    } else {
        QVERIFY(QFile::remove(path));
    }
    const QByteArray before = fileBytes(defaultFile());

    // The start picture's clock ticks while the message is open: it must not run New behind it.
    ui_.whileNextMessage([this] { w_->Zeit1.tick(); });
    frmMDIMain &w = start();
    QVERIFY(w.startFailed());
    QVERIFY(w.programEnded());
    QCOMPARE(w.exitCode(), 1);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    QVERIFY2(ui_.messages().front().text.contains(QDir::toNativeSeparators(path)),
             qPrintable(ui_.messages().front().text));
    QVERIFY(!watch || !watch->opened());
    QVERIFY(sheets_.events.isEmpty());
    QVERIFY(w.userClose());
    // Nothing was written, neither by the language switch nor by the shut-down.
    QCOMPARE(fileBytes(defaultFile()), before);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
}

void TestMainWindow::unloadableDefaultProjectIsKeptAndReplaced_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("kept"); // else the start goes on with the data from before the killed save
    QTest::addColumn<bool>("atNew"); // damaged while the program runs, before File > New
    QTest::newRow("no database") << "text" << true << false;
    QTest::newRow("two tables on one b-tree")
        << damage::sharedPagesSql(QStringLiteral("Schalldaten"), QStringLiteral("Rohrdaten")) << true << false;
    QTest::newRow("save killed") << "killed" << false << false;
    QTest::newRow("no database any more at New") << "text" << true << true;
    // A table without the record the program reads is damage too.
    QTest::newRow("operating data without their record") << "DELETE FROM Betriebsdaten" << true << false;
    QTest::newRow("program parameters without their record") << "DELETE FROM _Programmparameter" << true << false;
    QTest::newRow("pipe data without their record at New") << "DELETE FROM Rohrdaten" << true << true;
    // A value no command saves: a mode without a sheet.
    QTest::newRow("mode 7") << "UPDATE Parameter SET Modus = 7" << true << false;
}

void TestMainWindow::unloadableDefaultProjectIsKeptAndReplaced()
{
    QFETCH(QString, damage);
    QFETCH(bool, kept);
    QFETCH(bool, atNew);
    const QString journal = interrupted::journalOf(defaultFile());
    const SharedData original = storedDefault();
    if (atNew) {
        QVERIFY(!start().startFailed());
        QVERIFY(ui_.messages().empty());
    }
    if (damage == QLatin1String("text")) {
        QFile f(defaultFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("this is no database");
    } else if (damage.startsWith(QLatin1String("killed"))) {
        interrupted::killWriteInside(defaultFile(), QStringLiteral("UPDATE Betriebsdaten SET p1Max = 99; "
                                                                   "UPDATE _Programmparameter SET Sprache = 2"));
        if (damage.endsWith(QLatin1String("read-only")))
            QVERIFY(QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::ReadGroup));
    } else {
        sqlite3 *db = nullptr;
        QVERIFY(sqlite3_open(QFile::encodeName(defaultFile()).constData(), &db) == SQLITE_OK);
        const int rc = sqlite3_exec(db, damage.toUtf8().constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QCOMPARE(rc, SQLITE_OK);
    }
    const QByteArray before = fileBytes(defaultFile());
    const QByteArray journalBefore = fileBytes(journal);

    // The start picture's clock ticks while the message is open: New waits until start-up has finished.
    if (kept && !atNew)
        ui_.whileNextMessage([this] { w_->Zeit1.tick(); });
    frmMDIMain &w = atNew ? *w_ : start();
    if (atNew)
        QVERIFY(w.mnuNeu.userChoose());
    QVERIFY(!w.startFailed());
    const QStringList keptFiles = QDir(dataFolder()).entryList({QStringLiteral("Default *")}, QDir::Files);
    QVERIFY(!QFile::exists(journal));
    if (!kept) {
        QVERIFY(ui_.messages().empty());
        QVERIFY2(keptFiles.isEmpty(), qPrintable(keptFiles.join(QLatin1Char(' '))));
        QCOMPARE(shared().p1Max, original.p1Max);
        QCOMPARE(w.mnuDatei.caption(), QStringLiteral("Datei"));
        return;
    }
    // Kept under the date beside itself (with the journal that belongs to it), and named with the new file.
    const QString keptName = keptFiles.value(0);
    QVERIFY2(QRegularExpression(QStringLiteral("^Default \\d{4}-\\d{2}-\\d{2}\\.vls$")).match(keptName).hasMatch(),
             qPrintable(keptFiles.join(QLatin1Char(' '))));
    const QString keptPath = dataFile(keptName);
    QVERIFY(fileBytes(keptPath) == before);
    QCOMPARE(keptFiles.size(), journalBefore.isEmpty() ? 1 : 2);
    if (!journalBefore.isEmpty())
        QVERIFY(fileBytes(keptPath + QStringLiteral("-journal")) == journalBefore);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(defaultFile())) && text.contains(QDir::toNativeSeparators(keptPath)),
             qPrintable(text));
    // What only the kept file holds: at start-up the program parameters came from it as well; after New the
    // session's are written back at its end.
    QVERIFY2(text.endsWith(atNew ? QStringLiteral("\n\nIhre gespeicherten Standardeinstellungen stehen nur in der "
                                                  "aufbewahrten Datei.")
                                 : QStringLiteral("\n\nIhr Benutzername, Ihre Sprache, Ihre Auswahl der "
                                                  "Druckabschnitte und Ihre gespeicherten Standardeinstellungen "
                                                  "stehen nur in der aufbewahrten Datei.")),
             qPrintable(text));
    // The seed's values, and the program goes on as on a first start.
    QCOMPARE(shared().p1Max, original.p1Max);
    if (!atNew) {
        QCOMPARE(sheets_.loads(), 0);
        w.Zeit1.tick();
    }
    QCOMPARE(sheets_.loads(), 1);
    if (atNew) {
        QVERIFY(w.mnuNeu.userChoose()); // the new file serves the next New without a word
        QVERIFY(!w.programEnded());
        QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    }
    QVERIFY(w.userClose());
    w_.reset();
    resetShared();
    QVERIFY(!start().startFailed());
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
}

void TestMainWindow::readOnlyDefaultProjectDoesNotStopStartUp()
{
    QVERIFY(QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray before = fileBytes(defaultFile());
    frmMDIMain &w = start();
    QVERIFY(!w.startFailed());
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    QVERIFY(ui_.messages().front().text.contains(QDir::toNativeSeparators(defaultFile())));
    QCOMPARE(w.mnuDatei.caption(), QStringLiteral("Datei"));
    w.Zeit1.tick();
    QCOMPARE(sheets_.loads(), 1);
    QVERIFY(w.userClose());
    QCOMPARE(fileBytes(defaultFile()), before);
}

// A damaged catalogue or noise database gives way to the seed's copy: kept beside itself under its date, named in
// one message with what of the user's own it holds, and New goes on.
void TestMainWindow::damagedDataFileIsKeptAndReplacedAtNew_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sql"); // else the bytes are the file
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("reason");
    const QString damaged = QStringLiteral("Die Datei ist beschädigt.");
    const QString empty = QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht.");
    const QString valve = QStringLiteral("Das benutzerdefinierte Ventil 9999 mit Ihren Werten steht nur in der "
                                         "aufbewahrten Datei.");
    const QString kenndaten = QStringLiteral("dbKenndaten.mdb");
    QTest::newRow("catalogue random bytes") << kenndaten << damage::randomBytes() << QString() << valve << damaged;
    QTest::newRow("catalogue empty") << kenndaten << QByteArray() << QString() << valve << empty;
    QTest::newRow("noise random bytes") << "dbSchalldaten.mdb" << damage::randomBytes() << QString() << QString()
                                        << damaged;
    QTest::newRow("noise empty") << "dbSchalldaten.mdb" << QByteArray() << QString() << QString() << empty;
    // What every sizing reads, though New itself does not: the work table, a column of the default series, another
    // series' index, and a series without a single valve.
    QTest::newRow("catalogue without its work table")
        << kenndaten << QByteArray() << "DROP TABLE _aktuell" << valve << empty;
    QTest::newRow("default series without its Kvs column")
        << kenndaten << QByteArray() << "ALTER TABLE \"4627_71\" RENAME COLUMN Kvs TO Kvs_alt" << valve << empty;
    QTest::newRow("another series without its index")
        << kenndaten << QByteArray() << "DROP INDEX \"3548.3548\"" << valve << empty;
    QTest::newRow("another series without a valve")
        << kenndaten << QByteArray() << "DELETE FROM \"3652\"" << valve << damaged;
}

void TestMainWindow::damagedDataFileIsKeptAndReplacedAtNew()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sql);
    QFETCH(QString, note);
    QFETCH(QString, reason);
    const QString path = dataFile(file);
    const QByteArray seedBytes = fileBytes(QStringLiteral(QUENDRA_SEED_DIR "/") + file);
    if (sql.isEmpty())
        QVERIFY(overwrite(path, bytes));
    else
        testsupport::execSql(path, sql);
    bytes = fileBytes(path);

    frmMDIMain &w = start();
    // The start picture's clock runs on behind the message; it must not start a second New inside the first.
    ui_.whileNextMessage([&w] { w.Zeit1.tick(); });
    QVERIFY(w.mnuNeu.userChoose());
    QVERIFY(!w.programEnded());
    QCOMPARE(sheets_.events, QStringList{QStringLiteral("load size")});
    QVERIFY(shared().rsVentil && shared().dbSchalldaten);
    QCOMPARE(fileBytes(path), seedBytes);
    const QString stem = QFileInfo(path).completeBaseName();
    const QStringList kept =
        QDir(dataFolder()).entryList({stem + QStringLiteral(" *")}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 1);
    const QString keptPath = dataFile(kept.at(0));
    QVERIFY2(QRegularExpression(QStringLiteral("^%1 \\d{4}-\\d{2}-\\d{2}\\.mdb$").arg(stem)).match(kept.at(0)).hasMatch(),
             qPrintable(kept.join(QLatin1Char(' '))));
    QCOMPARE(fileBytes(keptPath), bytes);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.contains(QDir::toNativeSeparators(keptPath)) &&
                 text.contains(QStringLiteral("\n\n") + reason) &&
                 text.contains(QStringLiteral("An ihre Stelle tritt eine neue Kopie der mitgelieferten Datei.")),
             qPrintable(text));
    if (!note.isEmpty())
        QVERIFY2(text.endsWith(note), qPrintable(text));
    QVERIFY(w.mnuNeu.userChoose()); // the fresh copy serves without a word
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
}

// Only a damaged file is replaced. One held by another program (after the wait of the busy handler) or one that
// cannot be read is left byte for byte, the folder as it was: at start-up the program ends, at New the sheet stays.
void TestMainWindow::heldOrUnreadableFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("locked"); // else read-only after a killed save, which only a write can undo
    QTest::addColumn<bool>("atNew");
    QTest::addColumn<QString>("reason");
    const QString held = QStringLiteral("Die Datei wird von einem anderen Programm verwendet.");
    QTest::newRow("default project locked at start") << "Default.vls" << true << false << held;
    QTest::newRow("default project read-only, save killed")
        << "Default.vls" << false << false
        << "Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist schreibgeschützt.";
    QTest::newRow("default project locked at New") << "Default.vls" << true << true << held;
    QTest::newRow("catalogue locked at New") << "dbKenndaten.mdb" << true << true << held;
}

void TestMainWindow::heldOrUnreadableFileIsLeftAlone()
{
    QFETCH(QString, file);
    QFETCH(bool, locked);
    QFETCH(bool, atNew);
    QFETCH(QString, reason);
    const QString path = dataFile(file);
    if (atNew) {
        QVERIFY(start().mnuNeu.userChoose());
        shared().p1Max = 12.5; // typed on the sheet
        w_->setCaption(QStringLiteral("Quendra Ver. 9.75 [Projekt]"));
    }
    if (!locked) {
        interrupted::killWriteInside(path, QStringLiteral("UPDATE Betriebsdaten SET p1Max = 99"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    }
    const QStringList filesBefore = QDir(dataFolder()).entryList(QDir::Files);
    const QByteArray before = fileBytes(path);
    const QByteArray journalBefore = fileBytes(interrupted::journalOf(path));
    const QStringList eventsBefore = sheets_.events;
    {
        const testsupport::HeldDatabase holder =
            locked ? testsupport::holdExclusively(path) : testsupport::HeldDatabase(nullptr, &sqlite3_close);
        QVERIFY(!locked || holder);
        if (atNew)
            QVERIFY(w_->mnuNeu.userChoose());
        else
            start();
    }
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(fileBytes(interrupted::journalOf(path)), journalBefore);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.contains(reason), qPrintable(text));
    QCOMPARE(w_->programEnded(), !atNew);
    if (!atNew) {
        QCOMPARE(w_->exitCode(), 1);
        return;
    }
    QVERIFY(!text.contains(QStringLiteral("Das Programm wird beendet.")));
    QCOMPARE(sheets_.events, eventsBefore);
    QCOMPARE(shared().p1Max, 12.5);
    QCOMPARE(w_->caption(), QStringLiteral("Quendra Ver. 9.75 [Projekt]"));
    QVERIFY(w_->mnuNeu.userChoose()); // once the file is free, New goes on
    QCOMPARE(sheets_.events.size(), eventsBefore.size() + 2);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
}

// The data folder or one of its files removed while the program runs: New makes it again from the seed, says so
// once and goes on.
void TestMainWindow::removedDataFolderIsMadeAgainAtNew_data()
{
    QTest::addColumn<QString>("removed");
    QTest::newRow("whole folder") << QString();
    QTest::newRow("catalogue") << "dbKenndaten.mdb";
}

void TestMainWindow::removedDataFolderIsMadeAgainAtNew()
{
    QFETCH(QString, removed);
    frmMDIMain &w = start();
    if (removed.isEmpty())
        QVERIFY(QDir(dataFolder()).removeRecursively());
    else
        QVERIFY(QFile::remove(dataFile(removed)));
    QVERIFY(w.mnuNeu.userChoose());
    QVERIFY(!w.programEnded());
    QCOMPARE(sheets_.loads(), 1);
    QVERIFY(shared().rsVentil && shared().dbSchalldaten);
    for (const QString &file : QDir(QStringLiteral(QUENDRA_SEED_DIR)).entryList(QDir::Files))
        QVERIFY2(QFileInfo(dataFile(file)).size() > 0, qPrintable(file));
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(dataFolder())) &&
                 text.contains(removed.isEmpty() ? QStringLiteral("Default.vls") : removed),
             qPrintable(text));
}

// The window's position and the session's settings cannot be kept: the user is told why, in the screen
// language, and the file stays as it was.
void TestMainWindow::shutDownTellsASaveThatFailed_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << true
                                    << "Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner "
                                       "ist schreibgeschützt.";
    QTest::newRow("full disk") << false << "Auf dem Datenträger ist nicht genug Platz.";
}

void TestMainWindow::shutDownTellsASaveThatFailed()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, reason);
    frmMDIMain &w = start();
    w.Zeit1.tick();
    w.move(1500, 900, 11850, 6000);
    const std::size_t messagesBefore = ui_.messages().size();
    const QByteArray before = fileBytes(defaultFile());
    std::unique_ptr<FileSizeLimit> fullDisk;
    if (readOnly) {
        QVERIFY(QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::ReadGroup));
    } else {
        fullDisk = std::make_unique<FileSizeLimit>(512);
        QVERIFY(fullDisk->active());
    }
    QVERIFY(w.userClose());
    fullDisk.reset();
    QCOMPARE(ui_.messages().size(), messagesBefore + 1);
    QCOMPARE(ui_.messages().back().text, QStringLiteral("Die Programmparameter können nicht gespeichert werden:\n") +
                                              QDir::toNativeSeparators(defaultFile()) + QStringLiteral("\n\n") +
                                              reason);
    QCOMPARE(fileBytes(defaultFile()), before);
}

void TestMainWindow::languageWithoutAFlagStartsInGerman()
{
    storeDefault([](SharedData &d) { d.Sprache = 6; });
    frmMDIMain &w = start();
    QVERIFY(!w.startFailed());
    QCOMPARE(shared().Sprache, 0);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(w.RaSprache[i].visible(), i == 0);
    QCOMPARE(w.mnuDatei.caption(), QStringLiteral("Datei"));
    QVERIFY(ui_.messages().empty());
}

// A damaged or missing file that cannot be replaced (the disk is full, the seed has no copy): everything is back
// where it was, New says why and leaves the window as it was, on the start screen or with its sheet, and the
// program goes on. Once the cause is gone, New mends the file.
void TestMainWindow::failedReplacementAtNewKeepsTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage"); // "bytes", "missing" or SQL
    QTest::addColumn<QString>("cause");  // "full disk" or "no seed copy"
    QTest::addColumn<bool>("sheetShown"); // a New before, else the first New
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("Auf dem Datenträger ist nicht genug Platz.");
    QTest::newRow("catalogue no database, disk full, first New")
        << "dbKenndaten.mdb" << "bytes" << "full disk" << false << full;
    QTest::newRow("catalogue without its work table, disk full, later New")
        << "dbKenndaten.mdb" << "DROP TABLE _aktuell" << "full disk" << true << full;
    QTest::newRow("catalogue missing, no seed copy, first New")
        << "dbKenndaten.mdb" << "missing" << "no seed copy" << false
        << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("noise database no database, no seed copy, first New")
        << "dbSchalldaten.mdb" << "bytes" << "no seed copy" << false << "Die Datei oder ihr Ordner ist nicht vorhanden.";
}

void TestMainWindow::failedReplacementAtNewKeepsTheWindow()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, cause);
    QFETCH(bool, sheetShown);
    QFETCH(QString, reason);
    const QString path = dataFile(file);
    frmMDIMain &w = start();
    QVERIFY(!w.startFailed());
    if (sheetShown) {
        QVERIFY(w.mnuNeu.userChoose());
        shared().p1Max = 12.5; // typed on the sheet
    }
    if (damage == QLatin1String("bytes"))
        QVERIFY(overwrite(path, damage::randomBytes()));
    else if (damage == QLatin1String("missing"))
        QVERIFY(QFile::remove(path));
    else
        testsupport::execSql(path, damage);
    const QString program = tmp_.filePath(QStringLiteral("program without ") + file);
    if (cause == QLatin1String("no seed copy")) {
        QVERIFY(QDir().mkpath(program + QStringLiteral("/seed")));
        for (const QString &seedFile : QDir(QStringLiteral(QUENDRA_SEED_DIR)).entryList(QDir::Files))
            if (seedFile != file && !QFileInfo::exists(program + QStringLiteral("/seed/") + seedFile))
                QVERIFY(QFile::copy(QStringLiteral(QUENDRA_SEED_DIR "/") + seedFile,
                                    program + QStringLiteral("/seed/") + seedFile));
        setProgramFolder(program);
    }
    const QStringList filesBefore = QDir(dataFolder()).entryList(QDir::Files);
    const QByteArray before = fileBytes(path);
    const QStringList eventsBefore = sheets_.events;
    {
        std::unique_ptr<FileSizeLimit> fullDisk;
        if (cause == QLatin1String("full disk")) {
            fullDisk = std::make_unique<FileSizeLimit>(100 * 1024);
            QVERIFY(fullDisk->active());
        }
        QVERIFY(w.mnuNeu.userChoose());
    }
    QVERIFY(!w.programEnded());
    QVERIFY(!w.startFailed());
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.startsWith(QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:\n") +
                             QDir::toNativeSeparators(path)) &&
                 text.contains(reason) && !text.contains(QStringLiteral("Das Programm wird beendet.")),
             qPrintable(text));
    QCOMPARE(sheets_.events, eventsBefore);
    QCOMPARE(w.picStart.visible(), !sheetShown);
    if (sheetShown) {
        QCOMPARE(shared().p1Max, 12.5);
        // The window goes on with the files as they are.
        QVERIFY(shared().rsVentil && shared().dbSchalldaten);
    }

    // The cause gone, New mends the file and goes on.
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    QVERIFY(w.mnuNeu.userChoose());
    QCOMPARE(sheets_.events.mid(eventsBefore.size()).filter(QRegularExpression(QStringLiteral("^load "))).size(), 1);
    QVERIFY(shared().rsVentil && shared().dbSchalldaten);
    QCOMPARE(fileBytes(path), fileBytes(QStringLiteral(QUENDRA_SEED_DIR "/") + file));
}

// The user removed a file to have it anew, but not the logs a killed program left beside it: before the seed's copy
// takes the file's place they are kept under its dated name, so SQLite never plays them into the fresh copy, and
// the message names them.
void TestMainWindow::staleLogsAreKeptAsideBeforeAFreshCopy_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("logs");
    QTest::addColumn<QString>("table"); // a table the stale log holds changes of
    QTest::addColumn<int>("rows");      // its rows in the seed (data/seed)
    QTest::addColumn<bool>("atNew");    // else at the next start
    const QStringList wal{QStringLiteral("-wal"), QStringLiteral("-shm")};
    QTest::newRow("catalogue, log of a killed rebuild, next start") << "dbKenndaten.mdb" << wal << "4627_71" << 90 << false;
    QTest::newRow("catalogue, log of a killed rebuild, at New") << "dbKenndaten.mdb" << wal << "4627_71" << 90 << true;
    QTest::newRow("noise database, journal of a killed save, at New")
        << "dbSchalldaten.mdb" << QStringList{QStringLiteral("-journal")} << "Gleitschieber" << 28 << true;
}

void TestMainWindow::staleLogsAreKeptAsideBeforeAFreshCopy()
{
    QFETCH(QString, file);
    QFETCH(QStringList, logs);
    QFETCH(QString, table);
    QFETCH(int, rows);
    QFETCH(bool, atNew);
    const QString path = dataFile(file);
    if (atNew)
        QVERIFY(!start().startFailed());
    if (logs.contains(QStringLiteral("-wal"))) {
        // Changed by hand and by the program, neither of them checkpointed.
        commitIntoLog(path, QStringLiteral("DELETE FROM \"%1\" WHERE rowid > 24").arg(table));
        interrupted::killRebuildAtCommit(path, table);
    } else {
        testsupport::execSql(path, QStringLiteral("DELETE FROM \"%1\" WHERE rowid > 5").arg(table));
        interrupted::killWriteInside(path, QStringLiteral("DELETE FROM \"%1\"").arg(table));
    }
    QVERIFY(QFile::remove(path));
    std::vector<QByteArray> logBytes;
    for (const QString &log : logs)
        logBytes.push_back(fileBytes(path + log));

    if (atNew) {
        QVERIFY(w_->mnuNeu.userChoose());
        QCOMPARE(sheets_.loads(), 1);
    } else {
        w_ = std::make_unique<frmMDIMain>();
        QVERIFY(w_->prepareStart());
        w_->load();
        QVERIFY(!w_->startFailed());
    }
    QCOMPARE(rowCount(path, table), rows);
    const QString dated = QFileInfo(path).completeBaseName() + QLatin1Char(' ') +
                          QDate::currentDate().toString(Qt::ISODate) + QLatin1Char('.') + QFileInfo(path).suffix();
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(dataFolder())) && text.contains(QLatin1Char('\n') + file),
             qPrintable(text));
    for (std::size_t i = 0; i < std::size_t(logs.size()); ++i) {
        QVERIFY2(!QFileInfo::exists(path + logs[qsizetype(i)]), qPrintable(logs[qsizetype(i)]));
        QVERIFY(fileBytes(dataFile(dated + logs[qsizetype(i)])) == logBytes[i]);
        QVERIFY2(text.contains(dated + logs[qsizetype(i)]), qPrintable(text));
    }
    QVERIFY(w_->userClose());
}

// A pipe, a device or a folder where a file of the data folder or one of its companions (journal, write-ahead log,
// log index) belongs is never opened or compared (a pipe would hold the program in open() for good): it is left
// alone and told as a program file that cannot be opened, with the companion named. At New the window stays as it
// was; the start ends with that one message.
void TestMainWindow::whatIsNoRegularFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("companion"); // empty: the file itself
    QTest::addColumn<bool>("folder"); // else a pipe
    QTest::addColumn<bool>("atNew"); // else at start-up
    QTest::newRow("language database at start-up") << "dbSprache.mdb" << "" << false << false;
    QTest::newRow("language database at New") << "dbSprache.mdb" << "" << false << true;
    QTest::newRow("catalogue at New") << "dbKenndaten.mdb" << "" << false << true;
    QTest::newRow("default project's journal at start-up") << "Default.vls" << "-journal" << false << false;
    QTest::newRow("a folder at the catalogue's journal at New") << "dbKenndaten.mdb" << "-journal" << true << true;
}

void TestMainWindow::whatIsNoRegularFileIsLeftAlone()
{
    QFETCH(QString, file);
    QFETCH(QString, companion);
    QFETCH(bool, folder);
    QFETCH(bool, atNew);
    const QString path = dataFile(file);
    const QString odd = path + companion;
    if (atNew)
        QVERIFY(!start().startFailed());
    if (companion.isEmpty())
        QVERIFY(QFile::remove(path));
    QVERIFY(folder ? QDir().mkdir(odd) : testsupport::makePipe(odd));
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    const QStringList before = QDir(dataFolder()).entryList(all);
    {
        const testsupport::PipeWatch watch(odd);
        if (atNew) {
            QVERIFY(w_->mnuNeu.userChoose());
            QVERIFY(!w_->programEnded());
            QVERIFY(w_->picStart.visible());
            QVERIFY(sheets_.events.isEmpty());
        } else {
            w_ = std::make_unique<frmMDIMain>();
            if (w_->prepareStart())
                w_->load();
            QVERIFY(w_->startFailed());
        }
        QVERIFY2(!watch.opened(), "the pipe was opened");
    }
    QCOMPARE(QDir(dataFolder()).entryList(all), before);
    QVERIFY(QFileInfo::exists(odd) && !QFileInfo(odd).isFile());
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    const QString text = ui_.messages().front().text;
    const QString reason =
        companion.isEmpty()
            ? QStringLiteral("Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner, eine benannte Pipe "
                             "oder ein Gerät.")
            : QStringLiteral("Die zugehörige Protokolldatei ist keine gewöhnliche Datei, sondern ein Ordner, eine "
                             "Verknüpfung, eine benannte Pipe oder ein Gerät:\n") +
                  QDir::toNativeSeparators(odd);
    QVERIFY2(text.startsWith(QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:\n") +
                             QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + reason),
             qPrintable(text));
}

// Before the data folder's texts are open, the start speaks the language stored in the default project, in the
// installed texts, and ends with one message.
void TestMainWindow::startMessagesSpeakTheStoredLanguage_data()
{
    QTest::addColumn<QString>("fault"); // "full disk": the fluid database is missing; else a pipe at that file
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message"); // FILE: the file named, LOG: the companion
    QTest::newRow("French, a copy on a full disk")
        << "full disk" << 2
        << "Impossible de copier le fichier dans le dossier de données :\nFILE\n\nL'espace disque est insuffisant."
           "\n\nLe programme va se fermer.";
    QTest::newRow("French, a pipe at the language database")
        << "dbSprache.mdb" << 2
        << "Impossible d'ouvrir un fichier du programme :\nFILE\n\nLe nom ne désigne pas un fichier ordinaire mais un "
           "dossier, un tube nommé ou un périphérique.\n\nLe programme va se fermer.";
    QTest::newRow("Czech, a pipe at the language database's journal")
        << "dbSprache.mdb-journal" << 5
        << QStringLiteral("Soubor programu nelze otevřít:\nFILE\n\nProtokolový soubor, který k němu patří, není "
                          "běžný soubor, ale složka, odkaz, pojmenovaná roura nebo zařízení:\nLOG\n\nProgram bude ukončen.");
}

void TestMainWindow::startMessagesSpeakTheStoredLanguage()
{
    QFETCH(QString, fault);
    QFETCH(int, language);
    QFETCH(QString, message);
    storeDefault([&](SharedData &d) { d.Sprache = language; });
    const QString log = dataFile(fault);
    QString file = dataFile(QStringLiteral("dbStoffdaten.mdb"));
    std::unique_ptr<FileSizeLimit> fullDisk;
    std::unique_ptr<testsupport::PipeWatch> watch;
    if (fault == QLatin1String("full disk")) {
        QVERIFY(QFile::remove(file));
        fullDisk = std::make_unique<FileSizeLimit>(1024);
        QVERIFY(fullDisk->active());
    } else {
        file = dataFile(QStringLiteral("dbSprache.mdb"));
        QVERIFY(log != file || QFile::remove(file));
        QVERIFY(testsupport::makePipe(log));
        watch = std::make_unique<testsupport::PipeWatch>(log);
    }
    w_ = std::make_unique<frmMDIMain>();
    if (w_->prepareStart())
        w_->load();
    fullDisk.reset();
    QVERIFY(!watch || !watch->opened());
    QVERIFY(w_->startFailed());
    QCOMPARE(static_cast<int>(ui_.messages().size()), 1);
    QCOMPARE(ui_.messages().front().text, QString(message)
                                              .replace(QStringLiteral("FILE"), QDir::toNativeSeparators(file))
                                              .replace(QStringLiteral("LOG"), QDir::toNativeSeparators(log)));
}

QTEST_GUILESS_MAIN(TestMainWindow)
#include "test_main_window.moc"
