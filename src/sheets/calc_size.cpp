#include "sheets/calc_size.h"

#include "sheets/calc_size_geometry.h"

using namespace calcsize;

namespace {

std::function<Form *()> &wizardProvider()
{
    static std::function<Form *()> provider;
    return provider;
}

void place(Control &c, int left, int top, int width, int height)
{
    c.move(left, top, width, height);
}

void placeCell(Label &cell, int left, int top = 0)
{
    cell.move(left, top, kCellWidth, kCellHeight);
    cell.setWordWrap(false);
}

void placeTitle(Label &title, int top)
{
    title.move(kCaptionLeft, top, kTitleMinWidth, kTitleHeight);
    title.setFontBold(true);
    title.setOpaque(true);
    title.setWordWrap(false);
}

void placeCaption(Label &caption, int top, int height = kCellHeight)
{
    caption.move(kCaptionLeft, top, kCaptionWidth, height);
    caption.setWordWrap(false);
}

void placeBlockFrame(Shape &frame, int top, int height)
{
    frame.move(kFrameLeft, top, kFrameWidth, height);
}

} // namespace

frmCalcSize::frmCalcSize() : Form(QStringLiteral("frmCalcSize"))
{
    setKind(Kind::MdiChild);
    move(0, 0, kSheetWidth, 10880);
    placeFixedControls();
    connectHandlers();
    fillEngineAccess();
}

frmCalcSize::~frmCalcSize()
{
    unregister();
}

