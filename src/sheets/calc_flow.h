#pragma once

#include "engine/flow_sheet_access.h"
#include "platform/forms/forms.h"

#include <QString>
#include <functional>

class Recordset;

// The flow sheet: one operating point (the maximum point), a valve of the current series picked by size, Kvs and
// characteristic, its opening, and the flow through it with the other results of calcDurchfluss. The sheet keeps
// no value of its own: every handler stores into the shared data, every load rebuilds from it.
class FrmCalcFlow : public Form {
public:
    FrmCalcFlow();
    ~FrmCalcFlow() override;

    // --- Process block
    Shape Shape1{this, QStringLiteral("Shape1")};
    Label lblProzessdaten{this, QStringLiteral("lblProzessdaten")};
    Image Image1{this, QStringLiteral("Image1")};
    Line lineP1{this, QStringLiteral("lineP1")};
    Line lineP2{this, QStringLiteral("lineP2")};
    Line lineT1{this, QStringLiteral("lineT1")};
    Line lineQ{this, QStringLiteral("lineQ")};
    Label lblP1{this, QStringLiteral("lblP1")};
    TextBox txtp1max{this, QStringLiteral("txtp1max")};
    ComboBox cmbP1unit{this, QStringLiteral("cmbP1unit")};
    Label lblP2{this, QStringLiteral("lblP2")};
    TextBox txtp2max{this, QStringLiteral("txtp2max")};
    ComboBox cmbP2unit{this, QStringLiteral("cmbP2unit")};
    Label lblT1{this, QStringLiteral("lblT1")};
    TextBox txtT1max{this, QStringLiteral("txtT1max")};
    ComboBox cmbT1unit{this, QStringLiteral("cmbT1unit")};
    Line lineTrennung1{this, QStringLiteral("lineTrennung1")};
    Label lblQ{this, QStringLiteral("lblQ")};
    Label lblQmax{this, QStringLiteral("lblQmax")};
    ComboBox cmbQunit{this, QStringLiteral("cmbQunit")};

    // --- Valve block
    Label lblVentildaten{this, QStringLiteral("lblVentildaten")};
    Shape frameVentildaten{this, QStringLiteral("frameVentildaten")};
    Line lineNennweite{this, QStringLiteral("lineNennweite")};
    Line lineKennlinie{this, QStringLiteral("lineKennlinie")};
    Line lineKvs{this, QStringLiteral("lineKvs")};
    Line lineY{this, QStringLiteral("lineY")};
    Label lblNennweite{this, QStringLiteral("lblNennweite")};
    ComboBox cmbDNVentil{this, QStringLiteral("cmbDNVentil")};
    ComboBox cmbDNunit{this, QStringLiteral("cmbDNunit")};
    Label lblKennlinie{this, QStringLiteral("lblKennlinie")};
    Frame frameKennlinie{this, QStringLiteral("frameKennlinie")};
    OptionButton optLinear{&frameKennlinie, QStringLiteral("optLinear")};
    OptionButton optGleichprozentig{&frameKennlinie, QStringLiteral("optGleichprozentig")};
    OptionButton optAufZu{&frameKennlinie, QStringLiteral("optAufZu")};
    Label lblDurchflusskoeffizient{this, QStringLiteral("lblDurchflusskoeffizient")};
    ComboBox cmbKvsCv{this, QStringLiteral("cmbKvsCv")};
    ComboBox cmbKvUnit{this, QStringLiteral("cmbKvUnit")};
    Label lblReduktion{this, QStringLiteral("lblReduktion")};
    Label lblVentiloeffnung{this, QStringLiteral("lblVentiloeffnung")};
    ComboBox cmbYmax{this, QStringLiteral("cmbYmax")};
    Label lblYunit{this, QStringLiteral("lblYunit")};
    Line lineTrennung2{this, QStringLiteral("lineTrennung2")};

    // Result rows of the valve block, hidden until a layout procedure shows them.
    Label lblXTWert{this, QStringLiteral("lblXTWert")};
    Label lblxTMax{this, QStringLiteral("lblxTMax")};
    Label lblxWert{this, QStringLiteral("lblxWert")};
    Label lblxMax{this, QStringLiteral("lblxMax")};
    Label lblChokedFlow{this, QStringLiteral("lblChokedFlow")};
    Label lblChokedFlowMax{this, QStringLiteral("lblChokedFlowMax")};
    Label lblzyWert{this, QStringLiteral("lblzyWert")};
    Label lblzyMax{this, QStringLiteral("lblzyMax")};
    Label lblxFWert{this, QStringLiteral("lblxFWert")};
    Label lblxFMax{this, QStringLiteral("lblxFMax")};
    Label lblKavitation{this, QStringLiteral("lblKavitation")};
    Label lblKavitationMax{this, QStringLiteral("lblKavitationMax")};
    Label lblFLWert{this, QStringLiteral("lblFLWert")};
    Label lblFlmax{this, QStringLiteral("lblFlmax")};

