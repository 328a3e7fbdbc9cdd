#include "app/file_commands.h"
#include "app/save_temporaries.h"
#include "fluids/ideal_gas_list.h"
#include "menu_fixture.h"
#include "support/interrupted_write.h"
#include "support/pipe_watch.h"

#include <QDirIterator>
#include <array>
#include <cmath>
#include <QFileInfo>

// Open, Save, Save as, Load default and Save default on the real main window and sheets: what becomes the current
// project, the caption, the sheet, and what stays as it was when a command fails or is cancelled.

using namespace menufixture;

namespace {

const QString kDefaultCaptionAfterNew = QStringLiteral("Quendra 9.75 [DEFAULT]");

// Files in a folder other than the project files themselves (temporary names, journals).
QStringList leftovers(const QString &folder, const QStringList &expected)
{
    QStringList out;
    for (const QString &f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (!expected.contains(f))
            out << f;
    return out;
}

// Projects for the sheet loads below, made from the seed's default project (water 10 bar abs. to 7 / 6.5 / 6 bar
// abs., 10 / 20 / 30 m3/h, series 4627_71 equal percentage, size 50 given, Kvs given as 40).
enum class Project {
    Seed,
    // Kvs 16 given: at 4 bar its full-open flow of 16 * sqrt(4) = 32 m3/h leaves 7 % over 30 m3/h. Loading selects
    // "Optimiert" on the way, and the sheet is sized with Kvs 25 (50 m3/h, 67 %).
    SmallGivenKvs,
    // 75 m3/h: the largest valve of size 50, Kvs 40, passes 40 * sqrt(4) = 80 m3/h, 6.7 % more.
    ShortReserve,
    // The flow sheet with p2 above p1.
    FlowP2AboveP1,
};

void shape(SharedData &d, Project project)
{
    switch (project) {
    case Project::Seed: break;
    case Project::SmallGivenKvs:
        d.KvsOpt = false;
        d.KvsCv = 16.0f;
        break;
    case Project::ShortReserve: d.QMax = 75.0; break;
    case Project::FlowP2AboveP1:
        d.Modus = 1;
        d.p2Max = 12.0;
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Project)
Q_DECLARE_METATYPE(MsgAnswer)

class TestFileCommands : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.start(); }
    void cleanup() { f.stop(); }

    void projectNameRules_data();
    void projectNameRules();
    void dialogsOfferProjectFilesInTheDataFolder_data();
    void dialogsOfferProjectFilesInTheDataFolder();
    void saveAsCreatesACompleteProject_data();
    void saveAsCreatesACompleteProject();
    void saveAsOntoAnExistingFileWritesIntoIt();
    void saveAsDeclinedOverwriteChangesNothing();
    void failedSaveAsChangesNothing_data();
    void failedSaveAsChangesNothing();
    void saveAsSetsAsideLogsAtTheNewName_data();
    void saveAsSetsAsideLogsAtTheNewName();
    void saveAsRemovesOnlyLeftoversOfKilledSaves_data();
    void saveAsRemovesOnlyLeftoversOfKilledSaves();
    void cancelledDialogsChangeNothing_data();
    void cancelledDialogsChangeNothing();
    void openLoadsTheProjectAndReloadsItsSheet_data();
    void openLoadsTheProjectAndReloadsItsSheet();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void openKeepsTheStoredValveOrNamesTheOneTaken_data();
    void openKeepsTheStoredValveOrNamesTheOneTaken();
    void catalogueAtFaultIsNamedAndMended_data();
    void catalogueAtFaultIsNamedAndMended();
    void saveWritesTheCurrentProject();
    void failedSaveReportsAndKeepsTheFile_data();
    void failedSaveReportsAndKeepsTheFile();
    void loadDefaultKeepsTheCurrentProject_data();
    void loadDefaultKeepsTheCurrentProject();
    void saveDefaultWritesOnlyTheDefaultProject();
    void loadedSheetBeepsOnlyForWhatItShows_data();
    void loadedSheetBeepsOnlyForWhatItShows();
    void projectOfAnotherUserValveAsksForItsOwn_data();
    void projectOfAnotherUserValveAsksForItsOwn();
    void userValveRowTheDialogWouldRefuseIsNotComputed_data();
    void userValveRowTheDialogWouldRefuseIsNotComputed();
};

void TestFileCommands::projectNameRules_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("base");
    QTest::newRow("project file") << "/p/Kessel.vls" << "/p" << "Kessel";
    QTest::newRow("no extension") << "/p/Kessel" << "/p" << "Kessel";
    QTest::newRow("three-letter extension replaced") << "/p/Kessel.txt" << "/p" << "Kessel";
    QTest::newRow("upper-case extension") << "/p/Kessel.VLS" << "/p" << "Kessel";
    QTest::newRow("longer extension kept") << "/p/Kessel.backup" << "/p" << "Kessel.backup";
    QTest::newRow("short name") << "/p/a.b" << "/p" << "a.b";
    QTest::newRow("folder named like the file") << "/p/Kessel.vls plans/Kessel.vls" << "/p/Kessel.vls plans"
                                                << "Kessel";
    QTest::newRow("dot in the folder only") << "/p/x.y/z" << "/p/x.y" << "z";
    QTest::newRow("blanks and umlauts") << QStringLiteral("/p/Anlage Süd 3.vls") << "/p"
                                        << QStringLiteral("Anlage Süd 3");
}

void TestFileCommands::projectNameRules()
{
    QFETCH(QString, chosen);
    QFETCH(QString, folder);
    QFETCH(QString, base);
    const ProjectFileName name = projectFileName(chosen);
    QCOMPARE(name.folder, folder);
    QCOMPARE(name.base, base);
}

void TestFileCommands::dialogsOfferProjectFilesInTheDataFolder_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("filter");
    QTest::newRow("German") << 0 << "Berechnungen (*.vls)|*.vls";
    QTest::newRow("English") << 1 << "Calculations (*.vls)|*.vls";
    QTest::newRow("Czech") << 5 << QStringLiteral("Výpočty (*.vls)|*.vls");
}

void TestFileCommands::dialogsOfferProjectFilesInTheDataFolder()
{
    QFETCH(int, language);
    QFETCH(QString, filter);
    shared().Sprache = language;
    f.ui.answerNextFileDialog(std::nullopt);
    f.ui.answerNextFileDialog(std::nullopt);
    QVERIFY(f.w->mnuOpen.userChoose());
    QVERIFY(f.w->mnuSaveAs.userChoose());
    const auto &requests = f.ui.fileRequests();
    QCOMPARE(requests.size(), std::size_t(2));
    QVERIFY(!requests[0].save);
    QVERIFY(requests[1].save);
    for (const auto &r : requests) {
        QCOMPARE(r.request.filter, filter);
        QCOMPARE(r.request.startFolder, dataFolder());
    }
    // The save dialog leaves the overwrite question to the command, which asks about the completed name.
    QVERIFY(!requests[1].request.confirmOverwrite);
}

void TestFileCommands::saveAsCreatesACompleteProject_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("base");
    QTest::newRow("with extension") << "Kessel.vls" << "Kessel";
    QTest::newRow("without extension") << "Kessel" << "Kessel";
    QTest::newRow("other extension") << "Kessel.txt" << "Kessel";
    QTest::newRow("name with dots") << "Kessel.2024" << "Kessel.2024";
    // Names the folder takes with their journals (255 bytes): 240 bytes of umlauts, and the longest, 243 bytes.
    QTest::newRow("120 umlauts") << QString(120, QChar(0xE4)) + ".vls" << QString(120, QChar(0xE4));
    QTest::newRow("243 bytes") << QString(243, QLatin1Char('K')) << QString(243, QLatin1Char('K'));
}

