#include "../support/full_disk.h"
#include "two_locales.h"
#include "units/data_folder.h"
#include "units/data_recovery.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

bool schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QDir().mkpath(QFileInfo(pfad).path());
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(inhalt) == inhalt.size();
}

QByteArray lies(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

// The user's folders come from HOME and the XDG user-dirs file, both pointed into a temporary folder before
// anything asks for them.
class TestDataFolder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void documentsFolder_data();
    void documentsFolder();
    void unknownFolderIsNotDefined_data();
    void unknownFolderIsNotDefined();
    void dataFolderLiesInDocuments();
    void withoutAHomeFolderNothingIsDefined_data();
    void withoutAHomeFolderNothingIsDefined();
    void programFolderCanBeSet();

    void missingFolderIsCreatedFromSeed();
    void existingFilesAreNeverOverwritten();
    void copiesOfReadOnlySeedAreWritable();
    void languageDatabaseFollowsTheInstalledTexts_data();
    void languageDatabaseFollowsTheInstalledTexts();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
    void keptFileTakesItsCompanions_data();
    void keptFileTakesItsCompanions();

private:
    QString home() const { return tmp_->filePath(QStringLiteral("home")); }
    QString seed() const { return tmp_->filePath(QStringLiteral("seed")); }
    void setzeHome(const QString &pfad);
    std::unique_ptr<QTemporaryDir> tmp_;
};

void TestDataFolder::setzeHome(const QString &pfad)
{
    QVERIFY(QDir().mkpath(pfad));
    qputenv("HOME", QFile::encodeName(pfad));
}

void TestDataFolder::init()
{
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    setzeHome(home());
    const QString config = tmp_->filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(config));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    QVERIFY(schreibe(seed() + QStringLiteral("/dbSprache.mdb"), "texts"));
    QVERIFY(schreibe(seed() + QStringLiteral("/Default.vls"), "project"));
    QVERIFY(schreibe(seed() + QStringLiteral("/Vorlagen/leer.vls"), "template"));
}

void TestDataFolder::cleanup()
{
    // A read-only folder left by a test must not keep the temporary folder from being removed.
    QFile::setPermissions(home() + QStringLiteral("/Documents/Quendra"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    tmp_.reset();
    setProgramFolder(QString());
}

void TestDataFolder::documentsFolder_data()
{
    QTest::addColumn<QByteArray>("userDirs"); // content of user-dirs.dirs; empty: no such file
    QTest::addColumn<QString>("relativ");     // expected path below HOME

    QTest::newRow("default documents folder") << QByteArray() << "Documents";
    QTest::newRow("folder named by the user's settings")
        << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n") << "Dokumente";
    QTest::newRow("non-ASCII folder name") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Dokumenty čeština\"\n")
                                           << QStringLiteral("Dokumenty čeština");
}

void TestDataFolder::documentsFolder()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(QString, relativ);
    if (!userDirs.isEmpty())
        QVERIFY(schreibe(tmp_->filePath(QStringLiteral("config/user-dirs.dirs")), userDirs));
    const QString pfad = GetSpecialFolder(5);
    QCOMPARE(pfad, home() + QLatin1Char('/') + relativ);
    QVERIFY(!pfad.contains(QChar(u'\0')));
}

void TestDataFolder::unknownFolderIsNotDefined_data()
{
    QTest::addColumn<int>("csidl");
    QTest::newRow("unknown identifier") << 0x7fff;
    QTest::newRow("negative") << -1;
    QTest::newRow("printers, no equivalent") << 0x0004;
}

void TestDataFolder::unknownFolderIsNotDefined()
{
    QFETCH(int, csidl);
    QCOMPARE(GetSpecialFolder(csidl), QStringLiteral(" - nicht definiert - "));
}

void TestDataFolder::dataFolderLiesInDocuments()
{
    QCOMPARE(dataFolder(), home() + QStringLiteral("/Documents/Quendra"));
    QCOMPARE(dataFile(QStringLiteral("dbSprache.mdb")), home() + QStringLiteral("/Documents/Quendra/dbSprache.mdb"));
    QCOMPARE(GetSpecialFolder(0x0028), home()); // the profile folder
}

// Without a home folder the platform names folders under the root ("//Documents"); there is no user folder then,
// and the start-up's check reports it instead of creating a data folder there.
void TestDataFolder::withoutAHomeFolderNothingIsDefined_data()
{
    QTest::addColumn<bool>("unset"); // else empty
    QTest::newRow("HOME not set") << true;
    QTest::newRow("HOME empty") << false;
}

