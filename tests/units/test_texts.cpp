#include "platform/db/database.h"
#include "state/shared_data.h"
#include "two_locales.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Variant)

namespace {

const QStringList sprachSpalten = {QStringLiteral("strings_deutsch"),     QStringLiteral("strings_englisch"),
                                   QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                                   QStringLiteral("strings_spanisch"),    QStringLiteral("strings_tschechisch")};

// A cell of the fixture: a text, an empty text, or Null.
Variant zelle(const char *text)
{
    return text ? Variant(QString::fromUtf8(text)) : Variant::null();
}

} // namespace

class TestTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void lookup_data();
    void lookup();
    void lookupWithoutLanguageDatabase();
    void valveSeriesName_data();
    void valveSeriesName();
    void userDefinedValveIsNotTranslated_data();
    void userDefinedValveIsNotTranslated();
    void everyValveSeriesHasAName();

    void unitList_data();
    void unitList();
    void gaugeUnitsFollowScreenLanguage();
    void screenLanguageIsOneOfTheSix_data();
    void screenLanguageIsOneOfTheSix();

    void languageDatabaseFailuresNameTheFile_data();
    void languageDatabaseFailuresNameTheFile();
    void closedLanguageDatabaseGivesKeys();

private:
    QString sprachDatei() const { return dir_.filePath(QStringLiteral("dbSprache.mdb")); }
    QTemporaryDir dir_;
};

void TestTexts::initTestCase()
{
    QVERIFY(dir_.isValid());
    std::shared_ptr<Database> db = Database::create(sprachDatei());
    std::vector<FieldDef> felder = {{QStringLiteral("strings_key"), FieldType::Text}};
    for (const QString &spalte : sprachSpalten)
        felder.push_back({spalte, FieldType::Text});
    db->createTable(QStringLiteral("strings_sprache"), felder);
    db->createIndex(QStringLiteral("strings_sprache"), QStringLiteral("PrimaryKey"), {QStringLiteral("strings_key")},
                    true);
    std::unique_ptr<Recordset> rs = db->openTable(QStringLiteral("strings_sprache"));
    const char *zeilen[][7] = {
        {"Abbruch", "Abbruch", "Cancel", "Annuler", "Annulla", "Cancelar", "Zrušit"},
        {"Datei", "Datei", "File", "", nullptr, "", "Soubor"},   // French empty, Italian Null
        {"leer", "", "", nullptr, "", "", ""},                     // nothing to fall back to
        {"bar,ü.", "bar,ü.", "bar,g", "bar,rel.", "bar,rel.", "bar,man.", "bar,př."},
        {"Pneumatisches Stellventil 4627/31/33, analog", "Pneumatisches Stellventil 4627/31/33, analog",
         "Pneumatic control valve 4627/31/33, analogue", "Vanne de régulation pneumatique 4627/31/33, analogique",
         "Valvola di regolazione pneumatica 4627/31/33, analogica",
         "Válvula de control neumática 4627/31/33, analógica", "Pneumatický regulační ventil 4627/31/33, analogový"},
        {"Druckregler 4648", "Druckregler (Eigenmedium) 4648", "Pressure regulator 4648", "", "", "", ""},
        {"Benutzerdefiniertes Ventil", "Benutzerdefiniertes Ventil", "User-defined valve", "", "", "", ""},
    };
    for (const auto &z : zeilen) {
        rs->addNew();
        rs->setField(QStringLiteral("strings_key"), zelle(z[0]));
        for (int i = 0; i < 6; ++i)
            rs->setField(sprachSpalten[i], zelle(z[i + 1]));
        rs->update();
    }
    rs->close();
    db->close();
    openLanguageDatabase(sprachDatei());
    QVERIFY(shared().rsSprache);
}

void TestTexts::cleanupTestCase()
{
    closeLanguageDatabase();
}

void TestTexts::init()
{
    shared().Sprache = 0;
    shared().Bezeichnung = Variant();
}

