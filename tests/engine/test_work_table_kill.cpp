// The work table is rebuilt with commits that do not wait for the disk. A program killed in the middle of a
// rebuild must leave the catalogue as it was, every table of it row by row, and the work table either as it was
// before the rebuild or as the rebuild made it, never half of it; the next start finds an undamaged file and
// rebuilds again. The rebuilds run in a child process through the program's own code and are killed there.

#include "engine/candidate_table.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QString kSeries = QStringLiteral("4627_71");

// Every row of a table in stored order, each value with its storage class: what a reader of the file gets.
QString tableText(sqlite3 *db, const QString &table)
{
    QString out;
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = "SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY rowid";
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return QStringLiteral("<unreadable>");
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            out += QString::number(sqlite3_column_type(st, c)) + QLatin1Char(':');
            out += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c))) + QLatin1Char('|');
        }
        out += QLatin1Char('\n');
    }
    sqlite3_finalize(st);
    return out;
}

// Table name -> its rows, of every table in the file.
QMap<QString, QString> contents(const QString &path)
{
    QMap<QString, QString> out;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return out;
    }
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr);
    QStringList names;
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    for (const QString &name : names)
        out.insert(name, tableText(db, name));
    sqlite3_close_v2(db);
    return out;
}

// The work table as a rebuild of the program makes it for one of the child's two requests, on a copy.
QString workTableFor(const QString &folder, bool allSizes)
{
    const QString copy = folder + QStringLiteral("/reference_") + (allSizes ? QLatin1String("all") : QLatin1String("one"))
                         + QStringLiteral(".mdb");
    if (!testsupport::copySeedFile(QStringLiteral("dbKenndaten.mdb"), copy))
        return QString();
    SharedData &s = shared();
    s.dbKenndaten = Database::open(copy);
    testsupport::openSeries(kSeries);
    update_Tabelle_aktuell(*s.rsVentil, 1, QStringLiteral("50"), 0, 0.0f, 0, allSizes, true);
    testsupport::resetProgramState();
    return contents(copy).value(QStringLiteral("_aktuell"));
}

} // namespace

class TestWorkTableKill : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        allSizes_ = workTableFor(dir_.path(), true);
        oneSize_ = workTableFor(dir_.path(), false);
        QVERIFY(!allSizes_.isEmpty() && !oneSize_.isEmpty());
        QVERIFY(allSizes_ != oneSize_); // the two requests give different tables
    }

    void cleanupTestCase() { testsupport::resetProgramState(); }

    void catalogueSurvivesAKilledRebuild_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("kills");
        QTest::newRow("killed as the rebuild commits") << QStringLiteral("hold") << 1;
        QTest::newRow("killed anywhere in a run of rebuilds") << QStringLiteral("loop") << 25;
    }

    void catalogueSurvivesAKilledRebuild()
    {
        QFETCH(QString, mode);
        QFETCH(int, kills);
        const QString path = dir_.filePath(mode + QStringLiteral("_dbKenndaten.mdb"));
        QVERIFY(testsupport::copySeedFile(QStringLiteral("dbKenndaten.mdb"), path));
        QMap<QString, QString> catalogue = contents(path);
        catalogue.remove(QStringLiteral("_aktuell"));
        QVERIFY(catalogue.contains(kSeries));

        for (int kill = 0; kill < kills; ++kill) {
            QProcess writer;
            writer.start(QStringLiteral(QUENDRA_WORK_TABLE_WRITER), {path, kSeries, mode});
            QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));
            const QByteArray signal = mode == QLatin1String("hold") ? "ready\n" : "running\n";
            QByteArray said;
            while (!said.contains(signal) && writer.waitForReadyRead(30000))
                said += writer.readAllStandardOutput();
            QVERIFY2(said.contains(signal), writer.readAllStandardError().constData());
            // In a run of rebuilds the kill falls at a different point of one every time.
            if (mode == QLatin1String("loop"))
                QTest::qSleep(1 + (kill * 7) % 23);
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            QVERIFY2(QFileInfo::exists(path + QStringLiteral("-wal")), "the rebuild did not use the write-ahead log");

            // The next start: the file opens undamaged, the catalogue is as it was, the work table whole.
            auto db = Database::open(path);
            db->checkStructure();
            db->checkPages();
            db.reset();
            QMap<QString, QString> now = contents(path);
            const QString work = now.take(QStringLiteral("_aktuell"));
            QVERIFY2(now == catalogue, qPrintable(QStringLiteral("catalogue changed after kill %1").arg(kill)));
            if (mode == QLatin1String("hold"))
                QVERIFY2(work == oneSize_, "the killed rebuild's rows are in the work table");
            else
                QVERIFY2(work == oneSize_ || work == allSizes_, "the work table is neither before nor after a rebuild");
        }

        // And the program goes on rebuilding the table.
        SharedData &s = shared();
        s.dbKenndaten = Database::open(path);
        testsupport::openSeries(kSeries);
        for (bool allSizes : {true, false, true}) {
            update_Tabelle_aktuell(*s.rsVentil, 1, QStringLiteral("50"), 0, 0.0f, 0, allSizes, true);
            QCOMPARE(tableText(s.dbKenndaten->handle(), QStringLiteral("_aktuell")), allSizes ? allSizes_ : oneSize_);
        }
        testsupport::resetProgramState();
    }

private:
    QTemporaryDir dir_{testsupport::scratchTemplate(QStringLiteral("quendra-kill"), false)};
    QString allSizes_, oneSize_;
};

QTEST_GUILESS_MAIN(TestWorkTableKill)
#include "test_work_table_kill.moc"
