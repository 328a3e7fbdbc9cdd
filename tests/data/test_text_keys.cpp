#include "platform/db/database.h"
#include "units/texts.h"

#include <algorithm>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <map>

// Every wording the program passes to getText as a literal must have a row in the generated language database,
// with a text in each of the six languages.
//
// A use is found by this pattern in src/**/*.cpp and src/**/*.h: the word getText (or one of the wrappers that
// pass their first argument to it: text, fail, reportMessage, fileFailureMessage), "(", optionally one of the
// wrappers QStringLiteral( QString::fromUtf8( QLatin1String( QString( u"..."_s, and then a string literal
// (prefix u8, u or L allowed); adjacent literals are joined as the compiler joins them. A first argument that is
// no literal (a variable, a call) is not a key and is skipped; its callers are expected to pass keys that have
// rows elsewhere (the valve-series names are checked on their own below).

namespace {

struct Place {
    QString file;
    int line = 0;
};

const QStringList languageColumns = {QStringLiteral("strings_deutsch"),     QStringLiteral("strings_englisch"),
                                   QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                                   QStringLiteral("strings_spanisch"),    QStringLiteral("strings_tschechisch")};

void skipBlanks(const QByteArray &t, qsizetype &i)
{
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r'))
        ++i;
}

void utf8(QByteArray &out, uint cp)
{
    const char32_t ch = char32_t(cp);
    out += QString::fromUcs4(&ch, 1).toUtf8();
}

// Reads one C++ string literal starting at t[i] (the opening quote); appends its bytes to out.
bool literal(const QByteArray &t, qsizetype &i, QByteArray &out)
{
    if (i >= t.size() || t[i] != '"')
        return false;
    ++i;
    while (i < t.size() && t[i] != '"') {
        if (t[i] == '\n')
            return false;
        if (t[i] != '\\') {
            out += t[i++];
            continue;
        }
        if (++i >= t.size())
            return false;
        const char c = t[i++];
        switch (c) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'u':
        case 'U': {
            const int n = c == 'u' ? 4 : 8;
            utf8(out, t.mid(i, n).toUInt(nullptr, 16));
            i += n;
            break;
        }
        case 'x': {
            qsizetype j = i;
            while (j < t.size() && isxdigit(static_cast<unsigned char>(t[j])))
                ++j;
            out += char(t.mid(i, j - i).toUInt(nullptr, 16));
            i = j;
            break;
        }
        default: out += c; break; // \" \\ \'
        }
    }
    if (i >= t.size())
        return false;
    ++i;
    return true;
}

bool skipPrefix(const QByteArray &t, qsizetype &i)
{
    for (const char *p : {"u8", "u", "L"}) {
        const QByteArray pb(p);
        if (t.mid(i, pb.size()) == pb && i + pb.size() < t.size() && t[i + pb.size()] == '"') {
            i += pb.size();
            return true;
        }
    }
    return true;
}

} // namespace

