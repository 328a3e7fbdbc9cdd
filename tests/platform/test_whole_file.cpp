#include "platform/core/whole_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// A file written whole or not at all never takes the place of something that is not a regular file.

class TestWholeFile : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
};

void TestWholeFile::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<int>("type"); // the st_mode file type that stands at the target
    QTest::newRow("a folder") << int(S_IFDIR);
    QTest::newRow("a pipe") << int(S_IFIFO);
    // A node of the machine's full device, made in the temporary folder: the superuser's rename would replace it.
    if (geteuid() == 0)
        QTest::newRow("a device") << int(S_IFCHR);
}

void TestWholeFile::refusesWhatIsNoRegularFile()
{
    QFETCH(int, type);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("source"));
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("data");
    }
    const QString target = dir.filePath(QStringLiteral("target"));
    const QByteArray name = QFile::encodeName(target);
    if (type == S_IFDIR)
        QVERIFY(QDir().mkdir(target));
    else if (type == S_IFIFO)
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else
        QCOMPARE(::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 7)), 0);

    const FileFailure failure = copyWholeFile(source, target);
    QCOMPARE(int(failure.problem), int(FileProblem::NotRegularFile));
    struct stat after {};
    QCOMPARE(::lstat(name.constData(), &after), 0);
    QCOMPARE(int(after.st_mode & S_IFMT), type);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("source"), QStringLiteral("target")}));
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "test_whole_file.moc"
