#pragma once

#include "engine/sizing_sheet_access.h"
#include "platform/forms/forms.h"

#include <functional>

class Recordset;

// The sizing sheet: three columns of operating data (min, norm, max), the valve choice and the result blocks of
// valve, pipe, noise and fluid. It is never refreshed in place: whoever changes what it shows unloads it and loads
// it again, and Form_Load rebuilds everything from the shared data. Every value loading assigns runs the control's
// handler inside the assignment; loading relies on that (the unit lists convert, the options recalculate).
class frmCalcSize : public Form {
public:
    frmCalcSize();
    ~frmCalcSize() override;

    // --- Public procedures
    void update_optKennlinie(Recordset &rsVentil);
    void update_frm_Kennlinie(int Kennlinie);
    void show_Ventildaten_komp(int &Position);
    void show_Ventildaten_inkomp(int &Position);
    void show_rohrleitungsdaten(int &Position);
    void show_schalldaten(int &Position);
    void show_stoffdaten(int &Position);
    void update_DNRohrleitung(QString &DN1Rohr, QString &DN2Rohr, int DNunit);

    // --- Process data
    Shape Shape1{this, "Shape1"};
    Label lblProzessdaten{this, "lblProzessdaten"};
    Label lblMax{this, "lblMax"};
    Label lblP1{this, "lblP1"};
    TextBox txtp1min{this, "txtp1min"};
    TextBox txtp1norm{this, "txtp1norm"};
    TextBox txtp1max{this, "txtp1max"};
    ComboBox cmbP1unit{this, "cmbP1unit"};
    Label lblP2{this, "lblP2"};
    TextBox txtp2min{this, "txtp2min"};
    TextBox txtp2norm{this, "txtp2norm"};
    TextBox txtp2max{this, "txtp2max"};
    ComboBox cmbP2unit{this, "cmbP2unit"};
    Label lblT1{this, "lblT1"};
    TextBox txtT1min{this, "txtT1min"};
    TextBox txtT1norm{this, "txtT1norm"};
    TextBox txtT1max{this, "txtT1max"};
    ComboBox cmbT1unit{this, "cmbT1unit"};
    Label lblQ{this, "lblQ"};
    TextBox txtQmin{this, "txtQmin"};
    TextBox txtQnorm{this, "txtQnorm"};
    TextBox txtQmax{this, "txtQmax"};
    ComboBox cmbQunit{this, "cmbQunit"};
    CheckBox chkMin{this, "chkMin"};
    CheckBox chkNorm{this, "chkNorm"};
    Image Image1{this, "Image1"};

