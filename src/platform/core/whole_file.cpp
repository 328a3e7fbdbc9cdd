#include "platform/core/whole_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace {

// fsync's answer for a file that has no disk to wait for; nothing was lost then.
bool nothingToSync(int error)
{
    return error == EINVAL || error == ENOTSUP;
}

} // namespace

FileFailure notARegularFile(const QString &path)
{
    // The rename would put a regular file in the place of a device, a pipe or a folder (the superuser may do so).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return FileFailure{FileProblem::NotRegularFile, QStringLiteral("not a regular file")};
    return FileFailure{};
}

WholeFile::WholeFile(const QString &path) : QSaveFile(path) {}

WholeFile::~WholeFile()
{
    if (isOpen())
        discard();
}

bool WholeFile::start()
{
    const QFileInfo target(fileName());
    if (const FileFailure refused = notARegularFile(fileName()); refused.failed()) {
        fail(refused);
        return false;
    }
    // The mode bits as well as access(): the superuser may write anything.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && (!target.isWritable() || !(target.permissions() & writeBits))) {
        failWithErrno(EACCES);
        return false;
    }
    errno = 0;
    if (!open(QIODevice::WriteOnly)) {
        failWithErrno(errno);
        return false;
    }
    return true;
}

qint64 WholeFile::writeData(const char *data, qint64 len)
{
    if (failed())
        return -1;
    errno = 0;
    const qint64 written = QSaveFile::writeData(data, len);
    if (written == len)
        return written;
    failWithErrno(errno);
    return -1;
}

bool WholeFile::finish()
{
    if (!isOpen()) {
        if (!failed())
            failWithErrno(EBADF);
        return false;
    }
    if (!failed()) {
        errno = 0;
        if (!flush())
            failWithErrno(errno);
    }
    // Some file systems report a full disk only when the data go out.
    if (!failed() && ::fsync(handle()) != 0 && !nothingToSync(errno))
        failWithErrno(errno);
    if (failed()) {
        discard();
        return false;
    }
    errno = 0;
    if (!commit()) {
        failWithErrno(errno);
        return false;
    }
    return true;
}

void WholeFile::discard()
{
    if (!isOpen())
        return;
    cancelWriting();
    // A cancelled commit removes the temporary file and leaves the target alone.
    commit();
}

void WholeFile::fail(const FileFailure &why)
{
    if (!failed())
        failure_ = why;
}

void WholeFile::failWithErrno(int error)
{
    if (error != 0) {
        fail(FileFailure::ofErrno(error));
        return;
    }
    // Qt's own words when the system said nothing.
    const QString said = errorString();
    fail(FileFailure{FileProblem::Other, said.isEmpty() ? FileFailure::ofErrno(EIO).systemText : said});
}

FileFailure copyWholeFile(const QString &from, const QString &to)
{
    QFile source(from);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return FileFailure::ofErrno(errno);
    WholeFile target(to);
    if (!target.start())
        return target.failure();
    constexpr qint64 kBlock = 64 * 1024;
    while (!source.atEnd()) {
        errno = 0;
        const QByteArray block = source.read(kBlock);
        if (block.isEmpty())
            return FileFailure::ofErrno(errno);
        if (target.write(block) != block.size())
            return target.failure();
    }
    if (!target.finish())
        return target.failure();
    return FileFailure{};
}

FileFailure writeAllBytes(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FileFailure::ofErrno(n < 0 ? errno : ENOSPC);
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0 && !nothingToSync(errno))
        return FileFailure::ofErrno(errno);
    return FileFailure{};
}