// The literal first arguments of getText (and its wrappers) in a source text, with their line numbers.
QList<std::pair<QString, int>> textKeys(const QByteArray &t)
{
    QList<std::pair<QString, int>> found;
    // getText itself, and the small wrappers of the recalculations that pass their first argument to it (a member
    // call such as s.text("…") is something else and is not read).
    for (const char *w : {"getText", "text", "fail", "reportMessage", "fileFailureMessage"}) {
        const QByteArray word(w);
        const bool wrapper = word != "getText";
        for (qsizetype pos = t.indexOf(word); pos >= 0; pos = t.indexOf(word, pos + 1)) {
            // A whole word only (not getTextColumn, not my_getText).
            if (pos > 0 && (isalnum(static_cast<unsigned char>(t[pos - 1])) || t[pos - 1] == '_'))
                continue;
            if (wrapper && pos > 0 && (t[pos - 1] == '.' || t[pos - 1] == '>'))
                continue;
            qsizetype i = pos + word.size();
            skipBlanks(t, i);
            if (i >= t.size() || t[i] != '(')
                continue;
            ++i;
            skipBlanks(t, i);
            for (const char *h : {"QStringLiteral", "QString::fromUtf8", "QLatin1String", "QString"}) {
                const QByteArray wb(h);
                qsizetype j = i + wb.size();
                if (t.mid(i, wb.size()) == wb && j < t.size()) {
                    skipBlanks(t, j);
                    if (j < t.size() && t[j] == '(') {
                        i = j + 1;
                        skipBlanks(t, i);
                        break;
                    }
                }
            }
            skipPrefix(t, i);
            QByteArray key;
            if (!literal(t, i, key))
                continue;
            for (;;) { // adjacent literals
                qsizetype j = i;
                skipBlanks(t, j);
                skipPrefix(t, j);
                if (j >= t.size() || t[j] != '"' || !literal(t, j, key))
                    break;
                i = j;
            }
            found.append({QString::fromUtf8(key), int(t.left(pos).count('\n')) + 1});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    return found;
}

class TestTextKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void scannerReadsEveryLiteralForm();
    void everyKeyHasAllLanguages_data();
    void everyKeyHasAllLanguages();

private:
    std::shared_ptr<Database> db_;
    std::unique_ptr<Recordset> rs_;
};

void TestTextKeys::initTestCase()
{
    const QString file = QStringLiteral(QUENDRA_SEED_DIR "/dbSprache.mdb");
    if (!QFileInfo::exists(file))
        QSKIP(qPrintable(QStringLiteral("the generated language database is missing: ") + file));
    db_ = Database::open(file, Database::Mode::ReadOnly);
    rs_ = db_->openTable(QStringLiteral("strings_sprache"));
    rs_->setIndex(QStringLiteral("PrimaryKey"));
}

void TestTextKeys::cleanupTestCase()
{
    rs_.reset();
    db_.reset();
}

void TestTextKeys::scannerReadsEveryLiteralForm()
{
    const QByteArray source = R"(
        a = getText(QStringLiteral("Eins"), Sprache);
        b = getText ( "Zwei", 1);
        c = getText(u"Drei"_s, SpracheDruck);
        d = getText(QString::fromUtf8("Vier \"zitiert\""), 0);
        e = getText(variable, 0);
        f = getText(QStringLiteral("Fünf: "
                                   "verbunden"), 0);
        g = my_getText("nicht"); h = getTextSpalte("nicht");
        QString getText(const QString &TextDeutsch, int Sprache);
        i = getText(u8"Sechs\u00e4", 0);
        j = text("Sieben"); fail(QStringLiteral("Acht"), box); reportMessage("Neun");
        k = s.text("Spalte"); l = p->fail("nicht"); m = context("nicht");
    )";
    const auto keys = textKeys(source);
    QStringList texts;
    for (const auto &[text, line] : keys)
        texts << text;
    QCOMPARE(texts, QStringList({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"),
                                 QStringLiteral("Vier \"zitiert\""), QStringLiteral("Fünf: verbunden"),
                                 QStringLiteral("Sechsä"), QStringLiteral("Sieben"), QStringLiteral("Acht"),
                                 QStringLiteral("Neun")}));
    QCOMPARE(keys[1].second, 3);
}

void TestTextKeys::everyKeyHasAllLanguages_data()
{
    QTest::addColumn<QString>("key");

    std::map<QString, Place> keys;
    const QString sources = QStringLiteral(QUENDRA_SOURCE_DIR "/src");
    QDirIterator it(sources, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        ++files;
        for (const auto &[text, line] : textKeys(f.readAll()))
            keys.try_emplace(text, Place{QDir(sources).relativeFilePath(path), line});
    }
    QVERIFY(files > 0);
    // Known uses prove that the scan reaches the sources at all.
    QVERIFY(keys.count(QStringLiteral("bar,ü.")));
    QVERIFY(keys.count(QStringLiteral("Die Datei kann nicht in den Datenordner kopiert werden:")));
    QVERIFY(keys.count(QStringLiteral("Mengenangabe unzulässig!"))); // through the validation's wrapper

    for (const auto &[code, name] : valveSeriesNames())
        keys.try_emplace(name, Place{QStringLiteral("valve series ") + code, 0});
    for (const char *always : {"ja", "nein"})
        keys.try_emplace(QString::fromUtf8(always), Place{QStringLiteral("yes/no results"), 0});

    for (const auto &[text, place] : keys)
        QTest::addRow("%s:%d %s", qPrintable(place.file), place.line, qPrintable(text)) << text;
}

void TestTextKeys::everyKeyHasAllLanguages()
{
    QFETCH(QString, key);
    QVERIFY2(rs_->seek(Variant(key)), "no row in data/texts/*.tsv");
    for (const QString &column : languageColumns)
        QVERIFY2(!rs_->field(column).toString().isEmpty(), qPrintable(column + QStringLiteral(" is empty")));
}

QTEST_GUILESS_MAIN(TestTextKeys)
#include "test_text_keys.moc"
