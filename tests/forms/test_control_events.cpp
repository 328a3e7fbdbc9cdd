// Events raised by assignments and by the user's input: same value, different value, lists, options, check boxes.
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"

#include <QTest>

namespace {

// A small window with one control of each kind and a log of the events they raise.
class EventForm : public Form {
public:
    QStringList log;

    Frame frameA{this, "frameA"};
    Frame frameB{this, "frameB"};
    TextBox txtWert{this, "txtWert"};
    ComboBox cmbEinheit{this, "cmbEinheit"};
    ComboBox cmbOeffnung{this, "cmbOeffnung"};
    ListBox lstSubstanz{this, "lstSubstanz"};
    CheckBox chkMin{this, "chkMin"};
    OptionButton optA1{&frameA, "optA1"};
    OptionButton optA2{&frameA, "optA2"};
    OptionButton optA3{&frameA, "optA3"};
    OptionButton optB1{&frameB, "optB1"};
    OptionButton optB2{&frameB, "optB2"};
    Label lblErgebnis{this, "lblErgebnis"};

    EventForm() : Form("frmEvents")
    {
        cmbEinheit.setStyle(ComboBox::Style::DropdownList);
        txtWert.Change = [this] { log << "txtWert_Change:" + txtWert.text(); };
        cmbEinheit.Click = [this] { log << QString("cmbEinheit_Click:%1").arg(cmbEinheit.listIndex()); };
        cmbOeffnung.Click = [this] { log << "cmbOeffnung_Click:" + cmbOeffnung.text(); };
        cmbOeffnung.Change = [this] { log << "cmbOeffnung_Change:" + cmbOeffnung.text(); };
        lstSubstanz.Click = [this] { log << "lstSubstanz_Click:" + lstSubstanz.text(); };
        chkMin.Click = [this] { log << QString("chkMin_Click:%1").arg(chkMin.value()); };
        for (OptionButton *o : {&optA1, &optA2, &optA3, &optB1, &optB2})
            o->Click = [this, o] { log << o->name() + "_Click"; };
    }
};

void fill(ListControl &list, int n)
{
    for (int i = 0; i < n; ++i)
        list.addItem(QString::number(i * 10));
}

} // namespace

class ControlEventsTest : public QObject {
    Q_OBJECT

private slots:
    void textAssignment_data();
    void textAssignment();
    void typingRaisesChangePerKeystroke();
    void typingReplacesSelectionAndHonoursLock();
    void listPosition_data();
    void listPosition();
    void clearedAndRefilledListClicksWhenPositioned();
    void addingItemsKeepsTheChosenEntry();
    void removingItems();
    void editableComboTextAndPick();
    void dropdownListText();
    void sortedListBox();
    void checkBox_data();
    void checkBox();
    void optionGroupsByContainer();
    void userInputNeedsShownEnabledControl();
    void captionsRaiseNothing();
    void controlArraysTellTheirIndex();
    void lineKeepsItsDirectionWhenMoved();
};

void ControlEventsTest::textAssignment_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("assigned");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("different text") << "5" << "7" << QStringList{"txtWert_Change:7"};
    QTest::newRow("same text") << "5" << "5" << QStringList{};
    QTest::newRow("emptied") << "5" << "" << QStringList{"txtWert_Change:"};
    QTest::newRow("case differs") << "abc" << "ABC" << QStringList{"txtWert_Change:ABC"};
    QTest::newRow("empty stays empty") << "" << "" << QStringList{};
}

void ControlEventsTest::textAssignment()
{
    QFETCH(QString, start);
    QFETCH(QString, assigned);
    QFETCH(QStringList, events);
    EventForm f;
    f.txtWert.setText(start);
    f.log.clear();
    f.txtWert.setText(assigned);
    QCOMPARE(f.log, events);
    QCOMPARE(f.txtWert.text(), assigned);
}

void ControlEventsTest::typingRaisesChangePerKeystroke()
{
    EventForm f;
    f.txtWert.setText("");
    f.log.clear();
    f.txtWert.userType("-5");
    QCOMPARE(f.log, (QStringList{"txtWert_Change:-", "txtWert_Change:-5"}));
    QCOMPARE(f.txtWert.selStart(), 2);
    f.log.clear();
    f.txtWert.userBackspace();
    f.txtWert.userBackspace();
    f.txtWert.userBackspace(); // nothing left to delete: no event
    QCOMPARE(f.log, (QStringList{"txtWert_Change:-", "txtWert_Change:"}));
}