void TestFileCommands::saveAsCreatesACompleteProject()
{
    QFETCH(QString, typed);
    QFETCH(QString, base);
    SharedData &d = shared();
    d.p1Max = 12.5;
    d.TextFirma = Variant(QStringLiteral("Brauerei Süd"));
    d.QNorm = 17.25;
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(typed));
    QVERIFY(f.w->mnuSaveAs.userChoose());

    QVERIFY2(f.ui.messages().empty(), f.ui.messages().empty() ? "" : qPrintable(f.ui.messages()[0].text));
    const QString target = base + QStringLiteral(".vls");
    QVERIFY(QFileInfo::exists(QDir(f.projects()).filePath(target)));
    // Only the completed name exists: no temporary file, journal or file of the typed name is left.
    QCOMPARE(leftovers(f.projects(), {target}), QStringList());
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [%1]").arg(base));
    QCOMPARE(d.DatenPfad, f.projects());
    QCOMPARE(d.DateiName, base);
    const SharedData back = loaded(f.projects(), base);
    QCOMPARE(firstDifference(back, d), QString());
}

void TestFileCommands::saveAsOntoAnExistingFileWritesIntoIt()
{
    // Onto the default project: its program parameters must survive, so it is written into, not replaced.
    shared().p2Max = 3.75;
    f.ui.answerNextFileDialog(dataFile(QStringLiteral("Default")));
    f.ui.answerNextMessage(MsgAnswer::Yes);
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(f.ui.messages()[0].buttons, MsgButtons::YesNo);
    QVERIFY(f.ui.messages()[0].text.contains(QStringLiteral("Default.vls")));
    QCOMPARE(loaded(dataFolder(), QStringLiteral("Default")).p2Max, 3.75);
    SharedData parameters;
    LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), parameters);
    QCOMPARE(parameters.Benutzername, QStringLiteral("Tester"));
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Default]"));
}

void TestFileCommands::saveAsDeclinedOverwriteChangesNothing()
{
    const QString path = f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.p1Max = 4.0; });
    const QByteArray before = fileBytes(path);
    shared().p1Max = 99.0;
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Kessel.txt")));
    f.ui.answerNextMessage(MsgAnswer::No);
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(f.w->caption(), kDefaultCaptionAfterNew);
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));
}

void TestFileCommands::failedSaveAsChangesNothing_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("cause"); // the reason as the user reads it; empty: the system's own words
    QTest::newRow("read-only target")
        << "readonly" << "Kessel.vls" << 0
        << "Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist schreibgeschützt.";
    QTest::newRow("template missing") << "template" << "blank.vls" << 0 << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("folder missing") << "folder" << "Kessel.vls" << 0 << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    // Told at once, not asked about first as a file to overwrite.
    QTest::newRow("a folder at the name")
        << "target folder" << "Kessel.vls" << 0
        << "Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner, eine benannte Pipe oder ein Gerät.";
    // A link to nowhere is not seen as a file before the save, but its name is taken: told as a link, with where it
    // leads.
    const QString link =
        QStringLiteral("Unter diesem Namen steht eine Verknüpfung auf eine Datei, die nicht vorhanden ist:\nGONE");
    QTest::newRow("name taken by a link") << "link" << "Kessel.vls" << 0 << link;
    QTest::newRow("name taken by a link, French")
        << "link" << "Kessel.vls" << 2
        << QStringLiteral("Ce nom est pris par un lien vers un fichier qui n'existe pas :\nGONE");
    // ... and refused before another file's journal beside it is moved.
    QTest::newRow("name taken by a link, a journal beside it") << "link, journal" << "Kessel.vls" << 0 << link;
    // A file that appears at the name while the project is being written owns the journal beside it by then.
    QTest::newRow("a file appears at the name, a journal beside it")
        << "appears, journal" << "Kessel.vls" << 0 << "Eine Datei dieses Namens ist bereits vorhanden.";
    QTest::newRow("disk full, a new file") << "full" << "Kessel.vls" << 1 << "There is not enough space on the disk.";
    QTest::newRow("disk full, over an existing file")
        << "full, existing" << "Kessel.vls" << 1 << "There is not enough space on the disk.";
    // A name the system refuses for its length: its words are no language of the program.
    QTest::newRow("a name too long") << "long" << "KesselKessel" << 5
                                     << QStringLiteral("Název souboru nebo jeho složky je delší, než systém dovoluje.");
    // What is no regular file at a log's name of the new file is neither moved nor opened.
    const QString odd = QStringLiteral("Die zugehörige Protokolldatei ist keine gewöhnliche Datei, sondern ein Ordner, "
                                       "eine Verknüpfung, eine benannte Pipe oder ein Gerät:\nLOG");
    QTest::newRow("a pipe at the journal") << "-journal pipe" << "Kessel.vls-journal" << 0 << odd;
    QTest::newRow("a folder at the write-ahead log") << "-wal folder" << "Kessel.vls-wal" << 0 << odd;
    QTest::newRow("a link to nowhere at the log index") << "-shm link" << "Kessel.vls-shm" << 0 << odd;
}

void TestFileCommands::failedSaveAsChangesNothing()
{
    QFETCH(QString, problem);
    QFETCH(QString, named);
    QFETCH(int, language);
    QFETCH(QString, cause);
    QString chosen = QDir(f.projects()).filePath(QStringLiteral("Kessel.vls"));
    QByteArray before;
    const bool existing = problem == QLatin1String("readonly") || problem == QLatin1String("full, existing");
    const bool appears = problem.startsWith(QLatin1String("appears"));
    std::unique_ptr<testsupport::PipeFeed> feed;
    if (existing) {
        const QString path = f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.p1Max = 4.0; });
        if (problem == QLatin1String("readonly"))
            QFile::setPermissions(path, QFile::ReadOwner);
        before = fileBytes(path);
        f.ui.answerNextMessage(MsgAnswer::Yes);
    } else if (problem == QLatin1String("template")) {
        setProgramFolder(f.tmp.filePath(QStringLiteral("home"))); // no blank.vls there
    } else if (problem == QLatin1String("folder")) {
        chosen = QDir(f.projects()).filePath(QStringLiteral("missing/Kessel.vls"));
    } else if (problem == QLatin1String("target folder")) {
        QVERIFY(QDir().mkdir(chosen));
    } else if (problem.startsWith(QLatin1String("link"))) {
        const QString gone = QDir(f.projects()).filePath(QStringLiteral("missing/Kessel.vls"));
        QVERIFY(QFile::link(gone, chosen));
        cause.replace(QStringLiteral("GONE"), QDir::toNativeSeparators(gone));
    } else if (appears) {
        // The save reads the template through a pipe; once it has begun, after every check of the name before the
        // dialog's answer is written, another program's file takes the name.
        const QString program = f.tmp.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program) && testsupport::makePipe(program + QStringLiteral("/blank.vls")));
        setProgramFolder(program);
        const QString blank = QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls");
        before = fileBytes(blank);
        feed = std::make_unique<testsupport::PipeFeed>(program + QStringLiteral("/blank.vls"), before,
                                                       [blank, chosen] { QFile::copy(blank, chosen); });
    } else if (problem == QLatin1String("long")) {
        chosen = QDir(f.projects()).filePath(QStringLiteral("Kessel").repeated(50) + QStringLiteral(".vls"));
    } else if (problem.startsWith(QLatin1Char('-'))) {
        const QString log = chosen + problem.section(QLatin1Char(' '), 0, 0);
        cause.replace(QStringLiteral("LOG"), QDir::toNativeSeparators(log));
        QVERIFY(problem.endsWith(QLatin1String("pipe"))     ? testsupport::makePipe(log)
                : problem.endsWith(QLatin1String("folder")) ? QDir().mkdir(log)
                                                            : QFile::link(chosen + QStringLiteral(".gone"), log));
    }
    if (problem.endsWith(QLatin1String("journal")))
        QVERIFY(QFile::copy(QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls"), chosen + QStringLiteral("-journal")));
    shared().p1Max = 99.0;
    shared().Sprache = language;
    f.ui.answerNextFileDialog(chosen);
    {
        // No file can grow beyond 1 KB: the new file's copy of the template, or the journal of the existing one.
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (problem.startsWith(QLatin1String("full")))
            limit = std::make_unique<testsupport::FileSizeLimit>(1024);
        QVERIFY(f.w->mnuSaveAs.userChoose());
    }
    feed.reset();

    // Only the question about an existing file comes before the report.
    QCOMPARE(f.ui.messages().size(), std::size_t(existing ? 2 : 1));
    const auto &report = f.ui.messages().back();
    QCOMPARE(report.buttons, MsgButtons::OK);
    QVERIFY2(report.text.contains(named), qPrintable(report.text));
    if (!cause.isEmpty())
        QVERIFY2(report.text.endsWith(QStringLiteral("\n\n") + cause), qPrintable(report.text));
    QCOMPARE(f.w->caption(), kDefaultCaptionAfterNew);
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));
    const bool folder = problem == QLatin1String("target folder");
    if (existing || appears)
        QCOMPARE(fileBytes(chosen), before);
    else
        QCOMPARE(QFileInfo(chosen).isDir(), folder);
    QStringList expected =
        existing || appears || folder ? QStringList{QStringLiteral("Kessel.vls")} : QStringList{};
    if (problem.endsWith(QLatin1String("journal")))
        expected << QStringLiteral("Kessel.vls-journal");
    QCOMPARE(leftovers(f.projects(), expected), QStringList());
}

