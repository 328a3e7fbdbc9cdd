#include "sheets/calc_flow.h"
#include "sheets/calc_flow_internal.h"
#include "sheets/sheet_common.h"

#include "engine/flow_recalc.h"
#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"
#include "units/unit_lists.h"

namespace {

const int kBlue = colors::rgb(0, 0, 255);
const int kGreen = colors::rgb(0, 128, 0);

void captionAt(Label &label, int left, int top, bool bold = true)
{
    label.move(left, top, 600, 240);
    label.setFontBold(bold);
}

void valueAt(Label &label, int top)
{
    label.move(6840, top, 1215, 240);
}

void guide(Line &line, int y)
{
    line.setForeColor(colors::White);
    line.setPoints(240, y + 120, 6840, y + 120);
}

void unitList(ComboBox &list, int left, int top, int width)
{
    list.setStyle(ComboBox::Style::DropdownList);
    list.move(left, top, width, 315);
}

// bLadenCalcFlow must not stay True when loading stops early.
struct LoadFlag {
    LoadFlag(bool &sheetFlag) : sheetFlag(sheetFlag)
    {
        sheetFlag = true;
        shared().bLadenCalcFlow = true;
    }
    ~LoadFlag()
    {
        sheetFlag = false;
        shared().bLadenCalcFlow = false;
    }
    bool &sheetFlag;
};

} // namespace

using flowsheet::setCaptionSized;
using sheetcommon::fillUnitList;

FrmCalcFlow::FrmCalcFlow() : Form(QStringLiteral("frmCalcFlow"))
{
    setKind(Kind::MdiChild);
    buildDesign();
    fillAccess();
    connectHandlers();
}

FrmCalcFlow::~FrmCalcFlow()
{
    unregister();
}

void FrmCalcFlow::setShowWizard(std::function<void()> show)
{
    flowsheet::wizardOpener() = std::move(show);
}

