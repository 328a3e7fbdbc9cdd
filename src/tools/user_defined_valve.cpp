#include "tools/user_defined_valve.h"

#include "engine/flow_recalc.h"
#include "engine/sizing_recalc.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "tools/coefficient_estimate.h"
#include "tools/sheet_reload.h"
#include "units/conversions.h"
#include "units/data_folder.h"
#include "units/file_messages.h"
#include "units/held_unit_values.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QDir>
#include <array>
#include <cmath>
#include <exception>
#include <memory>

namespace {

const QString kTabelle = QStringLiteral("9999");

// The nominal sizes of the two lists; they pair position by position.
const char *const kDNmm[18] = {"8",  "10", "15", "20",  "25",  "32",  "40",  "50",  "65",
                               "80", "100", "125", "150", "200", "250", "300", "350", "400"};
const char *const kDNZoll[18] = {"1/4\"", "3/8\"", "1/2\"", "3/4\"", "1\"",  "1 1/4\"", "1 1/2\"", "2\"",  "2 1/2\"",
                                 "3\"",   "4\"",   "5\"",   "6\"",   "8\"",  "10\"",    "12\"",    "14\"", "16\""};

QString text(const Variant &v)
{
    return v.toString();
}

// Opens a valve-series table in the order of its index, which carries the series' name; a table without that
// index (only "9999" has a single row, where order does not matter) stays in stored order.
std::shared_ptr<Recordset> oeffneTabelle(Database &db, const QString &name)
{
    std::shared_ptr<Recordset> rs = db.openTable(name);
    if (db.indexNames(name).contains(name, Qt::CaseInsensitive))
        rs->setIndex(name);
    else if (name != kTabelle)
        throw DbError(DbError::Kind::NoSuchIndex, db.path(), name, QStringLiteral("no index \"%1\"").arg(name));
    return rs;
}

} // namespace

frmBenutzerdefiniert::frmBenutzerdefiniert() : Form(QStringLiteral("frmBenutzerdefiniert"))
{
    setKind(Kind::Dialog);
    move(0, 0, 7440, 6420);

    // Left column: captions; right: the inputs with their unit lists.
    lblBezeichnung.move(240, 285, 2400, 255);
    txtBezeichnung.move(2760, 240, 4440, 315);
    lblNennweite.move(240, 705, 2400, 255);
    cmbDNVentil.move(2760, 660, 1455, 315);
    cmbDNunit.move(4335, 660, 1095, 315);
    lblKvsCV.move(240, 1125, 2400, 255);
    txtKvsCv.move(2760, 1080, 1455, 315);
    cmbKvUnit.move(4335, 1080, 1095, 315);
    lblKennlinie.move(240, 1545, 2400, 255);
    fraKennlinie.move(2760, 1440, 4440, 960);
    optLinear.move(120, 150, 4200, 255);
    optGleichprozentig.move(120, 420, 4200, 255);
    optAufZu.move(120, 690, 4200, 255);
    lblStellverhältnis.move(240, 2565, 2400, 255);
    txtStellverhältnis.move(2760, 2520, 1455, 315);
    Label1.move(4290, 2565, 360, 255);

    // The coefficients: three label and box pairs per row.
    struct Paar {
        Label *label;
        TextBox *box;
        const char *caption;
    };
    const Paar paare[] = {
        {&lblA0, &txtA0, "a0"},       {&lblA1, &txtA1, "a1"},       {&lblA2, &txtA2, "a2"},
        {&lblA3, &txtA3, "a3"},       {&lblA4, &txtA4, "a4"},       {&lblA5, &txtA5, "a5"},
        {&lblaFl_0, &txtaFL_0, "a0"}, {&lblaFL_1, &txtaFL_1, "a1"}, {&lblaFL_2, &txtaFL_2, "a2"},
        {&lblaxT_0, &txtaxT_0, "a0"}, {&lblaxT_1, &txtaxT_1, "a1"}, {&lblaxT_2, &txtaxT_2, "a2"},
    };
    const int zeilen[4] = {3300, 3720, 4500, 5280};
    lblKoeffizienten.move(240, 3000, 6960, 255);
    lblFLWert.move(240, 4200, 6960, 255);
    lblXTWert.move(240, 4980, 6960, 255);
    for (int i = 0; i < 12; ++i) {
        const int top = zeilen[i / 3];
        const int left = 240 + (i % 3) * 2400;
        paare[i].label->move(left, top + 45, 360, 255);
        paare[i].label->setCaption(QString::fromLatin1(paare[i].caption));
        paare[i].box->move(left + 360, top, 1800, 315);
    }
    Label1.setCaption(QStringLiteral(":1"));

    cmdAbschätzen.move(240, 5820, 2400, 375);
    cmdÜbernehmen.move(3720, 5820, 1680, 375);
    cmdAbbruch.move(5520, 5820, 1680, 375);
    cmdÜbernehmen.setDefault(true);
    cmdAbbruch.setCancel(true);

    // The nominal sizes and the units are chosen, never typed.
    for (ComboBox *list : {&cmbDNVentil, &cmbDNunit, &cmbKvUnit})
        list->setStyle(ComboBox::Style::DropdownList);

    Control *tabFolge[] = {&txtBezeichnung, &cmbDNVentil, &cmbDNunit, &txtKvsCv, &cmbKvUnit, &optLinear,
                           &optGleichprozentig, &optAufZu, &txtStellverhältnis, &txtA0, &txtA1, &txtA2, &txtA3,
                           &txtA4, &txtA5, &txtaFL_0, &txtaFL_1, &txtaFL_2, &txtaxT_0, &txtaxT_1, &txtaxT_2,
                           &cmdAbschätzen, &cmdÜbernehmen, &cmdAbbruch};
    for (int i = 0; i < static_cast<int>(std::size(tabFolge)); ++i)
        tabFolge[i]->setTabIndex(i);

    cmbDNunit.Click = [this] { cmbDNunit_Click(); };
    cmbKvUnit.Click = [this] { cmbKvUnit_Click(); };
    txtKvsCv.Change = [this] { txtKvsCv_Change(); };
    optLinear.Click = [this] { KennlinieWahl = 0; };
    optGleichprozentig.Click = [this] { KennlinieWahl = 1; };
    optAufZu.Click = [this] { KennlinieWahl = 2; };
    txtStellverhältnis.LostFocus = [this] { txtStellverhältnis_LostFocus(); };
    cmdAbschätzen.Click = [this] { cmdAbschätzen_Click(); };
    cmdÜbernehmen.Click = [this] { cmdÜbernehmen_Click(); };
    cmdAbbruch.Click = [this] { cmdAbbruch_Click(); };
    // Entering a box selects its whole text, so that typing replaces the value.
    for (TextBox *box : {&txtKvsCv, &txtStellverhältnis, &txtA0, &txtA1, &txtA2, &txtA3, &txtA4, &txtA5, &txtaFL_0,
                         &txtaFL_1, &txtaFL_2, &txtaxT_0, &txtaxT_1, &txtaxT_2})
        box->GotFocus = [box] { box->selectAll(); };
}

