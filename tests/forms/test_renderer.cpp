// The Qt renderer: widgets mirror the model, and the user's typing, clicks, list choices, menu choices and focus
// moves reach the model; a menu opening or a window switch is no focus move.
#include "platform/core/number_text.h"
#include "platform/forms/forms.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_ui_services.h"
#include "platform/qt/render_png.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

class Dialog : public Form {
public:
    QStringList log;
    Frame frameKennlinie{this, "frameKennlinie"};
    TextBox txtp1max{this, "txtp1max"};
    TextBox txtp2max{this, "txtp2max"};
    ComboBox cmbP1unit{this, "cmbP1unit"};
    ComboBox cmbYmax{this, "cmbYmax"};
    CheckBox chkMin{this, "chkMin"};
    OptionButton optLinear{&frameKennlinie, "optLinear"};
    OptionButton optAufZu{&frameKennlinie, "optAufZu"};
    Label lblKvmaxcalc{this, "lblKvmaxcalc"};
    CommandButton cmdOK{this, "cmdOK"};
    ListBox lstSubstanz{this, "lstSubstanz"};
    bool mayClose = true;

    explicit Dialog(const QString &name = "frmDialog") : Form(name)
    {
        move(0, 0, 6000, 4500);
        setCaption("Dialog");
        frameKennlinie.move(120, 2400, 3000, 1200);
        txtp1max.move(120, 120, 1095, 285);
        txtp2max.move(120, 480, 1095, 285);
        cmbP1unit.move(1440, 120, 1335, 315);
        cmbP1unit.setStyle(ComboBox::Style::DropdownList);
        for (const char *u : {"bar,abs.", "psia", "kPa,abs."})
            cmbP1unit.addItem(u);
        cmbYmax.move(3000, 120, 1215, 315);
        cmbYmax.addItem("100");
        cmbYmax.addItem("50");
        cmbYmax.Change = [this] { log << "cmbYmax_Change:" + cmbYmax.text(); };
        cmbYmax.Click = [this] { log << "cmbYmax_Click:" + cmbYmax.text(); };
        chkMin.move(120, 960, 1500, 255);
        chkMin.setCaption("min.");
        optLinear.move(120, 240, 2000, 255);
        optLinear.setCaption("(mod.) linear");
        optAufZu.move(120, 600, 2000, 255);
        optAufZu.setCaption("Auf/Zu");
        lblKvmaxcalc.move(120, 1440, 1095, 195);
        cmdOK.move(3600, 3600, 1200, 375);
        cmdOK.setCaption("OK");
        cmdOK.setDefault(true);
        lstSubstanz.move(3240, 960, 2400, 1200);
        for (const char *gas : {"Luft", "Methan"})
            lstSubstanz.addItem(gas);
        int tab = 0;
        for (Control *c : std::initializer_list<Control *>{&txtp1max, &txtp2max, &cmbP1unit, &chkMin, &optLinear,
                                                           &optAufZu, &cmdOK, &lstSubstanz}) {
            c->setTabIndex(tab++);
            c->GotFocus = [this, c] { log << c->name() + "_GotFocus"; };
            c->LostFocus = [this, c] { log << c->name() + "_LostFocus"; };
        }
        txtp1max.Change = [this] { log << "txtp1max_Change:" + txtp1max.text(); };
        cmbP1unit.Click = [this] { log << QString("cmbP1unit_Click:%1").arg(cmbP1unit.listIndex()); };
        chkMin.Click = [this] { log << QString("chkMin_Click:%1").arg(chkMin.value()); };
        optLinear.Click = [this] { log << "optLinear_Click"; };
        optAufZu.Click = [this] { log << "optAufZu_Click"; };
        lstSubstanz.Click = [this] { log << QString("lstSubstanz_Click:%1").arg(lstSubstanz.listIndex()); };
        cmdOK.Click = [this] {
            log << "cmdOK_Click";
            unload();
        };
    }

protected:
    void Form_Unload(int &Cancel) override { Cancel = mayClose ? 0 : 1; }
};

class MainWindow : public Form {
public:
    QStringList log;
    Menu mnuDatei{this, "mnuDatei"};
    Menu mnuNeu{&mnuDatei, "mnuNeu"};
    Menu mnuEnde{&mnuDatei, "mnuEnde"};
    Menu mnuTools{this, "mnuTools"};
    Menu mnuAnzeigeFL{&mnuTools, "mnuAnzeigeFL"};
    ::StatusBar StatusBar{this, "StatusBar"};

    MainWindow() : Form("frmMDIMain")
    {
        setKind(Kind::MdiParent);
        move(0, 0, 11850, 9000);
        mnuDatei.setCaption("&Datei");
        mnuNeu.setCaption("&Neu");
        mnuTools.setCaption("Tools");
        mnuAnzeigeFL.setCaption("Anzeige FL");
        mnuEnde.setCaption("Ende");
        mnuEnde.setShortcut("Ctrl+E");
        mnuAnzeigeFL.setShortcut("Ctrl+Z");
        for (Menu *m : {&mnuDatei, &mnuNeu, &mnuEnde, &mnuTools, &mnuAnzeigeFL})
            m->Click = [this, m] { log << m->name() + "_Click"; };
    }
};

class Sheet : public Form {
public:
    QStringList *log;
    TextBox txtp1max{this, "txtp1max"};
    TextBox txtp2max{this, "txtp2max"};
    explicit Sheet(QStringList *l) : Form("frmCalcSize"), log(l)
    {
        setKind(Kind::MdiChild);
        move(0, 0, 11400, 10880);
        txtp1max.move(3840, 720, 1095, 285);
        txtp2max.move(3840, 1080, 1095, 285);
        txtp2max.setTabIndex(1);
        txtp1max.LostFocus = [this] { *log << "txtp1max_LostFocus"; };
        txtp1max.GotFocus = [this] { *log << "txtp1max_GotFocus"; };
    }
};

