#include "engine/candidate_table.h"

#include "engine/sizing_sheet_access.h"
#include "engine/user_valve.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/list_controls.h"
#include "state/shared_data.h"
#include "units/conversions.h"

#include <limits>

namespace {

// A field holding a number equal to the value; Null (a row without value) equals nothing.
bool fieldEquals(const Variant &field, long long value)
{
    return field.isNumeric() && field.toDouble() == static_cast<double>(value);
}

// Millimetres of a nominal size text in the given unit; 0 when it has none (an inch text missing from the table).
double nominalSizeMillimetres(const QString &text, int DNunit)
{
    const Variant mm = umrechnenDN(Variant(text.trimmed()), DNunit, 0);
    double value = 0.0;
    if (numtext::parse(mm.toString(), &value))
        return value;
    return 0.0;
}


// Fills a combo box and selects an item; the caller holds the list's ready flag False meanwhile.
void fillAndSelect(ComboBox *list, const QStringList &items, int index)
{
    if (!list)
        return;
    list->clear();
    for (const QString &item : items)
        list->addItem(item);
    if (index >= 0)
        list->setListIndex(index);
}

// Reads a list's items from the series table. A failure leaves the list not ready, and every sizing run skips
// until a refill succeeds: the failure is kept, so that each skipped run can say why.
template <class Read>
QStringList remembered(Read &&read)
{
    try {
        return read();
    } catch (const DbError &e) {
        shared().ListenFehler = e;
        throw;
    }
}

void listsReady()
{
    SharedData &s = shared();
    if (s.ListeDNbereit && s.ListeKvsbereit)
        s.ListenFehler.reset();
}

} // namespace