void frmBenutzerdefiniert::Form_Load()
{
    const SharedData &d = shared();
    const int Sprache = d.Sprache;
    auto t = [Sprache](const QString &key) { return getText(key, Sprache); };

    VentiltypAlt = d.Ventiltyp;
    setCaption(t(QStringLiteral("Benutzerdefiniertes Ventil")));
    lblBezeichnung.setCaption(t(QStringLiteral("Bezeichnung")));
    txtBezeichnung.setText(text(d.Bezeichnung));
    lblNennweite.setCaption(t(QStringLiteral("Nennweite")));

    // A unit index outside the lists (an edited project file) is taken as the first unit.
    DNunitWahl = d.DNunit == 1 ? 1 : 0;
    cmbDNunit.clear();
    cmbDNunit.addItem(EinheitLaenge(Variant(0)));
    cmbDNunit.addItem(EinheitLaenge(Variant(1)));
    // Raises cmbDNunit_Click, which fills the size list.
    cmbDNunit.setListIndex(DNunitWahl);
    for (int i = 0; i < cmbDNVentil.listCount(); ++i) {
        cmbDNVentil.setListIndex(i);
        if (cmbDNVentil.list(i) == d.DNVentil)
            break;
    }

    lblKvsCV.setCaption(t(QStringLiteral("Durchflusskoeffizient")));
    KvUnitWahl = d.KvUnit == 1 ? 1 : 0;
    cmbKvUnit.clear();
    cmbKvUnit.addItem(EinheitKvs(Variant(0)));
    cmbKvUnit.addItem(EinheitKvs(Variant(1)));
    cmbKvUnit.setListIndex(KvUnitWahl);
    txtKvsCv.setText(Variant(d.KvsCv).toString());

    lblKennlinie.setCaption(t(QStringLiteral("Kennlinie")));
    optLinear.setCaption(t(QStringLiteral("(mod.) linear")));
    optGleichprozentig.setCaption(t(QStringLiteral("gleich%")));
    optAufZu.setCaption(t(QStringLiteral("Auf/Zu")));
    switch (d.Kennlinie) {
    case 0: optLinear.setValue(true); break;
    case 1: optGleichprozentig.setValue(true); break;
    case 2: optAufZu.setValue(true); break;
    default: break;
    }

    lblStellverhältnis.setCaption(t(QStringLiteral("Stellverhältnis")));
    txtStellverhältnis.setText(Variant(d.Stellverhältnis).toString());

    lblKoeffizienten.setCaption(t(QStringLiteral("Kennlinien-Koeffizienten")));
    txtA0.setText(text(d.A0));
    txtA1.setText(text(d.A1));
    txtA2.setText(text(d.A2));
    txtA3.setText(text(d.A3));
    txtA4.setText(text(d.A4));
    txtA5.setText(text(d.A5));

    lblFLWert.setCaption(t(QStringLiteral("Koeffizienten FL-Wert")));
    lblXTWert.setCaption(t(QStringLiteral("Koeffizienten xT-Wert")));
    txtaFL_0.setText(text(d.AFL));
    txtaFL_1.setText(text(d.BFL));
    txtaFL_2.setText(text(d.CFL));
    txtaxT_0.setText(text(d.AxT));
    txtaxT_1.setText(text(d.BxT));
    txtaxT_2.setText(text(d.CxT));

    cmdAbschätzen.setCaption(t(QStringLiteral("Werte abschätzen")));
    cmdÜbernehmen.setCaption(t(QStringLiteral("Übernehmen")));
    cmdAbbruch.setCaption(t(QStringLiteral("Abbruch")));
}

