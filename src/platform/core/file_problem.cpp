#include "platform/core/file_problem.h"

#include <cerrno>
#include <cstring>

FileProblem problemOfErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileProblem::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileProblem::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return FileProblem::Missing;
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return FileProblem::NotRegularFile;
    case EEXIST:
    case ENOTEMPTY:
        return FileProblem::Exists;
    case EBUSY:
    case ETXTBSY:
        return FileProblem::Locked;
    case EIO:
        return FileProblem::DeviceError;
    case ENAMETOOLONG:
        return FileProblem::NameTooLong;
    default:
        return FileProblem::Other;
    }
}

FileFailure FileFailure::ofErrno(int error)
{
    if (error == 0)
        error = EIO;
    return FileFailure{problemOfErrno(error), QString::fromLocal8Bit(std::strerror(error)), error};
}
