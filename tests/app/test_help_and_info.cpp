#include "app/access_code_dialog.h"
#include "app/help_sections.h"
#include "app/hyperlink.h"
#include "app/info_dialogs.h"
#include "app/main_window.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/shell/recording_desktop_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// The information and access-code openers, the link fields of the information dialogs and the help entries with
// the F1 key, on recorded desktop services. Captions stay German here (no language database is open).

namespace {

using Kind = RecordingDesktopServices::Kind;

// A dialog with one link field of 3000 x 255 twips, set up as the information dialogs set theirs.
class LinkForm : public Form {
public:
    TextBox txtLink{this, QStringLiteral("txtLink")};
    LinkForm() : Form(QStringLiteral("frmLink"))
    {
        move(0, 0, 4800, 1800);
        txtLink.move(240, 240, 3000, 255);
        txtLink.MouseMove = [this](int, int, float X, float Y) { HyperlinkMouseMove(txtLink, X, Y); };
        txtLink.Click = [this] { HyperlinkClick(txtLink); };
    }
    void setUp(const QString &target)
    {
        HyperlinkInit(txtLink, QStringLiteral("Verweis"), target, this);
        SetHyperlinkColor(txtLink);
    }
};

QString describe(const RecordingDesktopServices &desktop)
{
    QStringList out;
    for (const auto &r : desktop.requests())
        out << (r.kind == Kind::Url ? QStringLiteral("url ") : r.kind == Kind::File ? QStringLiteral("file ")
                                                                                   : QStringLiteral("help "))
                   + r.target;
    return out.join(QLatin1Char('|'));
}

} // namespace

class TestHelpAndInfo : public QObject {
    Q_OBJECT

    ScriptedUiServices ui_;
    RecordingDesktopServices desktop_;
    std::unique_ptr<UiServicesScope> uiScope_;
    std::unique_ptr<DesktopServicesScope> desktopScope_;
    QTemporaryDir tmp_;

private slots:
    void initTestCase()
    {
        uiScope_ = std::make_unique<UiServicesScope>(ui_);
        desktopScope_ = std::make_unique<DesktopServicesScope>(desktop_);
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    }
    void init()
    {
        ui_.reset();
        desktop_.reset();
        shared() = SharedData();
        setHelpFile(QString(), {});
    }
    void cleanup()
    {
        frmInfoInstance().unload();
        frmInfoTrelvanInstance().unload();
        frmPasswortInstance().unload();
        formruntime::collect();
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    }

    void openersCentreOnTheScreen_data();
    void openersCentreOnTheScreen();
    void infoEntryChoosesByDisplayVariant_data();
    void infoEntryChoosesByDisplayVariant();
    void infoDialogsShowTheirLinks_data();
    void infoDialogsShowTheirLinks();
    void mouseMoveHoversInsideTheField_data();
    void mouseMoveHoversInsideTheField();
    void clickHandsTheTargetToTheDesktop_data();
    void clickHandsTheTargetToTheDesktop();
    void helpEntriesSetTheFileThatF1Shows();
    void f1ShowsTheSectionOfItsWindow_data();
    void f1ShowsTheSectionOfItsWindow();
};

void TestHelpAndInfo::openersCentreOnTheScreen_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    // frmInfo is 6360 x 3555 twips, frmPasswort 4800 x 1740.
    QTest::newRow("info, large screen") << "mnuInfo" << 12360 << 9555 << 3000 << 3000;
    QTest::newRow("info, as large as the screen") << "mnuInfo" << 6360 << 3555 << 0 << 0;
    QTest::newRow("info, larger than the screen") << "mnuInfo" << 5360 << 2555 << -500 << -500;
    QTest::newRow("password, as large as the screen") << "mnuPasswort" << 4800 << 1740 << 0 << 0;
    QTest::newRow("password, larger than the screen") << "mnuPasswort" << 3800 << 740 << -500 << -500;
}

