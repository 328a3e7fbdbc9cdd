// Focus sequences, Tab order, default and cancel buttons, and handlers nested inside assignments.
#include "platform/forms/forms.h"

#include <QTest>

namespace {

class SheetForm : public Form {
public:
    QStringList log;

    TextBox txtp1max{this, "txtp1max"};
    TextBox txtp2max{this, "txtp2max"};
    TextBox txtT1max{this, "txtT1max"};
    ComboBox cmbP1unit{this, "cmbP1unit"};
    CheckBox chkMin{this, "chkMin"};
    Label lblStatus{this, "lblStatus"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdAbbruch{this, "cmdAbbruch"};

    double p1Max = 0.0;

    SheetForm() : Form("frmSheet")
    {
        int tab = 0;
        for (Control *c : std::initializer_list<Control *>{&txtp1max, &txtp2max, &txtT1max, &cmbP1unit, &chkMin,
                                                           &cmdOK, &cmdAbbruch}) {
            c->setTabIndex(tab++);
            c->GotFocus = [this, c] { log << c->name() + "_GotFocus"; };
            c->LostFocus = [this, c] { log << c->name() + "_LostFocus"; };
        }
        txtp1max.Change = [this] { txtp1max_Change(); };
        txtT1max.Change = [this] { log << "txtT1max_Change:" + txtT1max.text(); };
        txtp1max.GotFocus = [this] {
            log << "txtp1max_GotFocus";
            txtp1max.selectAll();
        };
        cmbP1unit.setStyle(ComboBox::Style::DropdownList);
        cmbP1unit.Click = [this] { cmbP1unit_Click(); };
        cmdOK.setDefault(true);
        cmdAbbruch.setCancel(true);
        cmdOK.Click = [this] { log << "cmdOK_Click"; };
        cmdAbbruch.Click = [this] { log << "cmdAbbruch_Click"; };
    }

    void txtp1max_Change()
    {
        bool ok = false;
        const double v = txtp1max.text().toDouble(&ok);
        if (ok)
            p1Max = v;
        log << "txtp1max_Change:" + txtp1max.text();
    }
    // A unit switch rewrites the boxes, whose own handlers run inside this one.
    void cmbP1unit_Click()
    {
        log << "cmbP1unit_Click:begin";
        txtp1max.setText(QString::number(p1Max * 10));
        txtT1max.setText(txtT1max.text()); // unchanged: nothing runs
        log << "cmbP1unit_Click:end";
    }
};

} // namespace

class FocusAndNestingTest : public QObject {
    Q_OBJECT

private slots:
    void focusMovesRaiseLostThenGot();
    void focusRefusedWhereItCannotGo_data();
    void focusRefusedWhereItCannotGo();
    void focusRedirectedInsideLostFocus();
    void tabOrderSkipsHiddenAndWraps();
    void clickMovesFocusBeforeClick();
    void enterAndEscapePressButtons();
    void nestedHandlersRunInsideTheAssignment();
    void showingGivesTheFirstControlTheFocus();
    void unsetHandlersDoNothing();
};

void FocusAndNestingTest::focusMovesRaiseLostThenGot()
{
    SheetForm f;
    QVERIFY(f.txtp1max.setFocus());
    QCOMPARE(f.log, QStringList{"txtp1max_GotFocus"});
    QCOMPARE(f.txtp1max.selLength(), 0); // empty text: nothing to select
    f.log.clear();
    QVERIFY(f.txtp2max.setFocus());
    QCOMPARE(f.log, (QStringList{"txtp1max_LostFocus", "txtp2max_GotFocus"}));
    QCOMPARE(f.activeControl(), &f.txtp2max);
    QVERIFY(f.txtp2max.hasFocus());
    f.log.clear();
    QVERIFY(f.txtp2max.setFocus()); // already there
    QVERIFY(f.log.isEmpty());
}

void FocusAndNestingTest::focusRefusedWhereItCannotGo_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("hidden") << "hidden";
    QTest::newRow("disabled") << "disabled";
    QTest::newRow("label") << "label";
}

void FocusAndNestingTest::focusRefusedWhereItCannotGo()
{
    QFETCH(QString, situation);
    SheetForm f;
    f.txtp1max.setFocus();
    f.log.clear();
    Control *target = &f.txtp2max;
    if (situation == "hidden")
        f.txtp2max.setVisible(false);
    else if (situation == "disabled")
        f.txtp2max.setEnabled(false);
    else
        target = &f.lblStatus;
    QVERIFY(!target->setFocus());
    QVERIFY(f.log.isEmpty());
    QCOMPARE(f.activeControl(), &f.txtp1max);
}

