// Loading, showing and unloading windows, default instances, modal dialogs answered by a script, message boxes,
// beeps, file dialogs, centring, menus and timers.
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"

#include <QTest>

namespace {

int g_alive = 0;

// A dialog in the manner of the user-name dialog: Load beeps and fills the field; OK stores and unloads;
// closing is refused until a name was confirmed.
class NameDialog : public Form {
public:
    Label lblName{this, "lblName"};
    TextBox txtName{this, "txtName"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdAbbruch{this, "cmdAbbruch"};

    QString *stored;
    int loads = 0;
    bool closeAllowed = false;

    explicit NameDialog(QString *name) : Form("frmBenutzername"), stored(name)
    {
        ++g_alive;
        move(0, 0, 4680, 2000);
        cmdOK.setDefault(true);
        cmdAbbruch.setCancel(true);
        cmdOK.Click = [this] { cmdOK_Click(); };
        cmdAbbruch.Click = [this] { unload(); };
        txtName.Change = [this] { cmdOK.setEnabled(!txtName.text().trimmed().isEmpty()); };
    }
    ~NameDialog() override { --g_alive; }

protected:
    void Form_Load() override
    {
        ++loads;
        uiServices().beep();
        setCaption("Benutzername");
        txtName.setText(*stored);
    }
    void Form_Unload(int &Cancel) override
    {
        if (!closeAllowed)
            Cancel = 1;
    }

private:
    void cmdOK_Click()
    {
        *stored = txtName.text().left(32);
        closeAllowed = true;
        unload();
    }
};

class MainForm : public Form {
public:
    QStringList log;
    Menu mnuDatei{this, "mnuDatei"};
    Menu mnuNeu{&mnuDatei, "mnuNeu"};
    Menu mnuTrennstrich{&mnuDatei, "mnuTrennstrich"};
    Menu mnuDrucken{&mnuDatei, "mnuDrucken"};
    Menu mnuTools{this, "mnuTools"};
    Menu mnuAnzeige{&mnuTools, "mnuAnzeige"};
    Menu mnuLeer{this, "mnuLeer"};
    ::StatusBar StatusBar{this, "StatusBar"};
    ::Timer Zeit1{this, "Zeit1"};

    MainForm() : Form("frmMDIMain")
    {
        setKind(Kind::MdiParent);
        mnuTrennstrich.setCaption("-");
        mnuDrucken.setShortcut("Ctrl+P");
        for (Menu *m : {&mnuDatei, &mnuNeu, &mnuTrennstrich, &mnuDrucken, &mnuTools, &mnuAnzeige, &mnuLeer})
            m->Click = [this, m] { log << m->name() + "_Click"; };
        Zeit1.setInterval(10000);
        Zeit1.Tick = [this] { Zeit1_Timer(); };
    }
    void Zeit1_Timer()
    {
        log << "Zeit1_Timer";
        Zeit1.setEnabled(false);
    }

protected:
    void Form_Unload(int &) override { log << "MDIForm_Unload"; }
};

class Sheet : public Form {
public:
    QStringList *log;
    TextBox txtp1max{this, "txtp1max"};
    explicit Sheet(QStringList *l) : Form("frmCalcSize"), log(l)
    {
        ++g_alive;
        setKind(Kind::MdiChild);
    }
    ~Sheet() override { --g_alive; }

protected:
    void Form_Load() override { *log << "Sheet_Load"; }
    void Form_Unload(int &) override { *log << "Sheet_Unload"; }
};

} // namespace

class FormLifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void init() { services.reset(); }

    void defaultInstanceLoadsOnFirstUseAndStartsAfreshAfterUnload();
    void unloadRefusedByFormUnload();
    void modalDialogAnsweredByScript();
    void modalDialogLeftOpenWithoutScript();
    void messageBoxAnswers_data();
    void messageBoxAnswers();
    void fileDialogsAnsweredOrCancelled();
    void centring_data();
    void centring();
    void mdiParentUnloadsItsChildFirst();
    void menuTitleClickRunsOnOpening();
    void menuEntriesNeedAReachablePath();
    void timerTicks();
    void timerDrivenByTheClock();
    void statusBarReadsBackWhatWasWritten();
    void servicesScopeRestoresThePrevious();

private:
    ScriptedUiServices services;
    UiServicesScope scope{services};
};

