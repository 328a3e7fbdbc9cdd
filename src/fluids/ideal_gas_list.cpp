#include "fluids/ideal_gas_list.h"

#include "fluids/fluid_database.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"
#include "units/unit_lists.h"

frmIdealesGas::frmIdealesGas() : SubstanceListForm(QStringLiteral("frmIdealesGas"), QStringLiteral("IdealeGase"))
{
    move(0, 0, 6945, 4860);
    bezKappa.move(3600, 1095, 3165, 255);
    txtKappa.move(3600, 1350, 1455, 285);
    bezRhon.move(3600, 1770, 3165, 255);
    txtRhon.move(3600, 2025, 1455, 285);
    rho_unit.move(5160, 2025, 1605, 315);
    rho_unit.setStyle(ComboBox::Style::DropdownList);
    placeCommonControls(3375, 2580, 3960, {&txtKappa, &txtRhon, &rho_unit});

    connectCommonHandlers();
    rho_unit.Click = [this] { rho_unit_Click(); };
}

QString frmIdealesGas::windowCaptionKey() const
{
    return QStringLiteral("Stoffwerte für Ideale Gase");
}

void frmIdealesGas::setFieldCaptions(int Sprache)
{
    bezKappa.setCaption(getText(QStringLiteral("Isentropenexponent"), Sprache));
    bezRhon.setCaption(getText(QStringLiteral("Normdichte"), Sprache));
}

QStringList frmIdealesGas::columns() const
{
    return {QStringLiteral("SUBSTANZ"), QStringLiteral("Kappa"), QStringLiteral("RHON"), QStringLiteral("RHOUNIT")};
}

QStringList frmIdealesGas::handOverColumns() const
{
    return {QStringLiteral("Kappa"), QStringLiteral("RHON"), QStringLiteral("RHOUNIT")};
}

std::optional<QString> frmIdealesGas::itemText(const Recordset &rs) const
{
    const Variant substanz = rs.field(QStringLiteral("SUBSTANZ"));
    if (substanz.isNull())
        return std::nullopt;
    return substanz.toString();
}

void frmIdealesGas::fillUnitLists()
{
    rho_unit.clear();
    for (int i = 0; i <= 1; ++i)
        rho_unit.addItem(EinheitDichte(Variant(i)));
    rho_unit.setListIndex(units_.rhoUnit);
}

void frmIdealesGas::showRecord(const Recordset &rs)
{
    txtMedium.setText(rs.field(QStringLiteral("SUBSTANZ")).toString());
    txtKappa.setText(formatZahl4(rs.field(QStringLiteral("Kappa"))).toString());
    txtRhon.setText(formatZahl4(umrechnenDichte(rs.field(QStringLiteral("RHON")),
                                                static_cast<int>(rs.field(QStringLiteral("RHOUNIT")).toInt()),
                                                units_.rhoUnit))
                        .toString());
    rho_unit.setListIndex(units_.rhoUnit);
}

void frmIdealesGas::writeDefaults()
{
    txtKappa.setText(Variant(1.4).toString());
    // 1.29 kg/m3 in the dialog's density unit, unrounded.
    if (units_.rhoUnit == 0)
        txtRhon.setText(Variant(1.29).toString());
    else
        txtRhon.setText(umrechnenDichte(Variant(1.29), 0, units_.rhoUnit).toString());
    rho_unit.setListIndex(units_.rhoUnit);
}

void frmIdealesGas::writeRecord(Recordset &rs)
{
    rs.setField(QStringLiteral("Kappa"), Variant(txtKappa.text()));
    rs.setField(QStringLiteral("RHON"), Variant(txtRhon.text()));
    rs.setField(QStringLiteral("RHOUNIT"), Variant(rho_unit.listIndex()));
}

void frmIdealesGas::handOverRecord(const Recordset &rs)
{
    SharedData &d = shared();
    const double kappa = rs.field(QStringLiteral("Kappa")).toDouble();
    d.gammaMin = kappa;
    d.gammaNorm = kappa;
    d.gammaMax = kappa;
    d.rhoN = umrechnenDichte(rs.field(QStringLiteral("RHON")),
                             static_cast<int>(rs.field(QStringLiteral("RHOUNIT")).toInt()), d.rhoUnit)
                 .asNumber();
}

bool frmIdealesGas::recordHandOverPossible(const Recordset &rs) const
{
    return fluiddb::idealGasPossible(rs.field(QStringLiteral("Kappa")), rs.field(QStringLiteral("RHON")),
                                     rs.field(QStringLiteral("RHOUNIT")));
}

bool frmIdealesGas::numberPossible(const TextBox &field, double value) const
{
    if (&field == &txtKappa)
        return physical::isValidKappa(value);
    return physical::isValidDensity(value);
}

void frmIdealesGas::rho_unit_Click()
{
    const int neu = rho_unit.listIndex();
    if (neu < 0)
        return;
    txtRhon.setText(formatZahl4(umrechnenDichte(Variant(txtRhon.text()), units_.rhoUnit, neu)).toString());
    units_.rhoUnit = neu;
}

DefaultInstance<frmIdealesGas> &frmIdealesGasInstance()
{
    static DefaultInstance<frmIdealesGas> instance;
    return instance;
}

void showIdealGasList()
{
    frmIdealesGas &dialog = frmIdealesGasInstance().get();
    if (!dialog.databaseOpen()) {
        frmIdealesGasInstance().unload();
        return;
    }
    dialog.centerOnScreen();
    dialog.showModal();
}
