#include "tools/heat_exchanger.h"

#include "platform/core/number_text.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/data_folder.h"
#include "units/number_format.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QStringList>

namespace {

// The grid of the sheet, in twips: captions on the left, then the min, norm and max column and the unit.
constexpr int kLinks = 240;
constexpr int kBeschriftungBreite = 2400;
constexpr int kSpalteLinks[3] = {2760, 3960, 5160};
constexpr int kFeldBreite = 1095;
constexpr int kFeldHoehe = 285;
constexpr int kEinheitLinks = 6360;
constexpr int kEinheitBreite = 1335;
constexpr int kListeHoehe = 315;
constexpr int kTabelleRechts = kEinheitLinks + kEinheitBreite;
constexpr int kRechts = 12240;
constexpr int kBildBreite = 3600;
constexpr int kBildHoehe = 2400;
constexpr int kBildLinks = kRechts - kBildBreite;

// The text a number field shows for a stored value: the plain number text in the user's locale.
QString zahlText(double wert)
{
    return Variant(wert).toString();
}

// A computed label keeps what it shows when that is no number ("--"): a unit change turns no missing result
// into a number.
QString umgerechnetesErgebnis(const QString &angezeigt, const Variant &umgerechnet)
{
    if (!Variant(angezeigt).isNumeric() || !umgerechnet.isNumeric())
        return angezeigt;
    return formatZahl4(umgerechnet).toString();
}

} // namespace

