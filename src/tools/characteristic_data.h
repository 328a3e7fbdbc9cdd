#pragma once

#include "platform/core/variant.h"

#include <QString>
#include <array>
#include <optional>

// The input cells of the characteristic display and the curves computed from them.
namespace kenndaten {

enum class Kurve { Kv, Cv, FL, xT };

// "Kv", "Cv", "FL" or "xT", compared as text and case-sensitive; nothing for anything else.
std::optional<Kurve> kurveAus(const Variant &Art);
// The sheet name of a curve.
QString blattName(Kurve k);

// Column B of the input sheet "Parameter", rows 1 to 18: the opening label, the curve's title with the series
// name, the nominal size in mm and inch, the characteristic's name, Kvs, Cv, A0 to A5, AFL to CFL, AxT to CxT.
struct Parameter {
    std::array<Variant, 18> zelle;
    // Row 1 to 18.
    const Variant &zeile(int row) const { return zelle[static_cast<std::size_t>(row - 1)]; }
};

// Rows of the first Kv coefficient (A0), of AFL and of AxT.
constexpr int zeileA0 = 7;
constexpr int zeileAFL = 13;
constexpr int zeileAxT = 16;
constexpr int zeileKvs = 5;
constexpr int zeileCv = 6;

// Fills the 18 cells from the shared data of the last recalculation; texts in the screen language.
Parameter parameterZellen(Kurve k);

// A cell as a formula sees it: empty or no number counts as 0; a single-precision value counts as the decimal
// number it shows (46.4, not 46.400001525878906).
double zahl(const Variant &v);

// Kv/Kvs at the opening y (0 to 1): A0 + A1 y + ... + A5 y^5.
double verhaeltnis(const Parameter &p, double y);
// The curve's value at the opening y: Kv = Kvs * Kv/Kvs, Cv = Cv * Kv/Kvs, FL and xT by their parabolas.
double wert(const Parameter &p, Kurve k, double y);

} // namespace kenndaten