// The window as designed: the fixed upper half, and the controls of the lower half that the layout procedures
// move into place at loading.
void FrmCalcFlow::buildDesign()
{
    move(0, 0, 11400, 10050);

    Shape1.move(120, 240, 11055, 2055);
    Shape1.setForeColor(kBlue);
    lblProzessdaten.move(240, 120, 8000, 240);
    lblProzessdaten.setFontBold(true);
    lblProzessdaten.setForeColor(kBlue);
    Image1.move(9720, 480, 1335, 1695);

    const struct {
        Label &label;
        TextBox &box;
        ComboBox &unit;
        Line &line;
        int top;
    } inputs[] = {{lblP1, txtp1max, cmbP1unit, lineP1, 600},
                  {lblP2, txtp2max, cmbP2unit, lineP2, 960},
                  {lblT1, txtT1max, cmbT1unit, lineT1, 1320}};
    for (const auto &row : inputs) {
        captionAt(row.label, 240, row.top);
        row.box.move(6840, row.top, 1215, 285);
        row.box.setText(QStringLiteral("0"));
        unitList(row.unit, 8520, row.top, 1095);
        guide(row.line, row.top);
    }

    lineTrennung1.setForeColor(colors::Red);
    lineTrennung1.setBorderWidth(2);
    lineTrennung1.setPoints(240, 1800, 9600, 1800);
    captionAt(lblQ, 240, 1920);
    lblQ.setFontSize(12);
    lblQ.setHeight(330);
    valueAt(lblQmax, 1920);
    lblQmax.setFontSize(12);
    lblQmax.setFontBold(true);
    lblQmax.setFontUnderline(true);
    lblQmax.setHeight(330);
    guide(lineQ, 1920);
    // A pixel wider than designed, so that "m3/h (norm.)" shows whole in the forms' font.
    unitList(cmbQunit, 8280, 1920, 1350);

    lblVentildaten.move(240, 2400, 8000, 240);
    lblVentildaten.setFontBold(true);
    lblVentildaten.setForeColor(colors::Red);
    frameVentildaten.move(120, 2520, 11055, 2175);
    frameVentildaten.setForeColor(colors::Red);

    captionAt(lblNennweite, 240, 2760);
    cmbDNVentil.setStyle(ComboBox::Style::DropdownList);
    cmbDNVentil.move(6840, 2760, 1455, 315);
    unitList(cmbDNunit, 8520, 2760, 735);
    guide(lineNennweite, 2760);

    captionAt(lblKennlinie, 240, 3360);
    guide(lineKennlinie, 3360);
    lineKennlinie.setX2(6720);
    frameKennlinie.move(6720, 3120, 4335, 615);
    frameKennlinie.setBorder(false);
    optLinear.move(120, 120, 1320, 255);
    optGleichprozentig.move(1440, 120, 1500, 255);
    optAufZu.move(3000, 120, 1200, 255);

    captionAt(lblDurchflusskoeffizient, 240, 3840);
    cmbKvsCv.setStyle(ComboBox::Style::DropdownList);
    cmbKvsCv.move(6840, 3840, 1575, 315);
    unitList(cmbKvUnit, 8520, 3840, 735);
    guide(lineKvs, 3840);
    lblReduktion.move(9720, 3915, 1335, 240);
    lblReduktion.setCaption(QStringLiteral("Red %"));

    captionAt(lblVentiloeffnung, 240, 4320);
    cmbYmax.setStyle(ComboBox::Style::DropdownCombo);
    cmbYmax.move(6840, 4320, 1215, 315);
    cmbYmax.setText(QStringLiteral("100"));
    lblYunit.move(8280, 4320, 400, 240);
    lblYunit.setCaption(QStringLiteral("%"));
    guide(lineY, 4320);
    lineTrennung2.setForeColor(colors::White);
    lineTrennung2.setPoints(240, 4680, 11040, 4680);

    // Valve result rows: hidden until a layout procedure places them.
    for (Label *c : {&lblXTWert, &lblxWert, &lblChokedFlow, &lblzyWert, &lblxFWert, &lblKavitation, &lblFLWert}) {
        captionAt(*c, 240, 4800);
        c->setVisible(false);
    }
    for (Label *v : {&lblxTMax, &lblxMax, &lblChokedFlowMax, &lblzyMax, &lblxFMax, &lblKavitationMax, &lblFlmax}) {
        valueAt(*v, 4800);
        v->setVisible(false);
    }

    // Lower sections: headers, boxes and rows; their tops are set at loading.
    for (Label *header : {&lblRohrleitung, &lblSchalldruck, &lblStoffdaten}) {
        header->move(240, 0, 8000, 270);
        header->setFontBold(true);
        header->setFontSize(9.75);
        header->setForeColor(kGreen);
    }
    frameRohrleitung.move(120, 0, 11055, 1575);
    frameSchalldruck.move(120, 0, 11055, 975);
    frameStoffdaten.move(120, 0, 11055, 1215);
    for (Shape *box : {&frameRohrleitung, &frameSchalldruck, &frameStoffdaten})
        box->setForeColor(kGreen);

    captionAt(lblRohrNennweite, 240, 0);
    captionAt(lblEingang, 2040, 0, false);
    captionAt(lblAusgang, 2040, 0, false);
    captionAt(lblStroemungsgeschwindigkeit, 240, 0);
    captionAt(lblEingang2, 2040, 0, false);
    captionAt(lblAusgang2, 2040, 0, false);
    for (ComboBox *pipe : {&cmbDNRohr1, &cmbDNRohr2}) {
        pipe->setStyle(ComboBox::Style::DropdownList);
        pipe->move(6840, 0, 1215, 315);
    }
    for (OptionButton *option : {&optDNVentil, &optOptimiert, &optVorgabe})
        option->move(8520, 0, 2520, 255);
    valueAt(lblV1max, 0);
    valueAt(lblV2max, 0);
    unitList(cmbGeschwindigkeit, 8520, 0, 1095);

    captionAt(lblSchallBerechnungVDMA, 240, 0, false);
    captionAt(lblSchallkorrektur, 240, 0, false);
    captionAt(lblSchallerwartung, 240, 0, true);
    for (Label *v : {&lblSchallVDMAmax, &lblSchallkorrekturmax, &lblSchallerwartmax})
        valueAt(*v, 0);
    lblSchallerwartmax.setFontBold(true);
    for (Label *unit : {&lblSchallunit, &lblSchallunit2, &lblSchallunit3}) {
        unit->move(8520, 0, 735, 240);
        unit->setCaption(QStringLiteral("dB(A)"));
    }
    lblSchallunit3.setFontBold(true);

    for (Label *c : {&lblStoffwert1, &lblStoffwert2, &lblStoffwert3})
        captionAt(*c, 240, 0);
    for (Label *v : {&lblStoffwert1max, &lblStoffwert2max, &lblStoffwert3max})
        valueAt(*v, 0);
    for (ComboBox *unit : {&cmbStoffwert1unit, &cmbStoffwert2unit, &cmbStoffwert3unit})
        unitList(*unit, 8520, 0, 1095);
    // Wide enough for "mm²/s (cSt)" in the forms' font.
    cmbStoffwert3unit.setWidth(1260);
    for (Line *line : {&lineRohr1, &lineRohr2, &lineRohr3, &lineRohr4, &lineSchalldruck1, &lineSchalldruck2,
                       &lineSchalldruck3, &lineStoffdaten1, &lineStoffdaten2, &lineStoffdaten3})
        guide(*line, 0);

    // Tab order: the inputs first, in the order of the rows.
    int tab = 0;
    for (Control *c : std::initializer_list<Control *>{&txtp1max, &cmbP1unit, &txtp2max, &cmbP2unit, &txtT1max,
                                                       &cmbT1unit, &cmbQunit, &cmbDNVentil, &cmbDNunit, &optLinear,
                                                       &optGleichprozentig, &optAufZu, &cmbKvsCv, &cmbKvUnit,
                                                       &cmbYmax, &cmbDNRohr1, &optDNVentil, &optOptimiert,
                                                       &optVorgabe, &cmbDNRohr2, &cmbGeschwindigkeit,
                                                       &cmbStoffwert1unit, &cmbStoffwert2unit, &cmbStoffwert3unit})
        c->setTabIndex(tab++);
}