frmWärmetauscher::frmWärmetauscher() : Form(QStringLiteral("frmWärmetauscher"))
{
    setKind(Kind::Dialog);
    move(0, 0, kRechts + 360, 7560);

    lblKommentar.move(kLinks, 120, kRechts - kLinks, 1035);
    Line1.setPoints(kLinks, 1260, kRechts, 1260);

    // The drawing on the right, with its two captions on it.
    Picture1.move(kBildLinks, 1410, kBildBreite, kBildHoehe);
    Picture1.loadPicture(programFolder() + QLatin1Char('/') + pictureFileName());
    Picture1.setBorder(true);
    lblDampf.move(60, 480, 1680, 255);
    lblKondensat.move(kBildBreite - 1740, 2100, 1680, 255);
    for (Label *l : {&lblDampf, &lblKondensat})
        l->setOpaque(false);
    lblKondensat.setAlignment(Label::Alignment::Right);

    chkMin.move(kSpalteLinks[0], 1410, kFeldBreite, 255);
    chkNorm.move(kSpalteLinks[1], 1410, kFeldBreite, 255);
    lblMax.move(kSpalteLinks[2], 1440, kFeldBreite, 255);
    chkMin.setCaption(QStringLiteral("min."));
    chkNorm.setCaption(QStringLiteral("norm."));
    lblMax.setCaption(QStringLiteral("max."));

    struct EingabeZeile {
        Label *beschriftung; // the power row's caption is its frame

        TextBox &min, &norm, &max;
        Control *einheit;
        int top;
    };
    const EingabeZeile eingaben[] = {
        {&lblP1, txtp1min, txtp1norm, txtp1max, &cmbP1unit, 1740},
        {&lblP2, txtp2min, txtp2norm, txtp2max, &cmbP2unit, 2100},
        {&lblMasse, txtMmin, txtMnorm, txtMmax, &cmbMunit, 2940},
        {&lblTempDifferenz, txtDeltaTmin, txtDeltaTnorm, txtDeltaTmax, nullptr, 3660},
        {&lblAufheizzeit, txtTaufheizMin, txtTaufheizNorm, txtTaufheizMax, &cmbZeitUnit, 4020},
        {nullptr, txtWTLeistungMin, txtWTLeistungNorm, txtWTLeistungMax, nullptr, 5220},
    };
    for (const EingabeZeile &z : eingaben) {
        if (z.beschriftung)
            z.beschriftung->move(kLinks, z.top + 30, kBeschriftungBreite, 255);
        TextBox *felder[3] = {&z.min, &z.norm, &z.max};
        for (int k = 0; k < 3; ++k) {
            felder[k]->move(kSpalteLinks[k], z.top, kFeldBreite, kFeldHoehe);
            felder[k]->setAlignment(TextBox::Alignment::Right);
        }
        if (z.einheit)
            z.einheit->move(kEinheitLinks, z.top - 15, kEinheitBreite, kListeHoehe);
    }
    lblTunit.move(kEinheitLinks + 60, 3690, kEinheitBreite - 60, 255);
    lblWTLeistungUnit.move(kEinheitLinks + 60, 5250, kEinheitBreite - 60, 255);

    // cp is one value for all columns; it stands in the max column, which is always shown.
    lblWkapazität.move(kLinks, 3330, kBeschriftungBreite, 255);
    txtCpMax.move(kSpalteLinks[2], 3300, kFeldBreite, kFeldHoehe);
    txtCpMax.setAlignment(TextBox::Alignment::Right);
    lblCpUnit.move(kEinheitLinks + 60, 3330, kBildLinks - 120 - kEinheitLinks - 60, 255);

    // The computed rows: labels in the columns, right-aligned like the fields.
    struct ErgebnisZeile {
        Label &beschriftung;
        Label &min, &norm, &max;
        int top;
        int hoehe;
    };
    const ErgebnisZeile ergebnisse[] = {
        {lblT1, lblT1min, lblT1norm, lblT1max, 2460, 255},
        {lblVerdEnthalpie, lblVerdEnthalpieMin, lblVerdEnthalpieNorm, lblVerdEnthalpieMax, 4560, 420},
        {lblMassenstrom, lblQmin, lblQnorm, lblQmax, 5880, 420},
    };
    for (const ErgebnisZeile &z : ergebnisse) {
        z.beschriftung.move(kLinks, z.top, kBeschriftungBreite, z.hoehe);
        Label *werte[3] = {&z.min, &z.norm, &z.max};
        for (int k = 0; k < 3; ++k) {
            werte[k]->move(kSpalteLinks[k], z.top, kFeldBreite - 60, 255);
            werte[k]->setAlignment(Label::Alignment::Right);
        }
    }
    cmbT1unit.move(kEinheitLinks, 2445, kEinheitBreite, kListeHoehe);
    lblRunit.move(kEinheitLinks + 60, 4560, kEinheitBreite - 60, 255);
    lblRunit.setCaption(QStringLiteral("kJ/kg"));
    cmbQunit.move(kEinheitLinks, 5865, kEinheitBreite, kListeHoehe);
    lblWTLeistungUnit.setCaption(QStringLiteral("kW"));
    for (Label *l : {&lblQmin, &lblQnorm, &lblQmax})
        l->setFontBold(true);
    lblMassenstrom.setFontBold(true);

    frameWTLeistung.move(kLinks - 120, 4980, kBeschriftungBreite + 240, 780);
    optWTberechnet.move(120, 225, kBeschriftungBreite - 120, 240);
    optWTVorgabe.move(120, 480, kBeschriftungBreite - 120, 240);

    Line2.setPoints(kLinks, 2850, kTabelleRechts, 2850);
    Line3.setPoints(kLinks, 4440, kTabelleRechts, 4440);
    Line4.setPoints(kLinks, 6480, kRechts, 6480);

    cmdÜbernehmen.move(kLinks, 6660, 2160, 375);
    cmdDruck.move(2520, 6660, 1575, 375);
    cmdPDFDruck.move(4215, 6660, 1575, 375);
    cmdAbbruch.move(kRechts - 1575, 6660, 1575, 375);
    cmdAbbruch.setCancel(true);

    for (ComboBox *liste : {&cmbP1unit, &cmbP2unit, &cmbT1unit, &cmbMunit, &cmbZeitUnit, &cmbQunit})
        liste->setStyle(ComboBox::Style::DropdownList);

    Control *tabFolge[] = {&chkMin, &chkNorm, &txtp1min, &txtp1norm, &txtp1max, &cmbP1unit, &txtp2min, &txtp2norm,
                           &txtp2max, &cmbP2unit, &cmbT1unit, &txtMmin, &txtMnorm, &txtMmax, &cmbMunit, &txtCpMax,
                           &txtDeltaTmin, &txtDeltaTnorm, &txtDeltaTmax, &txtTaufheizMin, &txtTaufheizNorm,
                           &txtTaufheizMax, &cmbZeitUnit, &optWTberechnet, &optWTVorgabe, &txtWTLeistungMin,
                           &txtWTLeistungNorm, &txtWTLeistungMax, &cmbQunit, &cmdÜbernehmen, &cmdDruck,
                           &cmdPDFDruck, &cmdAbbruch};
    for (int i = 0; i < static_cast<int>(std::size(tabFolge)); ++i)
        tabFolge[i]->setTabIndex(i);

    chkMin.Click = [this] { chkMin_Click(); };
    chkNorm.Click = [this] { chkNorm_Click(); };
    cmbP1unit.Click = [this] { cmbP1unit_Click(); };
    cmbP2unit.Click = [this] { cmbP2unit_Click(); };
    cmbT1unit.Click = [this] { cmbT1unit_Click(); };
    cmbMunit.Click = [this] { cmbMunit_Click(); };
    cmbZeitUnit.Click = [this] { cmbZeitUnit_Click(); };
    cmbQunit.Click = [this] { cmbQunit_Click(); };

    for (int k = 0; k < 3; ++k) {
        const Spalte s = spalten()[static_cast<std::size_t>(k)];
        s.p1.Change = [this, k] { sattdampfTemperatur(k); };
        s.p2.Change = [this, k] { verdampfungsEnthalpie(k); };
        for (TextBox *eingabe : {&s.M, &s.DeltaT, &s.Taufheiz})
            eingabe->Change = [this, k, eingabe] { leistungAusEingabe(k, *eingabe); };
        s.r.Change = [this, k] { dampfMassenstrom(k); };
        s.P.Change = [this, k] { leistungVorgegeben(k); };
        // Entering a field selects its whole text, so that typing replaces the value.
        for (TextBox *feld : {&s.p1, &s.p2, &s.M, &s.DeltaT, &s.Taufheiz, &s.P})
            feld->GotFocus = [feld] { feld->selectAll(); };
    }
    txtCpMax.Change = [this] { txtCpMax_Change(); };
    txtCpMax.GotFocus = [this] { txtCpMax.selectAll(); };
    optWTberechnet.Click = [this] { optWTberechnet_Click(); };
    optWTVorgabe.Click = [this] { optWTVorgabe_Click(); };

    cmdAbbruch.Click = [this] { cmdAbbruch_Click(); };
    cmdDruck.Click = [this] { cmdDruck_Click(); };
    cmdPDFDruck.Click = [this] { cmdPDFDruck_Click(); };
    cmdÜbernehmen.Click = [this] { cmdÜbernehmen_Click(); };
}

