#pragma once

// What the sizing sheet and the flow sheet do alike: block titles, unit lists, option groups, the marking of the
// results as current or not, and the pipe sizes.

#include "platform/core/variant.h"
#include "platform/forms/buttons.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/text_box.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>

namespace sheetcommon {

// The title of the process block and of the fluid section: the title, the medium (its name looked up, so a name
// of the language table shows translated) and the fluid state.
QString fluidHeader(const QString &title);

// Clears a unit list, adds the entries 0..last of its unit names and positions it at index, which runs its Click
// handler (an index outside the list positions nothing).
template <typename Names>
void fillUnitList(ComboBox &list, Names names, int last, int index)
{
    list.clear();
    for (int i = 0; i <= last; ++i)
        list.addItem(names(Variant(i)));
    list.setListIndex(index);
}

// Selects the option of a group at index, which runs its Click handler; any other index selects nothing.
void selectOption(int index, std::initializer_list<OptionButton *> options);

// What an input box does on Change: stores a numeric text (else beeps), makes the fluid data stale when a box
// whose value they depend on changes outside the sheet's loading, and marks the results out of date.
void storeInput(const TextBox &box, double &stored, bool marksFluidData, bool loading);

// The status line and the print entries after an input changed: not current, "TAB ->|".
void markOutOfDate();

// A unit switch of p1, p2 or T1 rewrites the boxes with values rounded to four digits (T1 to one decimal), which
// the last run did not compute: the switch ends with a run over what the boxes show, at once, or inside
// switchUnitsTogether once all its switches are done.
void recalculateAfterUnitSwitch(std::function<void()> recalculate);

// The units menu switches p1 and p2 together: one run after both, not one in between.
void switchUnitsTogether(const std::function<void()> &switches);

// QMin, QNorm, QMax and Q100 converted to another flow unit of the fluid state (a state without a flow list keeps
// them). Nothing when a conversion has no result, a mass and a volume flow without the point's density: the
// stored flows must then stay as they are. A flow of 0 is 0 in every unit.
std::optional<std::array<double, 4>> convertedFlows(int oldUnit, int newUnit);

// A flow-unit switch that could not convert: the list goes back to the previous unit, with reverting set
// meanwhile so that the list's Click handler leaves it alone; the reason goes to the status line, with a beep.
void refuseFlowUnit(ComboBox &list, int previousUnit, bool &reverting);

// The 18 pipe sizes in millimetres (DNunit 0) or inches (1); empty for any other unit.
QStringList pipeSizes(int DNunit);

} // namespace sheetcommon