void FormLifecycleTest::defaultInstanceLoadsOnFirstUseAndStartsAfreshAfterUnload()
{
    QString name = "Meier";
    DefaultInstance<NameDialog> frmBenutzername([&] { return std::make_unique<NameDialog>(&name); });
    QVERIFY(!frmBenutzername.isLoaded());
    QCOMPARE(frmBenutzername.ifLoaded(), nullptr);
    QVERIFY(frmBenutzername.unload()); // not loaded: nothing to do
    QCOMPARE(g_alive, 0);

    // The first access (here: the width, for centring) creates the dialog and runs its Load.
    const int width = frmBenutzername().width();
    QCOMPARE(width, 4680);
    QCOMPARE(services.beepCount(), 1);
    QCOMPARE(frmBenutzername().loads, 1);
    QCOMPARE(frmBenutzername().txtName.text(), QString("Meier"));
    frmBenutzername().txtName.setText("changed");

    frmBenutzername().closeAllowed = true;
    QVERIFY(frmBenutzername.unload());
    QVERIFY(!frmBenutzername.isLoaded());
    QCOMPARE(g_alive, 1); // retired, not yet destroyed
    formruntime::collect();
    QCOMPARE(g_alive, 0);
    // The next use builds and loads a fresh window.
    QCOMPARE(frmBenutzername().txtName.text(), QString("Meier"));
    QCOMPARE(frmBenutzername().loads, 1);
    QCOMPARE(services.beepCount(), 2);
    QCOMPARE(g_alive, 1);
}

void FormLifecycleTest::unloadRefusedByFormUnload()
{
    QString name = " ";
    NameDialog d(&name);
    d.show();
    QVERIFY(d.visible());
    QVERIFY(!d.userClose());
    QVERIFY(d.isLoaded());
    QVERIFY(d.visible());
    QVERIFY(d.pressEscape()); // the cancel button's Click runs, its unload is refused
    QVERIFY(d.isLoaded());
    d.closeAllowed = true;
    QVERIFY(d.userClose());
    QCOMPARE(d.state(), Form::State::Unloaded);
    QVERIFY(!d.visible());
    QVERIFY(d.unload()); // already unloaded
}

void FormLifecycleTest::modalDialogAnsweredByScript()
{
    QString name = " ";
    DefaultInstance<NameDialog> frmBenutzername([&] { return std::make_unique<NameDialog>(&name); });
    QStringList seen;
    services.onNextModal([&](Form &f) {
        auto &d = static_cast<NameDialog &>(f);
        seen << (d.isModal() ? "modal" : "modeless");
        d.txtName.userType("  ");
        seen << (d.cmdOK.enabled() ? "ok enabled" : "ok disabled");
        d.txtName.userType("Anna Schmidt");
        d.pressEnter();
    });
    // The opener's way: centre, then show modal; returns when the dialog has gone.
    frmBenutzername().centerOnScreen();
    frmBenutzername().showModal();
    QCOMPARE(seen, (QStringList{"modal", "ok disabled"}));
    QCOMPARE(name, QString("   Anna Schmidt"));
    QVERIFY(!frmBenutzername.isLoaded());
    QCOMPARE(services.modalRuns(), QStringList{"frmBenutzername"});
    formruntime::collect();
    QCOMPARE(g_alive, 0);
}

void FormLifecycleTest::modalDialogLeftOpenWithoutScript()
{
    QString name = "x";
    NameDialog d(&name);
    d.showModal();
    QVERIFY(d.isLoaded());
    QVERIFY(!d.isModal()); // the run is over
    QCOMPARE(services.modalRuns(), QStringList{"frmBenutzername"});
}

