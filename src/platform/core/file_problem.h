#pragma once

#include <QString>

// Why a file could not be read or written, in the terms the user can act on.
enum class FileProblem {
    None,
    DiskFull,     // no room left: the disk, a quota, or the largest file the medium or the process may write
    NoPermission, // no permission, or the file or its folder is read-only
    Locked,       // another program holds the file
    Damaged,      // the file's contents are not what they must be
    Other         // none of these: the system's own words tell
};

// A failed file operation: its cause and, for the rest, the system's own words.
struct FileFailure {
    FileProblem problem = FileProblem::None;
    QString systemText;

    bool failed() const { return problem != FileProblem::None; }
    // The failure of a system call that set errno to `error` (0 is taken as an input/output error).
    static FileFailure ofErrno(int error);
};

// The cause behind an errno value.
FileProblem problemOfErrno(int error);
