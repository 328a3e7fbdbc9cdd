#pragma once

#include "platform/core/file_problem.h"

#include <QSaveFile>
#include <QString>

// A file that is written whole or not at all. The bytes go to a temporary file beside the target, which takes the
// target's place only when every write, the flush to the disk and the rename have succeeded; after any failure an
// existing file stays byte for byte and no temporary file is left. (QSaveFile alone commits a file whose writes
// failed: a write error in its buffer is forgotten by the time it renames.) Give it to a writer as its QIODevice.
class WholeFile : public QSaveFile {
public:
    explicit WholeFile(const QString &path);
    // An unfinished file is discarded.
    ~WholeFile() override;

    // Opens the temporary file for writing. An existing target that is marked read-only, or is no regular file, is
    // refused: the rename would replace it, and a privileged user could do so.
    bool start();
    // Hands the written file over in the target's place; false, and nothing replaced, after any failure.
    bool finish();
    // Gives an unfinished file up.
    void discard();

    // Why start, a write or finish failed.
    const FileFailure &failure() const { return failure_; }
    bool failed() const { return failure_.failed(); }

protected:
    qint64 writeData(const char *data, qint64 len) override;

private:
    void fail(const FileFailure &why);
    void failWithErrno(int error);

    FileFailure failure_;
};

// A failure when something other than a regular file (a folder, a device, a pipe) stands at path.
FileFailure notARegularFile(const QString &path);

// Copies a file into the place of `to` as a WholeFile writes it: whole, or `to` as it was.
FileFailure copyWholeFile(const QString &from, const QString &to);

// Writes bytes to a file of the program's own (a temporary file it holds open), every byte or a failure, and waits
// until they are on the disk.
FileFailure writeAllBytes(int fd, const QByteArray &bytes);