// Logs that another file left at the name of a new project would be played into it once it has the name: they are
// kept under the dated name and named, and the project reads back what was saved.
void TestFileCommands::saveAsSetsAsideLogsAtTheNewName_data()
{
    QTest::addColumn<QStringList>("logs");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("lead");
    QTest::newRow("a hot journal of another project")
        << QStringList{QStringLiteral("-journal")} << 0
        << QStringLiteral("Unter dem neuen Namen lagen noch Protokolldateien einer anderen Datei; sie gehören nicht "
                          "zum gespeicherten Projekt und wurden aufbewahrt als:");
    QTest::newRow("a write-ahead log and its index of another project")
        << QStringList{QStringLiteral("-wal"), QStringLiteral("-shm")} << 1
        << QStringLiteral("Log files that another file left under the new name were found; they do not belong to the "
                          "saved project and have been kept as:");
}

void TestFileCommands::saveAsSetsAsideLogsAtTheNewName()
{
    QFETCH(QStringList, logs);
    QFETCH(int, language);
    QFETCH(QString, lead);
    const QString other = f.saveProject(QStringLiteral("Anderes"), [](SharedData &d) { d.p1Max = 77.0; });
    const QString target = QDir(f.projects()).filePath(QStringLiteral("Neu.vls"));
    if (logs.size() == 1) {
        // The journal of a killed save holds the pages before its change: p1 77.
        interrupted::killWriteInside(other, QStringLiteral("UPDATE Betriebsdaten SET p1Max = 1"));
        QVERIFY(QFile::rename(interrupted::journalOf(other), target + logs[0]));
    } else {
        // Commits that are still in the log alone, the last with p1 77.
        testsupport::execSql(other, QStringLiteral("PRAGMA journal_mode = WAL"));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(other).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "PRAGMA wal_autocheckpoint = 0; UPDATE Betriebsdaten SET p1Max = 1; "
                                  "UPDATE Betriebsdaten SET p1Max = 77", nullptr, nullptr, nullptr), SQLITE_OK);
        for (const QString &log : logs)
            QVERIFY(QFile::copy(other + log, target + log));
        sqlite3_close(db);
    }
    shared().Sprache = language;
    shared().p1Max = 12.5;
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Neu")));
    // The user is told once the project has taken the name.
    bool namedWhenTold = false;
    f.ui.whileNextMessage([&] { namedWhenTold = QFileInfo(target).isFile(); });
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QVERIFY(namedWhenTold);
    QCOMPARE(loaded(f.projects(), QStringLiteral("Neu")).p1Max, 12.5);

    const QString dated = QDir(f.projects()).filePath(QStringLiteral("Neu ") +
                                                      QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".vls"));
    QString expected = lead;
    for (const QString &log : logs) {
        expected += QLatin1Char('\n') + QDir::toNativeSeparators(dated + log);
        QVERIFY(QFileInfo(dated + log).isFile());
    }
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(f.ui.messages()[0].text, expected);
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Neu]"));
}

void TestFileCommands::saveAsRemovesOnlyLeftoversOfKilledSaves_data()
{
    QTest::addColumn<QStringList>("files"); // put into the folder before the Save as
    QTest::addColumn<bool>("held");         // by a save still running in another program
    QTest::addColumn<QStringList>("kept");
    const QString killed = QStringLiteral(".Kessel.saving-AbCdEf.vls");
    QTest::newRow("killed save") << QStringList{killed} << false << QStringList{};
    QTest::newRow("killed save with its journal")
        << QStringList{killed, killed + QStringLiteral("-journal")} << false << QStringList{};
    QTest::newRow("journal alone") << QStringList{QStringLiteral(".Alt.saving-Xy9abc.vls-journal")} << false
                                   << QStringList{};
    QTest::newRow("save still running")
        << QStringList{killed, killed + QStringLiteral("-journal")} << true
        << QStringList{killed, killed + QStringLiteral("-journal")};
    for (const char *user : {".Kessel-backup.vls", ".Kessel.saving-AbCde.vls", "Kessel.saving-AbCdEf.vls",
                             ".Kessel.saving-AbCdEf.vls.bak", ".Kessel.saving-AbCdEf.vlsx", ".saving-AbCdEf.vls"})
        QTest::newRow(user) << QStringList{QString::fromLatin1(user)} << false << QStringList{QString::fromLatin1(user)};
}

