// The flow sheet's valve lists (size, Kvs, characteristic options) built from the series table, and its pipe lists.
#include "sheets/calc_flow.h"
#include "sheets/sheet_common.h"

#include "engine/candidate_table.h"
#include "engine/flow_recalc.h"
#include "engine/main_window_access.h"
#include "engine/recalc_common.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/held_unit_values.h"
#include "units/texts.h"

#include <optional>

namespace {

// Whether the row is of the characteristic; the value is read as the lists read it (a text throws).
bool sameCharacteristic(const FieldReader &kennlinie, int Kennlinie)
{
    const Variant k = kennlinie.checked();
    return k.isNumeric() && k.toDouble() == Kennlinie;
}

// The lists cannot offer a valve: the results stay out of date, and the status line says why.
void reportNoValve(const QString &reason)
{
    const SharedData &s = shared();
    mainwin::setStatusText(getText(QStringLiteral("Berechnung nicht aktualisiert"), s.Sprache) + QStringLiteral(": ")
                           + reason);
}

} // namespace

void FrmCalcFlow::update_frmCalcFlow_cmbDNventil(Recordset *rstKenndaten, int &Kennlinie, QString &DNVentil,
                                                 int DNunit, float &KvsCv, int Kvunit)
{
    ListeVentilbereit = false;
    const bool readable = fillValveLists(rstKenndaten, Kennlinie, DNVentil, DNunit, KvsCv, Kvunit);
    // A characteristic is offered only while the series can be read: a failed refill leaves no size to go with it.
    update_optKennlinie(readable ? rstKenndaten : nullptr);
    ListeVentilbereit = true;
}

bool FrmCalcFlow::fillValveLists(Recordset *rstKenndaten, int &Kennlinie, QString &DNVentil, int DNunit,
                                 float &KvsCv, int Kvunit)
{
    sheetcommon::markOutOfDate();
    shared().ListenFehler.reset();
    cmbDNVentil.clear();
    cmbKvsCv.clear();
    // The mark belongs to the valve the lists offer; without one there is none.
    lblReduktion.setCaption(QString());

    const QString noValve = getText(QStringLiteral("Ventil nicht in der Baureihe!"), shared().Sprache);
    if (!rstKenndaten) {
        reportNoValve(noValve);
        return false;
    }
    Recordset &rs = *rstKenndaten;
    try {
        // The sizing sheet's items: a characteristic the series lacks becomes that of the table's first row, and a
        // value its column cannot hold is the database's fault, never an item.
        const QStringList sizes = candidates::nominalSizeItems(rs, Kennlinie, DNunit);
        for (const QString &size : sizes)
            cmbDNVentil.addItem(size);
        // The stored size, else the first size not smaller than it, else the largest; the comparison is by
        // millimetres, so a stored 90 takes 100 (text order would pick the last size).
        const int sizeIndex = candidates::reselectNominalSize(sizes, DNVentil, DNunit);
        if (sizeIndex < 0) {
            reportNoValve(noValve);
            return true;
        }
        cmbDNVentil.setListIndex(sizeIndex);

        const QStringList coefficients = candidates::kvsItems(rs, Kennlinie, DNVentil, DNunit, Kvunit);
        for (const QString &c : coefficients)
            cmbKvsCv.addItem(c);
        if (coefficients.isEmpty()) {
            reportNoValve(noValve);
            return true;
        }
        // The stored Kvs, else the last (largest) of the size.
        int kvsIndex = static_cast<int>(coefficients.indexOf(candidates::kvsText(KvsCv)));
        if (kvsIndex < 0) {
            kvsIndex = static_cast<int>(coefficients.size()) - 1;
            double v = 0.0;
            KvsCv = numtext::parse(coefficients.at(kvsIndex), &v) ? static_cast<float>(v) : 0.0f;
        }
        cmbKvsCv.setListIndex(kvsIndex);

        // Reduction mark of the chosen valve; the last matching row wins.
        const FieldReader kennlinie(rs, QStringLiteral("Kennlinie"));
        const FieldReader size(rs, DNunit == 1 ? QStringLiteral("DN_Zoll") : QStringLiteral("DN"));
        const FieldReader coefficient(rs, Kvunit == 1 ? QStringLiteral("Cv") : QStringLiteral("Kvs"));
        const FieldReader reduktion(rs, QStringLiteral("REDUKTION"));
        std::optional<Variant> reduction;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (!sameCharacteristic(kennlinie, Kennlinie))
                continue;
            if (size.checked().toString().trimmed() != DNVentil.trimmed())
                continue;
            const Variant kvs = coefficient.checked();
            // Both sides in single precision: the table's value and the stored one are the same float.
            if (kvs.isNumeric() && kvs.toFloat() == KvsCv)
                reduction = reduktion.checked();
        }
        if (reduction) {
            // A row without a reduction shows no mark rather than the previous valve's.
            lblReduktion.setCaption(reduction->isNumeric()
                                        ? QStringLiteral("Red. ") + reduction->toString() + QStringLiteral(" %")
                                        : QString());
        }
    } catch (const DbError &e) {
        // Kept for the runs until a refill succeeds: none of them computes a valve the lists could not offer.
        shared().ListenFehler = e;
        reportNoValve(recalc::databaseFailure(e));
        return false;
    }
    return true;
}

