#include "sheets/sheet_common.h"

#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "state/shared_data.h"
#include "units/texts.h"

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
    if (marksFluidData)
        shared().StoffdatenAktuell = loading;
    markOutOfDate();
}

void markOutOfDate()
{
    mainwin::setStatusText(getText(QStringLiteral("Berechnung nicht aktualisiert"), shared().Sprache)
                           + QStringLiteral(": TAB ->|"));
    mainwin::disablePrintEntries();
}

void markCurrent()
{
    mainwin::setStatusText(getText(QStringLiteral("Berechnung aktualisiert"), shared().Sprache));
    mainwin::enablePrintEntries();
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
