#include "tools/coefficient_estimate.h"

#include <cmath>

namespace kennlinienschaetzung {

const std::array<Band, 10> &gleichprozentigBaender()
{
    // Each row approximates Kv/Kvs = R0^(y - 1) for the band's centre R0 by a polynomial without constant term.
    static const std::array<Band, 10> baender = {{
        {95, 105, {0.2333, -1.0787, 3.5176, -4.2926, 2.6203}},
        {85, 95, {0.2503, -1.1118, 3.5354, -4.2005, 2.5265}},
        {75, 85, {0.2722, -1.1616, 3.5867, -4.1329, 2.4356}},
        {65, 75, {0.3008, -1.2359, 3.6884, -4.1051, 2.3518}},
        {55, 65, {0.3397, -1.3483, 3.8692, -4.143, 2.2826}},
        {45, 55, {0.3949, -1.5233, 4.181, -4.295, 2.2425}},
        {35, 45, {0.4786, -1.8105, 4.7295, -4.6603, 2.263}},
        {25, 35, {0.6185, -2.327, 5.7628, -5.4752, 2.4214}},
        {15, 25, {0.8971, -3.4281, 8.0286, -7.4562, 2.9594}},
        {5, 15, {1.7139, -6.9058, 15.268, -14.191, 5.1167}},
    }};
    return baender;
}

std::optional<std::array<double, 5>> gleichprozentig(const Variant &R)
{
    // A rangeability that is no number lies in no band: the boxes keep what they show.
    if (!R.isNumeric())
        return std::nullopt;
    const double r = R.toDouble();
    if (!std::isfinite(r))
        return std::nullopt;
    for (const Band &band : gleichprozentigBaender()) {
        if (r >= band.von && r < band.bis)
            return band.a;
    }
    return std::nullopt;
}

} // namespace kennlinienschaetzung
