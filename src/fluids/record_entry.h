#pragma once

#include "platform/db/database.h"
#include "platform/forms/text_box.h"

#include <functional>
#include <vector>

// The entry of a record in a dialog that edits a table of the fluid database: what the substance lists and the
// fluid-data wizard do alike.
namespace recordentry {

// Drops a new or edited record that was not stored (nothing when there is none).
void abandon(Recordset *rs);

// Starts a new record, a pending one abandoned first; false, the user told, when the table refuses.
bool startNew(Recordset &rs);

// Whether a field's number is physically possible (it is a number of a sensible size already).
using NumberRule = std::function<bool(const TextBox &field, double value)>;

// Every field is checked before anything is stored: an empty or blank name, a field that holds no number, one whose
// number is not of a sensible size, or one that `possible` refuses, beeps and takes the focus (the first such
// field); false then.
bool fieldsReady(TextBox &name, const std::vector<TextBox *> &numbers, const NumberRule &possible = {});

// Lets `write` fill the pending record and stores it. A refusal is told (a duplicate name by its own message) and
// leaves the record pending with the fields as typed, so that the entry can be corrected; false then.
bool store(Recordset &rs, const std::function<void(Recordset &)> &write);

} // namespace recordentry