void TestTexts::lookup_data()
{
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("erwartet");

    const QString abbruch = QStringLiteral("Abbruch");
    QTest::newRow("German") << abbruch << 0 << "Abbruch";
    QTest::newRow("English") << abbruch << 1 << "Cancel";
    QTest::newRow("French") << abbruch << 2 << "Annuler";
    QTest::newRow("Italian") << abbruch << 3 << "Annulla";
    QTest::newRow("Spanish") << abbruch << 4 << "Cancelar";
    QTest::newRow("Czech, non-ASCII") << abbruch << 5 << "Zrušit";
    QTest::newRow("language 7 reads English") << abbruch << 7 << "Cancel";
    QTest::newRow("negative language reads English") << abbruch << -1 << "Cancel";
    QTest::newRow("empty column falls back to English") << "Datei" << 2 << "File";
    QTest::newRow("null column falls back to English") << "Datei" << 3 << "File";
    QTest::newRow("filled column is used") << "Datei" << 5 << "Soubor";
    QTest::newRow("no English either: empty") << "leer" << 2 << "";
    QTest::newRow("no English either, German empty") << "leer" << 0 << "";
    for (int sprache : {0, 1, 2, 5, 9})
        QTest::addRow("missing key unchanged, language %d", sprache) << "Kein solcher Text" << sprache
                                                                      << "Kein solcher Text";
    QTest::newRow("keys compare exactly") << "abbruch" << 1 << "abbruch";
    QTest::newRow("trailing blank is another key") << "Abbruch " << 1 << "Abbruch ";
    QTest::newRow("empty key") << "" << 1 << "";
}

void TestTexts::lookup()
{
    QFETCH(QString, schluessel);
    QFETCH(int, sprache);
    QFETCH(QString, erwartet);
    QCOMPARE(getText(schluessel, sprache), erwartet);
}

void TestTexts::lookupWithoutLanguageDatabase()
{
    const std::shared_ptr<Recordset> gemerkt = shared().rsSprache;
    shared().rsSprache.reset();
    QCOMPARE(getText(QStringLiteral("Abbruch"), 1), QStringLiteral("Abbruch"));
    QCOMPARE(EinheitDruck(1), QStringLiteral("bar,ü."));
    shared().rsSprache = gemerkt;
    QCOMPARE(getText(QStringLiteral("Abbruch"), 1), QStringLiteral("Cancel"));
}

void TestTexts::valveSeriesName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<Variant>("erwartet");

    QTest::newRow("German from the table")
        << "4627_71" << 0 << Variant("Pneumatisches Stellventil 4627/31/33, analog");
    QTest::newRow("translated") << "4627_71" << 4 << Variant("Válvula de control neumática 4627/31/33, analógica");
    QTest::newRow("German column differs from the key") << "4648" << 0 << Variant("Druckregler (Eigenmedium) 4648");
    QTest::newRow("empty French falls back to English") << "4648" << 2 << Variant("Pressure regulator 4648");
    QTest::newRow("no row: the German key") << "2381" << 1 << Variant("Karnol Kugelsektorventil 2381");
    QTest::newRow("digital variant") << "4651_72" << 0 << Variant("Stellventil 4651/52, digital");
    QTest::newRow("code without suffix") << "4627" << 0 << Variant();
    QTest::newRow("trailing blank") << "2381 " << 0 << Variant();
    QTest::newRow("leading blank") << " 2381" << 0 << Variant();
    QTest::newRow("wrong suffix") << "4651_73" << 0 << Variant();
    QTest::newRow("empty code") << "" << 0 << Variant();
}

void TestTexts::valveSeriesName()
{
    QFETCH(QString, code);
    QFETCH(int, sprache);
    QFETCH(Variant, erwartet);
    const Variant name = getVentiltypName(code, sprache);
    QCOMPARE(name.type(), erwartet.type());
    QCOMPARE(name.toString(), erwartet.toString());
}

void TestTexts::userDefinedValveIsNotTranslated_data()
{
    QTest::addColumn<int>("sprache");
    for (int sprache : {0, 1, 2, 3, 4, 5, 8})
        QTest::addRow("language %d", sprache) << sprache;
}

