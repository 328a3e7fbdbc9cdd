#pragma once

#include "platform/core/variant.h"

#include <QString>
#include <array>
#include <optional>

class Recordset;

// The user-defined valve as a set of values, and the one judgement of whether it can exist: the dialog applies it
// before it stores a valve, a project's load before it takes one, and both sheets before they compute with the
// row of "9999".

// A user-defined valve as the first row of "9999" stores it. A value that is no number leaves its column as it was.
struct UserValve {
    QString DNVentil; // in DNunit
    int DNunit = 0;
    Variant KvsCv; // in KvUnit, stored as given; the other unit's column gets it to four significant digits
    int KvUnit = 0;
    int Kennlinie = 0;
    Variant Stellverhältnis;
    std::array<Variant, 12> koeffizienten; // A0 to A5, AFL, BFL, CFL, AXT, BXT, CXT
};

// The coefficient columns, in the order of UserValve::koeffizienten, as "9999" and a project's file name them
// (column names compare without regard to case).
const std::array<QString, 12> &userValveCoefficientColumns();

// Whether the valve was computed: a valve never computed holds no coefficient at all.
bool hasCoefficients(const UserValve &valve);

// The rangeability the dialog accepts, both ends included.
bool isValidRangeability(double r);

// Where a user-defined valve fails the dialog's judgement: its Kvs or Cv, its rangeability, or a coefficient.
struct UserValveFault {
    enum class Value { KvsCv, Stellverhältnis, Koeffizient };
    Value value = Value::KvsCv;
    std::size_t koeffizient = 0; // with Koeffizient: its index in UserValve::koeffizienten
};

// The value that keeps a valve from being stored, or nothing when it can exist. Every value is a number; the Kvs or
// Cv is above 0, also in single precision as "9999" holds it and its conversion to the other unit, the rangeability
// 10 to 100, the coefficients of a sensible size, the Kv characteristic within ten times Kvs at every opening, and
// FL and xT within (0, 1]. A curve that fails is laid to the coefficient where a wrong digit is likeliest: the one
// of largest magnitude among those `typed` (an FL or xT value outside the range when closed to the first alone).
std::optional<UserValveFault> userValveFault(const UserValve &valve, const std::array<bool, 12> &typed);
std::optional<UserValveFault> userValveFault(const UserValve &valve);

// The column a fault lies in: `kvsColumn` for the Kvs or Cv, else the rangeability's or the coefficient's.
QString userValveFaultColumn(const UserValveFault &fault, const QString &kvsColumn);

// The current row of a recordset on "9999" (of the characteristic database `file`) is one the dialog would store;
// otherwise a DbError names the table, the field and the value, so that no sheet computes with it and none of its
// values reaches the shared data. A row of any other table passes unjudged: the catalogue's series are the maker's.
void requireStorableUserValve(const Recordset &rs, const QString &file);
