#pragma once

#include "platform/core/variant.h"
#include "platform/db/database.h"

#include <QString>
#include <memory>
#include <optional>

// Every variable the program's windows, engine and files share, under the names the program has always used.
// Values stay in the user's current units; the unit indices say which.
//
// Types follow the project file: D double, F float (single precision, found again by exact equality), I int
// (16 bits on file), B bool, S QString, V Variant (may hold Empty, Null, a number, a text or a Boolean).
// Operating-point triples end in Min, Norm, Max. Non-ASCII names keep their umlauts (UTF-8 source).
// The items marked [project] are the 134 values that project files save and restore, in file order.
struct SharedData {
    // --- Language and display (program parameters, except SpracheDruck)
    int Sprache = 0;      // screen language: 0 de, 1 en, 2 fr, 3 it, 4 es, 5 cs
    int SpracheDruck = 0; // printout language, set from Sprache each time a print dialog opens; never stored
    int KD_Version = 0;   // display variant: 0 normal, 1 partner branding, 6417 extended display
    QString Benutzername = QStringLiteral("0"); // user name of the printout footer; "0": never asked

    // --- Main window place at the last exit, twips (single-precision numbers; Null when unknown)
    Variant FormTop;
    Variant FormLeft;
    Variant FormHeight;

    // --- Printout section switches (Booleans held in variants; stored with the program parameters)
    Variant DruckProzessdaten;
    Variant DruckVentildaten;
    Variant DruckStellverhältnis;
    Variant DruckRohrleitung;
    Variant DruckSchalldruck;
    Variant DruckStoffdaten;
    Variant DruckKenndaten = Variant(false); // extended characteristic data; not stored, False after start-up

    // --- Current project file: folder (no trailing separator) and base name (no ".vls")
    QString DatenPfad;
    QString DateiName;

    // --- Printers found at start-up (device names)
    QString StandardDrucker;
    QString PDFDrucker;
    bool PDFDruckerVorhanden = false;

    // --- Flags of the running program
    bool StoffdatenAktuell = true; // data of a wizard medium (Medium 5, 6) are current
    // The wizard's last hand-over computed the min (norm) column; without it that column holds the max column's data.
    bool StoffdatenMin = true;
    bool StoffdatenNorm = true;
    bool bLadenCalcSize = false;   // the sizing sheet's Load handler is running
    bool bLadenCalcFlow = false;   // the flow sheet's Load handler is running (cleared before its last recalculation)
    bool ListeDNbereit = false;    // the sizing sheet's nominal-size list is filled
    bool ListeKvsbereit = false;   // the sizing sheet's Kvs list is filled
    // Why a refill of one of those two lists failed (it then stays not ready); empty once both are filled again. On
    // the flow sheet: why its last refill of the valve lists failed; every run says so until a refill succeeds.
    std::optional<DbError> ListenFehler;

    // ===== [project] "Ausdruck": printout header texts (V)
    Variant TextInfo;
    Variant TextFirma;
    Variant TextBetrifft;
    Variant TextPosition;
    Variant TextMStelle;

    // ===== [project] "Betriebsdaten" (D): p1 in p1Unit, p2 in p2Unit, T1 in T1Unit, Q and Q100 in QUnit
    double p1Min = 0.0, p2Min = 0.0, p1Norm = 0.0, p2Norm = 0.0, p1Max = 0.0, p2Max = 0.0;
    double T1Min = 0.0, T1Norm = 0.0, T1Max = 0.0;
    double QMin = 0.0, QNorm = 0.0, QMax = 0.0;
    double Q100 = 0.0; // flow of the chosen valve at full opening
    double XMin = 0.0, XNorm = 0.0, XMax = 0.0;    // pressure-drop ratio x
    double xFMin = 0.0, xFNorm = 0.0, xFMax = 0.0; // differential-pressure ratio xF of liquids

