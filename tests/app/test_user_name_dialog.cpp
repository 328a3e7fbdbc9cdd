#include "app/main_window.h"
#include "app/user_name_dialog.h"
#include "platform/core/number_text.h"
#include "platform/forms/scripted_ui_services.h"
#include "state/shared_data.h"

#include <QTest>
#include <memory>

// The user-name dialog on its own: which buttons it offers for the stored name and the typed text, when it may
// close, and what it stores. Captions stay German here (no language database is open).

class TestUserNameDialog : public QObject {
    Q_OBJECT

    ScriptedUiServices ui_;
    std::unique_ptr<UiServicesScope> scope_;

    frmBenutzername &open(const QString &stored)
    {
        shared().Benutzername = stored;
        return frmBenutzernameInstance().get();
    }

private slots:
    void initTestCase() { scope_ = std::make_unique<UiServicesScope>(ui_); }
    void init() { ui_.reset(); }
    void cleanup();

    void loadSetsButtonsFromTheStoredName_data();
    void loadSetsButtonsFromTheStoredName();
    void okNeedsANameThatIsNoNumber_data();
    void okNeedsANameThatIsNoNumber();
    void firstUseCanOnlyBeLeftWithAName();
    void storedNameCanBeCancelled();
    void okKeepsThirtyTwoCharactersAsTyped();
    void enteringTheFieldSelectsItsText();
    void openerCentresAndCreatesAfresh_data();
    void openerCentresAndCreatesAfresh();
};

void TestUserNameDialog::cleanup()
{
    // A dialog left open by a case: allow it to go.
    if (frmBenutzername *d = frmBenutzernameInstance().ifLoaded()) {
        shared().Benutzername = QStringLiteral("x");
        d->txtName.setText(d->txtName.text() + QLatin1Char('!'));
        QVERIFY(frmBenutzernameInstance().unload());
    }
    numtext::resetUserLocale();
    shared().Benutzername = QStringLiteral("0");
}

void TestUserNameDialog::loadSetsButtonsFromTheStoredName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<bool>("cancelEnabled");
    QTest::addColumn<bool>("closeAllowed");
    QTest::newRow("first use, one blank") << " " << false << false << false;
    QTest::newRow("a stored name") << "Meier" << true << true << true;
    QTest::newRow("a stored number") << "42" << false << true << true;
    // An empty text equals the field's start text: no Change, the buttons keep their layout state.
    QTest::newRow("exactly empty") << "" << true << true << false;
}

void TestUserNameDialog::loadSetsButtonsFromTheStoredName()
{
    QFETCH(QString, stored);
    QFETCH(bool, okEnabled);
    QFETCH(bool, cancelEnabled);
    QFETCH(bool, closeAllowed);
    frmBenutzername &d = open(stored);
    QCOMPARE(ui_.beepCount(), 1);
    QCOMPARE(d.caption(), QStringLiteral("Benutzername"));
    QCOMPARE(d.lblName.caption(), QStringLiteral("Bitte geben Sie Ihren Namen ein:"));
    QCOMPARE(d.cmdOK.caption(), QStringLiteral("OK"));
    QCOMPARE(d.cmdAbbruch.caption(), QStringLiteral("Abbruch"));
    QCOMPARE(d.txtName.text(), stored);
    QCOMPARE(d.cmdOK.enabled(), okEnabled);
    QCOMPARE(d.cmdAbbruch.enabled(), cancelEnabled);
    QCOMPARE(d.closeAllowed(), closeAllowed);
    QCOMPARE(d.userClose(), closeAllowed);
    QCOMPARE(frmBenutzernameInstance().isLoaded(), !closeAllowed);
    if (stored.isEmpty()) {
        QVERIFY(d.pressEscape()); // cancel is pressed but may not close
        QVERIFY(frmBenutzernameInstance().isLoaded());
        QVERIFY(d.pressEnter());
        QVERIFY(!frmBenutzernameInstance().isLoaded());
        QCOMPARE(shared().Benutzername, QStringLiteral(" "));
    }
}

void TestUserNameDialog::okNeedsANameThatIsNoNumber_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("okEnabled");
    QTest::newRow("digits only") << false << "1234" << false;
    QTest::newRow("digits, blank and letter") << false << "1234 a" << true;
    QTest::newRow("name with a number") << false << "Meier 2" << true;
    QTest::newRow("zero") << false << "0" << false;
    QTest::newRow("number between blanks") << false << " 12 " << false;
    QTest::newRow("exponent") << false << "1e3" << false;
    QTest::newRow("blanks only") << false << "   " << false;
    QTest::newRow("decimal point, English") << false << "1.5" << false;
    QTest::newRow("decimal comma, English") << false << "1,5" << true;
    QTest::newRow("decimal comma, German") << true << "1,5" << false;
    QTest::newRow("decimal point, German") << true << "1.5" << true;
}

