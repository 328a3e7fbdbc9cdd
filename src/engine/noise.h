#pragma once

#include "platform/core/variant.h"

#include <QString>

// Expected A-weighted sound pressure level of one operating point (VDMA 24422, 1979). Each returns the level LA as
// a whole number of dB(A), or the text "N/A" when the point lies outside the estimate's range; the correction and
// the expected level go to DLA and LAEff as texts (" " and "N/A" outside the range).

// Liquids. Reads the valve's correction polynomial and cavitation coefficient zy from the noise table named
// Schalldaten in the shared noise database; zy and xF (at most 1) are written also when the estimate is not valid.
// A missing database, table or value makes the estimate not valid and zy 0; tableMissing (when given) then says
// so, since a table may hold a z of 0 itself.
Variant calcSchallFluessig(const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit, const Variant &Kv,
                           int KvUnit, const Variant &rho, int rhoUnit, const Variant &pv, int pUnit, const Variant &w2,
                           int vUnit, const QString &Ventiltyp, const Variant &Schalldaten, QString &DLA,
                           QString &LAEff, double &zy, double &xF, bool *tableMissing = nullptr);

// Gases and steam; real gases (Zustand 2) take their norm density from the molar mass (steam's own, else the
// shared M). For a liquid (Zustand 1) it returns an empty Variant and leaves DLA and LAEff as they are.
Variant calcSchallGas(const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit, const Variant &T1,
                      int T1Unit, const Variant &Kv, int KvUnit, const Variant &rhoN, int rhoUnit, const Variant &w2,
                      int vUnit, int Zustand, int Medium, const QString &Ventiltyp, QString &DLA, QString &LAEff);