void frmBenutzerdefiniert::cmbDNunit_Click()
{
    DNunitWahl = cmbDNunit.listIndex() == 1 ? 1 : 0;
    const int p = cmbDNVentil.listIndex();
    cmbDNVentil.clear();
    for (int i = 0; i < 18; ++i)
        cmbDNVentil.addItem(QString::fromUtf8(DNunitWahl == 1 ? kDNZoll[i] : kDNmm[i]));
    // The lists pair position by position: the same valve size stays chosen.
    cmbDNVentil.setListIndex(p);
}

void frmBenutzerdefiniert::cmbKvUnit_Click()
{
    const int alt = KvUnitWahl;
    KvUnitWahl = cmbKvUnit.listIndex() == 1 ? 1 : 0;
    KvsCvText = umrechnenKvCv(KvsCvText, alt, KvUnitWahl);
    txtKvsCv.setText(KvsCvText.toString());
}

void frmBenutzerdefiniert::txtKvsCv_Change()
{
    KvsCvText = Variant(txtKvsCv.text());
}

void frmBenutzerdefiniert::txtStellverhältnis_LostFocus()
{
    // Accepted are 10 to 100, both included; anything else is put back silently.
    const QString zurueck = Variant(shared().Stellverhältnis).toString();
    if (!Variant(txtStellverhältnis.text()).isNumeric()) {
        txtStellverhältnis.setText(zurueck);
        return;
    }
    if (Variant(txtStellverhältnis.text()).toDouble() < 10)
        txtStellverhältnis.setText(zurueck);
    const Variant jetzt(txtStellverhältnis.text());
    if (jetzt.isNumeric() && jetzt.toDouble() > 100)
        txtStellverhältnis.setText(zurueck);
}

void frmBenutzerdefiniert::cmdAbschätzen_Click()
{
    auto zahlText = [](double v) { return Variant(v).toString(); };
    TextBox *a[] = {&txtA1, &txtA2, &txtA3, &txtA4, &txtA5};
    if (KennlinieWahl == 1) {
        // Outside every band the boxes keep what they show.
        if (const auto koeffizienten = kennlinienschaetzung::gleichprozentig(Variant(txtStellverhältnis.text()))) {
            for (int i = 0; i < 5; ++i)
                a[i]->setText(zahlText((*koeffizienten)[static_cast<std::size_t>(i)]));
        }
    } else {
        for (int i = 0; i < 5; ++i)
            a[i]->setText(zahlText(i == 0 ? 1.0 : 0.0));
    }
    txtA0.setText(zahlText(0));
    txtaFL_0.setText(zahlText(0.8));
    txtaFL_1.setText(zahlText(0));
    txtaFL_2.setText(zahlText(0));
    txtaxT_0.setText(zahlText(0.6));
    txtaxT_1.setText(zahlText(0));
    txtaxT_2.setText(zahlText(0));
}

