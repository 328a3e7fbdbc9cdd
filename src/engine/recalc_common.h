#pragma once

// What the flow recalculation and the sizing recalculation share: the chosen valve row's values, and the texts
// of result labels, which show "N/A" for a value that could not be computed.

#include "engine/main_window_access.h"
#include "engine/valve_flow.h"
#include "platform/core/variant.h"
#include "platform/db/database.h"

#include <QString>

class Label;
struct SharedData;

namespace recalc {

inline const QString kNA = QStringLiteral("N/A");

// The chosen valve row's values that a run keeps for itself; all empty until a row is read.
struct ValveRow {
    bool found = false;
    Variant a0, a1, a2, a3, a4, a5, aFL, bFL, cFL, axT, bxT, cxT;
    QString Schalldaten;
};

// Marks a recalculation as running for its lifetime. The validation's focus moves make a field lose the focus,
// and leaving a field recalculates: a run started inside a run would beep and write the status line a second
// time, so it returns at once while the flag is set. While a sheet loads, the run's beeps wait for the end of the
// loading and are dropped when another run follows (mainwin::LoadingSound).
class RunGuard {
public:
    explicit RunGuard(bool &running) : running_(running) { running_ = true; }
    ~RunGuard() { running_ = false; }
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

private:
    bool &running_;
    mainwin::RecalculationSound sound_;
};

// The curve coefficients and the noise table of a valve table's current row, for a run that reads several rows.
class ValveFields {
public:
    explicit ValveFields(const Recordset &rs);
    ValveRow read() const;

private:
    FieldReader a0, a1, a2, a3, a4, a5, aFL, bFL, cFL, axT, bxT, cxT, Schalldaten;
};
// Hands the row's coefficients on to the shared data (A0 … CxT) for the printouts and the characteristic display.
void keepCoefficients(const ValveRow &row);

double finiteOr0(double v);
// Sets a label's caption; a label the sheet does not have is left out.
void setCaption(Label *label, const QString &caption);
// formatZahl3 / formatZahl4, and "N/A" for a value that is not finite.
QString zahl3(double v);
QString zahl4(double v);
// The number that zahl4 shows: the value rounded to four significant digits in the user's regional settings, as
// a box's Change handler reads its text back; the value itself when it is not finite.
double asShown4(double v);
// The patterns "0.0", "0.00", "0.000", and "N/A" for a value that is not finite.
QString fixedPattern(double v, int decimals);
// The language's "ja" or "nein".
QString yesNo(bool yes);
// The medium's properties at one operating point, in the shared data's units.
struct PointFluid {
    double rho1, gamma, nue, psat;
};
// The curves of a valve row with its Kvs (or Cv, by KvUnit).
flow::ValveCurves curvesOf(double KvsCv, int KvUnit, const ValveRow &row);
// The curves of the valve the shared data hold: KvsCv and the coefficients A0 … CxT kept from its row.
flow::ValveCurves curvesOf(const SharedData &s);
// The valve at an operating point of the shared data (its p1, p2 and fluid data; the medium, sizes and units shared).
flow::ValveFlow valveAtPoint(const SharedData &s, const flow::ValveCurves &curves, double p1, double p2,
                             const PointFluid &fluid);
// Why a recalculation cannot go on with the medium of an operating point, in the screen language, or empty when
// it can. Whatever brought the data (an older project file, an edited database), every property the calculation
// uses must be one the dialogs take: a density; for a gas (Zustand 0 or 2) an isentropic exponent, for an ideal
// gas (Zustand 0) a norm density, for a real gas other than steam the molar mass of the noise estimate; for a
// liquid the dialogs gave (not water or paper stock, whose properties are computed) a viscosity, a vapour
// pressure and a critical pressure.
QString impossibleFluid(const SharedData &s, const PointFluid &point);
// Likewise for the valve: its Kvs or Cv, and its FL and xT curves over the opening.
QString impossibleValve(double KvsCv, const ValveRow &row);

// A database failure for the status line in the screen language: the text of "Datenbankfehler", the file's name
// and the table, and what is wrong, with the field and the value where they tell something.
QString databaseFailure(const DbError &e);

} // namespace recalc
