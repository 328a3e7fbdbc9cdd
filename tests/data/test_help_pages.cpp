// The help pages as the program folder of the build holds them: the two pages the help menu opens exist, every page
// is copied unchanged from data/, is well-formed enough for the help window, and every link names a page and an
// anchor that exist, as does every section F1 leads to; no page is out of reach of the start page of its language.
// Every figure with which the pages compare the program with IEC 60534-2-1:2011 and with IAPWS-IF97 is recomputed
// from the equations themselves (help_reference.cpp), in both languages, to the last digit the page gives.
#include "app/help_sections.h"
#include "engine/flow_equations.h"
#include "engine/water_steam.h"
#include "help_reference.h"
#include "support/help_page_text.h"
#include "support/if97.h"
#include "units/conversions.h"
#include "units/texts.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

const QString kProgram = QStringLiteral(QUENDRA_PROGRAM_DIR);
const QString kSources = QStringLiteral(QUENDRA_SOURCE_DIR "/data/program");

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList helpPages()
{
    return QDir(kSources).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList attributeValues(const QString &html, const QString &attribute)
{
    QStringList out;
    // Either quote: a link in single quotes must not escape the checks.
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*([\"'])(.*?)\\1").arg(attribute),
                                QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();)
        out << it.next().captured(2);
    return out;
}

using testsupport::plainText;

// A number as a page writes it: an optional sign (+, − or -), digits in groups of three after a space from 1 000
// on, and the page's decimal separator.
struct PageNumber {
    double value = 0;
    int decimals = 0;
    QString text;
};

QList<PageNumber> numbersIn(const QString &text, QChar decimal)
{
    const QRegularExpression re(QStringLiteral("([+\\x{2212}-]?)(\\d{1,3}(?: \\d{3})+|\\d+)(?:%1(\\d+))?(?![\\d%1])")
                                    .arg(QRegularExpression::escape(QString(decimal))));
    QList<PageNumber> out;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString digits = m.captured(2).remove(QLatin1Char(' '));
        if (!m.captured(3).isEmpty())
            digits += QLatin1Char('.') + m.captured(3);
        PageNumber n;
        n.value = digits.toDouble() * (m.captured(1).isEmpty() || m.captured(1) == QLatin1String("+") ? 1 : -1);
        n.decimals = int(m.captured(3).size());
        n.text = m.captured(0);
        out << n;
    }
    return out;
}

// The page's number is the value rounded to the digits the page gives.
bool roundsTo(const PageNumber &n, double value)
{
    return std::fabs(n.value - value) <= 0.5 * std::pow(10.0, -n.decimals) * (1 + 1e-9) + 1e-12 * std::fabs(value);
}

QString mismatch(const QString &where, const PageNumber &n, double value)
{
    return QStringLiteral("%1: the page gives %2, the equations %3").arg(where, n.text).arg(value, 0, 'g', 8);
}

