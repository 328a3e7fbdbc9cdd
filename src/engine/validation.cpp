#include "engine/validation.h"

#include "engine/main_window_access.h"
#include "engine/sizing_sheet_access.h"
#include "platform/core/number_text.h"
#include "platform/core/variant.h"
#include "platform/forms/text_box.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/physical_limits.h"
#include "units/texts.h"

namespace validation {

bool isNumericText(const QString &text)
{
    double value = 0.0;
    return numtext::parse(text, &value);
}

double pressureBarAbs(const QString &text, int unit)
{
    return umrechnenDruck(Variant(text), unit, 0);
}

bool aboveAbsoluteZero(const QString &text, int T1Unit)
{
    double value = 0.0;
    if (!numtext::parse(text, &value))
        return false;
    return physical::isAboveAbsoluteZero(value, T1Unit);
}

bool fluidDataStale(bool sizingSheet)
{
    const SharedData &s = shared();
    if (s.Medium != 5 && s.Medium != 6)
        return false;
    // A sizing column the wizard did not compute holds the max column's data, those of another point.
    return !s.StoffdatenAktuell ||
           (sizingSheet && ((s.MIN && !s.StoffdatenMin) || (s.NORM && !s.StoffdatenNorm)));
}

void reportMessage(const QString &key)
{
    mainwin::setStatusText(getText(key, shared().Sprache));
}

void prefixFailure()
{
    mainwin::setStatusText(getText("Berechnung nicht aktualisiert", shared().Sprache) + ": " +
                           mainwin::statusText());
}

} // namespace validation

bool checkEingabeDimensionierung()
{
    using namespace validation;
    SharedData &s = shared();
    SizingSheetAccess *sheet = activeSizingSheet();
    if (!sheet)
        return false;

    auto textOf = [](const TextBox *box) { return box ? box->text() : QString(); };
    // A box that cannot take the focus (a hidden column) keeps it where it is.
    auto focus = [](TextBox *box) {
        if (box)
            box->setFocus();
    };

    bool ok = true;
    auto fail = [&ok](const char *key) {
        reportMessage(QString::fromUtf8(key));
        ok = false;
    };

    // Every column's boxes count, active or not.
    struct Field {
        TextBox *box;
        const char *message;
    };
    const Field fields[] = {
        {sheet->txtp1min, "Kein numerischer Wert!"},   {sheet->txtp2min, "Kein numerischer Wert!"},
        {sheet->txtT1min, "Kein numerischer Wert!"},   {sheet->txtQmin, "Kein numerischer Wert!"},
        {sheet->txtp1norm, "Kein numerischer Wert!"},  {sheet->txtp2norm, "Kein numerischer Wert!"},
        {sheet->txtT1norm, "Kein numerischer Wert!"},  {sheet->txtQnorm, "Kein numerischer Wert!"},
        {sheet->txtp1max, "Kein numerischer Wert!!"},  {sheet->txtp2max, "Kein numerischer Wert!!"},
        {sheet->txtT1max, "Kein numerischer Wert!!"},  {sheet->txtQmax, "Kein numerischer Wert!!"},
    };
    for (const Field &field : fields) {
        if (!isNumericText(textOf(field.box))) {
            fail(field.message);
            focus(field.box);
            break;
        }
    }

    if (ok) {
        for (TextBox *box : {sheet->txtT1min, sheet->txtT1norm, sheet->txtT1max}) {
            if (!aboveAbsoluteZero(textOf(box), s.T1Unit)) {
                fail("Temperaturwert unzulässig!");
                focus(box);
                break;
            }
        }
    }

    if (ok) {
        const double p1[3] = {pressureBarAbs(textOf(sheet->txtp1min), s.p1Unit),
                              pressureBarAbs(textOf(sheet->txtp1norm), s.p1Unit),
                              pressureBarAbs(textOf(sheet->txtp1max), s.p1Unit)};
        const double p2[3] = {pressureBarAbs(textOf(sheet->txtp2min), s.p2Unit),
                              pressureBarAbs(textOf(sheet->txtp2norm), s.p2Unit),
                              pressureBarAbs(textOf(sheet->txtp2max), s.p2Unit)};
        bool positive = true;
        for (int i = 0; i < 3; ++i)
            positive = positive && p1[i] > 0 && p2[i] > 0;
        if (!positive)
            fail("Druckwert unzulässig!");
        else if (p1[0] - p2[0] <= 0 || p1[1] - p2[1] <= 0 || p1[2] - p2[2] <= 0)
            fail("Druckwert unzulässig!");
    }

    // A flow below zero at an active point is no flow a valve can be sized for, in order or not; 0 passes.
    if (ok) {
        struct Flow {
            bool active;
            double Q;
            TextBox *box;
        };
        for (const Flow &flow : {Flow{s.MIN, s.QMin, sheet->txtQmin}, Flow{s.NORM, s.QNorm, sheet->txtQnorm},
                                 Flow{true, s.QMax, sheet->txtQmax}}) {
            if (flow.active && flow.Q < 0) {
                fail("Mengenangabe unzulässig!");
                focus(flow.box);
                break;
            }
        }
    }

    if (ok) {
        bool ordered = true;
        if (s.MIN && s.NORM)
            ordered = s.QMax >= s.QNorm && s.QMax >= s.QMin && s.QNorm >= s.QMin;
        else if (s.MIN)
            ordered = s.QMax >= s.QMin;
        else if (s.NORM)
            ordered = s.QMax >= s.QNorm;
        if (!ordered)
            fail("Mengenangabe unzulässig!");
    }

    if (ok && fluidDataStale(true))
        fail("Stoffdaten nicht aktuell!");

    if (!ok)
        prefixFailure();
    return ok;
}
