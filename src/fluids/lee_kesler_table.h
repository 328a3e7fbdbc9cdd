#pragma once

#include <array>
#include <initializer_list>
#include <limits>
#include <span>

// The two terms of the Lee-Kesler compressibility, the simple-fluid term Z0 and the deviation term Z1, as
// polynomial fits in the reduced temperature Tr: one column per term and reduced-pressure node, each a short list
// of pieces. Below pr 1 a column has pieces of its own for the liquid and for the gas or vapour; from pr 1 upwards
// the pieces serve both.
namespace lee_kesler {

enum class Term { Z0, Z1 };
// Phase codes as the wizard keeps them; Any marks the pieces of the columns from pr 1 upwards.
enum class Phase { Any = 0, Liquid = 1, Gas = 2 };

// Upper bound of the last piece of a column.
inline constexpr double kNoBound = std::numeric_limits<double>::infinity();

struct Piece {
    Term term;
    double node;  // reduced pressure of the column
    Phase phase;
    double upper; // the piece serves Tr up to and including this bound, above the previous piece's bound
    int degree;   // highest power of Tr that occurs
    std::array<double, 7> c{};

    constexpr Piece(Term t, double n, Phase p, double up, std::initializer_list<double> coefficients)
        : term(t), node(n), phase(p), upper(up), degree(int(coefficients.size()) - 1)
    {
        int k = 0;
        for (double x : coefficients)
            c[std::size_t(k++)] = x;
    }
};

// The reduced-pressure nodes, ascending: 0.01 … 10.
inline constexpr std::array<double, 15> kNodes = {0.01, 0.05, 0.1, 0.2, 0.4, 0.6, 0.8, 1.0,
                                                  1.2,  1.5,  2.0, 3.0, 5.0, 7.0, 10.0};

// All pieces, column by column in node order, Z0 before Z1.
std::span<const Piece> pieces();

// The column of `term` at node index 0…14 evaluated at Tr. `phase` (1 liquid, 2 gas or vapour) chooses the pieces
// below pr 1 and is ignored from pr 1 upwards. Tr is taken as it comes; the caller keeps it within 0.3 … 4.
double column(Term term, int nodeIndex, double Tr, int phase);

// The polynomial of one piece: c0 + c1·Tr + … + cn·Trⁿ, the powers taken as integer powers and the terms added
// from the highest power down.
double evaluate(const Piece &piece, double Tr);

} // namespace lee_kesler