QString frmWärmetauscher::pictureFileName()
{
    return QStringLiteral("Waermetauscher.jpg");
}

std::array<frmWärmetauscher::Spalte, 3> frmWärmetauscher::spalten()
{
    return {Spalte{txtp1min, txtp2min, lblT1min, txtMmin, txtDeltaTmin, txtTaufheizMin, lblVerdEnthalpieMin,
                   txtWTLeistungMin, lblQmin},
            Spalte{txtp1norm, txtp2norm, lblT1norm, txtMnorm, txtDeltaTnorm, txtTaufheizNorm, lblVerdEnthalpieNorm,
                   txtWTLeistungNorm, lblQnorm},
            Spalte{txtp1max, txtp2max, lblT1max, txtMmax, txtDeltaTmax, txtTaufheizMax, lblVerdEnthalpieMax,
                   txtWTLeistungMax, lblQmax}};
}

void frmWärmetauscher::Form_Load()
{
    const SharedData &d = shared();
    const int Sprache = d.Sprache;
    auto text = [Sprache](const char *key) { return getText(QString::fromUtf8(key), Sprache); };

    WT_p1Unit = d.p1Unit;
    WT_p2Unit = d.p2Unit;
    WT_TUnit = d.T1Unit;
    WT_Munit = d.Munit;
    WT_ZeitUnit = d.ZeitUnit;
    // The sheet's flow unit belongs to the list of its fluid state; the dialog's list is the steam list.
    const Variant dampfEinheit = umrechnenEinheitIndexDurchfluss(d.Zustand, 2, d.QUnit);
    WT_QUnit = dampfEinheit.isNumeric() ? static_cast<int>(dampfEinheit.toInt()) : d.QUnit;

    setCaption(text("Massenstrom-Berechnung (Dampf)"));

    lblKommentar.setCaption(QString());
    const QStringList saetze = {
        text("Eine Flüssigkeit wird über einen Dampf-Wärmetauscher erhitzt."),
        text("Der Sattdampf kondensiert hierbei und gibt seine Kondensationswärme an die Flüssigkeit ab."),
        text("Eingabegrößen sind: Flüssigkeitsmenge, aufzuheizende Temperaturdifferenz und die Aufheizzeit."),
        text("Berechnet werden die benötigte Wärmetauscherleistung und der erforderliche Dampf-Massenstrom."),
        text("Anmerkung:"),
        text("Falls die Wärmetauscherleistung bereits bekannt ist, kann diese direkt eingegeben werden."),
    };
    lblKommentar.setCaption(saetze.join(QLatin1Char(' ')));

    lblDampf.setCaption(text("Sattdampf"));
    lblKondensat.setCaption(text("Kondensat"));

    WT_MIN = d.MIN;
    WT_NORM = d.NORM;
    // Ticking runs the box's Click, which shows the column; a box left clear hides it here.
    if (d.MIN) {
        chkMin.setValue(1);
    } else {
        chkMin.setValue(0);
        zeigeSpalte(0, false);
    }
    if (d.NORM) {
        chkNorm.setValue(1);
    } else {
        chkNorm.setValue(0);
        zeigeSpalte(1, false);
    }

    lblP1.setCaption(text("Vordruck") + QStringLiteral(" P1"));
    txtp1min.setText(zahlText(d.p1Min));
    txtp1norm.setText(zahlText(d.p1Norm));
    txtp1max.setText(zahlText(d.p1Max));
    cmbP1unit.clear();
    for (int i = 0; i < 8; ++i)
        cmbP1unit.addItem(EinheitDruck(Variant(i)));
    cmbP1unit.setListIndex(WT_p1Unit);

    lblP2.setCaption(text("Nachdruck") + QStringLiteral(" P2"));
    txtp2min.setText(zahlText(d.p2Min));
    txtp2norm.setText(zahlText(d.p2Norm));
    txtp2max.setText(zahlText(d.p2Max));
    cmbP2unit.clear();
    for (int i = 0; i < 8; ++i)
        cmbP2unit.addItem(EinheitDruck(Variant(i)));
    cmbP2unit.setListIndex(WT_p2Unit);

    lblT1.setCaption(text("Temperatur") + QStringLiteral(" T1"));
    cmbT1unit.clear();
    cmbT1unit.addItem(EinheitTemperatur(Variant(0)));
    cmbT1unit.addItem(EinheitTemperatur(Variant(1)));
    cmbT1unit.setListIndex(WT_TUnit);

    lblMasse.setCaption(text("Menge Flüssigkeit") + QStringLiteral(" m"));
    txtMmin.setText(zahlText(d.Mmin));
    txtMnorm.setText(zahlText(d.Mnorm));
    txtMmax.setText(zahlText(d.Mmax));
    cmbMunit.clear();
    cmbMunit.addItem(EinheitMasse(Variant(0)));
    cmbMunit.addItem(EinheitMasse(Variant(1)));
    cmbMunit.setListIndex(WT_Munit);

    lblWkapazität.setCaption(text("Wärmekapazität") + QStringLiteral(" cp"));
    txtCpMax.setText(zahlText(d.CpMax));
    // The hint shows water's heat capacity as the user would type it.
    lblCpUnit.setCaption(QStringLiteral("kJ/kg K (") + text("Wasser") + QStringLiteral(" = ") +
                         numtext::general(4.18) + QStringLiteral(")"));

    lblTempDifferenz.setCaption(text("Temperaturdifferenz"));
    txtDeltaTmin.setText(zahlText(d.DeltaTMin));
    txtDeltaTnorm.setText(zahlText(d.DeltaTNorm));
    txtDeltaTmax.setText(zahlText(d.DeltaTMax));

    lblAufheizzeit.setCaption(text("Aufheizzeit"));
    txtTaufheizMin.setText(zahlText(d.TaufheizMin));
    txtTaufheizNorm.setText(zahlText(d.TaufheizNorm));
    txtTaufheizMax.setText(zahlText(d.TaufheizMax));
    cmbZeitUnit.clear();
    for (int i = 0; i < 3; ++i)
        cmbZeitUnit.addItem(EinheitZeit(Variant(i)));
    cmbZeitUnit.setListIndex(WT_ZeitUnit);

    lblVerdEnthalpie.setCaption(text("Verdampfungs- Enthalpie"));

    frameWTLeistung.setCaption(text("Wärmetauscherleistung"));
    optWTberechnet.setCaption(text("berechnet"));
    optWTVorgabe.setCaption(text("Vorgabe"));

    WT_Berechnet = d.WTcalc;
    if (d.WTcalc) {
        optWTberechnet.setValue(true);
    } else {
        optWTVorgabe.setValue(true);
        txtWTLeistungMin.setText(zahlText(d.WTLeistungMin));
        txtWTLeistungNorm.setText(zahlText(d.WTLeistungNorm));
        txtWTLeistungMax.setText(zahlText(d.WTLeistungMax));
    }

    lblMassenstrom.setCaption(text("Dampf- Massenstrom"));
    cmbQunit.clear();
    cmbQunit.addItem(EinheitMassenstrom(Variant(0)));
    cmbQunit.addItem(EinheitMassenstrom(Variant(1)));
    cmbQunit.setListIndex(WT_QUnit);

    cmdÜbernehmen.setCaption(text("Daten übernehmen"));
    cmdDruck.setCaption(text("Drucken"));
    cmdPDFDruck.setCaption(text("PDF-Druck"));
    cmdAbbruch.setCaption(text("Abbruch"));
    pruefeUebernahme();
}

