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

// The valve the first row of a valve table holds, its size and Kvs or Cv in the given units.
UserValve rowValve(const Recordset &rs, int DNunit, int KvUnit)
{
    UserValve v;
    v.DNunit = DNunit;
    v.DNVentil = rs.field(DNunit == 1 ? QStringLiteral("DN_Zoll") : QStringLiteral("DN")).toString();
    v.KvUnit = KvUnit;
    v.KvsCv = rs.field(KvUnit == 1 ? QStringLiteral("Cv") : QStringLiteral("Kvs"));
    const Variant kennlinie = rs.field(QStringLiteral("Kennlinie"));
    v.Kennlinie = kennlinie.isNumeric() ? static_cast<int>(kennlinie.toInt()) : -1;
    v.Stellverhältnis = rs.field(QStringLiteral("Stellverhältnis"));
    for (std::size_t i = 0; i < v.koeffizienten.size(); ++i)
        v.koeffizienten[i] = rs.field(userValveCoefficientColumns()[i]);
    return v;
}

// The valve a project was computed with, as the shared data hold it after the load.
UserValve projectValve(const SharedData &d)
{
    UserValve v;
    v.DNVentil = d.DNVentil;
    v.DNunit = d.DNunit;
    v.KvsCv = Variant(d.KvsCv);
    v.KvUnit = d.KvUnit;
    v.Kennlinie = d.Kennlinie;
    v.Stellverhältnis = Variant(d.Stellverhältnis);
    v.koeffizienten = {d.A0, d.A1, d.A2, d.A3, d.A4, d.A5, d.AFL, d.BFL, d.CFL, d.AxT, d.BxT, d.CxT};
    return v;
}

// Makes a valve the shared data's own, the inverse of projectValve. A value that is no number leaves its item.
void takeValve(const UserValve &v, SharedData &d)
{
    d.DNVentil = v.DNVentil;
    d.DNunit = v.DNunit;
    if (v.KvsCv.isNumeric()) {
        d.KvsCv = v.KvsCv.toFloat();
        d.KvUnit = v.KvUnit;
    }
    if (v.Kennlinie >= 0)
        d.Kennlinie = v.Kennlinie;
    if (v.Stellverhältnis.isNumeric())
        d.Stellverhältnis = v.Stellverhältnis.toDouble();
    Variant *k[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (std::size_t i = 0; i < v.koeffizienten.size(); ++i)
        *k[i] = v.koeffizienten[i];
}

// Whether two descriptions in the same units are one valve: sizes as the size lists compare them (millimetres
// without surrounding blanks), Kvs or Cv in single precision as the table holds it, the rest as numbers.
bool sameValve(const UserValve &a, const UserValve &b)
{
    const bool sameSize = a.DNunit == 1 ? a.DNVentil == b.DNVentil : a.DNVentil.trimmed() == b.DNVentil.trimmed();
    if (!sameSize || a.Kennlinie != b.Kennlinie || !b.KvsCv.isNumeric() || a.KvsCv.toFloat() != b.KvsCv.toFloat())
        return false;
    auto sameNumber = [](const Variant &x, const Variant &y) {
        double u = 0.0;
        double w = 0.0;
        return x.toNumber(&u) && y.toNumber(&w) && u == w;
    };
    if (!sameNumber(a.Stellverhältnis, b.Stellverhältnis))
        return false;
    for (std::size_t i = 0; i < a.koeffizienten.size(); ++i)
        if (!sameNumber(a.koeffizienten[i], b.koeffizienten[i]))
            return false;
    return true;
}

// What names a user-defined valve besides its designation.
QString describeValve(const UserValve &v, int Sprache)
{
    return valveDescription(v.DNVentil, v.DNunit, v.KvsCv.toFloat(), v.KvUnit, v.Kennlinie, Sprache);
}

} // namespace

