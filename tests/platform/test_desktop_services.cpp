// The Qt desktop services hand links and files to the desktop (caught here by URL handlers, so that nothing is
// launched); the help entries' use of them is tested with the dialogs.
#include "platform/shell/qt_desktop_services.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// Stands in for the browser, the mail program and the file associations.
class Desktop : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

class TestDesktopServices : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    Desktop desktop_;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &desktop_, "open");
    }
    void cleanupTestCase()
    {
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    void init() { desktop_.opened.clear(); }

    void addressesGoToTheDesktopAsGiven_data();
    void addressesGoToTheDesktopAsGiven();
    void filesOpenOnlyWhenTheyExist_data();
    void filesOpenOnlyWhenTheyExist();
};

void TestDesktopServices::addressesGoToTheDesktopAsGiven_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("shown");
    QTest::newRow("web") << "http://www.example.com" << true << "http" << "http://www.example.com";
    QTest::newRow("web with a path") << "http://www.example.com/quendra" << true << "http"
                                     << "http://www.example.com/quendra";
    QTest::newRow("mail") << "mailto:info@example.com" << true << "mailto" << "mailto:info@example.com";
    // As a shell takes it: the blank after the colon is passed on, not refused.
    QTest::newRow("mail with a blank") << "mailto: info@example.org" << true << "mailto"
                                       << "mailto: info@example.org";
    QTest::newRow("no scheme") << "www.example.com" << false << "" << "";
    QTest::newRow("empty") << "" << false << "" << "";
}

void TestDesktopServices::addressesGoToTheDesktopAsGiven()
{
    QFETCH(QString, address);
    QFETCH(bool, taken);
    QFETCH(QString, scheme);
    QFETCH(QString, shown);
    QtDesktopServices services({});
    QCOMPARE(services.openUrl(address), taken);
    QCOMPARE(desktop_.opened.size(), taken ? 1 : 0);
    if (taken) {
        QCOMPARE(desktop_.opened.front().scheme(), scheme);
        QCOMPARE(desktop_.opened.front().toString(), shown);
    }
}

void TestDesktopServices::filesOpenOnlyWhenTheyExist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("opened");
    QTest::newRow("existing workbook") << "Kenndaten.xlsx" << true << true;
    QTest::newRow("name with blanks and umlaut") << "Kennlinie Ventil ä.xlsx" << true << true;
    QTest::newRow("missing file") << "fehlt.xlsx" << false << false;
    QTest::newRow("a folder is no file") << "Ordner" << false << false;
    QTest::newRow("empty name") << "" << false << false;
}

void TestDesktopServices::filesOpenOnlyWhenTheyExist()
{
    QFETCH(QString, name);
    QFETCH(bool, create);
    QFETCH(bool, opened);
    const QString path = name.isEmpty() ? QString() : tmp_.filePath(name);
    if (create) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    if (name == QLatin1String("Ordner"))
        QVERIFY(QDir().mkpath(path));
    QtDesktopServices services({});
    QCOMPARE(services.openFile(path), opened);
    QCOMPARE(desktop_.opened.size(), opened ? 1 : 0);
    if (opened) {
        QVERIFY(desktop_.opened.front().isLocalFile());
        QCOMPARE(desktop_.opened.front().toLocalFile(), path);
    }
}

QTEST_MAIN(TestDesktopServices)
#include "test_desktop_services.moc"