void TestHelpAndInfo::openersCentreOnTheScreen()
{
    QFETCH(QString, entry);
    QFETCH(int, screenWidth);
    QFETCH(int, screenHeight);
    QFETCH(int, left);
    QFETCH(int, top);
    ui_.setScreenSizeTwips(screenWidth, screenHeight);
    frmMDIMain main; // the openers need no loaded main window
    auto &menu = *static_cast<Menu *>(main.control(entry));
    for (int opening = 1; opening <= 2; ++opening) {
        bool shown = false;
        ui_.onNextModal([&](Form &f) {
            shown = true;
            QVERIFY(f.isModal());
            // Not clamped: a dialog larger than the screen gets a negative place.
            QCOMPARE(f.left(), left);
            QCOMPARE(f.top(), top);
            f.userClose();
        });
        menu.Click();
        QVERIFY(shown);
    }
    QCOMPARE(ui_.modalRuns().size(), 2);
}

void TestHelpAndInfo::infoEntryChoosesByDisplayVariant_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("version");
    QTest::newRow("normal") << 0 << "frmInfo" << "Valve Sizing Acc. IEC 534, Version 9.75, 7/2006";
    QTest::newRow("extended") << 6417 << "frmInfo" << "Valve Sizing Acc. IEC 534, Version 9.75, 7/2006";
    QTest::newRow("partner") << 1 << "frmInfoTrelvan" << "Valve Sizing Acc. IEC 534, Version 9.7,12/2005";
    QTest::newRow("any other value") << 42 << "frmInfo" << "Valve Sizing Acc. IEC 534, Version 9.75, 7/2006";
}

void TestHelpAndInfo::infoEntryChoosesByDisplayVariant()
{
    QFETCH(int, variant);
    QFETCH(QString, dialog);
    QFETCH(QString, version);
    shared().KD_Version = variant;
    frmMDIMain main;
    // Each opening loads afresh: the hover look of the first is gone in the second.
    for (int opening = 1; opening <= 2; ++opening) {
        ui_.onNextModal([&](Form &f) {
            auto &d = static_cast<InfoDialog &>(f);
            QCOMPARE(d.name(), dialog);
            QCOMPARE(d.caption(), QStringLiteral("Info"));
            QCOMPARE(d.txtInfo1.caption(), version);
            QCOMPARE(d.txtInfo1.fontName(), QStringLiteral("Arial"));
            QVERIFY(!d.Image1.picture().isNull());
            QCOMPARE(d.txtHyperlink.foreColor(), hlink::NormalColor);
            QVERIFY(!d.txtHyperlink.hasMouseCapture());
            d.txtHyperlink.userMouseMove(0, 0, 10.0f, 10.0f);
            QCOMPARE(d.txtHyperlink.foreColor(), hlink::HoverColor);
            QVERIFY(d.pressEscape()); // OK is the cancel button
        });
        main.mnuInfo.Click();
        QVERIFY(!frmInfoInstance().isLoaded() && !frmInfoTrelvanInstance().isLoaded());
    }
    QCOMPARE(ui_.modalRuns(), QStringList({dialog, dialog}));
}

void TestHelpAndInfo::infoDialogsShowTheirLinks_data()
{
    QTest::addColumn<bool>("partner");
    QTest::addColumn<QString>("web");
    QTest::addColumn<QString>("mailCaption");
    QTest::addColumn<QString>("passed");
    QTest::newRow("maker") << false << "www.example.com" << "mailto: info@example.com"
                           << "url http://www.example.com|url mailto:info@example.com";
    // The partner's mail field passes its caption, blank included.
    QTest::newRow("partner") << true << "www.example.org" << "mailto: info@example.org"
                             << "url http://www.example.org|url mailto: info@example.org";
}