void FrmCalcFlow::fillAccess()
{
    access_.txtp1max = &txtp1max;
    access_.txtp2max = &txtp2max;
    access_.txtT1max = &txtT1max;
    access_.cmbYmax = &cmbYmax;
    access_.lblQmax = &lblQmax;
    access_.lblFlmax = &lblFlmax;
    access_.lblxTMax = &lblxTMax;
    access_.lblxMax = &lblxMax;
    access_.lblChokedFlowMax = &lblChokedFlowMax;
    access_.lblzyMax = &lblzyMax;
    access_.lblxFMax = &lblxFMax;
    access_.lblKavitationMax = &lblKavitationMax;
    access_.lblV1max = &lblV1max;
    access_.lblV2max = &lblV2max;
    access_.lblSchallVDMAmax = &lblSchallVDMAmax;
    access_.lblSchallkorrekturmax = &lblSchallkorrekturmax;
    access_.lblSchallerwartmax = &lblSchallerwartmax;
    access_.lblStoffwert1max = &lblStoffwert1max;
    access_.lblStoffwert2max = &lblStoffwert2max;
    access_.lblStoffwert3max = &lblStoffwert3max;
    access_.update_DNRohrleitung = [this](int chkDNRohr, QString &DN1Rohr, QString &DN2Rohr, const QString &DNVentil,
                                          int DNunit) {
        update_DNRohrleitung(chkDNRohr, DN1Rohr, DN2Rohr, DNVentil, DNunit);
    };
}