void TestTexts::userDefinedValveIsNotTranslated()
{
    QFETCH(int, sprache);
    // A designation that happens to be a key of the text table must still come back as typed.
    shared().Bezeichnung = QStringLiteral("Abbruch");
    QCOMPARE(getVentiltypName(QStringLiteral("9999"), sprache).toString(), QStringLiteral("Abbruch"));
    shared().Bezeichnung = QStringLiteral("Mein Ventil DN 50");
    QCOMPARE(getVentiltypName(QStringLiteral("9999"), sprache).toString(), QStringLiteral("Mein Ventil DN 50"));
    // Without a designation the valve goes by the general name, in the language asked for.
    const QString general =
        sprache == 0 ? QStringLiteral("Benutzerdefiniertes Ventil") : QStringLiteral("User-defined valve");
    shared().Bezeichnung = Variant::null();
    QCOMPARE(getVentiltypName(QStringLiteral("9999"), sprache).toString(), general);
    shared().Bezeichnung = QStringLiteral("  ");
    QCOMPARE(getVentiltypName(QStringLiteral("9999"), sprache).toString(), general);
}

void TestTexts::everyValveSeriesHasAName()
{
    const auto namen = valveSeriesNames();
    QCOMPARE(namen.size(), 25);
    QStringList codes;
    for (const auto &[code, name] : namen) {
        QVERIFY(!codes.contains(code));
        codes << code;
        QVERIFY(name.endsWith(code.left(4)) || name.contains(code.left(4) + QLatin1Char('/')));
        // Without a row in the fixture table every name comes back as its German key.
        if (!getText(name, 0).isEmpty())
            QCOMPARE(getVentiltypName(code, 0).toString(), getText(name, 0));
    }
    QVERIFY(!codes.contains(QStringLiteral("9999")));
}

using ListFunktion = QString (*)(const Variant &);
Q_DECLARE_METATYPE(ListFunktion)

void TestTexts::unitList_data()
{
    QTest::addColumn<ListFunktion>("liste");
    QTest::addColumn<QStringList>("eintraege");

    auto zeile = [](const char *name, ListFunktion f, std::initializer_list<const char *> e) {
        QStringList l;
        for (const char *t : e)
            l << QString::fromUtf8(t);
        QTest::newRow(name) << f << l;
    };
    zeile("pressure", EinheitDruck,
          {"bar,abs.", "bar,ü.", "psia", "psig", "MPa,abs.", "MPa,ü.", "kPa,abs.", "kPa,ü."});
    zeile("temperature", EinheitTemperatur, {"°C", "F"});
    zeile("gas flow", EinheitDurchflussGas, {"m3/h (norm.)", "kg/h", "l/min (norm.)", "lb./hr.", "scu.ft./hr."});
    zeile("liquid flow", EinheitDurchflussFluessig,
          {"m3/h", "kg/h", "l/min.", "lb./hr.", "cu.ft./hr.", "G.P.M."});
    zeile("mass flow", EinheitMassenstrom, {"kg/h", "lb./hr."});
    zeile("mass", EinheitMasse, {"kg", "lb."});
    zeile("time", EinheitZeit, {"sec.", "min.", "h"});
    zeile("density", EinheitDichte, {"kg/m3", "lb./cu.ft."});
    zeile("viscosity", EinheitViskositaet, {"mm²/s (cSt)", "mPas (cP)"});
    zeile("velocity", EinheitGeschwindigkeit, {"m/s", "ft./sec."});
    zeile("Kvs", EinheitKvs, {"Kvs", "CV"});
    zeile("Kv", EinheitKv, {"Kv", "CV"});
    zeile("length", EinheitLaenge, {"mm", "inch"});
}

void TestTexts::unitList()
{
    QFETCH(ListFunktion, liste);
    QFETCH(QStringList, eintraege);
    // Slots after the last entry, up to 16, are empty texts; so is everything outside the 17 slots.
    for (int i = -2; i <= 20; ++i) {
        const QString erwartet = i >= 0 && i < eintraege.size() ? eintraege[i] : QString();
        QCOMPARE(liste(Variant(i)), erwartet);
    }
    QCOMPARE(liste(Variant(1.0)), eintraege[1]);
    QCOMPARE(liste(Variant(QStringLiteral("1"))), eintraege[1]);
    QCOMPARE(liste(Variant()), eintraege[0]);
    QCOMPARE(liste(Variant(QStringLiteral("eins"))), QString());
    QCOMPARE(liste(Variant::null()), QString());
    QCOMPARE(liste(Variant(1e300)), QString());
}