// The rows of the table with this id, each as its cells' HTML; a cell that spans rows stands in each of them.
QList<QStringList> tableRows(const QString &html, const QString &id)
{
    QList<QStringList> rows;
    const qsizetype start = html.indexOf(QStringLiteral("<table id=\"%1\"").arg(id));
    if (start < 0)
        return rows;
    const QString table = html.mid(start, html.indexOf(QLatin1String("</table>"), start) - start);
    const QRegularExpression rowRe(QStringLiteral("<tr>(.*?)</tr>"), QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression cellRe(QStringLiteral("<t[hd]([^>]*)>(.*?)</t[hd]>"),
                                    QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression spanRe(QStringLiteral("rowspan=\"(\\d+)\""));
    QMap<int, std::pair<int, QString>> spanning; // column -> (rows still to come, cell)
    for (auto r = rowRe.globalMatch(table); r.hasNext();) {
        QStringList given;
        QList<int> spans;
        for (auto c = cellRe.globalMatch(r.next().captured(1)); c.hasNext();) {
            const QRegularExpressionMatch m = c.next();
            given << m.captured(2);
            const QRegularExpressionMatch span = spanRe.match(m.captured(1));
            spans << (span.hasMatch() ? span.captured(1).toInt() : 1);
        }
        QStringList row;
        for (int column = 0, next = 0; next < given.size() || spanning.contains(column); ++column) {
            if (spanning.contains(column)) {
                row << spanning[column].second;
                if (--spanning[column].first == 0)
                    spanning.remove(column);
                continue;
            }
            if (spans[next] > 1)
                spanning[column] = {spans[next] - 1, given[next]};
            row << given[next++];
        }
        rows << row;
    }
    return rows;
}

// The name and text of every element a page marks with class="<kind>:<name>", in page order.
QList<std::pair<QString, QString>> marked(const QString &html, const QString &kind)
{
    QList<std::pair<QString, QString>> out;
    const QRegularExpression re(QStringLiteral("<(\\w+)\\s+class=\"%1:([^\"]+)\"\\s*>(.*?)</\\1>").arg(kind),
                                QRegularExpression::DotMatchesEverythingOption);
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.append({m.captured(2), plainText(m.captured(3))});
    }
    return out;
}

QString sourcePage(const QString &page)
{
    return QString::fromUtf8(bytesOf(kSources + QLatin1Char('/') + page));
}

using reference::Property;
using reference::WizardProperty;

// The names the pages give the properties, in both languages; the point tables may add to a name.
const QList<std::pair<QStringList, Property>> kPointProperties{
    {{"Vapour pressure", "Dampfdruck"}, Property::VapourPressure},
    {{"Saturation temperature", "Siedetemperatur"}, Property::SaturationTemperature},
    {{"Density of water", "Dichte von Wasser"}, Property::WaterDensity},
    {{"Kinematic viscosity of water", "Kinematische Viskosität von Wasser"}, Property::WaterViscosity},
    {{"Density of steam", "Dichte von Dampf"}, Property::SteamDensity},
    {{"Isentropic exponent of steam", "Isentropenexponent von Dampf"}, Property::SteamKappa},
    {{"Enthalpy of vaporisation", "Verdampfungsenthalpie"}, Property::EnthalpyOfVaporisation}};

const QList<std::pair<QStringList, WizardProperty>> kWizardProperties{
    {{"Vapour pressure", "Dampfdruck"}, WizardProperty::VapourPressure},
    {{"Vapour density", "Dichte des Dampfes"}, WizardProperty::VapourDensity},
    {{"Liquid density", "Dichte der Flüssigkeit"}, WizardProperty::LiquidDensity},
    {{"Acentric factor", "Azentrischer Faktor"}, WizardProperty::AcentricFactor}};

// The range tables name saturated and superheated steam apart.
struct RangeProperty {
    Property property;
    bool superheated;
};
const QList<std::pair<QStringList, RangeProperty>> kRangeProperties{
    {{"Vapour pressure", "Dampfdruck"}, {Property::VapourPressure, false}},
    {{"Saturation temperature", "Siedetemperatur"}, {Property::SaturationTemperature, false}},
    {{"Density of water", "Dichte von Wasser"}, {Property::WaterDensity, false}},
    {{"Kinematic viscosity of water", "Kinematische Viskosität von Wasser"}, {Property::WaterViscosity, false}},
    {{"Density of saturated steam", "Dichte von Sattdampf"}, {Property::SteamDensity, false}},
    {{"Density of superheated steam", "Dichte von überhitztem Dampf"}, {Property::SteamDensity, true}},
    {{"Isentropic exponent of saturated steam", "Isentropenexponent von Sattdampf"}, {Property::SteamKappa, false}},
    {{"Isentropic exponent of superheated steam", "Isentropenexponent von überhitztem Dampf"},
     {Property::SteamKappa, true}},
    {{"Enthalpy of vaporisation", "Verdampfungsenthalpie"}, {Property::EnthalpyOfVaporisation, false}},
    {{"Steam mass flow", "Dampf-Massenstrom"}, {Property::SteamMassFlow, false}}};

template <typename T>
const T *named(const QList<std::pair<QStringList, T>> &names, const QString &text, bool prefix)
{
    for (const auto &[spellings, value] : names)
        for (const QString &spelling : spellings)
            if (prefix ? text.startsWith(spelling) : text == spelling)
                return &value;
    return nullptr;
}

// Every figure the pages mark in their text, by name: the catalogue's largest effects, each with the valve and
// conditions where it occurs, then the worked comparisons. Same-duty figures size both sides for one duty: the
// program through the engine's sizing, the 2011 edition through the equations.
QMap<QString, double> expectedFigures()
{
    using namespace reference;
    QMap<QString, double> f;
    const auto where = [&f](const QString &name, const Extreme &x, bool pipes) {
        f[name + ".dn"] = x.at.valve->dn;
        f[name + ".kvs"] = x.at.valve->kvs;
        if (pipes) {
            f[name + ".d1"] = x.at.D1;
            f[name + ".d2"] = x.at.D2;
        }
    };
    // A same-duty extreme: its value (name + suffix), where it occurs, and the Kv of both sides, the other side's
    // under its own name, with their travel.
    const auto duty = [&](const QString &name, const char *suffix, Effect e, bool pipes, const QString &other,
                          bool travel) -> const Extreme & {
        const Extreme &x = largestOverCatalogue(e);
        f[name + suffix] = x.value * 100;
        where(name, x, pipes);
        const SameDuty s = sameDutyAt(e, x.at, x.y, x.lgRe);
        f[name + ".kvprogram"] = s.kvProgram;
        f[name + ".kv" + other] = s.kvOther;
        if (travel) {
            f[name + ".yprogram"] = s.yProgram * 100;
            f[name + ".y"] = s.yOther * 100;
        }
        return x;
    };
    const Extreme &frSmaller = largestOverCatalogue(Effect::FrEqualReSmaller);
    f["basis.fr.smaller"] = frSmaller.value * 100;
    f["basis.fr.smaller.rev"] = std::pow(10.0, frSmaller.lgRe);
    where("basis.fr.smaller", frSmaller, false);
    const Extreme &frDuty = duty("basis.fr.duty", "", Effect::FrSameDutySmaller, false, "2011", true);
    f["basis.fr.duty.rev"] = std::pow(10.0, frDuty.lgRe);
    const Extreme &frLarger = largestOverCatalogue(Effect::FrEqualReLarger);
    f["basis.fr.larger"] = frLarger.value;
    f["basis.fr.larger.rev"] = std::pow(10.0, frLarger.lgRe);
    f["basis.fr.larger.y"] = frLarger.y * 100;
    where("basis.fr.larger", frLarger, false);

    f["basis.fp.smaller.flow"] = largestOverCatalogue(Effect::FpFlowLarger).value * 100;
    duty("basis.fp.smaller", ".kv", Effect::FpSameDutySmaller, true, "2011", true);
    const Extreme &fpLarger = largestOverCatalogue(Effect::FpFlowSmaller);
    f["basis.fp.larger.flow"] = fpLarger.value * 100;
    where("basis.fp.larger", fpLarger, true);
    // The program's Kv at any opening, the 2011 edition's within its range of C/d².
    const Extreme &fpDuty = duty("basis.fp.larger.duty", ".kv", Effect::FpSameDutyLarger, true, "2011", false);
    const double fpDutyD2 = double(fpDuty.at.valve->dn) * fpDuty.at.valve->dn;
    f["basis.fp.larger.duty.cd2program"] = f["basis.fp.larger.duty.kvprogram"] / fpDutyD2;
    f["basis.fp.larger.duty.cd2"] = f["basis.fp.larger.duty.kv2011"] / fpDutyD2;
    f["basis.flp.smaller.flow"] = largestOverCatalogue(Effect::FlpFlowLarger).value * 100;
    duty("basis.flp.smaller", ".kv", Effect::FlpSameDutySmaller, true, "2011", true);
    f["basis.rev.fpfl"] = largestOverCatalogue(Effect::ReynoldsNumberLarger).value * 100;
    duty("basis.rev.fpfl", ".kv", Effect::ReynoldsSameDutySmaller, true, "fl", false);

    // In laminar flow F_R goes with Re_v to the power of the curve's exponent, Re_v with 1/√C.
    const double exponent = std::log10(calcFR(10) / calcFR(1));
    f["basis.rev.fd.exponent"] = exponent;
    f["basis.rev.fd.duty.exponent"] = exponent / (1 - exponent / 2);
    f["basis.rev.fd.kv"] = largestOverCatalogue(Effect::FdSameDutySmaller).value * 100;
    const Extreme &fdPipes = largestOverCatalogue(Effect::FdSameDutyReducersSmaller);
    f["basis.rev.fd.pipes.kv"] = fdPipes.value * 100;
    where("basis.rev.fd.pipes", fdPipes, true);

    // A DN 50 valve of linear characteristic, Kvs 99 and F_L 0.9, and one large enough for any C/d².
    static const CatalogueValve valve{QString(), 50, 0, 99, {0, 1}, {0.9}};
    static const CatalogueValve unbounded{QString(), 50, 0, 50 * 50, {0, 1}, {0.9}};
    const auto flowRatio = [](const Installation &at, double C) {
        return programFP(at, C) / fp2011(reducers(at.valve->dn, at.D1, at.D2), C / (at.valve->dn * at.valve->dn));
    };
    // The 2011 edition's Kv for the duty the program sizes at Kv C.
    const auto editionKv = [](const Installation &at, double C) {
        const Installation big{&unbounded, at.D1, at.D2};
        return unbounded.kvs * editionOpening(big, programDuty(at, C / at.valve->kvs, false, 0), kProgramRho0, 1);
    };
    // Without reducers and turbulent the reference density alone differs.
    const Installation plain{&valve, 50, 50};
    const Duty water = editionDuty(plain, 0.5, NAN, false, kWater15);
    f["basis.rho0.flow"] = (programFlow(plain, valve.kv(0.5), 0.9, water) / water.Q - 1) * 100;
    f["basis.rho0.kv"] = (1 - valve.kv(programOpening(plain, water)) / valve.kv(0.5)) * 100;

    // The comparison table's extremes at F_L = 0.9, at equal Re_v.
    f["basis.fr.table.smaller"] = (1 - reynoldsFactor2011(10, 0.9, 0.04) / calcFR(10)) * 100;
    // Its peak over Re_v in the two columns where the program's Kv is the larger.
    for (const double cd2 : {0.008, 0.016})
        if (const auto [ratio, lgRe] = largestReynoldsFactorRatio(0.9, cd2); ratio > f["basis.fr.table.larger"]) {
            f["basis.fr.table.larger"] = ratio;
            f["basis.fr.table.larger.rev"] = std::pow(10.0, lgRe);
            f["basis.fr.table.larger.cd2"] = cd2;
        }
    // Where they cross in each column: once just below 10 000, where the program's curve ends short of 1, and in
    // the columns 0.008 and 0.016 first where the program's Kv turns the smaller; any other column fails them all.
    f["basis.fr.table.end"] = calcFR(std::nextafter(10000.0, 0.0));
    f["basis.fr.table.turn.from"] = HUGE_VAL;
    for (const double cd2 : {0.0001, 0.001, 0.008, 0.016, 0.03, 0.035, 0.04}) {
        const std::vector<double> x = reynoldsFactorCrossings(0.9, cd2);
        const bool twice = cd2 == 0.008 || cd2 == 0.016;
        if (x.size() != (twice ? 2u : 1u)) {
            f["basis.fr.table.turn.from"] = NAN;
            break;
        }
        if (twice)
            f[QStringLiteral("basis.fr.table.larger.until.%1").arg(cd2)] = std::pow(10.0, x[0]);
        const double turn = std::pow(10.0, x.back());
        f["basis.fr.table.turn.from"] = std::min(f["basis.fr.table.turn.from"], turn);
        f["basis.fr.table.turn.to"] = std::max(f["basis.fr.table.turn.to"], turn);
        f["basis.fr.table.turn.larger"] = std::max(f["basis.fr.table.turn.larger"],
                                                   (largestReynoldsFactorRatio(0.9, cd2, x.back()).first - 1) * 100);
    }
    // With a DN 100 inlet, then with a DN 100 outlet: the flow at Kv 99, and the Kv for the duty the program sizes
    // at Kv 70; between DN 100 pipes at Kv 40.
    const Installation inlet{&valve, 100, 50}, outlet{&valve, 50, 100};
    const double programKv = 70;
    f["basis.fp.example.flow"] = (flowRatio(inlet, 99) - 1) * 100;
    f["basis.fp.example.kvprogram"] = valve.kv(programOpening(inlet, programDuty(inlet, programKv / 99, false, 0)));
    f["basis.fp.example.kv2011"] = editionKv(inlet, programKv);
    f["basis.fp.example.kv"] = (1 - programKv / editionKv(inlet, programKv)) * 100;
    f["basis.fp.example.cd2"] = editionKv(inlet, 99) / (50 * 50);
    f["basis.fp.expander.flow"] = (1 - flowRatio(outlet, 99)) * 100;
    f["basis.fp.expander.kv2011"] = editionKv(outlet, programKv);
    f["basis.fp.expander.kv"] = (programKv / editionKv(outlet, programKv) - 1) * 100;
    const Installation both{&valve, 100, 100};
    const Reducers z = reducers(50, 100, 100);
    const double flp = programFLP(both, 40, 0.9);
    f["basis.flp.example.program"] = flp;
    f["basis.flp.example.2011"] = flp2011(z, 0.9, 0.016);
    f["basis.flp.example.flow"] = (flp / flp2011(z, 0.9, 0.016) - 1) * 100;
    f["basis.reducer.beta"] = 50.0 / 100;
    f["basis.reducer.zeta1"] = z.zeta1;
    f["basis.reducer.zeta2"] = z.zeta2;
    f["basis.reducer.zetab"] = z.zetaB1;

    // A real gas factor of 0.95 in the ideal gas law; a bore of 0.95 DN.
    f["basis.idealgas.density"] = (1 - 0.95) * 100;
    f["basis.idealgas.kv"] = (1 / std::sqrt(0.95) - 1) * 100;
    f["basis.velocity.bore"] = (1 / (0.95 * 0.95) - 1) * 100;

    // The enthalpy of vaporisation in the heat exchanger, at 3 and at 160 bar.
    const PropertyPoint r3 = propertyAt(Property::EnthalpyOfVaporisation, 3);
    const PropertyPoint r160 = propertyAt(Property::EnthalpyOfVaporisation, 160);
    f["basis.hx.r3.program"] = r3.program;
    f["basis.hx.r3.if97"] = r3.reference;
    f["basis.hx.r3.below"] = (1 - r3.program / r3.reference) * 100;
    f["basis.hx.r3.demand"] = (r3.reference / r3.program - 1) * 100;
    const double power = 1500 * 4.19 * 50 / 1800.0;
    f["basis.hx.check.power"] = power;
    f["basis.hx.check.flow"] = power / r3.reference / 0.85 * 3600;
    f["basis.hx.r160.below"] = (1 - r160.program / r160.reference) * 100;
    f["basis.hx.r160.demand"] = (r160.reference / r160.program - 1) * 100;
    f["basis.kappa.limit.100"] = reference::kappaLimit(100);
    f["basis.kappa.limit.200"] = reference::kappaLimit(200);

    // Gauge pressures count from the atmosphere: 0 bar,g in bar,abs.; 0 bar,abs. as the program shows it in psig.
    f["units.gauge"] = absoluterDruckBar(0, 1);
    f["units.vacuum.psig"] = umrechnenDruck(Variant(0), 0, 3);
    return f;
}

// Figures that are exact values, which a page gives in full: a rounded gauge reference would shift every gauge
// pressure it converts.
const QSet<QString> kExactFigures{"units.gauge", "basis.reducer.beta", "basis.reducer.zetab", "basis.rev.fd.exponent"};

// The valve series, and the characteristic, of each marked worst case.
QMap<QString, const reference::Extreme *> expectedWorstCases()
{
    using reference::Effect;
    const auto x = [](Effect e) { return &reference::largestOverCatalogue(e); };
    return {{"basis.fr.smaller", x(Effect::FrEqualReSmaller)},
            {"basis.fr.duty", x(Effect::FrSameDutySmaller)},
            {"basis.fr.larger", x(Effect::FrEqualReLarger)},
            {"basis.fp.smaller", x(Effect::FpSameDutySmaller)},
            {"basis.fp.larger", x(Effect::FpFlowSmaller)},
            {"basis.fp.larger.duty", x(Effect::FpSameDutyLarger)},
            {"basis.flp.smaller", x(Effect::FlpSameDutySmaller)},
            {"basis.rev.fpfl", x(Effect::ReynoldsSameDutySmaller)},
            {"basis.rev.fd.pipes", x(Effect::FdSameDutyReducersSmaller)}};
}

// The characteristic's name as the pages give it: as the sizing sheet's list has it, in prose.
QString characteristicName(int characteristic, int Sprache)
{
    static const QStringList german{"linear", "gleichprozentig", "Auf/Zu"}, english{"linear", "equal %", "on/off"};
    return (Sprache == 0 ? german : english).value(characteristic);
}

} // namespace

