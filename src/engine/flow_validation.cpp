#include "engine/flow_validation.h"

#include "engine/flow_sheet_access.h"
#include "engine/validation.h"
#include "platform/core/number_text.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/text_box.h"
#include "state/shared_data.h"

bool checkEingabeDurchfluss()
{
    using namespace validation;
    SharedData &s = shared();
    FlowSheetAccess *sheet = activeFlowSheet();
    if (!sheet)
        return false;

    auto textOf = [](const TextBox *box) { return box ? box->text() : QString(); };

    bool ok = true;
    // A field that cannot take the focus now (the sheet still loading, hidden) leaves it where it is.
    auto fail = [&ok](const QString &key, Control *field) {
        reportMessage(key);
        ok = false;
        if (field)
            field->setFocus();
    };

    for (TextBox *box : {sheet->txtp1max, sheet->txtp2max, sheet->txtT1max}) {
        if (!isNumericText(textOf(box)))
            fail(QStringLiteral("Kein numerischer Wert!"), box);
    }

    if (isNumericText(textOf(sheet->txtT1max)) && !aboveAbsoluteZero(textOf(sheet->txtT1max), s.T1Unit))
        fail(QStringLiteral("Temperaturwert unzulässig!"), sheet->txtT1max);

    double percent = 0.0;
    const QString openingText = sheet->cmbYmax ? sheet->cmbYmax->text() : QString();
    if (!numtext::parse(openingText, &percent)) {
        fail(QStringLiteral("Kein numerischer Wert!"), sheet->cmbYmax);
    } else {
        s.yMax = percent / 100;
        if (s.yMax < 0 || s.yMax > 1)
            fail(QStringLiteral("Unzulässige Ventilöffnung!"), sheet->cmbYmax);
    }

    const double p1 = pressureBarAbs(textOf(sheet->txtp1max), s.p1Unit);
    const double p2 = pressureBarAbs(textOf(sheet->txtp2max), s.p2Unit);
    if (p1 - p2 <= 0)
        fail(QStringLiteral("Druckwert unzulässig!"), nullptr);
    if (p1 <= 0)
        fail(QStringLiteral("Druckwert unzulässig!"), sheet->txtp1max);
    if (p2 <= 0)
        fail(QStringLiteral("Druckwert unzulässig!"), sheet->txtp2max);

    if (fluidDataStale(false))
        fail(QStringLiteral("Stoffdaten nicht aktuell!"), nullptr);

    if (!ok)
        prefixFailure();
    return ok;
}
