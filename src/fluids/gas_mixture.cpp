#include "fluids/gas_mixture.h"

#include "fluids/fluid_database.h"
#include "fluids/medium_handover.h"
#include "platform/core/number_text.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QString>

namespace {

// Norm density in kg/m3 of one kg/kmol at 0 °C and 1.01325 bar.
constexpr double kNormDensityPerMolarMass = 0.04462;

bool number(const QString &text, double *value)
{
    return numtext::parse(text, value);
}

// A share, exponent or molar mass read as a number; a field that holds none counts as 0.
double numberOr0(const QString &text)
{
    double v = 0.0;
    return number(text, &v) ? v : 0.0;
}

// The running sums live in label texts, which keep fifteen significant digits.
double fifteenDigits(double value)
{
    return QString::number(value, 'g', 15).toDouble();
}

// A density conversion shown with four digits; a text that is no number stays empty.
QString densityText(const Variant &converted)
{
    return converted.isEmpty() ? QString() : formatZahl4(converted).toString();
}

} // namespace

frmGasgemisch::frmGasgemisch() : Form(QStringLiteral("frmGasgemisch"))
{
    setKind(Kind::Dialog);
    layout();
    for (int i = 0; i < 6; ++i) {
        lblKomponente[i].setCaption(QString::number(i + 1));
        txtVolAnteil[i].setText(QStringLiteral("0"));
    }
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.setDefault(true);
    cmdOK.setEnabled(false);
    cmdAbbruch.setCancel(true);
    // Leaving the dialog is always possible, also from a share that holds no number.
    cmdAbbruch.setCausesValidation(false);
    connectHandlers();
}

void frmGasgemisch::layout()
{
    move(0, 0, 9495, 6360);
    frmKomponente.move(120, 120, 9255, 3060);
    lblVolAnteil.move(480, 240, 735, 420);
    lblBezeichnung.move(1320, 240, 2295, 420);
    lblKappa.move(3720, 240, 1695, 420);
    optNormdichte.move(5520, 240, 255, 255);
    lblNormdichte.move(5790, 240, 2025, 420);
    optMGewicht.move(7920, 240, 255, 255);
    lblMGewicht.move(8190, 240, 960, 420);
    for (int i = 0; i < 6; ++i) {
        const int top = 720 + i * 375;
        lblKomponente[i].move(120, top + 30, 240, 255);
        txtVolAnteil[i].move(480, top, 735, 285);
        txtMedium[i].move(1320, top, 2295, 285);
        txtKappa[i].move(3720, top, 1695, 285);
        txtRhon[i].move(5520, top, 975, 285);
        cmbRhounit[i].move(6540, top, 1275, 315);
        cmbRhounit[i].setStyle(ComboBox::Style::DropdownList);
        txtMGewicht[i].move(7920, top, 1215, 285);
    }

    frmGemisch.move(120, 3300, 9255, 1095);
    for (Label *result : {&lblVolAnteilGemisch, &lblBezeichnungGemisch, &lblKappaGemisch, &lblRhoNGemisch,
                          &lblMGewichtGemisch})
        result->setBorder(true);
    lblVolAnteilGemisch.move(480, 300, 735, 285);
    // Up to three lines: a designation of six components is long.
    lblBezeichnungGemisch.move(1320, 300, 2295, 645);
    lblKappaGemisch.move(3720, 300, 1695, 285);
    lblRhoNGemisch.move(5520, 300, 975, 285);
    cmbRhounitGemisch.move(6540, 300, 1275, 315);
    cmbRhounitGemisch.setStyle(ComboBox::Style::DropdownList);
    lblMGewichtGemisch.move(7920, 300, 1215, 285);

    lstSubstanz.move(120, 4560, 4095, 1665);
    cmdÜbernahme.move(4320, 4560, 1515, 375);
    cmdOK.move(6540, 5850, 1335, 375);
    cmdAbbruch.move(8040, 5850, 1335, 375);

    int tab = 0;
    for (int i = 0; i < 6; ++i) {
        for (Control *c : std::initializer_list<Control *>{&txtVolAnteil[i], &txtMedium[i], &txtKappa[i], &txtRhon[i],
                                                           &cmbRhounit[i], &txtMGewicht[i]})
            c->setTabIndex(tab++);
    }
    for (Control *c : std::initializer_list<Control *>{&optNormdichte, &optMGewicht, &cmbRhounitGemisch,
                                                       &lstSubstanz, &cmdÜbernahme, &cmdOK, &cmdAbbruch})
        c->setTabIndex(tab++);
}