void ControlEventsTest::typingReplacesSelectionAndHonoursLock()
{
    EventForm f;
    f.txtWert.setText("10.5");
    f.txtWert.selectAll();
    QCOMPARE(f.txtWert.selLength(), 4);
    f.log.clear();
    f.txtWert.userType("7");
    QCOMPARE(f.txtWert.text(), QString("7"));
    QCOMPARE(f.log, QStringList{"txtWert_Change:7"});

    // The selection is clamped to the text.
    f.txtWert.setSelStart(99);
    QCOMPARE(f.txtWert.selStart(), 1);
    f.txtWert.setSelLength(-3);
    QCOMPARE(f.txtWert.selLength(), 0);

    f.txtWert.setLocked(true);
    f.log.clear();
    f.txtWert.userType("8");
    QCOMPARE(f.txtWert.text(), QString("7"));
    QVERIFY(f.log.isEmpty());
    f.txtWert.setText("code may still write"); // a locked field is read-only for the user only
    QCOMPARE(f.log.size(), 1);

    f.txtWert.setLocked(false);
    f.txtWert.setText("");
    f.txtWert.setMaxLength(3);
    f.txtWert.userType("12345");
    QCOMPARE(f.txtWert.text(), QString("123"));
}

void ControlEventsTest::listPosition_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicks");

    QTest::newRow("different position") << 1 << 2 << 2 << 1;
    QTest::newRow("same position") << 2 << 2 << 2 << 0;
    QTest::newRow("to no entry") << 2 << -1 << -1 << 1;
    QTest::newRow("beyond the end refused") << 1 << 3 << 1 << 0;
    QTest::newRow("below -1 refused") << 1 << -2 << 1 << 0;
    QTest::newRow("from nothing to first") << -1 << 0 << 0 << 1;
}

void ControlEventsTest::listPosition()
{
    QFETCH(int, start);
    QFETCH(int, assigned);
    QFETCH(int, expected);
    QFETCH(int, clicks);
    EventForm f;
    fill(f.cmbEinheit, 3);
    fill(f.lstSubstanz, 3);
    f.cmbEinheit.setListIndex(start);
    f.lstSubstanz.setListIndex(start);
    f.log.clear();
    f.cmbEinheit.setListIndex(assigned);
    f.lstSubstanz.setListIndex(assigned);
    QCOMPARE(f.cmbEinheit.listIndex(), expected);
    QCOMPARE(f.lstSubstanz.listIndex(), expected);
    QCOMPARE(f.log.size(), 2 * clicks);
    QCOMPARE(f.cmbEinheit.text(), f.cmbEinheit.list(expected));
}

void ControlEventsTest::clearedAndRefilledListClicksWhenPositioned()
{
    EventForm f;
    fill(f.cmbEinheit, 3);
    f.cmbEinheit.setListIndex(1);
    f.log.clear();
    f.cmbEinheit.clear();
    QCOMPARE(f.cmbEinheit.listIndex(), -1);
    QCOMPARE(f.cmbEinheit.listCount(), 0);
    QCOMPARE(f.cmbEinheit.text(), QString());
    QVERIFY(f.log.isEmpty()); // clearing is silent
    fill(f.cmbEinheit, 3);
    QVERIFY(f.log.isEmpty()); // filling is silent
    QCOMPARE(f.cmbEinheit.listIndex(), -1);
    f.cmbEinheit.setListIndex(1); // the same number as before the clear, yet a new position
    QCOMPARE(f.log, QStringList{"cmbEinheit_Click:1"});
}

void ControlEventsTest::addingItemsKeepsTheChosenEntry()
{
    EventForm f;
    fill(f.lstSubstanz, 3);
    f.lstSubstanz.setListIndex(1);
    f.log.clear();
    f.lstSubstanz.addItem("x");
    QCOMPARE(f.lstSubstanz.listIndex(), 1);
    QCOMPARE(f.lstSubstanz.newIndex(), 3);
    // An entry put in before the chosen one moves its number, not the choice, and raises nothing.
    QCOMPARE(f.lstSubstanz.addItem("first", 0), 0);
    QCOMPARE(f.lstSubstanz.listIndex(), 2);
    QCOMPARE(f.lstSubstanz.text(), QString("10"));
    QVERIFY(f.log.isEmpty());
    // Out of range look-ups give nothing rather than failing.
    QCOMPARE(f.lstSubstanz.list(99), QString());
    QCOMPARE(f.lstSubstanz.list(-1), QString());
    QCOMPARE(f.lstSubstanz.itemData(99), 0L);
    f.lstSubstanz.setItemData(2, 42);
    QCOMPARE(f.lstSubstanz.itemData(2), 42L);
}