    // --- Pipe section
    Shape frameRohrleitung{this, QStringLiteral("frameRohrleitung")};
    Label lblRohrleitung{this, QStringLiteral("lblRohrleitung")};
    Line lineRohr1{this, QStringLiteral("lineRohr1")};
    Line lineRohr2{this, QStringLiteral("lineRohr2")};
    Line lineRohr3{this, QStringLiteral("lineRohr3")};
    Line lineRohr4{this, QStringLiteral("lineRohr4")};
    Label lblRohrNennweite{this, QStringLiteral("lblRohrNennweite")};
    Label lblEingang{this, QStringLiteral("lblEingang")};
    ComboBox cmbDNRohr1{this, QStringLiteral("cmbDNRohr1")};
    OptionButton optDNVentil{this, QStringLiteral("optDNVentil")};
    OptionButton optOptimiert{this, QStringLiteral("optOptimiert")};
    OptionButton optVorgabe{this, QStringLiteral("optVorgabe")};
    Label lblAusgang{this, QStringLiteral("lblAusgang")};
    ComboBox cmbDNRohr2{this, QStringLiteral("cmbDNRohr2")};
    Label lblStroemungsgeschwindigkeit{this, QStringLiteral("lblStroemungsgeschwindigkeit")};
    Label lblEingang2{this, QStringLiteral("lblEingang2")};
    Label lblV1max{this, QStringLiteral("lblV1max")};
    Label lblAusgang2{this, QStringLiteral("lblAusgang2")};
    Label lblV2max{this, QStringLiteral("lblV2max")};
    ComboBox cmbGeschwindigkeit{this, QStringLiteral("cmbGeschwindigkeit")};

    // --- Noise section
    Shape frameSchalldruck{this, QStringLiteral("frameSchalldruck")};
    Label lblSchalldruck{this, QStringLiteral("lblSchalldruck")};
    Line lineSchalldruck1{this, QStringLiteral("lineSchalldruck1")};
    Line lineSchalldruck2{this, QStringLiteral("lineSchalldruck2")};
    Line lineSchalldruck3{this, QStringLiteral("lineSchalldruck3")};
    Label lblSchallBerechnungVDMA{this, QStringLiteral("lblSchallBerechnungVDMA")};
    Label lblSchallVDMAmax{this, QStringLiteral("lblSchallVDMAmax")};
    Label lblSchallunit{this, QStringLiteral("lblSchallunit")};
    Label lblSchallkorrektur{this, QStringLiteral("lblSchallkorrektur")};
    Label lblSchallkorrekturmax{this, QStringLiteral("lblSchallkorrekturmax")};
    Label lblSchallunit2{this, QStringLiteral("lblSchallunit2")};
    Label lblSchallerwartung{this, QStringLiteral("lblSchallerwartung")};
    Label lblSchallerwartmax{this, QStringLiteral("lblSchallerwartmax")};
    Label lblSchallunit3{this, QStringLiteral("lblSchallunit3")};

    // --- Fluid section
    Shape frameStoffdaten{this, QStringLiteral("frameStoffdaten")};
    Label lblStoffdaten{this, QStringLiteral("lblStoffdaten")};
    Line lineStoffdaten1{this, QStringLiteral("lineStoffdaten1")};
    Line lineStoffdaten2{this, QStringLiteral("lineStoffdaten2")};
    Line lineStoffdaten3{this, QStringLiteral("lineStoffdaten3")};
    Label lblStoffwert1{this, QStringLiteral("lblStoffwert1")};
    Label lblStoffwert1max{this, QStringLiteral("lblStoffwert1max")};
    ComboBox cmbStoffwert1unit{this, QStringLiteral("cmbStoffwert1unit")};
    Label lblStoffwert2{this, QStringLiteral("lblStoffwert2")};
    Label lblStoffwert2max{this, QStringLiteral("lblStoffwert2max")};
    ComboBox cmbStoffwert2unit{this, QStringLiteral("cmbStoffwert2unit")};
    Label lblStoffwert3{this, QStringLiteral("lblStoffwert3")};
    Label lblStoffwert3max{this, QStringLiteral("lblStoffwert3max")};
    ComboBox cmbStoffwert3unit{this, QStringLiteral("cmbStoffwert3unit")};