    // --- Valve data
    Shape frameVentildaten{this, "frameVentildaten"};
    Label lblVentildaten{this, "lblVentildaten"};
    Frame frameNennweite{this, "frameNennweite"};
    OptionButton optDNMin{&frameNennweite, "optDNMin"};
    OptionButton optDNfest{&frameNennweite, "optDNfest"};
    ComboBox cmbDNVentil{&frameNennweite, "cmbDNVentil"};
    ComboBox cmbDNunit{&frameNennweite, "cmbDNunit"};
    Frame frameKennlinie{this, "frameKennlinie"};
    OptionButton optLinear{&frameKennlinie, "optLinear"};
    OptionButton optGleichprozentig{&frameKennlinie, "optGleichprozentig"};
    OptionButton optAufZu{&frameKennlinie, "optAufZu"};
    Frame frameDurchflusskoeffizient{this, "frameDurchflusskoeffizient"};
    OptionButton optKvoptimal{&frameDurchflusskoeffizient, "optKvoptimal"};
    OptionButton optKvFest{&frameDurchflusskoeffizient, "optKvFest"};
    ComboBox cmbKvsCv{&frameDurchflusskoeffizient, "cmbKvsCv"};
    Label lblKvmincalc{&frameDurchflusskoeffizient, "lblKvmincalc"};
    Label lblKvnormcalc{&frameDurchflusskoeffizient, "lblKvnormcalc"};
    Label lblKvmaxcalc{&frameDurchflusskoeffizient, "lblKvmaxcalc"};
    ComboBox cmbKvUnit{&frameDurchflusskoeffizient, "cmbKvUnit"};
    Label lblReduktion{&frameDurchflusskoeffizient, "lblReduktion"};
    Label lblStellverhältnis{this, "lblStellverhältnis"};
    Label lblSTVmin{this, "lblSTVmin"};
    Label lblSTVnorm{this, "lblSTVnorm"};
    Label lblSTVmax{this, "lblSTVmax"};
    Label lblSTVVentil{this, "lblSTVVentil"};
    Label lblVentiloeffnung{this, "lblVentiloeffnung"};
    Label lblYmin{this, "lblYmin"};
    Label lblYnorm{this, "lblYnorm"};
    Label lblYmax{this, "lblYmax"};
    Label lblYunit{this, "lblYunit"};
    Label lblMaxDurchfluss{this, "lblMaxDurchfluss"};
    Label lblQymax{this, "lblQymax"};
    Label lblQymaxunit{this, "lblQymaxunit"};
    Label lblDurchflussreserve{this, "lblDurchflussreserve"};
    Label lblQReserve{this, "lblQReserve"};
    Label lblQResunit{this, "lblQResunit"};
    ::Line Line1{this, "Line1"};

    // Valve result rows, hidden until the show procedures place the ones that apply.
    Label lblXTWert{this, "lblXTWert"};
    Label lblxTMin{this, "lblxTMin"};
    Label lblxTNorm{this, "lblxTNorm"};
    Label lblxTMax{this, "lblxTMax"};
    Label lblxWert{this, "lblxWert"};
    Label lblxMin{this, "lblxMin"};
    Label lblxNorm{this, "lblxNorm"};
    Label lblxMax{this, "lblxMax"};
    Label lblzyWert{this, "lblzyWert"};
    Label lblzyMin{this, "lblzyMin"};
    Label lblzyNorm{this, "lblzyNorm"};
    Label lblzyMax{this, "lblzyMax"};
    Label lblxFWert{this, "lblxFWert"};
    Label lblxFMin{this, "lblxFMin"};
    Label lblxFNorm{this, "lblxFNorm"};
    Label lblxFMax{this, "lblxFMax"};
    Label lblKavitation{this, "lblKavitation"};
    Label lblKavitationMin{this, "lblKavitationMin"};
    Label lblKavitationNorm{this, "lblKavitationNorm"};
    Label lblKavitationMax{this, "lblKavitationMax"};
    Label lblFLWert{this, "lblFLWert"};
    Label lblFlmin{this, "lblFlmin"};
    Label lblFlnorm{this, "lblFlnorm"};
    Label lblFlmax{this, "lblFlmax"};
    Label lblChokedFlow{this, "lblChokedFlow"};
    Label lblChokedFlowMin{this, "lblChokedFlowMin"};
    Label lblChokedFlowNorm{this, "lblChokedFlowNorm"};
    Label lblChokedFlowMax{this, "lblChokedFlowMax"};

