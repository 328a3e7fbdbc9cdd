#include "sheets/sheet_common.h"

#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/texts.h"

#include <cmath>

namespace sheetcommon {

QString fluidHeader(const QString &title)
{
    const SharedData &s = shared();
    QString text = title + QStringLiteral(" / ") + getText(QStringLiteral("Medium"), s.Sprache) + QStringLiteral(": ")
                   + getText(s.NameMedium, s.Sprache) + QStringLiteral(" / ");
    const QString zustand = getText(QStringLiteral("Zustandsverhalten"), s.Sprache) + QStringLiteral(": ");
    switch (s.Zustand) {
    case 0:
        text += zustand + getText(QStringLiteral("Ideales Gas"), s.Sprache);
        break;
    case 1:
        text += zustand + getText(QStringLiteral("Flüssigkeit"), s.Sprache);
        break;
    case 2:
        text += zustand + getText(QStringLiteral("Reales Gas"), s.Sprache);
        break;
    default:
        break;
    }
    return text;
}

std::optional<std::array<double, 4>> convertedFlows(int oldUnit, int newUnit)
{
    const SharedData &s = shared();
    auto convert = [&](double q, double rho) -> std::optional<double> {
        if (q == 0)
            return 0.0;
        Variant converted;
        switch (s.Zustand) {
        case 0:
            converted = umrechnenDurchflussGas(Variant(q), oldUnit, Variant(s.rhoN), s.rhoUnit, newUnit);
            break;
        case 1:
            converted = umrechnenDurchflussFluessig(Variant(q), oldUnit, Variant(rho), s.rhoUnit, newUnit);
            break;
        case 2:
            converted = umrechnenMassenstrom(Variant(q), oldUnit, newUnit);
            break;
        default:
            return q;
        }
        const double v = converted.asNumber();
        if (converted.isEmpty() || !std::isfinite(v))
            return std::nullopt;
        return v;
    };
    const std::optional<double> flows[] = {convert(s.QMin, s.rho1Min), convert(s.QNorm, s.rho1Norm),
                                           convert(s.QMax, s.rho1Max), convert(s.Q100, s.rho1Max)};
    std::array<double, 4> result{};
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (!flows[i])
            return std::nullopt;
        result[i] = *flows[i];
    }
    return result;
}

void refuseFlowUnit(ComboBox &list, int previousUnit, bool &reverting)
{
    reverting = true;
    list.setListIndex(previousUnit);
    reverting = false;
    mainwin::setStatusText(
        getText(QStringLiteral("Durchflusseinheit ohne Dichte nicht umrechenbar!"), shared().Sprache));
    mainwin::beep();
}

void selectOption(int index, std::initializer_list<OptionButton *> options)
{
    if (index >= 0 && index < static_cast<int>(options.size()))
        options.begin()[index]->setValue(true);
}

void storeInput(const TextBox &box, double &stored, bool marksFluidData, bool loading)
{
    double value = 0.0;
    if (numtext::parse(box.text(), &value))
        stored = value;
    else
        mainwin::beep();
    // A text the sheet's own loading writes is no edit: wizard data stay as current or as stale as they were.
    if (marksFluidData && !loading)
        shared().StoffdatenAktuell = false;
    markOutOfDate();
}

void markOutOfDate()
{
    mainwin::setStatusText(getText(QStringLiteral("Berechnung nicht aktualisiert"), shared().Sprache)
                           + QStringLiteral(": TAB ->|"));
    mainwin::setResultsCurrent(false);
}

namespace {

bool switchingTogether = false;
std::function<void()> pendingRun;

} // namespace

void recalculateAfterUnitSwitch(std::function<void()> recalculate)
{
    if (switchingTogether)
        pendingRun = std::move(recalculate);
    else
        recalculate();
}

void switchUnitsTogether(const std::function<void()> &switches)
{
    {
        // Cleared also when a switch throws, so that later switches run again.
        struct Together {
            Together() { switchingTogether = true; }
            ~Together() { switchingTogether = false; }
        } together;
        pendingRun = nullptr;
        switches();
    }
    const std::function<void()> run = std::move(pendingRun);
    pendingRun = nullptr;
    if (run)
        run();
}

QStringList pipeSizes(int DNunit)
{
    static const QStringList mm = {"8",  "10", "15",  "20",  "25",  "32",  "40",  "50",  "65",
                                   "80", "100", "125", "150", "200", "250", "300", "350", "400"};
    static const QStringList inch = {"1/4\"", "3/8\"", "1/2\"", "3/4\"", "1\"", "1 1/4\"", "1 1/2\"", "2\"",
                                     "2 1/2\"", "3\"", "4\"", "5\"", "6\"", "8\"", "10\"", "12\"", "14\"", "16\""};
    if (DNunit == 0)
        return mm;
    if (DNunit == 1)
        return inch;
    return {};
}

} // namespace sheetcommon
