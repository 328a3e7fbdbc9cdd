#include "fluids/fluid_wizard.h"

#include "fluids/fluid_database.h"
#include "fluids/record_entry.h"
#include "platform/core/number_text.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/texts.h"
#include "units/unit_lists.h"

namespace {

const QStringList kColumns = {QStringLiteral("SUBSTANZ"), QStringLiteral("FORMEL"), QStringLiteral("M"),
                              QStringLiteral("TS"),       QStringLiteral("TKRIT"),  QStringLiteral("PKRIT"),
                              QStringLiteral("W"),        QStringLiteral("PUNIT"),  QStringLiteral("TUNIT")};

bool numeric(const TextBox &field)
{
    return Variant(field.text()).isNumeric();
}

// A unit index stored in a record, when it names an entry of its list.
std::optional<int> storedUnit(const Recordset &rs, const QString &column, int last)
{
    const Variant v = rs.field(column);
    if (!v.isNumeric())
        return std::nullopt;
    const double unit = v.toDouble();
    if (unit != std::floor(unit) || unit < 0 || unit > last)
        return std::nullopt;
    return static_cast<int>(unit);
}

// Sets a list's position as code does: its handler runs, also when the position stays as it was.
void selectEntry(ComboBox &list, int index)
{
    if (list.listIndex() != index)
        list.setListIndex(index);
    else if (list.Click)
        list.Click();
}

} // namespace

frmStoffdatenAssistent::frmStoffdatenAssistent() : Form(QStringLiteral("frmStoffdatenAssistent"))
{
    setKind(Kind::Dialog);
    buildDesign();
    connectHandlers();
}