    // --- Pipe
    Shape frameRohrleitung{this, "frameRohrleitung"};
    Label lblRohrleitung{this, "lblRohrleitung"};
    Label lblRohrNennweite{this, "lblRohrNennweite"};
    Label lblEingang{this, "lblEingang"};
    ::Line lineRohr1{this, "lineRohr1"};
    ComboBox cmbDNRohr1{this, "cmbDNRohr1"};
    Label lblAusgang{this, "lblAusgang"};
    ::Line lineRohr2{this, "lineRohr2"};
    ComboBox cmbDNRohr2{this, "cmbDNRohr2"};
    OptionButton optDNVentil{this, "optDNVentil"};
    OptionButton optOptimiert{this, "optOptimiert"};
    OptionButton optVorgabe{this, "optVorgabe"};
    Label lblStroemungsgeschwindigkeit{this, "lblStroemungsgeschwindigkeit"};
    Label lblEingang2{this, "lblEingang2"};
    Label lblV1min{this, "lblV1min"};
    Label lblV1norm{this, "lblV1norm"};
    Label lblV1max{this, "lblV1max"};
    ComboBox cmbGeschwindigkeit{this, "cmbGeschwindigkeit"};
    Label lblAusgang2{this, "lblAusgang2"};
    Label lblV2min{this, "lblV2min"};
    Label lblV2norm{this, "lblV2norm"};
    Label lblV2max{this, "lblV2max"};

    // --- Noise
    Shape frameSchalldruck{this, "frameSchalldruck"};
    Label lblSchalldruck{this, "lblSchalldruck"};
    Label lblSchallBerechnungVDMA{this, "lblSchallBerechnungVDMA"};
    Label lblSchallVDMAmin{this, "lblSchallVDMAmin"};
    Label lblSchallVDMAnorm{this, "lblSchallVDMAnorm"};
    Label lblSchallVDMAmax{this, "lblSchallVDMAmax"};
    Label lblSchallunit{this, "lblSchallunit"};
    Label lblSchallkorrektur{this, "lblSchallkorrektur"};
    Label lblSchallkorrekturmin{this, "lblSchallkorrekturmin"};
    Label lblSchallkorrekturnorm{this, "lblSchallkorrekturnorm"};
    Label lblSchallkorrekturmax{this, "lblSchallkorrekturmax"};
    Label lblSchallunit2{this, "lblSchallunit2"};
    Label lblSchallerwartung{this, "lblSchallerwartung"};
    Label lblSchallerwartmin{this, "lblSchallerwartmin"};
    Label lblSchallerwartnorm{this, "lblSchallerwartnorm"};
    Label lblSchallerwartmax{this, "lblSchallerwartmax"};
    Label lblSchallunit3{this, "lblSchallunit3"};

    // --- Fluid data
    Shape frameStoffdaten{this, "frameStoffdaten"};
    Label lblStoffdaten{this, "lblStoffdaten"};
    Label lblStoffwert1{this, "lblStoffwert1"};
    Label lblStoffwert1min{this, "lblStoffwert1min"};
    Label lblStoffwert1norm{this, "lblStoffwert1norm"};
    Label lblStoffwert1max{this, "lblStoffwert1max"};
    ComboBox cmbStoffwert1unit{this, "cmbStoffwert1unit"};
    Label lblStoffwert2{this, "lblStoffwert2"};
    Label lblStoffwert2min{this, "lblStoffwert2min"};
    Label lblStoffwert2norm{this, "lblStoffwert2norm"};
    Label lblStoffwert2max{this, "lblStoffwert2max"};
    ComboBox cmbStoffwert2unit{this, "cmbStoffwert2unit"};
    Label lblStoffwert3{this, "lblStoffwert3"};
    Label lblStoffwert3min{this, "lblStoffwert3min"};
    Label lblStoffwert3norm{this, "lblStoffwert3norm"};
    Label lblStoffwert3max{this, "lblStoffwert3max"};
    ComboBox cmbStoffwert3unit{this, "cmbStoffwert3unit"};

    // The pipe-size lists' click handlers act only while this is True (False while update_DNRohrleitung fills).
    bool ListeDNRohrbereit = false;