    // --- Public procedures
    // Layout of the lower half; each places its rows at Y and advances Y past its section.
    void show_Ventildaten_komp(int &Y);
    void show_Ventildaten_inkomp(int &Y);
    void show_rohrleitungsdaten(int &Y);
    void show_schalldaten(int &Y);
    void show_stoffdaten(int &Y);

    // Refills the valve size and Kvs lists from the series table and selects the stored valve; a characteristic,
    // size or Kvs the table does not offer is replaced and written back. The characteristic options follow. A table
    // that cannot be read (a text in a number column it reads among it) offers none of them, and its DbError stays
    // in ListenFehler for the runs until a refill succeeds.
    void update_frmCalcFlow_cmbDNventil(Recordset *rstKenndaten, int &Kennlinie, QString &DNVentil, int DNunit,
                                        float &KvsCv, int Kvunit);
    // Refills both pipe lists in DNunit and selects the stored sizes; in mode 0 both become the valve size.
    void update_DNRohrleitung(int chkDNRohr, QString &DN1Rohr, QString &DN2Rohr, const QString &DNVentil,
                              int DNunit);
    // Disables the characteristic options that the series has no row for; all of them without a series table.
    void update_optKennlinie(Recordset *rstKenndaten);

    // --- Handlers
    void txtp1max_Change();
    void txtp1max_GotFocus();
    void txtp1max_LostFocus();
    void txtp2max_Change();
    void txtp2max_GotFocus();
    void txtp2max_LostFocus();
    void txtT1max_Change();
    void txtT1max_GotFocus();
    void txtT1max_LostFocus();
    void cmbYmax_Change();
    void cmbYmax_Click();
    void cmbYmax_GotFocus();
    void cmbYmax_LostFocus();
    void cmbP1unit_Click();
    void cmbP2unit_Click();
    void cmbT1unit_Click();
    void cmbQunit_Click();
    void cmbGeschwindigkeit_Click();
    void cmbKvUnit_Click();
    void cmbStoffwert1unit_Click();
    void cmbStoffwert2unit_Click();
    void cmbStoffwert3unit_Click();
    void cmbDNunit_Click();
    void cmbDNVentil_Click();
    void cmbKvsCv_Click();
    void cmbDNRohr1_Click();
    void cmbDNRohr2_Click();
    void optLinear_Click();
    void optGleichprozentig_Click();
    void optAufZu_Click();
    void optDNVentil_Click();
    void optOptimiert_Click();
    void optVorgabe_Click();

    // The list-ready flags: while False the lists' click handlers store nothing and do not recalculate.
    bool ListeVentilbereit = false;
    bool ListeRohrbereit = false;
    // Running top position of the lower half while loading.
    int Ypos = 0;

    // What the recalculation reaches of this sheet; registered while the sheet is loaded.
    FlowSheetAccess &access() { return access_; }

    // Shows the fluid-data wizard modeless and centred; the wizard does not exist yet, so the default does nothing.
    static void setShowWizard(std::function<void()> show);

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    void buildDesign();
    void connectHandlers();
    void fillAccess();
    void fillOpeningList();
    // update_frmCalcFlow_cmbDNventil's lists; False when the series table cannot be read.
    bool fillValveLists(Recordset *rstKenndaten, int &Kennlinie, QString &DNVentil, int DNunit, float &KvsCv,
                        int Kvunit);
    void selectCharacteristicOption();
    void recalculate();
    void leaveInputField(bool mayOpenWizard);
    // The end of a p1, p2 or T1 unit switch.
    void unitSwitched();
    void storeInput(TextBox &box, double &datum, bool copiesLoadFlag);
    void unregister();

    FlowSheetAccess access_;
    // True through the whole Load handler: the window is not shown yet, so nobody can have left a field.
    bool loading_ = false;
    // True while a recalculation of this sheet runs: focus moves of its validation must not start another.
    bool recalculating_ = false;
    // The flow list goes back to the previous unit after a switch that could not convert.
    bool revertingQunit_ = false;
};

// The flow sheet's one default instance.
DefaultInstance<FrmCalcFlow> &frmCalcFlow();
