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

// Runs `sql` (and a large insert) in a transaction on `path` and kills the writer inside it.
inline void killWriteInside(const QString &path, const QString &sql)
{
    QProcess writer;
    writer.start(QStringLiteral(QUENDRA_INTERRUPTED_WRITER), {path, sql});
    QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));
    writer.setReadChannel(QProcess::StandardOutput);
    QByteArray said;
    while (!said.contains("ready\n") && writer.waitForReadyRead(30000))
        said += writer.readAllStandardOutput();
    QVERIFY2(said.contains("ready\n"), writer.readAllStandardError().constData());
    writer.kill();
    QVERIFY(writer.waitForFinished(10000));
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
    QVERIFY2(QFileInfo(journalOf(path)).size() > 0, "no journal left beside the file");
}

} // namespace interrupted