// The window as designed: the list with its sort options and record buttons on the left, the base data on the
// right, the operating points and results below, the state options and the main buttons at the foot.
void frmStoffdatenAssistent::buildDesign()
{
    move(0, 0, 9120, 9420);

    lblIdgas.move(120, 120, 3255, 255);
    lstSubstanz.move(120, 420, 3255, 3585);
    lstSubstanz.setSorted(true);
    Rahmen1.move(120, 4080, 3255, 615);
    optSortiereName.move(120, 255, 1500, 255);
    optSortiereFormel.move(1680, 255, 1455, 255);
    cmdNeu.move(120, 4800, 1035, 375);
    cmdBearbeiten.move(1230, 4800, 1035, 375);
    cmdLöschen.move(2340, 4800, 1035, 375);

    lblBasisdaten.move(3600, 120, 5280, 255);
    lblBasisdaten.setFontBold(true);
    const struct {
        Label *caption;
        TextBox *field;
        int width;
    } baseRows[] = {{&bezMedium, &txtMedium, 3540}, {&lblFormel, &txtFormel, 1455}, {&bezMol, &txtMol, 1455},
                    {&bezSiede, &txtTs, 1455},      {&bezKritTemp, &txtTkrit, 1455}, {&bezpc, &txtpkrit, 1455},
                    {&bezAzFaktor, &txtazFaktor, 1455}};
    int top = 420;
    for (const auto &row : baseRows) {
        row.caption->move(3600, top + 30, 1695, 255);
        row.field->move(5340, top, row.width, 285);
        top += 405;
    }
    // One temperature unit serves the boiling point and the critical temperature below it.
    T_unit.move(6900, txtTs.top(), 1980, 315);
    p_unit.move(6900, txtpkrit.top(), 1980, 315);
    T_unit.setStyle(ComboBox::Style::DropdownList);
    p_unit.setStyle(ComboBox::Style::DropdownList);
    cmdazFaktor.move(6900, txtazFaktor.top(), 375, 285);
    cmdazFaktor.setCaption(QStringLiteral("?"));
    cmdÜbernahme.move(3600, 3300, 2400, 375);
    cmdEscBearbeiten.move(6105, 3300, 1500, 375);

    lblBDDim.move(120, 5400, 6000, 255);
    lblBDDim.setFontBold(true);
    constexpr int columnLeft[3] = {3360, 4560, 5760};
    constexpr int fieldWidth = 1095;
    Label *heads[3] = {&lblBDmin, &Bezeichnung7, &Bezeichnung4};
    const char *headTexts[3] = {"min.", "norm.", "max."};
    for (int c = 0; c < 3; ++c) {
        heads[c]->move(columnLeft[c], 5700, fieldWidth, 255);
        heads[c]->setAlignment(Label::Alignment::Center);
        heads[c]->setCaption(QString::fromLatin1(headTexts[c]));
    }
    // Rows: symbol, caption, three fields, unit. Viscosity and isentropic exponent share the last row: only the
    // one of the calculated state shows.
    const struct {
        Label *symbol;
        Label *caption;
        Row fields;
        Label *unit;
        QString symbolText;
        int row;
    } rows[] = {{&Bezeichnung5, nullptr, p1Row(), &lblp1_unit, QStringLiteral("p1"), 0},
                {&Bezeichnung8, nullptr, T1Row(), &lblT1_unit, QStringLiteral("T1"), 1},
                {&lblrho, &bezRho, rhoRow(), &lblrho_unit, QString(QChar(0x03C1)), 2},
                {&lblZ, &bezZ, ZRow(), nullptr, QStringLiteral("Z"), 3},
                {&lblps, &bezpsat, psatRow(), &lblp_unit, QStringLiteral("ps"), 4},
                {&lblnue, &beznue, nueRow(), &lblnue_unit, QString(QChar(0x03BD)), 5},
                {&lblgamma, &bezgamma, gammaRow(), nullptr, QString(QChar(0x03B3)), 5}};
    for (const auto &r : rows) {
        const int rowTop = 5985 + r.row * 360;
        r.symbol->move(120, rowTop + 30, 450, 255);
        r.symbol->setCaption(r.symbolText);
        if (r.caption)
            r.caption->move(600, rowTop + 30, 2640, 255);
        for (int c = 0; c < 3; ++c) {
            r.fields[c]->move(columnLeft[c], rowTop, fieldWidth, 285);
            r.fields[c]->setAlignment(TextBox::Alignment::Right);
        }
        if (r.unit)
            r.unit->move(6960, rowTop + 30, 1440, 255);
    }

    Rahmen2.move(120, 8280, 3240, 615);
    optflüssig.move(120, 255, 1320, 255);
    optgasdampf.move(1500, 255, 1680, 255);
    cmdCalc.move(3480, 8400, 2100, 375);
    cmdOK.move(5685, 8400, 2100, 375);
    cmdEsc.move(7890, 8400, 1110, 375);
    cmdOK.setDefault(true);
    cmdEscBearbeiten.setCancel(true);

    int tab = 0;
    for (Control *c : std::initializer_list<Control *>{
             &lstSubstanz, &optSortiereName, &optSortiereFormel, &cmdNeu, &cmdBearbeiten, &cmdLöschen, &txtMedium,
             &txtFormel, &txtMol, &txtTs, &T_unit, &txtTkrit, &txtpkrit, &p_unit, &txtazFaktor, &cmdazFaktor,
             &cmdÜbernahme, &cmdEscBearbeiten, &txtp1min, &txtp1norm, &txtp1max, &txtT1min, &txtT1norm, &txtT1max,
             &txtrhomin, &txtrhonorm, &txtrhomax, &txtZmin, &txtZnorm, &txtZmax, &txtpsatmin, &txtpsatnorm,
             &txtpsatmax, &txtnuemin, &txtnuenorm, &txtnuemax, &txtgammamin, &txtgammanorm, &txtgammamax,
             &optflüssig, &optgasdampf, &cmdCalc, &cmdOK, &cmdEsc})
        c->setTabIndex(tab++);

    // The state as designed, before loading changes anything.
    enableBaseData(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
    cmdCalc.setEnabled(false);
    cmdOK.setEnabled(false);
    showEditButtons(false);
    optflüssig.setEnabled(false);
    optgasdampf.setEnabled(false);
    for (TextBox *f : {&txtp1min, &txtp1norm, &txtp1max, &txtT1min, &txtT1norm, &txtT1max})
        f->setText(QStringLiteral("0"));
    for (TextBox *f : {&txtp1min, &txtp1norm, &txtT1min, &txtT1norm})
        f->setVisible(false);
    hideResults();
}

void frmStoffdatenAssistent::connectHandlers()
{
    lstSubstanz.Click = [this] { lstSubstanz_Click(); };
    optSortiereName.Click = [this] { optSortiereName_Click(); };
    optSortiereFormel.Click = [this] { optSortiereFormel_Click(); };
    p_unit.Click = [this] { p_unit_Click(); };
    T_unit.Click = [this] { T_unit_Click(); };
    cmdNeu.Click = [this] { cmdNeu_Click(); };
    cmdBearbeiten.Click = [this] { cmdBearbeiten_Click(); };
    cmdÜbernahme.Click = [this] { cmdÜbernahme_Click(); };
    cmdEscBearbeiten.Click = [this] { cmdEscBearbeiten_Click(); };
    cmdLöschen.Click = [this] { cmdLöschen_Click(); };
    cmdEsc.Click = [this] { cmdEsc_Click(); };
    cmdCalc.Click = [this] { cmdCalc_Click(); };
    optflüssig.Click = [this] { optflüssig_Click(); };
    optgasdampf.Click = [this] { optgasdampf_Click(); };
    cmdazFaktor.Click = [this] { cmdazFaktor_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };

    txtMedium.Change = [this] { cmdÜbernahme.setEnabled(!txtMedium.text().isEmpty()); };
    txtMedium.GotFocus = [this] { cmdÜbernahme.setEnabled(!txtMedium.text().isEmpty()); };
    for (TextBox *f : {&txtMol, &txtTs, &txtTkrit, &txtpkrit, &txtazFaktor}) {
        f->Change = [this, f] { baseNumberChanged(*f); };
        f->GotFocus = [this, f] { baseNumberGotFocus(*f); };
    }

    for (const Row &row : {p1Row(), T1Row()}) {
        for (TextBox *f : row) {
            f->GotFocus = [this, f] { resultGotFocus(*f); };
            f->LostFocus = [this, f] { resultLostFocus(*f); };
            f->Change = [this] { operatingPointChanged(); };
        }
    }
    for (const Row &row : {psatRow(), nueRow(), gammaRow()}) {
        for (TextBox *f : row) {
            f->GotFocus = [this, f] { resultGotFocus(*f); };
            f->LostFocus = [this, f] { resultLostFocus(*f); };
        }
    }
    // An impossible number typed over a result cannot be left (a text that is no number is put back on leaving).
    for (const Row &row : {T1Row(), rhoRow(), psatRow(), nueRow(), gammaRow()}) {
        for (TextBox *f : row)
            f->Validate = [this, f](int &Cancel) { resultValidate(*f, Cancel); };
    }
    // Leaving the wizard is always possible.
    cmdEsc.setCausesValidation(false);
    for (int c = 0; c < 3; ++c) {
        TextBox *rho = rhoRow()[c];
        TextBox *z = ZRow()[c];
        rho->GotFocus = [this, rho] { resultGotFocus(*rho); };
        rho->LostFocus = [this, rho, c] {
            resultLostFocus(*rho);
            densityLeft(c);
        };
        z->GotFocus = [this, z] { resultGotFocus(*z); };
        z->LostFocus = [this, z, c] {
            resultLostFocus(*z);
            realGasFactorLeft(c);
        };
    }
}

void frmStoffdatenAssistent::setCaptions(int Sprache)
{
    auto text = [Sprache](const char *key) { return getText(QString::fromUtf8(key), Sprache); };
    setCaption(text("Stoffdaten-Assistent"));
    lblIdgas.setCaption(text("Bitte Medium wählen"));
    lblBasisdaten.setCaption(text("Grunddaten für Berechnung"));
    cmdBearbeiten.setCaption(text("Bearbeiten"));
    cmdLöschen.setCaption(text("Löschen"));
    cmdNeu.setCaption(text("Neu"));
    bezMedium.setCaption(text("Medium"));
    bezMol.setCaption(text("Molgewicht"));
    lblFormel.setCaption(text("Formel"));
    bezSiede.setCaption(text("Siedepunkt"));
    bezKritTemp.setCaption(text("krit. Temperatur"));
    bezpc.setCaption(text("krit. Druck"));
    bezAzFaktor.setCaption(text("azentr. Faktor"));
    cmdÜbernahme.setCaption(text("Basisdaten übernehmen"));
    cmdEscBearbeiten.setCaption(text("Abbruch"));
    Rahmen1.setCaption(text("Sortieren"));
    optSortiereName.setCaption(text("Bezeichnung"));
    optSortiereFormel.setCaption(text("Formel"));
    lblBDDim.setCaption(text("Stoffdaten für Betriebszustand"));
    bezRho.setCaption(text("Dichte"));
    bezZ.setCaption(text("Realgasfaktor"));
    bezpsat.setCaption(text("Dampfdruck"));
    beznue.setCaption(text("Viskosität"));
    bezgamma.setCaption(text("Isentropenexponent"));
    Rahmen2.setCaption(text("Zustand"));
    optflüssig.setCaption(text("flüssig"));
    optgasdampf.setCaption(text("gas-/dampfförmig"));
    cmdOK.setCaption(text("Stoffdaten übernehmen"));
    cmdCalc.setCaption(text("Stoffdaten berechnen"));
    cmdEsc.setCaption(text("Abbruch"));
}

// ------------------------------------------------------------------------------------------------- loading

void frmStoffdatenAssistent::Form_Load()
{
    const SharedData &s = shared();
    setCaptions(s.Sprache);
    units_ = fluidUnitsOf(s);
    p1Unit_ = s.p1Unit;
    T1Unit_ = s.T1Unit;
    Modus_ = s.Modus;
    picked_.name = s.NameMedium;
    picked_.M = Variant(s.M);

    fluiddb::loadTable(QStringLiteral("Assistent"), kColumns, dbStoffdaten, rsStoffdaten, [] {});
    if (!rsStoffdaten)
        return;

    lblrho_unit.setCaption(EinheitDichte(Variant(units_.rhoUnit)));
    lblp1_unit.setCaption(EinheitDruck(Variant(p1Unit_)));
    for (int i = 0; i <= 16; ++i) {
        const QString unit = EinheitDruck(Variant(i));
        if (!unit.isEmpty())
            p_unit.addItem(unit);
    }
    p_unit.setListIndex(units_.pUnit);
    lblT1_unit.setCaption(EinheitTemperatur(Variant(T1Unit_)));
    for (int i = 0; i <= 16; ++i) {
        const QString unit = EinheitTemperatur(Variant(i));
        if (!unit.isEmpty())
            T_unit.addItem(unit);
    }
    T_unit.setListIndex(units_.TUnit);
    copyOperatingPoint();
    optSortiereName.setValue(true);
}

// The operating point as the active sheet shows it, text for text. A sheet that is not loaded is not loaded for
// this: the fields then keep their design texts.
void frmStoffdatenAssistent::copyOperatingPoint()
{
    if (Modus_ == 0) {
        frmCalcSize *sheet = calcSizeSheet().ifLoaded();
        if (!sheet)
            return;
        txtp1max.setText(sheet->txtp1max.text());
        txtT1max.setText(sheet->txtT1max.text());
        if (sheet->chkMin.value() == 1) {
            txtp1min.setVisible(true);
            txtT1min.setVisible(true);
            txtp1min.setText(sheet->txtp1min.text());
            txtT1min.setText(sheet->txtT1min.text());
        }
        if (sheet->chkNorm.value() == 1) {
            txtp1norm.setVisible(true);
            txtT1norm.setVisible(true);
            txtp1norm.setText(sheet->txtp1norm.text());
            txtT1norm.setText(sheet->txtT1norm.text());
        }
    } else if (Modus_ == 1) {
        FrmCalcFlow *sheet = frmCalcFlow().ifLoaded();
        if (!sheet)
            return;
        txtp1max.setText(sheet->txtp1max.text());
        txtT1max.setText(sheet->txtT1max.text());
    }
}

void frmStoffdatenAssistent::Form_Unload(int &Cancel)
{
    (void)Cancel;
    // The cursor goes before its database; a new or edited record not applied goes with it.
    rsStoffdaten.reset();
    dbStoffdaten.reset();
}

void frmStoffdatenAssistent::cmdEsc_Click()
{
    unload();
}

// -------------------------------------------------------------------------------------------- list and pick

void frmStoffdatenAssistent::fillList(bool byFormula)
{
    lstSubstanz.clear();
    Recordset &rs = *rsStoffdaten;
    rs.moveFirst();
    for (long step = 0; !rs.eof() && step < fluiddb::kStepLimit; ++step) {
        // A missing name or formula is an empty part: "Methan ()".
        const QString name = rs.field(QStringLiteral("SUBSTANZ")).toString();
        const QString formula = rs.field(QStringLiteral("FORMEL")).toString();
        const int at = lstSubstanz.addItem(byFormula ? formula + QStringLiteral(" (") + name + QLatin1Char(')')
                                                     : name + QStringLiteral(" (") + formula + QLatin1Char(')'));
        lstSubstanz.setItemData(at, static_cast<long>(rs.bookmark()));
        rs.moveNext();
    }
}

void frmStoffdatenAssistent::optSortiereName_Click()
{
    sortList(false);
}

void frmStoffdatenAssistent::optSortiereFormel_Click()
{
    sortList(true);
}

void frmStoffdatenAssistent::sortList(bool byFormula)
{
    if (!rsStoffdaten)
        return;
    try {
        fillList(byFormula);
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
        return;
    }
    // A new order keeps the substance picked last. Until the wizard has picked one, the current wizard medium is
    // picked when it is listed (the shared name is not the wizard's pick: that reaches the project only on
    // hand-over); otherwise nothing is.
    int current = -1;
    if (picked_.bookmark) {
        for (int i = 0; i < lstSubstanz.listCount() && current < 0; ++i) {
            if (lstSubstanz.itemData(i) == *picked_.bookmark)
                current = i;
        }
    } else if (const SharedData &s = shared(); !recordPicked_ && (s.Medium == 5 || s.Medium == 6)) {
        const QString entry = byFormula ? s.FORMEL + QStringLiteral(" (") + s.NameMedium + QLatin1Char(')')
                                        : s.NameMedium + QStringLiteral(" (") + s.FORMEL + QLatin1Char(')');
        current = lstSubstanz.items().indexOf(entry);
    }
    if (current >= 0)
        lstSubstanz.setListIndex(current);
    else
        lstSubstanz_Click(); // the list was cleared to no entry, which raises nothing by itself
}

void frmStoffdatenAssistent::lstSubstanz_Click()
{
    // Results calculated for another substance must not be handed over.
    cmdOK.setEnabled(false);
    if (lstSubstanz.listIndex() < 0)
        return;
    bool found = false;
    if (rsStoffdaten) {
        try {
            rsStoffdaten->moveToBookmark(lstSubstanz.itemData(lstSubstanz.listIndex()));
            keepRecord(*rsStoffdaten);
            found = true;
        } catch (const DbError &e) {
            // Deleted through another connection: the kept values stay, and nothing can be edited or deleted.
            picked_.bookmark.reset();
            if (e.kind() != DbError::Kind::NoCurrentRecord)
                fluiddb::reportOpenFailure(e);
        }
    }
    cmdBearbeiten.setEnabled(found);
    if (found && tableHasMoreThanOneRecord())
        cmdLöschen.setEnabled(true);
    showPicked();
    // Both handlers run, each converting from its unit to itself: the temperatures come out with one decimal.
    selectEntry(p_unit, units_.pUnit);
    selectEntry(T_unit, units_.TUnit);
    cmdCalc.setEnabled(true);
}

void frmStoffdatenAssistent::keepRecord(const Recordset &rs)
{
    Picked p;
    p.bookmark = rs.bookmark();
    p.name = rs.field(QStringLiteral("SUBSTANZ")).toString();
    p.formula = rs.field(QStringLiteral("FORMEL"));
    const Variant M = rs.field(QStringLiteral("M"));
    p.M = M.isNumeric() ? Variant(M.toDouble()) : M;
    // The four-digit values in the wizard's units, as the pick shows them, with the units they are in. A missing
    // value or unit is kept as none, not as 0.
    const std::optional<int> TUNIT = storedUnit(rs, QStringLiteral("TUNIT"), 1);
    const std::optional<int> PUNIT = storedUnit(rs, QStringLiteral("PUNIT"), 7);
    auto temperature = [&](const char *column) {
        const Variant v = rs.field(QString::fromLatin1(column));
        if (!TUNIT || !v.isNumeric())
            return Variant();
        return formatZahl4(Variant(umrechnenTemperatur(v, *TUNIT, units_.TUnit)));
    };
    p.Ts = temperature("TS");
    p.Tkrit = temperature("TKRIT");
    p.TUnit = units_.TUnit;
    const Variant PKRIT = rs.field(QStringLiteral("PKRIT"));
    if (PUNIT && PKRIT.isNumeric())
        p.pkrit = formatZahl4(Variant(umrechnenDruck(PKRIT, *PUNIT, units_.pUnit)));
    p.pUnit = units_.pUnit;
    p.w = rs.field(QStringLiteral("W"));
    picked_ = p;
    recordPicked_ = true;
}

// The fields from the kept values, in the wizard's units; the critical data only when they are numbers.
void frmStoffdatenAssistent::showPicked()
{
    txtMedium.setText(picked_.name);
    txtFormel.setText(picked_.formula.toString());
    txtMol.setText(picked_.M.toString());
    auto inTUnit = [this](const Variant &kept) {
        return picked_.TUnit == units_.TUnit
                   ? kept.toString()
                   : formatZahl4(Variant(umrechnenTemperatur(kept, picked_.TUnit, units_.TUnit))).toString();
    };
    if (picked_.Ts.isNumeric())
        txtTs.setText(inTUnit(picked_.Ts));
    if (picked_.pkrit.isNumeric())
        txtpkrit.setText(picked_.pUnit == units_.pUnit
                             ? picked_.pkrit.toString()
                             : formatZahl4(Variant(umrechnenDruck(picked_.pkrit, picked_.pUnit, units_.pUnit)))
                                   .toString());
    if (picked_.Tkrit.isNumeric())
        txtTkrit.setText(inTUnit(picked_.Tkrit));
    if (picked_.w.isNumeric())
        txtazFaktor.setText(picked_.w.toString());
}

CriticalPoint frmStoffdatenAssistent::pickedCriticalPoint() const
{
    return CriticalPoint{picked_.Tkrit, picked_.TUnit, picked_.pkrit, picked_.pUnit};
}

bool frmStoffdatenAssistent::tableHasMoreThanOneRecord() const
{
    try {
        return rsStoffdaten && rsStoffdaten->recordCount() > 1;
    } catch (const DbError &) {
        return false;
    }
}

// ---------------------------------------------------------------------------------------------- unit lists

void frmStoffdatenAssistent::p_unit_Click()
{
    const int neu = p_unit.listIndex();
    if (neu < 0)
        return;
    if (numeric(txtpkrit))
        txtpkrit.setText(
            formatZahl4(Variant(umrechnenDruck(Variant(txtpkrit.text()), units_.pUnit, neu))).toString());
    units_.pUnit = neu;
}

void frmStoffdatenAssistent::T_unit_Click()
{
    const int neu = T_unit.listIndex();
    if (neu < 0)
        return;
    // A text that is no number converts as 0.
    txtTkrit.setText(numtext::fixed(umrechnenTemperatur(Variant(txtTkrit.text()), units_.TUnit, neu), 1));
    txtTs.setText(numtext::fixed(umrechnenTemperatur(Variant(txtTs.text()), units_.TUnit, neu), 1));
    units_.TUnit = neu;
}

// ------------------------------------------------------------------------------------------------- records

void frmStoffdatenAssistent::enableBaseData(bool enabled)
{
    for (Control *c : std::initializer_list<Control *>{&txtMedium, &txtFormel, &txtMol, &txtTs, &txtTkrit, &txtpkrit,
                                                       &txtazFaktor, &cmdazFaktor, &p_unit, &T_unit})
        c->setEnabled(enabled);
}

void frmStoffdatenAssistent::showEditButtons(bool shown)
{
    cmdÜbernahme.setVisible(shown);
    cmdEscBearbeiten.setVisible(shown);
}

void frmStoffdatenAssistent::abandonPending()
{
    recordentry::abandon(rsStoffdaten.get());
}

bool frmStoffdatenAssistent::moveToPicked()
{
    if (!rsStoffdaten || !picked_.bookmark)
        return false;
    try {
        rsStoffdaten->moveToBookmark(*picked_.bookmark);
        return true;
    } catch (const DbError &e) {
        picked_.bookmark.reset();
        fluiddb::reportWriteFailure(e);
        return false;
    }
}

void frmStoffdatenAssistent::cmdNeu_Click()
{
    if (!rsStoffdaten || !recordentry::startNew(*rsStoffdaten))
        return;
    cmdOK.setEnabled(false);
    lstSubstanz.setEnabled(false);
    optSortiereName.setEnabled(false);
    optSortiereFormel.setEnabled(false);
    enableBaseData(true);
    showEditButtons(true);
    txtMedium.setFocus();
    // Water's data in the wizard's units; the name field keeps its text.
    txtFormel.setText(QStringLiteral("H2O"));
    txtMol.setText(Variant(18.015).toString());
    txtTs.setText(Variant(umrechnenTemperatur(Variant(100), 0, units_.TUnit)).toString());
    txtTkrit.setText(Variant(umrechnenTemperatur(Variant(374.2), 0, units_.TUnit)).toString());
    txtpkrit.setText(Variant(umrechnenDruck(Variant(221.2), 0, units_.pUnit)).toString());
    txtazFaktor.setText(Variant(0.344).toString());
    selectEntry(p_unit, units_.pUnit);
    selectEntry(T_unit, units_.TUnit);
}

void frmStoffdatenAssistent::cmdBearbeiten_Click()
{
    if (!rsStoffdaten || !picked_.bookmark)
        return;
    const bool wasPending = rsStoffdaten->editing();
    abandonPending();
    if (!moveToPicked())
        return;
    try {
        rsStoffdaten->edit();
    } catch (const DbError &e) {
        fluiddb::reportWriteFailure(e);
        return;
    }
    // The fields held the entry just abandoned: they show the record being edited.
    if (wasPending)
        showStoredRecord(*rsStoffdaten);
    lstSubstanz.setEnabled(false);
    optSortiereName.setEnabled(false);
    optSortiereFormel.setEnabled(false);
    cmdOK.setEnabled(false);
    cmdEsc.setEnabled(false);
    enableBaseData(true);
    showEditButtons(true);
    txtMedium.setFocus();
}

void frmStoffdatenAssistent::cmdÜbernahme_Click()
{
    if (!rsStoffdaten || !rsStoffdaten->editing() ||
        !recordentry::fieldsReady(txtMedium, {&txtMol, &txtTs, &txtTkrit, &txtpkrit, &txtazFaktor},
                                  [this](const TextBox &field, double value) { return numberPossible(field, value); }))
        return;
    // A refusal leaves the wizard editing, with the fields as typed.
    if (!recordentry::store(*rsStoffdaten, [this](Recordset &rs) {
            rs.setField(QStringLiteral("SUBSTANZ"), Variant(txtMedium.text()));
            rs.setField(QStringLiteral("FORMEL"), Variant(txtFormel.text()));
            rs.setField(QStringLiteral("M"), Variant(txtMol.text()));
            rs.setField(QStringLiteral("TS"), Variant(txtTs.text()));
            rs.setField(QStringLiteral("PKRIT"), Variant(txtpkrit.text()));
            rs.setField(QStringLiteral("TKRIT"), Variant(txtTkrit.text()));
            rs.setField(QStringLiteral("W"), Variant(txtazFaktor.text()));
            rs.setField(QStringLiteral("PUNIT"), Variant(p_unit.listIndex()));
            rs.setField(QStringLiteral("TUNIT"), Variant(T_unit.listIndex()));
        }))
        return;
    // The stored record is the one a calculation now starts from.
    try {
        rsStoffdaten->moveToBookmark(rsStoffdaten->lastModified());
        keepRecord(*rsStoffdaten);
    } catch (const DbError &e) {
        picked_.bookmark.reset();
        fluiddb::reportOpenFailure(e);
    }
    lstSubstanz.setEnabled(true);
    optSortiereName.setEnabled(true);
    optSortiereFormel.setEnabled(true);
    try {
        fillList(optSortiereFormel.value());
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
    }
    enableBaseData(false);
    showEditButtons(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
    cmdOK.setEnabled(false);
    cmdCalc.setEnabled(true);
    cmdEsc.setEnabled(true);
}

// The record as stored, in its own units: the unit lists move to them first, so that their handlers convert
// nothing that is shown afterwards.
void frmStoffdatenAssistent::showStoredRecord(const Recordset &rs)
{
    if (const std::optional<int> PUNIT = storedUnit(rs, QStringLiteral("PUNIT"), 7)) {
        units_.pUnit = *PUNIT;
        p_unit.setListIndex(*PUNIT);
    }
    if (const std::optional<int> TUNIT = storedUnit(rs, QStringLiteral("TUNIT"), 1)) {
        units_.TUnit = *TUNIT;
        T_unit.setListIndex(*TUNIT);
    }
    txtMedium.setText(rs.field(QStringLiteral("SUBSTANZ")).toString());
    txtFormel.setText(rs.field(QStringLiteral("FORMEL")).toString());
    txtMol.setText(rs.field(QStringLiteral("M")).toString());
    txtTs.setText(rs.field(QStringLiteral("TS")).toString());
    txtpkrit.setText(rs.field(QStringLiteral("PKRIT")).toString());
    txtTkrit.setText(rs.field(QStringLiteral("TKRIT")).toString());
    txtazFaktor.setText(rs.field(QStringLiteral("W")).toString());
}

void frmStoffdatenAssistent::cmdEscBearbeiten_Click()
{
    abandonPending();
    lstSubstanz.setEnabled(true);
    optSortiereName.setEnabled(true);
    optSortiereFormel.setEnabled(true);
    // The picked record again; after Neu without a pick there is none to show.
    bool shown = false;
    if (moveToPicked()) {
        try {
            showStoredRecord(*rsStoffdaten);
            shown = true;
        } catch (const DbError &e) {
            fluiddb::reportOpenFailure(e);
        }
    }
    if (!shown) {
        for (TextBox *f : {&txtMedium, &txtFormel, &txtMol, &txtTs, &txtTkrit, &txtpkrit, &txtazFaktor})
            f->setText(QString());
    }
    enableBaseData(false);
    showEditButtons(false);
    cmdOK.setEnabled(false);
    cmdEsc.setEnabled(true);
    cmdEsc.setCancel(true);
    cmdCalc.setEnabled(shown);
}

void frmStoffdatenAssistent::cmdLöschen_Click()
{
    if (!rsStoffdaten || !picked_.bookmark)
        return;
    abandonPending();
    if (!moveToPicked())
        return;
    try {
        rsStoffdaten->deleteRecord();
    } catch (const DbError &e) {
        fluiddb::reportWriteFailure(e);
        return;
    }
    picked_.bookmark.reset();
    try {
        fillList(optSortiereFormel.value());
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
    }
    for (TextBox *f : {&txtMedium, &txtFormel, &txtMol, &txtTs, &txtTkrit, &txtpkrit, &txtazFaktor})
        f->setText(QString());
    enableBaseData(false);
    showEditButtons(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
    cmdOK.setEnabled(false);
    cmdCalc.setEnabled(false);
    // A delete from the edit or new state would otherwise leave the list and Abbruch disabled.
    lstSubstanz.setEnabled(true);
    optSortiereName.setEnabled(true);
    optSortiereFormel.setEnabled(true);
    cmdEsc.setEnabled(true);
}

// ---------------------------------------------------------------------------------------- base-data fields

void frmStoffdatenAssistent::baseNumberChanged(TextBox &field)
{
    // The field changed last decides.
    cmdÜbernahme.setEnabled(numeric(field));
}

void frmStoffdatenAssistent::baseNumberGotFocus(TextBox &field)
{
    field.selectAll();
}

// ------------------------------------------------------------------------------------------------- openers

DefaultInstance<frmStoffdatenAssistent> &frmStoffdatenAssistentInstance()
{
    static DefaultInstance<frmStoffdatenAssistent> instance;
    return instance;
}

namespace {

// The wizard loaded for showing; none when its table cannot be opened (the user has been told).
frmStoffdatenAssistent *loadedWizard()
{
    frmStoffdatenAssistent &wizard = frmStoffdatenAssistentInstance().get();
    if (!wizard.databaseOpen()) {
        frmStoffdatenAssistentInstance().unload();
        return nullptr;
    }
    return &wizard;
}

} // namespace

void showFluidWizard()
{
    if (frmStoffdatenAssistent *open = frmStoffdatenAssistentInstance().ifLoaded(); open && open->visible()) {
        open->show();
        return;
    }
    if (frmStoffdatenAssistent *wizard = loadedWizard()) {
        wizard->centerOnScreen();
        wizard->showModal();
    }
}

void showFluidWizardModeless()
{
    if (frmStoffdatenAssistent *wizard = loadedWizard()) {
        wizard->centerOnScreen();
        wizard->show();
    }
}

void installFluidWizard()
{
    setFluidWizardProvider([]() -> Form * { return loadedWizard(); });
    FrmCalcFlow::setShowWizard([] { showFluidWizardModeless(); });
}
