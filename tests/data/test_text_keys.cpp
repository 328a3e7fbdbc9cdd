#include "platform/db/database.h"
#include "units/texts.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <map>

// Every wording the program passes to getText as a literal must have a row in the generated language database,
// with a text in each of the six languages.
//
// A use is found by this pattern in src/**/*.cpp and src/**/*.h: the word getText, "(", optionally one of the
// wrappers QStringLiteral( QString::fromUtf8( QLatin1String( QString( u"..."_s, and then a string literal
// (prefix u8, u or L allowed); adjacent literals are joined as the compiler joins them. A first argument that is
// no literal (a variable, a call) is not a key and is skipped; its callers are expected to pass keys that have
// rows elsewhere (the valve-series names are checked on their own below).

namespace {

struct Fundstelle {
    QString datei;
    int zeile = 0;
};

const QStringList sprachSpalten = {QStringLiteral("strings_deutsch"),     QStringLiteral("strings_englisch"),
                                   QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                                   QStringLiteral("strings_spanisch"),    QStringLiteral("strings_tschechisch")};

void leerzeichen(const QByteArray &t, qsizetype &i)
{
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r'))
        ++i;
}

void utf8(QByteArray &aus, uint cp)
{
    const char32_t zeichen = char32_t(cp);
    aus += QString::fromUcs4(&zeichen, 1).toUtf8();
}

// Reads one C++ string literal starting at t[i] (the opening quote); appends its bytes to aus.
bool literal(const QByteArray &t, qsizetype &i, QByteArray &aus)
{
    if (i >= t.size() || t[i] != '"')
        return false;
    ++i;
    while (i < t.size() && t[i] != '"') {
        if (t[i] == '\n')
            return false;
        if (t[i] != '\\') {
            aus += t[i++];
            continue;
        }
        if (++i >= t.size())
            return false;
        const char c = t[i++];
        switch (c) {
        case 'n': aus += '\n'; break;
        case 't': aus += '\t'; break;
        case 'r': aus += '\r'; break;
        case 'u':
        case 'U': {
            const int n = c == 'u' ? 4 : 8;
            utf8(aus, t.mid(i, n).toUInt(nullptr, 16));
            i += n;
            break;
        }
        case 'x': {
            qsizetype j = i;
            while (j < t.size() && isxdigit(static_cast<unsigned char>(t[j])))
                ++j;
            aus += char(t.mid(i, j - i).toUInt(nullptr, 16));
            i = j;
            break;
        }
        default: aus += c; break; // \" \\ \'
        }
    }
    if (i >= t.size())
        return false;
    ++i;
    return true;
}

bool praefix(const QByteArray &t, qsizetype &i)
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

// The literal first arguments of getText in a source text, with their line numbers.
QList<std::pair<QString, int>> getTextSchluessel(const QByteArray &t)
{
    QList<std::pair<QString, int>> gefunden;
    const QByteArray wort("getText");
    for (qsizetype pos = t.indexOf(wort); pos >= 0; pos = t.indexOf(wort, pos + 1)) {
        // A whole word only (not getTextColumn, not my_getText).
        if (pos > 0 && (isalnum(static_cast<unsigned char>(t[pos - 1])) || t[pos - 1] == '_'))
            continue;
        qsizetype i = pos + wort.size();
        leerzeichen(t, i);
        if (i >= t.size() || t[i] != '(')
            continue;
        ++i;
        leerzeichen(t, i);
        for (const char *h : {"QStringLiteral", "QString::fromUtf8", "QLatin1String", "QString"}) {
            const QByteArray hb(h);
            qsizetype j = i + hb.size();
            if (t.mid(i, hb.size()) == hb && j < t.size()) {
                leerzeichen(t, j);
                if (j < t.size() && t[j] == '(') {
                    i = j + 1;
                    leerzeichen(t, i);
                    break;
                }
            }
        }
        praefix(t, i);
        QByteArray schluessel;
        if (!literal(t, i, schluessel))
            continue;
        for (;;) { // adjacent literals
            qsizetype j = i;
            leerzeichen(t, j);
            praefix(t, j);
            if (j >= t.size() || t[j] != '"' || !literal(t, j, schluessel))
                break;
            i = j;
        }
        gefunden.append({QString::fromUtf8(schluessel), int(t.left(pos).count('\n')) + 1});
    }
    return gefunden;
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
    const QString datei = QStringLiteral(QUENDRA_SEED_DIR "/dbSprache.mdb");
    if (!QFileInfo::exists(datei))
        QSKIP(qPrintable(QStringLiteral("the generated language database is missing: ") + datei));
    db_ = Database::open(datei, Database::Mode::ReadOnly);
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
    const QByteArray quelle = R"(
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
    )";
    const auto schluessel = getTextSchluessel(quelle);
    QStringList texte;
    for (const auto &[text, zeile] : schluessel)
        texte << text;
    QCOMPARE(texte, QStringList({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"),
                                 QStringLiteral("Vier \"zitiert\""), QStringLiteral("Fünf: verbunden"),
                                 QStringLiteral("Sechsä")}));
    QCOMPARE(schluessel[1].second, 3);
}

void TestTextKeys::everyKeyHasAllLanguages_data()
{
    QTest::addColumn<QString>("schluessel");

    std::map<QString, Fundstelle> schluessel;
    const QString quellen = QStringLiteral(QUENDRA_SOURCE_DIR "/src");
    QDirIterator it(quellen, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int dateien = 0;
    while (it.hasNext()) {
        const QString pfad = it.next();
        QFile f(pfad);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(pfad));
        ++dateien;
        for (const auto &[text, zeile] : getTextSchluessel(f.readAll()))
            schluessel.try_emplace(text, Fundstelle{QDir(quellen).relativeFilePath(pfad), zeile});
    }
    QVERIFY(dateien > 0);
    // Known uses prove that the scan reaches the sources at all.
    QVERIFY(schluessel.count(QStringLiteral("bar,ü.")));
    QVERIFY(schluessel.count(QStringLiteral("Die Datei kann nicht in den Datenordner kopiert werden:")));

    for (const auto &[code, name] : valveSeriesNames())
        schluessel.try_emplace(name, Fundstelle{QStringLiteral("valve series ") + code, 0});
    for (const char *immer : {"ja", "nein"})
        schluessel.try_emplace(QString::fromUtf8(immer), Fundstelle{QStringLiteral("yes/no results"), 0});

    for (const auto &[text, ort] : schluessel)
        QTest::addRow("%s:%d %s", qPrintable(ort.datei), ort.zeile, qPrintable(text)) << text;
}

void TestTextKeys::everyKeyHasAllLanguages()
{
    QFETCH(QString, schluessel);
    QVERIFY2(rs_->seek(Variant(schluessel)), "no row in data/texts/*.tsv");
    for (const QString &spalte : sprachSpalten)
        QVERIFY2(!rs_->field(spalte).toString().isEmpty(), qPrintable(spalte + QStringLiteral(" is empty")));
}

QTEST_GUILESS_MAIN(TestTextKeys)
#include "test_text_keys.moc"
