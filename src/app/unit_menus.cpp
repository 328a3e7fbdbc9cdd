#include "app/main_window.h"

#include "sheets/sheet_common.h"
#include "state/shared_data.h"
#include "units/held_unit_values.h"

namespace {

// The calculation sheet of the mode while it is loaded: the sizing sheet in mode 0, the flow sheet in mode 1.
Form *activeSheet()
{
    const int Modus = shared().Modus;
    const QString name = Modus == 0 ? QStringLiteral("frmCalcSize")
                         : Modus == 1 ? QStringLiteral("frmCalcFlow")
                                      : QString();
    if (name.isEmpty())
        return nullptr;
    for (Form *form : Form::liveForms())
        if (form->isLoaded() && form->name() == name)
            return form;
    return nullptr;
}

// Both sheets carry their unit lists under the same names.
ComboBox *unitList(Form *sheet, const char *name)
{
    return sheet ? dynamic_cast<ComboBox *>(sheet->control(QString::fromLatin1(name))) : nullptr;
}

// Setting the position runs the list's Click handler, which converts and redisplays the values of its quantity.
void position(ComboBox *list, int i)
{
    if (list)
        list->setListIndex(i);
}

} // namespace

void frmMDIMain::connectUnitMenus()
{
    mnuBara.Click = [this] { mnuBara_Click(); };
    mnuBarg.Click = [this] { mnuBarg_Click(); };
    mnuPsia.Click = [this] { mnuPsia_Click(); };
    mnuPsig.Click = [this] { mnuPsig_Click(); };
    mnuMPaa.Click = [this] { mnuMPaa_Click(); };
    mnuMPag.Click = [this] { mnuMPag_Click(); };
    mnukPaa.Click = [this] { mnukPaa_Click(); };
    mnukPag.Click = [this] { mnukPag_Click(); };
    mnuCelsius.Click = [this] { mnuCelsius_Click(); };
    mnuFahrenheit.Click = [this] { mnuFahrenheit_Click(); };
    mnuDurchfluss.Click = [this] { mnuDurchfluss_Click(); };
    mnuM3h.Click = [this] { mnuM3h_Click(); };
    mnuM3hnorm.Click = [this] { mnuM3hnorm_Click(); };
    mnuKgh.Click = [this] { mnuKgh_Click(); };
    mnuLmin.Click = [this] { mnuLmin_Click(); };
    mnuLminnorm.Click = [this] { mnuLminnorm_Click(); };
    mnuLbhr.Click = [this] { mnuLbhr_Click(); };
    mnuCufthr.Click = [this] { mnuCufthr_Click(); };
    mnuScufthr.Click = [this] { mnuScufthr_Click(); };
    mnuUSgpm.Click = [this] { mnuUSgpm_Click(); };
    mnuKgm3.Click = [this] { mnuKgm3_Click(); };
    mnuLbcuft.Click = [this] { mnuLbcuft_Click(); };
    mnuCst.Click = [this] { mnuCst_Click(); };
    mnuCP.Click = [this] { mnuCP_Click(); };
    mnuMs.Click = [this] { mnuMs_Click(); };
    mnuFtsec.Click = [this] { mnuFtsec_Click(); };
    mnuMM.Click = [this] { mnuMM_Click(); };
    mnuInch.Click = [this] { mnuInch_Click(); };
    mnuKv.Click = [this] { mnuKv_Click(); };
    mnuCv.Click = [this] { mnuCv_Click(); };
}

void frmMDIMain::choosePressureUnit(int i)
{
    Form *sheet = activeSheet();
    // The vapour-pressure list switches pUnit itself, but only while it is shown; hidden, the values held in pUnit
    // follow all the same.
    if (ComboBox *vapour = unitList(sheet, "cmbStoffwert2unit"); vapour && vapour->visible())
        position(vapour, i);
    switchHeldUnit(HeldUnit::pUnit, i);
    sheetcommon::switchUnitsTogether([&] {
        position(unitList(sheet, "cmbP1unit"), i);
        position(unitList(sheet, "cmbP2unit"), i);
    });
}

void frmMDIMain::chooseTemperatureUnit(int i)
{
    switchHeldUnit(HeldUnit::TUnit, i);
    // The list's handler switches T1Unit and what is held in it.
    position(unitList(activeSheet(), "cmbT1unit"), i);
}