void FocusAndNestingTest::focusRedirectedInsideLostFocus()
{
    // A validation in LostFocus puts the focus back on a field: the control that was about to get the focus
    // never had it, so it loses nothing and gains nothing.
    SheetForm f;
    f.txtp1max.setFocus();
    f.txtp1max.LostFocus = [&] {
        f.log << "txtp1max_LostFocus";
        f.txtT1max.setFocus();
    };
    f.log.clear();
    f.txtp2max.setFocus();
    QCOMPARE(f.log, (QStringList{"txtp1max_LostFocus", "txtT1max_GotFocus"}));
    QCOMPARE(f.activeControl(), &f.txtT1max);
}

void FocusAndNestingTest::tabOrderSkipsHiddenAndWraps()
{
    SheetForm f;
    f.txtp2max.setVisible(false);
    f.chkMin.setEnabled(false);
    f.txtp1max.setFocus();
    QVERIFY(f.pressTab());
    QCOMPARE(f.activeControl(), &f.txtT1max);
    f.pressTab();
    QCOMPARE(f.activeControl(), &f.cmbP1unit);
    f.pressTab();
    QCOMPARE(f.activeControl(), &f.cmdOK);
    f.pressTab();
    f.pressTab();
    QCOMPARE(f.activeControl(), &f.txtp1max); // wrapped around
    f.pressTab(true);
    QCOMPARE(f.activeControl(), &f.cmdAbbruch);
    // Tab order follows TabIndex, not declaration order.
    f.cmdAbbruch.setTabIndex(0);
    f.txtp1max.setTabIndex(1);
    QCOMPARE(f.tabOrder().front(), &f.cmdAbbruch);
}

void FocusAndNestingTest::clickMovesFocusBeforeClick()
{
    SheetForm f;
    f.txtp2max.setFocus();
    f.log.clear();
    f.cmdOK.userClick();
    QCOMPARE(f.log, (QStringList{"txtp2max_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"}));
    // A LostFocus that disables the button swallows the click.
    f.txtp1max.setFocus();
    f.txtp1max.LostFocus = [&] { f.cmdAbbruch.setEnabled(false); };
    f.log.clear();
    f.cmdAbbruch.userClick();
    QVERIFY(!f.log.contains("cmdAbbruch_Click"));
}

void FocusAndNestingTest::enterAndEscapePressButtons()
{
    SheetForm f;
    f.txtp1max.setFocus();
    f.log.clear();
    QVERIFY(f.pressEnter());
    QVERIFY(f.pressEscape());
    QCOMPARE(f.log, (QStringList{"cmdOK_Click", "cmdAbbruch_Click"})); // no focus move
    f.cmdOK.setEnabled(false);
    QVERIFY(!f.pressEnter());
    // Only one default button per form.
    f.cmdAbbruch.setDefault(true);
    QVERIFY(!f.cmdOK.isDefault());
}

void FocusAndNestingTest::nestedHandlersRunInsideTheAssignment()
{
    SheetForm f;
    for (const char *u : {"bar", "kPa"})
        f.cmbP1unit.addItem(u);
    f.txtp1max.setText("10");
    f.txtT1max.setText("20");
    f.log.clear();
    f.cmbP1unit.setListIndex(1);
    QCOMPARE(f.log, (QStringList{"cmbP1unit_Click:begin", "txtp1max_Change:100", "cmbP1unit_Click:end"}));
    QCOMPARE(f.p1Max, 100.0);
}

void FocusAndNestingTest::showingGivesTheFirstControlTheFocus()
{
    SheetForm f;
    f.txtp1max.setVisible(false);
    f.show();
    QCOMPARE(f.activeControl(), &f.txtp2max);
    QCOMPARE(f.log, QStringList{"txtp2max_GotFocus"});
    f.hide();
    f.show(); // showing again keeps the focus where it was
    QCOMPARE(f.log.size(), 1);
}

void FocusAndNestingTest::unsetHandlersDoNothing()
{
    Form plain("frmPlain");
    TextBox t(&plain, "txt");
    CheckBox c(&plain, "chk");
    t.setText("x");
    t.userType("y");
    c.userClick();
    t.setFocus();
    c.setFocus();
    QCOMPARE(t.text(), QString("xy"));
    QCOMPARE(c.value(), 1);
    QCOMPARE(plain.control("CHK"), static_cast<Control *>(&c));
    QCOMPARE(plain.control("nothing"), nullptr);
}

QTEST_GUILESS_MAIN(FocusAndNestingTest)
#include "test_focus_and_nesting.moc"