void FormLifecycleTest::messageBoxAnswers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("scripted"); // 0: no script
    QTest::addColumn<int>("expected");

    QTest::newRow("ok unscripted") << int(MsgButtons::OK) << 0 << int(MsgAnswer::OK);
    QTest::newRow("yes/no unscripted") << int(MsgButtons::YesNo) << 0 << int(MsgAnswer::Yes);
    QTest::newRow("abort/retry/ignore unscripted") << int(MsgButtons::AbortRetryIgnore) << 0 << int(MsgAnswer::Abort);
    QTest::newRow("retry/cancel unscripted") << int(MsgButtons::RetryCancel) << 0 << int(MsgAnswer::Retry);
    QTest::newRow("yes/no/cancel answered no") << int(MsgButtons::YesNoCancel) << int(MsgAnswer::No)
                                               << int(MsgAnswer::No);
    QTest::newRow("ok/cancel answered cancel") << int(MsgButtons::OKCancel) << int(MsgAnswer::Cancel)
                                               << int(MsgAnswer::Cancel);
}

void FormLifecycleTest::messageBoxAnswers()
{
    QFETCH(int, buttons);
    QFETCH(int, scripted);
    QFETCH(int, expected);
    if (scripted)
        services.answerNextMessage(MsgAnswer(scripted));
    const MsgAnswer a = uiServices().messageBox("Medium bereits vorhanden!", MsgButtons(buttons), MsgIcon::Exclamation);
    QCOMPARE(int(a), expected);
    QCOMPARE(services.messages().size(), size_t(1));
    QCOMPARE(services.messages().front().text, QString("Medium bereits vorhanden!"));
    QCOMPARE(services.messages().front().icon, MsgIcon::Exclamation);
}

void FormLifecycleTest::fileDialogsAnsweredOrCancelled()
{
    services.answerNextFileDialog(QString("/tmp/projekt.vls"));
    services.answerNextFileDialog(std::nullopt);
    FileDialogRequest r{"Öffnen", "Berechnungen (*.vls)|*.vls", "/opt/quendra", ""};
    QCOMPARE(uiServices().openFileDialog(r), std::optional<QString>("/tmp/projekt.vls"));
    QCOMPARE(uiServices().saveFileDialog(r), std::nullopt);
    QCOMPARE(uiServices().openFileDialog(r), std::nullopt); // nothing scripted: cancelled
    QCOMPARE(services.fileRequests().size(), size_t(3));
    QVERIFY(services.fileRequests()[1].save);
    QCOMPARE(services.fileRequests()[0].request.filter, QString("Berechnungen (*.vls)|*.vls"));
}

void FormLifecycleTest::centring_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expectedLeft");

    QTest::newRow("smaller") << 15360 << 4680 << 5340;
    QTest::newRow("as wide as the screen") << 15360 << 15360 << 0;
    QTest::newRow("wider: negative, not clamped") << 15360 << 16000 << -320;
    QTest::newRow("odd difference") << 15361 << 4680 << 5341; // 5340.5 rounds away from zero
}

void FormLifecycleTest::centring()
{
    QFETCH(int, screen);
    QFETCH(int, width);
    QFETCH(int, expectedLeft);
    services.setScreenSizeTwips(screen, 11520);
    Form f("frmDialog");
    f.move(99, 99, width, 3000);
    f.centerOnScreen();
    QCOMPARE(f.left(), expectedLeft);
    QCOMPARE(f.top(), (11520 - 3000) / 2);
    QCOMPARE(f.width(), width);
}

void FormLifecycleTest::mdiParentUnloadsItsChildFirst()
{
    MainForm main;
    main.load();
    main.show();
    DefaultInstance<Sheet> frmCalcSize([&] { return std::make_unique<Sheet>(&main.log); });
    frmCalcSize(); // loading an MDI child shows it
    QVERIFY(frmCalcSize().visible());
    QCOMPARE(Form::mdiParent(), &main);
    QVERIFY(main.userClose());
    QCOMPARE(main.log, (QStringList{"Sheet_Load", "Sheet_Unload", "MDIForm_Unload"}));
    QVERIFY(!frmCalcSize.isLoaded());
    QCOMPARE(Form::mdiParent(), nullptr);
}

