#pragma once

#include "platform/core/variant.h"

#include <array>
#include <optional>

// Estimated coefficients of the three curves of a user-defined valve, from its characteristic and rangeability.
namespace kennlinienschaetzung {

// One band of the equal-percentage table: lower bound included, upper bound excluded, a1 to a5.
struct Band {
    double von;
    double bis;
    std::array<double, 5> a;
};

// The ten bands, from the top (95 to 105) down to the bottom (5 to 15).
const std::array<Band, 10> &gleichprozentigBaender();

// a1 to a5 of the band that holds R; nothing for R outside every band or not a number.
std::optional<std::array<double, 5>> gleichprozentig(const Variant &R);

} // namespace kennlinienschaetzung
