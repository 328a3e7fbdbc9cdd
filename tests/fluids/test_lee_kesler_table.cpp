#include "fluids/lee_kesler_table.h"

#include <QtTest>
#include <cmath>

using lee_kesler::Term;

// The columns of the Lee-Kesler terms: which piece serves a Tr (a bound belongs to the piece below it, with the
// known jumps between pieces left as they are) and which phase a column below pr 1 uses. Expected values are the
// tabled coefficients summed by hand.
class TestLeeKeslerTable : public QObject {
    Q_OBJECT

private slots:
    void columnValues_data();
    void columnValues();
    void boundBelongsToLowerPiece_data();
    void boundBelongsToLowerPiece();
};

namespace {

// Index of a node in the grid.
int node(double pr)
{
    for (int i = 0; i < int(lee_kesler::kNodes.size()); ++i)
        if (lee_kesler::kNodes[std::size_t(i)] == pr)
            return i;
    return -1;
}

const double kAbove1 = std::nextafter(1.0, 2.0);
const double kAbove18 = std::nextafter(1.8, 2.0);

} // namespace

void TestLeeKeslerTable::columnValues_data()
{
    QTest::addColumn<int>("term");
    QTest::addColumn<double>("pr");
    QTest::addColumn<double>("Tr");
    QTest::addColumn<int>("phase");
    QTest::addColumn<double>("expected");

    const int Z0 = int(Term::Z0), Z1 = int(Term::Z1);
    // At Tr = 1 a piece gives the sum of its coefficients.
    QTest::newRow("Z0 pr 0.01 liquid, Tr 1") << Z0 << 0.01 << 1.0 << 1 << 0.0058 - 0.0131 + 0.0114;
    QTest::newRow("Z0 pr 0.01 gas, Tr 1") << Z0 << 0.01 << 1.0 << 2 << 0.9824 + 0.0152 - 0.0029;
    QTest::newRow("Z0 pr 1 at Tr 1: lower piece") << Z0 << 1.0 << 1.0 << 1 << 0.2432;
    QTest::newRow("Z0 pr 1 just above Tr 1: upper piece, 0.19 higher") << Z0 << 1.0 << kAbove1 << 2 << 0.4374;
    QTest::newRow("Z0 pr 1.2 at Tr 1.8: middle piece") << Z0 << 1.2 << 1.8 << 1 << 1.00934848;
    QTest::newRow("Z0 pr 1.2 just above Tr 1.8: upper piece, 0.06 lower") << Z0 << 1.2 << kAbove18 << 2 << 0.952456;
    // Z1 pr 0.8, gas or vapour: three pieces, each bound with the piece below it.
    QTest::newRow("Z1 pr 0.8 gas, Tr 1.01: lower piece") << Z1 << 0.8 << 1.01 << 2 << -0.0827533;
    QTest::newRow("Z1 pr 0.8 gas, Tr 1.2: middle piece") << Z1 << 0.8 << 1.2 << 2 << 0.05061152;
    QTest::newRow("Z1 pr 0.8 gas, Tr 1.5: middle piece") << Z1 << 0.8 << 1.5 << 2 << 0.06798125;
    QTest::newRow("Z1 pr 0.8 gas, Tr 1.6: upper piece") << Z1 << 0.8 << 1.6 << 2 << 0.0679072;
    // Z1 pr 1.2 between Tr 1 and 1.1 is the line -1.4493 + 1.4047 Tr.
    QTest::newRow("Z1 pr 1.2, Tr 1.05: straight line") << Z1 << 1.2 << 1.05 << 1 << -1.4493 + 1.4047 * 1.05;
    QTest::newRow("Z1 pr 1.2, Tr 1.1: straight line") << Z1 << 1.2 << 1.1 << 1 << -1.4493 + 1.4047 * 1.1;
    // The last column and both ends of the range.
    QTest::newRow("Z0 pr 10, Tr 2") << Z0 << 10.0 << 2.0 << 1 << 1.1668;
    QTest::newRow("Z1 pr 10, Tr 4") << Z1 << 10.0 << 4.0 << 2 << 0.3085;
    QTest::newRow("Z0 pr 0.01 liquid, Tr 0.3") << Z0 << 0.01 << 0.3 << 1 << 0.002896;
}

void TestLeeKeslerTable::columnValues()
{
    QFETCH(int, term);
    QFETCH(double, pr);
    QFETCH(double, Tr);
    QFETCH(int, phase);
    QFETCH(double, expected);
    const double got = lee_kesler::column(Term(term), node(pr), Tr, phase);
    QVERIFY2(std::fabs(got - expected) < 1e-9, qPrintable(QString::number(got, 'g', 15)));
}

// Every piece with a bound b serves Tr = b; the next piece takes over at the next number above b.
void TestLeeKeslerTable::boundBelongsToLowerPiece_data()
{
    QTest::addColumn<int>("piece");
    const auto pieces = lee_kesler::pieces();
    for (int i = 0; i < int(pieces.size()); ++i)
        if (std::isfinite(pieces[std::size_t(i)].upper))
            QTest::addRow("piece %d, bound %g", i, pieces[std::size_t(i)].upper) << i;
}

void TestLeeKeslerTable::boundBelongsToLowerPiece()
{
    QFETCH(int, piece);
    const auto pieces = lee_kesler::pieces();
    const lee_kesler::Piece &lower = pieces[std::size_t(piece)];
    const lee_kesler::Piece &upper = pieces[std::size_t(piece + 1)];
    QCOMPARE(upper.term, lower.term);
    QCOMPARE(upper.node, lower.node);
    QCOMPARE(upper.phase, lower.phase);
    const int phase = lower.phase == lee_kesler::Phase::Liquid ? 1 : 2;
    const double b = lower.upper;
    const double above = std::nextafter(b, 10.0);
    QCOMPARE(lee_kesler::column(lower.term, node(lower.node), b, phase), lee_kesler::evaluate(lower, b));
    QCOMPARE(lee_kesler::column(lower.term, node(lower.node), above, phase), lee_kesler::evaluate(upper, above));
}

QTEST_GUILESS_MAIN(TestLeeKeslerTable)
#include "test_lee_kesler_table.moc"
