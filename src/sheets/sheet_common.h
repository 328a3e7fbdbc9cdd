#pragma once

// What the sizing sheet and the flow sheet do alike: block titles, unit lists, option groups, the marking of the
// results as current or not, and the pipe sizes.

#include "platform/core/variant.h"
#include "platform/forms/buttons.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/text_box.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

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

// What an input box does on Change: stores a numeric text (else beeps), copies the sheet's loading flag into
// StoffdatenAktuell for the boxes whose value the fluid data depend on, and marks the results out of date.
void storeInput(const TextBox &box, double &stored, bool marksFluidData, bool loading);

// The status line and the print entries after an input changed (not current: "TAB ->|") and after a change
// that leaves the results current.
void markOutOfDate();
void markCurrent();

// The 18 pipe sizes in millimetres (DNunit 0) or inches (1); empty for any other unit.
QStringList pipeSizes(int DNunit);

} // namespace sheetcommon