// A sheet with one control of each kind that can hold the focus.
class InputSheet : public Form {
public:
    TextBox txtp1max{this, "txtp1max"};
    ComboBox cmbYmax{this, "cmbYmax"};
    ComboBox cmbP1unit{this, "cmbP1unit"};
    CheckBox chkMin{this, "chkMin"};
    OptionButton optLinear{this, "optLinear"};
    InputSheet() : Form("frmCalcFlow")
    {
        setKind(Kind::MdiChild);
        move(0, 0, 11400, 6000);
        txtp1max.move(3840, 720, 1095, 285);
        txtp1max.setText("10");
        cmbYmax.move(3840, 1080, 1215, 315);
        cmbYmax.addItem("100");
        cmbYmax.addItem("50");
        cmbP1unit.move(3840, 1440, 1335, 315);
        cmbP1unit.setStyle(ComboBox::Style::DropdownList);
        cmbP1unit.addItem("bar,abs.");
        cmbP1unit.addItem("psia");
        cmbP1unit.setListIndex(0);
        chkMin.move(3840, 1800, 1095, 255);
        chkMin.setCaption("min.");
        optLinear.move(3840, 2160, 2000, 255);
        optLinear.setCaption("linear");
        int tab = 0;
        for (Control *c : std::initializer_list<Control *>{&txtp1max, &cmbYmax, &cmbP1unit, &chkMin, &optLinear})
            c->setTabIndex(tab++);
    }
};

// A list that takes the focus first, as the fluid lists' do when they open.
class ListFirst : public Form {
public:
    QStringList log;
    ListBox lstSubstanz{this, "lstSubstanz"};
    TextBox txtMedium{this, "txtMedium"};
    ListFirst() : Form("frmListFirst")
    {
        move(0, 0, 6000, 3000);
        lstSubstanz.move(120, 120, 3000, 1500);
        txtMedium.move(3240, 120, 2000, 285);
        lstSubstanz.setTabIndex(0);
        txtMedium.setTabIndex(1);
        for (const char *gas : {"Luft", "Methan", "Ethan"})
            lstSubstanz.addItem(gas);
        lstSubstanz.Click = [this] { log << QString("lstSubstanz_Click:%1").arg(lstSubstanz.listIndex()); };
    }
};

template <class W>
W *widget(QtUiServices &ui, Form &f, Control &c)
{
    return qobject_cast<W *>(ui.viewOf(f)->widgetFor(c));
}

void activate(QWidget *w)
{
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Shows the main window and loads the sheet, gives the sheet's control the focus and returns the widget that
// takes the keys (an editable list's edit line); null when the sheet has no such control.
QWidget *focusInSheet(QtUiServices &ui, MainWindow &main, InputSheet &sheet, const QString &control)
{
    main.show();
    sheet.load();
    activate(ui.viewOf(main)->window());
    Control *c = sheet.control(control);
    if (!c || !sheet.setFocus(*c))
        return nullptr;
    QWidget *w = ui.viewOf(sheet)->widgetFor(*c);
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        w = combo->lineEdit();
    return w;
}

} // namespace

class RendererTest : public QObject {
    Q_OBJECT

private slots:
    void widgetsFollowTheModel();
    void typingReachesTheModel();
    void clicksAndListChoicesReachTheModel();
    void listTakesTheFocusWithoutAChoice();
    void clickOnButtonMovesFocusFirst();
    void menuOpeningRaisesTitleClickButNoLostFocus();
    void windowSwitchRaisesNoFocusEvents();
    void clickActivatingTheWindowMovesTheFocus_data();
    void clickActivatingTheWindowMovesTheFocus();
    void showingAnOpenDialogBringsItToTheFront();
    void disablingOrHidingTheFocusedFieldMovesNoFocus();
    void closeBoxAsksTheModel();
    void modalRunEndsWhenTheDialogUnloads();
    void mdiChildSitsInTheScrollableClientArea();
    void userMovedWindowIsTakenOverByTheModel();
    void filterTranslation_data();
    void filterTranslation();
    void typingInTheMiddleKeepsTheCursor_data();
    void typingInTheMiddleKeepsTheCursor();
    void menuShortcutsWorkFromEveryControl_data();
    void menuShortcutsWorkFromEveryControl();
    void altWithACharacterChangesNoControl_data();
    void altWithACharacterChangesNoControl();
    void graphicalControlsStackBeneathWindowedOnes_data();
    void graphicalControlsStackBeneathWindowedOnes();
    void framesPaintNoBoxOfTheirOwn_data();
    void framesPaintNoBoxOfTheirOwn();
    void formFontsAreMetricCompatibleFaces_data();
    void formFontsAreMetricCompatibleFaces();
    void qtTextsSpeakTheProgramsLanguage_data();
    void qtTextsSpeakTheProgramsLanguage();
    void numberTooWideForItsLabelKeepsItsExponent_data();
    void numberTooWideForItsLabelKeepsItsExponent();
};