void TestFileCommands::saveAsRemovesOnlyLeftoversOfKilledSaves()
{
    QFETCH(QStringList, files);
    QFETCH(bool, held);
    QFETCH(QStringList, kept);
    const QDir folder(f.projects());
    for (const QString &name : files)
        QVERIFY(QFile::copy(QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls"), folder.filePath(name)));
    QFile holder(folder.filePath(files.first()));
    if (held) {
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QVERIFY(holdSaveTemporary(holder));
    }
    f.ui.answerNextFileDialog(folder.filePath(QStringLiteral("Neu")));
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(leftovers(f.projects(), {QStringLiteral("Neu.vls")}), kept);
    // Once the other save has ended, the next Save as takes what it left; a leftover in another folder stays.
    if (!held)
        return;
    holder.close();
    const QString elsewhere = dataFolder() + QStringLiteral("/.Neu.saving-QwErTy.vls");
    QVERIFY(QFile::copy(QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls"), elsewhere));
    f.ui.answerNextFileDialog(folder.filePath(QStringLiteral("Neu2")));
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QCOMPARE(leftovers(f.projects(), {QStringLiteral("Neu.vls"), QStringLiteral("Neu2.vls")}), QStringList());
    QVERIFY(QFile::exists(elsewhere));
}

void TestFileCommands::cancelledDialogsChangeNothing_data()
{
    QTest::addColumn<bool>("open");
    QTest::newRow("Open") << true;
    QTest::newRow("Save as") << false;
}

void TestFileCommands::cancelledDialogsChangeNothing()
{
    QFETCH(bool, open);
    shared().p1Max = 11.0;
    const QString status = f.w->StatusBar.text();
    const QByteArray before = fileBytes(defaultFile());
    const SharedData data = shared();
    f.ui.answerNextFileDialog(std::nullopt);
    QVERIFY((open ? f.w->mnuOpen : f.w->mnuSaveAs).userChoose());
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(f.ui.beepCount(), 0);
    QCOMPARE(f.w->StatusBar.text(), status);
    QCOMPARE(f.w->caption(), kDefaultCaptionAfterNew);
    QCOMPARE(firstDifference(shared(), data), QString());
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(fileBytes(defaultFile()), before);
    QCOMPARE(leftovers(f.projects(), {}), QStringList());
}

void TestFileCommands::openLoadsTheProjectAndReloadsItsSheet_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("modus");
    QTest::newRow("project file, sizing mode") << "Kessel.vls" << 0;
    QTest::newRow("project file, flow mode") << "Kessel.vls" << 1;
    QTest::newRow("name without extension") << "Kessel" << 0;
    QTest::newRow("other extension") << "Kessel.bak" << 1;
}

void TestFileCommands::openLoadsTheProjectAndReloadsItsSheet()
{
    QFETCH(QString, chosen);
    QFETCH(int, modus);
    f.saveProject(QStringLiteral("Kessel"), [modus](SharedData &d) {
        d.Modus = modus;
        d.p1Max = 16.0;
        d.p2Max = 9.5;
        d.Ventiltyp = QStringLiteral("3548");
        d.Kennlinie = 0;
        d.TextBetrifft = Variant(QStringLiteral("Kondensat"));
    });
    QVERIFY(f.sheet());
    const UnloadWatch before(*f.sheet());
    shared().StoffdatenAktuell = false;
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(chosen));
    QVERIFY(f.w->mnuOpen.userChoose());
    QVERIFY2(f.ui.messages().empty(), f.ui.messages().empty() ? "" : qPrintable(f.ui.messages()[0].text));

    const SharedData &d = shared();
    QVERIFY(d.StoffdatenAktuell); // the fluid data are those saved with the project
    QCOMPARE(d.p1Max, 16.0);
    QCOMPARE(d.Ventiltyp, QStringLiteral("3548"));
    QCOMPARE(d.TextBetrifft.toString(), QStringLiteral("Kondensat"));
    QCOMPARE(d.rsVentil->table(), QStringLiteral("3548"));
    QCOMPARE(d.DatenPfad, f.projects());
    QCOMPARE(d.DateiName, QStringLiteral("Kessel"));
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Kessel]"));
    QCOMPARE(d.Modus, modus);
    QVERIFY(before.unloaded());
    QCOMPARE(calcSizeSheet().isLoaded(), modus == 0);
    QCOMPARE(frmCalcFlow().isLoaded(), modus == 1);
    auto *p1 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1max")));
    QVERIFY(p1);
    QCOMPARE(p1->text(), QStringLiteral("16"));
}

void TestFileCommands::failedOpenChangesNothing_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("cause"); // the reason the message ends with; empty: not checked
    const QString noTables = QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht.");
    QTest::newRow("missing file") << "missing" << 0 << "";
    QTest::newRow("missing file, English") << "missing" << 1 << "";
    QTest::newRow("foreign file") << "foreign" << 0 << "Die Datei ist beschädigt.";
    QTest::newRow("foreign file, English") << "foreign" << 1 << "The file is damaged.";
    QTest::newRow("foreign file, Czech") << "foreign" << 5 << "";
    QTest::newRow("no project tables") << "tables" << 0 << noTables;
    QTest::newRow("zero-byte file") << "empty" << 0 << noTables;
    QTest::newRow("a text where a number belongs") << "value" << 0 << "Die Datei ist beschädigt.";
    // A table without the row the program reads, and a value that no project holds: what is wrong and where, in
    // the user's language.
    QTest::newRow("operating data without a record")
        << "no record" << 0
        << "Die Datei ist beschädigt. In der Tabelle fehlt der Datensatz, den das Programm braucht. Tabelle: "
           "Betriebsdaten";
    QTest::newRow("operating data without a record, Czech")
        << "no record" << 5
        << "Soubor je poškozen. V tabulce chybí záznam, který program potřebuje. Tabulka: Betriebsdaten";
    // Values no save writes, in a project of another series: refused, naming field and value.
    const QString notAllowed =
        QStringLiteral("Die Datei ist beschädigt. Der Wert ist an dieser Stelle nicht zulässig. ");
    QTest::newRow("mode 5") << "sql:UPDATE Parameter SET Modus = 5" << 0
                            << notAllowed + "Tabelle: Parameter, Feld: Modus, Wert: \"5\"";
    QTest::newRow("water as an ideal gas")
        << "sql:UPDATE Stoffdaten SET Zustand = 0" << 0
        << notAllowed + "Tabelle: Stoffdaten, Feld: Zustand, Wert: \"0\"";
    QTest::newRow("given pipe sizes '33' and ''")
        << "sql:UPDATE Parameter SET chkDNRohr = 2; UPDATE Rohrdaten SET DN1Rohr = '33', DN2Rohr = ''" << 0
        << notAllowed + "Tabelle: Rohrdaten, Feld: DN1Rohr, Wert: \"33\"";
    QTest::newRow("a text where a number belongs, Czech")
        << "value" << 5
        << "Soubor je poškozen. Hodnota není číslo. Tabulka: Betriebsdaten, Pole: QMax, Hodnota: \"viel\"";
    QTest::newRow("given valve size empty")
        << "sql:UPDATE Ventildaten SET DNVentil = ''" << 0 << notAllowed + "Tabelle: Ventildaten, Feld: DNVentil";
    QTest::newRow("Kvs beyond single precision")
        << "sql:UPDATE Ventildaten SET KvsCv = 1e39" << 0
        << "Die Datei ist beschädigt. Der Wert liegt außerhalb des Bereichs, den das Feld aufnehmen kann. Tabelle: "
           "Ventildaten, Feld: KvsCv, Wert: \"1E+39\"";
    // A user-defined valve its dialog would not store (the seed's row of "9999" computed in the project).
    QTest::newRow("user valve: a0 no number")
        << "user:UPDATE Ventildaten SET A0 = 'abc'" << 0
        << "Die Datei ist beschädigt. Der Wert ist keine Zahl. Tabelle: Ventildaten, Feld: A0, Wert: \"abc\"";
    QTest::newRow("user valve: FL coefficient 1e308")
        << "user:UPDATE Ventildaten SET AFL = 1e308" << 0
        << notAllowed + "Tabelle: Ventildaten, Feld: AFL, Wert: \"1E+308\"";
    QTest::newRow("user valve: Kvs 0") << "user:UPDATE Ventildaten SET KvsCv = 0" << 0
                                       << notAllowed + "Tabelle: Ventildaten, Feld: KvsCv, Wert: \"0\"";
    QTest::newRow("user valve: rangeability 200")
        << "user:UPDATE Ventildaten SET \"Stellverhältnis\" = 200" << 0
        << notAllowed + "Tabelle: Ventildaten, Feld: Stellverhältnis, Wert: \"200\"";
    // 0.5 + y is 1.5 at full opening: laid to the larger of the other two coefficients.
    QTest::newRow("user valve: FL above 1")
        << "user:UPDATE Ventildaten SET AFL = 0.5, BFL = 1" << 0
        << notAllowed + "Tabelle: Ventildaten, Feld: BFL, Wert: \"1\"";
}