bool frmBenutzerdefiniert::speichern()
{
    SharedData &d = shared();
    const int Sprache = d.Sprache;
    const QString datei = d.dbKenndaten ? d.dbKenndaten->path() : dataFile(QStringLiteral("dbKenndaten.mdb"));
    auto melden = [&](const QString &grund) {
        const QString text = getText(QStringLiteral("Das benutzerdefinierte Ventil kann nicht gespeichert werden:"),
                                     Sprache) +
                             QLatin1Char('\n') + QDir::toNativeSeparators(datei) + QLatin1Char('\n') +
                             getText(QStringLiteral("Tabelle"), Sprache) + QStringLiteral(" \"") + kTabelle +
                             QStringLiteral("\"\n\n") + grund;
        uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption());
    };

    const QString dn = cmbDNVentil.list(cmbDNVentil.listIndex());
    const bool kvsZahl = KvsCvText.isNumeric();
    const Variant stellverhaeltnis(txtStellverhältnis.text());

    std::shared_ptr<Recordset> rs;
    try {
        if (!d.dbKenndaten)
            throw DbError(DbError::Kind::NoSuchFile, datei, kTabelle, QStringLiteral("the database is not open"));
        rs = oeffneTabelle(*d.dbKenndaten, kTabelle);
        rs->moveFirst();
        if (rs->eof()) {
            melden(getText(QStringLiteral("Die Tabelle enthält keine Zeile."), Sprache));
            return false;
        }
        rs->edit();
        if (DNunitWahl == 0) {
            rs->setField(QStringLiteral("DN"), Variant(dn));
            rs->setField(QStringLiteral("DN_Zoll"), umrechnenDN(Variant(dn), 0, 1));
        } else {
            rs->setField(QStringLiteral("DN_Zoll"), Variant(dn));
            rs->setField(QStringLiteral("DN"), umrechnenDN(Variant(dn), 1, 0));
        }
        if (kvsZahl) {
            // The value entered stands as typed, the converted one to four significant digits.
            const QString eingegeben = KvsCvText.toString();
            const Variant umgerechnet = formatZahl4(umrechnenKvCv(KvsCvText, KvUnitWahl, 1 - KvUnitWahl));
            rs->setField(KvUnitWahl == 0 ? QStringLiteral("Kvs") : QStringLiteral("Cv"), Variant(eingegeben));
            rs->setField(KvUnitWahl == 0 ? QStringLiteral("Cv") : QStringLiteral("Kvs"), umgerechnet);
        }
        rs->setField(QStringLiteral("Kennlinie"), Variant(KennlinieWahl));
        if (stellverhaeltnis.isNumeric())
            rs->setField(QStringLiteral("Stellverhältnis"), Variant(stellverhaeltnis.toDouble()));
        const std::pair<TextBox *, const char *> spalten[] = {
            {&txtA0, "A0"},     {&txtA1, "A1"},     {&txtA2, "A2"},     {&txtA3, "A3"},
            {&txtA4, "A4"},     {&txtA5, "A5"},     {&txtaFL_0, "AFL"}, {&txtaFL_1, "BFL"},
            {&txtaFL_2, "CFL"}, {&txtaxT_0, "AXT"}, {&txtaxT_1, "BXT"}, {&txtaxT_2, "CXT"},
        };
        for (const auto &[box, spalte] : spalten) {
            if (Variant(box->text()).isNumeric())
                rs->setField(QString::fromLatin1(spalte), Variant(box->text()));
        }
        rs->update();
    } catch (const std::exception &e) {
        if (rs && rs->editing())
            rs->cancelUpdate();
        // The message names the table already.
        const auto *db = dynamic_cast<const DbError *>(&e);
        melden(db && db->table() == kTabelle ? failureReasonInTable(*db, Sprache) : failureReason(e, Sprache));
        return false;
    }

    // The row is stored: only now does the user-defined valve become the current one.
    rs->moveFirst();
    d.Ventiltyp = kTabelle;
    d.rsVentil = std::move(rs);
    d.Bezeichnung = Variant(txtBezeichnung.text().left(maxBezeichnung));
    // The given pipe sizes follow the size unit as they do on the sheet's own size list.
    convertNominalSizes(d.DNunit, DNunitWahl, d);
    d.DNVentil = dn;
    d.DNunit = DNunitWahl;
    if (kvsZahl) {
        d.KvsCv = KvsCvText.toFloat();
        d.KvUnit = KvUnitWahl;
    }
    d.Kennlinie = KennlinieWahl;
    if (stellverhaeltnis.isNumeric())
        d.Stellverhältnis = stellverhaeltnis.toDouble();
    return true;
}