void ControlEventsTest::removingItems()
{
    EventForm f;
    fill(f.lstSubstanz, 4);
    f.lstSubstanz.setListIndex(2);
    f.log.clear();
    f.lstSubstanz.removeItem(0);
    QCOMPARE(f.lstSubstanz.listIndex(), 1);
    QCOMPARE(f.lstSubstanz.text(), QString("20"));
    f.lstSubstanz.removeItem(1);
    QCOMPARE(f.lstSubstanz.listIndex(), -1);
    f.lstSubstanz.removeItem(17);
    QCOMPARE(f.lstSubstanz.listCount(), 2);
    QVERIFY(f.log.isEmpty());
}

void ControlEventsTest::editableComboTextAndPick()
{
    EventForm f;
    for (const char *t : {"100", "90", "50"})
        f.cmbOeffnung.addItem(t);
    f.cmbOeffnung.setText("50,00");
    QCOMPARE(f.log, QStringList{"cmbOeffnung_Change:50,00"});
    QCOMPARE(f.cmbOeffnung.listIndex(), -1);
    f.log.clear();

    // Picking an entry raises Click only, and the text follows.
    f.cmbOeffnung.userPick(2);
    QCOMPARE(f.log, QStringList{"cmbOeffnung_Click:50"});
    QCOMPARE(f.cmbOeffnung.text(), QString("50"));
    f.log.clear();

    // Typing raises Change per keystroke; a text equal to an entry moves the position without Click.
    f.cmbOeffnung.setText("");
    f.cmbOeffnung.userType("90");
    QCOMPARE(f.log, (QStringList{"cmbOeffnung_Change:", "cmbOeffnung_Change:9", "cmbOeffnung_Change:90"}));
    QCOMPARE(f.cmbOeffnung.listIndex(), 1);
    f.log.clear();
    f.cmbOeffnung.userPick(1); // already chosen: nothing
    QVERIFY(f.log.isEmpty());
    f.cmbOeffnung.userType("5");
    QCOMPARE(f.cmbOeffnung.listIndex(), -1);
}

void ControlEventsTest::dropdownListText()
{
    EventForm f;
    for (const char *t : {"bar,abs.", "bar,ü.", "psia"})
        f.cmbEinheit.addItem(QString::fromUtf8(t));
    f.cmbEinheit.setText("PSIA");
    QCOMPARE(f.cmbEinheit.listIndex(), 2);
    QCOMPARE(f.log, QStringList{"cmbEinheit_Click:2"});
    f.cmbEinheit.setText("no such unit");
    QCOMPARE(f.cmbEinheit.listIndex(), 2);
    f.cmbEinheit.userType("x"); // a drop-down list has no text to type into
    QCOMPARE(f.cmbEinheit.text(), QString("psia"));
    QCOMPARE(f.log.size(), 1);
}

void ControlEventsTest::sortedListBox()
{
    EventForm f;
    f.lstSubstanz.setSorted(true);
    for (const char *t : {"Methan (CH4)", "ammoniak (NH3)", "Äthan (C2H6)", "Butan (C4H10)"})
        f.lstSubstanz.addItem(QString::fromUtf8(t));
    QCOMPARE(f.lstSubstanz.list(0), QString("ammoniak (NH3)"));
    QCOMPARE(f.lstSubstanz.list(3), QString("Methan (CH4)"));
    QCOMPARE(f.lstSubstanz.newIndex(), 2); // Butan went in third
    QCOMPARE(f.lstSubstanz.findItem("butan (c4h10)"), 2);
}

void ControlEventsTest::checkBox_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicks");

    QTest::newRow("tick") << 0 << 1 << 1 << 1;
    QTest::newRow("clear") << 1 << 0 << 0 << 1;
    QTest::newRow("tick again") << 1 << 1 << 1 << 0;
    QTest::newRow("clear again") << 0 << 0 << 0 << 0;
    QTest::newRow("grey") << 1 << 2 << 2 << 1;
    QTest::newRow("invalid refused") << 1 << 3 << 1 << 0;
    QTest::newRow("negative refused") << 0 << -1 << 0 << 0;
}

