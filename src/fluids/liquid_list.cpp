#include "fluids/liquid_list.h"

#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <cmath>

namespace {

int unitOf(const Recordset &rs, const char *column)
{
    return static_cast<int>(rs.field(QString::fromLatin1(column)).toInt());
}

bool unitWithin(const Recordset &rs, const char *column, int last)
{
    const Variant v = rs.field(QString::fromLatin1(column));
    if (!v.isNumeric())
        return false;
    const double unit = v.toDouble();
    return unit == std::floor(unit) && unit >= 0 && unit <= last;
}

// The reference temperature in the shared temperature unit as the whole number the sheets hold; a half goes to
// the even neighbour.
Variant referenceTemperature(const Recordset &rs, int TUnit)
{
    return Variant(umrechnenTemperatur(rs.field(QStringLiteral("TBEZUG")), unitOf(rs, "TUNIT"), TUnit)).toInt();
}

} // namespace

frmFlüssigkeit::frmFlüssigkeit()
    : SubstanceListForm(QStringLiteral("frmFlüssigkeit"), QStringLiteral("Flüssigkeiten"))
{
    move(0, 0, 6945, 5640);
    bezTBezug.move(3600, 1050, 3165, 255);
    txtTBezug.move(3600, 1305, 1455, 285);
    T_unit.move(5160, 1305, 1605, 315);
    bezRho.move(3600, 1680, 3165, 255);
    txtrho.move(3600, 1935, 1455, 285);
    rho_unit.move(5160, 1935, 1605, 315);
    bezDampfdruck.move(3600, 2310, 3165, 255);
    txtpsat.move(3600, 2565, 1455, 285);
    p_unit.move(5160, 2565, 1605, 315);
    bezKritDruck.move(3600, 2940, 3165, 255);
    txtpkrit.move(3600, 3195, 1455, 285);
    bezViskosität.move(3600, 3570, 3165, 255);
    txtnue.move(3600, 3825, 1455, 285);
    nue_unit.move(5160, 3825, 1605, 315);
    for (ComboBox *list : {&T_unit, &rho_unit, &p_unit, &nue_unit})
        list->setStyle(ComboBox::Style::DropdownList);
    placeCommonControls(4155, 4200, 4740,
                        {&txtTBezug, &T_unit, &txtrho, &rho_unit, &txtpsat, &p_unit, &txtpkrit, &txtnue, &nue_unit});

    connectCommonHandlers();
    rho_unit.Click = [this] { rho_unit_Click(); };
    p_unit.Click = [this] { p_unit_Click(); };
    T_unit.Click = [this] { T_unit_Click(); };
    nue_unit.Click = [this] { nue_unit_Click(); };
}

QString frmFlüssigkeit::itemName(const QString &item)
{
    const qsizetype at = item.lastIndexOf(QStringLiteral(" @ "));
    return at < 0 ? item : item.left(at);
}

QString frmFlüssigkeit::windowCaptionKey() const
{
    return QStringLiteral("Stoffwerte für Flüssigkeiten");
}

void frmFlüssigkeit::setFieldCaptions(int Sprache)
{
    bezTBezug.setCaption(getText(QStringLiteral("Bezugstemperatur"), Sprache));
    bezRho.setCaption(getText(QStringLiteral("Dichte"), Sprache));
    bezDampfdruck.setCaption(getText(QStringLiteral("Dampfdruck"), Sprache));
    bezKritDruck.setCaption(getText(QStringLiteral("krit. Druck"), Sprache));
    bezViskosität.setCaption(getText(QStringLiteral("Viskosität"), Sprache));
}

QStringList frmFlüssigkeit::columns() const
{
    return {QStringLiteral("SUBSTANZ"), QStringLiteral("RHO"),    QStringLiteral("RHOUNIT"), QStringLiteral("PSAT"),
            QStringLiteral("PKRIT"),    QStringLiteral("PUNIT"),  QStringLiteral("NUE"),     QStringLiteral("NUEUNIT"),
            QStringLiteral("TBEZUG"),   QStringLiteral("TUNIT")};
}

QStringList frmFlüssigkeit::handOverColumns() const
{
    return {QStringLiteral("RHO"), QStringLiteral("RHOUNIT"), QStringLiteral("PSAT"),    QStringLiteral("PKRIT"),
            QStringLiteral("PUNIT"), QStringLiteral("NUE"),   QStringLiteral("NUEUNIT"), QStringLiteral("TBEZUG"),
            QStringLiteral("TUNIT")};
}

std::optional<QString> frmFlüssigkeit::itemText(const Recordset &rs) const
{
    const Variant substanz = rs.field(QStringLiteral("SUBSTANZ"));
    const Variant tunit = rs.field(QStringLiteral("TUNIT"));
    if (substanz.isNull() || !tunit.isNumeric() || (tunit.toDouble() != 0 && tunit.toDouble() != 1))
        return std::nullopt;
    // "Wasser @ 20°C": the unit follows the number without a blank.
    return substanz.toString() + QStringLiteral(" @ ") + rs.field(QStringLiteral("TBEZUG")).toString() +
           EinheitTemperatur(tunit);
}