void RendererTest::widgetsFollowTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    QVERIFY(ui.viewOf(d));
    QWidget *window = ui.viewOf(d)->window();
    QVERIFY(window->isVisible());
    QCOMPARE(window->size(), QSize(400, 300)); // 15 twips per pixel
    QCOMPARE(window->windowTitle(), QString("Dialog"));

    auto *label = widget<QLabel>(ui, d, d.lblKvmaxcalc);
    QCOMPARE(label->geometry(), QRect(8, 96, 73, 13));
    d.lblKvmaxcalc.setCaption("12,3");
    d.lblKvmaxcalc.setForeColor(colors::Red);
    d.lblKvmaxcalc.setFontBold(true);
    QCOMPARE(label->text(), QString("12,3"));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(label->font().bold());
    d.lblKvmaxcalc.setVisible(false);
    QVERIFY(label->isHidden());

    d.txtp1max.setText("10,5");
    QCOMPARE(widget<QLineEdit>(ui, d, d.txtp1max)->text(), QString("10,5"));
    d.cmbP1unit.setListIndex(2);
    QCOMPARE(widget<QComboBox>(ui, d, d.cmbP1unit)->currentIndex(), 2);
    QCOMPARE(widget<QComboBox>(ui, d, d.cmbP1unit)->count(), 3);
    d.cmbP1unit.clear();
    QCOMPARE(widget<QComboBox>(ui, d, d.cmbP1unit)->count(), 0);
    d.optAufZu.setValue(true);
    QVERIFY(widget<QRadioButton>(ui, d, d.optAufZu)->isChecked());
    d.optLinear.setValue(true);
    QVERIFY(!widget<QRadioButton>(ui, d, d.optAufZu)->isChecked());
    d.cmdOK.setEnabled(false);
    QVERIFY(!widget<QPushButton>(ui, d, d.cmdOK)->isEnabled());
    // Options live inside their frame's widget.
    QCOMPARE(widget<QRadioButton>(ui, d, d.optLinear)->parentWidget(), ui.viewOf(d)->widgetFor(d.frameKennlinie));

    d.mayClose = true;
    d.unload();
    QTRY_VERIFY(!ui.viewOf(d));
}

void RendererTest::typingReachesTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    activate(ui.viewOf(d)->window());
    auto *edit = widget<QLineEdit>(ui, d, d.txtp1max);
    d.log.clear();
    QTest::keyClicks(edit, "-5");
    QCOMPARE(d.txtp1max.text(), QString("-5"));
    QCOMPARE(d.log, (QStringList{"txtp1max_Change:-", "txtp1max_Change:-5"}));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(d.txtp1max.text(), QString("-"));
    // A locked field takes no typing.
    d.txtp1max.setLocked(true);
    QTest::keyClicks(edit, "7");
    QCOMPARE(d.txtp1max.text(), QString("-"));
    d.unload();
}

void RendererTest::clicksAndListChoicesReachTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    activate(ui.viewOf(d)->window());
    d.log.clear();
    auto *combo = widget<QComboBox>(ui, d, d.cmbP1unit);
    emit combo->activated(1); // the user picks "psia" from the list
    QCOMPARE(d.cmbP1unit.listIndex(), 1);
    QVERIFY(d.log.contains("cmbP1unit_Click:1"));

    // An editable list: typing raises Change per keystroke, a choice Click only.
    auto *opening = widget<QComboBox>(ui, d, d.cmbYmax);
    QVERIFY(opening->lineEdit());
    d.log.clear();
    QTest::keyClicks(opening->lineEdit(), "55");
    QCOMPARE(d.log, (QStringList{"cmbYmax_Change:5", "cmbYmax_Change:55"}));
    d.log.clear();
    emit opening->activated(1);
    QCOMPARE(d.log.filter("cmbYmax"), QStringList{"cmbYmax_Click:50"});
    QCOMPARE(opening->currentText(), QString("50"));
    QCOMPARE(opening->count(), 2); // a typed text is never added to the list

    d.log.clear();
    QTest::mouseClick(widget<QCheckBox>(ui, d, d.chkMin), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(d.chkMin.value(), 1);
    QVERIFY(d.log.contains("chkMin_Click:1"));
    QCOMPARE(widget<QCheckBox>(ui, d, d.chkMin)->checkState(), Qt::Checked);

    d.optAufZu.setValue(true);
    d.log.clear();
    auto *radio = widget<QRadioButton>(ui, d, d.optAufZu);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, 8)); // already selected: stays selected, no Click
    QVERIFY(radio->isChecked());
    QVERIFY(!d.log.contains("optAufZu_Click"));
    QTest::mouseClick(widget<QRadioButton>(ui, d, d.optLinear), Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(d.optLinear.value());
    QVERIFY(!radio->isChecked());
    d.unload();
}

void RendererTest::listTakesTheFocusWithoutAChoice()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    ListFirst d;
    d.show();
    activate(ui.viewOf(d)->window());
    auto *list = widget<QListWidget>(ui, d, d.lstSubstanz);
    QTRY_VERIFY(list->hasFocus());
    // The focus alone chooses nothing: no entry, no Click.
    QCOMPARE(d.lstSubstanz.listIndex(), -1);
    QCOMPARE(list->currentRow(), -1);
    QCOMPARE(d.log, QStringList());

    // Nor when the list is filled anew and the focus comes back by the keyboard.
    QVERIFY(d.pressTab());
    d.lstSubstanz.clear();
    for (const char *gas : {"Argon", "Helium"})
        d.lstSubstanz.addItem(gas);
    QVERIFY(d.pressTab());
    QTRY_VERIFY(list->hasFocus());
    QCOMPARE(d.lstSubstanz.listIndex(), -1);
    QCOMPARE(d.log, QStringList());

    // A key the user presses does choose.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(d.lstSubstanz.listIndex(), 0);
    QCOMPARE(d.log, QStringList{"lstSubstanz_Click:0"});
    d.unload();
}