void frmWärmetauscher::zeigeSpalte(int k, bool sichtbar)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    for (Control *c : std::initializer_list<Control *>{&s.p1, &s.p2, &s.T1, &s.M, &s.DeltaT, &s.Taufheiz, &s.r,
                                                       &s.P, &s.Q})
        c->setVisible(sichtbar);
}

// A hidden column keeps its values; nothing is recalculated. Only the shown columns are handed over.
void frmWärmetauscher::chkMin_Click()
{
    WT_MIN = chkMin.value() == 1;
    zeigeSpalte(0, WT_MIN);
    pruefeUebernahme();
}

void frmWärmetauscher::chkNorm_Click()
{
    WT_NORM = chkNorm.value() == 1;
    zeigeSpalte(1, WT_NORM);
    pruefeUebernahme();
}

// Each unit list stores its new index first: the change handlers raised by the rewritten values already work in
// the new unit.
void frmWärmetauscher::cmbP1unit_Click()
{
    const int alt = WT_p1Unit;
    WT_p1Unit = cmbP1unit.listIndex();
    for (TextBox *feld : {&txtp1min, &txtp1norm, &txtp1max})
        feld->setText(formatZahl4(umrechnenDruck(Variant(feld->text()), alt, WT_p1Unit)).toString());
}

