#include "menu_fixture.h"

#include "app/access_code_dialog.h"
#include "platform/core/number_text.h"

// The access-code dialog on the real main window and sheets: what each entry does to the display variant, the
// menu, the print option, the sheet and the stored program parameters, and which project Save writes afterwards.

using namespace menufixture;

namespace {

// The display variant as "Default.vls" holds it.
int storedVariant()
{
    SharedData d;
    LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
    return d.KD_Version;
}

// A value no dialog writes: tells whether the parameters were written at all.
constexpr int kUntouched = 555;

} // namespace

class TestAccessCodeDialog : public QObject {
    Q_OBJECT
    Fixture f;

    std::vector<Menu *> extendedEntries() const
    {
        return {&f.w->mnuTrennstrich20, &f.w->mnu9999, &f.w->mnuAnzeigeFL, &f.w->mnuAnzeigeXT};
    }
    // Chooses Options > Password; `act` works in the dialog while it is shown modal.
    void enter(const std::function<void(frmPasswort &)> &act)
    {
        bool shown = false;
        f.ui.onNextModal([&](Form &form) {
            shown = true;
            act(static_cast<frmPasswort &>(form));
        });
        QVERIFY(f.choose(f.w->mnuPasswort));
        QVERIFY(shown);
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void cleanup()
    {
        frmPasswortInstance().unload();
        numtext::resetUserLocale();
        f.stop();
    }

    void loadShowsAnEmptyMaskedField();
    void entries_data();
    void entries();
    void codeMakesTheDefaultProjectCurrent();
    void readOnlyDefaultProjectKeepsTheVariantForTheSession_data();
    void readOnlyDefaultProjectKeepsTheVariantForTheSession();
};

void TestAccessCodeDialog::loadShowsAnEmptyMaskedField()
{
    f.start([](SharedData &d) { d.Sprache = 1; });
    enter([&](frmPasswort &d) {
        QCOMPARE(f.ui.beepCount(), 1);
        QCOMPARE(d.caption(), QStringLiteral("Password"));
        QCOMPARE(d.lblName.caption(), QStringLiteral("Please enter your password:"));
        QCOMPARE(d.cmdOK.caption(), QStringLiteral("OK"));
        QCOMPARE(d.cmdAbbruch.caption(), QStringLiteral("Cancel"));
        QCOMPARE(d.txtPasswort.text(), QString());
        QCOMPARE(d.txtPasswort.passwordChar(), QLatin1Char('*'));
        QVERIFY(d.txtPasswort.hasFocus());
        QVERIFY(d.cmdOK.isDefault());
        QVERIFY(d.cmdAbbruch.isCancel());
        d.cmdAbbruch.userClick();
    });
    QVERIFY(!frmPasswortInstance().isLoaded());
}

void TestAccessCodeDialog::entries_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<bool>("german");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("action"); // ok, cancel (Esc), close (close box)
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("accepted"); // sheet reloaded, parameters written, dialog closed
    QTest::addColumn<QString>("fieldAfter"); // what the field shows after the action

    QTest::newRow("code") << 0 << false << 0 << "6417" << "ok" << 6417 << true << "6417";
    QTest::newRow("code, flow sheet") << 1 << false << 0 << "6417" << "ok" << 6417 << true << "6417";
    QTest::newRow("code between blanks") << 0 << false << 0 << " 6417 " << "ok" << 6417 << true << " 6417 ";
    QTest::newRow("code with a zero fraction") << 0 << false << 0 << "6417.0" << "ok" << 6417 << true << "6417.0";
    QTest::newRow("code with a zero fraction, German") << 0 << true << 0 << "6417,0" << "ok" << 6417 << true
                                                       << "6417,0";
    QTest::newRow("code again repeats everything") << 0 << false << 6417 << "6417" << "ok" << 6417 << true
                                                   << "6417";
    QTest::newRow("zero") << 0 << false << 6417 << "0" << "ok" << 0 << true << "0";
    QTest::newRow("zero, flow sheet") << 1 << false << 6417 << "0" << "ok" << 0 << true << "0";
    QTest::newRow("empty") << 0 << false << 6417 << "" << "ok" << 0 << true << "0";
    QTest::newRow("letters") << 1 << false << 6417 << "abc" << "ok" << 0 << true << "0";
    QTest::newRow("one is no way to the partner variant") << 0 << false << 6417 << "1" << "ok" << 6417 << false
                                                          << "1";
    QTest::newRow("another number") << 0 << false << 0 << "42" << "ok" << 0 << false << "42";
    QTest::newRow("another number, flow sheet") << 1 << false << 6417 << "-6417" << "ok" << 6417 << false
                                                << "-6417";
    QTest::newRow("cancel") << 0 << false << 0 << "6417" << "cancel" << 0 << false << "6417";
    QTest::newRow("close box") << 1 << false << 6417 << "0" << "close" << 6417 << false << "0";
}

