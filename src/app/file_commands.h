#pragma once

#include <QString>

// The project file that a path chosen in a file dialog names. Folder and file name are split by the path
// functions; the file name then follows the program's rule: a three-letter extension is replaced by ".vls", a name
// without one gets ".vls" appended ("Kessel" and "Kessel.txt" both name "Kessel.vls").
struct ProjectFileName {
    QString folder; // without a trailing separator (except the root folder)
    QString base;   // without ".vls"
};
ProjectFileName projectFileName(const QString &chosenPath);

// The caption of the main window while a project file chosen by Open or Save as is the current one.
QString projectCaption(const QString &base);
// The caption after Load default.
QString defaultProjectCaption();