void TestFileCommands::failedOpenChangesNothing()
{
    QFETCH(QString, problem);
    QFETCH(int, language);
    QFETCH(QString, cause);
    shared().Sprache = language;
    const QString path = QDir(f.projects()).filePath(QStringLiteral("Kessel.vls"));
    if (problem == QLatin1String("empty")) {
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    } else if (problem == QLatin1String("foreign")) {
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Einkaufsliste: Ventile, Dichtungen\n");
    } else if (problem == QLatin1String("value")) {
        f.saveProject(QStringLiteral("Kessel"), [](SharedData &) {});
        execSql(path, QStringLiteral("UPDATE Betriebsdaten SET QMax = 'viel'"));
    } else if (problem.startsWith(QLatin1String("sql:"))) {
        f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.Ventiltyp = QStringLiteral("3548"); });
        execSql(path, problem.mid(4));
    } else if (problem.startsWith(QLatin1String("user:"))) {
        f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) {
            d.Ventiltyp = QStringLiteral("9999");
            d.Stellverhältnis = 50;
            const double row[] = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965,
                                  0.8,  0,          0,          0.6,        0,           0};
            Variant *k[] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
            for (int i = 0; i < 12; ++i)
                *k[i] = Variant(row[i]);
        });
        execSql(path, problem.mid(5));
    } else if (problem == QLatin1String("no record")) {
        f.saveProject(QStringLiteral("Kessel"), [](SharedData &) {});
        execSql(path, QStringLiteral("DELETE FROM Betriebsdaten"));
    } else if (problem == QLatin1String("tables")) {
        Database::create(path)->createTable(QStringLiteral("Notizen"), {FieldDef{QStringLiteral("Text")}});
    }
    shared().p1Max = 11.0;
    QVERIFY(f.sheet());
    const UnloadWatch sheetBefore(*f.sheet());
    const SharedData data = shared();
    const QString series = shared().rsVentil->table();
    const QStringList picture = sheetPicture(*f.sheet());
    const QString status = f.w->StatusBar.text();

    f.ui.answerNextFileDialog(path);
    QVERIFY(f.w->mnuOpen.userChoose());

    if (problem == QLatin1String("missing")) {
        QVERIFY(f.ui.messages().empty());
        QCOMPARE(f.ui.beepCount(), 1);
        QCOMPARE(f.w->StatusBar.text(), getText(QStringLiteral("Datei nicht vorhanden"), language));
        QCOMPARE(f.w->StatusBar.text(),
                 language == 0 ? QStringLiteral("Datei nicht vorhanden") : QStringLiteral("File not found"));
    } else {
        QCOMPARE(f.ui.messages().size(), std::size_t(1));
        QCOMPARE(f.ui.messages()[0].buttons, MsgButtons::OK);
        QVERIFY2(f.ui.messages()[0].text.contains(QStringLiteral("Kessel.vls")), qPrintable(f.ui.messages()[0].text));
        // The message speaks the user's language first, whatever the database engine said.
        const QStringList lead = {QStringLiteral("Die Projektdatei kann nicht geöffnet werden:"),
                                  QStringLiteral("The project file cannot be opened:"), QString(), QString(),
                                  QString(), QStringLiteral("Soubor projektu nelze otevřít:")};
        QVERIFY2(f.ui.messages()[0].text.startsWith(lead[language]), qPrintable(f.ui.messages()[0].text));
        if (!cause.isEmpty())
            QVERIFY2(f.ui.messages()[0].text.contains(QStringLiteral("\n\n") + cause),
                     qPrintable(f.ui.messages()[0].text));
        QCOMPARE(f.w->StatusBar.text(), status);
    }
    QCOMPARE(firstDifference(shared(), data), QString());
    QCOMPARE(shared().DatenPfad, dataFolder());
    QCOMPARE(shared().DateiName, QStringLiteral("Default"));
    QCOMPARE(f.w->caption(), kDefaultCaptionAfterNew);
    QCOMPARE(shared().rsVentil->table(), series);
    QVERIFY(!sheetBefore.unloaded());
    QVERIFY(f.sheet());
    QCOMPARE(sheetPicture(*f.sheet()), picture);
}

// A project of the seed's valve (4627_71 equal percentage, DN 50 given, Kvs 40) edited as a changed catalogue would
// leave it: a size the series offers stays; a size or characteristic it lacks is named with the valve taken
// instead (30 m3/h at 4 bar needs more than 1.15 * 30 / 2 = 17.25 Kvs).
void TestFileCommands::openKeepsTheStoredValveOrNamesTheOneTaken_data()
{
    QTest::addColumn<bool>("atNew"); // the default project at File > Neu; else Open
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("dn");      // the size after opening
    QTest::addColumn<QString>("message"); // after the file's name; empty: none
    const QString series = QStringLiteral("Pneumatisches Stellventil 4627/31/33, analog");
    QTest::newRow("DN 50 with a Kvs 33 it lacks")
        << false << "UPDATE Parameter SET KvsOpt = 0; UPDATE Ventildaten SET KvsCv = 33" << 0 << "50" << "";
    // The size list takes its first size not below the stored one.
    const QString dn55 = "Die Baureihe " + series +
                         " bietet das gespeicherte Ventil nicht an (DN 55, Kvs 40, gleich%). Stattdessen genommen: "
                         "DN 65, Kvs 25, gleich%.";
    QTest::newRow("DN 55 given") << false << "UPDATE Ventildaten SET DNVentil = '55'" << 0 << "65" << dn55;
    QTest::newRow("DN 55 given, at New") << true << "UPDATE Ventildaten SET DNVentil = '55'" << 0 << "65" << dn55;
    QTest::newRow("DN 55 given, English")
        << false << "UPDATE Ventildaten SET DNVentil = '55'" << 1 << "65"
        << "The series Pneumatic control valve 4627/31/33, analogue does not offer the stored valve (DN 55, Kvs 40, "
           "equal %). Taken instead: DN 65, Kvs 25, equal %.";
    // Sizes compare as the size list compares them (an empty one is refused: failedOpenChangesNothing).
    QTest::newRow("DN ' 50 ' given") << false << "UPDATE Ventildaten SET DNVentil = ' 50 '" << 0 << "50" << "";
    // No on/off valves in the series: its first row's characteristic, with the size kept.
    QTest::newRow("on/off the series lacks")
        << false << "UPDATE Ventildaten SET Kennlinie = 2" << 0 << "50"
        << "Die Baureihe " + series +
               " bietet das gespeicherte Ventil nicht an (DN 50, Kvs 40, Auf/Zu). Stattdessen genommen: DN 50, "
               "Kvs 25, (mod.) linear.";
    // On the flow sheet the Kvs is the given valve's: one the size lacks is named like a size it lacks.
    QTest::newRow("flow sheet, DN 50 with its Kvs 40") << false << "UPDATE Parameter SET Modus = 1" << 0 << "50" << "";
    QTest::newRow("flow sheet, DN 50 with a Kvs 33 it lacks")
        << false << "UPDATE Parameter SET Modus = 1; UPDATE Ventildaten SET KvsCv = 33" << 0 << "50"
        << "Die Baureihe " + series +
               " bietet das gespeicherte Ventil nicht an (DN 50, Kvs 33, gleich%). Stattdessen genommen: DN 50, "
               "Kvs 40, gleich%.";
}

void TestFileCommands::openKeepsTheStoredValveOrNamesTheOneTaken()
{
    QFETCH(bool, atNew);
    QFETCH(QString, sql);
    QFETCH(int, language);
    QFETCH(QString, dn);
    QFETCH(QString, message);
    shared().Sprache = language;
    const QString path = atNew ? defaultFile() : f.saveProject(QStringLiteral("Kessel"), [](SharedData &) {});
    execSql(path, sql);
    QVERIFY(f.sheet());
    if (!atNew)
        f.ui.answerNextFileDialog(path);
    QVERIFY(atNew ? f.w->mnuNeu.userChoose() : f.w->mnuOpen.userChoose());

    QCOMPARE(shared().DNVentil, dn);
    QVERIFY(shared().KvsOpt || shared().Modus == 1);
    QVERIFY(f.w->StatusBar.text().startsWith(getText(QStringLiteral("Berechnung aktualisiert"), language)));
    if (message.isEmpty()) {
        QVERIFY2(f.ui.messages().empty(), f.ui.messages().empty() ? "" : qPrintable(f.ui.messages()[0].text));
        return;
    }
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(f.ui.messages()[0].text, QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + message);
}

// Open and Load default of an intact project while the catalogue is damaged: the message names the catalogue, which
// is kept aside and replaced as at New, and the project opens. A catalogue that cannot be opened at all is named
// too, and nothing changes.
void TestFileCommands::catalogueAtFaultIsNamedAndMended_data()
{
    QTest::addColumn<bool>("open"); // else Load default
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("series"); // of the project
    QTest::addColumn<QString>("reason"); // empty: mended; for "locked" the status line
    QTest::newRow("Open, catalogue no database") << true << "bytes" << "4627_71" << "";
    QTest::newRow("Open, the project's series without a table") << true << "DROP TABLE \"3652\"" << "3652" << "";
    QTest::newRow("Load default, catalogue no database") << false << "bytes" << "4627_71" << "";
    QTest::newRow("Open, a folder at the catalogue's name")
        << true << "folder" << "4627_71"
        << "Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner, eine benannte Pipe oder ein Gerät.";
    // Held by another program's write, not damaged: the project opens, nothing is replaced, and the run, which
    // writes the catalogue's work table for the project's series, names the file held.
    const QString held = QStringLiteral("Berechnung nicht aktualisiert: Datenbankfehler: dbKenndaten.mdb, _aktuell: "
                                        "Die Datei wird von einem anderen Programm verwendet.");
    QTest::newRow("Open, catalogue held by another program") << true << "locked" << "3548" << held;
    QTest::newRow("Load default, catalogue held by another program") << false << "locked" << "3548" << held;
}