void RendererTest::clickOnButtonMovesFocusFirst()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    activate(ui.viewOf(d)->window());
    QCOMPARE(d.activeControl(), &d.txtp1max);
    QTRY_VERIFY(widget<QLineEdit>(ui, d, d.txtp1max)->hasFocus());
    d.log.clear();
    QTest::mouseClick(widget<QPushButton>(ui, d, d.cmdOK), Qt::LeftButton);
    QCOMPARE(d.log, (QStringList{"txtp1max_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"}));
    QVERIFY(!d.isLoaded());
}

void RendererTest::menuOpeningRaisesTitleClickButNoLostFocus()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    MainWindow main;
    main.show();
    Sheet sheet(&main.log);
    sheet.load(); // an MDI child shows itself
    auto *mainWindow = qobject_cast<QMainWindow *>(ui.viewOf(main)->window());
    QVERIFY(mainWindow);
    activate(mainWindow);
    QCOMPARE(sheet.activeControl(), &sheet.txtp1max);
    QTRY_VERIFY(widget<QLineEdit>(ui, sheet, sheet.txtp1max)->hasFocus());
    main.log.clear();

    QMenu *tools = ui.viewOf(main)->menuFor(main.mnuTools);
    QVERIFY(tools);
    mainWindow->menuBar()->setActiveAction(tools->menuAction());
    QTRY_VERIFY(tools->isVisible());
    QCOMPARE(main.log, QStringList{"mnuTools_Click"});
    ui.viewOf(main)->actionFor(main.mnuAnzeigeFL)->trigger();
    tools->close();
    mainWindow->menuBar()->setActiveAction(nullptr);
    QTRY_VERIFY(!tools->isVisible());
    QTest::qWait(50);
    QCOMPARE(main.log, (QStringList{"mnuTools_Click", "mnuAnzeigeFL_Click"}));
    QCOMPARE(sheet.activeControl(), &sheet.txtp1max);

    // The status line shows what the model wrote.
    main.StatusBar.setText("Berechnung aktualisiert");
    auto *status = mainWindow->statusBar()->findChild<QLabel *>();
    QVERIFY(status);
    QCOMPARE(status->text(), QString("Berechnung aktualisiert"));
    // A disabled title's menu neither opens nor clicks.
    main.mnuTools.setEnabled(false);
    QVERIFY(!ui.viewOf(main)->actionFor(main.mnuTools)->isEnabled());
    sheet.unload();
    main.unload();
}

void RendererTest::windowSwitchRaisesNoFocusEvents()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog a("frmA");
    Dialog b("frmB");
    a.move(0, 0, 6000, 4500);
    b.move(7000, 0, 6000, 4500);
    a.show();
    b.show();
    activate(ui.viewOf(a)->window());
    activate(ui.viewOf(b)->window());
    activate(ui.viewOf(a)->window());
    QTest::qWait(20);
    // Each window got its first control's focus once, when shown; switching raised nothing more.
    QCOMPARE(a.log, QStringList{"txtp1max_GotFocus"});
    QCOMPARE(b.log, QStringList{"txtp1max_GotFocus"});
    // A real focus move inside a window does raise the pair.
    QTest::mouseClick(widget<QLineEdit>(ui, a, a.txtp2max), Qt::LeftButton);
    QCOMPARE(a.log, (QStringList{"txtp1max_GotFocus", "txtp1max_LostFocus", "txtp2max_GotFocus"}));
    // Tab goes through the model's order.
    QTest::keyClick(widget<QLineEdit>(ui, a, a.txtp2max), Qt::Key_Tab);
    QCOMPARE(a.activeControl(), &a.cmbP1unit);
    a.unload();
    b.unload();
}

void RendererTest::clickActivatingTheWindowMovesTheFocus_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("next");
    QTest::newRow("text box") << "txtp2max" << false << QStringList{"txtp1max_LostFocus", "txtp2max_GotFocus"}
                              << "txtp2max" << "cmbP1unit";
    QTest::newRow("list, on its chosen entry") << "lstSubstanz" << false
                                               << QStringList{"txtp1max_LostFocus", "lstSubstanz_GotFocus"}
                                               << "lstSubstanz" << "txtp1max";
    QTest::newRow("editable list, its edit line") << "cmbYmax" << false << QStringList{"txtp1max_LostFocus"}
                                                  << "cmbYmax" << "txtp2max";
    QTest::newRow("refused by the field left") << "txtp2max" << true << QStringList{"txtp1max_Validate"}
                                               << "txtp1max" << "cmbYmax";
}

void RendererTest::clickActivatingTheWindowMovesTheFocus()
{
    // Without a window manager a dialog that closes leaves no window active: the click into the window gives the
    // control the focus, and the window's activation that follows reports it as the window's focus restored.
    QFETCH(QString, control);
    QFETCH(bool, refused);
    QFETCH(QStringList, log);
    QFETCH(QString, focus);
    QFETCH(QString, next);
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog a("frmA");
    Dialog b("frmB");
    b.move(7000, 0, 6000, 4500);
    a.show();
    b.show();
    activate(ui.viewOf(b)->window());
    a.lstSubstanz.setListIndex(0);
    if (refused) {
        a.txtp1max.Validate = [&](int &cancel) {
            a.log << "txtp1max_Validate";
            cancel = refused ? 1 : 0;
            refused = false;
        };
    }
    a.log.clear();
    QWidget *pressed = ui.viewOf(a)->widgetFor(*a.control(control));
    if (auto *list = qobject_cast<QListWidget *>(pressed))
        pressed = list->viewport();
    else if (auto *combo = qobject_cast<QComboBox *>(pressed))
        pressed = combo->lineEdit();
    QTest::mouseClick(pressed, Qt::LeftButton, {}, QPoint(6, 8));
    activate(ui.viewOf(a)->window());
    QCOMPARE(a.log, log);
    QCOMPARE(a.activeControl(), a.control(focus));
    QTRY_VERIFY(ui.viewOf(a)->widgetFor(*a.control(focus))->hasFocus());
    // Tab goes on from there, and the widgets follow.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(a.activeControl(), a.control(next));
    a.unload();
    b.unload();
}

