#pragma once

#include "platform/core/variant.h"
#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <vector>

// The characteristic database as the sizing uses it: the work table "_aktuell" of candidate valves and the sizing
// sheet's nominal-size and Kvs lists. Every caller passes the shared values of the same names; the list builders
// write back the values they replace.

// Empties "_aktuell" of the shared dbKenndaten and copies into it, in the series table's index order, the rows that
// the options allow (with DNmin every row of the characteristic; with a given size and KvsOpt every row of that
// size; with both given the row of that size and Kvs); the last row of the series when none qualifies. One
// transaction: on a database error nothing changes and the DbError is passed on.
void update_Tabelle_aktuell(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit, float KvsCv,
                            int KvUnit, bool DNmin, bool KvsOpt);

// Refills the sheet's cmbDNVentil with the sizes of the characteristic (switching Kennlinie to the first row's
// when the series has none of it) and selects DNVentil, replacing it when the list lacks it. ListeDNbereit is False
// meanwhile, so the list's click handler stays quiet. A table that cannot be read leaves it False, its DbError in
// ListenFehler, and passes the error on.
void update_frmCalcSize_cmbDNVentil(Recordset &rsVentil, int &Kennlinie, QString &DNVentil, int DNunit);

// Refills the sheet's cmbKvsCv with the Kvs (or Cv) of the characteristic at the stored size and selects KvsCv,
// replacing it when the list lacks it. ListeKvsbereit is False meanwhile, and stays so on a DbError as above.
void update_frmCalcSize_cmbKvsCv(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit,
                                 float &KvsCv, int KvUnit);

namespace candidates {

// The twenty columns a candidate row carries into "_aktuell", in the order they are set.
const QStringList &workTableColumns();

// A recordset's current row in those columns: the work table's own, or a series table's.
class CandidateRow {
public:
    explicit CandidateRow(const Recordset &rs);
    // The values as stored.
    std::vector<Variant> read() const;
    // Each as its column's type holds it. A value the type cannot hold (a text in a number column) throws
    // TypeMismatch naming the table, the field and the value. The sizing's candidates and the flow sheet's valve
    // are read so from the series table, and both sheets tell such a row's fault alike.
    std::vector<Variant> readChecked() const;

private:
    template <class Read>
    std::vector<Variant> values(Read read) const;
    std::vector<FieldReader> fields_;
};

// Items of the two lists as the builders make them, without touching the sheet; the flow sheet's lists are the same.
// Each value they read is read checked (CandidateRow::readChecked): a text in a number column is no item but a
// TypeMismatch naming the table, the field and the value.
// A single-precision Kvs or Cv as the Kvs lists show it; a stored value is found in a list by this text.
QString kvsText(float value);
QStringList nominalSizeItems(Recordset &rsVentil, int &Kennlinie, int DNunit);
QStringList kvsItems(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit, int KvUnit);

// Re-selection of a stored value: the item equal to it as text; else the first item that is not smaller than it as
// a number (a nominal size by its millimetres, also for inch designations); else the last item. Returns the index
// chosen (-1 for an empty list) and replaces the stored value by the chosen item when it was not equal.
int reselectNominalSize(const QStringList &items, QString &DNVentil, int DNunit);
int reselectKvs(const QStringList &items, float &KvsCv);

} // namespace candidates
