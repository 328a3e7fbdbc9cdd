#include "reports/heat_exchanger_print_dialog.h"

#include "reports/print_job.h"
#include "state/shared_data.h"
#include "units/number_format.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The heat-exchanger window's field texts as they stand (pressures).
QString asShown(const Variant &v)
{
    return v.toString();
}

bool finiteNumber(const Variant &v)
{
    return v.isNumeric() && std::isfinite(v.toDouble());
}

// The patterns "####.0" and "####.00"; a text that is no number stays as it is.
QString pattern0(const Variant &v)
{
    return finiteNumber(v) ? formatHashDot0(v.toDouble()) : v.toString();
}

QString pattern00(const Variant &v)
{
    return finiteNumber(v) ? formatHashDot00(v.toDouble()) : v.toString();
}

QString zahl4(const Variant &v)
{
    return formatZahl4(v).toString();
}

bool flowAboveZero(const Variant &Q)
{
    return finiteNumber(Q) && Q.toDouble() > 0;
}

constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;
constexpr double kSchematicLeft = 15.0;
constexpr double kSchematicGap = 10.0;
// Scaled below this share of its size, the drawing goes to a page of its own instead.
constexpr double kSmallestSchematicScale = 0.25;

} // namespace

QString frmDruck_WTauscher::text(const char *key) const
{
    return frame_->text(QString::fromUtf8(key));
}

bool frmDruck_WTauscher::minColumn() const
{
    const SharedData &d = shared();
    return d.WTDruck_MIN && flowAboveZero(d.WTDruck_QMin);
}

bool frmDruck_WTauscher::normColumn() const
{
    const SharedData &d = shared();
    return d.WTDruck_NORM && flowAboveZero(d.WTDruck_QNorm);
}

void frmDruck_WTauscher::zeile(const QString &label, const QString &min, const QString &norm, const QString &max,
                               const QString &unit, bool bold)
{
    frame_->pointRow(report::kLabelColumn, label, minColumn() ? std::optional(min) : std::nullopt,
                     normColumn() ? std::optional(norm) : std::nullopt, max, unit, bold);
}

void frmDruck_WTauscher::druck_WTauscher()
{
    const SharedData &d = shared();
    const QString title = getText(QStringLiteral("Berechnung Wärmetauscher (Dampf)"), d.SpracheDruck);
    const report::PrintOutcome outcome =
        report::printReport(QStringLiteral("Quendra - ") + title, caption(), d.SpracheDruck, title,
                            pictLogo.picture(), [&](ReportFrame &frame) {
                                frame_ = &frame;
                                druck_Seitenkopf();
                                druck_Kopfdaten();
                                druck_Prozessdaten();
                                if (d.WTDruck_WTcalc.toBool())
                                    druck_Fluessigkeitsdaten();
                                druck_Dampfdaten();
                                druck_Schemabild();
                                druck_Fusszeile();
                            });
    frame_ = nullptr;
    lastResult_ = outcome.result;
    lastError_ = outcome.error;
}

void frmDruck_WTauscher::druck_Seitenkopf()
{
    frame_->druck_Seitenkopf();
}

void frmDruck_WTauscher::druck_Kopfdaten()
{
    frame_->druck_Kopfdaten(report::headerTexts(headerFields()));
}

void frmDruck_WTauscher::druck_Zeilenumbruch(const QString &text, int column, double width)
{
    frame_->druck_Zeilenumbruch(text, column, width);
}

void frmDruck_WTauscher::druck_Fusszeile()
{
    frame_->druck_Fusszeile(shared().Benutzername);
}