void FrmCalcFlow::connectHandlers()
{
    txtp1max.Change = [this] { txtp1max_Change(); };
    txtp1max.GotFocus = [this] { txtp1max_GotFocus(); };
    txtp1max.LostFocus = [this] { txtp1max_LostFocus(); };
    txtp2max.Change = [this] { txtp2max_Change(); };
    txtp2max.GotFocus = [this] { txtp2max_GotFocus(); };
    txtp2max.LostFocus = [this] { txtp2max_LostFocus(); };
    txtT1max.Change = [this] { txtT1max_Change(); };
    txtT1max.GotFocus = [this] { txtT1max_GotFocus(); };
    txtT1max.LostFocus = [this] { txtT1max_LostFocus(); };
    cmbYmax.Change = [this] { cmbYmax_Change(); };
    cmbYmax.Click = [this] { cmbYmax_Click(); };
    cmbYmax.GotFocus = [this] { cmbYmax_GotFocus(); };
    cmbYmax.LostFocus = [this] { cmbYmax_LostFocus(); };
    cmbP1unit.Click = [this] { cmbP1unit_Click(); };
    cmbP2unit.Click = [this] { cmbP2unit_Click(); };
    cmbT1unit.Click = [this] { cmbT1unit_Click(); };
    cmbQunit.Click = [this] { cmbQunit_Click(); };
    cmbGeschwindigkeit.Click = [this] { cmbGeschwindigkeit_Click(); };
    cmbKvUnit.Click = [this] { cmbKvUnit_Click(); };
    cmbStoffwert1unit.Click = [this] { cmbStoffwert1unit_Click(); };
    cmbStoffwert2unit.Click = [this] { cmbStoffwert2unit_Click(); };
    cmbStoffwert3unit.Click = [this] { cmbStoffwert3unit_Click(); };
    cmbDNunit.Click = [this] { cmbDNunit_Click(); };
    cmbDNVentil.Click = [this] { cmbDNVentil_Click(); };
    cmbKvsCv.Click = [this] { cmbKvsCv_Click(); };
    cmbDNRohr1.Click = [this] { cmbDNRohr1_Click(); };
    cmbDNRohr2.Click = [this] { cmbDNRohr2_Click(); };
    optLinear.Click = [this] { optLinear_Click(); };
    optGleichprozentig.Click = [this] { optGleichprozentig_Click(); };
    optAufZu.Click = [this] { optAufZu_Click(); };
    optDNVentil.Click = [this] { optDNVentil_Click(); };
    optOptimiert.Click = [this] { optOptimiert_Click(); };
    optVorgabe.Click = [this] { optVorgabe_Click(); };
}

