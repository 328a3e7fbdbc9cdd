#pragma once

// The heat-exchanger print dialog and printout on the recorder: the print dialog's fixture (scripted services,
// printers, texts, a fixed date), a steam case written into the print variables as the heat-exchanger window
// shows its fields (texts in the user's number format), and a drawing of its own in place of the window's.

#include "report_fixture.h"

#include "reports/heat_exchanger_print_dialog.h"

#include <QPainter>
#include <array>

namespace hxfixture {

using reportfixture::z;

// Water heated by saturated steam: three operating points, the liquid data given, the power computed from them.
inline void steamCase(SharedData &s)
{
    s.Sprache = 0;
    s.Benutzername = QStringLiteral("Tester");
    s.WTDruck_MIN = s.WTDruck_NORM = true;
    const std::pair<std::array<Variant *, 3>, std::array<const char *, 3>> columns[] = {
        {{&s.WTDruck_p1Min, &s.WTDruck_p1Norm, &s.WTDruck_p1Max}, {"4", "6.0", "10.00"}},
        {{&s.WTDruck_p2Min, &s.WTDruck_p2Norm, &s.WTDruck_p2Max}, {"2.5", "4", "7"}},
        {{&s.WTDruck_T1Min, &s.WTDruck_T1Norm, &s.WTDruck_T1Max}, {"143.6", "158.8", "179.88"}},
        {{&s.WTDruck_Mmin, &s.WTDruck_Mnorm, &s.WTDruck_Mmax}, {"850.5", "1200", "12.345"}},
        {{&s.WTDruck_DeltaTMin, &s.WTDruck_DeltaTNorm, &s.WTDruck_DeltaTMax}, {"50", "60.04", "0.5"}},
        {{&s.WTDruck_TaufheizMin, &s.WTDruck_TaufheizNorm, &s.WTDruck_TaufheizMax}, {"1", "0.5", "2.4"}},
        {{&s.WTDruck_rMin, &s.WTDruck_rNorm, &s.WTDruck_rMax}, {"2133.4", "2086.0", "2015.3"}},
        {{&s.WTDruck_WTLeistungMin, &s.WTDruck_WTLeistungNorm, &s.WTDruck_WTLeistungMax}, {"49.48", "167.6", "0.1234"}},
        {{&s.WTDruck_QMin, &s.WTDruck_QNorm, &s.WTDruck_QMax}, {"83.5", "289.26", "1234.6"}}};
    for (const auto &[fields, texts] : columns)
        for (int k = 0; k < 3; ++k)
            *fields[k] = Variant(z(texts[k]));
    s.WTDruck_Cp = z("4.19");
    // bar,abs., bar,ü., °C, kg, h, kg/h
    s.WTDruck_p1Unit = 0;
    s.WTDruck_p2Unit = 1;
    s.WTDruck_T1Unit = s.WTDruck_Munit = s.WTDruck_QUnit = 0;
    s.WTDruck_ZeitUnit = 2;
    s.WTDruck_WTcalc = Variant(true);
}

// A drawing of the exchanger's size in the window: 4320 x 2880 twips, 76.2 x 50.8 mm.
class Drawing : public HeatExchangerSchematic {
public:
    QSize twips{4320, 2880};
    QImage picture;

    Drawing() : picture(288, 192, QImage::Format_RGB32)
    {
        picture.fill(Qt::white);
        QPainter p(&picture);
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(60, 30, 170, 130);                  // the vessel
        p.drawLine(10, 60, 60, 60);                    // steam in
        p.drawLine(230, 140, 278, 140);                // condensate out
        for (int y = 50; y <= 140; y += 18)            // the coil
            p.drawLine(80, y, 210, y + 9);
    }
    QImage schematicPicture() const override { return picture; }
    QSize schematicSizeTwips() const override { return twips; }
};

class Fixture : public reportfixture::Fixture {
public:
    Drawing drawing;

    Fixture() { steamCase(shared()); }
    ~Fixture()
    {
        frmDruck_WTauscherInstance().unload();
        formruntime::collect();
    }

    frmDruck_WTauscher &openDialog()
    {
        frmDruck_WTauscher &f = frmDruck_WTauscherInstance().get();
        f.setSchematic(&drawing);
        return f;
    }

    // Opens the dialog, lets `fill` set its fields, presses OK and hands back the page printed.
    const RecordedDocument &printHx(const std::function<void(frmDruck_WTauscher &)> &fill = {})
    {
        frmDruck_WTauscher &f = openDialog();
        if (fill)
            fill(f);
        f.cmdOK.press();
        formruntime::collect();
        return recorder.last();
    }
};

} // namespace hxfixture