void frmWärmetauscher::cmbP2unit_Click()
{
    const int alt = WT_p2Unit;
    WT_p2Unit = cmbP2unit.listIndex();
    for (TextBox *feld : {&txtp2min, &txtp2norm, &txtp2max})
        feld->setText(formatZahl4(umrechnenDruck(Variant(feld->text()), alt, WT_p2Unit)).toString());
}

void frmWärmetauscher::cmbMunit_Click()
{
    const int alt = WT_Munit;
    WT_Munit = cmbMunit.listIndex();
    for (TextBox *feld : {&txtMmin, &txtMnorm, &txtMmax})
        feld->setText(formatZahl4(umrechnenMasse(Variant(feld->text()), alt, WT_Munit)).toString());
}

void frmWärmetauscher::cmbZeitUnit_Click()
{
    const int alt = WT_ZeitUnit;
    WT_ZeitUnit = cmbZeitUnit.listIndex();
    for (TextBox *feld : {&txtTaufheizMin, &txtTaufheizNorm, &txtTaufheizMax})
        feld->setText(formatZahl4(umrechnenZeit(Variant(feld->text()), alt, WT_ZeitUnit)).toString());
}

void frmWärmetauscher::cmbQunit_Click()
{
    const int alt = WT_QUnit;
    WT_QUnit = cmbQunit.listIndex();
    for (Label *wert : {&lblQmin, &lblQnorm, &lblQmax})
        wert->setCaption(umgerechnetesErgebnis(wert->caption(),
                                               umrechnenMassenstrom(Variant(wert->caption()), alt, WT_QUnit)));
    pruefeUebernahme();
}

void frmWärmetauscher::cmbT1unit_Click()
{
    const int alt = WT_TUnit;
    WT_TUnit = cmbT1unit.listIndex();
    for (Label *wert : {&lblT1min, &lblT1norm, &lblT1max})
        wert->setCaption(umgerechnetesErgebnis(
            wert->caption(), Variant(umrechnenTemperatur(Variant(wert->caption()), alt, WT_TUnit))));
    // A rise has no offset: 10 K are 18 °F.
    for (TextBox *feld : {&txtDeltaTmin, &txtDeltaTnorm, &txtDeltaTmax})
        feld->setText(
            formatZahl3(umrechnenTemperaturDifferenz(Variant(feld->text()), alt, WT_TUnit)).toString());
    lblTunit.setCaption(cmbT1unit.list(cmbT1unit.listIndex()));
    pruefeUebernahme();
}

DefaultInstance<frmWärmetauscher> &frmWärmetauscherInstance()
{
    static DefaultInstance<frmWärmetauscher> instance;
    return instance;
}
