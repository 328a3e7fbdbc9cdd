#include "app/access_code_dialog.h"
#include "app/info_dialogs.h"
#include "app/main_window.h"
#include "platform/shell/desktop_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

namespace {

// Centred on the whole screen (not clamped) and shown modal, as every dialog of the menus is.
template <class T>
void openDialog(DefaultInstance<T> &instance)
{
    T &dialog = instance.get();
    dialog.centerOnScreen();
    dialog.showModal();
}

// The help entries point the program's help at a page of the program folder and show it; F1 shows it later too.
void showHelpPage(const QString &page)
{
    const int Sprache = shared().Sprache;
    setHelpFile(programFolder() + QLatin1Char('/') + page,
                HelpTexts{getText(QStringLiteral("Hilfe"), Sprache),
                          getText(QStringLiteral("Die Hilfedatei ist nicht vorhanden:"), Sprache)});
    showHelpFile();
}

} // namespace

void frmMDIMain::connectDialogEntries()
{
    mnuPasswort.Click = [this] { mnuPasswort_Click(); };
    mnuHilfeDeutsch.Click = [this] { mnuHilfeDeutsch_Click(); };
    mnuHilfeEnglisch.Click = [this] { mnuHilfeEnglisch_Click(); };
    mnuInfo.Click = [this] { mnuInfo_Click(); };
}

void frmMDIMain::mnuPasswort_Click()
{
    openDialog(frmPasswortInstance());
}

void frmMDIMain::mnuHilfeDeutsch_Click()
{
    showHelpPage(QStringLiteral("hilfe.html"));
}

void frmMDIMain::mnuHilfeEnglisch_Click()
{
    showHelpPage(QStringLiteral("help.html"));
}

void frmMDIMain::mnuInfo_Click()
{
    if (shared().KD_Version == 1)
        openDialog(frmInfoTrelvanInstance());
    else
        openDialog(frmInfoInstance());
}
