#pragma once

#include "fluids/substance_list.h"

// The list of liquids: each with its density, vapour pressure, critical pressure and viscosity at a reference
// temperature. OK hands the chosen liquid to the active sheet and sets the inlet temperature of all three
// operating points to its reference temperature.
class frmFlüssigkeit : public SubstanceListForm {
public:
    frmFlüssigkeit();

    Label bezTBezug{this, QStringLiteral("bezTBezug")};
    TextBox txtTBezug{this, QStringLiteral("txtTBezug")};
    ComboBox T_unit{this, QStringLiteral("T_unit")};
    Label bezRho{this, QStringLiteral("bezRho")};
    TextBox txtrho{this, QStringLiteral("txtrho")};
    ComboBox rho_unit{this, QStringLiteral("rho_unit")};
    Label bezDampfdruck{this, QStringLiteral("bezDampfdruck")};
    TextBox txtpsat{this, QStringLiteral("txtpsat")};
    ComboBox p_unit{this, QStringLiteral("p_unit")};
    Label bezKritDruck{this, QStringLiteral("bezKritDruck")};
    TextBox txtpkrit{this, QStringLiteral("txtpkrit")};
    Label bezViskosität{this, QStringLiteral("bezViskosität")};
    TextBox txtnue{this, QStringLiteral("txtnue")};
    ComboBox nue_unit{this, QStringLiteral("nue_unit")};

    // The name of a list item: the text before its last " @ " (a name may itself hold " @ ").
    static QString itemName(const QString &item);

protected:
    QString windowCaptionKey() const override;
    void setFieldCaptions(int Sprache) override;
    QStringList columns() const override;
    QStringList handOverColumns() const override;
    std::optional<QString> itemText(const Recordset &rs) const override;
    QString nameOfItem(const QString &item) const override { return itemName(item); }
    void fillUnitLists() override;
    void showRecord(const Recordset &rs) override;
    void writeDefaults() override;
    void writeRecord(Recordset &rs) override;
    std::vector<TextBox *> numericFields() override { return {&txtrho, &txtpsat, &txtpkrit, &txtnue, &txtTBezug}; }
    std::vector<ComboBox *> unitLists() override { return {&rho_unit, &p_unit, &T_unit, &nue_unit}; }
    void handOverRecord(const Recordset &rs) override;
    bool recordHandOverPossible(const Recordset &rs) const override;
    bool numberPossible(const TextBox &field, double value) const override;
    int fluidState() const override { return 1; }
    int mediumCode() const override { return 4; }
    bool okEnabledAfterAbandon() const override { return true; }

private:
    void rho_unit_Click();
    void p_unit_Click();
    void T_unit_Click();
    void nue_unit_Click();
    void setUnitLists();
};

DefaultInstance<frmFlüssigkeit> &frmFlüssigkeitInstance();

// The medium menu's entry: opens the list centred on the screen and modal; a list whose table cannot be opened
// has said so and is not shown.
void showLiquidList();