namespace candidates {

QString kvsText(float value)
{
    return numtext::general(static_cast<double>(value), 7);
}

const QStringList &workTableColumns()
{
    static const QStringList columns = {
        "DN",  "DN_Zoll", "Kennlinie", "Kvs", "Cv",  "Reduktion", "Stellverhältnis", "a0",  "a1",  "a2",
        "a3",  "a4",      "a5",        "aFL", "bFL", "cFL",       "axT",             "bxT", "cxT", "Schalldaten"};
    return columns;
}

CandidateRow::CandidateRow(const Recordset &rs)
{
    fields_.reserve(std::size_t(workTableColumns().size()));
    for (const QString &column : workTableColumns())
        fields_.emplace_back(rs, column);
}

template <class Read>
std::vector<Variant> CandidateRow::values(Read read) const
{
    std::vector<Variant> out;
    out.reserve(fields_.size());
    for (const FieldReader &field : fields_)
        out.push_back(read(field));
    return out;
}

std::vector<Variant> CandidateRow::read() const
{
    return values([](const FieldReader &field) { return field(); });
}

std::vector<Variant> CandidateRow::readChecked() const
{
    return values([](const FieldReader &field) { return field.checked(); });
}

QStringList nominalSizeItems(Recordset &rsVentil, int &Kennlinie, int DNunit)
{
    const FieldReader kennlinie(rsVentil, QStringLiteral("Kennlinie"));
    const FieldReader size(rsVentil, DNunit == 1 ? QStringLiteral("DN_Zoll") : QStringLiteral("DN"));
    bool found = false;
    rsVentil.moveFirst();
    while (!rsVentil.eof()) {
        if (fieldEquals(kennlinie.checked(), Kennlinie)) {
            found = true;
            break;
        }
        rsVentil.moveNext();
    }
    if (!found) {
        rsVentil.moveFirst();
        if (!rsVentil.eof())
            Kennlinie = static_cast<int>(kennlinie.checked().toInt());
    }

    QStringList items;
    bool first = true;
    QString previous;
    for (rsVentil.moveFirst(); !rsVentil.eof(); rsVentil.moveNext()) {
        if (!fieldEquals(kennlinie.checked(), Kennlinie))
            continue;
        const QString text = size.checked().toString();
        if (first || text != previous)
            items << text;
        previous = text;
        first = false;
    }
    return items;
}

QStringList kvsItems(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit, int KvUnit)
{
    const FieldReader kennlinie(rsVentil, QStringLiteral("Kennlinie"));
    const FieldReader size(rsVentil, DNunit == 1 ? QStringLiteral("DN_Zoll") : QStringLiteral("DN"));
    const FieldReader kvs(rsVentil, KvUnit == 1 ? QStringLiteral("Cv") : QStringLiteral("Kvs"));
    const QString wantedSize = DNunit == 1 ? DNVentil : DNVentil.trimmed();
    QStringList items;
    for (rsVentil.moveFirst(); !rsVentil.eof(); rsVentil.moveNext()) {
        if (!fieldEquals(kennlinie.checked(), Kennlinie))
            continue;
        const QString text = size.checked().toString();
        const bool sameSize = DNunit == 1 ? text == wantedSize : text.trimmed() == wantedSize;
        if (!sameSize)
            continue;
        items << kvsText(kvs.checked().toFloat());
    }
    return items;
}

namespace {

// Index of the item equal to the stored text, else the first not below the stored number, else the last.
template <typename NumberOf>
int reselect(const QStringList &items, const QString &storedText, double storedNumber, NumberOf numberOf)
{
    if (items.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i)
        if (items[i] == storedText)
            return i;
    for (int i = 0; i < items.size(); ++i)
        if (numberOf(items[i]) >= storedNumber)
            return i;
    return static_cast<int>(items.size()) - 1;
}

} // namespace

int reselectNominalSize(const QStringList &items, QString &DNVentil, int DNunit)
{
    const double stored = nominalSizeMillimetres(DNVentil, DNunit);
    const int index = reselect(items, DNVentil, stored,
                               [DNunit](const QString &item) { return nominalSizeMillimetres(item, DNunit); });
    if (index >= 0 && items[index] != DNVentil)
        DNVentil = items[index];
    return index;
}

int reselectKvs(const QStringList &items, float &KvsCv)
{
    const QString storedText = kvsText(KvsCv);
    const int index = reselect(items, storedText, static_cast<double>(KvsCv), [](const QString &item) {
        double value = 0.0;
        return numtext::parse(item, &value) ? value : -std::numeric_limits<double>::infinity();
    });
    if (index >= 0 && items[index] != storedText) {
        double value = 0.0;
        if (numtext::parse(items[index], &value))
            KvsCv = static_cast<float>(value);
    }
    return index;
}

} // namespace candidates

