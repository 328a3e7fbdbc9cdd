#include "fluids/medium_handover.h"

#include "engine/flow_recalc.h"
#include "engine/main_window_access.h"
#include "engine/sizing_recalc.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "units/conversions.h"

namespace handover {

void beginHandOver(const FluidUnits &dialogUnits, int Zustand, int Medium)
{
    SharedData &d = shared();
    adoptFluidUnits(dialogUnits, d);
    d.QUnit = static_cast<int>(umrechnenEinheitIndexDurchfluss(d.Zustand, Zustand, d.QUnit).toInt());
    d.Zustand = Zustand;
    d.Medium = Medium;
}

void reloadActiveSheet(const std::function<void()> &beforeRecalculation)
{
    const int Modus = shared().Modus;
    // The recalculation below is the one the user hears, not those of the loading.
    mainwin::LoadingSound sound;
    if (Modus == 0) {
        calcSizeSheet().unload();
        calcSizeSheet().get();
    } else if (Modus == 1) {
        frmCalcFlow().unload();
        frmCalcFlow().get();
    }
    if (beforeRecalculation)
        beforeRecalculation();
    if (Modus != 0)
        calcDurchfluss();
    else
        calcDimensionierung();
}

} // namespace handover
