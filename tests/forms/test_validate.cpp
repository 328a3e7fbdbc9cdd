// A control's Validate before the focus leaves it (Cancel keeps the focus and drops the action that wanted it), and
// a label's Change; in the model and through the renderer.
#include "platform/forms/forms.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// A share that must hold a number before the focus may leave it, as a mixture's share does.
class ShareForm : public Form {
public:
    QStringList log;
    TextBox txtShare{this, "txtShare"};
    TextBox txtName{this, "txtName"};
    ListBox lstGas{this, "lstGas"};
    CheckBox chkMin{this, "chkMin"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdAbbruch{this, "cmdAbbruch"};
    Label lblTotal{this, "lblTotal"};
    Label lblEcho{this, "lblEcho"};

    ShareForm() : Form("frmShare")
    {
        move(0, 0, 6000, 3000);
        txtShare.move(120, 120, 1095, 285);
        txtName.move(1320, 120, 1995, 285);
        lstGas.move(120, 600, 1995, 1200);
        chkMin.move(2400, 600, 1200, 255);
        cmdOK.move(3600, 2400, 1095, 375);
        cmdAbbruch.move(4800, 2400, 1095, 375);
        int tab = 0;
        for (Control *c : std::initializer_list<Control *>{&txtShare, &txtName, &lstGas, &chkMin, &cmdOK,
                                                           &cmdAbbruch}) {
            c->setTabIndex(tab++);
            c->GotFocus = [this, c] { log << c->name() + "_GotFocus"; };
            c->LostFocus = [this, c] { log << c->name() + "_LostFocus"; };
        }
        lstGas.addItem("Luft");
        lstGas.addItem("Methan");
        lstGas.Click = [this] { log << "lstGas_Click"; };
        chkMin.Click = [this] { log << "chkMin_Click"; };
        cmdOK.setDefault(true);
        cmdOK.Click = [this] { log << "cmdOK_Click"; };
        cmdAbbruch.setCancel(true);
        cmdAbbruch.setCausesValidation(false);
        cmdAbbruch.Click = [this] { log << "cmdAbbruch_Click"; };
        txtShare.Validate = [this](int &Cancel) {
            bool ok = false;
            txtShare.text().toDouble(&ok);
            log << QStringLiteral("txtShare_Validate:%1").arg(ok ? "keep" : "cancel");
            if (!ok)
                Cancel = 1;
        };
        txtShare.Change = [this] { lblTotal.setCaption(txtShare.text()); };
        lblTotal.Change = [this] {
            log << "lblTotal_Change:" + lblTotal.caption();
            lblEcho.setCaption("=" + lblTotal.caption());
        };
        lblEcho.Change = [this] { log << "lblEcho_Change:" + lblEcho.caption(); };
    }
};

} // namespace

class ValidateTest : public QObject {
    Q_OBJECT

private slots:
    void focusLeavesOnlyAValidField_data();
    void focusLeavesOnlyAValidField();
    void labelChangeRunsInsideTheAssignment();
    void rendererDropsTheRefusedClick();
};

void ValidateTest::focusLeavesOnlyAValidField_data()
{
    QTest::addColumn<QString>("share");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("refused");
    QTest::newRow("tab, a number") << "5" << "tab"
                                   << QStringList{"txtShare_Validate:keep", "txtShare_LostFocus", "txtName_GotFocus"}
                                   << "txtName" << false;
    QTest::newRow("tab, no number") << "" << "tab" << QStringList{"txtShare_Validate:cancel"} << "txtShare" << true;
    QTest::newRow("button, no number") << "x" << "button" << QStringList{"txtShare_Validate:cancel"} << "txtShare"
                                       << true;
    QTest::newRow("button, a number")
        << "5" << "button"
        << QStringList{"txtShare_Validate:keep", "txtShare_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"} << "cmdOK"
        << false;
    QTest::newRow("list, no number") << "" << "list" << QStringList{"txtShare_Validate:cancel"} << "txtShare" << true;
    QTest::newRow("check box, no number") << "" << "check" << QStringList{"txtShare_Validate:cancel"} << "txtShare"
                                          << true;
    QTest::newRow("typing elsewhere, no number") << "" << "type" << QStringList{"txtShare_Validate:cancel"}
                                                 << "txtShare" << true;
    // A button that causes no validation is reached without asking.
    QTest::newRow("cancel button, no number")
        << "" << "cancel" << QStringList{"txtShare_LostFocus", "cmdAbbruch_GotFocus", "cmdAbbruch_Click"}
        << "cmdAbbruch" << false;
    // Enter presses the default button without moving the focus: nothing is validated.
    QTest::newRow("Enter, no number") << "" << "enter" << QStringList{"cmdOK_Click"} << "txtShare" << false;
}

