#include "app/main_window.h"

#include "app/sheet_host.h"
#include "state/shared_data.h"
#include "tools/characteristic_display.h"
#include "tools/heat_exchanger.h"
#include "tools/sheet_reload.h"
#include "tools/user_defined_valve.h"

void frmMDIMain::connectToolsMenu()
{
    mnu9999.Click = [this] { mnu9999_Click(); };
    mnuWärmetauscher.Click = [this] { mnuWärmetauscher_Click(); };
    mnuTools.Click = [this] { mnuTools_Click(); };
    mnuAnzeigeKennlinie.Click = [this] { mnuAnzeigeKennlinie_Click(); };
    mnuAnzeigeFL.Click = [this] { mnuAnzeigeFL_Click(); };
    mnuAnzeigeXT.Click = [this] { mnuAnzeigeXT_Click(); };

    // A tool that hands its result over reloads the sheet of the mode, as the series entries do.
    toolhost::setSheetReload([](int Modus) { sheethost::reloadSheetOfMode(Modus); });
    toolhost::setSheetReplace([](int ModusAlt, int ModusNeu) {
        auto sheet = [](int Modus) { return Modus == 1 ? SheetKind::CalcFlow : SheetKind::CalcSize; };
        sheethost::unloadSheet(sheet(ModusAlt));
        sheethost::loadSheet(sheet(ModusNeu));
    });
}

void frmMDIMain::mnu9999_Click()
{
    frmBenutzerdefiniert &dialog = frmBenutzerdefiniertInstance().get();
    dialog.centerOnScreen();
    dialog.showModal();
}

void frmMDIMain::mnuWärmetauscher_Click()
{
    frmWärmetauscher &dialog = frmWärmetauscherInstance().get();
    dialog.centerOnScreen();
    dialog.showModal();
}

// The displays know the curves of a few series only, and an on/off valve has none to show.
void frmMDIMain::mnuTools_Click()
{
    const SharedData &d = shared();
    static const QStringList mitKenndaten = {QStringLiteral("9999"), QStringLiteral("3548"), QStringLiteral("3264"),
                                             QStringLiteral("2613"), QStringLiteral("2381")};
    const bool anzeigen =
        (d.Ventiltyp.startsWith(QLatin1String("46")) || mitKenndaten.contains(d.Ventiltyp)) && d.Kennlinie != 2;
    for (Menu *entry : {&mnuAnzeigeKennlinie, &mnuAnzeigeFL, &mnuAnzeigeXT})
        entry->setEnabled(anzeigen);
}

void frmMDIMain::mnuAnzeigeKennlinie_Click()
{
    const int KvUnit = shared().KvUnit;
    if (KvUnit == 0)
        show_Kenndaten_Excel(Variant(QStringLiteral("Kv")));
    else if (KvUnit == 1)
        show_Kenndaten_Excel(Variant(QStringLiteral("Cv")));
}

void frmMDIMain::mnuAnzeigeFL_Click()
{
    show_Kenndaten_Excel(Variant(QStringLiteral("FL")));
}

void frmMDIMain::mnuAnzeigeXT_Click()
{
    show_Kenndaten_Excel(Variant(QStringLiteral("xT")));
}
