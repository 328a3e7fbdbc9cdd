#include "app/main_window.h"

#include "app/sheet_host.h"
#include "engine/flow_recalc.h"
#include "engine/main_window_access.h"
#include "engine/sizing_recalc.h"
#include "fluids/fluid_wizard.h"
#include "fluids/gas_mixture.h"
#include "fluids/ideal_gas_list.h"
#include "fluids/liquid_list.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/texts.h"

void frmMDIMain::connectMediumMenu()
{
    mnuLuft.Click = [this] { mnuLuft_Click(); };
    mnuWasser.Click = [this] { mnuWasser_Click(); };
    mnuWasserdampf.Click = [this] { mnuWasserdampf_Click(); };
    mnuPapierstoff25.Click = [this] { mnuPapierstoff25_Click(); };
    mnuPapierstoff3.Click = [this] { mnuPapierstoff3_Click(); };
    mnuPapierstoff4.Click = [this] { mnuPapierstoff4_Click(); };
    mnuPapierstoff5.Click = [this] { mnuPapierstoff5_Click(); };
    mnuIdealesGas.Click = [this] { mnuIdealesGas_Click(); };
    mnuFlüssigkeit.Click = [this] { mnuFlüssigkeit_Click(); };
    mnuGasGemisch.Click = [this] { mnuGasGemisch_Click(); };
    mnuStoffdatenAssistent.Click = [this] { mnuStoffdatenAssistent_Click(); };
    // The sheets open the wizard beside them when its data are stale.
    installFluidWizard();
}

void frmMDIMain::chooseMedium(int code, int zustand, const QString &name)
{
    SharedData &d = shared();
    d.Medium = code;
    // Only the index is carried into the new state's list; the stored flows keep their numbers.
    d.QUnit = static_cast<int>(umrechnenEinheitIndexDurchfluss(d.Zustand, zustand, d.QUnit).toInt());
    d.Zustand = zustand;
    d.NameMedium = name;
    // The recalculation below is the one the user hears, not those of the loading.
    mainwin::LoadingSound sound;

    if (d.Modus == 0) {
        sheethost::unloadSheet(SheetKind::CalcSize);
        sheethost::loadSheet(SheetKind::CalcSize);
    } else if (d.Modus == 1) {
        sheethost::unloadSheet(SheetKind::CalcFlow);
        sheethost::loadSheet(SheetKind::CalcFlow);
    }

    // Air's properties are fixed; those of water, steam and paper stock follow from each operating point in the
    // recalculation. The sheet has been loaded already, so the recalculation below shows the new values.
    if (code == 0) {
        d.rhoN = umrechnenDichte(Variant(1.2922), 0, d.rhoUnit).toDouble();
        d.gammaMin = 1.4;
        d.gammaNorm = 1.4;
        d.gammaMax = 1.4;
    }

    if (d.Modus == 0)
        calcDimensionierung();
    else
        calcDurchfluss();
}

void frmMDIMain::mnuLuft_Click() { chooseMedium(0, 0, QStringLiteral("Luft")); }
void frmMDIMain::mnuWasser_Click() { chooseMedium(1, 1, QStringLiteral("Wasser")); }
void frmMDIMain::mnuWasserdampf_Click() { chooseMedium(2, 2, QStringLiteral("Wasserdampf")); }

// The paper-stock names are stored in the screen language of the moment, the consistency untranslated.
void frmMDIMain::mnuPapierstoff25_Click()
{
    chooseMedium(10, 1, getText(QStringLiteral("Papierstoff"), shared().Sprache) + QStringLiteral(" c = 2.5%"));
}
void frmMDIMain::mnuPapierstoff3_Click()
{
    chooseMedium(11, 1, getText(QStringLiteral("Papierstoff"), shared().Sprache) + QStringLiteral(" c = 3%"));
}
void frmMDIMain::mnuPapierstoff4_Click()
{
    chooseMedium(12, 1, getText(QStringLiteral("Papierstoff"), shared().Sprache) + QStringLiteral(" c = 4%"));
}
void frmMDIMain::mnuPapierstoff5_Click()
{
    chooseMedium(13, 1, getText(QStringLiteral("Papierstoff"), shared().Sprache) + QStringLiteral(" c = 5%"));
}

// The fluid dialogs hand their medium over themselves; the entries only open them, centred and modal.
void frmMDIMain::mnuIdealesGas_Click() { showIdealGasList(); }
void frmMDIMain::mnuFlüssigkeit_Click() { showLiquidList(); }
void frmMDIMain::mnuGasGemisch_Click() { showGasMixture(); }
void frmMDIMain::mnuStoffdatenAssistent_Click() { showFluidWizard(); }