using Quantity = std::function<double()>;
Q_DECLARE_METATYPE(Quantity)

class TestHelpPages : public QObject {
    Q_OBJECT

private slots:
    // The series names are the texts of the language database.
    void initTestCase()
    {
        openLanguageDatabase(QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(QStringLiteral("dbSprache.mdb")));
    }

    void startPagesExist_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << "hilfe.html" << "de";
        QTest::newRow("English") << "help.html" << "en";
    }
    void startPagesExist()
    {
        QFETCH(QString, page);
        QFETCH(QString, language);
        const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        QVERIFY(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language)));
    }

    void pagesAreCopiedUnchanged()
    {
        QVERIFY(helpPages().size() >= 4);
        for (const QString &page : helpPages()) {
            const QByteArray source = bytesOf(kSources + QLatin1Char('/') + page);
            QVERIFY(!source.isEmpty());
            QVERIFY2(bytesOf(kProgram + QLatin1Char('/') + page) == source, qPrintable(page));
        }
    }

    void pagesSuitTheHelpWindow()
    {
        for (const QString &page : helpPages()) {
            const QByteArray bytes = bytesOf(kSources + QLatin1Char('/') + page);
            const QString html = QString::fromUtf8(bytes);
            QVERIFY2(html.toUtf8() == bytes, qPrintable(page + ": not UTF-8"));
            QVERIFY2(html.contains(QLatin1String("<meta charset=\"utf-8\">")), qPrintable(page));
            QVERIFY2(QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch(),
                     qPrintable(page));
            QVERIFY2(!html.contains(QLatin1String("<script"), Qt::CaseInsensitive), qPrintable(page));
            QCOMPARE(html.count(QLatin1String("<body>")), 1);
            QCOMPARE(html.count(QLatin1String("</html>")), 1);
        }
    }

    void everyLinkResolves()
    {
        for (const QString &page : helpPages()) {
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
            const QStringList links = attributeValues(html, QStringLiteral("href"));
            QVERIFY2(!links.isEmpty(), qPrintable(page + ": links nowhere"));
            for (const QString &link : links) {
                const QString where = page + QStringLiteral(" -> ") + link;
                QVERIFY2(!link.contains(QLatin1Char(':')) && !link.startsWith(QLatin1Char('/')), qPrintable(where));
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                const QString anchor = link.section(QLatin1Char('#'), 1);
                const QString target = file.isEmpty() ? page : file;
                const QByteArray bytes = bytesOf(kProgram + QLatin1Char('/') + target);
                QVERIFY2(!bytes.isEmpty(), qPrintable(where + ": no such page"));
                if (!anchor.isEmpty())
                    QVERIFY2(attributeValues(QString::fromUtf8(bytes), QStringLiteral("id")).contains(anchor),
                             qPrintable(where + ": no such anchor"));
            }
            // Anchors are unique within their page.
            const QStringList ids = attributeValues(html, QStringLiteral("id"));
            QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        }
    }

    // Each window's section in each language is on a page of that language.
    void everySectionOfF1Exists()
    {
        QVERIFY(helpTopics().size() >= 20);
        for (const HelpTopic &t : helpTopics()) {
            for (const auto &[section, language] :
                 {std::pair{t.german, QStringLiteral("de")}, std::pair{t.english, QStringLiteral("en")}}) {
                const QString where = (t.window.isEmpty() ? QStringLiteral("(no window)") : t.window) +
                                      QLatin1Char(' ') + t.controls.join(QLatin1Char(',')) + QStringLiteral(" -> ") +
                                      section.page + QLatin1Char('#') + section.anchor;
                const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + section.page));
                QVERIFY2(!html.isEmpty(), qPrintable(where + ": no such page"));
                QVERIFY2(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language)),
                         qPrintable(where + ": not a page of its language"));
                if (!section.anchor.isEmpty())
                    QVERIFY2(attributeValues(html, QStringLiteral("id")).contains(section.anchor),
                             qPrintable(where + ": no such anchor"));
            }
        }
    }

    // Numbers in the running text follow the page's language; the program's own texts, which a page quotes, stand
    // as the program writes them (the menu's "c = 2.5%").
    void numbersFollowThePageLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("quoted");
        QTest::addColumn<QString>("foreignDecimal");
        QTest::newRow("German: decimal comma") << "de" << "„[^“]*“" << "\\d\\.\\d";
        QTest::newRow("English: decimal point") << "en" << "“[^”]*”" << "\\d,\\d";
    }
    void numbersFollowThePageLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, quoted);
        QFETCH(QString, foreignDecimal);
        int pages = 0;
        for (const QString &page : helpPages()) {
            QString text = QString::fromUtf8(bytesOf(kSources + QLatin1Char('/') + page));
            if (!text.contains(QStringLiteral("<html lang=\"%1\">").arg(language)))
                continue;
            ++pages;
            text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            text.remove(QRegularExpression(quoted));
            const QRegularExpressionMatch m = QRegularExpression(foreignDecimal).match(text);
            QVERIFY2(!m.hasMatch(), qPrintable(page + QStringLiteral(": ") + text.mid(m.capturedStart() - 30, 60)));
        }
        QVERIFY(pages >= 4);
    }

    void everyPageIsReachable()
    {
        QSet<QString> reached;
        QStringList queue{QStringLiteral("hilfe.html"), QStringLiteral("help.html")};
        for (int steps = 0; !queue.isEmpty() && steps < 1000; ++steps) {
            const QString page = queue.takeFirst();
            if (reached.contains(page))
                continue;
            reached.insert(page);
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
            for (const QString &link : attributeValues(html, QStringLiteral("href"))) {
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                if (!file.isEmpty())
                    queue << file;
            }
        }
        const QStringList pages = helpPages();
        QCOMPARE(reached, QSet<QString>(pages.begin(), pages.end()));
    }

    // A reader who stays in one language reaches every page of it from that language's start page, without a
    // detour through the other language.
    void everyPageIsReachableInItsLanguage_data() { startPagesExist_data(); }
    void everyPageIsReachableInItsLanguage()
    {
        QFETCH(QString, page);
        QFETCH(QString, language);
        const QString lang = QStringLiteral("<html lang=\"%1\">").arg(language);
        auto ofLanguage = [&lang](const QString &p) {
            return QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + p)).contains(lang);
        };
        QSet<QString> reached;
        QStringList queue{page};
        for (int steps = 0; !queue.isEmpty() && steps < 1000; ++steps) {
            const QString p = queue.takeFirst();
            if (reached.contains(p) || !ofLanguage(p))
                continue;
            reached.insert(p);
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + p));
            for (const QString &link : attributeValues(html, QStringLiteral("href"))) {
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                if (!file.isEmpty())
                    queue << file;
            }
        }
        QSet<QString> expected;
        for (const QString &p : helpPages())
            if (ofLanguage(p))
                expected.insert(p);
        QVERIFY(expected.size() >= 2);
        QCOMPARE(reached, expected);
    }

    // The reference water and steam the pages compare with reproduces the verification values of its releases
    // (IAPWS-IF97 Tables 5, 15, 33, 35 and 36 and the boundary B23; the viscosity release of 2008, Table 4), and its
    // saturated region 3 meets region 1 and 2 where they part.
    void referenceReproducesItsVerificationValues_data()
    {
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("relTolerance");
        using namespace if97;
        QTest::newRow("region 1, v at 300 K, 3 MPa") << Quantity([] { return 1 / region1(3, 300).rho; })
                                                      << 0.100215168e-2 << 1e-8;
        QTest::newRow("region 1, h at 300 K, 80 MPa") << Quantity([] { return region1(80, 300).h; })
                                                       << 0.184142828e3 << 1e-8;
        QTest::newRow("region 1, w at 500 K, 3 MPa") << Quantity([] { return region1(3, 500).w; }) << 0.124071337e4
                                                      << 1e-8;
        QTest::newRow("region 2, v at 300 K, 0.0035 MPa") << Quantity([] { return 1 / region2(0.0035, 300).rho; })
                                                           << 0.394913866e2 << 1e-8;
        QTest::newRow("region 2, h at 700 K, 30 MPa") << Quantity([] { return region2(30, 700).h; })
                                                       << 0.263149474e4 << 1e-8;
        QTest::newRow("region 2, w at 700 K, 0.0035 MPa") << Quantity([] { return region2(0.0035, 700).w; })
                                                           << 0.644289068e3 << 1e-8;
        QTest::newRow("region 3, p at 650 K, 500 kg/m3") << Quantity([] { return region3(500, 650).p; })
                                                          << 0.255837018e2 << 1e-8;
        QTest::newRow("region 3, h at 650 K, 200 kg/m3") << Quantity([] { return region3(200, 650).h; })
                                                          << 0.237512401e4 << 1e-8;
        QTest::newRow("region 3, w at 750 K, 500 kg/m3") << Quantity([] { return region3(500, 750).w; })
                                                          << 0.760696041e3 << 1e-8;
        QTest::newRow("region 4, ps at 500 K") << Quantity([] { return psat(500); }) << 0.263889776e1 << 1e-8;
        QTest::newRow("region 4, Ts at 10 MPa") << Quantity([] { return tsat(10); }) << 0.584149488e3 << 1e-8;
        QTest::newRow("B23 at 623.15 K") << Quantity([] { return b23Pressure(623.15); }) << 0.165291643e2 << 1e-8;
        QTest::newRow("viscosity at 298.15 K, 998 kg/m3") << Quantity([] { return viscosity(998, 298.15); })
                                                           << 889.735100e-6 << 1e-8;
        QTest::newRow("viscosity at 873.15 K, 600 kg/m3") << Quantity([] { return viscosity(600, 873.15); })
                                                           << 77.430195e-6 << 1e-8;
        // The saturated densities of region 3 just above 623.15 K against regions 1 and 2 just below.
        QTest::newRow("saturated liquid across 623.15 K")
            << Quantity([] { return saturatedLiquid(623.15 + 1e-7).rho; })
            << region1(psat(623.15), 623.15).rho << 1e-3;
        QTest::newRow("saturated vapour across 623.15 K")
            << Quantity([] { return saturatedVapour(623.15 + 1e-7).rho; })
            << region2(psat(623.15), 623.15).rho << 1e-3;
    }
    void referenceReproducesItsVerificationValues()
    {
        QFETCH(Quantity, quantity);
        QFETCH(double, expected);
        QFETCH(double, relTolerance);
        const double value = quantity();
        QVERIFY2(std::fabs(value / expected - 1) <= relTolerance,
                 qPrintable(QStringLiteral("%1 against %2").arg(value, 0, 'g', 12).arg(expected, 0, 'g', 12)));
    }

    void calculationBasisPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<int>("Sprache");
        QTest::newRow("English") << "help_calculation_basis.html" << QChar('.') << 1;
        QTest::newRow("German") << "hilfe_berechnungsgrundlagen.html" << QChar(',') << 0;
    }

    // The comparison of the Reynolds number factors: the program's curve and the 2011 edition's equations at each
    // C/d² the table heads, at F_L = 0.9; the curve is the program's own, and the columns reach into the reduced
    // trims and up to the edition's limit of 0.04.
    void reynoldsFactorComparison_data() { calculationBasisPages_data(); }
    void reynoldsFactorComparison()
    {
        QFETCH(QString, page);
        QFETCH(QChar, decimal);
        const QString html = sourcePage(page);
        const QList<QStringList> rows = tableRows(html, QStringLiteral("fr-comparison"));
        QVERIFY2(rows.size() >= 5, qPrintable(page));
        const qsizetype at = html.indexOf(QLatin1String("<table id=\"fr-comparison\""));
        QVERIFY2(plainText(html.mid(at - 300, 300)).contains(QStringLiteral("FL = 0") + decimal + QLatin1Char('9')),
                 "the sentence before the table names F_L = 0.9");
        QList<double> cd2;
        for (qsizetype c = 2; c < rows[0].size(); ++c) {
            const QList<PageNumber> n = numbersIn(plainText(rows[0][c]), decimal);
            QVERIFY(!n.isEmpty());
            cd2 << n.last().value;
        }
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), cd2.size() + 2);
            const double rev = numbersIn(plainText(rows[r][0]), decimal).value(0).value;
            QVERIFY(rev > 0);
            // The page's curve is the one the program computes.
            QVERIFY(std::fabs(reference::reynoldsFactorProgram(rev) - calcFR(rev)) < 1e-12);
            const QList<PageNumber> program = numbersIn(plainText(rows[r][1]), decimal);
            QVERIFY(!program.isEmpty());
            QVERIFY2(roundsTo(program[0], calcFR(rev)),
                     qPrintable(mismatch(QStringLiteral("program at Re %1").arg(rev), program[0], calcFR(rev))));
            for (qsizetype c = 0; c < cd2.size(); ++c) {
                const QList<PageNumber> n = numbersIn(plainText(rows[r][c + 2]), decimal);
                const double fr = reference::reynoldsFactor2011(rev, 0.9, cd2[c]);
                QVERIFY(!n.isEmpty());
                QVERIFY2(roundsTo(n[0], fr),
                         qPrintable(mismatch(QStringLiteral("2011 at Re %1, C/d2 %2").arg(rev).arg(cd2[c]), n[0], fr)));
            }
        }
        // The columns reach from the reduced trims to the edition's limit.
        QVERIFY(cd2.size() >= 5);
        QVERIFY(std::any_of(cd2.begin(), cd2.end(), [](double c) { return c > 0.03 && c < 0.04; }));
        QVERIFY(std::any_of(cd2.begin(), cd2.end(), [](double c) { return c < 0.016 * 0.865; }));
    }

    // The catalogue's valve series, each once: C/d² fully open, and the program's Kv against the 2011 edition's
    // through F_R alone, over every opening within the edition's range and Re_v from 1 to 10 000; the series named
    // as reaching beyond that range are those that do.
    void catalogueComparison_data() { calculationBasisPages_data(); }
    void catalogueComparison()
    {
        QFETCH(QString, page);
        QFETCH(QChar, decimal);
        QFETCH(int, Sprache);
        const QString html = sourcePage(page);
        const std::vector<reference::SeriesRange> &ranges = reference::seriesRanges();
        QVERIFY(ranges.size() >= 20);
        const QList<QStringList> rows = tableRows(html, QStringLiteral("catalogue-cd2"));
        QSet<QString> seen, beyond;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QString name = plainText(rows[r].value(0));
            const auto s = std::find_if(ranges.begin(), ranges.end(), [&](const reference::SeriesRange &x) {
                return getVentiltypName(x.series, Sprache).toString() == name;
            });
            QVERIFY2(s != ranges.end(), qPrintable(name + ": no such series"));
            QVERIFY2(!seen.contains(s->series), qPrintable(name + ": twice"));
            seen.insert(s->series);
            if (s->cd2Max > reference::kEditionLimit)
                beyond.insert(name);
            const double expected[] = {s->cd2Min, s->cd2Max, s->kvRatioMin, s->kvRatioMax};
            QCOMPARE(rows[r].size(), 5);
            for (int c = 0; c < 4; ++c) {
                const QList<PageNumber> n = numbersIn(plainText(rows[r][c + 1]), decimal);
                QVERIFY2(!n.isEmpty(), qPrintable(name));
                QVERIFY2(roundsTo(n[0], expected[c]), qPrintable(mismatch(name, n[0], expected[c])));
            }
        }
        QCOMPARE(seen.size(), qsizetype(ranges.size()));
        QSet<QString> named;
        for (const auto &[kind, text] : marked(html, QStringLiteral("beyond")))
            named.insert(text);
        QCOMPARE(named, beyond);
        // The largest effect at equal Re_v is approached as the travel goes to 0 %, where the program takes the flow
        // as 0: not reached at any travel it sizes for.
        QVERIFY(reference::largestOverCatalogue(reference::Effect::FrEqualReSmaller).y < 1e-3);
    }

    // Every row of the accuracy tables, program (or wizard) against IAPWS-IF97 at its point; the enthalpy of
    // vaporisation at least every 20 bar up to the critical point.
    void propertyAccuracy_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("table");
        QTest::newRow("program, English") << "help_calculation_basis.html" << QChar('.') << "property-accuracy";
        QTest::newRow("program, German") << "hilfe_berechnungsgrundlagen.html" << QChar(',') << "property-accuracy";
        QTest::newRow("wizard, English") << "help_calculation_basis.html" << QChar('.') << "wizard-accuracy";
        QTest::newRow("wizard, German") << "hilfe_berechnungsgrundlagen.html" << QChar(',') << "wizard-accuracy";
    }
    void propertyAccuracy()
    {
        QFETCH(QString, page);
        QFETCH(QChar, decimal);
        QFETCH(QString, table);
        const bool wizard = table == QLatin1String("wizard-accuracy");
        const QList<QStringList> rows = tableRows(sourcePage(page), table);
        QVERIFY2(rows.size() >= 10, qPrintable(table));
        QSet<int> latentHeatEvery20Bar;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), 5);
            const QString name = plainText(rows[r][0]), point = plainText(rows[r][1]);
            const QString where = name + QStringLiteral(", ") + point;
            const QList<PageNumber> at = numbersIn(point, decimal);
            const bool withTemperature = point.contains(QStringLiteral("°C"));
            reference::PropertyPoint p;
            if (wizard) {
                const WizardProperty *property = named(kWizardProperties, name, true);
                QVERIFY2(property, qPrintable(name));
                p = reference::wizardAt(*property, at.value(0).value, at.value(1).value);
            } else {
                const Property *property = named(kPointProperties, name, true);
                QVERIFY2(property, qPrintable(name));
                QVERIFY2(!at.isEmpty(), qPrintable(where));
                const bool pressureFirst = *property != Property::VapourPressure &&
                                           *property != Property::WaterDensity &&
                                           *property != Property::WaterViscosity;
                p = reference::propertyAt(*property, at[0].value,
                                          pressureFirst && withTemperature ? at.value(1).value : -1);
                QVERIFY2(p.accepted, qPrintable(where + ": the program refuses this steam"));
                if (*property == Property::EnthalpyOfVaporisation)
                    latentHeatEvery20Bar.insert(int(at[0].value));
            }
            const double expected[] = {p.program, p.reference, p.deviation};
            for (int c = 0; c < 3; ++c) {
                const QList<PageNumber> n = numbersIn(plainText(rows[r][c + 2]), decimal);
                QVERIFY2(!n.isEmpty(), qPrintable(where));
                QVERIFY2(roundsTo(n[0], expected[c]), qPrintable(mismatch(where, n[0], expected[c])));
            }
        }
        if (!wizard)
            for (int bar = 20; bar < if97::pc * 10; bar += 20)
                QVERIFY2(latentHeatEvery20Bar.contains(bar), qPrintable(QString::number(bar)));
    }

    // The deviations over the ranges the program accepts: the smallest and largest over each range a row gives
    // (for superheated steam every state up to the temperature named that the program accepts).
    void propertyRanges_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("table");
        QTest::newRow("properties, English") << "help_calculation_basis.html" << QChar('.') << "property-range";
        QTest::newRow("properties, German") << "hilfe_berechnungsgrundlagen.html" << QChar(',') << "property-range";
        QTest::newRow("heat exchanger, English") << "help_tools.html" << QChar('.') << "steam-flow-accuracy";
        QTest::newRow("heat exchanger, German") << "hilfe_werkzeuge.html" << QChar(',') << "steam-flow-accuracy";
    }
    void propertyRanges()
    {
        QFETCH(QString, page);
        QFETCH(QChar, decimal);
        QFETCH(QString, table);
        const QList<QStringList> rows = tableRows(sourcePage(page), table);
        QVERIFY2(rows.size() >= 3, qPrintable(table));
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), 4);
            const QString name = plainText(rows[r][0]), range = plainText(rows[r][1]);
            const RangeProperty *property = named(kRangeProperties, name, false);
            QVERIFY2(property, qPrintable(name));
            const QList<PageNumber> bounds = numbersIn(range, decimal);
            QVERIFY2(bounds.size() == (property->superheated ? 3 : 2), qPrintable(range));
            const auto [lo, hi] = reference::deviationRange(property->property, bounds[0].value, bounds[1].value,
                                                            property->superheated ? bounds[2].value : -1);
            const QString where = name + QStringLiteral(", ") + range;
            const QList<PageNumber> from = numbersIn(plainText(rows[r][2]), decimal);
            const QList<PageNumber> to = numbersIn(plainText(rows[r][3]), decimal);
            QVERIFY2(!from.isEmpty() && !to.isEmpty(), qPrintable(where));
            QVERIFY2(roundsTo(from[0], lo), qPrintable(mismatch(where + QStringLiteral(", smallest"), from[0], lo)));
            QVERIFY2(roundsTo(to[0], hi), qPrintable(mismatch(where + QStringLiteral(", largest"), to[0], hi)));
        }
    }

    // Every figure a page marks in its text (class="fig:name") is the one computed here, and the calculation-basis
    // pages hold every figure of theirs; the series a worst case names is the one it occurs in.
    void markedFigures_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<int>("Sprache");
        QTest::addColumn<QString>("complete"); // the group of figures the page holds all of
        for (const QString &page : helpPages()) {
            const bool german = sourcePage(page).contains(QLatin1String("<html lang=\"de\">"));
            const bool basis = page == QLatin1String("help_calculation_basis.html") ||
                               page == QLatin1String("hilfe_berechnungsgrundlagen.html");
            QTest::newRow(qPrintable(page)) << page << QChar(german ? ',' : '.') << (german ? 0 : 1)
                                            << (basis ? QStringLiteral("basis.") : QString());
        }
    }
    void markedFigures()
    {
        QFETCH(QString, page);
        QFETCH(QChar, decimal);
        QFETCH(int, Sprache);
        QFETCH(QString, complete);
        const QString html = sourcePage(page);
        const QMap<QString, double> expected = expectedFigures();
        QSet<QString> found;
        for (const auto &[name, text] : marked(html, QStringLiteral("fig"))) {
            QVERIFY2(expected.contains(name), qPrintable(name + ": no such figure"));
            found.insert(name);
            const QList<PageNumber> n = numbersIn(text, decimal);
            QVERIFY2(n.size() == 1, qPrintable(name + ": " + text));
            QVERIFY2(roundsTo(n[0], expected[name]), qPrintable(mismatch(name, n[0], expected[name])));
            if (kExactFigures.contains(name))
                QVERIFY2(std::fabs(n[0].value - expected[name]) < 1e-12, qPrintable(mismatch(name, n[0], expected[name])));
        }
        if (complete.isEmpty())
            return;
        for (const QString &name : expected.keys())
            if (name.startsWith(complete))
                QVERIFY2(found.contains(name), qPrintable(name + ": not on the page"));
        const QMap<QString, const reference::Extreme *> worst = expectedWorstCases();
        QSet<QString> namedSeries;
        for (const auto &[name, text] : marked(html, QStringLiteral("series"))) {
            QVERIFY2(worst.contains(name), qPrintable(name + ": no such worst case"));
            QCOMPARE(text, getVentiltypName(worst[name]->at.valve->series, Sprache).toString());
            namedSeries.insert(name);
        }
        QCOMPARE(namedSeries.size(), qsizetype(worst.size()));
        // The characteristic, where a worst case's travel depends on it.
        for (const auto &[name, text] : marked(html, QStringLiteral("char"))) {
            QVERIFY2(worst.contains(name), qPrintable(name + ": no such worst case"));
            QCOMPARE(text, characteristicName(worst[name]->at.valve->characteristic, Sprache));
        }
    }
};

QTEST_GUILESS_MAIN(TestHelpPages)
#include "test_help_pages.moc"