void RendererTest::showingAnOpenDialogBringsItToTheFront()
{
    // A sheet shows the modeless fluid-data wizard again while it is open behind another window.
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog a("frmA");
    Dialog b("frmB");
    a.move(0, 0, 6000, 4500);
    b.move(3000, 0, 6000, 4500);
    a.show();
    b.show();
    activate(ui.viewOf(b)->window());
    QVERIFY(QApplication::activeWindow() != ui.viewOf(a)->window());
    a.show();
    QTRY_COMPARE(QApplication::activeWindow(), ui.viewOf(a)->window());
    QCOMPARE(a.log, QStringList{"txtp1max_GotFocus"});
    a.unload();
    b.unload();
}

void RendererTest::disablingOrHidingTheFocusedFieldMovesNoFocus()
{
    // The link fields disable and enable themselves on a click; the sheets hide columns that may hold the focus.
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    activate(ui.viewOf(d)->window());
    QTRY_VERIFY(widget<QLineEdit>(ui, d, d.txtp1max)->hasFocus());
    d.log.clear();
    d.txtp1max.setEnabled(false);
    d.txtp1max.setEnabled(true);
    d.txtp1max.setVisible(false);
    QTest::qWait(20);
    QVERIFY(d.log.isEmpty());
    QCOMPARE(d.activeControl(), &d.txtp1max);
    d.unload();
}

void RendererTest::closeBoxAsksTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.mayClose = false;
    d.show();
    QWidget *window = ui.viewOf(d)->window();
    window->close();
    QVERIFY(d.isLoaded());
    QVERIFY(window->isVisible());
    d.mayClose = true;
    window->close();
    QVERIFY(!d.isLoaded());
    QTRY_VERIFY(!ui.viewOf(d));
}

void RendererTest::modalRunEndsWhenTheDialogUnloads()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget *w = ui.viewOf(d)->window();
        wasModal = w->isModal();
        QTest::keyClick(widget<QLineEdit>(ui, d, d.txtp1max), Qt::Key_Return); // Enter presses the default button
    });
    d.showModal();
    QVERIFY(wasModal);
    QVERIFY(d.log.contains("cmdOK_Click"));
    QVERIFY(!d.isLoaded());
}

void RendererTest::mdiChildSitsInTheScrollableClientArea()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    MainWindow main;
    main.show();
    QStringList log;
    DefaultInstance<Sheet> frmCalcSize([&] { return std::make_unique<Sheet>(&log); });
    frmCalcSize();
    QWidget *sheetWidget = ui.viewOf(frmCalcSize())->window();
    QCOMPARE(sheetWidget->parentWidget(), ui.viewOf(main)->mdiClient());
    QVERIFY(!sheetWidget->isWindow());
    auto *area = qobject_cast<QScrollArea *>(qobject_cast<QMainWindow *>(ui.viewOf(main)->window())->centralWidget());
    QVERIFY(area);
    QCOMPARE(sheetWidget->size(), QSize(760, 725));
    QTRY_VERIFY(ui.viewOf(main)->mdiClient()->height() >= 725); // scrollable to the sheet's end
    // Reloading replaces the sheet widget.
    frmCalcSize.unload();
    QTRY_VERIFY(!ui.viewOf(main)->mdiClient()->findChild<QLineEdit *>());
    frmCalcSize();
    QVERIFY(ui.viewOf(frmCalcSize()));

    // A menu entry, and a keystroke in the sheet itself, each unload the sheet and load it again (as the
    // hand-overs of the dialogs do); the old sheet goes once the action is over.
    main.mnuNeu.Click = [&] {
        frmCalcSize.unload();
        frmCalcSize();
    };
    QPointer<QWidget> oldSheetWidget = ui.viewOf(frmCalcSize())->window();
    ui.viewOf(main)->actionFor(main.mnuNeu)->trigger();
    QTRY_VERIFY(oldSheetWidget.isNull());
    QVERIFY(ui.viewOf(frmCalcSize())->window()->isVisible());
    frmCalcSize().txtp2max.Change = [&] {
        frmCalcSize.unload();
        frmCalcSize().txtp1max.setText("reloaded");
    };
    QTest::keyClick(widget<QLineEdit>(ui, frmCalcSize(), frmCalcSize().txtp2max), Qt::Key_5);
    QCOMPARE(frmCalcSize().txtp1max.text(), QString("reloaded"));
    QCOMPARE(frmCalcSize().txtp2max.text(), QString());
    QTRY_COMPARE(ui.viewOf(main)->mdiClient()->findChildren<QLineEdit *>().size(), 2);
    main.unload();
    QVERIFY(!frmCalcSize.isLoaded());
}