void TestFileCommands::catalogueAtFaultIsNamedAndMended()
{
    QFETCH(bool, open);
    QFETCH(QString, damage);
    QFETCH(QString, series);
    QFETCH(QString, reason);
    const QString project = f.saveProject(QStringLiteral("Kessel"), [&series](SharedData &d) {
        d.Ventiltyp = series;
        if (series == QLatin1String("3652")) // on/off valves only, as the series menu sets
            d.Kennlinie = 2;
        d.p1Max = 7.5;
    });
    // Load default brings back the same values.
    SaveParameter(dataFolder(), QStringLiteral("Default"), loaded(f.projects(), QStringLiteral("Kessel")));
    shared().p1Max = 11.0;
    damageCatalogue(damage);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(f.sheet());
    const UnloadWatch sheetBefore(*f.sheet());
    const SharedData data = shared();
    const QString caption = f.w->caption();
    const QStringList filesBefore = QDir(dataFolder()).entryList(QDir::Files);

    {
        const HeldDatabase holder = catalogueHolder(damage);
        QVERIFY(damage != QLatin1String("locked") || holder);
        if (open) {
            f.ui.answerNextFileDialog(project);
            QVERIFY(f.w->mnuOpen.userChoose());
        } else {
            QVERIFY(f.w->mnuStandardLaden.userChoose());
        }
    }

    if (damage == QLatin1String("locked")) {
        QVERIFY(f.ui.messages().empty());
        QCOMPARE(shared().p1Max, 7.5);
        QCOMPARE(shared().rsVentil->table(), series);
        QCOMPARE(f.w->caption(), open ? QStringLiteral("Quendra Ver. 9.75 [Kessel]")
                                      : QStringLiteral("Quendra Ver. 9.75 [DEFAULT]"));
        QCOMPARE(f.w->StatusBar.text(), reason);
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
        return;
    }
    checkCatalogueNamed(f.ui.messages(), reason);
    if (QTest::currentTestFailed())
        return;
    if (!reason.isEmpty()) {
        QCOMPARE(firstDifference(shared(), data), QString());
        QCOMPARE(f.w->caption(), caption);
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
        QVERIFY(!sheetBefore.unloaded());
        return;
    }
    // The project opens on the fresh catalogue.
    QCOMPARE(shared().p1Max, 7.5);
    QCOMPARE(shared().rsVentil->table(), series);
    QCOMPARE(f.w->caption(), open ? QStringLiteral("Quendra Ver. 9.75 [Kessel]") : QStringLiteral("Quendra Ver. 9.75 [DEFAULT]"));
    QVERIFY(sheetBefore.unloaded());
    QVERIFY(f.sheet());
}

void TestFileCommands::saveWritesTheCurrentProject()
{
    // Directly after New the current project is the default project.
    shared().p1Max = 21.0;
    QVERIFY(f.w->mnuSave.userChoose());
    QCOMPARE(loaded(dataFolder(), QStringLiteral("Default")).p1Max, 21.0);

    f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.p1Max = 4.0; });
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Kessel.vls")));
    QVERIFY(f.w->mnuOpen.userChoose());
    const QString caption = f.w->caption();
    shared().p2Max = 1.5;
    QVERIFY(f.w->mnuSave.userChoose());
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(loaded(f.projects(), QStringLiteral("Kessel")).p2Max, 1.5);
    QCOMPARE(loaded(dataFolder(), QStringLiteral("Default")).p2Max == 1.5, false);
    QCOMPARE(f.w->caption(), caption);
}

void TestFileCommands::failedSaveReportsAndKeepsTheFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");
    QTest::newRow("read-only file")
        << "read-only" << "Zugriff verweigert: Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist schreibgeschützt.";
    QTest::newRow("disk full") << "full" << "Auf dem Datenträger ist nicht genug Platz.";
    QTest::newRow("file deleted") << "deleted" << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("a link to nowhere at the journal")
        << "link" << "Die zugehörige Protokolldatei ist keine gewöhnliche Datei, sondern ein Ordner, eine Verknüpfung, "
                     "eine benannte Pipe oder ein Gerät:\nJOURNAL";
}

void TestFileCommands::failedSaveReportsAndKeepsTheFile()
{
    QFETCH(QString, fault);
    QFETCH(QString, cause);
    const bool full = fault == QLatin1String("full");
    if (fault == QLatin1String("read-only"))
        QFile::setPermissions(defaultFile(), QFile::ReadOwner);
    else if (fault == QLatin1String("deleted"))
        QVERIFY(QFile::remove(defaultFile()));
    const QString journal = defaultFile() + QStringLiteral("-journal");
    if (fault == QLatin1String("link"))
        QVERIFY(QFile::link(dataFile(QStringLiteral("nowhere")), journal));
    cause.replace(QStringLiteral("JOURNAL"), QDir::toNativeSeparators(journal));
    const QByteArray before = fileBytes(defaultFile());
    shared().p1Max = 21.0;
    {
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (full)
            limit = std::make_unique<testsupport::FileSizeLimit>(1024);
        QVERIFY(f.w->mnuSave.userChoose());
        QCOMPARE(f.ui.messages().size(), std::size_t(1));
        QVERIFY(f.w->mnuStandardSpeichern.userChoose());
    }
    QCOMPARE(f.ui.messages().size(), std::size_t(2));
    for (const auto &m : f.ui.messages()) {
        QCOMPARE(m.text, QStringLiteral("Die Projektdatei kann nicht gespeichert werden:\n") +
                             QDir::toNativeSeparators(defaultFile()) + QStringLiteral("\n\n") + cause);
    }
    QCOMPARE(fileBytes(defaultFile()), before);
    QCOMPARE(QFileInfo::exists(defaultFile()), fault != QLatin1String("deleted"));
    QVERIFY(!QFileInfo::exists(journal));
}

// Load default keeps the current project, so Save then writes the defaults into it: the caption names that file.
void TestFileCommands::loadDefaultKeepsTheCurrentProject_data()
{
    QTest::addColumn<bool>("openProject");
    QTest::addColumn<QString>("caption");
    QTest::newRow("after opening a project") << true << "Quendra Ver. 9.75 [Kessel]";
    QTest::newRow("with the default project current") << false << "Quendra Ver. 9.75 [DEFAULT]";
}

void TestFileCommands::loadDefaultKeepsTheCurrentProject()
{
    QFETCH(bool, openProject);
    QFETCH(QString, caption);
    const QString folder = openProject ? f.projects() : dataFolder();
    const QString base = openProject ? QStringLiteral("Kessel") : QStringLiteral("Default");
    if (openProject) {
        f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) {
            d.p1Max = 4.0;
            d.Modus = 1;
            d.Ventiltyp = QStringLiteral("2381");
        });
        f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Kessel.vls")));
        QVERIFY(f.w->mnuOpen.userChoose());
        QVERIFY(frmCalcFlow().isLoaded());
    }

    shared().StoffdatenAktuell = false;
    QVERIFY(f.w->mnuStandardLaden.userChoose());
    const SharedData defaults = loaded(dataFolder(), QStringLiteral("Default"));
    QCOMPARE(f.w->caption(), caption);
    QVERIFY(shared().StoffdatenAktuell);
    QCOMPARE(shared().p1Max, defaults.p1Max);
    QCOMPARE(shared().rsVentil->table(), defaults.Ventiltyp);
    QCOMPARE(calcSizeSheet().isLoaded(), defaults.Modus == 0);
    QCOMPARE(shared().DatenPfad, folder);
    QCOMPARE(shared().DateiName, base);

    // Save writes into the file the caption names.
    shared().T1Max = 66.0;
    QVERIFY(f.w->mnuSave.userChoose());
    QCOMPARE(loaded(folder, base).T1Max, 66.0);
}