void TestAccessCodeDialog::entries()
{
    QFETCH(int, modus);
    QFETCH(bool, german);
    QFETCH(int, before);
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(int, after);
    QFETCH(bool, accepted);
    QFETCH(QString, fieldAfter);
    const bool refused = !accepted && action == QLatin1String("ok");

    f.start([&](SharedData &d) {
        d.KD_Version = before;
        d.Modus = modus;
    });
    numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany)
                                  : QLocale(QLocale::English, QLocale::UnitedStates));
    for (Menu *m : extendedEntries())
        QCOMPARE(m->visible(), before == 6417);
    // Written behind the program's back: shows whether the dialog writes the parameters.
    execSql(defaultFile(), QStringLiteral("UPDATE _Programmparameter SET KD_Version = %1").arg(kUntouched));
    shared().DruckKenndaten = Variant(true);
    QVERIFY(f.sheet());
    const UnloadWatch watch(*f.sheet());

    enter([&](frmPasswort &d) {
        d.setFocus(d.txtPasswort);
        d.txtPasswort.userType(typed);
        if (action == QLatin1String("ok"))
            QVERIFY(d.pressEnter());
        else if (action == QLatin1String("cancel"))
            QVERIFY(d.pressEscape());
        else
            QVERIFY(d.userClose());
        QCOMPARE(d.txtPasswort.text(), fieldAfter);
    });

    QCOMPARE(shared().KD_Version, after);
    for (Menu *m : extendedEntries())
        QCOMPARE(m->visible(), after == 6417);
    // Switching off resets the print option of the extended data; nothing else touches it.
    QCOMPARE(shared().DruckKenndaten.toBool(), !(accepted && after == 0));
    QCOMPARE(watch.unloaded(), accepted);
    QVERIFY(f.sheet());
    QCOMPARE(shared().Modus, modus);
    // The rebuilt sheet shows the extended rows exactly in the extended display.
    QCOMPARE(f.sheet()->control(QStringLiteral("lblzyWert"))->visible(), after == 6417);
    QCOMPARE(storedVariant(), accepted ? after : kUntouched);

    if (refused) {
        QCOMPARE(static_cast<int>(f.ui.messages().size()), 1);
        const auto &m = f.ui.messages().front();
        QCOMPARE(m.text, QStringLiteral("Passwort ungültig!"));
        QCOMPARE(m.buttons, MsgButtons::OK);
        QCOMPARE(m.icon, MsgIcon::None);
        QCOMPARE(m.title, QStringLiteral("Quendra"));
    } else {
        QVERIFY(f.ui.messages().empty());
    }
    QCOMPARE(frmPasswortInstance().isLoaded(), refused);
}

void TestAccessCodeDialog::codeMakesTheDefaultProjectCurrent()
{
    f.start();
    const QString kessel = f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.p1Max = 12.5; });
    f.ui.answerNextFileDialog(kessel);
    QVERIFY(f.choose(f.w->mnuOpen));
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Kessel]"));
    QCOMPARE(shared().p1Max, 12.5);
    const QByteArray kesselBefore = fileBytes(kessel);

    enter([](frmPasswort &d) {
        d.txtPasswort.setText(QStringLiteral("6417"));
        d.cmdOK.userClick();
    });
    // The caption names the file that Save now writes.
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra 9.75 [DEFAULT]"));
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));

    QVERIFY(f.choose(f.w->mnuSave));
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(fileBytes(kessel), kesselBefore);
    QCOMPARE(loaded(dataFolder(), QStringLiteral("Default")).p1Max, 12.5);
    QCOMPARE(storedVariant(), 6417);
}

void TestAccessCodeDialog::readOnlyDefaultProjectKeepsTheVariantForTheSession_data()
{
    QTest::addColumn<bool>("full"); // else read-only
    QTest::addColumn<QString>("cause");
    QTest::newRow("read-only file")
        << false << "Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist schreibgeschützt.";
    QTest::newRow("disk full") << true << "Auf dem Datenträger ist nicht genug Platz.";
}

void TestAccessCodeDialog::readOnlyDefaultProjectKeepsTheVariantForTheSession()
{
    QFETCH(bool, full);
    QFETCH(QString, cause);
    f.start();
    if (!full)
        QVERIFY(QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray before = fileBytes(defaultFile());
    enter([full](frmPasswort &d) {
        d.txtPasswort.setText(QStringLiteral("6417"));
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (full)
            limit = std::make_unique<testsupport::FileSizeLimit>(1024);
        d.cmdOK.userClick();
    });
    QCOMPARE(static_cast<int>(f.ui.messages().size()), 1);
    const auto &m = f.ui.messages().front();
    QCOMPARE(m.text, QStringLiteral("Die Programmparameter können nicht gespeichert werden:\n") +
                         QDir::toNativeSeparators(defaultFile()) + QStringLiteral("\n\n") + cause);
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QCOMPARE(fileBytes(defaultFile()), before);
    QCOMPARE(shared().KD_Version, 6417);
    QVERIFY(f.w->mnu9999.visible());
    QVERIFY(!frmPasswortInstance().isLoaded());
    QVERIFY(f.sheet());
}

QTEST_GUILESS_MAIN(TestAccessCodeDialog)
#include "test_access_code_dialog.moc"
