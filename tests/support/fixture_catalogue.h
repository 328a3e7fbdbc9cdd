#pragma once

// Small characteristic and noise databases that tests and benchmarks write themselves, and the opening of a
// valve series as the main window opens it.

#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace testsupport {

inline const std::array<double, 6> kEqualPercentage = {0.02, 0.1, 0.3, 0.58, 0, 0};
inline const std::array<double, 6> kLinear = {0, 1, 0, 0, 0, 0};

// One row of a valve series, with every column the recalculations and the sheets read; Cv is 1.16 Kvs.
struct CatalogueRow {
    int DN = 0;
    QString inch; // DN_Zoll, written as it stands
    int Kennlinie = 1;
    float Kvs = 0;
    float Reduktion = 0;
    double Stellverhaeltnis = 50;
    std::array<double, 6> a = kEqualPercentage;
    std::array<double, 3> fl = {0.9, 0, 0};
    std::array<double, 3> xt = {0.7, 0, 0};
    QString Schalldaten = QStringLiteral("S1");
};

// The inch text of a nominal size ("1 1/2\"" for 40); empty for a size without one.
QString inchText(int DN);

// Creates the series table with its rows in one transaction. A series gets the index of its own name on DN and
// Kvs; a work table (name starting with "_") gets none, as in the shipped catalogue. The columns named in `without`
// are left out, as a hand-edited catalogue may lack them (and the index then leaves them out too).
void writeValveSeries(Database &db, const QString &table, const std::vector<CatalogueRow> &rows,
                      const QStringList &without = {});

// KKV, LA0 … LA5, ZZY.
using NoiseRow = std::array<double, 8>;

void writeNoiseTable(Database &db, const QString &table, const std::vector<NoiseRow> &rows);
// Three rows whose level falls with KKV and whose z falls from 0.6 to 0.4.
std::vector<NoiseRow> slopedNoiseRows();
// Three rows (KKV 1, 100, 1000) of level -2 dB and the one z given.
std::vector<NoiseRow> flatNoiseRows(double zzy);

// A new characteristic database at path holding one series.
std::shared_ptr<Database> createCatalogue(const QString &path, const QString &table,
                                          const std::vector<CatalogueRow> &rows);
// A new noise database at path holding the table "S1".
std::shared_ptr<Database> createNoiseDatabase(const QString &path, const std::vector<NoiseRow> &rows);

// dbKenndaten.mdb with the series and dbSchalldaten.mdb with "S1" in folder, installed in the shared data with
// the series opened as the current one.
void installCatalogue(const QString &folder, const QString &table, const std::vector<CatalogueRow> &series,
                      const std::vector<NoiseRow> &noise);

// Makes `key` the current series (Ventiltyp, rsVentil), ordered by its index where it has one.
void openSeries(const QString &key);

// A QTemporaryDir template: memory-backed storage where there is one (the suites create many small databases,
// and each commit would otherwise wait for the disk), else the system's temporary folder.
QString scratchTemplate(const QString &prefix, bool memory = true);

} // namespace testsupport
