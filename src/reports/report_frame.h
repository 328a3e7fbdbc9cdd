#pragma once

#include "platform/print/printer.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <functional>
#include <optional>

class TextBox;

// The page frame shared by the printouts: page header, header block, word wrap, section headings with their
// rule, and the footer with the maker's lines. Every printed word is looked up in the print language.
namespace report {

// Print columns of the printouts.
constexpr int kLabelColumn = 10;
constexpr int kSubLabelColumn = 18;
constexpr int kHeaderValueColumn = 33;
constexpr int kMinColumn = 55;
constexpr int kNormColumn = 77;
constexpr int kMaxColumn = 99;
constexpr int kUnitColumn = 110;
constexpr int kMarkerColumn = 120;
constexpr int kMakerColumn = 90;

constexpr double kPageLimit = 270.0;   // a section that would pass it starts a new page
constexpr double kFooterTop = 265.0;   // the footer's first line
constexpr double kRuleLeft = 14.0;
constexpr double kRuleRight = 200.0;   // also the right end of a heading's line
constexpr double kHeaderTextWidth = 130.0;
constexpr double kTitleSize = 12.0;
constexpr double kBaseSize = 10.0;
constexpr double kFooterSize = 8.0;

// The date in the page header: today, unless a test fixes it.
QDate printDate();
void setPrintDate(std::optional<QDate> date);

// The header fields' length rule: a longer text beeps and is cut to the limit, the caret behind it.
void limitHeaderField(TextBox &field, int limit);

} // namespace report

// The five header texts as the dialog's fields hold them.
struct HeaderTexts {
    QString Info;
    QString Firma;
    QString Betrifft;
    QString Position;
    QString MStelle;
};

class ReportFrame {
public:
    // title: the page title as printed; logo: drawn in every page header.
    ReportFrame(Printer &printer, int SpracheDruck, QString title, QImage logo);

    Printer &printer() { return p_; }
    int language() const { return sprache_; }
    // A wording in the print language.
    QString text(const QString &key) const;

    // Logo, title in 12-point bold at column 10, the date at column 110 on the line below.
    void druck_Seitenkopf();
    // Info text, company, subject, item and measuring point, closed by a rule between empty lines.
    void druck_Kopfdaten(const HeaderTexts &texts);
    // Prints the text from the column in lines no wider than width (millimetres, current font), breaking at the
    // last blank that keeps a line within it, or inside a word wider than the line; a line feed starts a new
    // line, a carriage return is dropped. Ends the line after the text.
    void druck_Zeilenumbruch(const QString &text, int column, double width);
    // Maker's lines and "Berechnet von" at 265 mm; on a new page (with its header) when text, a rule or a picture
    // of the page already reaches below that height.
    void druck_Fusszeile(const QString &Benutzername);

    // New page with its header when a block of the height, from the cursor, would pass the page limit.
    void pageBreakTest(double height);
    // New page with its header when a block of the height would not end above the footer.
    void keepAboveFooter(double height);
    void newPageWithHeader();
    // A section heading: bold at column 10, wrapped before the right end of the rule, then the rule.
    void heading(const QString &text);
    // The head row of the operating points: "Betriebszustand:" and "min.", "norm.", "max." over their columns
    // (always all three), then an empty line.
    void columnHeads();
    // A rule at the cursor's height from 14 to 200 mm; the cursor goes to its right end.
    void rule();
    // Prints a value at the column within its room: up to a blank before the column where its line goes on
    // (`next`), or up to the end of the rules when nothing follows on the line (0). A number too wide for the
    // room is printed as the windows draw it, with fewer significant digits and its exponent, so that the rest
    // of the line stays where it belongs; a word before the number ("Kv ", the blank of a sign) stays whole.
    void entry(int column, const QString &text, int next);
    // A row of the operating points: the label at its column, the min and norm entries where their column rule
    // gives one, the max entry, the unit at column 110, and the end of the line; with `bold` every piece bold.
    void pointRow(int labelColumn, const QString &label, const std::optional<QString> &min,
                  const std::optional<QString> &norm, const QString &max, const QString &unit, bool bold = false);

private:
    Printer &p_;
    int sprache_;
    QString title_;
    QImage logo_;
};
