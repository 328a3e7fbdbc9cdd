#pragma once

#include "engine/user_valve.h"
#include "platform/core/variant.h"
#include "platform/forms/forms.h"

#include <array>
#include <memory>

class Recordset;

// The user-defined valve: one valve of the user's own (designation, nominal size, Kvs or Cv, characteristic,
// rangeability, coefficients of its Kv, FL and xT curves), stored as the first row of the table "9999" of the
// characteristic database and sized as the valve series "9999". Starts from the valve the shared data hold.
class frmBenutzerdefiniert : public Form {
public:
    frmBenutzerdefiniert();

    Label lblBezeichnung{this, QStringLiteral("lblBezeichnung")};
    TextBox txtBezeichnung{this, QStringLiteral("txtBezeichnung")};
    Label lblNennweite{this, QStringLiteral("lblNennweite")};
    ComboBox cmbDNVentil{this, QStringLiteral("cmbDNVentil")};
    ComboBox cmbDNunit{this, QStringLiteral("cmbDNunit")};
    Label lblKvsCV{this, QStringLiteral("lblKvsCV")};
    TextBox txtKvsCv{this, QStringLiteral("txtKvsCv")};
    ComboBox cmbKvUnit{this, QStringLiteral("cmbKvUnit")};
    Label lblKennlinie{this, QStringLiteral("lblKennlinie")};
    Frame fraKennlinie{this, QStringLiteral("fraKennlinie")};
    OptionButton optLinear{&fraKennlinie, QStringLiteral("optLinear")};
    OptionButton optGleichprozentig{&fraKennlinie, QStringLiteral("optGleichprozentig")};
    OptionButton optAufZu{&fraKennlinie, QStringLiteral("optAufZu")};
    Label lblStellverhältnis{this, QStringLiteral("lblStellverhältnis")};
    TextBox txtStellverhältnis{this, QStringLiteral("txtStellverhältnis")};
    Label Label1{this, QStringLiteral("Label1")};
    Label lblKoeffizienten{this, QStringLiteral("lblKoeffizienten")};
    Label lblA0{this, QStringLiteral("lblA0")};
    TextBox txtA0{this, QStringLiteral("txtA0")};
    Label lblA1{this, QStringLiteral("lblA1")};
    TextBox txtA1{this, QStringLiteral("txtA1")};
    Label lblA2{this, QStringLiteral("lblA2")};
    TextBox txtA2{this, QStringLiteral("txtA2")};
    Label lblA3{this, QStringLiteral("lblA3")};
    TextBox txtA3{this, QStringLiteral("txtA3")};
    Label lblA4{this, QStringLiteral("lblA4")};
    TextBox txtA4{this, QStringLiteral("txtA4")};
    Label lblA5{this, QStringLiteral("lblA5")};
    TextBox txtA5{this, QStringLiteral("txtA5")};
    Label lblFLWert{this, QStringLiteral("lblFLWert")};
    Label lblaFl_0{this, QStringLiteral("lblaFl_0")};
    TextBox txtaFL_0{this, QStringLiteral("txtaFL_0")};
    Label lblaFL_1{this, QStringLiteral("lblaFL_1")};
    TextBox txtaFL_1{this, QStringLiteral("txtaFL_1")};
    Label lblaFL_2{this, QStringLiteral("lblaFL_2")};
    TextBox txtaFL_2{this, QStringLiteral("txtaFL_2")};
    Label lblXTWert{this, QStringLiteral("lblXTWert")};
    Label lblaxT_0{this, QStringLiteral("lblaxT_0")};
    TextBox txtaxT_0{this, QStringLiteral("txtaxT_0")};
    Label lblaxT_1{this, QStringLiteral("lblaxT_1")};
    TextBox txtaxT_1{this, QStringLiteral("txtaxT_1")};
    Label lblaxT_2{this, QStringLiteral("lblaxT_2")};
    TextBox txtaxT_2{this, QStringLiteral("txtaxT_2")};
    CommandButton cmdAbschätzen{this, QStringLiteral("cmdAbschätzen")};
    CommandButton cmdÜbernehmen{this, QStringLiteral("cmdÜbernehmen")};
    CommandButton cmdAbbruch{this, QStringLiteral("cmdAbbruch")};

    // The dialog's own state, for the tests.
    const QString &ventiltypAlt() const { return VentiltypAlt; }
    int dnUnitWahl() const { return DNunitWahl; }
    const Variant &kvsCvText() const { return KvsCvText; }
    int kvUnitWahl() const { return KvUnitWahl; }
    int kennlinieWahl() const { return KennlinieWahl; }

    // Longest designation kept; the printouts have room for no more.
    static constexpr int maxBezeichnung = 32;

protected:
    void Form_Load() override;

private:
    void cmbDNunit_Click();
    void cmbKvUnit_Click();
    void txtKvsCv_Change();
    void txtStellverhältnis_LostFocus();
    void cmdAbschätzen_Click();
    void cmdÜbernehmen_Click();
    void cmdAbbruch_Click();

    // Whether the boxes describe a valve that can exist (userValveFault), with the table's values for the boxes that
    // hold no number. The box at fault takes the focus, with a beep.
    bool pruefen();

    // Writes the dialog's valve into the first row of "9999"; on failure tells the user (file and table) and
    // gives false, with the table and the shared data as they were.
    bool speichern();

    QString VentiltypAlt;
    int DNunitWahl = 0;
    Variant KvsCvText;
    int KvUnitWahl = 0;
    int KennlinieWahl = 0;
};

// Writes the valve into the first row of "9999" of the shared catalogue and gives that table on its first row. On
// failure tells the user (file, table and reason) under `title` and gives nothing, the row as it was.
std::shared_ptr<Recordset> writeUserValve(const UserValve &valve, const QString &title);

// A project that names the user-defined valve has just become the shared data, with the catalogue open. When the
// valve it was computed with (its coefficients are not empty) is not the row of "9999", asks whether to restore
// it. Yes writes it into the row and names the valve it replaced; No keeps the row, which is then computed under
// the name of the user-defined valve, not under the project's designation. `projectFile` is named in the question.
void reconcileProjectUserValve(const QString &projectFile, const QString &title);

// The dialog's one instance: created and loaded on first use, gone when it unloads.
DefaultInstance<frmBenutzerdefiniert> &frmBenutzerdefiniertInstance();