std::shared_ptr<Recordset> writeUserValve(const UserValve &valve, const QString &title)
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
        uiServices().messageBox(text, MsgButtons::OK, MsgIcon::Exclamation, title);
    };

    const QString &dn = valve.DNVentil;
    std::shared_ptr<Recordset> rs;
    try {
        if (!d.dbKenndaten)
            throw DbError(DbError::Kind::NoSuchFile, datei, kTabelle, QStringLiteral("the database is not open"));
        rs = oeffneTabelle(*d.dbKenndaten, kTabelle);
        rs->moveFirst();
        if (rs->eof()) {
            melden(getText(QStringLiteral("Die Tabelle enthält keine Zeile."), Sprache));
            return nullptr;
        }
        rs->edit();
        if (valve.DNunit == 0) {
            rs->setField(QStringLiteral("DN"), Variant(dn));
            rs->setField(QStringLiteral("DN_Zoll"), umrechnenDN(Variant(dn), 0, 1));
        } else {
            rs->setField(QStringLiteral("DN_Zoll"), Variant(dn));
            rs->setField(QStringLiteral("DN"), umrechnenDN(Variant(dn), 1, 0));
        }
        if (valve.KvsCv.isNumeric()) {
            // The value given stands as it is, the converted one to four significant digits.
            const int unit = valve.KvUnit;
            const Variant umgerechnet = formatZahl4(umrechnenKvCv(valve.KvsCv, unit, 1 - unit));
            rs->setField(unit == 0 ? QStringLiteral("Kvs") : QStringLiteral("Cv"), valve.KvsCv);
            rs->setField(unit == 0 ? QStringLiteral("Cv") : QStringLiteral("Kvs"), umgerechnet);
        }
        rs->setField(QStringLiteral("Kennlinie"), Variant(valve.Kennlinie));
        if (valve.Stellverhältnis.isNumeric())
            rs->setField(QStringLiteral("Stellverhältnis"), Variant(valve.Stellverhältnis.toDouble()));
        for (std::size_t i = 0; i < valve.koeffizienten.size(); ++i) {
            if (valve.koeffizienten[i].isNumeric())
                rs->setField(userValveCoefficientColumns()[i], valve.koeffizienten[i]);
        }
        rs->update();
    } catch (const std::exception &e) {
        if (rs && rs->editing())
            rs->cancelUpdate();
        // The message names the table already.
        const auto *db = dynamic_cast<const DbError *>(&e);
        melden(db && db->table() == kTabelle ? failureReasonInTable(*db, Sprache) : failureReason(e, Sprache));
        return nullptr;
    }
    rs->moveFirst();
    return rs;
}

void reconcileProjectUserValve(const QString &projectFile, const QString &title)
{
    SharedData &d = shared();
    if (d.Ventiltyp != kTabelle || !d.dbKenndaten)
        return;
    const UserValve project = projectValve(d);
    // A valve never computed has no coefficients to compare: the row is what the project gets, as it always did.
    if (!hasCoefficients(project))
        return;
    UserValve stored;
    try {
        std::shared_ptr<Recordset> rs = oeffneTabelle(*d.dbKenndaten, kTabelle);
        rs->moveFirst();
        if (rs->eof())
            return; // the sheet's run names the table without its row
        stored = rowValve(*rs, project.DNunit, project.KvUnit);
    } catch (const std::exception &) {
        return; // likewise a row that cannot be read
    }
    if (sameValve(project, stored))
        return;
    const int Sprache = screenLanguage();
    auto t = [Sprache](const char *key) { return getText(QString::fromUtf8(key), Sprache); };
    // The valve computed is the stored one, whose designation nobody knows: the project's is not lent to it, and
    // the valve goes by the general name in whatever language it is shown or printed. It is taken whole, since a
    // sheet that stops at its input check, and the flow sheet's rangeability, rewrite nothing.
    auto notClaimed = [&] {
        d.Bezeichnung = Variant(QString());
        takeValve(stored, d);
    };
    // A valve the dialog would refuse (an edited file) is not put into the table.
    if (userValveFault(project)) {
        notClaimed();
        return;
    }

    const QString bezeichnung = d.Bezeichnung.toString().trimmed();
    const QString projectText = describeValve(project, Sprache);
    const QString storedText = describeValve(stored, Sprache);
    const QString question =
        QDir::toNativeSeparators(projectFile) + QLatin1Char('\n') +
        t("Das Projekt wurde mit einem anderen benutzerdefinierten Ventil berechnet, als gespeichert ist.") +
        QStringLiteral("\n\n") + t("Ventil des Projekts:") + QLatin1Char(' ') +
        (bezeichnung.isEmpty() ? QString() : QString(QLatin1Char('"') + bezeichnung + QStringLiteral("\", "))) +
        projectText + QLatin1Char('\n') + t("Gespeichertes benutzerdefiniertes Ventil:") + QLatin1Char(' ') +
        storedText +
        (projectText == storedText
             ? QLatin1Char('\n') + t("Die Ventile unterscheiden sich in den Kennlinien-Koeffizienten oder im "
                                     "Stellverhältnis.")
             : QString()) +
        QStringLiteral("\n\n") +
        t("Soll das Ventil des Projekts wiederhergestellt werden? Mit Nein wird das Projekt mit dem gespeicherten "
          "Ventil berechnet, ohne die Bezeichnung des Projekts.");
    if (uiServices().messageBox(question, MsgButtons::YesNo, MsgIcon::Question, title) == MsgAnswer::Yes) {
        if (std::shared_ptr<Recordset> rs = writeUserValve(project, title)) {
            d.rsVentil = std::move(rs);
            uiServices().messageBox(t("Das Ventil des Projekts ist wiederhergestellt. Es ersetzt das "
                                      "benutzerdefinierte Ventil:") +
                                        QLatin1Char('\n') + describeValve(stored, Sprache),
                                    MsgButtons::OK, MsgIcon::Information, title);
            return;
        }
    }
    notClaimed();
}

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
    // Anything but a rangeability the dialog accepts is put back silently.
    const Variant wert(txtStellverhältnis.text());
    if (!wert.isNumeric() || !isValidRangeability(wert.toDouble()))
        txtStellverhältnis.setText(Variant(shared().Stellverhältnis).toString());
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
    const Variant stellverhaeltnis(txtStellverhältnis.text());
    UserValve valve;
    valve.DNVentil = cmbDNVentil.list(cmbDNVentil.listIndex());
    valve.DNunit = DNunitWahl;
    valve.KvsCv = KvsCvText;
    valve.KvUnit = KvUnitWahl;
    valve.Kennlinie = KennlinieWahl;
    if (stellverhaeltnis.isNumeric())
        valve.Stellverhältnis = Variant(stellverhaeltnis.toDouble());
    const TextBox *boxen[12] = {&txtA0,    &txtA1,    &txtA2,    &txtA3,    &txtA4,    &txtA5,
                                &txtaFL_0, &txtaFL_1, &txtaFL_2, &txtaxT_0, &txtaxT_1, &txtaxT_2};
    for (std::size_t i = 0; i < valve.koeffizienten.size(); ++i)
        valve.koeffizienten[i] = Variant(boxen[i]->text());
    std::shared_ptr<Recordset> rs = writeUserValve(valve, caption());
    if (!rs)
        return false;

    // The row is stored: only now does the user-defined valve become the current one, as the row holds it whole
    // (a box that held no number kept its column), since a sheet that stops at its input check rewrites nothing.
    d.Ventiltyp = kTabelle;
    d.Bezeichnung = Variant(txtBezeichnung.text().left(maxBezeichnung));
    // The given pipe sizes follow the size unit as they do on the sheet's own size list.
    convertNominalSizes(d.DNunit, DNunitWahl, d);
    takeValve(rowValve(*rs, DNunitWahl, KvUnitWahl), d);
    d.rsVentil = std::move(rs);
    return true;
}

