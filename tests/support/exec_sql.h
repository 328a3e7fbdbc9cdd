#pragma once

// A statement run on a database file past the program's own layer, to plant what the program never writes
// itself (Null, texts in number columns, halves in integer columns, damaged records).

#include <QFile>
#include <QString>
#include <QTest>
#include <memory>
#include <sqlite3.h>

namespace testsupport {

inline void execSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK);
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(message));
}

// Another program holding the file in an exclusive transaction, as a second copy saving does; the transaction
// ends when the holder goes. Empty when the file could not be taken.
using HeldDatabase = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>;
inline HeldDatabase holdExclusively(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
        sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK)
        return HeldDatabase(db, &sqlite3_close);
    sqlite3_close(db);
    return HeldDatabase(nullptr, &sqlite3_close);
}

} // namespace testsupport
