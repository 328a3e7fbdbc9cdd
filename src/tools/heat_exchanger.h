#pragma once

#include "platform/core/variant.h"
#include "platform/forms/forms.h"
#include "reports/heat_exchanger_schematic.h"

#include <QImage>
#include <QSize>
#include <array>

// The steam heat exchanger: for up to three operating points (min, norm, max) the steam mass flow that a
// saturated-steam exchanger needs to heat a liquid, from the steam pressures before and after the valve and either
// the exchanger's power or the liquid's mass, heat capacity, temperature rise and heating time. Every value lives
// as the text of its field or label; change handlers keep the computed ones current. "Daten übernehmen" hands the
// operating points to the sizing sheet as a steam case; the print commands print the sheet with its drawing.
class frmWärmetauscher : public Form, public HeatExchangerSchematic {
public:
    frmWärmetauscher();

    Label lblKommentar{this, QStringLiteral("lblKommentar")};
    PictureBox Picture1{this, QStringLiteral("Picture1")};
    Label lblDampf{&Picture1, QStringLiteral("lblDampf")};
    Label lblKondensat{&Picture1, QStringLiteral("lblKondensat")};
    Line Line1{this, QStringLiteral("Line1")};
    Line Line2{this, QStringLiteral("Line2")};
    Line Line3{this, QStringLiteral("Line3")};
    Line Line4{this, QStringLiteral("Line4")};

    CheckBox chkMin{this, QStringLiteral("chkMin")};
    CheckBox chkNorm{this, QStringLiteral("chkNorm")};
    Label lblMax{this, QStringLiteral("lblMax")};

    Label lblP1{this, QStringLiteral("lblP1")};
    TextBox txtp1min{this, QStringLiteral("txtp1min")};
    TextBox txtp1norm{this, QStringLiteral("txtp1norm")};
    TextBox txtp1max{this, QStringLiteral("txtp1max")};
    ComboBox cmbP1unit{this, QStringLiteral("cmbP1unit")};

    Label lblP2{this, QStringLiteral("lblP2")};
    TextBox txtp2min{this, QStringLiteral("txtp2min")};
    TextBox txtp2norm{this, QStringLiteral("txtp2norm")};
    TextBox txtp2max{this, QStringLiteral("txtp2max")};
    ComboBox cmbP2unit{this, QStringLiteral("cmbP2unit")};

    Label lblT1{this, QStringLiteral("lblT1")};
    Label lblT1min{this, QStringLiteral("lblT1min")};
    Label lblT1norm{this, QStringLiteral("lblT1norm")};
    Label lblT1max{this, QStringLiteral("lblT1max")};
    ComboBox cmbT1unit{this, QStringLiteral("cmbT1unit")};

    Label lblMasse{this, QStringLiteral("lblMasse")};
    TextBox txtMmin{this, QStringLiteral("txtMmin")};
    TextBox txtMnorm{this, QStringLiteral("txtMnorm")};
    TextBox txtMmax{this, QStringLiteral("txtMmax")};
    ComboBox cmbMunit{this, QStringLiteral("cmbMunit")};

    Label lblWkapazität{this, QStringLiteral("lblWkapazität")};
    TextBox txtCpMax{this, QStringLiteral("txtCpMax")};
    Label lblCpUnit{this, QStringLiteral("lblCpUnit")};

    Label lblTempDifferenz{this, QStringLiteral("lblTempDifferenz")};
    TextBox txtDeltaTmin{this, QStringLiteral("txtDeltaTmin")};
    TextBox txtDeltaTnorm{this, QStringLiteral("txtDeltaTnorm")};
    TextBox txtDeltaTmax{this, QStringLiteral("txtDeltaTmax")};
    Label lblTunit{this, QStringLiteral("lblTunit")};

    Label lblAufheizzeit{this, QStringLiteral("lblAufheizzeit")};
    TextBox txtTaufheizMin{this, QStringLiteral("txtTaufheizMin")};
    TextBox txtTaufheizNorm{this, QStringLiteral("txtTaufheizNorm")};
    TextBox txtTaufheizMax{this, QStringLiteral("txtTaufheizMax")};
    ComboBox cmbZeitUnit{this, QStringLiteral("cmbZeitUnit")};

    Label lblVerdEnthalpie{this, QStringLiteral("lblVerdEnthalpie")};
    Label lblVerdEnthalpieMin{this, QStringLiteral("lblVerdEnthalpieMin")};
    Label lblVerdEnthalpieNorm{this, QStringLiteral("lblVerdEnthalpieNorm")};
    Label lblVerdEnthalpieMax{this, QStringLiteral("lblVerdEnthalpieMax")};
    Label lblRunit{this, QStringLiteral("lblRunit")};

