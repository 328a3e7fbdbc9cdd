#include "lee_kesler_table.h"

#include <cmath>

namespace lee_kesler {

namespace {

using enum Term;
using enum Phase;

// One row per piece: term, node, phase, upper bound of Tr, then c0, c1, … up to the highest power that occurs.
constexpr Piece kPieces[] = {
    {Z0, 0.01, Liquid, kNoBound, {0.0058, -0.0131, 0.0114}},
    {Z0, 0.01, Gas, kNoBound, {0.9824, 0.0152, -0.0029}},
    {Z0, 0.05, Liquid, kNoBound, {0.0267, -0.0529, 0.04}},
    {Z0, 0.05, Gas, kNoBound, {0.8727, 0.1649, -0.0668, 0.0085}},
    {Z0, 0.1, Liquid, kNoBound, {0.0512, -0.0946, 0.0669}},
    {Z0, 0.1, Gas, kNoBound, {0.5982, 0.6995, -0.4424, 0.1192, -0.0115}},
    {Z0, 0.2, Liquid, kNoBound, {0.098, -0.1692, 0.1118}},
    {Z0, 0.2, Gas, kNoBound, {0.3479, 1.0754, -0.6519, 0.17, -0.016}},
    {Z0, 0.4, Liquid, kNoBound, {0.1905, -0.3144, 0.199}},
    {Z0, 0.4, Gas, kNoBound, {-0.9823, 4.0205, -3.2489, 1.2885, -0.2491, 0.0187}},
    {Z0, 0.6, Liquid, kNoBound, {0.2836, -0.4622, 0.2886}},
    {Z0, 0.6, Gas, kNoBound, {-2.5787, 7.3948, -6.0462, 2.4156, -0.4692, 0.0354}},
    {Z0, 0.8, Liquid, kNoBound, {0.3804, -0.6246, 0.39}},
    {Z0, 0.8, Gas, kNoBound, {-4.4848, 11.36, -9.2786, 3.6976, -0.716, 0.0539}},
    {Z0, 1, Any, 1, {-1.4108, 17.702, -68.672, 123.62, -105.82, 34.824}},
    {Z0, 1, Any, kNoBound, {-8.9204, 21.097, -17.531, 7.0667, -1.3793, 0.1044}},
    {Z0, 1.2, Any, 1, {0.5405, -0.029, -4.8302, 12.668, -12.876, 4.7482}},
    {Z0, 1.2, Any, 1.8, {-144.35, 487.7, -655.18, 439.26, -146.76, 19.536}},
    {Z0, 1.2, Any, kNoBound, {0.5134, 0.4277, -0.1237, 0.012}},
    {Z0, 1.5, Any, 1, {0.9186, -2.3785, 2.6175, 0.4609, -2.9326, 1.5714}},
    {Z0, 1.5, Any, 1.8, {-11.287, 24.087, -17.18, 5.07, -0.4793}},
    {Z0, 1.5, Any, kNoBound, {0.4, 0.5297, -0.1535, 0.0149}},
    {Z0, 2, Any, 1.2, {1.2125, -3.0034, 2.713, 2.1493, -5.236, 2.4893}},
    {Z0, 2, Any, kNoBound, {-6.3559, 13.521, -9.9714, 3.6517, -0.6595, 0.0468}},
    {Z0, 3, Any, 1.2, {1.9516, -5.9918, 10.298, -9.1035, 3.6737, -0.3759}},
    {Z0, 3, Any, kNoBound, {-3.8818, 7.8331, -5.11, 1.6845, -0.2781, 0.0183}},
    {Z0, 5, Any, kNoBound, {2.5076, -4.8683, 4.6707, -1.9607, 0.3819, -0.0283}},
    {Z0, 7, Any, kNoBound, {3.2974, -5.9345, 5.4411, -2.3025, 0.4631, -0.0359}},
    {Z0, 10, Any, kNoBound, {4.5894, -8.0311, 7.2367, -3.1388, 0.656, -0.0529}},
    {Z1, 0.01, Liquid, kNoBound, {0.001, -0.0095, 0.0114}},
    {Z1, 0.01, Gas, 1.3, {-1.9135, 11.195, -27.744, 36.983, -27.815, 11.152, -1.8578}},
    {Z1, 0.01, Gas, kNoBound, {0.0006, 0.0002, -0.00005}},
    {Z1, 0.05, Liquid, kNoBound, {0.0011, -0.0261, 0.0295}},
    {Z1, 0.05, Gas, 1.5, {-6.3433, 32.426, -69.849, 80.675, -52.464, 18.162, -2.6099}},
    {Z1, 0.05, Gas, kNoBound, {0.005, -0.0006, -0.00004}},
    {Z1, 0.1, Liquid, kNoBound, {-0.0011, -0.037, 0.0417}},
    {Z1, 0.1, Gas, 1.5, {-15.34, 77.744, -165.55, 188.69, -121, 41.3, -5.8529}},
    {Z1, 0.1, Gas, kNoBound, {0.0101, -0.0011, -0.00007}},
    {Z1, 0.2, Liquid, kNoBound, {-0.0087, -0.043, 0.0486}},
    {Z1, 0.2, Gas, 1.5, {-35.586, 174.52, -358.9, 394.86, -244.51, 80.669, -11.065}},
    {Z1, 0.2, Gas, kNoBound, {0.0211, -0.0029, -0.00004}},
    {Z1, 0.4, Liquid, kNoBound, {0.0313, -0.3903, 0.6973, -0.3756}},
    {Z1, 0.4, Gas, 1.5, {-139.32, 675.36, -1366.7, 1475.7, -895.55, 289.38, -38.874}},
    {Z1, 0.4, Gas, kNoBound, {0.0455, -0.0082, 0.0003}},
    {Z1, 0.6, Liquid, kNoBound, {0.0378, -0.528, 0.9319, -0.4907}},
    {Z1, 0.6, Gas, 1.3, {-100.49, 348.45, -453.35, 262.15, -56.8}},
    {Z1, 0.6, Gas, kNoBound, {-0.0117, 0.0844, -0.0364, 0.0045}},
    {Z1, 0.8, Liquid, kNoBound, {0.042, -0.6517, 1.1412, -0.5908}},
    {Z1, 0.8, Gas, 1.01, {-1632.2, 4879.2, -4863.8, 1616.7}},
    {Z1, 0.8, Gas, 1.5, {-24.865, 75.027, -84.851, 42.691, -8.0543}},
    {Z1, 0.8, Gas, kNoBound, {0.074, 0.0104, -0.0116, 0.0017}},
    {Z1, 1, Any, 1, {0.9403, -8.9391, 29.822, -48.273, 38.263, -11.891}},
    {Z1, 1, Any, 1.3, {-15.524, 38.303, -31.416, 8.6051}},
    {Z1, 1, Any, kNoBound, {-0.1054, 0.341, -0.2103, 0.0519, -0.0046}},
    {Z1, 1.2, Any, 1, {0.399, -3.7526, 10.235, -13.01, 7.9225, -1.8575}},
    {Z1, 1.2, Any, 1.1, {-1.4493, 1.4047}},
    {Z1, 1.2, Any, kNoBound, {-0.5958, 1.5053, -1.2199, 0.4685, -0.0871, 0.0063}},
    {Z1, 1.5, Any, 1.1, {2.318, -25.479, 108.3, -242.22, 300.66, -195.56, 51.932}},
    {Z1, 1.5, Any, kNoBound, {0.534, -0.7714, 0.6109, -0.2487, 0.0494, -0.0038}},
    {Z1, 2, Any, 1.2, {1.5628, -13.609, 39.308, -52.576, 32.735, -7.4896}},
    {Z1, 2, Any, kNoBound, {0.0214, 0.5692, -0.5829, 0.2485, -0.0493, 0.0037}},
    {Z1, 3, Any, 1.3, {1.5475, -13.931, 39.56, -52.343, 32.819, -7.7613}},
    {Z1, 3, Any, kNoBound, {-3.006, 6.8001, -5.4471, 2.0901, -0.3888, 0.0282}},
    {Z1, 5, Any, 1.4, {1.2384, -12.201, 32.24, -39.097, 22.664, -5.012}},
    {Z1, 5, Any, kNoBound, {-6.853, 13.476, -9.9195, 3.568, -0.6301, 0.0437}},
    {Z1, 7, Any, 1.4, {1.3662, -14.158, 36.509, -42.694, 23.902, -5.1458}},
    {Z1, 7, Any, kNoBound, {-6.6461, 12.074, -8.2603, 2.7933, -0.4683, 0.0311}},
    {Z1, 10, Any, 1.4, {3.7757, -37.417, 115.51, -177.82, 149.02, -64.85, 11.484}},
    {Z1, 10, Any, kNoBound, {-3.4115, 4.8668, -2.3266, 0.488, -0.0381}},
};

static_assert(std::size(kPieces) == 69);

// Where each column's pieces start and end in kPieces, by term, node and phase (0 liquid, 1 gas or vapour; the
// columns from pr 1 upwards give both the same range).
struct Range {
    int first = 0;
    int end = 0;
};
using Index = std::array<std::array<std::array<Range, 2>, kNodes.size()>, 2>;

constexpr Index buildIndex()
{
    Index index{};
    for (int t = 0; t < 2; ++t) {
        for (std::size_t n = 0; n < kNodes.size(); ++n) {
            for (int ph = 0; ph < 2; ++ph) {
                Range r{-1, -1};
                for (int i = 0; i < int(std::size(kPieces)); ++i) {
                    const Piece &p = kPieces[i];
                    const bool servesPhase = p.phase == Any || int(p.phase) == ph + 1;
                    if (int(p.term) != t || p.node != kNodes[n] || !servesPhase)
                        continue;
                    if (r.first < 0)
                        r.first = i;
                    r.end = i + 1;
                }
                index[std::size_t(t)][n][std::size_t(ph)] = r;
            }
        }
    }
    return index;
}

constexpr Index kIndex = buildIndex();

// Every column has its pieces in one block, and its last piece has no upper bound, so every Tr finds a piece.
constexpr bool indexComplete()
{
    for (const auto &byNode : kIndex)
        for (const auto &byPhase : byNode)
            for (const Range &r : byPhase) {
                if (r.first < 0 || r.end <= r.first || kPieces[r.end - 1].upper != kNoBound)
                    return false;
                for (int i = r.first + 1; i < r.end; ++i)
                    if (!(kPieces[i - 1].upper < kPieces[i].upper))
                        return false;
            }
    return true;
}
static_assert(indexComplete());

} // namespace

std::span<const Piece> pieces()
{
    return kPieces;
}

double evaluate(const Piece &piece, double Tr)
{
    double sum = 0.0;
    for (int k = piece.degree; k >= 1; --k)
        sum += piece.c[std::size_t(k)] * std::pow(Tr, k);
    return sum + piece.c[0];
}

double column(Term term, int nodeIndex, double Tr, int phase)
{
    if (nodeIndex < 0 || nodeIndex >= int(kNodes.size()))
        return 0.0;
    const int ph = phase == 1 ? 0 : 1;
    const Range r = kIndex[std::size_t(term)][std::size_t(nodeIndex)][std::size_t(ph)];
    int i = r.first;
    while (i < r.end - 1 && !(Tr <= kPieces[i].upper))
        ++i;
    return evaluate(kPieces[i], Tr);
}

} // namespace lee_kesler
