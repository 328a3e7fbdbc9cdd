#pragma once

// A save killed in the middle of its transaction, made deterministically: a child process with a tiny page cache
// writes far more than its cache holds inside one transaction and is killed (SIGKILL) while it waits there. The
// file then holds uncommitted pages and the journal beside it the pages before the change.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTest>

namespace interrupted {

inline QString journalOf(const QString &path)
{
    return path + QStringLiteral("-journal");
}

// Starts a writer, waits until it says it is inside its write, and kills it there.
inline void killWhenReady(const QString &program, const QStringList &arguments)
{
    QProcess writer;
    writer.start(program, arguments);
    QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));
    writer.setReadChannel(QProcess::StandardOutput);
    QByteArray said;
    while (!said.contains("ready\n") && writer.waitForReadyRead(30000))
        said += writer.readAllStandardOutput();
    QVERIFY2(said.contains("ready\n"), writer.readAllStandardError().constData());
    writer.kill();
    QVERIFY(writer.waitForFinished(10000));
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
}

// Runs `sql` (and a large insert) in a transaction on `path` and kills the writer inside it.
inline void killWriteInside(const QString &path, const QString &sql)
{
    killWhenReady(QStringLiteral(QUENDRA_INTERRUPTED_WRITER), {path, sql});
    QVERIFY2(QFileInfo(journalOf(path)).size() > 0, "no journal left beside the file");
}

#ifdef QUENDRA_WORK_TABLE_WRITER
// Rebuilds the work table of a catalogue through the program's own code and kills the writer as its second rebuild
// commits: the write-ahead log beside the file holds the first rebuild, committed and never checkpointed, as a
// killed program leaves it.
inline void killRebuildAtCommit(const QString &path, const QString &series)
{
    killWhenReady(QStringLiteral(QUENDRA_WORK_TABLE_WRITER), {path, series, QStringLiteral("hold")});
    QVERIFY2(QFileInfo(path + QStringLiteral("-wal")).size() > 0, "no write-ahead log left beside the file");
}
#endif

} // namespace interrupted
