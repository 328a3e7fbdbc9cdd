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
// The platform's beep, through the form runtime's services; held back while a sheet loads (LoadingSound).
void beep();

// Loading a sheet recalculates it several times through the handlers that filling it runs, each time on a sheet
// that is only partly filled, and each run's report replaces the one before. While a LoadingSound lives, the
// beeps of a recalculation are held back, a recalculation that starts drops those of the one before, and the
// beeps of the last one sound when the outermost LoadingSound ends: the user hears what the loaded sheet says.
// A command that loads a sheet and then recalculates it holds one around both.
class LoadingSound {
public:
    LoadingSound();
    ~LoadingSound();
    LoadingSound(const LoadingSound &) = delete;
    LoadingSound &operator=(const LoadingSound &) = delete;
};

// Marks a recalculation for its lifetime, for LoadingSound.
class RecalculationSound {
public:
    RecalculationSound();
    ~RecalculationSound();
    RecalculationSound(const RecalculationSound &) = delete;
    RecalculationSound &operator=(const RecalculationSound &) = delete;
};

} // namespace mainwin
