#pragma once

// The heat-exchanger dialog on its own: scripted desktop services, the build tree's program folder (its drawing),
// a fixed printer list and a recording print back-end, a recording sheet reload, and a steam case in the shared
// data: water heated by saturated steam in three operating points.

#include "platform/forms/scripted_ui_services.h"
#include "platform/print/print_recorder.h"
#include "platform/print/print_session.h"
#include "platform/print/printer_list.h"
#include "reports/heat_exchanger_print_dialog.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "tools/heat_exchanger.h"
#include "tools/sheet_reload.h"
#include "units/data_folder.h"

#include "../units/two_locales.h"

#include <QTest>
#include <memory>
#include <utility>
#include <vector>

namespace hxtools {

// 4 / 6 / 10 bar abs. before and 1 / 2 / 3 bar abs. after the valve; 500 / 1000 / 2000 kg of water (cp 4.18)
// heated by 40 / 60 / 80 K in 0.5 / 1 / 2 h; the power computed; a sizing sheet showing steam in kg/h.
inline void steamCase(SharedData &d)
{
    d.Sprache = 0;
    d.Modus = 0;
    d.Medium = 2;
    d.Zustand = 2;
    d.NameMedium = QStringLiteral("Wasserdampf");
    d.p1Unit = d.p2Unit = d.T1Unit = 0;
    d.Munit = 0;
    d.ZeitUnit = 2;
    d.QUnit = 0;
    d.MIN = d.NORM = true;
    d.p1Min = 4;
    d.p1Norm = 6;
    d.p1Max = 10;
    d.p2Min = 1;
    d.p2Norm = 2;
    d.p2Max = 3;
    d.Mmin = 500;
    d.Mnorm = 1000;
    d.Mmax = 2000;
    d.CpMax = 4.18;
    d.DeltaTMin = 40;
    d.DeltaTNorm = 60;
    d.DeltaTMax = 80;
    d.TaufheizMin = 0.5;
    d.TaufheizNorm = 1;
    d.TaufheizMax = 2;
    d.WTcalc = true;
    d.WTLeistungMin = 25;
    d.WTLeistungNorm = 50;
    d.WTLeistungMax = 100;
    d.PDFDrucker = QStringLiteral("PDF");
    d.StandardDrucker = QStringLiteral("Office");
}

inline TextBox &feld(frmWärmetauscher &w, const QString &name)
{
    auto *box = dynamic_cast<TextBox *>(w.control(name));
    Q_ASSERT(box);
    return *box;
}

// The caption of a label or the text of a field, by name.
inline QString gezeigt(frmWärmetauscher &w, const QString &name)
{
    Control *c = w.control(name);
    if (auto *l = dynamic_cast<Label *>(c))
        return l->caption();
    if (auto *t = dynamic_cast<TextBox *>(c))
        return t->text();
    return QStringLiteral("<no such control %1>").arg(name);
}

inline QStringList gezeigt(frmWärmetauscher &w, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << gezeigt(w, n);
    return out;
}

// Numbers in C notation as the user's locale shows them; "--" and other texts stay.
inline QStringList zahlen(const QStringList &cNotation)
{
    QStringList out;
    for (const QString &s : cNotation)
        out << testlocale::zahl(s.toLatin1().constData());
    return out;
}

// The nine controls of a column: 0 min, 1 norm, 2 max.
inline QStringList spalte(int k)
{
    const QString klein = QStringList{"min", "norm", "max"}.at(k);
    const QString gross = QStringList{"Min", "Norm", "Max"}.at(k);
    return {"txtp1" + klein, "txtp2" + klein,         "lblT1" + klein,         "txtM" + klein, "txtDeltaT" + klein,
            "txtTaufheiz" + gross, "lblVerdEnthalpie" + gross, "txtWTLeistung" + gross, "lblQ" + klein};
}

inline const QStringList kLeistungen{"txtWTLeistungMin", "txtWTLeistungNorm", "txtWTLeistungMax"};
inline const QStringList kStroeme{"lblQmin", "lblQnorm", "lblQmax"};

// A list of writes "control=text" done in order, as the user's entries; "opt:Vorgabe" and "opt:berechnet" choose
// the power option, "chk:min" and "chk:norm" click a column switch. Texts are in C notation.
inline void eingeben(frmWärmetauscher &w, const QStringList &schritte)
{
    for (const QString &schritt : schritte) {
        if (schritt == QLatin1String("opt:Vorgabe")) {
            w.optWTVorgabe.userClick();
            continue;
        }
        if (schritt == QLatin1String("opt:berechnet")) {
            w.optWTberechnet.userClick();
            continue;
        }
        if (schritt == QLatin1String("unit:F") || schritt == QLatin1String("unit:psia")) {
            const bool fahrenheit = schritt.endsWith(QLatin1Char('F'));
            (fahrenheit ? w.cmbT1unit : w.cmbP1unit).userPick(fahrenheit ? 1 : 2);
            continue;
        }
        if (schritt == QLatin1String("chk:min") || schritt == QLatin1String("chk:norm")) {
            (schritt.endsWith(QLatin1String("min")) ? w.chkMin : w.chkNorm).userClick();
            continue;
        }
        const qsizetype gleich = schritt.indexOf(QLatin1Char('='));
        const QString name = schritt.left(gleich);
        const QString text = testlocale::zahl(schritt.mid(gleich + 1).toLatin1().constData());
        if (auto *l = dynamic_cast<Label *>(w.control(name)))
            l->setCaption(text);
        else
            feld(w, name).setText(text);
    }
}

class Fixture {
public:
    ScriptedUiServices ui;
    RecordingBackEnd recorder;
    FixedPrinterList printers{QStringLiteral("Office"), {QStringLiteral("Office"), QStringLiteral("PDF")}};
    // The sheet reloads asked for: (mode unloaded, mode loaded).
    std::vector<std::pair<int, int>> sheetLoads;

    void start()
    {
        testsupport::resetProgramState();
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        steamCase(shared());
        ui.reset();
        recorder.clear();
        sheetLoads.clear();
        resetPrinterSession();
        toolhost::setSheetReload([this](int Modus) { sheetLoads.emplace_back(Modus, Modus); });
        toolhost::setSheetReplace([this](int alt, int neu) { sheetLoads.emplace_back(alt, neu); });
        uiScope_ = std::make_unique<UiServicesScope>(ui);
        backEndScope_ = std::make_unique<PrintBackEndScope>(recorder);
        printerScope_ = std::make_unique<PrinterListScope>(printers);
    }

    void stop()
    {
        frmDruck_WTauscherInstance().unload();
        frmWärmetauscherInstance().unload();
        formruntime::collect();
        toolhost::setSheetReload({});
        toolhost::setSheetReplace({});
        printerScope_.reset();
        backEndScope_.reset();
        uiScope_.reset();
        resetPrinterSession();
        testsupport::resetProgramState();
    }

    // Opens the dialog on the shared data as they are; the beeps of the load are counted apart.
    frmWärmetauscher &open()
    {
        frmWärmetauscher &w = frmWärmetauscherInstance().get();
        loadBeeps = ui.beepCount();
        return w;
    }

    int loadBeeps = 0;

private:
    std::unique_ptr<UiServicesScope> uiScope_;
    std::unique_ptr<PrintBackEndScope> backEndScope_;
    std::unique_ptr<PrinterListScope> printerScope_;
};

} // namespace hxtools