void TestFileCommands::saveDefaultWritesOnlyTheDefaultProject()
{
    f.saveProject(QStringLiteral("Kessel"), [](SharedData &d) { d.p1Max = 4.0; });
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Kessel.vls")));
    QVERIFY(f.w->mnuOpen.userChoose());
    const QByteArray project = fileBytes(QDir(f.projects()).filePath(QStringLiteral("Kessel.vls")));
    shared().T1Max = 55.0;
    QVERIFY(f.w->mnuStandardSpeichern.userChoose());
    QCOMPARE(loaded(dataFolder(), QStringLiteral("Default")).T1Max, 55.0);
    QCOMPARE(fileBytes(QDir(f.projects()).filePath(QStringLiteral("Kessel.vls"))), project);
    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Kessel]"));
    QCOMPARE(shared().DateiName, QStringLiteral("Kessel"));
}

// Loading a sheet recalculates it several times on the way, on a sheet still being filled; the user hears what the
// loaded sheet reports: one beep for a warning or a refused input, none when it reports nothing.
void TestFileCommands::loadedSheetBeepsOnlyForWhatItShows_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Project>("project");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("beeps");
    const QString current = QStringLiteral("Berechnung aktualisiert");
    const QString reserve = current + QStringLiteral(" / Durchflussreserve evtl. nicht ausreichend!");
    const QString refused = QStringLiteral("Berechnung nicht aktualisiert: Druckwert unzulässig!");
    QTest::newRow("start-up") << "start-up" << Project::Seed << current << 0;
    QTest::newRow("start-up, short reserve") << "start-up" << Project::ShortReserve << reserve << 1;
    QTest::newRow("New, Kvs optimised by loading") << "New" << Project::SmallGivenKvs << current << 0;
    QTest::newRow("New, short reserve") << "New" << Project::ShortReserve << reserve << 1;
    QTest::newRow("Open, Kvs optimised by loading") << "Open" << Project::SmallGivenKvs << current << 0;
    QTest::newRow("Open, short reserve") << "Open" << Project::ShortReserve << reserve << 1;
    QTest::newRow("Open, flow sheet with p2 above p1") << "Open" << Project::FlowP2AboveP1 << refused << 1;
    // The medium entry and a fluid list's OK load the sheet and then recalculate once more.
    QTest::newRow("water chosen, flow sheet with p2 above p1") << "water" << Project::FlowP2AboveP1 << refused << 1;
    QTest::newRow("air handed over, flow sheet with p2 above p1") << "air" << Project::FlowP2AboveP1 << refused << 1;
}

void TestFileCommands::loadedSheetBeepsOnlyForWhatItShows()
{
    QFETCH(QString, command);
    QFETCH(Project, project);
    QFETCH(QString, status);
    QFETCH(int, beeps);
    f.stop();
    if (command.startsWith(QLatin1String("Open"))) {
        f.start();
        const QString path = f.saveProject(QStringLiteral("Kessel"), [project](SharedData &d) { shape(d, project); });
        f.ui.answerNextFileDialog(path);
        QVERIFY(f.w->mnuOpen.userChoose());
    } else {
        f.start([project](SharedData &d) { shape(d, project); });
        if (command == QLatin1String("New"))
            QVERIFY(f.choose(f.w->mnuNeu));
        if (command == QLatin1String("water"))
            QVERIFY(f.choose(f.w->mnuWasser));
        if (command == QLatin1String("air")) {
            f.ui.onNextModal([](Form &form) {
                auto &list = dynamic_cast<frmIdealesGas &>(form);
                list.lstSubstanz.userPick(int(list.lstSubstanz.items().indexOf(QStringLiteral("Luft"))));
                list.lstSubstanz.userDoubleClick();
            });
            QVERIFY(f.choose(f.w->mnuIdealesGas));
            QCOMPARE(shared().NameMedium, QStringLiteral("Luft"));
        }
    }
    QVERIFY(f.sheet());
    QCOMPARE(f.w->StatusBar.text(), status);
    QCOMPARE(command == QLatin1String("start-up") ? f.startUpBeeps : f.ui.beepCount(), beeps);
}

// The user's valve "VENTIL-A" (DN 50, Kvs 25, equal percentage) is saved with a project; then another valve, Kvs 10
// linear, is defined in its place. Water 10 bar abs. to 6 bar abs. passes Kvs * sqrt(4) m3/h fully open: about
// 50.03 m3/h through A, 20.01 through the other.
void TestFileCommands::projectOfAnotherUserValveAsksForItsOwn_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("valve"); // of the project: "A", "A never computed", or "the stored one"
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<double>("kvs");     // of "9999" afterwards, and computed
    QTest::addColumn<double>("maxFlow"); // m3/h fully open, on the sizing sheet
    QTest::addColumn<QString>("name");   // of the valve on the sheet and in the next Save
    const QString user = QStringLiteral("Benutzerdefiniertes Ventil");
    QTest::newRow("Open, restored") << "Open" << "A" << MsgAnswer::Yes << true << 25.0 << 50.03 << "VENTIL-A";
    QTest::newRow("Open, stored one kept") << "Open" << "A" << MsgAnswer::No << true << 10.0 << 20.01 << user;
    QTest::newRow("Load default, restored") << "Load default" << "A" << MsgAnswer::Yes << true << 25.0 << 50.03
                                            << "VENTIL-A";
    QTest::newRow("New, stored one kept") << "New" << "A" << MsgAnswer::No << true << 10.0 << 20.01 << user;
    QTest::newRow("Open on the flow sheet, restored") << "Open, flow" << "A" << MsgAnswer::Yes << true << 25.0 << 0.0
                                                      << "VENTIL-A";
    QTest::newRow("Open, never computed") << "Open" << "A never computed" << MsgAnswer::No << false << 10.0 << 20.01
                                          << "VENTIL-A";
    QTest::newRow("Open, the stored valve") << "Open" << "the stored one" << MsgAnswer::No << false << 10.0 << 20.01
                                            << "VENTIL-B";
    // Only the rangeability differs, which the flow sheet never reads from the table.
    QTest::newRow("Open on the flow sheet, rangeability 30, stored one kept")
        << "Open, flow" << "the stored one, R 30" << MsgAnswer::No << true << 10.0 << 0.0 << user;
    // p2 above p1: the sheet's run stops at its input check and rewrites no coefficient.
    QTest::newRow("Open, p2 above p1, stored one kept")
        << "Open" << "A, p2 above p1" << MsgAnswer::No << true << 10.0 << 0.0 << user;
}

