#include "engine/main_window_access.h"

#include "platform/forms/menu.h"
#include "platform/forms/status_bar.h"
#include "platform/forms/ui_services.h"
#include "state/shared_data.h"

namespace {
MainWindowAccess *g_mainWindow = nullptr;
// LoadingSounds alive, recalculations running, and the beeps of the latest recalculation held back.
int g_loadings = 0;
int g_recalculations = 0;
int g_heldBeeps = 0;
} // namespace

void setMainWindowAccess(MainWindowAccess *window)
{
    g_mainWindow = window;
}

MainWindowAccess *mainWindowAccess()
{
    return g_mainWindow;
}

namespace mainwin {

QString statusText()
{
    return g_mainWindow && g_mainWindow->StatusBar ? g_mainWindow->StatusBar->text() : QString();
}

void setStatusText(const QString &text)
{
    if (g_mainWindow && g_mainWindow->StatusBar)
        g_mainWindow->StatusBar->setText(text);
}

bool resultsCurrent()
{
    return g_mainWindow && g_mainWindow->mnuDrucken && g_mainWindow->mnuDrucken->enabled();
}

void setResultsCurrent(bool current)
{
    if (!g_mainWindow)
        return;
    if (g_mainWindow->mnuDrucken)
        g_mainWindow->mnuDrucken->setEnabled(current);
    if (shared().PDFDruckerVorhanden && g_mainWindow->mnuPDFDruck)
        g_mainWindow->mnuPDFDruck->setEnabled(current);
}

void beep()
{
    if (g_loadings > 0 && g_recalculations > 0)
        ++g_heldBeeps;
    else
        uiServices().beep();
}

LoadingSound::LoadingSound()
{
    ++g_loadings;
}

LoadingSound::~LoadingSound()
{
    if (--g_loadings > 0)
        return;
    for (; g_heldBeeps > 0; --g_heldBeeps)
        uiServices().beep();
}

RecalculationSound::RecalculationSound()
{
    ++g_recalculations;
    g_heldBeeps = 0;
}

RecalculationSound::~RecalculationSound()
{
    --g_recalculations;
}

} // namespace mainwin