void RendererTest::userMovedWindowIsTakenOverByTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    MainWindow main;
    main.show();
    QWidget *window = ui.viewOf(main)->window();
    QVERIFY(window->isWindow());

    // Where the user drags and sizes the window is what the model (and so shut-down) knows afterwards.
    window->move(200, 100);
    window->resize(700, 500);
    QTRY_COMPARE(main.left(), 200 * kTwipsPerPixel);
    QTRY_COMPARE(main.top(), 100 * kTwipsPerPixel);
    QTRY_COMPARE(main.width(), 700 * kTwipsPerPixel);
    QTRY_COMPARE(main.height(), 500 * kTwipsPerPixel);
    QVERIFY(main.log.isEmpty());

    // The program placing the window still moves it.
    main.move(1500, 3000, 9000, 6000);
    QTRY_COMPARE(window->pos(), QPoint(100, 200));
    QCOMPARE(window->size(), QSize(600, 400));
    QCOMPARE(main.left(), 1500);
    main.unload();
}

void RendererTest::filterTranslation_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one entry") << "Berechnungen (*.vls)|*.vls" << "Berechnungen (*.vls)";
    QTest::newRow("two entries") << "Bilder|*.jpg;*.png|Alle (*.*)|*.*" << "Bilder (*.jpg *.png);;Alle (*.*)";
    QTest::newRow("empty") << "" << "";
}

void RendererTest::filterTranslation()
{
    QFETCH(QString, platform);
    QFETCH(QString, qt);
    QCOMPARE(QtUiServices::qtFilter(platform), qt);
}

// Keys as a user presses them: a character types itself, \b is Backspace, \x7f is Delete.
void pressKeys(QWidget *w, const QString &keys)
{
    for (QChar ch : keys) {
        if (ch == QLatin1Char('\b'))
            QTest::keyClick(w, Qt::Key_Backspace);
        else if (ch == QChar(0x7f))
            QTest::keyClick(w, Qt::Key_Delete);
        else
            QTest::keyClick(w, ch.toLatin1());
    }
}

void RendererTest::typingInTheMiddleKeepsTheCursor_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCursor");
    // "250" with the cursor after the 2, Backspace and 3: the first digit replaced, the rest kept.
    QTest::newRow("text box: backspace, then type") << "txtp1max" << "250" << 1 << 0 << "\b3" << "350" << 1;
    QTest::newRow("text box: insert") << "txtp1max" << "250" << 1 << 0 << "75" << "27550" << 3;
    QTest::newRow("text box: delete forward") << "txtp1max" << "250" << 1 << 0 << "\x7f" "9" << "290" << 2;
    QTest::newRow("text box: replace a selection") << "txtp1max" << "10,5" << 0 << 2 << "12" << "12,5" << 2;
    QTest::newRow("text box: delete a selection") << "txtp1max" << "123456" << 2 << 2 << "\x7f" << "1256" << 2;
    QTest::newRow("editable list: backspace, then type") << "cmbYmax" << "250" << 1 << 0 << "\b3" << "350" << 1;
    QTest::newRow("editable list: type over an entry's text") << "cmbYmax" << "100" << 1 << 1 << "5" << "150" << 2;
    QTest::newRow("editable list: replace a selection") << "cmbYmax" << "86,85" << 3 << 2 << "5" << "86,5" << 4;
}

void RendererTest::typingInTheMiddleKeepsTheCursor()
{
    QFETCH(QString, control);
    QFETCH(QString, start);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, expectedCursor);

    QtUiServices ui;
    UiServicesScope scope(ui);
    InputSheet sheet;
    // As on the sheets, every keystroke stores, writes another control and touches the field's own look.
    int changes = 0;
    auto echo = [&] {
        ++changes;
        sheet.txtp1max.setLocked(false);
        sheet.txtp1max.setMaxLength(0);
        sheet.optLinear.setCaption(sheet.txtp1max.text() + "|" + sheet.cmbYmax.text());
    };
    sheet.txtp1max.Change = echo;
    sheet.cmbYmax.Change = echo;
    sheet.show();
    activate(ui.viewOf(sheet)->window());
    QLineEdit *edit = control == "txtp1max" ? widget<QLineEdit>(ui, sheet, sheet.txtp1max)
                                            : widget<QComboBox>(ui, sheet, sheet.cmbYmax)->lineEdit();
    QVERIFY(edit);
    if (control == "txtp1max")
        sheet.txtp1max.setText(start);
    else
        sheet.cmbYmax.setText(start);
    QTest::mouseClick(edit, Qt::LeftButton);
    // The user puts the cursor (and selects) with the keys.
    QTest::keyClick(edit, Qt::Key_Home);
    for (int i = 0; i < selStart; ++i)
        QTest::keyClick(edit, Qt::Key_Right);
    for (int i = 0; i < selLength; ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    changes = 0;
    pressKeys(edit, keys);

    const QString model = control == "txtp1max" ? sheet.txtp1max.text() : sheet.cmbYmax.text();
    QCOMPARE(edit->text(), expected);
    QCOMPARE(model, expected);
    QCOMPARE(edit->cursorPosition(), expectedCursor);
    QCOMPARE(changes, static_cast<int>(keys.size()));
    sheet.unload();
}

void RendererTest::menuShortcutsWorkFromEveryControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expectedClick");
    QTest::newRow("Ctrl+E from a text box") << "txtp1max" << int(Qt::Key_E) << "mnuEnde_Click";
    QTest::newRow("Ctrl+E from an editable list") << "cmbYmax" << int(Qt::Key_E) << "mnuEnde_Click";
    QTest::newRow("Ctrl+E from a drop-down list") << "cmbP1unit" << int(Qt::Key_E) << "mnuEnde_Click";
    QTest::newRow("Ctrl+E from a check box") << "chkMin" << int(Qt::Key_E) << "mnuEnde_Click";
    // Undo in a line edit under every key scheme; a menu that owns the key gets it.
    QTest::newRow("Ctrl+Z from a text box") << "txtp1max" << int(Qt::Key_Z) << "mnuAnzeigeFL_Click";
    QTest::newRow("Ctrl+Z from an editable list") << "cmbYmax" << int(Qt::Key_Z) << "mnuAnzeigeFL_Click";
    // A key no menu owns stays the text box's own: Ctrl+A selects the text.
    QTest::newRow("Ctrl+A stays with the text box") << "txtp1max" << int(Qt::Key_A) << "";
}