bool frmBenutzerdefiniert::pruefen()
{
    // The box to mend takes the focus with its whole text selected, also when it had the focus already (Enter).
    auto ablehnen = [](TextBox &box) {
        uiServices().beep();
        box.setFocus();
        box.selectAll();
        return false;
    };
    // A text that is no number is not taken over and leaves its column as it was; only numbers are judged.
    if (KvsCvText.isNumeric() && !physical::isValidFlowCoefficient(KvsCvText.toDouble()))
        return ablehnen(txtKvsCv);
    TextBox *koeffizienten[] = {&txtA0,    &txtA1,    &txtA2,    &txtA3,    &txtA4,    &txtA5,
                                &txtaFL_0, &txtaFL_1, &txtaFL_2, &txtaxT_0, &txtaxT_1, &txtaxT_2};
    for (TextBox *box : koeffizienten) {
        const Variant wert(box->text());
        if (wert.isNumeric() && !physical::isSensibleNumber(wert.toDouble()))
            return ablehnen(*box);
    }

    // The curves as they will be stored: a box that holds no number keeps the table's coefficient.
    const char *spalten[12] = {"A0", "A1", "A2", "A3", "A4", "A5", "AFL", "BFL", "CFL", "AXT", "BXT", "CXT"};
    std::array<double, 12> k{};
    std::shared_ptr<Recordset> gespeichert;
    for (std::size_t i = 0; i < k.size(); ++i) {
        const Variant wert(koeffizienten[i]->text());
        if (wert.isNumeric()) {
            k[i] = wert.toDouble();
            continue;
        }
        try {
            if (!gespeichert) {
                gespeichert = shared().dbKenndaten ? oeffneTabelle(*shared().dbKenndaten, kTabelle) : nullptr;
                if (gespeichert)
                    gespeichert->moveFirst();
            }
            if (!gespeichert || gespeichert->eof())
                return true; // the table cannot be written either: storing reports it
            k[i] = gespeichert->field(QString::fromLatin1(spalten[i])).asNumber();
        } catch (const std::exception &) {
            return true;
        }
    }
    // Of the boxes from..to, the one holding the number of largest magnitude, where a wrong digit is likeliest.
    auto groesster = [&](std::size_t von, std::size_t bis) {
        std::size_t beste = von;
        double betrag = -1.0;
        for (std::size_t i = von; i <= bis; ++i) {
            const Variant wert(koeffizienten[i]->text());
            if (wert.isNumeric() && std::fabs(wert.toDouble()) > betrag) {
                beste = i;
                betrag = std::fabs(wert.toDouble());
            }
        }
        return koeffizienten[beste];
    };
    if (!physical::isValidCharacteristic({k[0], k[1], k[2], k[3], k[4], k[5]}))
        return ablehnen(*groesster(0, 5));
    // FL and xT: a value closed outside the range is the first coefficient's alone.
    for (const std::size_t erster : {std::size_t{6}, std::size_t{9}}) {
        if (physical::isValidValveFactorCurve(k[erster], k[erster + 1], k[erster + 2]))
            continue;
        const bool geschlossenGueltig = physical::isValidValveFactorCurve(k[erster], 0.0, 0.0);
        return ablehnen(geschlossenGueltig ? *groesster(erster + 1, erster + 2) : *koeffizienten[erster]);
    }
    return true;
}

void frmBenutzerdefiniert::cmdÜbernehmen_Click()
{
    // Enter presses this button while the rangeability box keeps the focus: its check runs here as well.
    txtStellverhältnis_LostFocus();
    if (!pruefen())
        return;
    if (!speichern())
        return;
    unload();
    // The sheet's load rebuilds everything from the shared data and recalculates on the row of "9999".
    toolhost::reloadSheet(shared().Modus);
}

void frmBenutzerdefiniert::cmdAbbruch_Click()
{
    SharedData &d = shared();
    // The series of the opening again, in index order; if it cannot be opened the table already open stays.
    if (d.dbKenndaten) {
        try {
            d.rsVentil = oeffneTabelle(*d.dbKenndaten, VentiltypAlt);
        } catch (const std::exception &) {
        }
    }
    unload();
    if (d.Modus == 0)
        calcDimensionierung();
    else if (d.Modus == 1)
        calcDurchfluss();
}

DefaultInstance<frmBenutzerdefiniert> &frmBenutzerdefiniertInstance()
{
    static DefaultInstance<frmBenutzerdefiniert> instance;
    return instance;
}