void TestTexts::gaugeUnitsFollowScreenLanguage()
{
    shared().Sprache = 1;
    QCOMPARE(EinheitDruck(1), QStringLiteral("bar,g"));
    QCOMPARE(EinheitDruck(5), QStringLiteral("MPa,ü.")); // no row in the fixture: the key itself
    QCOMPARE(EinheitDruck(0), QStringLiteral("bar,abs."));
    QCOMPARE(EinheitDruck(8), QString());
    shared().Sprache = 5;
    QCOMPARE(EinheitDruck(1), QStringLiteral("bar,př."));
    shared().Sprache = 0;
    QCOMPARE(EinheitDruck(1), QStringLiteral("bar,ü."));
    QCOMPARE(EinheitTemperatur(1), QStringLiteral("F"));
}

// Only an edited parameter file names a language without a flag; the screen then speaks German.
void TestTexts::screenLanguageIsOneOfTheSix_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("screen");
    QTest::newRow("German") << 0 << 0;
    QTest::newRow("Czech, the last of the six") << 5 << 5;
    QTest::newRow("one past the six") << 6 << 0;
    QTest::newRow("negative") << -1 << 0;
    QTest::newRow("far out") << 32767 << 0;
}

void TestTexts::screenLanguageIsOneOfTheSix()
{
    QFETCH(int, stored);
    QFETCH(int, screen);
    QCOMPARE(knownLanguage(stored), screen);
    shared().Sprache = stored;
    QCOMPARE(screenLanguage(), screen);
    shared().Sprache = 0;
}

void TestTexts::languageDatabaseFailuresNameTheFile_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<int>("art");

    QTest::newRow("missing file") << dir_.filePath(QStringLiteral("fehlt.mdb")) << 0;
    QTest::newRow("not a database") << dir_.filePath(QStringLiteral("kaputt.mdb")) << 1;
    QTest::newRow("no text table") << dir_.filePath(QStringLiteral("ohne_tabelle.mdb")) << 2;
    QTest::newRow("no index") << dir_.filePath(QStringLiteral("ohne_index.mdb")) << 3;
    QTest::newRow("no language columns") << dir_.filePath(QStringLiteral("ohne_spalten.mdb")) << 4;
}

void TestTexts::languageDatabaseFailuresNameTheFile()
{
    QFETCH(QString, datei);
    QFETCH(int, art);
    if (art == 1) {
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("this is no database, just some text\n").repeated(200));
    } else if (art >= 2) {
        const QString tabelle = art == 2 ? QStringLiteral("andere") : QStringLiteral("strings_sprache");
        std::shared_ptr<Database> db = Database::create(datei);
        db->createTable(tabelle, {{QStringLiteral("strings_key"), FieldType::Text}});
        if (art == 4)
            db->createIndex(tabelle, QStringLiteral("PrimaryKey"), {QStringLiteral("strings_key")}, true);
    }
    const std::shared_ptr<Recordset> vorher = shared().rsSprache;
    bool geworfen = false;
    try {
        openLanguageDatabase(datei);
    } catch (const DbError &e) {
        geworfen = true;
        QVERIFY2(e.text().contains(datei), qPrintable(e.text()));
    }
    QVERIFY(geworfen);
    // The open language database stays in use.
    QCOMPARE(shared().rsSprache, vorher);
    QCOMPARE(getText(QStringLiteral("Abbruch"), 1), QStringLiteral("Cancel"));
}

void TestTexts::closedLanguageDatabaseGivesKeys()
{
    closeLanguageDatabase();
    QVERIFY(!shared().rsSprache);
    QVERIFY(!shared().dbSprache);
    QCOMPARE(getText(QStringLiteral("Abbruch"), 1), QStringLiteral("Abbruch"));
    QCOMPARE(getVentiltypName(QStringLiteral("4627_71"), 1).toString(),
             QStringLiteral("Pneumatisches Stellventil 4627/31/33, analog"));
    closeLanguageDatabase(); // twice is harmless
    openLanguageDatabase(sprachDatei());
    QCOMPARE(getText(QStringLiteral("Abbruch"), 1), QStringLiteral("Cancel"));
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestTexts)
#include "test_texts.moc"
