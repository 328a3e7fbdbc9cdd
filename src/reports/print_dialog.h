#pragma once

#include "platform/core/variant.h"
#include "platform/forms/forms.h"
#include "platform/print/printer.h"
#include "reports/header_fields.h"
#include "reports/report_frame.h"

#include <array>
#include <functional>
#include <memory>

// The print dialog of the calculation sheets: five header texts, the choice of sections and the language of the
// printout. OK prints the active sheet's printout on the current printer and closes the window; Abbruch keeps the
// texts and closes it. The printout itself (the procedures druck_*) is built from the shared data and the
// header fields of this window.
class frmDruck : public Form {
public:
    frmDruck();
    ~frmDruck() override;

    Label lblTitel{this, QStringLiteral("lblTitel")};
    Image pictLogo{this, QStringLiteral("pictLogo")};
    // The logo of the page header; never shown.
    Image Logo{this, QStringLiteral("Logo")};

    TextBox txtInfo{this, QStringLiteral("txtInfo")};
    Label lblFirma{this, QStringLiteral("lblFirma")};
    TextBox txtFirma{this, QStringLiteral("txtFirma")};
    Label lblBetrifft{this, QStringLiteral("lblBetrifft")};
    TextBox txtBetrifft{this, QStringLiteral("txtBetrifft")};
    Label lblPosition{this, QStringLiteral("lblPosition")};
    TextBox txtPosition{this, QStringLiteral("txtPosition")};
    Label lblMStelle{this, QStringLiteral("lblMStelle")};
    TextBox txtMStelle{this, QStringLiteral("txtMStelle")};

    Label lblAusdruckVon{this, QStringLiteral("lblAusdruckVon")};
    CheckBox chkProzessdaten{this, QStringLiteral("chkProzessdaten")};
    Label lblProzessdaten{this, QStringLiteral("lblProzessdaten")};
    CheckBox chkVentildaten{this, QStringLiteral("chkVentildaten")};
    Label lblVentildaten{this, QStringLiteral("lblVentildaten")};
    CheckBox chkStellverhältnis{this, QStringLiteral("chkStellverhältnis")};
    Label lblStellverhältnis{this, QStringLiteral("lblStellverhältnis")};
    CheckBox chkKenndaten{this, QStringLiteral("chkKenndaten")};
    Label lblKenndaten{this, QStringLiteral("lblKenndaten")};
    CheckBox chkRohrleitung{this, QStringLiteral("chkRohrleitung")};
    Label lblRohrleitung{this, QStringLiteral("lblRohrleitung")};
    CheckBox chkSchalldruck{this, QStringLiteral("chkSchalldruck")};
    Label lblSchalldruck{this, QStringLiteral("lblSchalldruck")};
    CheckBox chkStoffdaten{this, QStringLiteral("chkStoffdaten")};
    Label lblStoffdaten{this, QStringLiteral("lblStoffdaten")};

    Label lblSprache{this, QStringLiteral("lblSprache")};
    ComboBox cmbSprache{this, QStringLiteral("cmbSprache")};

    CommandButton cmdKopfLöschen{this, QStringLiteral("cmdKopfLöschen")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdEsc{this, QStringLiteral("cmdEsc")};

    // Length limits of the header fields.
    static constexpr int kInfoLimit = 255;
    static constexpr int kFirmaLimit = 255;
    static constexpr int kBetrifftLimit = 255;
    static constexpr int kPositionLimit = 63;
    static constexpr int kMStelleLimit = 31;

    // --- The printout of the active sheet (the print procedures)
    // Prints the whole document on the current printer; lastPrintResult() tells how it ended.
    void druck_Berechnungsblatt();
    void druck_Seitenkopf();
    void druck_Kopfdaten();
    void druck_Zeilenumbruch(const QString &text, int column, double width);
    void druck_Warnungen();
    void druck_Fusszeile();
    void druck_Prozessdaten();
    void druck_Prozessdaten_Flow();
    void druck_Ventildaten();
    void druck_Ventildaten_Flow();
    void druck_ErwKenndaten();
    void druck_Rohrleitung();
    void druck_Schalldruck();
    void druck_Stoffdaten();

    const PrintResult &lastPrintResult() const { return lastResult_; }

    // Warning state of the printout, set by the sizing sheet's valve-data section: the notes of the warnings list
    // and how many of them are set.
    bool bWarnungStellverhältnis = false;
    bool bWarnungVentilöffnung = false;
    bool bWarnungVentildurchfluss = false;
    bool bWarnungDurchflussreserve = false;
    int AnzahlWarnungen = 0;

protected:
    void Form_Load() override;

private:
    void chkProzessdaten_Click();
    void chkVentildaten_Click();
    void chkStellverhältnis_Click();
    void chkKenndaten_Click();
    void chkRohrleitung_Click();
    void chkSchalldruck_Click();
    void chkStoffdaten_Click();
    void cmbSprache_Click();
    void cmdOK_Click();
    void cmdEsc_Click();
    void cmdKopfLöschen_Click();
    void txtInfo_Change();
    void txtFirma_Change();
    void txtBetrifft_Change();
    void txtPosition_Change();
    void txtMStelle_Change();

    // Stores a section flag from its box, then the program parameters.
    void storeFlag(CheckBox &box, Variant &flag);
    void saveParameters();
    HeaderFieldSet headerFields();
    // Tells the user why the printout did not come out; a cancel is not told.
    void reportPrintResult();

    // Helpers of the sections (sheet_report_sections.cpp).
    QString t(const char *key) const;
    bool minEntry() const;
    bool normEntry() const;
    QString flowUnit() const;
    // The notes of the warnings list in their order, each with its flag.
    enum class Warnung { Stellverhältnis, Ventilöffnung, Ventildurchfluss, Durchflussreserve };
    std::array<std::pair<bool, const char *>, 4> warnungen() const;
    // A note's number in the list: the notes set before it, plus one.
    int nummer(Warnung w) const;
    // The numbers of the notes that concern a row, at column 120 in bold italic; the line ends.
    void marker(QList<int> numbers);
    // A row of label, min, norm and max entries (each as the columns allow) and unit; the line ends.
    void druckZeile(int labelColumn, const QString &label, const QString &min, const QString &norm,
                    const QString &max, const QString &unit);
    // Rows shared by both valve-data sections: characteristic and flow coefficient.
    void druckKennlinie();
    void druckKvs();

    // The page frame while a printout runs.
    ReportFrame *frame_ = nullptr;
    PrintResult lastResult_;
    // What stopped a printout half way, when it was no printer failure.
    QString lastError_;
    bool saveFailureTold_ = false;
};

DefaultInstance<frmDruck> &frmDruckInstance();

namespace reports {
// How the print dialog stores the program parameters (folder, file name); src/app sets it. Unset, nothing is
// stored. A failure is thrown, and the dialog tells it once per opening.
void setSaveProgrammParameter(std::function<void(const QString &, const QString &)> save);
} // namespace reports
