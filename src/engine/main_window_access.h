#pragma once

#include <QString>

class Menu;
class StatusBar;

// What the recalculations use of the main window: its status line and its two print entries. The main window
// fills one of these with pointers to its own controls and registers it while it is loaded.
struct MainWindowAccess {
    ::StatusBar *StatusBar = nullptr;
    Menu *mnuDrucken = nullptr;
    Menu *mnuPDFDruck = nullptr;
};

void setMainWindowAccess(MainWindowAccess *window);
MainWindowAccess *mainWindowAccess();

namespace mainwin {

// The status line's text; empty while no main window is registered (writes then go nowhere).
QString statusText();
void setStatusText(const QString &text);
// Whether the active sheet's results are current. The print entries say it and nothing else switches them:
// mnuDrucken is enabled exactly while they are, and so is mnuPDFDruck while a PDF printer exists (without one it
// is left as it is). Without a main window nothing is current.
bool resultsCurrent();
void setResultsCurrent(bool current);
// The platform's beep, through the form runtime's services.
void beep();

} // namespace mainwin
