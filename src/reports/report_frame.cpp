#include "reports/report_frame.h"

#include "platform/core/number_text.h"
#include "platform/forms/text_box.h"
#include "platform/forms/ui_services.h"
#include "units/maker_identity.h"
#include "units/texts.h"

#include <algorithm>

namespace {

std::optional<QDate> g_printDate;

// Blanks only, as the header block's tests have always trimmed.
QString trimBlanks(const QString &s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s[from] == QLatin1Char(' '))
        ++from;
    while (to > from && s[to - 1] == QLatin1Char(' '))
        --to;
    return s.mid(from, to - from);
}

// The lines of one paragraph no wider than width; a break replaces the last blank that keeps the line within
// the width, or, in a word wider than the line, comes before the character that would pass it.
void breakParagraph(const Printer &p, const QString &para, double width, QStringList &lines)
{
    qsizetype s = 0;
    for (qsizetype i = 0; i < para.size(); ++i) {
        if (!(p.textWidth(para.mid(s, i - s + 1)) > width))
            continue;
        const qsizetype blank = para.lastIndexOf(QLatin1Char(' '), i);
        if (blank >= s) {
            lines << para.mid(s, blank - s);
            s = blank + 1;
        } else if (i > s) {
            lines << para.mid(s, i - s);
            s = i;
        }
        // A single character wider than the line stays where it is.
    }
    lines << para.mid(s);
}

} // namespace

namespace report {

QDate printDate()
{
    return g_printDate ? *g_printDate : QDate::currentDate();
}

void setPrintDate(std::optional<QDate> date)
{
    g_printDate = date;
}

void limitHeaderField(TextBox &field, int limit)
{
    if (field.text().size() <= limit)
        return;
    uiServices().beep();
    // The assignment raises the field's Change once more, which then finds the text within the limit.
    field.setText(field.text().left(limit));
    field.setSelStart(limit);
}

} // namespace report

ReportFrame::ReportFrame(Printer &printer, int SpracheDruck, QString title, QImage logo)
    : p_(printer), sprache_(SpracheDruck), title_(std::move(title)), logo_(std::move(logo))
{
}

QString ReportFrame::text(const QString &key) const
{
    return getText(key, sprache_);
}

void ReportFrame::druck_Seitenkopf()
{
    // The logo's place is 22 x 10 mm; a logo of other proportions is fitted into it undistorted, at its right end.
    if (!logo_.isNull()) {
        const double scale = std::min(22.0 / logo_.width(), 10.0 / logo_.height());
        const double width = logo_.width() * scale;
        p_.paintPicture(logo_, 192.0 - width, 4.0, width, logo_.height() * scale);
    }
    p_.setCurrentY(10.0);
    p_.tab(report::kLabelColumn);
    p_.setFontSize(report::kTitleSize);
    p_.setFontBold(true);
    p_.printLine(title_);
    p_.setFontBold(false);
    p_.setFontSize(report::kBaseSize);
    p_.tab(report::kUnitColumn);
    p_.printLine(numtext::userLocale().toString(report::printDate(), QLocale::ShortFormat));
}

void ReportFrame::druck_Kopfdaten(const HeaderTexts &texts)
{
    using namespace report;
    if (!texts.Info.isEmpty()) {
        druck_Zeilenumbruch(texts.Info, kLabelColumn, kHeaderTextWidth);
        p_.printLine();
    }
    p_.printLine();
    if (!trimBlanks(texts.Firma).isEmpty()) {
        p_.tab(kLabelColumn);
        p_.print(text(QStringLiteral("Firma:")));
        p_.nextZone();
        druck_Zeilenumbruch(texts.Firma, kHeaderValueColumn, kHeaderTextWidth);
        p_.printLine();
    }
    if (!trimBlanks(texts.Betrifft).isEmpty()) {
        p_.tab(kLabelColumn);
        p_.print(text(QStringLiteral("Betrifft:")));
        druck_Zeilenumbruch(texts.Betrifft, kHeaderValueColumn, kHeaderTextWidth);
        p_.printLine();
    }
    // Item and measuring point stand on one line; only a text too wide for it is wrapped like the subject.
    const std::pair<QString, const QString *> single[] = {{QStringLiteral("Position:"), &texts.Position},
                                                          {QStringLiteral("Messstelle:"), &texts.MStelle}};
    for (const auto &[label, value] : single) {
        if (trimBlanks(*value).isEmpty())
            continue;
        p_.tab(kLabelColumn);
        p_.print(text(label));
        QString plain = *value;
        plain.remove(QLatin1Char('\r'));
        if (plain.contains(QLatin1Char('\n')) || p_.textWidth(plain) > kHeaderTextWidth) {
            druck_Zeilenumbruch(plain, kHeaderValueColumn, kHeaderTextWidth);
        } else {
            p_.tab(kHeaderValueColumn);
            p_.printLine(plain);
        }
    }
    p_.printLine();
    rule();
    p_.printLine();
}