void TestDataFolder::withoutAHomeFolderNothingIsDefined()
{
    QFETCH(bool, unset);
    if (unset)
        qunsetenv("HOME");
    else
        qputenv("HOME", QByteArray());
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(GetSpecialFolder(5), QStringLiteral(" - nicht definiert - "));
    QCOMPARE(dataFolder(), QString());
    QCOMPARE(dataFile(QStringLiteral("Default.vls")), QString());
    QString fehler;
    QVERIFY(!ensureDataFolder(seed(), &fehler));
    QCOMPARE(fehler, QStringLiteral("Der Dokumentenordner des Benutzers ist nicht bekannt."));
    QVERIFY(!QFileInfo::exists(QStringLiteral("//Documents/Quendra")));
}

void TestDataFolder::programFolderCanBeSet()
{
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
    setProgramFolder(tmp_->path());
    QCOMPARE(programFolder(), tmp_->path());
    setProgramFolder(QString());
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
}

void TestDataFolder::missingFolderIsCreatedFromSeed()
{
    QVERIFY(!QFileInfo::exists(dataFolder()));
    QString fehler = QStringLiteral("unchanged");
    QVERIFY(ensureDataFolder(seed(), &fehler));
    QCOMPARE(lies(dataFile(QStringLiteral("dbSprache.mdb"))), QByteArray("texts"));
    QCOMPARE(lies(dataFile(QStringLiteral("Default.vls"))), QByteArray("project"));
    QCOMPARE(lies(dataFile(QStringLiteral("Vorlagen/leer.vls"))), QByteArray("template"));
    // Nothing else appears, such as half-written temporary copies.
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files).size(), 2);
    // A second run finds everything in place.
    QVERIFY(ensureDataFolder(seed(), nullptr));
}

void TestDataFolder::existingFilesAreNeverOverwritten()
{
    QVERIFY(schreibe(dataFile(QStringLiteral("Default.vls")), "the user's own project"));
    QVERIFY(schreibe(dataFile(QStringLiteral("Vorlagen/leer.vls")), ""));
    QVERIFY(ensureDataFolder(seed(), nullptr));
    QCOMPARE(lies(dataFile(QStringLiteral("Default.vls"))), QByteArray("the user's own project"));
    QCOMPARE(lies(dataFile(QStringLiteral("Vorlagen/leer.vls"))), QByteArray());
    QCOMPARE(lies(dataFile(QStringLiteral("dbSprache.mdb"))), QByteArray("texts"));
}

