#pragma once

#include "platform/core/variant.h"
#include "platform/forms/table_curve_display.h"
#include "platform/workbook/xlsx_writer.h"
#include "tools/characteristic_data.h"

#include <QString>

// Shows one curve of the current valve ("Kv", "Cv", "FL" or "xT"; anything else shows nothing): writes the
// characteristic workbook to a temporary file and hands it to the desktop's spreadsheet program; when no program
// takes it, the characteristic window shows the same curve with a button that saves the workbook. A workbook that
// cannot be written is reported with its file name. The program's own data are never changed.
void show_Kenndaten_Excel(const Variant &Art);

namespace kenndaten {

// The workbook: "Parameter" with the 18 cells in column B, and the sheets "Kv", "Cv", "FL", "xT", each with the
// heading, the curve at the openings 0, 10, ..., 100 % as formulas on "Parameter" (with their computed values)
// and a smooth scatter chart. The requested sheet is active; the others and "Parameter" are hidden.
xlsx::Workbook arbeitsmappe(const Parameter &p, Kurve k);

// The characteristic window's content: rows 2 to 6 as heading, the curve at 0, 10, ..., 100 % in four
// significant digits (Kv and Cv with their ratio to Kvs or Cv), the curve itself, and the button that saves
// the workbook (save, when given).
TableCurve anzeige(const Parameter &p, Kurve k, std::function<void()> save = {});

// Asks for a file and writes the workbook there. A name without the extension gets ".xlsx", and an existing file
// is only replaced after the question; a failure is reported naming the file. True when the workbook was written.
bool arbeitsmappeSpeichern(const xlsx::Workbook &book);

} // namespace kenndaten