void TestFileCommands::projectOfAnotherUserValveAsksForItsOwn()
{
    QFETCH(QString, command);
    QFETCH(QString, valve);
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, asked);
    QFETCH(double, kvs);
    QFETCH(double, maxFlow);
    QFETCH(QString, name);
    const bool stored = valve.startsWith(QLatin1String("the stored one"));
    const bool flow = command == QLatin1String("Open, flow");
    const std::array<double, 12> linear{0, 1, 0, 0, 0, 0, 0.8, 0, 0, 0.6, 0, 0};
    const std::array<double, 12> equal{0.02, 0.0833, 0.0715, 0.6471, -0.7791, 0.9572, 0.8, 0, 0, 0.6, 0, 0};
    auto project = [&](SharedData &d) {
        d.Modus = flow ? 1 : 0;
        if (valve == QLatin1String("A, p2 above p1"))
            d.p2Max = d.p1Max + 2.0;
        d.Ventiltyp = QStringLiteral("9999");
        d.Bezeichnung = Variant(stored ? QStringLiteral("VENTIL-B") : QStringLiteral("VENTIL-A"));
        d.DNVentil = QStringLiteral("50");
        d.DNunit = 0;
        d.KvUnit = 0;
        d.KvsCv = stored ? 10.0f : 25.0f;
        d.Kennlinie = stored ? 0 : 1;
        d.Stellverhältnis = valve == QLatin1String("the stored one, R 30") ? 30.0 : 50.0;
        Variant *k[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
        for (int i = 0; i < 12; ++i)
            *k[i] = valve == QLatin1String("A never computed") ? Variant()
                    : stored ? Variant(Variant(linear[i]).toString()) // texts, as the dialog's boxes store them
                             : Variant(equal[i]);
    };
    const QString catalogue = dataFile(QStringLiteral("dbKenndaten.mdb"));
    execSql(catalogue, QStringLiteral("UPDATE \"9999\" SET Kvs = 10, Cv = 11.6, Kennlinie = 0, Stellverhältnis = 50, "
                                      "a0 = 0, a1 = 1, a2 = 0, a3 = 0, a4 = 0, a5 = 0, aFL = 0.8, bFL = 0, cFL = 0, "
                                      "axT = 0.6, bxT = 0, cxT = 0"));
    f.ui.answerNextMessage(answer);
    if (command.startsWith(QLatin1String("Open"))) {
        f.ui.answerNextFileDialog(f.saveProject(QStringLiteral("A"), project));
        QVERIFY(f.choose(f.w->mnuOpen));
    } else {
        SharedData d = loaded(dataFolder(), QStringLiteral("Default"));
        project(d);
        SaveParameter(dataFolder(), QStringLiteral("Default"), d);
        QVERIFY(f.choose(command == QLatin1String("New") ? f.w->mnuNeu : f.w->mnuStandardLaden));
    }

    const auto &messages = f.ui.messages();
    QCOMPARE(int(messages.size()), !asked ? 0 : answer == MsgAnswer::Yes ? 2 : 1);
    if (asked) {
        QCOMPARE(messages[0].buttons, MsgButtons::YesNo);
        QVERIFY2(messages[0].text.contains(stored ? QStringLiteral("\"VENTIL-B\", DN 50, Kvs 10, (mod.) linear")
                                                  : QStringLiteral("\"VENTIL-A\", DN 50, Kvs 25, gleich%")) &&
                     messages[0].text.contains(QStringLiteral(": DN 50, Kvs 10, (mod.) linear")),
                 qPrintable(messages[0].text));
        // Two valves described alike are told apart.
        QCOMPARE(messages[0].text.contains(QStringLiteral(
                     "Die Ventile unterscheiden sich in den Kennlinien-Koeffizienten oder im Stellverhältnis.")),
                 stored);
    }
    if (asked && answer == MsgAnswer::Yes)
        QVERIFY2(messages[1].text.endsWith(QStringLiteral("DN 50, Kvs 10, (mod.) linear")), qPrintable(messages[1].text));

    std::shared_ptr<Database> db = Database::open(catalogue);
    QCOMPARE(db->openTable(QStringLiteral("9999"), Database::Rows::First)->field(QStringLiteral("Kvs")).toDouble(), kvs);
    db.reset();
    const SharedData &d = shared();
    QCOMPARE(double(d.KvsCv), kvs);
    QCOMPARE(f.list("cmbKvsCv").text(), QString::number(kvs));
    if (maxFlow > 0.0)
        QVERIFY2(std::fabs(d.Q100 - maxFlow) < 0.006, qPrintable(QString::number(d.Q100)));
    auto *title = dynamic_cast<Label *>(f.sheet()->control(QStringLiteral("lblVentildaten")));
    QVERIFY(title);
    QCOMPARE(title->caption(), QStringLiteral("Ventildaten / ") + name);
    // A valve not claimed goes by the general name in the language of the page, never by the screen's words.
    const bool general = name == QLatin1String("Benutzerdefiniertes Ventil");
    QCOMPARE(getVentiltypName(QStringLiteral("9999"), 2).toString(),
             general ? QStringLiteral("Vanne définie par l'utilisateur") : name);

    // The next Save names the valve computed, and holds its Kvs.
    QVERIFY(f.choose(f.w->mnuSave));
    const SharedData saved = loaded(d.DatenPfad, d.DateiName);
    QCOMPARE(saved.Bezeichnung.toString(), general ? QString() : name);
    QCOMPARE(double(saved.KvsCv), kvs);
    // ... whole: its rangeability and coefficients too, so opening it again asks nothing.
    QCOMPARE(saved.Stellverhältnis, 50.0);
    const Variant k[12] = {saved.A0,  saved.A1,  saved.A2,  saved.A3,  saved.A4,  saved.A5,
                           saved.AFL, saved.BFL, saved.CFL, saved.AxT, saved.BxT, saved.CxT};
    for (std::size_t i = 0; i < 12; ++i)
        QCOMPARE(k[i].asNumber(), kvs == 25.0 ? equal[i] : linear[i]);
    const std::size_t shown = messages.size();
    f.ui.answerNextFileDialog(projectFilePath(d.DatenPfad, d.DateiName));
    QVERIFY(f.choose(f.w->mnuOpen));
    QCOMPARE(messages.size(), shown);
}

// A row of "9999" its dialog would not store (an edited catalogue) is computed by neither sheet, and none of its
// values goes into a project: the project saved meanwhile opens again, where it would otherwise be refused as
// damaged. The seed's row is computed as ever.
void TestFileCommands::userValveRowTheDialogWouldRefuseIsNotComputed_data()
{
    QTest::addColumn<QString>("change"); // of the seed's row
    QTest::addColumn<int>("Modus");
    QTest::addColumn<QString>("fault"); // the field and value named; empty: computed
    QTest::newRow("the seed's row, sizing") << QString() << 0 << QString();
    QTest::newRow("the seed's row, flow") << QString() << 1 << QString();
    // The smallest single above 0, as the dialog stores a Kvs of 1e-45.
    QTest::newRow("Kvs 1.4e-45, flow") << "Kvs = 1.4e-45, Cv = 1.4e-45" << 1 << QString();
    QTest::newRow("rangeability 5, sizing") << "\"Stellverhältnis\" = 5" << 0 << "Feld: Stellverhältnis, Wert: \"5\"";
    QTest::newRow("rangeability 5, flow") << "\"Stellverhältnis\" = 5" << 1 << "Feld: Stellverhältnis, Wert: \"5\"";
    // Kv(1) about 21 Kvs: laid to the largest coefficient.
    QTest::newRow("a1 = 20, sizing") << "a1 = 20" << 0 << "Feld: a1, Wert: \"20\"";
    QTest::newRow("FL 2, flow") << "aFL = 2" << 1 << "Feld: aFL, Wert: \"2\"";
}

void TestFileCommands::userValveRowTheDialogWouldRefuseIsNotComputed()
{
    QFETCH(QString, change);
    QFETCH(int, Modus);
    QFETCH(QString, fault);
    if (!change.isEmpty())
        execSql(dataFile(QStringLiteral("dbKenndaten.mdb")), QStringLiteral("UPDATE \"9999\" SET ") + change);
    const QString project = f.saveProject(QStringLiteral("Eigen"), [Modus](SharedData &d) {
        d.Modus = Modus;
        d.Ventiltyp = QStringLiteral("9999");
        d.DNVentil = QStringLiteral("50");
        d.DNunit = 0;
        d.KvUnit = 0;
        d.KvsCv = 40.0f;
        d.Stellverhältnis = 50.0;
        for (Variant *k : {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT})
            *k = Variant(); // never computed: the row is taken as it stands
    });
    const QString refused = QStringLiteral("Berechnung nicht aktualisiert: Datenbankfehler: dbKenndaten.mdb, 9999: "
                                           "Der Wert ist an dieser Stelle nicht zulässig. ") +
                            fault;
    auto noValue = [](const Variant &v) { return v.isNull() || v.isEmpty(); };
    // Opened, saved, opened again.
    for (int pass = 0; pass < 2; ++pass) {
        f.ui.answerNextFileDialog(project);
        QVERIFY(f.choose(f.w->mnuOpen));
        const auto &messages = f.ui.messages();
        QVERIFY2(messages.empty(), qPrintable(messages.empty() ? QString() : messages.front().text));
        QCOMPARE(shared().Modus, Modus);
        QCOMPARE(f.w->StatusBar.text(), fault.isEmpty() ? QStringLiteral("Berechnung aktualisiert") : refused);
        QCOMPARE(noValue(shared().A1) && noValue(shared().AFL), !fault.isEmpty());
        QVERIFY(f.choose(f.w->mnuSave));
        const SharedData saved = loaded(shared().DatenPfad, shared().DateiName);
        QCOMPARE(noValue(saved.A1), !fault.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestFileCommands)
#include "test_file_commands.moc"