void ReportFrame::druck_Zeilenumbruch(const QString &text, int column, double width)
{
    QString t = text;
    t.remove(QLatin1Char('\r'));
    QStringList lines;
    for (const QString &para : t.split(QLatin1Char('\n')))
        breakParagraph(p_, para, width, lines);
    // Every line begins with a move to the column: on a line that holds nothing yet it stays, so line feeds in a
    // row give no empty line. A text of many lines goes on on a new page rather than below the paper's end.
    const double columnX = Printer::columnX(column);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (k > 0) {
            const double top = p_.currentY() + (p_.currentX() > columnX ? p_.textHeight() : 0.0);
            if (top + p_.textHeight() > report::kPageLimit)
                newPageWithHeader();
        }
        p_.tab(column);
        p_.print(lines[k]);
    }
    p_.endLine();
}

void ReportFrame::druck_Fusszeile(const QString &Benutzername)
{
    using namespace report;
    // Empty lines below the last output overprint nothing; a drawing scaled to end at the footer does not reach it.
    if (p_.outputBottom() > kFooterTop + 1e-6)
        newPageWithHeader();
    p_.setCurrentY(kFooterTop);
    for (const QString &line : {maker::company, maker::street, maker::phone, maker::web}) {
        p_.tab(kMakerColumn);
        p_.setFontSize(kFooterSize);
        p_.printLine(line);
        p_.setFontSize(kBaseSize);
    }
    p_.tab(kLabelColumn);
    p_.setFontSize(kFooterSize);
    p_.setFontBold(true);
    p_.print(QStringLiteral("Quendra 9.75 / ") + text(QStringLiteral("Berechnet von")) + QLatin1Char(' ') +
             Benutzername);
    p_.setFontBold(false);
    p_.setFontSize(kBaseSize);
    p_.tab(kMakerColumn);
    p_.setFontSize(kFooterSize);
    p_.printLine(maker::productWeb);
}

void ReportFrame::pageBreakTest(double height)
{
    if (p_.currentY() + height > report::kPageLimit)
        newPageWithHeader();
}

void ReportFrame::keepAboveFooter(double height)
{
    if (p_.currentY() + height >= report::kFooterTop)
        newPageWithHeader();
}

void ReportFrame::newPageWithHeader()
{
    p_.newPage();
    druck_Seitenkopf();
}

void ReportFrame::heading(const QString &text)
{
    p_.tab(report::kLabelColumn);
    p_.setFontBold(true);
    druck_Zeilenumbruch(text, report::kLabelColumn, report::kRuleRight - Printer::columnX(report::kLabelColumn));
    p_.setFontBold(false);
    rule();
}

void ReportFrame::columnHeads()
{
    using namespace report;
    p_.tab(kLabelColumn);
    p_.print(text(QStringLiteral("Betriebszustand")) + QLatin1Char(':'));
    p_.tab(kMinColumn);
    p_.print(QStringLiteral("min."));
    p_.tab(kNormColumn);
    p_.print(QStringLiteral("norm."));
    p_.tab(kMaxColumn);
    p_.printLine(QStringLiteral("max."));
    p_.printLine();
}

void ReportFrame::rule()
{
    p_.line(report::kRuleLeft, p_.currentY(), report::kRuleRight, p_.currentY());
}

void ReportFrame::entry(int column, const QString &text, int next)
{
    p_.tab(column);
    // A blank keeps a number apart from the next piece: an exponent followed by digits would read as another.
    const double end = next > 0 ? Printer::columnX(next) - p_.textWidth(QStringLiteral(" ")) : report::kRuleRight;
    const double room = end - Printer::columnX(column);
    const qsizetype split = text.lastIndexOf(QLatin1Char(' ')) + 1;
    const QString lead = text.left(split);
    p_.print(lead + numtext::numberThatFits(text.mid(split),
                                            [&](const QString &s) { return p_.textWidth(lead + s) <= room; }));
}

void ReportFrame::pointRow(int labelColumn, const QString &label, const std::optional<QString> &min,
                           const std::optional<QString> &norm, const QString &max, const QString &unit, bool bold)
{
    using namespace report;
    auto piece = [&](const std::function<void()> &print) {
        if (bold)
            p_.setFontBold(true);
        print();
        if (bold)
            p_.setFontBold(false);
    };
    piece([&] {
        p_.tab(labelColumn);
        p_.print(label);
    });
    if (min)
        piece([&] { entry(kMinColumn, *min, norm ? kNormColumn : kMaxColumn); });
    if (norm)
        piece([&] { entry(kNormColumn, *norm, kMaxColumn); });
    piece([&] { entry(kMaxColumn, max, kUnitColumn); });
    piece([&] {
        p_.tab(kUnitColumn);
        p_.print(unit);
    });
    p_.endLine();
}