void FormLifecycleTest::menuTitleClickRunsOnOpening()
{
    MainForm main;
    main.mnuTools.userOpen();
    main.mnuLeer.userOpen(); // a title without entries opens nothing
    QCOMPARE(main.log, QStringList{"mnuTools_Click"});
    main.log.clear();
    main.mnuTools.setEnabled(false);
    main.mnuTools.userOpen();
    QVERIFY(main.log.isEmpty());
    QCOMPARE(main.menus(), (std::vector<Menu *>{&main.mnuDatei, &main.mnuTools, &main.mnuLeer}));
    QCOMPARE(main.mnuDatei.entries().size(), size_t(3));
    QVERIFY(main.mnuTrennstrich.isSeparator());
}

void FormLifecycleTest::menuEntriesNeedAReachablePath()
{
    MainForm main;
    QVERIFY(main.mnuNeu.userChoose());
    QVERIFY(!main.mnuTrennstrich.userChoose());
    main.mnuDatei.setEnabled(false); // the entries inside stay enabled but cannot be reached
    QVERIFY(main.mnuDrucken.enabled());
    QVERIFY(!main.mnuDrucken.userChoose());
    main.mnuDatei.setEnabled(true);
    main.mnuDrucken.setVisible(false);
    QVERIFY(!main.mnuDrucken.userChoose());
    QCOMPARE(main.log, QStringList{"mnuNeu_Click"});
    // Opening a menu or choosing an entry moves no focus.
    QCOMPARE(main.activeControl(), nullptr);
}

void FormLifecycleTest::timerTicks()
{
    MainForm main;
    main.load();
    main.Zeit1.tick();
    main.Zeit1.tick(); // the first tick disabled the timer
    QCOMPARE(main.log, QStringList{"Zeit1_Timer"});
    main.Zeit1.setEnabled(true);
    main.Zeit1.setInterval(0); // interval 0 stops it
    main.Zeit1.tick();
    QCOMPARE(main.log.size(), 1);
    main.Zeit1.setInterval(-5);
    QCOMPARE(main.Zeit1.interval(), 0);
    QVERIFY(!main.Zeit1.clockRunning()); // headless: no clock
}

void FormLifecycleTest::timerDrivenByTheClock()
{
    MainForm main;
    main.Zeit1.setInterval(20);
    Timer::setClockDriven(true);
    QVERIFY(!main.Zeit1.clockRunning()); // not before the form is loaded
    main.load();
    QVERIFY(main.Zeit1.clockRunning());
    QTRY_COMPARE_WITH_TIMEOUT(main.log, QStringList{"Zeit1_Timer"}, 2000);
    QVERIFY(!main.Zeit1.clockRunning()); // the handler disabled it
    main.Zeit1.setEnabled(true);
    QVERIFY(main.Zeit1.clockRunning());
    main.unload();
    QVERIFY(!main.Zeit1.clockRunning());
    Timer::setClockDriven(false);
}

void FormLifecycleTest::statusBarReadsBackWhatWasWritten()
{
    MainForm main;
    main.StatusBar.setText(QString::fromUtf8("Berechnung nicht aktualisiert: TAB ->|"));
    QCOMPARE(main.StatusBar.text(), QString::fromUtf8("Berechnung nicht aktualisiert: TAB ->|"));
    QVERIFY(main.log.isEmpty());
}

void FormLifecycleTest::servicesScopeRestoresThePrevious()
{
    ScriptedUiServices inner;
    {
        UiServicesScope s(inner);
        uiServices().beep();
    }
    uiServices().beep();
    QCOMPARE(inner.beepCount(), 1);
    QCOMPARE(services.beepCount(), 1);
}

QTEST_GUILESS_MAIN(FormLifecycleTest)
#include "test_form_lifecycle.moc"