void frmDruck_WTauscher::druck_Prozessdaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    // The medium and its state are those of every heat-exchanger calculation.
    frame_->heading(text("Prozessdaten") + QStringLiteral(" / ") + text("Medium") + QStringLiteral(": ") +
                    text("Wasserdampf") + QStringLiteral(" / ") + text("Zustandsverhalten") +
                    QStringLiteral(": ") + text("Reales Gas"));
    frame_->columnHeads();
    zeile(text("Vordruck") + QStringLiteral(" P1"), asShown(d.WTDruck_p1Min), asShown(d.WTDruck_p1Norm),
          asShown(d.WTDruck_p1Max), EinheitDruck(Variant(d.WTDruck_p1Unit)));
    zeile(text("Nachdruck") + QStringLiteral(" P2"), asShown(d.WTDruck_p2Min), asShown(d.WTDruck_p2Norm),
          asShown(d.WTDruck_p2Max), EinheitDruck(Variant(d.WTDruck_p2Unit)));
    zeile(text("Temperatur") + QStringLiteral(" T1"), pattern0(d.WTDruck_T1Min), pattern0(d.WTDruck_T1Norm),
          pattern0(d.WTDruck_T1Max), EinheitTemperatur(Variant(d.WTDruck_T1Unit)));
    p.printLine();
}

void frmDruck_WTauscher::druck_Fluessigkeitsdaten()
{
    using namespace report;
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    frame_->heading(text("Flüssigkeit"));
    zeile(text("Menge Flüssigkeit") + QStringLiteral(" m"), zahl4(d.WTDruck_Mmin), zahl4(d.WTDruck_Mnorm),
          zahl4(d.WTDruck_Mmax), EinheitMasse(Variant(d.WTDruck_Munit)));
    // One heat capacity for all operating points: in the max column only.
    p.tab(kLabelColumn);
    p.print(text("Wärmekapazität") + QStringLiteral(" cp"));
    frame_->entry(kMaxColumn, zahl4(d.WTDruck_Cp), kUnitColumn);
    p.tab(kUnitColumn);
    p.printLine(QStringLiteral("kJ/kg K"));
    zeile(text("Temperaturdifferenz"), pattern0(d.WTDruck_DeltaTMin), pattern0(d.WTDruck_DeltaTNorm),
          pattern0(d.WTDruck_DeltaTMax), EinheitTemperatur(Variant(d.WTDruck_T1Unit)));
    zeile(text("Aufheizzeit"), pattern00(d.WTDruck_TaufheizMin), pattern00(d.WTDruck_TaufheizNorm),
          pattern00(d.WTDruck_TaufheizMax), EinheitZeit(Variant(d.WTDruck_ZeitUnit)));
    p.printLine();
}

void frmDruck_WTauscher::druck_Dampfdaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    frame_->heading(text("Dampf- Massenstrom"));
    zeile(text("Verdampfungs- Enthalpie"), zahl4(d.WTDruck_rMin), zahl4(d.WTDruck_rNorm), zahl4(d.WTDruck_rMax),
          QStringLiteral("kJ/kg"));
    zeile(text("Wärmetauscherleistung"), zahl4(d.WTDruck_WTLeistungMin), zahl4(d.WTDruck_WTLeistungNorm),
          zahl4(d.WTDruck_WTLeistungMax), QStringLiteral("kW"));
    zeile(text("Dampf- Massenstrom"), zahl4(d.WTDruck_QMin), zahl4(d.WTDruck_QNorm), zahl4(d.WTDruck_QMax),
          EinheitMassenstrom(Variant(d.WTDruck_QUnit)), true);
    // The result underlined.
    frame_->rule();
    p.endLine();
}

void frmDruck_WTauscher::druck_Schemabild()
{
    if (!schematic_)
        return;
    const QImage picture = schematic_->schematicPicture();
    const QSize twips = schematic_->schematicSizeTwips();
    if (picture.isNull() || twips.width() <= 0 || twips.height() <= 0)
        return;
    Printer &p = frame_->printer();
    double width = twips.width() / kTwipsPerMillimetre;
    double height = twips.height() / kTwipsPerMillimetre;
    double top = p.currentY() + kSchematicGap;
    // The drawing ends above the footer: scaled down where long header texts pushed it, or on a page of its own
    // where it would shrink below a quarter.
    if (top + height > report::kFooterTop) {
        double scale = (report::kFooterTop - top) / height;
        if (scale < kSmallestSchematicScale) {
            frame_->newPageWithHeader();
            top = p.currentY() + kSchematicGap;
            scale = std::min(1.0, (report::kFooterTop - top) / height);
        }
        width *= scale;
        height *= scale;
    }
    p.paintPicture(picture, kSchematicLeft, top, width, height);
}