void FrmCalcFlow::Form_Load()
{
    SharedData &s = shared();
    const int lang = s.Sprache;
    // Of the recalculations that loading runs, only the last one's beeps sound: it reports on the loaded sheet.
    mainwin::LoadingSound sound;
    // Step 1; the flag is cleared again before the last recalculation (step 19).
    LoadFlag flag(loading_);
    ListeVentilbereit = false;
    ListeRohrbereit = false;
    setActiveFlowSheet(&access_);

    setCaption(getText(QStringLiteral("Modus Durchfluss-Berechnung"), lang));
    move(0, 0, 11400, height());
    setCaptionSized(lblProzessdaten, sheetcommon::fluidHeader(getText(QStringLiteral("Prozessdaten"), lang)));
    setCaptionSized(lblP1, getText(QStringLiteral("Vordruck"), lang) + QStringLiteral(" P1"));
    setCaptionSized(lblP2, getText(QStringLiteral("Nachdruck"), lang) + QStringLiteral(" P2"));
    setCaptionSized(lblT1, getText(QStringLiteral("Temperatur"), lang) + QStringLiteral(" T1"));
    setCaptionSized(lblQ, getText(QStringLiteral("Durchfluss"), lang) + QStringLiteral(" Q"));

    // Each text raises its field's Change handler, which stores the value back.
    txtp1max.setText(numtext::general(s.p1Max));
    txtp2max.setText(numtext::general(s.p2Max));
    txtT1max.setText(numtext::general(s.T1Max));
    lblQmax.setCaption(numtext::general(s.QMax));

    fillUnitList(cmbP1unit, EinheitDruck, 7, s.p1Unit);
    fillUnitList(cmbP2unit, EinheitDruck, 7, s.p2Unit);
    fillUnitList(cmbT1unit, EinheitTemperatur, 1, s.T1Unit);
    switch (s.Zustand) {
    case 0:
        fillUnitList(cmbQunit, EinheitDurchflussGas, 4, s.QUnit);
        break;
    case 1:
        fillUnitList(cmbQunit, EinheitDurchflussFluessig, 5, s.QUnit);
        break;
    case 2:
        fillUnitList(cmbQunit, EinheitMassenstrom, 1, s.QUnit);
        break;
    default:
        cmbQunit.clear();
        break;
    }

    // A missing picture leaves the image empty.
    Image1.loadPicture(programFolder() + QStringLiteral("/") + s.Ventiltyp + QStringLiteral(".jpg"));

    setCaptionSized(lblVentildaten, getText(QStringLiteral("Ventildaten"), lang) + QStringLiteral(" / ")
                                        + getVentiltypName(s.Ventiltyp, lang).toString());
    setCaptionSized(lblNennweite, getText(QStringLiteral("Nennweite"), lang));
    setCaptionSized(lblKennlinie, getText(QStringLiteral("Kennlinie"), lang));
    setCaptionSized(lblDurchflusskoeffizient, getText(QStringLiteral("Durchflusskoeffizient"), lang));
    setCaptionSized(lblVentiloeffnung, getText(QStringLiteral("Ventilöffnung"), lang) + QStringLiteral(" y"));

    fillUnitList(cmbDNunit, EinheitLaenge, 1, s.DNunit);

    optLinear.setCaption(getText(QStringLiteral("(mod.) linear"), lang));
    optGleichprozentig.setCaption(getText(QStringLiteral("gleich%"), lang));
    optAufZu.setCaption(getText(QStringLiteral("Auf/Zu"), lang));

    // The opening list is filled before the first recalculation, so that the stored opening is the one shown,
    // validated and used (the design's "100" would otherwise replace it).
    fillOpeningList();

    selectCharacteristicOption();

    fillUnitList(cmbKvUnit, EinheitKvs, 1, s.KvUnit);
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);

    Ypos = 4800;
    if (s.Zustand == 1)
        show_Ventildaten_inkomp(Ypos);
    else
        show_Ventildaten_komp(Ypos);
    show_rohrleitungsdaten(Ypos);
    show_schalldaten(Ypos);
    show_stoffdaten(Ypos);
    setHeight(Ypos + 450);

    s.bLadenCalcFlow = false;
    recalculate();
}

void FrmCalcFlow::Form_Unload(int &Cancel)
{
    (void)Cancel;
    unregister();
}

void FrmCalcFlow::unregister()
{
    if (activeFlowSheet() == &access_)
        setActiveFlowSheet(nullptr);
}

void FrmCalcFlow::fillOpeningList()
{
    cmbYmax.clear();
    for (int percent = 100; percent >= 0; percent -= 10)
        cmbYmax.addItem(QString::number(percent));
    cmbYmax.setText(numtext::fixed(shared().yMax * 100, 2));
}

void FrmCalcFlow::selectCharacteristicOption()
{
    sheetcommon::selectOption(shared().Kennlinie, {&optLinear, &optGleichprozentig, &optAufZu});
}

void FrmCalcFlow::recalculate()
{
    const bool outer = !recalculating_;
    recalculating_ = true;
    calcDurchfluss();
    if (outer)
        recalculating_ = false;
}

DefaultInstance<FrmCalcFlow> &frmCalcFlow()
{
    static DefaultInstance<FrmCalcFlow> instance;
    return instance;
}

namespace flowsheet {

std::function<void()> &wizardOpener()
{
    static std::function<void()> opener;
    return opener;
}

} // namespace flowsheet