    // ===== [project] "Einheiten" (I): unit indices
    int p1Unit = 0;   // pressures: 0 bar,abs. 1 bar,ü. 2 psia 3 psig 4 MPa,abs. 5 MPa,ü. 6 kPa,abs. 7 kPa,ü.
    int p2Unit = 0;
    int T1Unit = 0;   // 0 °C, 1 F
    int QUnit = 0;    // flow; its list depends on Zustand (gas 0..4, liquid 0..5, steam 0..1)
    int KvUnit = 0;   // 0 Kvs, 1 Cv
    int vUnit = 0;    // 0 m/s, 1 ft./sec.
    int rhoUnit = 0;  // 0 kg/m3, 1 lb./cu.ft.
    int pUnit = 0;    // vapour and critical pressure, as p1Unit
    int TUnit = 0;    // critical and reference temperature, as T1Unit
    int nueUnit = 0;  // 0 mm²/s, 1 mPas
    int Munit = 0;    // 0 kg, 1 lb.
    int ZeitUnit = 0; // 0 sec., 1 min., 2 h
    int DNunit = 0;   // 0 mm, 1 inch

    // ===== [project] "Parameter"
    int Modus = 0;       // 0 sizing sheet, 1 flow sheet
    bool MIN = false;    // minimum column active
    bool NORM = false;   // normal column active
    bool DNmin = true;   // valve size computed ("Minimal") or given ("Vorgabe")
    int chkDNRohr = 0;   // pipe size: 0 that of the valve, 1 proposed, 2 given
    bool KvsOpt = true;  // Kvs computed ("Optimiert") or given ("Vorgabe")
    bool WTcalc = false; // heat-exchanger power computed (true) or given

    // ===== [project] "Rohrdaten"
    QString DN1Rohr; // inlet pipe nominal size, text in DNunit
    QString DN2Rohr; // outlet pipe nominal size
    double v1Min = 0.0, v1Norm = 0.0, v1Max = 0.0; // velocity in the inlet pipe, vUnit
    double v2Min = 0.0, v2Norm = 0.0, v2Max = 0.0; // velocity in the outlet pipe

    // ===== [project] "Schalldaten" (S): noise results as shown ("N/A" and " " outside the estimate's range)
    QString LAMin, LANorm, LAMax;
    QString DLAMin, DLANorm, DLAMax;
    QString LAEffMin, LAEffNorm, LAEffMax;

    // ===== [project] "Stoffdaten": the medium
    int Medium = 1;     // 0 air, 1 water, 2 steam, 3 ideal gas, 4 liquid, 5/6 wizard gas/liquid, 10..13 paper stock
    QString NameMedium;
    QString FORMEL;     // formula of a wizard substance
    int Zustand = 1;    // 0 ideal gas, 1 liquid, 2 real gas or steam
    double rho1Min = 0.0, rho1Norm = 0.0, rho1Max = 0.0; // inlet density, rhoUnit
    double rhoN = 0.0;                                    // standard density of a gas, rhoUnit

    double M = 0.0; // molar mass, kg/kmol
    double gammaMin = 0.0, gammaNorm = 0.0, gammaMax = 0.0; // isentropic exponent
    double psatMin = 0.0, psatNorm = 0.0, psatMax = 0.0;    // vapour pressure, pUnit
    double pkrit = 0.0;                                     // critical pressure, pUnit
    double Tkrit = 0.0;                                     // critical temperature, TUnit
    double nueMin = 0.0, nueNorm = 0.0, nueMax = 0.0;       // viscosity, nueUnit
    double CpMax = 0.0; // specific heat capacity of the heated liquid, kJ/(kg K)