bool frmBenutzerdefiniert::pruefen()
{
    // The valve as it will be stored: a box that holds no number is not taken over and leaves its column as it was.
    UserValve valve;
    valve.KvUnit = KvUnitWahl;
    valve.KvsCv = KvsCvText;
    valve.Stellverhältnis = Variant(txtStellverhältnis.text());
    TextBox *koeffizienten[] = {&txtA0,    &txtA1,    &txtA2,    &txtA3,    &txtA4,    &txtA5,
                                &txtaFL_0, &txtaFL_1, &txtaFL_2, &txtaxT_0, &txtaxT_1, &txtaxT_2};
    std::array<bool, 12> typed{};
    // False when the table cannot be read: it cannot be written either, and storing reports it.
    auto gespeichert = [&, rs = std::shared_ptr<Recordset>()](Variant &wert, const QString &spalte) mutable {
        try {
            if (!rs) {
                rs = shared().dbKenndaten ? oeffneTabelle(*shared().dbKenndaten, kTabelle) : nullptr;
                if (rs)
                    rs->moveFirst();
            }
            if (!rs || rs->eof())
                return false;
            wert = rs->field(spalte);
            return true;
        } catch (const std::exception &) {
            return false;
        }
    };
    if (!KvsCvText.isNumeric() &&
        !gespeichert(valve.KvsCv, KvUnitWahl == 1 ? QStringLiteral("Cv") : QStringLiteral("Kvs")))
        return true;
    for (std::size_t i = 0; i < valve.koeffizienten.size(); ++i) {
        valve.koeffizienten[i] = Variant(koeffizienten[i]->text());
        typed[i] = valve.koeffizienten[i].isNumeric();
        if (!typed[i] && !gespeichert(valve.koeffizienten[i], userValveCoefficientColumns()[i]))
            return true;
    }
    const std::optional<UserValveFault> fehler = userValveFault(valve, typed);
    if (!fehler)
        return true;
    TextBox &box = fehler->value == UserValveFault::Value::KvsCv            ? txtKvsCv
                   : fehler->value == UserValveFault::Value::Stellverhältnis ? txtStellverhältnis
                                                                              : *koeffizienten[fehler->koeffizient];
    // The box to mend takes the focus with its whole text selected, also when it had the focus already (Enter).
    uiServices().beep();
    box.setFocus();
    box.selectAll();
    return false;
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