void TestUserNameDialog::okNeedsANameThatIsNoNumber()
{
    QFETCH(bool, german);
    QFETCH(QString, typed);
    QFETCH(bool, okEnabled);
    numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany)
                                  : QLocale(QLocale::English, QLocale::UnitedStates));
    frmBenutzername &d = open(QStringLiteral("Meier"));
    d.txtName.setText(typed);
    QCOMPARE(d.cmdOK.enabled(), okEnabled);
    QVERIFY(d.cmdAbbruch.enabled());
}

void TestUserNameDialog::firstUseCanOnlyBeLeftWithAName()
{
    frmBenutzername &d = open(QStringLiteral(" "));
    d.setFocus(d.txtName);
    d.txtName.userType(QStringLiteral("Schmidt"));
    QVERIFY(d.cmdOK.enabled());
    QVERIFY(!d.cmdAbbruch.enabled()); // follows the stored name, which is still blank
    QVERIFY(!d.pressEscape());
    QVERIFY(!d.userClose());
    QVERIFY(frmBenutzernameInstance().isLoaded());
    QCOMPARE(shared().Benutzername, QStringLiteral(" "));
    d.cmdOK.userClick();
    QVERIFY(!frmBenutzernameInstance().isLoaded());
    QCOMPARE(shared().Benutzername, QStringLiteral("Schmidt"));
}

void TestUserNameDialog::storedNameCanBeCancelled()
{
    frmBenutzername &d = open(QStringLiteral("Meier"));
    d.txtName.setText(QString());
    QVERIFY(!d.cmdOK.enabled());
    QVERIFY(!d.pressEnter());
    QVERIFY(d.cmdAbbruch.enabled());
    QVERIFY(d.pressEscape());
    QVERIFY(!frmBenutzernameInstance().isLoaded());
    QCOMPARE(shared().Benutzername, QStringLiteral("Meier"));
}

void TestUserNameDialog::okKeepsThirtyTwoCharactersAsTyped()
{
    frmBenutzername &d = open(QStringLiteral("Meier"));
    const QString forty = QStringLiteral("  Dr. Maximiliane Müller-Lüdenscheidt 77");
    QCOMPARE(forty.size(), 40);
    d.txtName.setText(forty);
    QVERIFY(d.pressEnter());
    QCOMPARE(shared().Benutzername, forty.left(32));
    QVERIFY(shared().Benutzername.startsWith(QStringLiteral("  Dr.")));
}

void TestUserNameDialog::enteringTheFieldSelectsItsText()
{
    frmBenutzername &d = open(QStringLiteral("Meier"));
    d.setFocus(d.cmdOK);
    d.txtName.setSelStart(2);
    d.setFocus(d.txtName);
    QCOMPARE(d.txtName.selStart(), 0);
    QCOMPARE(d.txtName.selLength(), 5);
    d.txtName.userType(QStringLiteral("Kurz"));
    QCOMPARE(d.txtName.text(), QStringLiteral("Kurz"));
}

void TestUserNameDialog::openerCentresAndCreatesAfresh_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("left");
    QTest::newRow("wide screen") << 10800 << 3000;
    QTest::newRow("as wide as the dialog") << 4800 << 0;
    QTest::newRow("narrower than the dialog") << 3600 << -600;
}

void TestUserNameDialog::openerCentresAndCreatesAfresh()
{
    QFETCH(int, screenWidth);
    QFETCH(int, left);
    ui_.setScreenSizeTwips(screenWidth, 9740);
    frmMDIMain main; // the opener needs no loaded main window
    shared().Benutzername = QStringLiteral("Meier");
    int opened = 0;
    for (const QString &name : {QStringLiteral("Erster"), QStringLiteral("Zweiter")}) {
        ui_.onNextModal([&, name](Form &f) {
            ++opened;
            auto &d = static_cast<frmBenutzername &>(f);
            QVERIFY(d.isModal());
            QCOMPARE(d.left(), left);
            QCOMPARE(d.top(), (9740 - d.height()) / 2);
            QVERIFY(d.txtName.hasFocus());
            d.txtName.userType(name);
            d.pressEnter();
        });
        main.mnuBenutzername_Click();
        QCOMPARE(shared().Benutzername, name);
    }
    QCOMPARE(opened, 2);
    QCOMPARE(ui_.beepCount(), 2); // each opening runs Load again
    QVERIFY(!frmBenutzernameInstance().isLoaded());
}

QTEST_GUILESS_MAIN(TestUserNameDialog)
#include "test_user_name_dialog.moc"
