#include "platform/workbook/xlsx_writer.h"

#include "../support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

// The workbook writer's file handling: a workbook that cannot be written leaves the file already there as it was
// and no temporary file behind, and says why.

class TestXlsxWriter : public QObject {
    Q_OBJECT

private slots:
    void failureLeavesTheOldFile_data();
    void failureLeavesTheOldFile();
};

void TestXlsxWriter::failureLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<QString>("target"); // relative to the folder
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("problem"); // a FileProblem, when written is false
    QTest::addColumn<QString>("fault"); // "full": no file beyond 2 KB, "full 16": 16 KB; "read-only": the old file so
                                        // marked; "control": a text result with a control character
    QTest::addColumn<int>("rows");      // of numbers under the first two cells
    const int other = int(FileProblem::Other), full = int(FileProblem::DiskFull);
    QTest::newRow("a good workbook replaces the file") << "Kv" << "book.xlsx" << true << "" << 0 << "" << 0;
    QTest::newRow("a new file") << "Kv" << "new.xlsx" << true << "" << 0 << "" << 0;
    QTest::newRow("a sheet name the format refuses") << "Kv[1]" << "book.xlsx" << false << "Kv[1]" << other << "" << 0;
    QTest::newRow("a sheet name too long")
        << "Durchflusskoeffizient und Kennlinie" << "book.xlsx" << false << "Durchflusskoeffizient" << other << "" << 0;
    QTest::newRow("no workbook without sheets") << "" << "book.xlsx" << false << "no sheet" << other << "" << 0;
    QTest::newRow("a folder that does not exist")
        << "Kv" << "missing/book.xlsx" << false << "" << int(FileProblem::Missing) << "" << 0;
    QTest::newRow("a folder in place of the file")
        << "Kv" << "folder" << false << "" << int(FileProblem::NotRegularFile) << "" << 0;
    QTest::newRow("a pipe in place of the file")
        << "Kv" << "pipe" << false << "" << int(FileProblem::NotRegularFile) << "" << 0;
    QTest::newRow("a full disk") << "Kv" << "book.xlsx" << false << "" << full << "full" << 0;
    QTest::newRow("a full disk, a new file") << "Kv" << "new.xlsx" << false << "" << full << "full" << 0;
    // The sheet's part is written cut short into the library's own temporary file, which it does not check; the
    // archive of what it has is small enough to be written and would pass for a workbook.
    QTest::newRow("a large sheet cut short on a full disk") << "Kv" << "book.xlsx" << false << "" << full << "full 16"
                                                           << 1000;
    QTest::newRow("an old file marked read-only")
        << "Kv" << "book.xlsx" << false << "" << int(FileProblem::NoPermission) << "read-only" << 0;
    // A text the format cannot hold makes a part that does not read back, with room on the disk.
    QTest::newRow("a part unreadable, the disk not full")
        << "Kv" << "book.xlsx" << false << "" << int(FileProblem::Incomplete) << "control" << 0;
}

void TestXlsxWriter::failureLeavesTheOldFile()
{
    QFETCH(QString, sheetName);
    QFETCH(QString, target);
    QFETCH(bool, written);
    QFETCH(QString, reason);
    QFETCH(int, problem);
    QFETCH(QString, fault);
    QFETCH(int, rows);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    {
        QFile old(dir.filePath(QStringLiteral("book.xlsx")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    xlsx::Workbook book;
    if (!sheetName.isEmpty()) {
        xlsx::Sheet s;
        s.name = sheetName;
        s.cells.push_back(xlsx::Cell::ofNumber(0, 0, 1.5));
        s.cells.push_back(xlsx::Cell::ofFormula(0, 1, QStringLiteral("=A1*2"), 3.0));
        if (fault == QLatin1String("control"))
            s.cells.push_back(xlsx::Cell::ofTextFormula(3, 0, QStringLiteral("=\"a\""), QStringLiteral("a\x01b")));
        for (int row = 1; row <= rows; ++row)
            s.cells.push_back(xlsx::Cell::ofNumber(row, 0, 1.5));
        book.sheets.push_back(s);
    }
    if (fault == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("book.xlsx")), QFile::ReadOwner));
    QString error;
    FileProblem why = FileProblem::None;
    {
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (fault.startsWith(QLatin1String("full")))
            limit = std::make_unique<testsupport::FileSizeLimit>(fault == QLatin1String("full") ? 2048 : 16384);
        QCOMPARE(xlsx::write(book, dir.filePath(target), &error, &why), written);
    }
    QCOMPARE(error.isEmpty(), written);
    QCOMPARE(int(why), written ? int(FileProblem::None) : problem);
    if (!reason.isEmpty())
        QVERIFY2(error.contains(reason), qPrintable(error));
    QFile result(dir.filePath(QStringLiteral("book.xlsx")));
    QVERIFY(result.open(QIODevice::ReadOnly));
    if (written && target == QLatin1String("book.xlsx"))
        QCOMPARE(result.read(2), QByteArray("PK"));
    else
        QCOMPARE(result.readAll(), QByteArray("old"));
    QStringList expected = {"book.xlsx"};
    if (written && target != QLatin1String("book.xlsx"))
        expected << target;
    expected.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    // No folder of the writer's own left either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"folder"});
}

QTEST_GUILESS_MAIN(TestXlsxWriter)
#include "test_xlsx_writer.moc"