    // --- Handlers
    void txtp1min_Change();
    void txtp1norm_Change();
    void txtp1max_Change();
    void txtp2min_Change();
    void txtp2norm_Change();
    void txtp2max_Change();
    void txtT1min_Change();
    void txtT1norm_Change();
    void txtT1max_Change();
    void txtQmin_Change();
    void txtQnorm_Change();
    void txtQmax_Change();
    void txtp1min_GotFocus() { txtp1min.selectAll(); }
    void txtp1norm_GotFocus() { txtp1norm.selectAll(); }
    void txtp1max_GotFocus() { txtp1max.selectAll(); }
    void txtp2min_GotFocus() { txtp2min.selectAll(); }
    void txtp2norm_GotFocus() { txtp2norm.selectAll(); }
    void txtp2max_GotFocus() { txtp2max.selectAll(); }
    void txtT1min_GotFocus() { txtT1min.selectAll(); }
    void txtT1norm_GotFocus() { txtT1norm.selectAll(); }
    void txtT1max_GotFocus() { txtT1max.selectAll(); }
    void txtQmin_GotFocus() { txtQmin.selectAll(); }
    void txtQnorm_GotFocus() { txtQnorm.selectAll(); }
    void txtQmax_GotFocus() { txtQmax.selectAll(); }
    void txtp1min_LostFocus();
    void txtp1norm_LostFocus();
    void txtp1max_LostFocus();
    void txtp2min_LostFocus();
    void txtp2norm_LostFocus();
    void txtp2max_LostFocus();
    void txtT1min_LostFocus();
    void txtT1norm_LostFocus();
    void txtT1max_LostFocus();
    void txtQmin_LostFocus();
    void txtQnorm_LostFocus();
    void txtQmax_LostFocus();

    void cmbP1unit_Click();
    void cmbP2unit_Click();
    void cmbT1unit_Click();
    void cmbQunit_Click();
    void cmbStoffwert1unit_Click();
    void cmbStoffwert2unit_Click();
    void cmbStoffwert3unit_Click();
    void cmbGeschwindigkeit_Click();
    void cmbKvUnit_Click();
    void cmbDNunit_Click();

    void cmbDNVentil_Click();
    void cmbKvsCv_Click();
    void cmbDNRohr1_Click();
    void cmbDNRohr2_Click();

    void optLinear_Click();
    void optGleichprozentig_Click();
    void optAufZu_Click();
    void optDNMin_Click();
    void optDNfest_Click();
    void optKvoptimal_Click();
    void optKvFest_Click();
    void optDNVentil_Click();
    void optOptimiert_Click();
    void optVorgabe_Click();

    void chkMin_Click();
    void chkNorm_Click();

    // What the engine reaches of this sheet; registered from the start of loading until the sheet unloads.
    const SizingSheetAccess &engineAccess() const { return access_; }

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    void placeFixedControls();
    void connectHandlers();
    void fillEngineAccess();
    void unregister();

    // Shared by the twelve input boxes.
    void inputChanged(TextBox &box, double &stored, bool marksFluidData);
    void pressureOrTemperatureLeft();
    // The end of a p1, p2 or T1 unit switch.
    void unitSwitched();
    // The characteristic options share everything but their code.
    void characteristicChosen(int code);
    void pipeModeChosen(int mode);
    // Shows or hides the controls of the min or norm column as the column check boxes do.
    void showColumn(bool minColumn, bool visible);
    void resultRow(int Position, Label &caption, const QString &text, Label &cellMin, Label &cellNorm,
                   Label &cellMax);

    SizingSheetAccess access_;
    // Clears a column tick without running its handler (see update_frm_Kennlinie).
    bool silentColumnTick_ = false;
    // The flow list goes back to the previous unit after a switch that could not convert.
    bool revertingQunit_ = false;
};

// The sheet's one default instance: created and loaded on first use, gone when unloaded.
DefaultInstance<frmCalcSize> &calcSizeSheet();

// The fluid-data wizard as the sheet opens it when stale wizard data are left in a p1 or T1 box: a provider returns
// the wizard's window (loaded), which the sheet centres on the screen and shows modeless. The fluid-data subsystem
// installs the provider; without one (or when it returns null) the sheet only recalculates.
void setFluidWizardProvider(std::function<Form *()> provider);
