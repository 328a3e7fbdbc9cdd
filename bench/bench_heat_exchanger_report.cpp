// Speed of the heat-exchanger printout: the page of a steam case with three operating points, the liquid data and
// the drawing, printed into the recorder and into a PDF file through Qt's PDF output. Prints the median
// milliseconds per printout. Targets: recorder 2 ms, PDF 50 ms.
// Usage: bench_heat_exchanger_report [--quick]
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/printer_list.h"
#include "reports/heat_exchanger_print_dialog.h"
#include "state/shared_data.h"
#include "support/program_state.h"

#include "common.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

namespace {

// A drawing of the window's size, 4320 x 2880 twips, as a 288 x 192 pixel picture.
class Drawing : public HeatExchangerSchematic {
public:
    Drawing() : picture_(288, 192, QImage::Format_RGB32)
    {
        picture_.fill(Qt::white);
        QPainter p(&picture_);
        p.drawRect(60, 30, 170, 130);
        for (int y = 50; y <= 140; y += 18)
            p.drawLine(80, y, 210, y + 9);
    }
    QImage schematicPicture() const override { return picture_; }
    QSize schematicSizeTwips() const override { return {4320, 2880}; }

private:
    QImage picture_;
};

void steamCase(SharedData &s)
{
    s.Benutzername = QStringLiteral("Bench");
    s.WTDruck_MIN = s.WTDruck_NORM = true;
    const char *values[][3] = {{"4", "6", "10"},           {"2.5", "4", "7"},          {"143.6", "158.8", "179.9"},
                               {"850", "1200", "1500"},     {"50", "60", "70"},          {"1", "0.5", "2"},
                               {"2133", "2086", "2015"},    {"49.48", "167.6", "244.4"}, {"83.5", "289.3", "436.6"}};
    Variant *fields[][3] = {{&s.WTDruck_p1Min, &s.WTDruck_p1Norm, &s.WTDruck_p1Max},
                            {&s.WTDruck_p2Min, &s.WTDruck_p2Norm, &s.WTDruck_p2Max},
                            {&s.WTDruck_T1Min, &s.WTDruck_T1Norm, &s.WTDruck_T1Max},
                            {&s.WTDruck_Mmin, &s.WTDruck_Mnorm, &s.WTDruck_Mmax},
                            {&s.WTDruck_DeltaTMin, &s.WTDruck_DeltaTNorm, &s.WTDruck_DeltaTMax},
                            {&s.WTDruck_TaufheizMin, &s.WTDruck_TaufheizNorm, &s.WTDruck_TaufheizMax},
                            {&s.WTDruck_rMin, &s.WTDruck_rNorm, &s.WTDruck_rMax},
                            {&s.WTDruck_WTLeistungMin, &s.WTDruck_WTLeistungNorm, &s.WTDruck_WTLeistungMax},
                            {&s.WTDruck_QMin, &s.WTDruck_QNorm, &s.WTDruck_QMax}};
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 3; ++column)
            *fields[row][column] = Variant(QString::fromLatin1(values[row][column]));
    s.WTDruck_Cp = Variant(QStringLiteral("4.19"));
    s.WTDruck_p2Unit = 1;
    s.WTDruck_ZeitUnit = 2;
    s.WTDruck_WTcalc = Variant(true);
    bench::printHeader(s, QStringLiteral("Dampf-Wärmetauscher Warmwasserbereitung, Übergabestation Nord"));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = bench::quick(argc, argv) ? 3 : 51;

    QTemporaryDir dir;
    ScriptedUiServices ui;
    UiServicesScope services(ui);
    FixedPrinterList printers(QStringLiteral("Office"), {QStringLiteral("Office"), QStringLiteral("PDF")});
    PrinterListScope printerScope(printers);
    Drawing drawing;
    try {
        testsupport::openShippedTexts();
        steamCase(shared());
        frmDruck_WTauscher dialog;
        dialog.load();
        dialog.setSchematic(&drawing);

        bench::PrintoutTimes t;
        if (!bench::timePrintout(
                ui, dir.filePath(QStringLiteral("bench.pdf")), rounds, [&] { dialog.druck_WTauscher(); },
                [&] { return dialog.lastPrintResult().status == PrintStatus::Printed; },
                "bench_heat_exchanger_report", t))
            return 1;
        std::printf("heat-exchanger printout, steam, three points, into the recorder: median %.2f ms (%zu texts, %d "
                    "runs)\n",
                    t.recorderMs, t.texts, rounds);
        std::printf("heat-exchanger printout, steam, three points, into a PDF file:   median %.2f ms (%d runs)\n",
                    t.pdfMs, rounds);
        dialog.unload();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_heat_exchanger_report: %s\n", e.what());
        return 1;
    }
    testsupport::closeShippedTexts();
    testsupport::resetProgramState();
    return 0;
}