void frmCalcSize::placeFixedControls()
{
    // Process data.
    placeBlockFrame(Shape1, 240, 1935);
    placeTitle(lblProzessdaten, 120);
    place(chkMin, kMinLeft, 360, kCellWidth, 255);
    place(chkNorm, kNormLeft, 360, kCellWidth, 255);
    chkMin.setCaption(QStringLiteral("min."));
    chkNorm.setCaption(QStringLiteral("norm."));
    place(lblMax, kMaxLeft, 360, kCellWidth, 255);
    lblMax.setCaption(QStringLiteral("max."));
    struct InputRow {
        Label &caption;
        TextBox &min, &norm, &max;
        ComboBox &unit;
        int top;
    };
    const InputRow rows[] = {{lblP1, txtp1min, txtp1norm, txtp1max, cmbP1unit, 720},
                             {lblP2, txtp2min, txtp2norm, txtp2max, cmbP2unit, 1080},
                             {lblT1, txtT1min, txtT1norm, txtT1max, cmbT1unit, 1440},
                             {lblQ, txtQmin, txtQnorm, txtQmax, cmbQunit, 1800}};
    for (const InputRow &r : rows) {
        placeCaption(r.caption, r.top, kFieldHeight);
        place(r.min, kMinLeft, r.top, kFieldWidth, kFieldHeight);
        place(r.norm, kNormLeft, r.top, kFieldWidth, kFieldHeight);
        place(r.max, kMaxLeft, r.top, kFieldWidth, kFieldHeight);
        for (TextBox *box : {&r.min, &r.norm, &r.max})
            box->setAlignment(TextBox::Alignment::Right);
        place(r.unit, kUnitListLeft, r.top, kUnitListWidth, kListHeight);
    }
    // A pixel wider than designed, so that "m3/h (norm.)" shows whole in the forms' font.
    cmbQunit.setWidth(kFlowUnitListWidth);
    place(Image1, 9720, 360, 1335, 1695);
    Image1.setStretch(true);

    // Valve data: the fixed part of the block.
    placeBlockFrame(frameVentildaten, 2400, 3135);
    placeTitle(lblVentildaten, 2280);
    place(frameNennweite, kCaptionLeft, 2580, 5535, 690);
    place(optDNMin, 120, 300, 1335, 255);
    place(optDNfest, 1560, 300, 1335, 255);
    place(cmbDNVentil, 3000, 255, kFieldWidth, kListHeight);
    place(cmbDNunit, 4200, 255, 1215, kListHeight);
    place(frameKennlinie, 5880, 2580, 5175, 690);
    place(optLinear, 120, 300, 1575, 255);
    place(optGleichprozentig, 1800, 300, 1455, 255);
    place(optAufZu, 3360, 300, 1455, 255);
    place(frameDurchflusskoeffizient, kCaptionLeft, 3360, 10815, 975);
    place(optKvoptimal, 120, 300, 1575, 255);
    place(optKvFest, 120, 600, 1575, 255);
    place(cmbKvsCv, 1800, 420, kFieldWidth, kListHeight);
    // The Kv cells stand in the sheet's columns although they sit inside the frame.
    placeCell(lblKvmincalc, kMinLeft - kCaptionLeft, 480);
    placeCell(lblKvnormcalc, kNormLeft - kCaptionLeft, 480);
    placeCell(lblKvmaxcalc, kMaxLeft - kCaptionLeft, 480);
    place(cmbKvUnit, kUnitListLeft - kCaptionLeft, 420, kUnitListWidth, kListHeight);
    place(lblReduktion, 9480, 480, 1215, kCellHeight);
    for (ComboBox *list : {&cmbP1unit, &cmbP2unit, &cmbT1unit, &cmbQunit, &cmbDNVentil, &cmbDNunit, &cmbKvsCv,
                           &cmbKvUnit, &cmbDNRohr1, &cmbDNRohr2, &cmbGeschwindigkeit, &cmbStoffwert1unit,
                           &cmbStoffwert2unit, &cmbStoffwert3unit})
        list->setStyle(ComboBox::Style::DropdownList);

    struct FixedRow {
        Label &caption;
        Label *min, *norm, *max, *unit;
        int top;
    };
    const FixedRow fixedRows[] = {
        {lblStellverhältnis, &lblSTVmin, &lblSTVnorm, &lblSTVmax, &lblSTVVentil, 4440},
        {lblVentiloeffnung, &lblYmin, &lblYnorm, &lblYmax, &lblYunit, 4680},
        {lblMaxDurchfluss, nullptr, nullptr, &lblQymax, &lblQymaxunit, 5040},
        {lblDurchflussreserve, nullptr, nullptr, &lblQReserve, &lblQResunit, 5280}};
    for (const FixedRow &r : fixedRows) {
        placeCaption(r.caption, r.top);
        if (r.min)
            placeCell(*r.min, kMinLeft, r.top);
        if (r.norm)
            placeCell(*r.norm, kNormLeft, r.top);
        placeCell(*r.max, kMaxLeft, r.top);
        place(*r.unit, kUnitLeft, r.top, kUnitListWidth, kCellHeight);
    }
    lblYunit.setCaption(QStringLiteral("%"));
    lblQResunit.setCaption(QStringLiteral("%"));
    Line1.setPoints(kCaptionLeft, 5520, kFrameLeft + kFrameWidth - 120, 5520);

    // Valve result rows: hidden at creation, placed by the show procedures.
    Label *resultCaptions[] = {&lblXTWert, &lblxWert, &lblzyWert, &lblxFWert, &lblKavitation, &lblFLWert,
                               &lblChokedFlow};
    for (Label *caption : resultCaptions) {
        placeCaption(*caption, 0);
        caption->setVisible(false);
    }
    Label *resultCells[][3] = {{&lblxTMin, &lblxTNorm, &lblxTMax},
                               {&lblxMin, &lblxNorm, &lblxMax},
                               {&lblzyMin, &lblzyNorm, &lblzyMax},
                               {&lblxFMin, &lblxFNorm, &lblxFMax},
                               {&lblKavitationMin, &lblKavitationNorm, &lblKavitationMax},
                               {&lblFlmin, &lblFlnorm, &lblFlmax},
                               {&lblChokedFlowMin, &lblChokedFlowNorm, &lblChokedFlowMax}};
    for (auto &cells : resultCells) {
        const int lefts[] = {kMinLeft, kNormLeft, kMaxLeft};
        for (int i = 0; i < 3; ++i) {
            placeCell(*cells[i], lefts[i]);
            cells[i]->setVisible(false);
        }
    }

    // Pipe, noise and fluid blocks: only their columns here; the show procedures set the tops.
    placeBlockFrame(frameRohrleitung, 0, 1560);
    placeTitle(lblRohrleitung, 0);
    placeCaption(lblRohrNennweite, 0);
    lblRohrNennweite.setWidth(1800);
    place(lblEingang, kPipeCaptionLeft, 0, 960, kCellHeight);
    place(lblAusgang, kPipeCaptionLeft, 0, 960, kCellHeight);
    place(cmbDNRohr1, kMinLeft, 0, kFieldWidth, kListHeight);
    place(cmbDNRohr2, kMinLeft, 0, kFieldWidth, kListHeight);
    for (OptionButton *option : {&optDNVentil, &optOptimiert, &optVorgabe})
        place(*option, kNormLeft, 0, 2760, 255);
    placeCaption(lblStroemungsgeschwindigkeit, 0);
    place(lblEingang2, kPipeCaptionLeft, 0, 960, kCellHeight);
    place(lblAusgang2, kPipeCaptionLeft, 0, 960, kCellHeight);
    for (Label *cell : {&lblV1min, &lblV2min})
        placeCell(*cell, kMinLeft);
    for (Label *cell : {&lblV1norm, &lblV2norm})
        placeCell(*cell, kNormLeft);
    for (Label *cell : {&lblV1max, &lblV2max})
        placeCell(*cell, kMaxLeft);
    place(cmbGeschwindigkeit, kUnitListLeft, 0, kUnitListWidth, kListHeight);

    placeBlockFrame(frameSchalldruck, 0, 960);
    placeTitle(lblSchalldruck, 0);
    for (Label *caption : {&lblSchallBerechnungVDMA, &lblSchallkorrektur, &lblSchallerwartung})
        placeCaption(*caption, 0);
    for (Label *cell : {&lblSchallVDMAmin, &lblSchallkorrekturmin, &lblSchallerwartmin})
        placeCell(*cell, kMinLeft);
    for (Label *cell : {&lblSchallVDMAnorm, &lblSchallkorrekturnorm, &lblSchallerwartnorm})
        placeCell(*cell, kNormLeft);
    for (Label *cell : {&lblSchallVDMAmax, &lblSchallkorrekturmax, &lblSchallerwartmax})
        placeCell(*cell, kMaxLeft);
    for (Label *unit : {&lblSchallunit, &lblSchallunit2, &lblSchallunit3}) {
        place(*unit, kUnitLeft, 0, kUnitListWidth, kCellHeight);
        unit->setCaption(QStringLiteral("dB(A)"));
    }

    placeBlockFrame(frameStoffdaten, 0, 1200);
    placeTitle(lblStoffdaten, 0);
    for (Label *caption : {&lblStoffwert1, &lblStoffwert2, &lblStoffwert3})
        placeCaption(*caption, 0);
    for (Label *cell : {&lblStoffwert1min, &lblStoffwert2min, &lblStoffwert3min})
        placeCell(*cell, kMinLeft);
    for (Label *cell : {&lblStoffwert1norm, &lblStoffwert2norm, &lblStoffwert3norm})
        placeCell(*cell, kNormLeft);
    for (Label *cell : {&lblStoffwert1max, &lblStoffwert2max, &lblStoffwert3max})
        placeCell(*cell, kMaxLeft);
    for (ComboBox *list : {&cmbStoffwert1unit, &cmbStoffwert2unit, &cmbStoffwert3unit})
        place(*list, kUnitListLeft, 0, kUnitListWidth, kListHeight);

    // Tab walks the input boxes row by row, then the choices.
    int tab = 0;
    for (Control *c : controls())
        if (c->canHoldFocus())
            c->setTabIndex(tab++);
}