void frmFlüssigkeit::fillUnitLists()
{
    rho_unit.clear();
    for (int i = 0; i <= 1; ++i)
        rho_unit.addItem(EinheitDichte(Variant(i)));
    rho_unit.setListIndex(units_.rhoUnit);
    p_unit.clear();
    for (int i = 0; i <= 7; ++i)
        p_unit.addItem(EinheitDruck(Variant(i)));
    p_unit.setListIndex(units_.pUnit);
    T_unit.clear();
    for (int i = 0; i <= 1; ++i)
        T_unit.addItem(EinheitTemperatur(Variant(i)));
    T_unit.setListIndex(units_.TUnit);
    nue_unit.clear();
    for (int i = 0; i <= 1; ++i)
        nue_unit.addItem(EinheitViskositaet(Variant(i)));
    nue_unit.setListIndex(units_.nueUnit);
}

void frmFlüssigkeit::setUnitLists()
{
    rho_unit.setListIndex(units_.rhoUnit);
    p_unit.setListIndex(units_.pUnit);
    nue_unit.setListIndex(units_.nueUnit);
    T_unit.setListIndex(units_.TUnit);
}

void frmFlüssigkeit::showRecord(const Recordset &rs)
{
    txtMedium.setText(rs.field(QStringLiteral("SUBSTANZ")).toString());
    txtrho.setText(
        formatZahl4(umrechnenDichte(rs.field(QStringLiteral("RHO")), unitOf(rs, "RHOUNIT"), units_.rhoUnit))
            .toString());
    txtpsat.setText(
        formatZahl4(Variant(umrechnenDruck(rs.field(QStringLiteral("PSAT")), unitOf(rs, "PUNIT"), units_.pUnit)))
            .toString());
    txtpkrit.setText(
        formatZahl4(Variant(umrechnenDruck(rs.field(QStringLiteral("PKRIT")), unitOf(rs, "PUNIT"), units_.pUnit)))
            .toString());
    // Kinematic and dynamic viscosity differ by the density just shown, in the dialog's density unit.
    txtnue.setText(formatZahl4(umrechnenViskositaet(rs.field(QStringLiteral("NUE")), unitOf(rs, "NUEUNIT"),
                                                    Variant(txtrho.text()), units_.rhoUnit, units_.nueUnit))
                       .toString());
    txtTBezug.setText(formatZahl4(Variant(umrechnenTemperatur(rs.field(QStringLiteral("TBEZUG")),
                                                              unitOf(rs, "TUNIT"), units_.TUnit)))
                          .toString());
    setUnitLists();
}

void frmFlüssigkeit::writeDefaults()
{
    const FluidUnits &u = units_;
    txtrho.setText(u.rhoUnit == 0 ? Variant(1000).toString()
                                  : umrechnenDichte(Variant(1000), 0, u.rhoUnit).toString());
    txtpsat.setText(Variant(u.pUnit == 0 ? 0.0 : umrechnenDruck(Variant(0), 0, u.pUnit)).toString());
    txtpkrit.setText(Variant(u.pUnit == 0 ? 221.1 : umrechnenDruck(Variant(221.1), 0, u.pUnit)).toString());
    // Through the density default just written.
    txtnue.setText(u.nueUnit == 0
                       ? Variant(1).toString()
                       : umrechnenViskositaet(Variant(1), 0, Variant(txtrho.text()), u.rhoUnit, u.nueUnit).toString());
    txtTBezug.setText(Variant(u.TUnit == 0 ? 20.0 : umrechnenTemperatur(Variant(20), 0, u.TUnit)).toString());
    setUnitLists();
}

void frmFlüssigkeit::writeRecord(Recordset &rs)
{
    rs.setField(QStringLiteral("RHO"), Variant(txtrho.text()));
    rs.setField(QStringLiteral("PSAT"), Variant(txtpsat.text()));
    rs.setField(QStringLiteral("PKRIT"), Variant(txtpkrit.text()));
    rs.setField(QStringLiteral("NUE"), Variant(txtnue.text()));
    rs.setField(QStringLiteral("TBEZUG"), Variant(txtTBezug.text()));
    rs.setField(QStringLiteral("RHOUNIT"), Variant(rho_unit.listIndex()));
    rs.setField(QStringLiteral("PUNIT"), Variant(p_unit.listIndex()));
    rs.setField(QStringLiteral("NUEUNIT"), Variant(nue_unit.listIndex()));
    rs.setField(QStringLiteral("TUNIT"), Variant(T_unit.listIndex()));
}