void frmMDIMain::chooseFlowUnit(int atGas, int atLiquid, int atSteam)
{
    // The flow list's positions mean other units in each fluid state; -1: the entry does nothing in that state.
    const int Zustand = shared().Zustand;
    const int i = Zustand == 0 ? atGas : Zustand == 1 ? atLiquid : Zustand == 2 ? atSteam : -1;
    if (i >= 0)
        position(unitList(activeSheet(), "cmbQunit"), i);
}

void frmMDIMain::chooseUnit(const char *list, int i, bool liquidsOnly)
{
    if (liquidsOnly && shared().Zustand != 1)
        return;
    position(unitList(activeSheet(), list), i);
}

void frmMDIMain::mnuDurchfluss_Click()
{
    const int Zustand = shared().Zustand;
    if (Zustand < 0 || Zustand > 2)
        return;
    // The states each entry serves: bit 0 ideal gas, bit 1 liquid, bit 2 real gas or steam.
    const std::pair<Menu *, int> entries[] = {
        {&mnuM3h, 0b010},    {&mnuM3hnorm, 0b001}, {&mnuKgh, 0b111},    {&mnuLmin, 0b010},  {&mnuLminnorm, 0b001},
        {&mnuLbhr, 0b111},   {&mnuCufthr, 0b010},  {&mnuScufthr, 0b001}, {&mnuUSgpm, 0b010},
    };
    for (const auto &[entry, states] : entries)
        entry->setEnabled((states >> Zustand) & 1);
}

void frmMDIMain::mnuBara_Click() { choosePressureUnit(0); }
void frmMDIMain::mnuBarg_Click() { choosePressureUnit(1); }
void frmMDIMain::mnuPsia_Click() { choosePressureUnit(2); }
void frmMDIMain::mnuPsig_Click() { choosePressureUnit(3); }
void frmMDIMain::mnuMPaa_Click() { choosePressureUnit(4); }
void frmMDIMain::mnuMPag_Click() { choosePressureUnit(5); }
void frmMDIMain::mnukPaa_Click() { choosePressureUnit(6); }
void frmMDIMain::mnukPag_Click() { choosePressureUnit(7); }

void frmMDIMain::mnuCelsius_Click() { chooseTemperatureUnit(0); }
void frmMDIMain::mnuFahrenheit_Click() { chooseTemperatureUnit(1); }

void frmMDIMain::mnuM3h_Click() { chooseFlowUnit(-1, 0, -1); }
void frmMDIMain::mnuM3hnorm_Click() { chooseFlowUnit(0, -1, -1); }
void frmMDIMain::mnuKgh_Click() { chooseFlowUnit(1, 1, 0); }
void frmMDIMain::mnuLmin_Click() { chooseFlowUnit(-1, 2, -1); }
void frmMDIMain::mnuLminnorm_Click() { chooseFlowUnit(2, -1, -1); }
void frmMDIMain::mnuLbhr_Click() { chooseFlowUnit(3, 3, 1); }
void frmMDIMain::mnuCufthr_Click() { chooseFlowUnit(-1, 4, -1); }
void frmMDIMain::mnuScufthr_Click() { chooseFlowUnit(4, -1, -1); }
void frmMDIMain::mnuUSgpm_Click() { chooseFlowUnit(-1, 5, -1); }

void frmMDIMain::mnuKgm3_Click() { chooseUnit("cmbStoffwert1unit", 0); }
void frmMDIMain::mnuLbcuft_Click() { chooseUnit("cmbStoffwert1unit", 1); }
void frmMDIMain::mnuCst_Click() { chooseUnit("cmbStoffwert3unit", 0, true); }
void frmMDIMain::mnuCP_Click() { chooseUnit("cmbStoffwert3unit", 1, true); }
void frmMDIMain::mnuMs_Click() { chooseUnit("cmbGeschwindigkeit", 0); }
void frmMDIMain::mnuFtsec_Click() { chooseUnit("cmbGeschwindigkeit", 1); }
void frmMDIMain::mnuMM_Click() { chooseUnit("cmbDNunit", 0); }
void frmMDIMain::mnuInch_Click() { chooseUnit("cmbDNunit", 1); }
void frmMDIMain::mnuKv_Click() { chooseUnit("cmbKvUnit", 0); }
void frmMDIMain::mnuCv_Click() { chooseUnit("cmbKvUnit", 1); }