void frmCalcSize::connectHandlers()
{
    txtp1min.Change = [this] { txtp1min_Change(); };
    txtp1norm.Change = [this] { txtp1norm_Change(); };
    txtp1max.Change = [this] { txtp1max_Change(); };
    txtp2min.Change = [this] { txtp2min_Change(); };
    txtp2norm.Change = [this] { txtp2norm_Change(); };
    txtp2max.Change = [this] { txtp2max_Change(); };
    txtT1min.Change = [this] { txtT1min_Change(); };
    txtT1norm.Change = [this] { txtT1norm_Change(); };
    txtT1max.Change = [this] { txtT1max_Change(); };
    txtQmin.Change = [this] { txtQmin_Change(); };
    txtQnorm.Change = [this] { txtQnorm_Change(); };
    txtQmax.Change = [this] { txtQmax_Change(); };

    txtp1min.GotFocus = [this] { txtp1min_GotFocus(); };
    txtp1norm.GotFocus = [this] { txtp1norm_GotFocus(); };
    txtp1max.GotFocus = [this] { txtp1max_GotFocus(); };
    txtp2min.GotFocus = [this] { txtp2min_GotFocus(); };
    txtp2norm.GotFocus = [this] { txtp2norm_GotFocus(); };
    txtp2max.GotFocus = [this] { txtp2max_GotFocus(); };
    txtT1min.GotFocus = [this] { txtT1min_GotFocus(); };
    txtT1norm.GotFocus = [this] { txtT1norm_GotFocus(); };
    txtT1max.GotFocus = [this] { txtT1max_GotFocus(); };
    txtQmin.GotFocus = [this] { txtQmin_GotFocus(); };
    txtQnorm.GotFocus = [this] { txtQnorm_GotFocus(); };
    txtQmax.GotFocus = [this] { txtQmax_GotFocus(); };

    txtp1min.LostFocus = [this] { txtp1min_LostFocus(); };
    txtp1norm.LostFocus = [this] { txtp1norm_LostFocus(); };
    txtp1max.LostFocus = [this] { txtp1max_LostFocus(); };
    txtp2min.LostFocus = [this] { txtp2min_LostFocus(); };
    txtp2norm.LostFocus = [this] { txtp2norm_LostFocus(); };
    txtp2max.LostFocus = [this] { txtp2max_LostFocus(); };
    txtT1min.LostFocus = [this] { txtT1min_LostFocus(); };
    txtT1norm.LostFocus = [this] { txtT1norm_LostFocus(); };
    txtT1max.LostFocus = [this] { txtT1max_LostFocus(); };
    txtQmin.LostFocus = [this] { txtQmin_LostFocus(); };
    txtQnorm.LostFocus = [this] { txtQnorm_LostFocus(); };
    txtQmax.LostFocus = [this] { txtQmax_LostFocus(); };

    cmbP1unit.Click = [this] { cmbP1unit_Click(); };
    cmbP2unit.Click = [this] { cmbP2unit_Click(); };
    cmbT1unit.Click = [this] { cmbT1unit_Click(); };
    cmbQunit.Click = [this] { cmbQunit_Click(); };
    cmbStoffwert1unit.Click = [this] { cmbStoffwert1unit_Click(); };
    cmbStoffwert2unit.Click = [this] { cmbStoffwert2unit_Click(); };
    cmbStoffwert3unit.Click = [this] { cmbStoffwert3unit_Click(); };
    cmbGeschwindigkeit.Click = [this] { cmbGeschwindigkeit_Click(); };
    cmbKvUnit.Click = [this] { cmbKvUnit_Click(); };
    cmbDNunit.Click = [this] { cmbDNunit_Click(); };

    cmbDNVentil.Click = [this] { cmbDNVentil_Click(); };
    cmbKvsCv.Click = [this] { cmbKvsCv_Click(); };
    cmbDNRohr1.Click = [this] { cmbDNRohr1_Click(); };
    cmbDNRohr2.Click = [this] { cmbDNRohr2_Click(); };

    optLinear.Click = [this] { optLinear_Click(); };
    optGleichprozentig.Click = [this] { optGleichprozentig_Click(); };
    optAufZu.Click = [this] { optAufZu_Click(); };
    optDNMin.Click = [this] { optDNMin_Click(); };
    optDNfest.Click = [this] { optDNfest_Click(); };
    optKvoptimal.Click = [this] { optKvoptimal_Click(); };
    optKvFest.Click = [this] { optKvFest_Click(); };
    optDNVentil.Click = [this] { optDNVentil_Click(); };
    optOptimiert.Click = [this] { optOptimiert_Click(); };
    optVorgabe.Click = [this] { optVorgabe_Click(); };

    chkMin.Click = [this] { chkMin_Click(); };
    chkNorm.Click = [this] { chkNorm_Click(); };
}

