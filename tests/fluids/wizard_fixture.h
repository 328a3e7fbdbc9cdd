#pragma once

// The fluid-data wizard inside the real main window and sheets, on the fixture fluid database: the project the
// program starts from, the opening through the medium menu, and readings of the wizard's state.

#include "fluid_fixture.h"

namespace wizardfixture {

using namespace fluidfixture;

// What the stored default project holds when the program starts (New), and the mode then chosen.
struct Start {
    int Modus = 0;
    double p1 = 10;
    int p1Unit = 0;
    double p2 = -1; // below 0: as the project holds it
    double T1 = 150;
    int T1Unit = 0;
    bool MIN = false;
    bool NORM = false;
    int Medium = 1;
    QString NameMedium = QStringLiteral("Wasser");
    QString FORMEL;
    int Zustand = 1;
    int pUnit = 0;
    int TUnit = 0;
    int Sprache = 0;
};

// Air from the menu at one operating point (water from the menu would hold T1 at its boiling point).
inline Start airAt(double p1, double T1, int Modus = 0)
{
    Start s;
    s.Medium = 0;
    s.NameMedium = QStringLiteral("Luft");
    s.Zustand = 0;
    s.p1 = p1;
    s.T1 = T1;
    s.Modus = Modus;
    return s;
}

// Methan handed over from the wizard before, as a gas.
inline Start wizardMethan(double p1 = 10, double T1 = 150, int Modus = 0)
{
    Start s = airAt(p1, T1, Modus);
    s.Medium = 5;
    s.NameMedium = QStringLiteral("Methan");
    s.FORMEL = QStringLiteral("CH4");
    s.Zustand = 2;
    return s;
}

// The data rows of a case run once on each sheet.
inline void onBothSheets()
{
    QTest::addColumn<int>("Modus");
    QTest::newRow("sizing sheet") << 0;
    QTest::newRow("flow sheet") << 1;
}

class WizardFixture : public fluidfixture::Fixture {
public:
    void beginCase(const Start &s = Start())
    {
        start([&](SharedData &d) {
            d.Sprache = s.Sprache;
            d.p1Min = d.p1Norm = d.p1Max = s.p1;
            if (s.p2 >= 0)
                d.p2Min = d.p2Norm = d.p2Max = s.p2;
            d.T1Min = d.T1Norm = d.T1Max = s.T1;
            d.p1Unit = s.p1Unit;
            d.T1Unit = s.T1Unit;
            d.MIN = s.MIN;
            d.NORM = s.NORM;
            d.Medium = s.Medium;
            d.NameMedium = s.NameMedium;
            d.FORMEL = s.FORMEL;
            d.Zustand = s.Zustand;
            d.pUnit = s.pUnit;
            d.TUnit = s.TUnit;
        });
        useStandardDatabase();
        if (s.Modus == 1)
            QVERIFY(choose(w->mnuFlow));
        ui.reset();
    }

    // The medium menu's entry; the scripted modal run returns at once and leaves the wizard open.
    frmStoffdatenAssistent &open()
    {
        choose(w->mnuStoffdatenAssistent);
        frmStoffdatenAssistent *wizard = frmStoffdatenAssistentInstance().ifLoaded();
        Q_ASSERT(wizard);
        return *wizard;
    }
};

inline QString flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// list, base fields, Übernahme shown, Bearbeiten, Löschen, berechnen, übernehmen (OK), Abbruch: "1 0 0 1 1 1 0 1".
inline QString states(const frmStoffdatenAssistent &w)
{
    const bool flags[] = {w.lstSubstanz.enabled(),   w.txtMol.enabled(),     w.cmdÜbernahme.visible(),
                          w.cmdBearbeiten.enabled(), w.cmdLöschen.enabled(), w.cmdCalc.enabled(),
                          w.cmdOK.enabled(),         w.cmdEsc.enabled()};
    QStringList out;
    for (bool b : flags)
        out << flag(b);
    return out.join(QLatin1Char(' '));
}

// The base-data fields: name, formula, M, Ts, Tc, pc, w.
inline QStringList baseData(const frmStoffdatenAssistent &w)
{
    return {w.txtMedium.text(), w.txtFormel.text(), w.txtMol.text(),     w.txtTs.text(),
            w.txtTkrit.text(),  w.txtpkrit.text(),  w.txtazFaktor.text()};
}

// The result rows shown, by their captions' controls: e.g. "rho Z ps nue".
inline QString shownRows(const frmStoffdatenAssistent &w)
{
    QStringList out;
    const std::pair<const Label *, const char *> rows[] = {
        {&w.bezRho, "rho"}, {&w.bezZ, "Z"}, {&w.bezpsat, "ps"}, {&w.beznue, "nue"}, {&w.bezgamma, "gamma"}};
    for (const auto &[caption, name] : rows) {
        if (caption->visible())
            out << QString::fromLatin1(name);
    }
    return out.join(QLatin1Char(' '));
}

// The user types a text into a field (replacing it) and moves on to another control.
inline void typeAndLeave(TextBox &field, const QString &text, Control &next)
{
    field.setFocus();
    field.selectAll();
    if (text.isEmpty())
        field.userBackspace();
    else
        field.userType(text);
    next.setFocus();
}

} // namespace wizardfixture