void TestDataFolder::copiesOfReadOnlySeedAreWritable()
{
    const QString quelle = seed() + QStringLiteral("/dbSprache.mdb");
    QVERIFY(QFile::setPermissions(quelle, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QVERIFY(ensureDataFolder(seed(), nullptr));
    QVERIFY(QFile::permissions(dataFile(QStringLiteral("dbSprache.mdb"))) & QFileDevice::WriteOwner);
}

void TestDataFolder::languageDatabaseFollowsTheInstalledTexts_data()
{
    QTest::addColumn<QByteArray>("vorhanden"); // the user's copy from an earlier installation
    QTest::addColumn<bool>("schreibgeschuetzt"); // the data folder and the copy are read-only
    QTest::addColumn<bool>("journal"); // another program's journal lies beside it
    QTest::addColumn<bool>("verlinkt"); // the data folder holds a link to it, and the journal lies beside the file
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("older texts") << QByteArray("old texts") << false << false << false << QByteArray("texts");
    QTest::newRow("a longer older file")
        << QByteArray("texts and more") << false << false << false << QByteArray("texts");
    // The journal would be played into a fresh copy: the file is another program's now.
    QTest::newRow("a journal beside it: the old texts serve")
        << QByteArray("old texts") << false << true << false << QByteArray("old texts");
    QTest::newRow("a link, a journal beside the file it leads to: the old texts serve")
        << QByteArray("old texts") << false << true << true << QByteArray("old texts");
    // Permissions do not stop the superuser, so that case runs only for others.
    if (geteuid() != 0)
        QTest::newRow("read-only: the old texts serve")
            << QByteArray("old texts") << true << false << false << QByteArray("old texts");
}

void TestDataFolder::languageDatabaseFollowsTheInstalledTexts()
{
    QFETCH(QByteArray, vorhanden);
    QFETCH(bool, schreibgeschuetzt);
    QFETCH(bool, journal);
    QFETCH(bool, verlinkt);
    QFETCH(QByteArray, danach);
    const QString datei = dataFile(QStringLiteral("dbSprache.mdb"));
    const QString ziel = verlinkt ? tmp_->filePath(QStringLiteral("anderswo/dbSprache.mdb")) : datei;
    QVERIFY(schreibe(ziel, vorhanden));
    QVERIFY(QDir().mkpath(dataFolder()));
    QVERIFY(!verlinkt || QFile::link(ziel, datei));
    if (journal)
        QVERIFY(schreibe(ziel + QStringLiteral("-journal"), "pages before a write"));
    QVERIFY(schreibe(dataFile(QStringLiteral("Default.vls")), "the user's own project"));
    QVERIFY(schreibe(dataFile(QStringLiteral("Vorlagen/leer.vls")), "the user's own template"));
    const QFileDevice::Permissions lesbar = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    if (schreibgeschuetzt) {
        QVERIFY(QFile::setPermissions(datei, QFileDevice::ReadOwner));
        QVERIFY(QFile::setPermissions(dataFolder(), lesbar));
    }
    QVERIFY(ensureDataFolder(seed(), nullptr));
    if (schreibgeschuetzt)
        QVERIFY(QFile::setPermissions(dataFolder(), lesbar | QFileDevice::WriteOwner));
    QCOMPARE(lies(ziel), danach);
    // Only the texts follow the installation; the user's projects stay.
    QCOMPARE(lies(dataFile(QStringLiteral("Default.vls"))), QByteArray("the user's own project"));
    QCOMPARE(lies(dataFile(QStringLiteral("Vorlagen/leer.vls"))), QByteArray("the user's own template"));
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files).size(), journal && !verlinkt ? 3 : 2);
    if (journal)
        QCOMPARE(lies(ziel + QStringLiteral("-journal")), QByteArray("pages before a write"));
}

void TestDataFolder::failuresNameTheFile_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("genannt"); // what the message must name, relative to the temporary folder

    QTest::newRow("seed folder missing") << 0 << "kein_seed";
    QTest::newRow("a file stands where the data folder belongs") << 1 << "home/Documents/Quendra";
    QTest::newRow("file name too long for the file system") << 2 << QString();
    // Permissions do not stop the superuser, so that case runs only for others.
    if (geteuid() != 0)
        QTest::newRow("data folder read-only") << 3 << "home/Documents/Quendra/dbSprache.mdb";
    QTest::newRow("disk full once the logs of a removed file are kept aside")
        << 4 << "home/Documents/Quendra/Default.vls";
}

