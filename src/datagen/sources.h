#pragma once

#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <vector>

// Reading the text sources of data/ and writing them as database files. The formats are described in
// data/README.md. Every function returns false with a message naming file and line (and column) on failure.
namespace datagen {

struct TextRow {
    QString key;
    QStringList texts; // de, en, fr, it, es, cs
    QString where;     // "file:line"
};

struct TableSource {
    QString name;
    QString file;
    std::vector<FieldDef> fields;
    std::vector<std::vector<Variant>> rows; // in file order
};

struct IndexSource {
    QString table;
    QString name;
    QStringList columns;
    bool unique = false;
};

struct DatabaseSource {
    QString fileName; // e.g. "dbKenndaten.mdb"
    std::vector<TableSource> tables;
    std::vector<IndexSource> indexes;
};

// The language columns of the text table, in the order of the TSV columns after the key.
const QStringList &languageColumns();

// Reads the TSV files (in the given order) into rows; a key defined twice is an error naming both places.
bool readTexts(const QStringList &files, std::vector<TextRow> *rows, QString *error);
DatabaseSource textDatabase(const std::vector<TextRow> &rows);

// Reads one CSV file as a table named after the file.
bool readTable(const QString &csvFile, TableSource *table, QString *error);
// Reads an indexes.txt against the tables it refers to.
bool readIndexes(const QString &file, const std::vector<TableSource> &tables, std::vector<IndexSource> *indexes,
                 QString *error);
// Reads a folder <FileName>/ with its *.csv tables (in name order) and optional indexes.txt.
bool readDatabaseFolder(const QString &folder, DatabaseSource *db, QString *error);

// Writes the database file under a temporary name, then renames it over `target`; a failure leaves no file.
bool writeDatabase(const DatabaseSource &db, const QString &target, QString *error);

// Writes a plain file complete under a temporary name, then renames it over `target`.
bool writePlainFile(const QByteArray &bytes, const QString &target, QString *error);

// The whole build: texts to the seed's "dbSprache.mdb", data/seed/* to seedDir, data/program/* to programDir
// (each folder a database file, each plain file copied unchanged). `written` receives the paths of the files
// written.
bool generateAll(const QString &dataDir, const QString &seedDir, const QString &programDir, QStringList *written,
                 QString *error);

} // namespace datagen