void RendererTest::menuShortcutsWorkFromEveryControl()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, expectedClick);

    QtUiServices ui;
    UiServicesScope scope(ui);
    MainWindow main;
    InputSheet sheet;
    QWidget *w = focusInSheet(ui, main, sheet, control);
    QVERIFY(w);
    QTRY_VERIFY(w->hasFocus());
    main.log.clear();
    QTest::keyClick(w, static_cast<Qt::Key>(key), Qt::ControlModifier);
    QCOMPARE(main.log, expectedClick.isEmpty() ? QStringList() : QStringList{expectedClick});
    if (expectedClick.isEmpty())
        QCOMPARE(qobject_cast<QLineEdit *>(w)->selectedText(), QString("10"));
    sheet.unload();
    main.unload();
}

// Alt with a character is the menu bar's key on the platform: a field takes no letter from it and a list does not
// search for one, also where no menu caption answers it.
void RendererTest::altWithACharacterChangesNoControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text box, Alt+K") << "txtp1max" << int(Qt::Key_K) << "10";
    QTest::newRow("text box, Alt+5") << "txtp1max" << int(Qt::Key_5) << "10";
    QTest::newRow("editable list, Alt+M") << "cmbYmax" << int(Qt::Key_M) << "100";
    // A drop-down list would jump to the entry beginning with the letter: "psia".
    QTest::newRow("drop-down list, Alt+P") << "cmbP1unit" << int(Qt::Key_P) << "bar,abs.";
}

void RendererTest::altWithACharacterChangesNoControl()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, expected);

    QtUiServices ui;
    UiServicesScope scope(ui);
    MainWindow main;
    InputSheet sheet;
    sheet.cmbYmax.setText("100");
    int events = 0;
    sheet.txtp1max.Change = [&] { ++events; };
    sheet.cmbYmax.Change = [&] { ++events; };
    sheet.cmbP1unit.Click = [&] { ++events; };
    QWidget *w = focusInSheet(ui, main, sheet, control);
    QVERIFY(w);
    QTRY_VERIFY(w->hasFocus());
    Control *c = sheet.control(control);
    main.log.clear();
    QTest::keyClick(w, static_cast<Qt::Key>(key), Qt::AltModifier);
    const QString shown = control == "txtp1max" ? sheet.txtp1max.text() : static_cast<ComboBox *>(c)->text();
    QCOMPARE(shown, expected);
    QCOMPARE(qobject_cast<QLineEdit *>(w) ? qobject_cast<QLineEdit *>(w)->text()
                                          : qobject_cast<QComboBox *>(w)->currentText(),
             expected);
    QCOMPARE(events, 0);
    QCOMPARE(main.log, QStringList());
    sheet.unload();
    main.unload();
}

// Caption labels over a frame's edge or a guide line, as the sheets place them; windowed controls over labels.
class StackedForm : public Form {
public:
    Label lblTitle{this, "lblTitle"};
    Shape frameBox{this, "frameBox"};
    Label lblRow{this, "lblRow"};
    Line lineGuide{this, "lineGuide"};
    TextBox txtValue{this, "txtValue"};
    Label lblCover{this, "lblCover"};
    StackedForm() : Form("frmStacked")
    {
        move(0, 0, 6000, 4500);
        lblTitle.move(240, 120, 1500, 240);
        lblTitle.setBackColor(colors::White);
        frameBox.move(120, 240, 5000, 1500);
        frameBox.setForeColor(colors::Red);
        lblRow.move(240, 960, 1500, 240);
        lblRow.setBackColor(colors::White);
        lineGuide.setPoints(120, 1080, 5000, 1080);
        lineGuide.setForeColor(colors::rgb(0, 0, 255));
        txtValue.move(240, 2400, 1500, 285);
        txtValue.setBackColor(colors::White);
        lblCover.move(240, 2400, 1500, 285);
        lblCover.setBackColor(colors::rgb(0, 255, 0));
    }
};

void RendererTest::graphicalControlsStackBeneathWindowedOnes_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    // Points in pixels (15 twips each); each lies on both controls.
    QTest::newRow("title declared before the frame covers its edge") << QPoint(50, 16) << QColor(Qt::white);
    QTest::newRow("row caption covers the guide line declared after it") << QPoint(50, 72) << QColor(Qt::white);
    QTest::newRow("frame edge beside the title") << QPoint(200, 16) << QColor(Qt::red);
    QTest::newRow("text box lies above a label declared after it") << QPoint(50, 170) << QColor(Qt::white);
}

void RendererTest::graphicalControlsStackBeneathWindowedOnes()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    StackedForm form;
    form.load();
    const QImage shot = qtui::renderForm(form);
    QCOMPARE(shot.pixelColor(at), expected);
}

class FramedForm : public Form {
public:
    Frame frameKv{this, "frameDurchflusskoeffizient"};
    Label lblKvmincalc{&frameKv, "lblKvmincalc"};
    FramedForm() : Form("frmFramed")
    {
        move(0, 0, 6000, 3000);
        frameKv.move(120, 120, 4200, 1500);
        frameKv.setCaption("Durchflusskoeffizient");
        lblKvmincalc.move(1200, 480, 960, 195);
    }
};

