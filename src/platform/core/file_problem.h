#pragma once

#include <QString>

// Why a file could not be read or written, in the terms the user can act on.
enum class FileProblem {
    None,
    DiskFull,     // no room left: the disk, a quota, or the largest file the medium or the process may write
    NoPermission, // no permission, or the file or its folder is read-only
    Locked,       // another program holds the file
    Damaged,      // the file's contents are not what they must be
    Missing,      // the file, or a folder on its path, does not exist
    NotRegularFile, // a folder, a device or a pipe stands where a file must be
    TableMissing, // the file lacks a table, a field or an index the program needs (an emptied or foreign file)
    Exists,       // a file of the name exists already
    DeviceError,  // the medium reports a read or write error
    Incomplete,   // what was written is not whole when read back, though no write reported a failure
    NameTooLong,  // the file's name, or its path, is longer than the system allows
    Other         // none of these: the system's own words tell
};

// A failed file operation: its cause and, for the rest, the system's own words and error number.
struct FileFailure {
    FileProblem problem = FileProblem::None;
    QString systemText;
    int systemError = 0; // errno, where the system gave one

    bool failed() const { return problem != FileProblem::None; }
    // The failure of a system call that set errno to `error` (0 is taken as an input/output error).
    static FileFailure ofErrno(int error);
};

// The cause behind an errno value.
FileProblem problemOfErrno(int error);