void frmGasgemisch::connectHandlers()
{
    for (int i = 0; i < 6; ++i) {
        txtVolAnteil[i].Change = [this, i] { txtVolAnteil_Change(i); };
        txtVolAnteil[i].Validate = [this, i](int &Cancel) { txtVolAnteil_Validate(i, Cancel); };
        txtMedium[i].Change = [this, i] { txtMedium_Change(i); };
        txtKappa[i].Change = [this, i] { txtKappa_Change(i); };
        txtRhon[i].Change = [this, i] { txtRhon_Change(i); };
        txtMGewicht[i].Change = [this, i] { txtMGewicht_Change(i); };
        cmbRhounit[i].Click = [this, i] { cmbRhounit_Click(i); };
        for (TextBox *field : {&txtVolAnteil[i], &txtMedium[i], &txtKappa[i], &txtRhon[i], &txtMGewicht[i]})
            field->GotFocus = [this, field] { selectAll(*field); };
    }
    lblVolAnteilGemisch.Change = [this] { lblVolAnteilGemisch_Change(); };
    cmbRhounitGemisch.Click = [this] { cmbRhounitGemisch_Click(); };
    optNormdichte.Click = [this] { optNormdichte_Click(); };
    optMGewicht.Click = [this] { optMGewicht_Click(); };
    lstSubstanz.Click = [this] { lstSubstanz_Click(); };
    lstSubstanz.DblClick = [this] { lstSubstanz_DblClick(); };
    cmdÜbernahme.Click = [this] { cmdÜbernahme_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdAbbruch.Click = [this] { cmdAbbruch_Click(); };
}

void frmGasgemisch::Form_Load()
{
    const int Sprache = shared().Sprache;
    setCaption(getText(QStringLiteral("Mischungen Idealer Gase"), Sprache));
    frmKomponente.setCaption(getText(QStringLiteral("Komponente"), Sprache));
    frmGemisch.setCaption(getText(QStringLiteral("Gemisch"), Sprache));
    lblVolAnteil.setCaption(getText(QStringLiteral("Vol. %"), Sprache));
    lblBezeichnung.setCaption(getText(QStringLiteral("Bezeichnung"), Sprache));
    lblKappa.setCaption(getText(QStringLiteral("Isentropenexponent"), Sprache));
    lblNormdichte.setCaption(getText(QStringLiteral("Normdichte"), Sprache));
    lblMGewicht.setCaption(getText(QStringLiteral("Molgewicht"), Sprache));
    cmdÜbernahme.setCaption(getText(QStringLiteral("Übernehmen"), Sprache));
    cmdAbbruch.setCaption(getText(QStringLiteral("Abbruch"), Sprache));

    rhoUnit_ = shared().rhoUnit;
    fluiddb::loadTable(QStringLiteral("IdealeGase"),
                       {QStringLiteral("SUBSTANZ"), QStringLiteral("Kappa"), QStringLiteral("RHON"),
                        QStringLiteral("RHOUNIT")},
                       dbStoffdaten, rsStoffdaten, [this] { fillList(); });
    if (!rsStoffdaten)
        return;

    for (int i = 0; i < 6; ++i) {
        for (int unit = 0; unit <= 1; ++unit)
            cmbRhounit[i].addItem(EinheitDichte(Variant(unit)));
        rhoUnitKomponente[static_cast<size_t>(i)] = rhoUnit_;
        cmbRhounit[i].setListIndex(rhoUnit_);
    }
    for (int unit = 0; unit <= 1; ++unit)
        cmbRhounitGemisch.addItem(EinheitDichte(Variant(unit)));
    cmbRhounitGemisch.setListIndex(rhoUnit_);
}

void frmGasgemisch::Form_Unload(int &Cancel)
{
    (void)Cancel;
    rsStoffdaten.reset();
    dbStoffdaten.reset();
}

void frmGasgemisch::fillList()
{
    lstSubstanz.clear();
    Recordset &rs = *rsStoffdaten;
    rs.moveFirst();
    for (long step = 0; !rs.eof() && step < fluiddb::kStepLimit; ++step) {
        const Variant substanz = rs.field(QStringLiteral("SUBSTANZ"));
        if (!substanz.isNull())
            lstSubstanz.addItem(substanz.toString());
        rs.moveNext();
    }
}

// ---------------------------------------------------------------------------------------------- the results

void frmGasgemisch::calcBezeichnungGemisch()
{
    // The first row is always named, whatever it holds; the others only with a name and a share above 0.
    QString text = txtVolAnteil[0].text() + QStringLiteral(" % ") + txtMedium[0].text();
    for (int i = 1; i < 6; ++i) {
        if (!txtMedium[i].text().isEmpty() && numberOr0(txtVolAnteil[i].text()) > 0)
            text += QStringLiteral(" + ") + txtVolAnteil[i].text() + QStringLiteral(" % ") + txtMedium[i].text();
    }
    lblBezeichnungGemisch.setCaption(text);
}

void frmGasgemisch::calcKappaGemisch()
{
    double sum = 0.0;
    for (int i = 0; i < 6; ++i) {
        const double x = numberOr0(txtVolAnteil[i].text()) / 100.0;
        double kappa = 0.0;
        if (x > 0 && number(txtKappa[i].text(), &kappa) && kappa > 1)
            sum = fifteenDigits(sum + x / (kappa - 1.0));
    }
    const double kappaMix = sum != 0.0 ? 1.0 + 1.0 / sum : 0.0;
    lblKappaGemisch.setCaption(formatZahl4(Variant(kappaMix)).toString());
}

void frmGasgemisch::calcMGewichtRhoNGemisch()
{
    double molarMass = 0.0;
    for (int i = 0; i < 6; ++i) {
        double m = 0.0;
        const double share = numberOr0(txtVolAnteil[i].text());
        if (number(txtMGewicht[i].text(), &m) && share > 0)
            molarMass = fifteenDigits(molarMass + m * share / 100.0);
    }
    lblMGewichtGemisch.setCaption(formatZahl4(Variant(molarMass)).toString());
    // From the molar mass as shown, four digits.
    const double shown = numberOr0(lblMGewichtGemisch.caption());
    lblRhoNGemisch.setCaption(
        formatZahl4(umrechnenDichte(Variant(shown * kNormDensityPerMolarMass), 0, rhoUnit_)).toString());
}

// -------------------------------------------------------------------------------------------------- fields

void frmGasgemisch::txtVolAnteil_Change(int i)
{
    if (Variant(txtVolAnteil[i].text()).isNumeric()) {
        double total = 0.0;
        for (int row = 0; row < 6; ++row)
            total += numberOr0(txtVolAnteil[row].text());
        lblVolAnteilGemisch.setCaption(Variant(total).toString());
    }
    calcBezeichnungGemisch();
    calcKappaGemisch();
    calcMGewichtRhoNGemisch();
}

void frmGasgemisch::txtVolAnteil_Validate(int i, int &Cancel)
{
    if (!Variant(txtVolAnteil[i].text()).isNumeric()) {
        uiServices().beep();
        Cancel = 1;
    }
}

void frmGasgemisch::lblVolAnteilGemisch_Change()
{
    // Compared as read back from the text: 33.3 + 33.3 + 33.4 makes 100.
    double total = 0.0;
    cmdOK.setEnabled(number(lblVolAnteilGemisch.caption(), &total) && total == 100.0);
}

void frmGasgemisch::txtMedium_Change(int i)
{
    (void)i;
    calcBezeichnungGemisch();
}

void frmGasgemisch::txtKappa_Change(int i)
{
    (void)i;
    calcKappaGemisch();
}

void frmGasgemisch::txtRhon_Change(int i)
{
    if (optNormdichte.value() && Variant(txtRhon[i].text()).isNumeric()) {
        const double rho = umrechnenDichte(Variant(txtRhon[i].text()), rowDensityUnit(i), 0).asNumber();
        txtMGewicht[i].setText(formatHashHashDotHashHash(rho / kNormDensityPerMolarMass));
    }
    calcMGewichtRhoNGemisch();
}

void frmGasgemisch::txtMGewicht_Change(int i)
{
    if (optMGewicht.value() && Variant(txtMGewicht[i].text()).isNumeric()) {
        const double m = numberOr0(txtMGewicht[i].text());
        txtRhon[i].setText(formatHashHashDotHashHash(
            umrechnenDichte(Variant(m * kNormDensityPerMolarMass), 0, rowDensityUnit(i)).asNumber()));
    }
    // The two-decimal density written above often stays as it was for the last digit typed, so it cannot be what
    // carries the molar mass into the mixture.
    calcMGewichtRhoNGemisch();
}

void frmGasgemisch::cmbRhounit_Click(int i)
{
    const int neu = cmbRhounit[i].listIndex();
    if (neu < 0)
        return;
    const Variant converted = umrechnenDichte(Variant(txtRhon[i].text()), rowDensityUnit(i), neu);
    // The row's unit is set before the text, whose handler reads it.
    rhoUnitKomponente[static_cast<size_t>(i)] = neu;
    txtRhon[i].setText(densityText(converted));
}

void frmGasgemisch::cmbRhounitGemisch_Click()
{
    const int neu = cmbRhounitGemisch.listIndex();
    if (neu < 0)
        return;
    const int previous = rhoUnit_;
    rhoUnit_ = neu;
    lblRhoNGemisch.setCaption(densityText(umrechnenDichte(Variant(lblRhoNGemisch.caption()), previous, neu)));
}

void frmGasgemisch::optNormdichte_Click()
{
    for (int i = 0; i < 6; ++i) {
        txtRhon[i].setEnabled(true);
        txtMGewicht[i].setEnabled(false);
    }
}

void frmGasgemisch::optMGewicht_Click()
{
    for (int i = 0; i < 6; ++i) {
        txtRhon[i].setEnabled(false);
        txtMGewicht[i].setEnabled(true);
    }
}

void frmGasgemisch::selectAll(TextBox &field)
{
    field.setSelStart(0);
    field.setSelLength(static_cast<int>(field.text().size()));
}

// ------------------------------------------------------------------------------------------ list and take-over

void frmGasgemisch::lstSubstanz_Click()
{
    if (lstSubstanz.listIndex() < 0 || !rsStoffdaten)
        return;
    try {
        gasChosen_ = fluiddb::findByName(*rsStoffdaten, lstSubstanz.text());
    } catch (const DbError &e) {
        gasChosen_ = false;
        fluiddb::reportOpenFailure(e);
    }
}

void frmGasgemisch::lstSubstanz_DblClick()
{
    cmdÜbernahme_Click();
}

void frmGasgemisch::cmdÜbernahme_Click()
{
    if (!gasChosen_ || !rsStoffdaten)
        return;
    int i = -1;
    for (int row = 0; row < 6 && i < 0; ++row) {
        if (txtMedium[row].text().isEmpty())
            i = row;
    }
    if (i < 0)
        return;

    Variant substanz, kappa, rhon, rhounit;
    try {
        substanz = rsStoffdaten->field(QStringLiteral("SUBSTANZ"));
        kappa = rsStoffdaten->field(QStringLiteral("Kappa"));
        rhon = rsStoffdaten->field(QStringLiteral("RHON"));
        rhounit = rsStoffdaten->field(QStringLiteral("RHOUNIT"));
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
        return;
    }
    // A gas the table holds with impossible data (stored by another tool) does not become a component.
    if (!fluiddb::idealGasPossible(kappa, rhon, rhounit)) {
        uiServices().beep();
        lstSubstanz.setFocus();
        return;
    }

    rhoUnitKomponente[static_cast<size_t>(i)] = rhoUnit_;
    cmbRhounit[i].setListIndex(rhoUnit_);
    txtMedium[i].setText(substanz.toString());
    txtKappa[i].setText(formatZahl4(kappa).toString());
    txtRhon[i].setText(densityText(umrechnenDichte(rhon, static_cast<int>(rhounit.toInt()), rhoUnit_)));
    const double shown = umrechnenDichte(Variant(txtRhon[i].text()), rhoUnit_, 0).asNumber();
    txtMGewicht[i].setText(formatHashHashDotHashHash(shown / kNormDensityPerMolarMass));
    optNormdichte.setValue(true);
}

// ---------------------------------------------------------------------------------------------- OK, Abbruch

TextBox *frmGasgemisch::firstIncompleteField()
{
    TextBox *firstKappa = nullptr;
    TextBox *firstMolarMass = nullptr;
    for (int i = 0; i < 6; ++i) {
        double share = 0.0;
        if (!number(txtVolAnteil[i].text(), &share) || share < 0 || share > 100)
            return &txtVolAnteil[i];
        if (share == 0)
            continue;
        // A component that takes part needs a name, an exponent above 1 and a molar mass above 0.
        double kappa = 0.0;
        double m = 0.0;
        TextBox *molarMass = txtMGewicht[i].enabled() ? &txtMGewicht[i] : &txtRhon[i];
        if (txtMedium[i].text().trimmed().isEmpty())
            return &txtMedium[i];
        if (!number(txtKappa[i].text(), &kappa) || !physical::isValidKappa(kappa))
            return &txtKappa[i];
        if (!number(txtMGewicht[i].text(), &m) || !physical::isValidMolarMass(m))
            return molarMass;
        if (!firstKappa) {
            firstKappa = &txtKappa[i];
            firstMolarMass = molarMass;
        }
    }
    // The results as shown are what is stored and handed over: a four-digit exponent of 1.000, or a molar mass
    // and norm density that show as 0, are no gas either.
    if (firstKappa && !physical::isValidKappa(numberOr0(lblKappaGemisch.caption())))
        return firstKappa;
    if (firstMolarMass && (!physical::isValidMolarMass(numberOr0(lblMGewichtGemisch.caption())) ||
                           !physical::isValidDensity(numberOr0(lblRhoNGemisch.caption()))))
        return firstMolarMass;
    return nullptr;
}

void frmGasgemisch::cmdOK_Click()
{
    if (!rsStoffdaten)
        return;
    if (TextBox *field = firstIncompleteField()) {
        uiServices().beep();
        field->setFocus();
        return;
    }

    try {
        rsStoffdaten->addNew();
        rsStoffdaten->setField(QStringLiteral("SUBSTANZ"), Variant(lblBezeichnungGemisch.caption()));
        rsStoffdaten->setField(QStringLiteral("Kappa"), Variant(lblKappaGemisch.caption()));
        rsStoffdaten->setField(QStringLiteral("RHON"), Variant(lblRhoNGemisch.caption()));
        rsStoffdaten->setField(QStringLiteral("RHOUNIT"), Variant(cmbRhounitGemisch.listIndex()));
        rsStoffdaten->update();
    } catch (const DbError &e) {
        // Nothing is stored and nothing handed over; the entries stay for another try.
        if (rsStoffdaten->editing())
            rsStoffdaten->cancelUpdate();
        if (e.kind() == DbError::Kind::DuplicateKey)
            fluiddb::reportDuplicate();
        else
            fluiddb::reportWriteFailure(e);
        return;
    }

    lstSubstanz.setEnabled(true);
    try {
        fillList();
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
    }

    SharedData &d = shared();
    FluidUnits units = fluidUnitsOf(d);
    units.rhoUnit = rhoUnit_;
    handover::beginHandOver(units, 0, 3);
    d.NameMedium = lblBezeichnungGemisch.caption();
    const double kappaMix = numberOr0(lblKappaGemisch.caption());
    d.gammaMin = kappaMix;
    d.gammaNorm = kappaMix;
    d.gammaMax = kappaMix;
    d.rhoN = numberOr0(lblRhoNGemisch.caption());

    rsStoffdaten.reset();
    unload();
    handover::reloadActiveSheet();
}

void frmGasgemisch::cmdAbbruch_Click()
{
    unload();
}

DefaultInstance<frmGasgemisch> &frmGasgemischInstance()
{
    static DefaultInstance<frmGasgemisch> instance;
    return instance;
}

void showGasMixture()
{
    frmGasgemisch &dialog = frmGasgemischInstance().get();
    if (!dialog.databaseOpen()) {
        frmGasgemischInstance().unload();
        return;
    }
    dialog.centerOnScreen();
    dialog.showModal();
}
