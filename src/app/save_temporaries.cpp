#include "app/save_temporaries.h"

#include "app/project_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kJournal = QStringLiteral("-journal");

// QTemporaryFile replaces the six X by letters (and, in some versions, digits).
const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.saving-[A-Za-z0-9]{6}\\.vls(-journal)?$"));
    return pattern;
}

// True when the file is held by no running save; it then stays unheld by us until `fd` is closed.
bool takeIfUnheld(const QString &path, int *fd)
{
    *fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (*fd < 0)
        return false;
    if (::flock(*fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(*fd);
        *fd = -1;
        return false;
    }
    return true;
}

} // namespace

QString saveTemporaryTemplate(const QString &folder)
{
    return folder + QStringLiteral("/.Quendra.saving-XXXXXX.vls");
}

bool saveNamesFit(const QString &folder, const QString &base)
{
    // The longest name a save makes is a journal; the file system's limit where it tells one.
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    for (const QString &path : {projectFilePath(folder, base), saveTemporaryTemplate(folder)})
        if (QFile::encodeName(QFileInfo(path).fileName() + kJournal).size() > (limit > 0 ? limit : 255))
            return false;
    return true;
}

bool isSaveTemporaryName(const QString &fileName)
{
    return namePattern().match(fileName).hasMatch();
}

bool holdSaveTemporary(QFileDevice &file)
{
    // A file that is not open fails here too, with errno set.
    return ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
}

FileFailure nameSaveTemporary(const QString &temporary, const QString &target)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return FileFailure{};
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return FileFailure::ofErrno(errno);
    // A file system without that rename: a second name, which is never made over an existing one, then the first
    // goes.
    if (::link(from.constData(), to.constData()) != 0)
        return FileFailure::ofErrno(errno);
    ::unlink(from.constData());
    return FileFailure{};
}

QStringList removeStaleSaveTemporaries(const QString &folder)
{
    QStringList removed;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    // The files first, then journals whose file is gone: a journal beside a held file belongs to a running save.
    for (const QString &name : names) {
        if (!isSaveTemporaryName(name) || name.endsWith(kJournal))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile())
            continue;
        int fd = -1;
        if (!takeIfUnheld(path, &fd))
            continue;
        if (QFile::remove(path))
            removed << name;
        ::close(fd);
    }
    for (const QString &name : names) {
        if (!isSaveTemporaryName(name) || !name.endsWith(kJournal))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile() || QFileInfo::exists(path.chopped(kJournal.size())))
            continue;
        if (QFile::remove(path))
            removed << name;
    }
    return removed;
}