void update_Tabelle_aktuell(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit, float KvsCv,
                            int KvUnit, bool DNmin, bool KvsOpt)
{
    SharedData &s = shared();
    if (!s.dbKenndaten)
        return;
    Database &db = *s.dbKenndaten;
    const QStringList &columns = candidates::workTableColumns();

    // Only what the options ask for is converted; an unknown size or coefficient compares as 0 and finds no row.
    long long sizeMm = 0;
    double kvs = 0.0;
    if (!DNmin) {
        sizeMm = umrechnenDN(Variant(DNVentil), DNunit, 0).toInt();
        if (!KvsOpt)
            kvs = umrechnenKvsCvTabelle(Variant(KvsCv), KvUnit, 0).asNumber();
    }

    const FieldReader kennlinie(rsVentil, QStringLiteral("Kennlinie"));
    const FieldReader size(rsVentil, QStringLiteral("DN"));
    const FieldReader rowKvs(rsVentil, QStringLiteral("Kvs"));
    auto isCandidate = [&]() {
        if (!fieldEquals(kennlinie(), Kennlinie))
            return false;
        if (DNmin)
            return true;
        if (!fieldEquals(size(), sizeMm))
            return false;
        if (KvsOpt)
            return true;
        const Variant value = rowKvs();
        return value.isNumeric() && value.toDouble() == kvs;
    };
    using RowValues = std::vector<Variant>;
    std::vector<RowValues> wanted;
    // A value the work table could not take is told here already, naming the series table, where it can be mended.
    // So is a user-defined valve its dialog would not store: it is computed with no more than it is saved with.
    const candidates::CandidateRow series(rsVentil);
    auto take = [&] {
        wanted.push_back(series.readChecked());
        requireStorableUserValve(rsVentil, db.path());
    };
    for (rsVentil.moveFirst(); !rsVentil.eof(); rsVentil.moveNext())
        if (isCandidate())
            take();
    if (wanted.empty()) {
        rsVentil.moveLast();
        if (!rsVentil.eof() && !rsVentil.bof())
            take();
    }

    // A table that already holds exactly these rows is left as it is: most runs repeat the last request, and a
    // commit costs a flush to disk each time.
    {
        std::unique_ptr<Recordset> work = db.openTable("_aktuell");
        const candidates::CandidateRow held(*work);
        std::vector<RowValues> present;
        for (work->moveFirst(); !work->eof(); work->moveNext())
            present.push_back(held.read());
        work->close();
        if (present == wanted)
            return;
    }

    // The work table is rebuilt as a whole or not at all. Its commit need not wait for the disk: the write-ahead
    // log keeps it atomic and the catalogue intact even when the program is killed, and a rebuild that a power
    // failure took back is made again by the next run, which compares the table with its request.
    db.useWriteAheadLog();
    db.beginTransaction(Database::Durability::Deferred);
    try {
        db.clearTable("_aktuell");
        std::unique_ptr<Recordset> work = db.openTable("_aktuell");
        std::vector<int> positions;
        if (!wanted.empty())
            for (const QString &column : columns)
                positions.push_back(work->fieldIndex(column));
        for (const RowValues &row : wanted) {
            work->addNew();
            for (std::size_t i = 0; i < positions.size(); ++i) {
                try {
                    work->setField(positions[i], row[i]);
                } catch (const DbError &e) {
                    if (e.kind() != DbError::Kind::TypeMismatch)
                        throw;
                    // The value is the series table's: that is the table to name, where it can be mended.
                    throw DbError(e.kind(), e.file(), rsVentil.table(),
                                  QStringLiteral("the field \"%1\" holds \"%2\"").arg(e.column(), e.value()))
                        .inColumn(e.column())
                        .withValue(e.fault(), e.value());
                }
            }
            work->update();
        }
        work->close();
        db.commit();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

void update_frmCalcSize_cmbDNVentil(Recordset &rsVentil, int &Kennlinie, QString &DNVentil, int DNunit)
{
    SharedData &s = shared();
    s.ListeDNbereit = false;
    SizingSheetAccess *sheet = activeSizingSheet();
    ComboBox *list = sheet ? sheet->cmbDNVentil : nullptr;
    if (list)
        list->clear();
    const QStringList items = remembered([&] { return candidates::nominalSizeItems(rsVentil, Kennlinie, DNunit); });
    const int index = candidates::reselectNominalSize(items, DNVentil, DNunit);
    fillAndSelect(list, items, index);
    s.ListeDNbereit = true;
    listsReady();
}

void update_frmCalcSize_cmbKvsCv(Recordset &rsVentil, int Kennlinie, const QString &DNVentil, int DNunit,
                                 float &KvsCv, int KvUnit)
{
    SharedData &s = shared();
    s.ListeKvsbereit = false;
    SizingSheetAccess *sheet = activeSizingSheet();
    ComboBox *list = sheet ? sheet->cmbKvsCv : nullptr;
    if (list)
        list->clear();
    const QStringList items =
        remembered([&] { return candidates::kvsItems(rsVentil, Kennlinie, DNVentil, DNunit, KvUnit); });
    const int index = candidates::reselectKvs(items, KvsCv);
    fillAndSelect(list, items, index);
    s.ListeKvsbereit = true;
    listsReady();
}