void TestHelpAndInfo::infoDialogsShowTheirLinks()
{
    QFETCH(bool, partner);
    QFETCH(QString, web);
    QFETCH(QString, mailCaption);
    QFETCH(QString, passed);
    InfoDialog &d = partner ? static_cast<InfoDialog &>(frmInfoTrelvanInstance().get())
                            : static_cast<InfoDialog &>(frmInfoInstance().get());
    QCOMPARE(d.txtHyperlink.text(), web);
    QCOMPARE(d.txtHyperlinkMail.text(), mailCaption);
    for (TextBox *field : {&d.txtHyperlink, &d.txtHyperlinkMail}) {
        QVERIFY(field->locked());
        QCOMPARE(field->borderStyle(), 0);
        QVERIFY(!field->tabStop());
        QCOMPARE(field->backColor(), d.backColor());
        QCOMPARE(field->foreColor(), 0xA56B39); // red 57, green 107, blue 165
        QVERIFY(field->fontUnderline());
        QCOMPARE(field->mousePointer(), 99);
        // Typing does not change a link.
        field->userType(QStringLiteral("x"));
        QVERIFY(field->text() == web || field->text() == mailCaption);
        field->userClick();
    }
    QCOMPARE(describe(desktop_), passed);
    QVERIFY(d.isLoaded()); // a link leaves the dialog open
    d.cmdOK.userClick();
    QVERIFY(!d.isLoaded());
}

void TestHelpAndInfo::mouseMoveHoversInsideTheField_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("left upper corner") << 0.0f << 0.0f << true;
    QTest::newRow("right lower corner") << 3000.0f << 255.0f << true;
    QTest::newRow("right edge") << 3000.0f << 100.0f << true;
    QTest::newRow("bottom edge") << 1500.0f << 255.0f << true;
    QTest::newRow("just right of it") << 3000.5f << 100.0f << false;
    QTest::newRow("just below it") << 1500.0f << 255.5f << false;
    QTest::newRow("just left of it") << -0.5f << 100.0f << false;
    QTest::newRow("above it") << 1500.0f << -15.0f << false;
}

void TestHelpAndInfo::mouseMoveHoversInsideTheField()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, inside);
    LinkForm f;
    f.load();
    f.setUp(QStringLiteral("www.example.com"));
    // From outside onto the point, then back out: the second move is delivered through the capture.
    HyperlinkMouseMove(f.txtLink, x, y);
    QCOMPARE(f.txtLink.foreColor(), inside ? 255 : 0xA56B39);
    QCOMPARE(f.txtLink.hasMouseCapture(), inside);
    QVERIFY(f.txtLink.fontUnderline());
    HyperlinkMouseMove(f.txtLink, 4000.0f, 100.0f);
    QCOMPARE(f.txtLink.foreColor(), 0xA56B39);
    QVERIFY(!f.txtLink.hasMouseCapture());
    // Colours a caller passes replace the defaults.
    HyperlinkMouseMove(f.txtLink, x, y, 0x00FF00, 0x0000FF);
    QCOMPARE(f.txtLink.foreColor(), inside ? 0x0000FF : 0x00FF00);
}