void ValidateTest::focusLeavesOnlyAValidField()
{
    QFETCH(QString, share);
    QFETCH(QString, action);
    QFETCH(QStringList, log);
    QFETCH(QString, focus);
    QFETCH(bool, refused);
    ShareForm f;
    f.load();
    QVERIFY(f.txtShare.setFocus());
    f.txtShare.setText(share);
    f.log.clear();
    if (action == QLatin1String("tab"))
        f.pressTab();
    else if (action == QLatin1String("button"))
        f.cmdOK.userClick();
    else if (action == QLatin1String("list"))
        f.lstGas.userPick(1);
    else if (action == QLatin1String("check"))
        f.chkMin.userClick();
    else if (action == QLatin1String("type"))
        f.txtName.userType("abc");
    else if (action == QLatin1String("cancel"))
        f.cmdAbbruch.userClick();
    else if (action == QLatin1String("enter"))
        QVERIFY(f.pressEnter());
    QCOMPARE(f.log, log);
    QCOMPARE(f.activeControl()->name(), focus);
    QCOMPARE(f.focusRefused(), refused);
    // What the refused action would have changed is unchanged.
    QCOMPARE(f.lstGas.listIndex(), action == QLatin1String("list") && !refused ? 1 : -1);
    QCOMPARE(f.chkMin.value(), 0);
    QCOMPARE(f.txtName.text(), QString());
}

void ValidateTest::labelChangeRunsInsideTheAssignment()
{
    ShareForm f;
    f.load();
    f.txtShare.setText("40");
    f.lblTotal.setCaption("40"); // the same caption raises nothing
    f.txtShare.setText("45");
    QCOMPARE(f.log, (QStringList{"lblTotal_Change:40", "lblEcho_Change:=40", "lblTotal_Change:45",
                                 "lblEcho_Change:=45"}));
}

void ValidateTest::rendererDropsTheRefusedClick()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    ShareForm f;
    f.show();
    QWidget *window = ui.viewOf(f)->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *share = qobject_cast<QLineEdit *>(ui.viewOf(f)->widgetFor(f.txtShare));
    QTRY_VERIFY(share->hasFocus());
    f.txtShare.setText("x");
    f.log.clear();

    // One question per click, and neither the click nor the list choice happens; the focus comes back.
    QTest::mouseClick(ui.viewOf(f)->widgetFor(f.cmdOK), Qt::LeftButton);
    auto *list = qobject_cast<QListWidget *>(ui.viewOf(f)->widgetFor(f.lstGas));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(ui.viewOf(f)->widgetFor(f.chkMin), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(f.log, (QStringList{"txtShare_Validate:cancel", "txtShare_Validate:cancel", "txtShare_Validate:cancel"}));
    QCOMPARE(f.lstGas.listIndex(), -1);
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(!qobject_cast<QCheckBox *>(ui.viewOf(f)->widgetFor(f.chkMin))->isChecked());
    QTRY_VERIFY(share->hasFocus());

    // With a number the click goes through.
    f.txtShare.setText("5");
    f.log.clear();
    QTest::mouseClick(ui.viewOf(f)->widgetFor(f.cmdOK), Qt::LeftButton);
    QCOMPARE(f.log, (QStringList{"txtShare_Validate:keep", "txtShare_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"}));
    f.unload();
}

QTEST_MAIN(ValidateTest)
#include "test_validate.moc"