void frmCalcSize::fillEngineAccess()
{
    SizingSheetAccess &a = access_;
    a.txtp1min = &txtp1min;
    a.txtp2min = &txtp2min;
    a.txtT1min = &txtT1min;
    a.txtQmin = &txtQmin;
    a.txtp1norm = &txtp1norm;
    a.txtp2norm = &txtp2norm;
    a.txtT1norm = &txtT1norm;
    a.txtQnorm = &txtQnorm;
    a.txtp1max = &txtp1max;
    a.txtp2max = &txtp2max;
    a.txtT1max = &txtT1max;
    a.txtQmax = &txtQmax;
    a.cmbDNVentil = &cmbDNVentil;
    a.cmbKvsCv = &cmbKvsCv;
    a.lblYmin = &lblYmin;
    a.lblYnorm = &lblYnorm;
    a.lblYmax = &lblYmax;
    a.lblYunit = &lblYunit;
    a.lblKvmincalc = &lblKvmincalc;
    a.lblKvnormcalc = &lblKvnormcalc;
    a.lblKvmaxcalc = &lblKvmaxcalc;
    a.lblReduktion = &lblReduktion;
    a.lblSTVVentil = &lblSTVVentil;
    a.lblSTVmin = &lblSTVmin;
    a.lblSTVnorm = &lblSTVnorm;
    a.lblSTVmax = &lblSTVmax;
    a.lblQymax = &lblQymax;
    a.lblQymaxunit = &lblQymaxunit;
    a.lblQReserve = &lblQReserve;
    a.lblQResunit = &lblQResunit;
    a.lblzyMin = &lblzyMin;
    a.lblzyNorm = &lblzyNorm;
    a.lblzyMax = &lblzyMax;
    a.lblxFMin = &lblxFMin;
    a.lblxFNorm = &lblxFNorm;
    a.lblxFMax = &lblxFMax;
    a.lblFlmin = &lblFlmin;
    a.lblFlnorm = &lblFlnorm;
    a.lblFlmax = &lblFlmax;
    a.lblKavitationMin = &lblKavitationMin;
    a.lblKavitationNorm = &lblKavitationNorm;
    a.lblKavitationMax = &lblKavitationMax;
    a.lblxTMin = &lblxTMin;
    a.lblxTNorm = &lblxTNorm;
    a.lblxTMax = &lblxTMax;
    a.lblxMin = &lblxMin;
    a.lblxNorm = &lblxNorm;
    a.lblxMax = &lblxMax;
    a.lblChokedFlowMin = &lblChokedFlowMin;
    a.lblChokedFlowNorm = &lblChokedFlowNorm;
    a.lblChokedFlowMax = &lblChokedFlowMax;
    a.lblV1min = &lblV1min;
    a.lblV1norm = &lblV1norm;
    a.lblV1max = &lblV1max;
    a.lblV2min = &lblV2min;
    a.lblV2norm = &lblV2norm;
    a.lblV2max = &lblV2max;
    a.lblSchallVDMAmin = &lblSchallVDMAmin;
    a.lblSchallVDMAnorm = &lblSchallVDMAnorm;
    a.lblSchallVDMAmax = &lblSchallVDMAmax;
    a.lblSchallkorrekturmin = &lblSchallkorrekturmin;
    a.lblSchallkorrekturnorm = &lblSchallkorrekturnorm;
    a.lblSchallkorrekturmax = &lblSchallkorrekturmax;
    a.lblSchallerwartmin = &lblSchallerwartmin;
    a.lblSchallerwartnorm = &lblSchallerwartnorm;
    a.lblSchallerwartmax = &lblSchallerwartmax;
    a.lblStoffwert1min = &lblStoffwert1min;
    a.lblStoffwert1norm = &lblStoffwert1norm;
    a.lblStoffwert1max = &lblStoffwert1max;
    a.lblStoffwert2min = &lblStoffwert2min;
    a.lblStoffwert2norm = &lblStoffwert2norm;
    a.lblStoffwert2max = &lblStoffwert2max;
    a.lblStoffwert3min = &lblStoffwert3min;
    a.lblStoffwert3norm = &lblStoffwert3norm;
    a.lblStoffwert3max = &lblStoffwert3max;
    a.update_DNRohrleitung = [this](QString &DN1Rohr, QString &DN2Rohr, int DNunit) {
        update_DNRohrleitung(DN1Rohr, DN2Rohr, DNunit);
    };
}

void frmCalcSize::unregister()
{
    if (activeSizingSheet() == &access_)
        setActiveSizingSheet(nullptr);
}

void frmCalcSize::Form_Unload(int &Cancel)
{
    (void)Cancel;
    unregister();
}

DefaultInstance<frmCalcSize> &calcSizeSheet()
{
    static DefaultInstance<frmCalcSize> instance;
    return instance;
}

void setFluidWizardProvider(std::function<Form *()> provider)
{
    wizardProvider() = std::move(provider);
}

namespace calcsize {

Form *fluidWizard()
{
    const auto &provider = wizardProvider();
    return provider ? provider() : nullptr;
}

} // namespace calcsize