void ControlEventsTest::checkBox()
{
    QFETCH(int, start);
    QFETCH(int, assigned);
    QFETCH(int, expected);
    QFETCH(int, clicks);
    EventForm f;
    f.chkMin.setValue(start);
    f.log.clear();
    f.chkMin.setValue(assigned);
    QCOMPARE(f.chkMin.value(), expected);
    QCOMPARE(f.log.size(), clicks);
    if (clicks)
        QCOMPARE(f.log.first(), QString("chkMin_Click:%1").arg(expected));
}

void ControlEventsTest::optionGroupsByContainer()
{
    EventForm f;
    f.optA1.setValue(true);
    f.optB2.setValue(true);
    QCOMPARE(f.log, (QStringList{"optA1_Click", "optB2_Click"}));
    f.log.clear();

    f.optA3.setValue(true); // clears optA1 silently, leaves frame B alone
    QCOMPARE(f.log, QStringList{"optA3_Click"});
    QVERIFY(!f.optA1.value());
    QVERIFY(f.optA3.value());
    QVERIFY(f.optB2.value());
    f.log.clear();

    f.optA3.setValue(true); // already selected
    f.optA3.userClick();
    QVERIFY(f.log.isEmpty());

    f.optA3.setValue(false); // clearing raises nothing
    QVERIFY(f.log.isEmpty());
    QVERIFY(!f.optA1.value() && !f.optA2.value() && !f.optA3.value());

    f.optA2.userClick();
    QCOMPARE(f.log, QStringList{"optA2_Click"});
    QCOMPARE(f.activeControl(), &f.optA2);
}

void ControlEventsTest::userInputNeedsShownEnabledControl()
{
    EventForm f;
    fill(f.lstSubstanz, 2);
    f.frameA.setEnabled(false); // a disabled frame disables what it holds
    f.optA1.userClick();
    f.chkMin.setVisible(false);
    f.chkMin.userClick();
    f.txtWert.setEnabled(false);
    f.txtWert.userType("1");
    f.lstSubstanz.setVisible(false);
    f.lstSubstanz.userPick(1);
    QVERIFY(f.log.isEmpty());
    // Code still reaches them.
    f.optA1.setValue(true);
    f.chkMin.setValue(1);
    f.lstSubstanz.setListIndex(1);
    QCOMPARE(f.log.size(), 3);
}

void ControlEventsTest::captionsRaiseNothing()
{
    EventForm f;
    f.lblErgebnis.setCaption("12,3:1");
    f.lblErgebnis.setForeColor(colors::Red);
    f.lblErgebnis.setFontBold(true);
    QCOMPARE(f.lblErgebnis.caption(), QString("12,3:1"));
    QCOMPARE(f.lblErgebnis.foreColor(), 255);
    QVERIFY(f.log.isEmpty());
    f.lblErgebnis.setWidth(-20);
    QCOMPARE(f.lblErgebnis.width(), 0);
}

void ControlEventsTest::controlArraysTellTheirIndex()
{
    Form f("frmStart");
    PictureBox picStart(&f, "picStart");
    ControlArray<Image> ImgSprache(&picStart, "ImgSprache", 6);
    QList<int> clicked;
    for (int i = 0; i < ImgSprache.count(); ++i)
        ImgSprache[i].Click = [&clicked, i] { clicked << i; };
    int pictureClicks = 0;
    picStart.Click = [&] { ++pictureClicks; };
    ImgSprache(3).userClick();
    picStart.userClick();
    picStart.setVisible(false); // what the picture holds is hidden with it
    ImgSprache(4).userClick();
    QCOMPARE(clicked, QList<int>{3});
    QCOMPARE(pictureClicks, 1);
    QCOMPARE(ImgSprache[5].index(), 5);
    QCOMPARE(ImgSprache[5].name(), QString("ImgSprache"));
    QCOMPARE(ImgSprache[0].container(), static_cast<Container *>(&picStart));
}

void ControlEventsTest::lineKeepsItsDirectionWhenMoved()
{
    Form f("frmLines");
    Line lineRohr1(&f, "lineRohr1");
    lineRohr1.setPoints(3000, 480, 1000, 480);
    QCOMPARE(lineRohr1.left(), 1000);
    QCOMPARE(lineRohr1.width(), 2000);
    QCOMPARE(lineRohr1.height(), 0);
    lineRohr1.setTop(6480); // the block moved down
    QCOMPARE(lineRohr1.y1(), 6480);
    QCOMPARE(lineRohr1.y2(), 6480);
    QCOMPARE(lineRohr1.x1(), 3000); // still drawn from right to left
    QCOMPARE(lineRohr1.x2(), 1000);
}

QTEST_GUILESS_MAIN(ControlEventsTest)
#include "test_control_events.moc"
