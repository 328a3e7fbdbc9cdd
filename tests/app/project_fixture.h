#pragma once

// Small project files made by the tests themselves, and item-by-item comparison of shared data.

#include "app/program_parameters.h"
#include "app/project_file.h"
#include "support/exec_sql.h"

#include <QFile>
#include <QSet>
#include <QString>
#include <QTest>

#include <functional>
#include <memory>

namespace fixture {

inline FieldType columnType(const FileItem &item)
{
    switch (item.type()) {
    case ItemType::D: return FieldType::Double;
    case ItemType::F: return FieldType::Single;
    case ItemType::I: return FieldType::Integer;
    case ItemType::B: return FieldType::Boolean;
    case ItemType::S: return FieldType::Text;
    case ItemType::V: break;
    }
    // As in the shipped templates: header texts in text columns, the window place in single columns, the print
    // switches in Boolean columns (each accepting Null); the valve's designation and coefficients take any value.
    if (item.table == QLatin1String("Ausdruck"))
        return FieldType::Text;
    if (item.column.startsWith(QLatin1String("Form")))
        return FieldType::Single;
    if (item.column.startsWith(QLatin1String("Druck")))
        return FieldType::Boolean;
    return FieldType::Variant;
}

// The item's value as a Variant, for snapshots and messages.
inline Variant valueOf(const SharedData &d, const FileItem &item)
{
    return std::visit([&](auto member) -> Variant { return Variant(d.*member); }, item.member);
}

inline std::vector<Variant> snapshot(const SharedData &d, const std::vector<FileItem> &items)
{
    std::vector<Variant> v;
    for (const FileItem &item : items)
        v.push_back(valueOf(d, item));
    return v;
}

// Writes tables of one record holding the items' values of `d`; `omit` leaves columns out of the schema.
inline void writeTables(Database &db, const std::vector<FileItem> &items, const SharedData &d,
                        const QSet<QString> &omit = {})
{
    QStringList tables;
    for (const FileItem &item : items)
        if (!tables.contains(item.table))
            tables << item.table;
    for (const QString &table : tables) {
        std::vector<FieldDef> fields;
        for (const FileItem &item : items)
            if (item.table == table && !omit.contains(item.column))
                fields.push_back(FieldDef{item.column, columnType(item)});
        db.createTable(table, fields);
        auto rs = db.openTable(table);
        rs->addNew();
        for (const FileItem &item : items)
            if (item.table == table && !omit.contains(item.column))
                rs->setField(item.column, fileitems::toColumn(d, item, db.path()));
        rs->update();
    }
}

// A default project file: the nine tables and the program parameters.
inline void createProject(const QString &path, const SharedData &d, const QSet<QString> &omit = {},
                          bool withParameters = true)
{
    auto db = Database::create(path);
    writeTables(*db, projectItems(), d, omit);
    if (withParameters)
        writeTables(*db, programParameterItems(), d, omit);
}

using testsupport::execSql;

inline QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Distinct values in every project item, with codes and unit indices that a load accepts.
inline std::unique_ptr<SharedData> sample()
{
    auto d = std::make_unique<SharedData>();
    int i = 0;
    for (const FileItem &item : projectItems()) {
        ++i;
        std::visit(
            [&](auto member) {
                auto &m = (*d).*member;
                using T = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<T, double>)
                    m = 1000.0 + i + 1.0 / 3.0;
                else if constexpr (std::is_same_v<T, bool>)
                    m = (i % 2 == 0);
                else if constexpr (std::is_same_v<T, QString>)
                    m = QStringLiteral("Text %1 äöüß").arg(i);
                else if constexpr (std::is_same_v<T, Variant>) {
                    if (item.table == QLatin1String("Ausdruck")) { // header texts: texts or Null
                        m = i % 2 ? Variant(QStringLiteral("Kopf %1 ä").arg(i)) : Variant::null();
                    } else {
                        switch (i % 4) {
                        case 0: m = Variant::null(); break;
                        case 1: m = Variant(i); break;
                        case 2: m = Variant(i + 0.25); break;
                        default: m = Variant(QStringLiteral("V%1 ß").arg(i)); break;
                        }
                    }
                }
            },
            item.member);
    }
    d->KvsCv = 0.1f;
    d->Reduktion = 12.3f;
    d->p1Unit = 3;
    d->p2Unit = 5;
    d->T1Unit = 1;
    d->Zustand = 1;
    d->QUnit = 4;
    d->KvUnit = 1;
    d->vUnit = 1;
    d->rhoUnit = 1;
    d->pUnit = 6;
    d->TUnit = 1;
    d->nueUnit = 1;
    d->Munit = 1;
    d->ZeitUnit = 2;
    d->DNunit = 1;
    d->Modus = 1;
    d->chkDNRohr = 2;
    d->DN1Rohr = QStringLiteral("2 1/2\"");
    d->DN2Rohr = QStringLiteral("3\"");
    d->Kennlinie = 2;
    d->Medium = 13;
    d->Ventiltyp = QStringLiteral("4651_72");
    d->Sprache = 5;
    d->Benutzername = QStringLiteral("Jana Nováková");
    d->KD_Version = 6417;
    d->FormTop = Variant(120.5f);
    d->FormLeft = Variant(-1.0f);
    d->FormHeight = Variant(8000.0f);
    d->DruckProzessdaten = Variant(true);
    d->DruckVentildaten = Variant(false);
    d->DruckStellverhältnis = Variant(true);
    d->DruckRohrleitung = Variant::null();
    d->DruckSchalldruck = Variant(false);
    d->DruckStoffdaten = Variant(true);
    return d;
}

// Names the first item in which two data sets differ, or an empty text.
inline QString firstDifference(const SharedData &a, const SharedData &b, const std::vector<FileItem> &items)
{
    for (const FileItem &item : items)
        if (!fileitems::equal(a, b, item))
            return QStringLiteral("%1: %2 (%3) against %4 (%5)")
                .arg(item.column, valueOf(a, item).toString())
                .arg(int(valueOf(a, item).type()))
                .arg(valueOf(b, item).toString())
                .arg(int(valueOf(b, item).type()));
    return QString();
}

inline QString firstChange(const SharedData &d, const std::vector<Variant> &before, const std::vector<FileItem> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Variant now = valueOf(d, items[i]);
        if (now.type() != before[i].type() || now != before[i])
            return items[i].column;
    }
    return QString();
}

} // namespace fixture