void TestHelpAndInfo::clickHandsTheTargetToTheDesktop_data()
{
    QVERIFY(tmp_.isValid());
    const QString existing = tmp_.filePath(QStringLiteral("Kenndaten.xlsx"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("passed");
    QTest::newRow("www gets http") << "www.example.com" << "url http://www.example.com";
    QTest::newRow("http stays") << "http://www.example.com/quendra" << "url http://www.example.com/quendra";
    QTest::newRow("mail") << "mailto:info@example.com" << "url mailto:info@example.com";
    QTest::newRow("mail with a blank") << "mailto: info@example.org" << "url mailto: info@example.org";
    QTest::newRow("existing file") << "App:" + existing << "file " + existing;
    // The desktop answers false for it and opens nothing (the shell's own test shows that).
    QTest::newRow("missing file") << "App:" + tmp_.filePath(QStringLiteral("fehlt.xlsx"))
                                  << "file " + tmp_.filePath(QStringLiteral("fehlt.xlsx"));
    QTest::newRow("capital WWW") << "WWW.example.com" << "";
    QTest::newRow("capital Mailto") << "Mailto:info@example.com" << "";
    QTest::newRow("https is no known prefix") << "https://www.example.com" << "";
    QTest::newRow("lower-case app") << "app:/tmp/x" << "";
    QTest::newRow("empty") << "" << "";
}

void TestHelpAndInfo::clickHandsTheTargetToTheDesktop()
{
    QFETCH(QString, target);
    QFETCH(QString, passed);
    LinkForm f;
    f.load();
    f.setUp(target);
    QCOMPARE(f.txtLink.text(), QStringLiteral("Verweis")); // the caption is shown, the target kept apart
    f.txtLink.userMouseMove(0, 0, 10.0f, 10.0f);
    QCOMPARE(f.txtLink.foreColor(), 255);
    QVERIFY(f.txtLink.hasMouseCapture());
    f.txtLink.userClick();
    // The normal look although the pointer is still over the field, until it moves again.
    QCOMPARE(f.txtLink.foreColor(), 0xA56B39);
    QVERIFY(!f.txtLink.hasMouseCapture());
    QVERIFY(f.txtLink.enabled());
    QCOMPARE(describe(desktop_), passed);
}

void TestHelpAndInfo::helpEntriesSetTheFileThatF1Shows()
{
    frmMDIMain main;
    const QString folder = QStringLiteral(QUENDRA_PROGRAM_DIR);
    // Before either entry F1 shows nothing.
    QVERIFY(!showHelpFile());
    QCOMPARE(describe(desktop_), QString());

    main.mnuHilfeDeutsch.Click();
    QVERIFY(showHelpFile());
    main.mnuHilfeEnglisch.Click();
    QVERIFY(showHelpFile());
    QVERIFY(showHelpFile());
    main.mnuHilfeDeutsch.Click();
    QCOMPARE(describe(desktop_), QStringList({"help " + folder + "/hilfe.html", "help " + folder + "/hilfe.html",
                                              "help " + folder + "/help.html", "help " + folder + "/help.html",
                                              "help " + folder + "/help.html", "help " + folder + "/hilfe.html"})
                                     .join(QLatin1Char('|')));
    const HelpTexts &texts = desktop_.requests().back().texts;
    QCOMPARE(texts.title, QStringLiteral("Hilfe"));
    QCOMPARE(texts.missingFile, QStringLiteral("Die Hilfedatei ist nicht vorhanden:"));

    // The program does not check the file: the help window names a missing one.
    setProgramFolder(tmp_.path());
    main.mnuHilfeEnglisch.Click();
    QCOMPARE(desktop_.requests().back().target, tmp_.path() + QStringLiteral("/help.html"));
}

void TestHelpAndInfo::f1ShowsTheSectionOfItsWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");
    QTest::newRow("main window") << "frmMDIMain" << "" << "hilfe_menues.html#hauptfenster"
                                 << "help_menus.html#main-window";
    QTest::newRow("sizing sheet") << "frmCalcSize" << "" << "hilfe_dimensionierung.html" << "help_sizing.html";
    QTest::newRow("sizing sheet, a norm box") << "frmCalcSize" << "txtQnorm"
                                              << "hilfe_dimensionierung.html#prozessdaten"
                                              << "help_sizing.html#process-data";
    QTest::newRow("sizing sheet, the Kvs list") << "frmCalcSize" << "cmbKvsCv"
                                                << "hilfe_dimensionierung.html#ventildaten"
                                                << "help_sizing.html#valve-data";
    QTest::newRow("sizing sheet, a pipe option") << "frmCalcSize" << "optOptimiert"
                                                 << "hilfe_dimensionierung.html#rohrleitung" << "help_sizing.html#pipe";
    QTest::newRow("sizing sheet, a fluid unit") << "frmCalcSize" << "cmbStoffwert3unit"
                                                << "hilfe_dimensionierung.html#stoffdaten"
                                                << "help_sizing.html#fluid-data";
    QTest::newRow("sizing sheet, a control without a section") << "frmCalcSize" << "lblKvmaxcalc"
                                                               << "hilfe_dimensionierung.html" << "help_sizing.html";
    QTest::newRow("flow sheet") << "frmCalcFlow" << "" << "hilfe_durchfluss.html" << "help_flow.html";
    QTest::newRow("flow sheet, the opening") << "frmCalcFlow" << "cmbYmax" << "hilfe_durchfluss.html#eingaben"
                                             << "help_flow.html#inputs";
    QTest::newRow("flow sheet, the valve size") << "frmCalcFlow" << "cmbDNVentil" << "hilfe_durchfluss.html#ventil"
                                                << "help_flow.html#valve";
    QTest::newRow("flow sheet, a pipe list") << "frmCalcFlow" << "cmbDNRohr2" << "hilfe_durchfluss.html#rohrleitung"
                                             << "help_flow.html#pipe";
    QTest::newRow("ideal-gas list") << "frmIdealesGas" << "txtKappa" << "hilfe_medien.html#ideale-gase"
                                    << "help_media.html#ideal-gases";
    QTest::newRow("liquid list") << QString::fromUtf8("frmFlüssigkeit") << "" << "hilfe_medien.html#fluessigkeiten"
                                 << "help_media.html#liquids";
    QTest::newRow("gas mixture") << "frmGasgemisch" << "" << "hilfe_medien.html#gasgemisch"
                                 << "help_media.html#gas-mixture";
    QTest::newRow("wizard") << "frmStoffdatenAssistent" << "txtTkrit" << "hilfe_medien.html#assistent"
                            << "help_media.html#wizard";
    QTest::newRow("heat exchanger") << QString::fromUtf8("frmWärmetauscher") << ""
                                    << "hilfe_werkzeuge.html#waermetauscher" << "help_tools.html#heat-exchanger";
    QTest::newRow("user-defined valve") << "frmBenutzerdefiniert" << "txtStellverhältnis"
                                        << "hilfe_werkzeuge.html#benutzerdefiniert"
                                        << "help_tools.html#user-defined";
    QTest::newRow("coefficient estimate") << "frmBenutzerdefiniert" << QString::fromUtf8("cmdAbschätzen")
                                          << "hilfe_werkzeuge.html#werte-abschaetzen"
                                          << "help_tools.html#estimate-values";
    QTest::newRow("characteristic display") << "TableCurve" << "" << "hilfe_werkzeuge.html#kennlinie"
                                            << "help_tools.html#characteristic";
    QTest::newRow("print dialog") << "frmDruck" << "txtFirma" << "hilfe_drucken.html#drucken"
                                  << "help_printing.html#print";
    QTest::newRow("heat-exchanger print dialog") << "frmDruck_WTauscher" << "" << "hilfe_drucken.html#waermetauscher"
                                                 << "help_printing.html#heat-exchanger";
    QTest::newRow("user name") << "frmBenutzername" << "txtName" << "hilfe_menues.html#benutzername"
                               << "help_menus.html#user-name";
    QTest::newRow("access code") << "frmPasswort" << "" << "hilfe_menues.html#passwort"
                                 << "help_menus.html#password";
    QTest::newRow("information") << "frmInfo" << "" << "hilfe_menues.html#info" << "help_menus.html#about";
    QTest::newRow("partner information") << "frmInfoTrelvan" << "" << "hilfe_menues.html#info"
                                         << "help_menus.html#about";
    QTest::newRow("the help window itself") << "" << "" << "hilfe.html" << "help.html";
    QTest::newRow("a window of no section") << "frmUnbekannt" << "txtName" << "hilfe.html" << "help.html";
}

void TestHelpAndInfo::f1ShowsTheSectionOfItsWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, german);
    QFETCH(QString, english);
    frmMDIMain main;
    // Before the Help menu has been used F1 shows nothing.
    QVERIFY(!showHelpFor(window, control));
    QVERIFY(desktop_.requests().empty());

    const QString folder = QStringLiteral(QUENDRA_PROGRAM_DIR) + QLatin1Char('/');
    auto shown = [this, &folder] {
        const auto &r = desktop_.requests().back();
        QString where = r.target.startsWith(folder) ? r.target.mid(folder.size()) : r.target;
        return r.anchor.isEmpty() ? where : where + QLatin1Char('#') + r.anchor;
    };
    main.mnuHilfeDeutsch.Click();
    QVERIFY(showHelpFor(window, control));
    QCOMPARE(shown(), german);
    QCOMPARE(desktop_.requests().back().texts.title, QStringLiteral("Hilfe"));
    main.mnuHilfeEnglisch.Click();
    QVERIFY(showHelpFor(window, control));
    QCOMPARE(shown(), english);
}

QTEST_GUILESS_MAIN(TestHelpAndInfo)
#include "test_help_and_info.moc"