void FrmCalcFlow::update_DNRohrleitung(int chkDNRohr, QString &DN1Rohr, QString &DN2Rohr, const QString &DNVentil,
                                       int DNunit)
{
    ListeRohrbereit = false;
    switch (chkDNRohr) {
    case 0:
        DN1Rohr = DNVentil;
        DN2Rohr = DNVentil;
        cmbDNRohr1.setEnabled(false);
        cmbDNRohr2.setEnabled(false);
        break;
    case 1:
        cmbDNRohr1.setEnabled(false);
        cmbDNRohr2.setEnabled(false);
        break;
    case 2:
        cmbDNRohr1.setEnabled(true);
        cmbDNRohr2.setEnabled(true);
        break;
    default:
        break;
    }
    const QStringList sizes = sheetcommon::pipeSizes(DNunit);
    for (ComboBox *list : {&cmbDNRohr1, &cmbDNRohr2}) {
        list->clear();
        for (const QString &size : sizes)
            list->addItem(size);
    }
    // The matching size, else the last entry; a size that is no entry stays stored as it is.
    auto select = [&sizes](ComboBox &list, const QString &stored) {
        int index = static_cast<int>(sizes.size()) - 1;
        for (int i = 0; i < sizes.size(); ++i) {
            if (sizes.at(i).trimmed() == stored.trimmed()) {
                index = i;
                break;
            }
        }
        list.setListIndex(index);
    };
    select(cmbDNRohr1, DN1Rohr);
    select(cmbDNRohr2, DN2Rohr);
    ListeRohrbereit = true;
}

void FrmCalcFlow::update_optKennlinie(Recordset *rstKenndaten)
{
    OptionButton *options[] = {&optLinear, &optGleichprozentig, &optAufZu};
    for (OptionButton *option : options)
        option->setEnabled(rstKenndaten != nullptr);
    if (!rstKenndaten)
        return;
    try {
        const FieldReader kennlinie(*rstKenndaten, QStringLiteral("Kennlinie"));
        for (int code = 0; code < 3; ++code) {
            bool found = false;
            for (rstKenndaten->moveFirst(); !rstKenndaten->eof() && !found; rstKenndaten->moveNext())
                found = sameCharacteristic(kennlinie, code);
            if (!found)
                options[code]->setEnabled(false);
        }
    } catch (const DbError &e) {
        // A table that cannot be read offers no characteristic.
        for (OptionButton *option : options)
            option->setEnabled(false);
        reportNoValve(recalc::databaseFailure(e));
    }
}

void FrmCalcFlow::cmbDNunit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.DNunit;
    const int newUnit = cmbDNunit.listIndex();
    s.DNunit = newUnit;
    convertNominalSizes(oldUnit, newUnit, s);
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
}

void FrmCalcFlow::cmbDNVentil_Click()
{
    if (!ListeVentilbereit)
        return;
    SharedData &s = shared();
    s.DNVentil = cmbDNVentil.text();
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
    recalculate();
}

void FrmCalcFlow::cmbKvsCv_Click()
{
    if (!ListeVentilbereit)
        return;
    SharedData &s = shared();
    double v = 0.0;
    if (numtext::parse(cmbKvsCv.text(), &v))
        s.KvsCv = static_cast<float>(v);
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    recalculate();
}

void FrmCalcFlow::cmbDNRohr1_Click()
{
    if (!ListeRohrbereit)
        return;
    shared().DN1Rohr = cmbDNRohr1.text();
    recalculate();
}

void FrmCalcFlow::cmbDNRohr2_Click()
{
    if (!ListeRohrbereit)
        return;
    shared().DN2Rohr = cmbDNRohr2.text();
    recalculate();
}