void RendererTest::framesPaintNoBoxOfTheirOwn_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("inside the frame") << QPoint(40, 80);
    QTest::newRow("an empty cell in the frame") << QPoint(110, 40);
    QTest::newRow("just inside the frame's edge") << QPoint(12, 90);
}

void RendererTest::framesPaintNoBoxOfTheirOwn()
{
    // A frame is an etched line and its title; what lies inside stands on the window's colour, as cells do.
    QFETCH(QPoint, at);
    FramedForm form;
    form.load();
    const QImage shot = qtui::renderForm(form);
    const QColor window = shot.pixelColor(350, 150); // outside the frame
    QCOMPARE(shot.pixelColor(at), window);
}

void RendererTest::formFontsAreMetricCompatibleFaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    // Points at 96 dpi: 8.25 pt are 11 px, 9.75 pt 13 px, 12 pt 16 px, 15.75 pt 21 px.
    QTest::newRow("the form's default") << "" << 8.25 << "Liberation Sans" << 11;
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << 8.25 << "Liberation Sans" << 11;
    QTest::newRow("Arial") << "Arial" << 9.75 << "Liberation Sans" << 13;
    QTest::newRow("ARIAL") << "ARIAL" << 12.0 << "Liberation Sans" << 16;
    // Other names go to fontconfig, which knows the metric-compatible faces.
    QTest::newRow("Times New Roman") << "Times New Roman" << 15.75 << "Liberation Serif" << 21;
    QTest::newRow("Courier New") << "Courier New" << 8.25 << "Liberation Mono" << 11;
}

void RendererTest::formFontsAreMetricCompatibleFaces()
{
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.lblKvmaxcalc.setFontName(name);
    d.lblKvmaxcalc.setFontSize(points);
    d.show();
    const QFont shown = ui.viewOf(d)->widgetFor(d.lblKvmaxcalc)->font();
    QCOMPARE(QFontInfo(shown).family(), family);
    QCOMPARE(QFontInfo(shown).pixelSize(), pixels);
    d.unload();
}

void RendererTest::qtTextsSpeakTheProgramsLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("lookIn");
    // As Qt's translation catalogues (qt6-translations-l10n) word them.
    QTest::newRow("German") << "de" << "&Ja" << "Suchen in:";
    QTest::newRow("English") << "en" << "&Yes" << "Look in:";
    QTest::newRow("French") << "fr" << "&Oui" << "Voir dans :";
    QTest::newRow("Italian") << "it" << "&Sì" << "Cerca in:";
    QTest::newRow("Spanish") << "es" << "&Sí" << "Ver en:";
    QTest::newRow("Czech") << "cs" << "&Ano" << "Hledat v:";
}

void RendererTest::qtTextsSpeakTheProgramsLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, yes);
    QFETCH(QString, lookIn);
    QtUiServices ui;
    // Switched from another language: only the new one speaks.
    ui.setLanguage(language == "cs" ? "de" : "cs");
    ui.setLanguage(language);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), yes);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *label = dialog.findChild<QLabel *>("lookInLabel");
    QVERIFY(label);
    QCOMPARE(label->text(), lookIn);
}

// A number wider than its label is drawn with fewer digits and its exponent, never cut at the edge; the model keeps
// the whole caption.
void RendererTest::numberTooWideForItsLabelKeepsItsExponent_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("exponent"); // that the text drawn ends with, empty: drawn as it stands
    // 0.0001 kg/h of water through DN 50: 1.0013E-07 m3/h / 1.9635E-03 m2 = 1.41662E-08 m/s.
    QTest::newRow("velocity of 1.4166E-08 m/s") << numtext::general(1.41662008502161e-8) << 1.41662008502161e-8
                                                << "E-08";
    QTest::newRow("fixed digits") << numtext::fixed(319779999000000.0, 0) << 319779999000000.0 << "E+14";
    QTest::newRow("rangeability keeps its ratio") << numtext::fixed(2.5e13, 1) + ":1" << 2.5e13 << "E+13:1";
    QTest::newRow("a number that fits") << numtext::fixed(0.5, 4) << 0.5 << "";
}

void RendererTest::numberTooWideForItsLabelKeepsItsExponent()
{
    QFETCH(QString, caption);
    QFETCH(double, value);
    QFETCH(QString, exponent);
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    auto *label = widget<QLabel>(ui, d, d.lblKvmaxcalc);
    d.lblKvmaxcalc.setCaption(caption);
    const QString shown = label->text();
    QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(), qPrintable(shown));
    QCOMPARE(d.lblKvmaxcalc.caption(), caption);
    if (exponent.isEmpty()) {
        QCOMPARE(shown, caption);
        return;
    }
    QVERIFY2(shown.endsWith(exponent), qPrintable(shown));
    // The same number rounded: within half a unit of the last digit drawn.
    const QString mantissa = shown.left(shown.indexOf(QLatin1Char('E')));
    double read = 0.0;
    QVERIFY(numtext::parse(shown.chopped(exponent.endsWith(QLatin1String(":1")) ? 2 : 0), &read));
    const auto digits = std::count_if(mantissa.begin(), mantissa.end(), [](QChar c) { return c.isDigit(); });
    const double lastDigit = std::pow(10.0, std::floor(std::log10(value)) - static_cast<double>(digits - 1));
    QVERIFY2(std::fabs(read - value) <= 0.5 * lastDigit, qPrintable(shown));
}

QTEST_MAIN(RendererTest)
#include "test_renderer.moc"
