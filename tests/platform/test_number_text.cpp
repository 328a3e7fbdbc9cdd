#include "platform/core/number_text.h"
#include "platform/core/variant.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {
const QLocale kGerman(QLocale::German, QLocale::Germany);

// Expected texts are written with a point; under German settings the point becomes a comma.
QString localized(QString text, bool german)
{
    if (german)
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

// The C library's own number locale, as QCoreApplication leaves it on a German system (LC_ALL=de_DE.UTF-8);
// the helpers must not depend on it.
class CLibraryNumbers {
public:
    CLibraryNumbers()
    {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_NUMERIC, name))
                break;
    }
    ~CLibraryNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }

private:
    std::string saved_;
};
} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void fixedRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        const struct { const char *tag; double v; int d; const char *out; } cases[] = {
            {"documented example", 0.012345, 5, "0.01235"},
            {"half up", 2.5, 0, "3"},
            {"negative half away from zero", -2.5, 0, "-3"},
            {"binary below half, decimal half", 1.005, 2, "1.01"},
            {"carry into the integer part", 9.9999, 2, "10.00"},
            {"negative rounding to zero has no sign", -0.001, 2, "0.00"},
            {"zero", 0.0, 3, "0.000"},
            {"negative zero", -0.0, 1, "0.0"},
            {"padding", 1.5, 4, "1.5000"},
            {"large", 1e20, 0, "100000000000000000000"},
            {"no group separators", 1234567.891, 1, "1234567.9"},
            {"negative decimals mean none", 1234.5, -1, "1235"},
            {"tiny", 1e-10, 3, "0.000"},
        };
        for (bool german : {false, true})
            for (const auto &c : cases)
                QTest::addRow("%s %s", german ? "de" : "C", c.tag)
                    << german << c.v << c.d << localized(QString::fromLatin1(c.out), german);
    }

    void fixedRoundsHalfAwayFromZero()
    {
        QFETCH(bool, german);
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        numtext::setUserLocale(german ? kGerman : QLocale::c());
        CLibraryNumbers clib;
        QCOMPARE(numtext::fixed(value, decimals), expected);
    }

    void generalText_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        const struct { const char *tag; double v; int d; const char *out; } cases[] = {
            {"zero", 0.0, 15, "0"},
            {"float 0.1 as single", double(0.1f), 7, "0.1"},
            {"float 0.1 as double", double(0.1f), 15, "0.100000001490116"},
            {"float 1.16 as single", double(1.16f), 7, "1.16"},
            {"third", 1.0 / 3.0, 15, "0.333333333333333"},
            {"two thirds single", 2.0 / 3.0, 7, "0.6666667"},
            {"negative", -2.5, 15, "-2.5"},
            {"whole", 100.0, 15, "100"},
            {"small", 0.0001, 15, "0.0001"},
            {"very small", 1e-10, 15, "1E-10"},
            {"very large", 1.5e16, 15, "1.5E+16"},
            {"beyond the digits", 123456789012345678.0, 15, "1.23456789012346E+17"},
            {"largest plain", 1e14, 15, "100000000000000"},
            {"rounding up the last digit", 0.99999999, 7, "1"},
        };
        for (bool german : {false, true})
            for (const auto &c : cases)
                QTest::addRow("%s %s", german ? "de" : "C", c.tag)
                    << german << c.v << c.d << localized(QString::fromLatin1(c.out), german);
    }

    void generalText()
    {
        QFETCH(bool, german);
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, expected);
        numtext::setUserLocale(german ? kGerman : QLocale::c());
        CLibraryNumbers clib;
        QCOMPARE(numtext::general(value, digits), expected);
    }

    // A number shortened to a width of characters rounds a tie of its decimal text half away from zero, as fixed()
    // does; the double of 0.15 lies below the tie.
    void numberThatFitsRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        const struct { const char *tag; const char *text; int width; const char *out; } cases[] = {
            {"whole digits", "1234.5", 4, "1235"},
            {"one digit", "2.5", 1, "3"},
            {"negative", "-2.5", 2, "-3"},
            {"decimal tie, binary below", "0.15", 3, "0.2"},
            {"exponent kept", "2.5E+16", 5, "3E+16"},
        };
        for (bool german : {false, true})
            for (const auto &c : cases)
                QTest::addRow("%s %s", german ? "de" : "C", c.tag)
                    << german << localized(QString::fromLatin1(c.text), german) << c.width
                    << localized(QString::fromLatin1(c.out), german);
    }

    void numberThatFitsRoundsHalfAwayFromZero()
    {
        QFETCH(bool, german);
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, expected);
        numtext::setUserLocale(german ? kGerman : QLocale::c());
        CLibraryNumbers clib;
        QCOMPARE(numtext::numberThatFits(text, [width](const QString &t) { return t.size() <= width; }), expected);
    }

    void nonFiniteGivesEmptyText()
    {
        for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
            QVERIFY(numtext::fixed(v, 2).isEmpty());
            QVERIFY(numtext::general(v).isEmpty());
        }
    }

    void parseUserText_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("C point") << false << "1.5" << true << 1.5;
        QTest::newRow("C blanks") << false << "  2 " << true << 2.0;
        QTest::newRow("C exponent") << false << "1e3" << true << 1000.0;
        QTest::newRow("C negative") << false << "-0.25" << true << -0.25;
        QTest::newRow("C comma is a group separator") << false << "1,5" << false << 0.0;
        QTest::newRow("C empty") << false << "" << false << 0.0;
        QTest::newRow("C blank") << false << "   " << false << 0.0;
        QTest::newRow("C letters") << false << "abc" << false << 0.0;
        QTest::newRow("C two points") << false << "1.2.3" << false << 0.0;
        QTest::newRow("C trailing letters") << false << "12bar" << false << 0.0;
        QTest::newRow("C infinity") << false << "inf" << false << 0.0;
        QTest::newRow("C nan") << false << "nan" << false << 0.0;
        QTest::newRow("C overflow") << false << "1e400" << false << 0.0;
        QTest::newRow("de comma") << true << "1,5" << true << 1.5;
        QTest::newRow("de exponent") << true << "-2,5e2" << true << -250.0;
        QTest::newRow("de point is a group separator") << true << "1.5" << false << 0.0;
        QTest::newRow("de grouped thousands") << true << "1.000" << false << 0.0;
        QTest::newRow("de whole") << true << "42" << true << 42.0;
        // Plain numbers are read without the locale's general reader; these rows hold it to the same answers.
        QTest::newRow("C leading zeros") << false << "007.50" << true << 7.5;
        QTest::newRow("de leading zeros") << true << "0005,25" << true << 5.25;
        QTest::newRow("C sixteen digits") << false << "1234567890.123456" << true << 1234567890.123456;
        QTest::newRow("C seventeen digits, rounded once") << false << "0.12345678901234567" << true
                                                           << 0.12345678901234567;
        QTest::newRow("C beyond two to the 53") << false << "9007199254740993" << true << 9007199254740992.0;
        QTest::newRow("C twenty-two decimals") << false << "0.0000000000000000000001" << true << 1e-22;
        QTest::newRow("C point without decimals") << false << "5." << true << 5.0;
        QTest::newRow("C point without integer part") << false << ".5" << true << 0.5;
        QTest::newRow("de comma only") << true << "," << false << 0.0;
        QTest::newRow("C minus only") << false << "-" << false << 0.0;
        QTest::newRow("C minus after blank") << false << " -3" << true << -3.0;
        QTest::newRow("C inner blank") << false << "1 5" << false << 0.0;
        QTest::newRow("C plus sign") << false << "+5" << true << 5.0;
        QTest::newRow("C tab and newline around") << false << "\t12\n" << true << 12.0;
    }

    void parseUserText()
    {
        QFETCH(bool, german);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        numtext::setUserLocale(german ? kGerman : QLocale::c());
        double v = -99.0;
        QCOMPARE(numtext::parse(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
        else
            QCOMPARE(v, -99.0); // a failed parse leaves the target alone
    }

    // A minus zero keeps its sign, as the general reader gives it.
    void minusZeroKeepsItsSign()
    {
        for (const QLocale &l : {QLocale::c(), kGerman}) {
            numtext::setUserLocale(l);
            for (const char *text : {"-0", "-0.0", "-000"}) {
                double v = 1.0;
                const QString t = localized(QString::fromLatin1(text), l != QLocale::c());
                QVERIFY(numtext::parse(t, &v));
                QCOMPARE(v, 0.0);
                QVERIFY2(std::signbit(v), qPrintable(t));
            }
        }
    }

    void textRoundTripsThroughParse()
    {
        for (const QLocale &l : {QLocale::c(), kGerman}) {
            numtext::setUserLocale(l);
            for (double v : {0.1, -1234.5678, 1e-10, 6.02214076e23, double(1.16f)}) {
                double back = 0;
                QVERIFY(numtext::parse(numtext::general(v, 15), &back));
                QCOMPARE(back, QString::number(v, 'g', 15).toDouble());
            }
        }
    }

    void variantNumbers_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("kind"); // 0 double, 1 text
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("asDouble");
        QTest::addColumn<qlonglong>("asInt");
        QTest::newRow("half to even down") << false << 0 << 2.5 << "" << true << 2.5 << 2LL;
        QTest::newRow("half to even up") << false << 0 << 3.5 << "" << true << 3.5 << 4LL;
        QTest::newRow("negative half") << false << 0 << -2.5 << "" << true << -2.5 << -2LL;
        QTest::newRow("out of range") << false << 0 << 1e300 << "" << true << 1e300 << 0LL;
        QTest::newRow("nan") << false << 0 << std::nan("") << "" << false << 0.0 << 0LL;
        QTest::newRow("text C") << false << 1 << 0.0 << "2.5" << true << 2.5 << 2LL;
        QTest::newRow("text de") << true << 1 << 0.0 << "2,5" << true << 2.5 << 2LL;
        QTest::newRow("text de with point") << true << 1 << 0.0 << "2.5" << false << 0.0 << 0LL;
        QTest::newRow("empty text") << false << 1 << 0.0 << "" << false << 0.0 << 0LL;
        QTest::newRow("letters") << false << 1 << 0.0 << "x1" << false << 0.0 << 0LL;
    }

    void variantNumbers()
    {
        QFETCH(bool, german);
        QFETCH(int, kind);
        QFETCH(double, number);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, asDouble);
        QFETCH(qlonglong, asInt);
        numtext::setUserLocale(german ? kGerman : QLocale::c());
        const Variant v = kind == 0 ? Variant(number) : Variant(text);
        QCOMPARE(v.isNumeric(), numeric);
        QCOMPARE(v.toDouble(), asDouble);
        QCOMPARE(v.toInt(), asInt);
        QCOMPARE(v.asNumber(), numeric ? asDouble : 0.0);
    }

    void variantTextAndKinds()
    {
        for (bool german : {false, true}) {
            numtext::setUserLocale(german ? kGerman : QLocale::c());
            CLibraryNumbers clib;
            QCOMPARE(Variant(0.1f).toString(), localized(QStringLiteral("0.1"), german));
            QCOMPARE(Variant(double(0.1f)).toString(), localized(QStringLiteral("0.100000001490116"), german));
            QCOMPARE(Variant(1.5e16).toString(), localized(QStringLiteral("1.5E+16"), german));
        }
        QCOMPARE(Variant(true).toString(), QStringLiteral("True"));
        QCOMPARE(Variant(false).toString(), QStringLiteral("False"));
        QCOMPARE(Variant(true).toDouble(), -1.0);
        QCOMPARE(Variant(-7).toString(), QStringLiteral("-7"));
        QVERIFY(Variant::null().toString().isEmpty());
        QVERIFY(Variant().toString().isEmpty());
        QVERIFY(!Variant::null().isNumeric());
        QVERIFY(!Variant().isNumeric());
        QCOMPARE(Variant().asNumber(), 0.0);
        QVERIFY(Variant("TRUE").toBool());
        QVERIFY(!Variant(" false ").toBool());
        QVERIFY(!Variant("abc").toBool());
        QVERIFY(Variant(0.5).toBool());
        QCOMPARE(Variant(0.1f).type(), Variant::Type::Single);
        QCOMPARE(Variant(0.1f).toFloat(), 0.1f);
    }

    void variantEquality_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("equal");
        // 0 Empty, 1 Null, 2 Int 1, 3 Double 1.0, 4 Single 1.0f, 5 text "1", 6 Bool true, 7 Double -1, 8 text "1" again
        QTest::newRow("int and double") << 2 << 3 << true;
        QTest::newRow("single and double") << 4 << 3 << true;
        QTest::newRow("text and number") << 5 << 2 << false;
        QTest::newRow("texts") << 5 << 8 << true;
        QTest::newRow("null and null") << 1 << 1 << true;
        QTest::newRow("empty and null") << 0 << 1 << false;
        QTest::newRow("null and zero text") << 1 << 5 << false;
        QTest::newRow("true is minus one") << 6 << 7 << true;
        QTest::newRow("true is not one") << 6 << 2 << false;
    }

    void variantEquality()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, equal);
        const Variant values[] = {Variant(), Variant::null(), Variant(1), Variant(1.0), Variant(1.0f),
                                  Variant("1"), Variant(true), Variant(-1.0), Variant(QStringLiteral("1"))};
        QCOMPARE(values[a] == values[b], equal);
        QCOMPARE(values[b] == values[a], equal);
        QCOMPARE(values[a] != values[b], !equal);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
