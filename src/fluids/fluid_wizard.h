#pragma once

#include "fluids/lee_kesler.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "units/held_unit_values.h"

#include <array>
#include <memory>
#include <optional>

// The fluid-data wizard: a table of pure substances with their base data (molar mass, boiling point, critical
// point, acentric factor), the estimate of a real gas's, vapour's or liquid's properties at the sheet's operating
// points, and their hand-over to the active sheet.
//
// Nothing reaches the shared data before "Stoffdaten übernehmen": a pick, the unit lists and a calculation work on
// the wizard's own copies, and Abbruch or the close box leave the project as it was. The substance picked last is
// kept by its record (a bookmark) and its critical point with the units it was shown in, so that a unit change
// cannot reinterpret it.
class frmStoffdatenAssistent : public Form {
public:
    frmStoffdatenAssistent();

    // --- Substance list
    Label lblIdgas{this, QStringLiteral("lblIdgas")};
    ListBox lstSubstanz{this, QStringLiteral("lstSubstanz")};
    Frame Rahmen1{this, QStringLiteral("Rahmen1")};
    OptionButton optSortiereName{&Rahmen1, QStringLiteral("optSortiereName")};
    OptionButton optSortiereFormel{&Rahmen1, QStringLiteral("optSortiereFormel")};
    CommandButton cmdNeu{this, QStringLiteral("cmdNeu")};
    CommandButton cmdBearbeiten{this, QStringLiteral("cmdBearbeiten")};
    CommandButton cmdLöschen{this, QStringLiteral("cmdLöschen")};

    // --- Base data
    Label lblBasisdaten{this, QStringLiteral("lblBasisdaten")};
    Label bezMedium{this, QStringLiteral("bezMedium")};
    TextBox txtMedium{this, QStringLiteral("txtMedium")};
    Label lblFormel{this, QStringLiteral("lblFormel")};
    TextBox txtFormel{this, QStringLiteral("txtFormel")};
    Label bezMol{this, QStringLiteral("bezMol")};
    TextBox txtMol{this, QStringLiteral("txtMol")};
    Label bezSiede{this, QStringLiteral("bezSiede")};
    TextBox txtTs{this, QStringLiteral("txtTs")};
    Label bezKritTemp{this, QStringLiteral("bezKritTemp")};
    TextBox txtTkrit{this, QStringLiteral("txtTkrit")};
    ComboBox T_unit{this, QStringLiteral("T_unit")};
    Label bezpc{this, QStringLiteral("bezpc")};
    TextBox txtpkrit{this, QStringLiteral("txtpkrit")};
    ComboBox p_unit{this, QStringLiteral("p_unit")};
    Label bezAzFaktor{this, QStringLiteral("bezAzFaktor")};
    TextBox txtazFaktor{this, QStringLiteral("txtazFaktor")};
    CommandButton cmdazFaktor{this, QStringLiteral("cmdazFaktor")};
    CommandButton cmdÜbernahme{this, QStringLiteral("cmdÜbernahme")};
    CommandButton cmdEscBearbeiten{this, QStringLiteral("cmdEscBearbeiten")};