    // ===== [project] "Ventildaten": the valve and its results
    QString Ventiltyp;  // valve series key ("4627_71", …; "9999" the user-defined valve)
    QString DNVentil;   // valve nominal size, text in DNunit
    int Kennlinie = 1;  // 0 (mod.) linear, 1 equal percentage, 2 on/off
    float KvsCv = 0.0f; // Kvs (Cv when KvUnit is 1) of the chosen valve
    float Reduktion = 0.0f; // reduction of the chosen valve, percent
    double Kvmin = 0.0, Kvnorm = 0.0, Kvmax = 0.0; // required flow coefficient, KvUnit
    double Stellverhältnis = 0.0;                  // inherent rangeability of the chosen valve
    double StellverhältnisMin = 0.0, StellverhältnisNorm = 0.0, StellverhältnisMax = 0.0; // required rangeability
    double yMin = 0.0, yNorm = 0.0, yMax = 0.0;    // opening, fraction 0..1
    double FLMin = 0.0, FLNorm = 0.0, FLMax = 0.0; // liquid pressure recovery factor
    double XTMin = 0.0, XTNorm = 0.0, XTMax = 0.0; // pressure differential ratio factor xT
    bool ChokedFlowMin = false, ChokedFlowNorm = false, ChokedFlowMax = false;
    double zyMin = 0.0, zyNorm = 0.0, zyMax = 0.0; // cavitation coefficient z
    Variant Bezeichnung; // designation of the user-defined valve "9999" (a text, or Null)
    // Curve coefficients of the chosen row (Empty when no row was read): Kv/Kvs = A0 + A1 y + … + A5 y^5,
    // FL = AFL + BFL y + CFL y², xT = AxT + BxT y + CxT y²
    Variant A0, A1, A2, A3, A4, A5;
    Variant AFL, BFL, CFL;
    Variant AxT, BxT, CxT;

    // ===== [project] "Wärmetauscher" (D): heat-exchanger inputs
    double Mmin = 0.0, Mnorm = 0.0, Mmax = 0.0;                         // mass of the heated liquid, Munit
    double DeltaTMin = 0.0, DeltaTNorm = 0.0, DeltaTMax = 0.0;          // temperature rise
    double TaufheizMin = 0.0, TaufheizNorm = 0.0, TaufheizMax = 0.0;    // heating time, ZeitUnit
    double WTLeistungMin = 0.0, WTLeistungNorm = 0.0, WTLeistungMax = 0.0; // power, kW
    // ===== end of the project items

    // --- Results and state not kept in project files
    bool KavitationMin = false, KavitationNorm = false, KavitationMax = false; // xF > z
    // The valve's noise table is missing or unreadable: z, and with it cavitation, are unknown ("N/A"), whatever
    // zy and Kavitation hold. Set by every liquid run.
    bool SchalltabelleFehltMin = false, SchalltabelleFehltNorm = false, SchalltabelleFehltMax = false;
    double DurchflussreserveMin = 0.15; // flow-reserve threshold, set at every sizing run
    int TBezugFlüssigkeit = 0;          // reference temperature of a liquid from the list, TUnit

    // --- Heat-exchanger print variables: texts of the heat-exchanger window's fields, its unit indices
    bool WTDruck_MIN = false, WTDruck_NORM = false;
    Variant WTDruck_p1Min, WTDruck_p1Norm, WTDruck_p1Max;
    int WTDruck_p1Unit = 0;
    Variant WTDruck_p2Min, WTDruck_p2Norm, WTDruck_p2Max;
    int WTDruck_p2Unit = 0;
    Variant WTDruck_T1Min, WTDruck_T1Norm, WTDruck_T1Max;
    int WTDruck_T1Unit = 0; // also the unit of the temperature rise
    Variant WTDruck_Mmin, WTDruck_Mnorm, WTDruck_Mmax;
    int WTDruck_Munit = 0;
    Variant WTDruck_Cp;
    Variant WTDruck_DeltaTMin, WTDruck_DeltaTNorm, WTDruck_DeltaTMax;
    Variant WTDruck_TaufheizMin, WTDruck_TaufheizNorm, WTDruck_TaufheizMax;
    int WTDruck_ZeitUnit = 0;
    Variant WTDruck_rMin, WTDruck_rNorm, WTDruck_rMax;
    Variant WTDruck_WTLeistungMin, WTDruck_WTLeistungNorm, WTDruck_WTLeistungMax;
    Variant WTDruck_QMin, WTDruck_QNorm, WTDruck_QMax;
    int WTDruck_QUnit = 0;
    Variant WTDruck_WTcalc; // Boolean; Empty counts as False

    // --- Open databases and tables
    std::shared_ptr<Database> dbSprache;
    std::shared_ptr<Recordset> rsSprache;
    std::shared_ptr<Database> dbKenndaten;
    std::shared_ptr<Recordset> rsVentil;
    std::shared_ptr<Database> dbSchalldaten;
};

// The one set of shared data of the running program.
SharedData &shared();
