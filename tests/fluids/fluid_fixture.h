#pragma once

// The fluid dialogs inside the real main window and sheets (the menu fixture: seed data folder in a temporary
// documents folder, New chosen), with fixture fluid databases written in place of the shipped one.

#include "app/menu_fixture.h"
#include "fluids/fluid_database.h"
#include "fluids/fluid_wizard.h"
#include "fluids/gas_mixture.h"
#include "fluids/ideal_gas_list.h"
#include "fluids/liquid_list.h"
#include "platform/core/number_text.h"

#include <QLocale>
#include <vector>

namespace fluidfixture {

struct GasRow {
    Variant SUBSTANZ, Kappa, RHON, RHOUNIT;
};

struct LiquidRow {
    Variant SUBSTANZ, RHO, RHOUNIT, PSAT, PKRIT, PUNIT, NUE, NUEUNIT, TBEZUG, TUNIT;
};

// A liquid at a reference temperature with the usual units (kg/m3, bar abs., mm²/s, °C).
inline LiquidRow liquid(const QString &name, double rho, double psat, double pkrit, double nue, double t,
                        int tunit = 0)
{
    return LiquidRow{name, rho, 0, psat, pkrit, 0, nue, 0, t, tunit};
}

inline GasRow gas(const QString &name, double kappa, double rhon, int rhounit = 0)
{
    return GasRow{name, kappa, rhon, rhounit};
}

// A record of the wizard's substance table.
struct SubstanceRow {
    Variant SUBSTANZ, FORMEL, M, TS, TKRIT, PKRIT, W, PUNIT, TUNIT;
};

inline SubstanceRow substance(const QString &name, const Variant &formula, double M, double Ts, double Tc, double pc,
                              double w, int punit = 0, int tunit = 0)
{
    return SubstanceRow{name, formula, M, Ts, Tc, pc, w, punit, tunit};
}

// Published base data (°C, bar abs.); Propan stored in F and psia; a name holding " (" and a record without a
// formula.
inline std::vector<SubstanceRow> standardSubstances()
{
    return {substance(QStringLiteral("Wasser"), "H2O", 18.015, 100, 374.2, 221.2, 0.344),
            substance(QStringLiteral("Stickstoff"), "N2", 28.014, -195.8, -146.95, 33.98, 0.037),
            substance(QStringLiteral("Methan"), "CH4", 16.043, -161.49, -82.59, 45.99, 0.011),
            substance(QStringLiteral("Luft"), "-", 28.96, -194.35, -140.5, 37.86, 0.035),
            // -42.13 °C = -43.83 F, 96.68 °C = 206.02 F, 42.48 bar = 616.1 psia
            substance(QStringLiteral("Propan"), "C3H8", 44.097, -43.83, 206.02, 616.1, 0.152, 2, 1),
            substance(QStringLiteral("Butan (n-)"), "C4H10", 58.123, -0.49, 151.97, 37.96, 0.2),
            substance(QStringLiteral("Ohne Formel"), Variant::null(), 30.0, -50, 100, 40, 0.1)};
}

// A table of the fixture database: its columns, the unique index on the name, and the rows, each with its cells in
// the columns' order.
inline void writeTable(Database &db, const QString &table, const std::vector<FieldDef> &columns,
                       const std::vector<std::vector<Variant>> &rows)
{
    db.createTable(table, columns);
    db.createIndex(table, QStringLiteral("PrimaryKey"), {QStringLiteral("SUBSTANZ")}, true);
    std::unique_ptr<Recordset> rs = db.openTable(table);
    for (const std::vector<Variant> &cells : rows) {
        rs->addNew();
        for (std::size_t i = 0; i < columns.size(); ++i)
            rs->setField(columns[i].name, cells[i]);
        rs->update();
    }
}

// The six tables of each list hold the same rows; Sprache picks one.
inline void writeFluidDatabase(const QString &path, const std::vector<GasRow> &gases,
                               const std::vector<LiquidRow> &liquids,
                               const std::vector<SubstanceRow> &substances = standardSubstances())
{
    const std::vector<FieldDef> gasColumns = {{QStringLiteral("SUBSTANZ"), FieldType::Text},
                                              {QStringLiteral("Kappa"), FieldType::Double},
                                              {QStringLiteral("RHON"), FieldType::Double},
                                              {QStringLiteral("RHOUNIT"), FieldType::Integer}};
    const std::vector<FieldDef> liquidColumns = {{QStringLiteral("SUBSTANZ"), FieldType::Text},
                                                 {QStringLiteral("RHO"), FieldType::Double},
                                                 {QStringLiteral("RHOUNIT"), FieldType::Integer},
                                                 {QStringLiteral("PSAT"), FieldType::Double},
                                                 {QStringLiteral("PKRIT"), FieldType::Double},
                                                 {QStringLiteral("PUNIT"), FieldType::Integer},
                                                 {QStringLiteral("NUE"), FieldType::Double},
                                                 {QStringLiteral("NUEUNIT"), FieldType::Integer},
                                                 {QStringLiteral("TBEZUG"), FieldType::Double},
                                                 {QStringLiteral("TUNIT"), FieldType::Integer}};
    const std::vector<FieldDef> substanceColumns = {{QStringLiteral("SUBSTANZ"), FieldType::Text},
                                                    {QStringLiteral("FORMEL"), FieldType::Text},
                                                    {QStringLiteral("M"), FieldType::Double},
                                                    {QStringLiteral("TS"), FieldType::Double},
                                                    {QStringLiteral("TKRIT"), FieldType::Double},
                                                    {QStringLiteral("PKRIT"), FieldType::Double},
                                                    {QStringLiteral("W"), FieldType::Double},
                                                    {QStringLiteral("PUNIT"), FieldType::Integer},
                                                    {QStringLiteral("TUNIT"), FieldType::Integer}};
    std::vector<std::vector<Variant>> gasRows, liquidRows, substanceRows;
    for (const GasRow &r : gases)
        gasRows.push_back({r.SUBSTANZ, r.Kappa, r.RHON, r.RHOUNIT});
    for (const LiquidRow &r : liquids)
        liquidRows.push_back(
            {r.SUBSTANZ, r.RHO, r.RHOUNIT, r.PSAT, r.PKRIT, r.PUNIT, r.NUE, r.NUEUNIT, r.TBEZUG, r.TUNIT});
    for (const SubstanceRow &r : substances)
        substanceRows.push_back({r.SUBSTANZ, r.FORMEL, r.M, r.TS, r.TKRIT, r.PKRIT, r.W, r.PUNIT, r.TUNIT});

    QFile::remove(path);
    std::shared_ptr<Database> db = Database::create(path);
    db->beginTransaction();
    for (int Sprache = 0; Sprache < 6; ++Sprache) {
        writeTable(*db, fluiddb::tableName(QStringLiteral("IdealeGase"), Sprache), gasColumns, gasRows);
        writeTable(*db, fluiddb::tableName(QStringLiteral("Flüssigkeiten"), Sprache), liquidColumns, liquidRows);
        writeTable(*db, fluiddb::tableName(QStringLiteral("Assistent"), Sprache), substanceColumns, substanceRows);
    }
    db->commit();
}

// Air, Methan and Ethan (the mixture's worked example), and a gas stored in lb./cu.ft.
inline std::vector<GasRow> standardGases()
{
    return {gas(QStringLiteral("Luft"), 1.4, 1.293), gas(QStringLiteral("Methan"), 1.31, 0.7157),
            gas(QStringLiteral("Ethan"), 1.19, 1.3417), gas(QStringLiteral("Leichtgas"), 1.3, 0.05, 1)};
}

inline std::vector<LiquidRow> standardLiquids()
{
    return {liquid(QStringLiteral("Wasser"), 998.2, 0.02339, 220.64, 1.004, 20),
            liquid(QStringLiteral("Warmwasser"), 999.0, 0.0177, 220.6, 1.13, 15.5),
            liquid(QStringLiteral("Kaltwasser"), 999.2, 0.0165, 220.6, 1.17, 14.5),
            liquid(QStringLiteral("Öl"), 870.0, 0.001, 20.0, 60.0, 68, 1)};
}

// The rows of the whole SharedData that the hand-over or a cancel could touch, for comparing before and after.
inline QStringList fluidPicture(const SharedData &d)
{
    QStringList out;
    const double values[] = {d.rho1Min, d.rho1Norm, d.rho1Max, d.rhoN, d.psatMin, d.psatNorm, d.psatMax, d.pkrit,
                             d.Tkrit,   d.nueMin,   d.nueNorm,  d.nueMax, d.gammaMin, d.gammaNorm, d.gammaMax,
                             d.T1Min,   d.T1Norm,   d.T1Max,    d.QMin,   d.QNorm,    d.QMax};
    for (double v : values)
        out << QString::number(v, 'g', 17);
    for (int v : {d.rhoUnit, d.pUnit, d.TUnit, d.nueUnit, d.QUnit, d.T1Unit, d.Zustand, d.Medium,
                  d.TBezugFlüssigkeit})
        out << QString::number(v);
    out << d.NameMedium;
    return out;
}

// Rows of a table of the data folder's fluid database, for checking what a dialog stored.
inline QStringList tableRows(const QString &table, const QStringList &columns)
{
    QStringList out;
    std::shared_ptr<Database> db = Database::open(fluiddb::databasePath(), Database::Mode::ReadOnly);
    std::unique_ptr<Recordset> rs = db->openTable(table);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        QStringList cells;
        for (const QString &c : columns) {
            const Variant v = rs->field(c);
            cells << (v.isNull() ? QStringLiteral("Null") : v.isNumber() ? QString::number(v.toDouble(), 'g', 15)
                                                                          : v.toString());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// A number as the user's locale writes it ("1.5" or "1,5"), for expected field texts.
inline QString loc(const char *cText)
{
    QString t = QString::fromUtf8(cText);
    return t.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
}

class Fixture : public menufixture::Fixture {
public:
    // A fixture database in place of the shipped one (before a dialog opens).
    void useDatabase(const std::vector<GasRow> &gases, const std::vector<LiquidRow> &liquids,
                     const std::vector<SubstanceRow> &substances = standardSubstances())
    {
        writeFluidDatabase(fluiddb::databasePath(), gases, liquids, substances);
    }
    void useStandardDatabase() { useDatabase(standardGases(), standardLiquids()); }

    // Per case: the main window started with New, the standard fixture database in place; afterwards every fluid
    // dialog unloaded and the main window gone.
    void beginCase()
    {
        start();
        useStandardDatabase();
    }
    void endCase()
    {
        frmIdealesGasInstance().unload();
        frmFlüssigkeitInstance().unload();
        frmGasgemischInstance().unload();
        frmStoffdatenAssistentInstance().unload();
        formruntime::collect();
        stop();
    }
};

// Picks the list entry of that text as the user does; false when there is none.
inline bool pick(ListBox &list, const QString &text)
{
    const int i = list.items().indexOf(text);
    if (i < 0)
        return false;
    list.userPick(i);
    return true;
}

} // namespace fluidfixture
