#pragma once

#include "fluids/substance_list.h"

// The list of ideal gases: each with its isentropic exponent and norm density (at 0 °C and 1.01325 bar). OK hands
// the chosen gas to the active sheet as an ideal gas; mixtures stored by the gas-mixture dialog are listed too.
class frmIdealesGas : public SubstanceListForm {
public:
    frmIdealesGas();

    Label bezKappa{this, QStringLiteral("bezKappa")};
    TextBox txtKappa{this, QStringLiteral("txtKappa")};
    Label bezRhon{this, QStringLiteral("bezRhon")};
    TextBox txtRhon{this, QStringLiteral("txtRhon")};
    ComboBox rho_unit{this, QStringLiteral("rho_unit")};

protected:
    QString windowCaptionKey() const override;
    void setFieldCaptions(int Sprache) override;
    QStringList columns() const override;
    QStringList handOverColumns() const override;
    std::optional<QString> itemText(const Recordset &rs) const override;
    void fillUnitLists() override;
    void showRecord(const Recordset &rs) override;
    void writeDefaults() override;
    void writeRecord(Recordset &rs) override;
    std::vector<TextBox *> numericFields() override { return {&txtKappa, &txtRhon}; }
    std::vector<ComboBox *> unitLists() override { return {&rho_unit}; }
    void handOverRecord(const Recordset &rs) override;
    bool recordHandOverPossible(const Recordset &rs) const override;
    bool numberPossible(const TextBox &field, double value) const override;
    int fluidState() const override { return 0; }
    int mediumCode() const override { return 3; }
    bool okEnabledAfterAbandon() const override { return false; }

private:
    void rho_unit_Click();
};

// The dialog's one instance: created and loaded on first use, gone when it unloads.
DefaultInstance<frmIdealesGas> &frmIdealesGasInstance();

// The medium menu's entry: opens the list centred on the screen and modal; a list whose table cannot be opened
// has said so and is not shown.
void showIdealGasList();