    Frame frameWTLeistung{this, QStringLiteral("frameWTLeistung")};
    OptionButton optWTberechnet{&frameWTLeistung, QStringLiteral("optWTberechnet")};
    OptionButton optWTVorgabe{&frameWTLeistung, QStringLiteral("optWTVorgabe")};
    TextBox txtWTLeistungMin{this, QStringLiteral("txtWTLeistungMin")};
    TextBox txtWTLeistungNorm{this, QStringLiteral("txtWTLeistungNorm")};
    TextBox txtWTLeistungMax{this, QStringLiteral("txtWTLeistungMax")};
    Label lblWTLeistungUnit{this, QStringLiteral("lblWTLeistungUnit")};

    Label lblMassenstrom{this, QStringLiteral("lblMassenstrom")};
    Label lblQmin{this, QStringLiteral("lblQmin")};
    Label lblQnorm{this, QStringLiteral("lblQnorm")};
    Label lblQmax{this, QStringLiteral("lblQmax")};
    ComboBox cmbQunit{this, QStringLiteral("cmbQunit")};

    CommandButton cmdÜbernehmen{this, QStringLiteral("cmdÜbernehmen")};
    CommandButton cmdDruck{this, QStringLiteral("cmdDruck")};
    CommandButton cmdPDFDruck{this, QStringLiteral("cmdPDFDruck")};
    CommandButton cmdAbbruch{this, QStringLiteral("cmdAbbruch")};

    // The exchanger's power in kW from the liquid's mass (mUnit), heat capacity (kJ/(kg K)), temperature rise
    // (TUnit: a rise in °C is in K, in F in °F) and heating time (tUnit); 0 when the time is not above 0.
    // Arguments that are no number count as 0.
    static double P_WTauscher(const Variant &m, int mUnit, const Variant &cp, const Variant &dT, int TUnit,
                              const Variant &t, int tUnit);

    // The drawing of Picture1 and its size, for the printout.
    QImage schematicPicture() const override { return Picture1.picture(); }
    QSize schematicSizeTwips() const override { return QSize(Picture1.width(), Picture1.height()); }

    // The dialog's own state, for the tests.
    int wtP1Unit() const { return WT_p1Unit; }
    int wtP2Unit() const { return WT_p2Unit; }
    int wtTUnit() const { return WT_TUnit; }
    int wtMunit() const { return WT_Munit; }
    int wtZeitUnit() const { return WT_ZeitUnit; }
    int wtQUnit() const { return WT_QUnit; }
    bool wtBerechnet() const { return WT_Berechnet; }
    bool wtMin() const { return WT_MIN; }
    bool wtNorm() const { return WT_NORM; }

    // The picture file of Picture1 in the program folder.
    static QString pictureFileName();

protected:
    void Form_Load() override;

private:
    // The controls of one operating point.
    struct Spalte {
        TextBox &p1;
        TextBox &p2;
        Label &T1;
        TextBox &M;
        TextBox &DeltaT;
        TextBox &Taufheiz;
        Label &r;
        TextBox &P;
        Label &Q;
    };
    std::array<Spalte, 3> spalten();

    void chkMin_Click();
    void chkNorm_Click();
    void cmbP1unit_Click();
    void cmbP2unit_Click();
    void cmbT1unit_Click();
    void cmbMunit_Click();
    void cmbZeitUnit_Click();
    void cmbQunit_Click();

    // The handler families of a column (0 min, 1 norm, 2 max).
    void sattdampfTemperatur(int k);
    void verdampfungsEnthalpie(int k);
    void leistungAusEingabe(int k, const TextBox &geaendert);
    void dampfMassenstrom(int k);
    void leistungVorgegeben(int k);
    void txtCpMax_Change();
    void spaltenLeistung(int k);
    void optWTberechnet_Click();
    void optWTVorgabe_Click();

    void cmdAbbruch_Click();
    void cmdDruck_Click();
    void cmdPDFDruck_Click();
    void cmdÜbernehmen_Click();
    void druckvariablenFuellen();
    // The rule a field's entry must pass for its chain to compute.
    bool zulaessig(const TextBox &feld);
    bool uebernahmeMoeglich();
    // "Daten übernehmen" is enabled exactly while it would hand the shown columns over.
    void pruefeUebernahme();
    // Saturated steam exists at this pressure (a number in the unit given).
    static bool istSattdampfdruck(const QString &text, int einheit);
    bool spalteGezeigt(int k) const { return k == 2 || (k == 0 ? WT_MIN : WT_NORM); }
    // The first field of a shown column that holds a number no steam sizing case can have: a pressure without
    // saturated steam (outside the water and steam equations) or a number beyond any sensible size (the steam
    // flow counts for the field it follows from). Null when there is none.
    TextBox *unmoeglichesFeld();

    void zeigeSpalte(int k, bool sichtbar);
    void setzeEingabemodus(bool berechnet);

    int WT_p1Unit = 0;
    int WT_p2Unit = 0;
    int WT_TUnit = 0;
    int WT_Munit = 0;
    int WT_ZeitUnit = 0;
    int WT_QUnit = 0;
    bool WT_Berechnet = false;
    bool WT_MIN = false;
    bool WT_NORM = false;
};

// The dialog's one instance: created and loaded on first use, gone when it unloads.
DefaultInstance<frmWärmetauscher> &frmWärmetauscherInstance();
