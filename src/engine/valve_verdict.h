#pragma once

// Whether the chosen valve of a sizing passes its operating points, at both ends of its travel: one verdict for the
// sizing sheet's warnings and for its printout, from the shared data a sizing run leaves.

#include <array>
#include <optional>

struct SharedData;

struct ValveVerdict {
    // Min, norm and max: the active point needs more than the valve passes fully open, its characteristic's Kv at
    // full travel (not Kvs), by more than rounding.
    std::array<bool, 3> beyondFullTravel{};
    // Min, norm and max: the point's rangeability is judged (an active point; the maximum point of an on/off valve
    // is not).
    std::array<bool, 3> rangeabilityJudged{};
    // ... and it needs more than the valve's: "Stellverhältnis nicht ausreichend!". A point below the valve's
    // range needs Kvs over the Kv it needs, and is judged so; it is short also where the valve's curve closes to
    // less than the stated rangeability (its least Kv over the travel above Kvs over that) and the point lies below
    // what the curve reaches.
    std::array<bool, 3> rangeabilityShort{};
    // The maximum point's flow reserve (Q100 - QMax) / QMax; none without a maximum flow.
    std::optional<double> reserve;
    // The reserve is 0 or less, or there is none: "Ventildurchfluss nicht ausreichend!".
    bool noReserve = false;
    // The reserve is positive but below DurchflussreserveMin: "Durchflussreserve evtl. nicht ausreichend!".
    bool smallReserve = false;

    bool anyBeyondFullTravel() const { return beyondFullTravel[0] || beyondFullTravel[1] || beyondFullTravel[2]; }
};

ValveVerdict judgeValve(const SharedData &s);

// Whether a point with opening y and flow coefficient Kv has a required rangeability (Kvs / Kv): not where its
// opening was not found (-1), nor without flow, where it needs a Kv of 0 and a closed valve needs no rangeability,
// nor where no Kv passes its flow.
bool hasRequiredRangeability(double y, double Kv);
// Whether a point with opening y, flow coefficient Kv and flow Q shows a Kv: not where its opening was not found,
// nor where it has a flow but a Kv of 0, since no coefficient passes it (reducers bound the flow through the
// valve's size below Q). A point without flow needs Kv 0.
bool hasRequiredKv(double y, double Kv, double Q);