bool frmFlüssigkeit::recordHandOverPossible(const Recordset &rs) const
{
    if (!unitWithin(rs, "RHOUNIT", 1) || !unitWithin(rs, "PUNIT", 7) || !unitWithin(rs, "NUEUNIT", 1) ||
        !unitWithin(rs, "TUNIT", 1))
        return false;
    auto number = [&rs](const char *column) { return rs.field(QString::fromLatin1(column)).toDouble(); };
    const int PUNIT = unitOf(rs, "PUNIT");
    // A liquid stored with impossible data (by another tool) is not handed on.
    if (!physical::isValidDensity(number("RHO")) || !physical::isValidVapourPressure(number("PSAT"), PUNIT) ||
        !physical::isValidCriticalPressure(number("PKRIT"), PUNIT) || !physical::isValidViscosity(number("NUE")) ||
        !physical::isAboveAbsoluteZero(number("TBEZUG"), unitOf(rs, "TUNIT")))
        return false;
    // The sheets hold the reference temperature as a 16-bit whole number.
    const double t = umrechnenTemperatur(rs.field(QStringLiteral("TBEZUG")), unitOf(rs, "TUNIT"), units_.TUnit);
    return std::isfinite(t) && t > -32768.5 && t < 32767.5;
}

bool frmFlüssigkeit::numberPossible(const TextBox &field, double value) const
{
    if (&field == &txtrho)
        return physical::isValidDensity(value);
    if (&field == &txtpsat)
        return physical::isValidVapourPressure(value, units_.pUnit);
    if (&field == &txtpkrit)
        return physical::isValidCriticalPressure(value, units_.pUnit);
    if (&field == &txtnue)
        return physical::isValidViscosity(value);
    if (&field == &txtTBezug)
        return physical::isAboveAbsoluteZero(value, units_.TUnit);
    return true;
}

void frmFlüssigkeit::handOverRecord(const Recordset &rs)
{
    SharedData &d = shared();
    const Variant RHO = rs.field(QStringLiteral("RHO"));
    const int RHOUNIT = unitOf(rs, "RHOUNIT");
    const int PUNIT = unitOf(rs, "PUNIT");

    d.rho1Min = umrechnenDichte(RHO, RHOUNIT, d.rhoUnit).asNumber();
    d.rho1Norm = d.rho1Min;
    d.rho1Max = d.rho1Min;
    d.psatMin = umrechnenDruck(rs.field(QStringLiteral("PSAT")), PUNIT, d.pUnit);
    d.psatNorm = d.psatMin;
    d.psatMax = d.psatMin;
    d.pkrit = umrechnenDruck(rs.field(QStringLiteral("PKRIT")), PUNIT, d.pUnit);
    // Here the record's own density serves the conversion.
    d.nueMin = umrechnenViskositaet(rs.field(QStringLiteral("NUE")), unitOf(rs, "NUEUNIT"), RHO, RHOUNIT, d.nueUnit)
                   .asNumber();
    d.nueNorm = d.nueMin;
    d.nueMax = d.nueMin;
    d.TBezugFlüssigkeit = static_cast<int>(referenceTemperature(rs, d.TUnit).toInt());
    d.T1Min = umrechnenTemperatur(Variant(d.TBezugFlüssigkeit), d.TUnit, d.T1Unit);
    d.T1Norm = d.T1Min;
    d.T1Max = d.T1Min;
}

void frmFlüssigkeit::rho_unit_Click()
{
    const int neu = rho_unit.listIndex();
    if (neu < 0)
        return;
    txtrho.setText(formatZahl4(umrechnenDichte(Variant(txtrho.text()), units_.rhoUnit, neu)).toString());
    units_.rhoUnit = neu;
}

void frmFlüssigkeit::p_unit_Click()
{
    const int neu = p_unit.listIndex();
    if (neu < 0)
        return;
    txtpsat.setText(formatZahl4(Variant(umrechnenDruck(Variant(txtpsat.text()), units_.pUnit, neu))).toString());
    txtpkrit.setText(formatZahl4(Variant(umrechnenDruck(Variant(txtpkrit.text()), units_.pUnit, neu))).toString());
    units_.pUnit = neu;
}

void frmFlüssigkeit::T_unit_Click()
{
    const int neu = T_unit.listIndex();
    if (neu < 0)
        return;
    txtTBezug.setText(
        formatZahl4(Variant(umrechnenTemperatur(Variant(txtTBezug.text()), units_.TUnit, neu))).toString());
    units_.TUnit = neu;
}

void frmFlüssigkeit::nue_unit_Click()
{
    const int neu = nue_unit.listIndex();
    if (neu < 0)
        return;
    txtnue.setText(formatZahl4(umrechnenViskositaet(Variant(txtnue.text()), units_.nueUnit, Variant(txtrho.text()),
                                                    units_.rhoUnit, neu))
                       .toString());
    units_.nueUnit = neu;
}

DefaultInstance<frmFlüssigkeit> &frmFlüssigkeitInstance()
{
    static DefaultInstance<frmFlüssigkeit> instance;
    return instance;
}

void showLiquidList()
{
    frmFlüssigkeit &dialog = frmFlüssigkeitInstance().get();
    if (!dialog.databaseOpen()) {
        frmFlüssigkeitInstance().unload();
        return;
    }
    dialog.centerOnScreen();
    dialog.showModal();
}
