#pragma once

#include "platform/forms/forms.h"
#include "platform/print/printer.h"
#include "reports/header_fields.h"
#include "reports/heat_exchanger_schematic.h"
#include "reports/report_frame.h"

// The print dialog of the steam heat exchanger: the five header texts and the language of the printout, shared
// with the sheets' print dialog. OK prints the one-page heat-exchanger printout (the procedures druck_*) on the
// current printer from the print variables WTDruck_* and closes the window; Abbruch keeps the texts and closes it.
class frmDruck_WTauscher : public Form {
public:
    frmDruck_WTauscher();
    ~frmDruck_WTauscher() override;

    Label lblTitel{this, QStringLiteral("lblTitel")};
    Image pictLogo{this, QStringLiteral("pictLogo")};

    TextBox txtInfo{this, QStringLiteral("txtInfo")};
    Label lblFirma{this, QStringLiteral("lblFirma")};
    TextBox txtFirma{this, QStringLiteral("txtFirma")};
    Label lblBetrifft{this, QStringLiteral("lblBetrifft")};
    TextBox txtBetrifft{this, QStringLiteral("txtBetrifft")};
    Label lblPosition{this, QStringLiteral("lblPosition")};
    TextBox txtPosition{this, QStringLiteral("txtPosition")};
    Label lblMStelle{this, QStringLiteral("lblMStelle")};
    TextBox txtMStelle{this, QStringLiteral("txtMStelle")};

    Label lblSprache{this, QStringLiteral("lblSprache")};
    ComboBox cmbSprache{this, QStringLiteral("cmbSprache")};

    CommandButton cmdKopfLöschen{this, QStringLiteral("cmdKopfLöschen")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdEsc{this, QStringLiteral("cmdEsc")};

    // Length limits of the header fields; the measuring point takes as much as the subject here.
    static constexpr int kInfoLimit = 255;
    static constexpr int kFirmaLimit = 255;
    static constexpr int kBetrifftLimit = 255;
    static constexpr int kPositionLimit = 63;
    static constexpr int kMStelleLimit = 255;

    // The drawing printed under the data; the heat-exchanger window hands itself over before the dialog shows.
    // Null: the printout has no drawing.
    void setSchematic(const HeatExchangerSchematic *schematic) { schematic_ = schematic; }

    // --- The printout (the print procedures)
    // Prints the whole page on the current printer; lastPrintResult() tells how it ended.
    void druck_WTauscher();
    void druck_Seitenkopf();
    void druck_Kopfdaten();
    void druck_Zeilenumbruch(const QString &text, int column, double width);
    void druck_Prozessdaten();
    void druck_Fluessigkeitsdaten();
    void druck_Dampfdaten();
    void druck_Schemabild();
    void druck_Fusszeile();

    const PrintResult &lastPrintResult() const { return lastResult_; }

protected:
    void Form_Load() override;

private:
    void cmbSprache_Click();
    void cmdOK_Click();
    void cmdEsc_Click();
    void cmdKopfLöschen_Click();
    void txtInfo_Change();
    void txtFirma_Change();
    void txtBetrifft_Change();
    void txtPosition_Change();
    void txtMStelle_Change();

    HeaderFieldSet headerFields();

    // Helpers of the printout (heat_exchanger_report.cpp).
    QString text(const char *key) const;
    // The min and norm columns print only while switched on and with a steam mass flow above 0.
    bool minColumn() const;
    bool normColumn() const;
    // A row: label at column 10, the entries the columns allow, the unit at column 110, end of the line; a bold
    // row has each piece in bold.
    void zeile(const QString &label, const QString &min, const QString &norm, const QString &max,
               const QString &unit, bool bold = false);

    const HeatExchangerSchematic *schematic_ = nullptr;
    // The page frame while a printout runs.
    ReportFrame *frame_ = nullptr;
    PrintResult lastResult_;
    // What stopped a printout half way, when it was no printer failure.
    QString lastError_;
};

DefaultInstance<frmDruck_WTauscher> &frmDruck_WTauscherInstance();

namespace reports {

// The print command of the heat-exchanger window, once it has filled the print variables WTDruck_*: opens the
// print dialog centred on the screen and modal, with the window's drawing for the printout. The window's PDF
// command selects the PDF printer around this call.
void showHeatExchangerPrintDialog(const HeatExchangerSchematic *schematic);

} // namespace reports
