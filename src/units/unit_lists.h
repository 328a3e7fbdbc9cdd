#pragma once

#include "platform/core/variant.h"

#include <QString>

// Names of the units at a unit index, as the unit choosers and printouts show them.
QString EinheitDruck(const Variant &Index);
QString EinheitTemperatur(const Variant &Index);
QString EinheitDurchflussGas(const Variant &Index);
QString EinheitDurchflussFluessig(const Variant &Index);
QString EinheitMassenstrom(const Variant &Index);
QString EinheitMasse(const Variant &Index);
QString EinheitZeit(const Variant &Index);
QString EinheitDichte(const Variant &Index);
QString EinheitViskositaet(const Variant &Index);
QString EinheitGeschwindigkeit(const Variant &Index);
QString EinheitKvs(const Variant &Index);
QString EinheitKv(const Variant &Index);
QString EinheitLaenge(const Variant &Index);
