#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Where F1 leads: every window of the program has a section of the help, in German and in English, and a few
// controls have one of their own within it.
struct HelpSection {
    QString page;   // a page of the program folder
    QString anchor; // an anchor on it; empty for the page's start
};

struct HelpTopic {
    QString window;       // a form's name, the table-and-curve window's, or empty for anything else
    QStringList controls; // empty: the whole window
    HelpSection german;
    HelpSection english;
};

// The whole table, windows before their controls' entries.
const std::vector<HelpTopic> &helpTopics();

// The section for the window and the control in it that has the focus: the control's own where it has one, else
// the window's, else the start page.
HelpSection helpSectionFor(const QString &window, const QString &control, bool english);

// What F1 does: shows the section of the window in the language of the help page the Help menu opened last, from
// the folder of that page. Nothing, and false, before the Help menu has been used.
bool showHelpFor(const QString &window, const QString &control);
