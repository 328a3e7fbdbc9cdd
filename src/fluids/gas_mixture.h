#pragma once

#include "platform/db/database.h"
#include "platform/forms/forms.h"

#include <array>
#include <memory>

// A mixture of up to six ideal gases: name, volume share, isentropic exponent and either norm density or molar mass
// per component; components can be taken from the ideal-gas table. The designation, isentropic exponent, molar
// mass and norm density of the mixture follow every keystroke. OK, possible at a total of exactly 100 %, stores the
// mixture as a new ideal gas and hands it to the active sheet.
//
// The mixture's density unit is the dialog's own until OK makes it the shared one; Abbruch changes nothing.
class frmGasgemisch : public Form {
public:
    frmGasgemisch();

    Frame frmKomponente{this, QStringLiteral("frmKomponente")};
    Label lblVolAnteil{&frmKomponente, QStringLiteral("lblVolAnteil")};
    Label lblBezeichnung{&frmKomponente, QStringLiteral("lblBezeichnung")};
    Label lblKappa{&frmKomponente, QStringLiteral("lblKappa")};
    OptionButton optNormdichte{&frmKomponente, QStringLiteral("optNormdichte")};
    Label lblNormdichte{&frmKomponente, QStringLiteral("lblNormdichte")};
    OptionButton optMGewicht{&frmKomponente, QStringLiteral("optMGewicht")};
    Label lblMGewicht{&frmKomponente, QStringLiteral("lblMGewicht")};
    ControlArray<Label> lblKomponente{&frmKomponente, QStringLiteral("lblKomponente"), 6};
    ControlArray<TextBox> txtVolAnteil{&frmKomponente, QStringLiteral("txtVolAnteil"), 6};
    ControlArray<TextBox> txtMedium{&frmKomponente, QStringLiteral("txtMedium"), 6};
    ControlArray<TextBox> txtKappa{&frmKomponente, QStringLiteral("txtKappa"), 6};
    ControlArray<TextBox> txtRhon{&frmKomponente, QStringLiteral("txtRhon"), 6};
    ControlArray<ComboBox> cmbRhounit{&frmKomponente, QStringLiteral("cmbRhounit"), 6};
    ControlArray<TextBox> txtMGewicht{&frmKomponente, QStringLiteral("txtMGewicht"), 6};

    Frame frmGemisch{this, QStringLiteral("frmGemisch")};
    Label lblVolAnteilGemisch{&frmGemisch, QStringLiteral("lblVolAnteilGemisch")};
    Label lblBezeichnungGemisch{&frmGemisch, QStringLiteral("lblBezeichnungGemisch")};
    Label lblKappaGemisch{&frmGemisch, QStringLiteral("lblKappaGemisch")};
    Label lblRhoNGemisch{&frmGemisch, QStringLiteral("lblRhoNGemisch")};
    ComboBox cmbRhounitGemisch{&frmGemisch, QStringLiteral("cmbRhounitGemisch")};
    Label lblMGewichtGemisch{&frmGemisch, QStringLiteral("lblMGewichtGemisch")};

    ListBox lstSubstanz{this, QStringLiteral("lstSubstanz")};
    CommandButton cmdÜbernahme{this, QStringLiteral("cmdÜbernahme")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdAbbruch{this, QStringLiteral("cmdAbbruch")};

    // The results, recomputed by the handlers of the fields.
    void calcBezeichnungGemisch();
    void calcKappaGemisch();
    void calcMGewichtRhoNGemisch();

    // False when loading could not open the table (the user has been told); the dialog is then not shown.
    bool databaseOpen() const { return rsStoffdaten != nullptr; }
    // The density unit of a component row and of the mixture.
    int rowDensityUnit(int i) const { return rhoUnitKomponente.at(static_cast<size_t>(i)); }
    int mixtureDensityUnit() const { return rhoUnit_; }

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    void lstSubstanz_Click();
    void lstSubstanz_DblClick();
    void cmdÜbernahme_Click();
    void cmdOK_Click();
    void cmdAbbruch_Click();
    void txtVolAnteil_Change(int i);
    void txtVolAnteil_Validate(int i, int &Cancel);
    void lblVolAnteilGemisch_Change();
    void txtMedium_Change(int i);
    void txtKappa_Change(int i);
    void txtRhon_Change(int i);
    void txtMGewicht_Change(int i);
    void cmbRhounit_Click(int i);
    void cmbRhounitGemisch_Click();
    void optNormdichte_Click();
    void optMGewicht_Click();
    void selectAll(TextBox &field);

    void layout();
    void connectHandlers();
    void fillList();
    // The first field that keeps OK from storing the mixture: of a row that cannot take part, or of the first
    // component when the mixture's own results (as shown) are no gas; null when the mixture can be stored.
    TextBox *firstIncompleteField();

    std::array<int, 6> rhoUnitKomponente{};
    int rhoUnit_ = 0;
    // Übernehmen acts only once a gas of the list has been chosen.
    bool gasChosen_ = false;
    std::shared_ptr<Database> dbStoffdaten;
    std::unique_ptr<Recordset> rsStoffdaten;
};

DefaultInstance<frmGasgemisch> &frmGasgemischInstance();

// The medium menu's entry: opens the dialog centred on the screen and modal; a dialog whose table cannot be opened
// has said so and is not shown.
void showGasMixture();