    // --- Operating points and results: columns min, norm, max
    Label lblBDDim{this, QStringLiteral("lblBDDim")};
    Label lblBDmin{this, QStringLiteral("lblBDmin")};
    Label Bezeichnung7{this, QStringLiteral("Bezeichnung7")};
    Label Bezeichnung4{this, QStringLiteral("Bezeichnung4")};
    Label Bezeichnung5{this, QStringLiteral("Bezeichnung5")};
    TextBox txtp1min{this, QStringLiteral("txtp1min")};
    TextBox txtp1norm{this, QStringLiteral("txtp1norm")};
    TextBox txtp1max{this, QStringLiteral("txtp1max")};
    Label lblp1_unit{this, QStringLiteral("lblp1_unit")};
    Label Bezeichnung8{this, QStringLiteral("Bezeichnung8")};
    TextBox txtT1min{this, QStringLiteral("txtT1min")};
    TextBox txtT1norm{this, QStringLiteral("txtT1norm")};
    TextBox txtT1max{this, QStringLiteral("txtT1max")};
    Label lblT1_unit{this, QStringLiteral("lblT1_unit")};
    Label lblrho{this, QStringLiteral("lblrho")};
    Label bezRho{this, QStringLiteral("bezRho")};
    TextBox txtrhomin{this, QStringLiteral("txtrhomin")};
    TextBox txtrhonorm{this, QStringLiteral("txtrhonorm")};
    TextBox txtrhomax{this, QStringLiteral("txtrhomax")};
    Label lblrho_unit{this, QStringLiteral("lblrho_unit")};
    Label lblZ{this, QStringLiteral("lblZ")};
    Label bezZ{this, QStringLiteral("bezZ")};
    TextBox txtZmin{this, QStringLiteral("txtZmin")};
    TextBox txtZnorm{this, QStringLiteral("txtZnorm")};
    TextBox txtZmax{this, QStringLiteral("txtZmax")};
    Label lblps{this, QStringLiteral("lblps")};
    Label bezpsat{this, QStringLiteral("bezpsat")};
    TextBox txtpsatmin{this, QStringLiteral("txtpsatmin")};
    TextBox txtpsatnorm{this, QStringLiteral("txtpsatnorm")};
    TextBox txtpsatmax{this, QStringLiteral("txtpsatmax")};
    Label lblp_unit{this, QStringLiteral("lblp_unit")};
    Label lblnue{this, QStringLiteral("lblnue")};
    Label beznue{this, QStringLiteral("beznue")};
    TextBox txtnuemin{this, QStringLiteral("txtnuemin")};
    TextBox txtnuenorm{this, QStringLiteral("txtnuenorm")};
    TextBox txtnuemax{this, QStringLiteral("txtnuemax")};
    Label lblnue_unit{this, QStringLiteral("lblnue_unit")};
    Label lblgamma{this, QStringLiteral("lblgamma")};
    Label bezgamma{this, QStringLiteral("bezgamma")};
    TextBox txtgammamin{this, QStringLiteral("txtgammamin")};
    TextBox txtgammanorm{this, QStringLiteral("txtgammanorm")};
    TextBox txtgammamax{this, QStringLiteral("txtgammamax")};
    Frame Rahmen2{this, QStringLiteral("Rahmen2")};
    OptionButton optflüssig{&Rahmen2, QStringLiteral("optflüssig")};
    OptionButton optgasdampf{&Rahmen2, QStringLiteral("optgasdampf")};
    CommandButton cmdCalc{this, QStringLiteral("cmdCalc")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdEsc{this, QStringLiteral("cmdEsc")};

    // False when loading could not open the table (the user has been told); the wizard is then not shown.
    bool databaseOpen() const { return rsStoffdaten != nullptr; }
    // The state of the last decision or option: 0 none yet, 1 liquid, 2 gas or vapour.
    int assistentZustand() const { return AssistentZustand; }
    // The units of the base data and results as the wizard shows them (made shared by the hand-over).
    const FluidUnits &units() const { return units_; }

    // --- Handlers the list, the options and the buttons raise
    void lstSubstanz_Click();
    void optSortiereName_Click();
    void optSortiereFormel_Click();
    void p_unit_Click();
    void T_unit_Click();
    void cmdNeu_Click();
    void cmdBearbeiten_Click();
    void cmdÜbernahme_Click();
    void cmdEscBearbeiten_Click();
    void cmdLöschen_Click();
    void cmdEsc_Click();
    void cmdCalc_Click();
    void optflüssig_Click();
    void optgasdampf_Click();
    void calcStoffdaten(int Zustand);
    void cmdazFaktor_Click();
    void cmdOK_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    // The three columns of a row, min, norm, max.
    using Row = std::array<TextBox *, 3>;
    enum Column { Min = 0, Norm = 1, Max = 2 };

    // The substance picked last: its record and the values a pick keeps of it. The critical data and the boiling
    // point are the four-digit texts the pick showed, with the units they were shown in, so that a later change
    // of the unit lists cannot reinterpret them.
    struct Picked {
        std::optional<long long> bookmark;
        QString name;    // SUBSTANZ
        Variant formula; // FORMEL, Null when the record has none
        Variant M;       // kg/kmol
        Variant Ts;      // in TUnit
        Variant Tkrit;   // in TUnit
        int TUnit = 0;
        Variant pkrit; // in pUnit
        int pUnit = 0;
        Variant w;
    };

    void buildDesign();
    void connectHandlers();
    void setCaptions(int Sprache);
    void copyOperatingPoint();

    // Records
    void fillList(bool byFormula);
    // Refills the list in the order and picks the current wizard medium's entry.
    void sortList(bool byFormula);
    // Keeps the current record as the picked substance.
    void keepRecord(const Recordset &rs);
    void showPicked();
    void showStoredRecord(const Recordset &rs);
    bool moveToPicked();
    void abandonPending();
    void enableBaseData(bool enabled);
    void showEditButtons(bool shown);
    void endEditing(bool listEnabled);
    bool tableHasMoreThanOneRecord() const;
    CriticalPoint pickedCriticalPoint() const;

    // Calculation
    bool columnActive(int column) const;
    // Every input of a calculation is a number; otherwise beeps and puts the focus on the first that is not.
    bool calculationInputsReady();
    std::optional<double> vapourPressure(const QString &T1);
    void hideResults();
    void showRow(Label &symbol, Label &caption, const Row &fields, Label *unit);
    QStringList operatingPoint() const;
    void operatingPointChanged();
    // Whether a number in a base-data or result field is physically possible (and of a sensible size).
    bool numberPossible(const TextBox &field, double value) const;
    void resultGotFocus(TextBox &field);
    void resultValidate(TextBox &field, int &Cancel);
    void resultLostFocus(TextBox &field);
    void densityLeft(int column);
    void realGasFactorLeft(int column);
    void rangeExceeded();

    // Hand-over
    bool handOverInputsReady();
    void writeOperatingPointBack();

    // Base-data field handlers
    void baseNumberChanged(TextBox &field);
    void baseNumberGotFocus(TextBox &field);

    Row p1Row() { return {&txtp1min, &txtp1norm, &txtp1max}; }
    Row T1Row() { return {&txtT1min, &txtT1norm, &txtT1max}; }
    Row rhoRow() { return {&txtrhomin, &txtrhonorm, &txtrhomax}; }
    Row ZRow() { return {&txtZmin, &txtZnorm, &txtZmax}; }
    Row psatRow() { return {&txtpsatmin, &txtpsatnorm, &txtpsatmax}; }
    Row nueRow() { return {&txtnuemin, &txtnuenorm, &txtnuemax}; }
    Row gammaRow() { return {&txtgammamin, &txtgammanorm, &txtgammamax}; }

    std::shared_ptr<Database> dbStoffdaten;
    std::unique_ptr<Recordset> rsStoffdaten;
    int AssistentZustand = 0;
    Picked picked_;
    // Whether a record has been picked (or stored) since the wizard loaded; the pick may have been deleted since.
    bool recordPicked_ = false;
    FluidUnits units_;
    // The units of the operating point as the sheet had them at loading.
    int p1Unit_ = 0;
    int T1Unit_ = 0;
    // The mode the operating point was copied from.
    int Modus_ = 0;
    // The text a result or operating-point field had when it got the focus.
    QString AlterWert;
    // The last calculation that passed: its vapour pressures (in psatUnit_) and its operating point.
    std::array<std::optional<double>, 3> psat_;
    int psatUnit_ = 0;
    QStringList calculatedPoint_;
    std::array<bool, 3> calculatedColumns_{};
};

DefaultInstance<frmStoffdatenAssistent> &frmStoffdatenAssistentInstance();

// The medium menu's entry: centred on the screen and modal; while the wizard is open beside a sheet, it only comes
// to the front. A wizard whose table cannot be opened has said so and is not shown.
void showFluidWizard();
// What a sheet does with stale wizard data in a p1 or T1 box: the wizard, loaded, centred on the screen and shown
// modeless (brought to the front when it is open already).
void showFluidWizardModeless();
// Lets both sheets open the wizard that way.
void installFluidWizard();
