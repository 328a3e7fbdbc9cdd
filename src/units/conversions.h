#pragma once

#include "platform/core/variant.h"

// Unit conversions of every process quantity. Each takes the value, the unit index it is in and the wanted unit
// index (flow and viscosity also a density with its unit). None raises an error: a non-numeric value gives 0
// (the three functions returning double) or an empty Variant (the others). Pressures and flows are rounded to four
// significant digits whenever the result differs from the value.
double umrechnenDruck(const Variant &Wert, int EinheitVon, int EinheitNach);
// A pressure of the pressure list in bar absolute, exactly: neither rounded nor clamped at 0, so that a check
// sees a negative absolute pressure typed in a gauge unit; not a number for an index outside the list.
double absoluterDruckBar(double Wert, int Einheit);
// Whether a pressure of the pressure list is full vacuum, 0 bar abs., to the four significant digits the program shows
// and converts with: -14.70 or -14.7 psig is, -14.71 is not. umrechnenDruck converts it as full vacuum.
bool istVakuum(double Wert, int Einheit);
double umrechnenTemperatur(const Variant &Wert, int EinheitVon, int EinheitNach);
double umrechnenTemperaturDifferenz(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenDurchflussGas(const Variant &Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit,
                               int EinheitNach);
Variant umrechnenDurchflussFluessig(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                                    int EinheitNach);
Variant umrechnenMassenstrom(const Variant &Wert, int EinheitVon, int EinheitNach);
// The numbers those three results read as (their asNumber()), without making the four-digit text.
double durchflussGasZahl(const Variant &Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit, int EinheitNach);
double durchflussFluessigZahl(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                              int EinheitNach);
double massenstromZahl(const Variant &Wert, int EinheitVon, int EinheitNach);
// The same numbers before their four-digit rounding (0 where those give no number): for a caller that solves for a
// flow given in its unit, to whom a rounded flow is a staircase.
double durchflussGasUngerundet(double Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit, int EinheitNach);
double durchflussFluessigUngerundet(double Wert, int EinheitVon, const Variant &Rho, int RhoEinheit, int EinheitNach);
double massenstromUngerundet(double Wert, int EinheitVon, int EinheitNach);
Variant umrechnenMasse(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenZeit(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenDichte(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenDN(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenKvCv(const Variant &Wert, int EinheitVon, int EinheitNach);
// Looks the coefficient up in the open table of the chosen valve series (shared rsVentil) instead of a factor.
Variant umrechnenKvsCvTabelle(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenGeschwindigkeit(const Variant &Wert, int EinheitVon, int EinheitNach);
Variant umrechnenViskositaet(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                             int EinheitNach);
// The numbers the density, flow-coefficient and viscosity results read as (their asNumber()), without a Variant.
double dichteZahl(const Variant &Wert, int EinheitVon, int EinheitNach);
double kvCvZahl(const Variant &Wert, int EinheitVon, int EinheitNach);
double viskositaetZahl(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit, int EinheitNach);
// The flow-unit index that replaces EinheitIndex when the fluid state changes; empty where no mapping exists.
Variant umrechnenEinheitIndexDurchfluss(int ZustandAlt, int ZustandNeu, int EinheitIndex);