void TestDataFolder::failuresNameTheFile()
{
    QFETCH(int, art);
    QFETCH(QString, genannt);
    QString seedOrdner = seed();
    QString erwartet = tmp_->filePath(genannt);
    switch (art) {
    case 0:
        seedOrdner = tmp_->filePath(QStringLiteral("kein_seed"));
        break;
    case 1:
        QVERIFY(schreibe(home() + QStringLiteral("/Documents/Quendra"), "not a folder"));
        break;
    case 2: {
        // A documents folder so deep that the folder fits the path limit but a file in it does not.
        QString tief = home();
        while (tief.size() < 3900)
            tief += QLatin1Char('/') + QString(200, QLatin1Char('d'));
        setzeHome(tief);
        const QString langerName = QString(180, QLatin1Char('n')) + QStringLiteral(".mdb");
        QVERIFY(schreibe(seed() + QLatin1Char('/') + langerName, "long"));
        erwartet = langerName;
        break;
    }
    case 3:
        QVERIFY(QDir().mkpath(dataFolder()));
        QVERIFY(QFile::setPermissions(dataFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        break;
    case 4:
        QVERIFY(ensureDataFolder(seedOrdner, nullptr));
        QVERIFY(QFile::remove(dataFile(QStringLiteral("Default.vls"))));
        QVERIFY(schreibe(dataFile(QStringLiteral("Default.vls-wal")), "log"));
        break;
    }
    const QStringList vorher = QDir(dataFolder()).entryList(QDir::Files);
    QString fehler;
    {
        const testsupport::FileSizeLimit vollePlatte(art == 4 ? 3 : RLIM_INFINITY);
        QVERIFY(art != 4 || vollePlatte.active());
        QVERIFY(!ensureDataFolder(seedOrdner, &fehler));
    }
    QVERIFY2(fehler.contains(erwartet), qPrintable(fehler));
    // A failed copy leaves nothing half-written behind, and the logs it kept aside back where they were.
    const QStringList seedDateien = QDir(seedOrdner).entryList(QDir::Files);
    for (const QString &datei : QDir(dataFolder()).entryList(QDir::Files))
        QVERIFY2(seedDateien.contains(datei) || vorher.contains(datei), qPrintable(datei));
    if (art == 4)
        QCOMPARE(lies(dataFile(QStringLiteral("Default.vls-wal"))), QByteArray("log"));
    if (art == 1)
        QCOMPARE(lies(home() + QStringLiteral("/Documents/Quendra")), QByteArray("not a folder"));
}

// A damaged file is kept under its date with everything SQLite keeps beside it, and the seed's copy takes its place;
// when that copy cannot be made, every file is back where it was. Logs beside a file that had gone are kept the
// same way: SQLite would play them into the fresh copy.
void TestDataFolder::keptFileTakesItsCompanions_data()
{
    QTest::addColumn<QStringList>("companions");
    QTest::addColumn<int>("namesTaken"); // dated names taken by another file's log
    QTest::addColumn<bool>("seedCopy");
    QTest::addColumn<bool>("filePresent");
    QTest::addColumn<QString>("reason"); // why nothing was replaced; empty: replaced
    QTest::newRow("journal of a killed save") << QStringList{"-journal"} << 0 << true << true << QString();
    QTest::newRow("write-ahead log and its index") << QStringList{"-wal", "-shm"} << 0 << true << true << QString();
    QTest::newRow("dated name taken by a log") << QStringList{} << 1 << true << true << QString();
    QTest::newRow("no seed copy") << QStringList{"-wal", "-shm"} << 0 << false << true
                                  << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("file gone, its log left") << QStringList{"-wal", "-shm"} << 0 << true << false << QString();
    QTest::newRow("every dated name taken")
        << QStringList{"-wal"} << 99 << true << true
        << "Jeder Name mit dem heutigen Datum, unter dem sie aufbewahrt werden könnte, ist bereits vergeben.";
}

void TestDataFolder::keptFileTakesItsCompanions()
{
    QFETCH(QStringList, companions);
    QFETCH(int, namesTaken);
    QFETCH(bool, seedCopy);
    QFETCH(bool, filePresent);
    QFETCH(QString, reason);
    setProgramFolder(tmp_->path());
    if (seedCopy)
        QVERIFY(schreibe(seed() + QStringLiteral("/dbKenndaten.mdb"), "seed catalogue"));
    const QString path = dataFolder() + QStringLiteral("/dbKenndaten.mdb");
    if (filePresent)
        QVERIFY(schreibe(path, "damaged"));
    else
        QVERIFY(QDir().mkpath(dataFolder()));
    for (const QString &c : companions)
        QVERIFY(schreibe(path + c, c.toUtf8()));
    const QString dated = dataFolder() + QStringLiteral("/dbKenndaten ") + QDate::currentDate().toString(Qt::ISODate);
    for (int n = 1; n <= namesTaken; ++n)
        QVERIFY(schreibe(dated + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + QStringLiteral(".mdb-wal"),
                         "another file's log"));
    const QStringList before = QDir(dataFolder()).entryList(QDir::Files);

    KeptFiles kept;
    QString why;
    QCOMPARE(keepAndReplaceFromSeed(path, &kept, &why), reason.isEmpty());
    if (!reason.isEmpty()) {
        QVERIFY(kept.empty());
        QVERIFY2(why.contains(path) && why.endsWith(QStringLiteral("\n\n") + reason), qPrintable(why));
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), before);
        QCOMPARE(lies(path), QByteArray("damaged"));
        return;
    }
    const QString keptName = dated + (namesTaken > 0 ? QStringLiteral(" (2).mdb") : QStringLiteral(".mdb"));
    QCOMPARE(kept.file, filePresent ? keptName : QString());
    if (filePresent)
        QCOMPARE(lies(kept.file), QByteArray("damaged"));
    QCOMPARE(lies(path), QByteArray("seed catalogue"));
    QStringList keptLogs;
    for (const QString &c : companions) {
        QCOMPARE(lies(keptName + c), c.toUtf8());
        QVERIFY(!QFile::exists(path + c));
        keptLogs << keptName + c;
    }
    QCOMPARE(kept.logs, keptLogs);
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestDataFolder)
#include "test_data_folder.moc"
