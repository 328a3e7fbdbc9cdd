#pragma once

#include "platform/core/variant.h"
#include "platform/db/database.h"

#include <QString>
#include <memory>

// Every variable the program's windows, engine and files share, under the names the program has always used.
// Values stay in the user's current units; the unit indices say which.
struct SharedData {
    // --- Language and display
    int Sprache = 0;      // screen language: 0 de, 1 en, 2 fr, 3 it, 4 es, 5 cs
    int SpracheDruck = 0; // printout language

    // --- Valve series
    QString Ventiltyp;
    QString Bezeichnung; // designation of the user-defined valve "9999"

    // --- Medium
    double M = 0.0; // molar mass, kg/kmol

    // --- Open databases and tables
    std::shared_ptr<Database> dbSprache;
    std::shared_ptr<Recordset> rsSprache;
    std::shared_ptr<Database> dbKenndaten;
    std::shared_ptr<Recordset> rsVentil;
    std::shared_ptr<Database> dbSchalldaten;
};

// The one set of shared data of the running program.
SharedData &shared();
