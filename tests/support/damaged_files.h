#pragma once

// Damage as a mutated or half-repaired database file carries it, for the tests of the damage checks.

#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

namespace damage {

// SQL that puts `second` on the pages of `first`: each then reads the other's rows, and a write to one overwrites
// the other.
inline QString sharedPagesSql(const QString &first, const QString &second)
{
    return QStringLiteral("PRAGMA writable_schema = ON; UPDATE sqlite_master SET rootpage = "
                          "(SELECT rootpage FROM sqlite_master WHERE name = '%1') WHERE name = '%2'")
        .arg(first, second);
}

// Grows the file by one page that no table, index or free list owns, as a header pointing past the data does.
inline void addOrphanPage(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QByteArray header = f.read(100);
    const int field = uchar(header[16]) << 8 | uchar(header[17]);
    const int pageSize = field == 1 ? 65536 : field;
    const quint32 pages = quint32(f.size() / pageSize) + 1;
    QVERIFY(f.resize(qint64(pages) * pageSize));
    const char count[4] = {char(pages >> 24), char(pages >> 16), char(pages >> 8), char(pages)};
    QVERIFY(f.seek(28)); // the page count in the header
    QCOMPARE(f.write(count, 4), qint64(4));
}

// Bytes no database starts with, the same on every run.
inline QByteArray randomBytes()
{
    QRandomGenerator generator(35);
    QByteArray bytes(8192, Qt::Uninitialized);
    for (char &b : bytes)
        b = static_cast<char>(generator.bounded(256));
    return bytes;
}

} // namespace damage
