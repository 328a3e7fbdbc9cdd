// The Qt desktop services hand links to the desktop (caught here by URL handlers, so that nothing is launched) and
// files to the program the desktop names for their type (a scripted desktop here: xdg-mime and xdg-open on a PATH
// of the test's own); the help entries' use of them is tested with the dialogs.
#include "platform/shell/qt_desktop_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// Stands in for the browser, the mail program and the file associations.
class Desktop : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

const QString kWorkbookType = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

// The desktop's tools as scripts in a folder that is the whole PATH: xdg-mime answers a query for the default
// program with a text and an exit code, xdg-open ends with an exit code (or keeps running); both note their
// arguments in a log. A tool without a script is missing.
class ScriptedDesktop {
public:
    explicit ScriptedDesktop(const QString &folder) : folder_(folder) {}

    // answer: what xdg-mime prints; nothing: no xdg-mime at all.
    void mime(const std::optional<QString> &answer, int exitCode = 0)
    {
        if (answer)
            write(QStringLiteral("xdg-mime"), QStringLiteral("printf '%s' '%1'\nexit %2\n").arg(*answer).arg(exitCode));
    }
    // exitCode: how xdg-open ends; -1: it keeps running (the program it started runs in the foreground); -2: no
    // xdg-open at all. late: it ends only after a second, when the program has long had its answer.
    void open(int exitCode, bool late = false)
    {
        if (exitCode == -1)
            write(QStringLiteral("xdg-open"), QStringLiteral("exec /bin/sleep 600\n"));
        else if (exitCode != -2)
            write(QStringLiteral("xdg-open"),
                  (late ? QStringLiteral("/bin/sleep 1\n") : QString()) + QStringLiteral("exit %1\n").arg(exitCode));
    }
    // The arguments a tool was called with, one call a line.
    QStringList calls(const QString &tool) const
    {
        QFile f(log(tool));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString log(const QString &tool) const { return folder_ + QStringLiteral("/") + tool + QStringLiteral(".log"); }
    void write(const QString &tool, const QString &body)
    {
        QFile f(folder_ + QStringLiteral("/") + tool);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString script = QStringLiteral("#!/bin/sh\necho \"$*\" >> '%1'\n").arg(log(tool)) + body;
        f.write(script.toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString folder_;
};

} // namespace

class TestDesktopServices : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    Desktop desktop_;
    QByteArray path_;
    std::unique_ptr<QTemporaryDir> tools_;
    std::unique_ptr<ScriptedDesktop> scripted_;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &desktop_, "open");
    }
    void cleanupTestCase()
    {
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    void init()
    {
        desktop_.opened.clear();
        // The scripted desktop's folder is the whole PATH.
        tools_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tools_->isValid());
        scripted_ = std::make_unique<ScriptedDesktop>(tools_->path());
        path_ = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(tools_->path()));
    }
    void cleanup()
    {
        // A launcher still running belongs to the row that started it.
        for (QProcess *launcher : qApp->findChildren<QProcess *>()) {
            launcher->disconnect();
            launcher->kill();
            launcher->waitForFinished();
            delete launcher;
        }
        qputenv("PATH", path_);
        scripted_.reset();
        tools_.reset();
    }

    void addressesGoToTheDesktopAsGiven_data();
    void addressesGoToTheDesktopAsGiven();
    void filesOpenOnlyWhenTheyExist_data();
    void filesOpenOnlyWhenTheyExist();
    void filesGoOnlyToAProgramThatTakesThem_data();
    void filesGoOnlyToAProgramThatTakesThem();
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
    // A desktop with a program for every type.
    scripted_->mime(QStringLiteral("programm.desktop"));
    scripted_->open(0);
    QtDesktopServices services({});
    QCOMPARE(services.openFile(path), opened);
    QCOMPARE(scripted_->calls(QStringLiteral("xdg-open")), opened ? QStringList{path} : QStringList{});
}

void TestDesktopServices::filesGoOnlyToAProgramThatTakesThem_data()
{
    QTest::addColumn<std::optional<QString>>("mimeAnswer"); // what xdg-mime prints; nothing: no xdg-mime
    QTest::addColumn<int>("mimeExit");
    QTest::addColumn<int>("openExit"); // -1: keeps running; -2: no xdg-open
    QTest::addColumn<bool>("openLate"); // xdg-open ends only after the answer was due
    QTest::addColumn<bool>("launched");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("givenUpLater"); // the caller hears afterwards that nothing took the file
    const std::optional<QString> program("tabelle.desktop");
    QTest::newRow("a spreadsheet program takes it") << program << 0 << 0 << false << true << true << false;
    // xdg-open alone would start and end well (handing the file to a browser, say): not asked at all.
    QTest::newRow("launcher starts, but no program for the type")
        << std::optional<QString>("") << 0 << 0 << false << false << false << false;
    QTest::newRow("the named program does not start") << program << 0 << 4 << false << true << false << false;
    QTest::newRow("the MIME database fails") << program << 1 << 0 << false << false << false << false;
    QTest::newRow("no desktop tools") << std::optional<QString>() << 0 << -2 << false << false << false << false;
    QTest::newRow("no launcher") << program << 0 << -2 << false << false << false << false;
    // Without a desktop of its own xdg-open runs the program in the foreground until the user closes it.
    QTest::newRow("the program keeps running") << program << 0 << -1 << false << true << true << false;
    QTest::newRow("the program runs a while and ends well") << program << 0 << 0 << true << true << true << false;
    QTest::newRow("the program runs a while and fails") << program << 0 << 3 << true << true << true << true;
}

void TestDesktopServices::filesGoOnlyToAProgramThatTakesThem()
{
    QFETCH(std::optional<QString>, mimeAnswer);
    QFETCH(int, mimeExit);
    QFETCH(int, openExit);
    QFETCH(bool, openLate);
    QFETCH(bool, launched);
    QFETCH(bool, taken);
    QFETCH(bool, givenUpLater);
    const QString workbook = tmp_.filePath(QStringLiteral("Kenndaten-Kv-abc123.xlsx"));
    {
        QFile f(workbook);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK");
    }
    scripted_->mime(mimeAnswer, mimeExit);
    scripted_->open(openExit, openLate);
    // A short wait, so that the running launcher ends it; the scripts that end do so at once.
    QtDesktopServices services({}, openExit == -1 || openLate ? 300 : 30000);
    int givenUp = 0;
    QCOMPARE(services.openFile(workbook, [&givenUp] { ++givenUp; }), taken);
    if (openLate) // the launcher goes once it has ended and been heard
        QTRY_VERIFY_WITH_TIMEOUT(qApp->findChildren<QProcess *>().isEmpty(), 30000);
    QCOMPARE(givenUp, givenUpLater ? 1 : 0);
    QCOMPARE(scripted_->calls(QStringLiteral("xdg-mime")),
             mimeAnswer ? QStringList{QStringLiteral("query default ") + kWorkbookType} : QStringList{});
    QCOMPARE(scripted_->calls(QStringLiteral("xdg-open")), launched ? QStringList{workbook} : QStringList{});
}

QTEST_MAIN(TestDesktopServices)
#include "test_desktop_services.moc"
