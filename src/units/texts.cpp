#include "texts.h"

#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "unit_lists.h"

#include <array>

namespace {

const std::array<const char *, 6> sprachSpalten = {"strings_deutsch",     "strings_englisch",
                                                   "strings_französisch", "strings_italienisch",
                                                   "strings_spanisch",    "strings_tschechisch"};

struct Baureihe {
    const char *code;
    const char *name;
};

const std::array<Baureihe, 25> baureihen = {{
    {"2381", "Karnol Kugelsektorventil 2381"},
    {"2613", "Steril-Stellventil 2613/14"},
    {"3152", "Schrägsitzventil 3152"},
    {"3264", "Schrägsitz-Stellventil 3264"},
    {"3378", "Flanschventil 3378"},
    {"3391", "Flanschventil 3391"},
    {"3425", "Mikroventil 3425"},
    {"3547", "Eckventil 3547"},
    {"3548", "Eck-Stellventil 3548"},
    {"3652", "Membranventil 3652"},
    {"3653", "Membran-Stellventil 3653"},
    {"3761", "Schlauchventil 3761"},
    {"3786", "Schlauch-Stellventil 3786/88"},
    {"3834", "3/2-Wegeventil 3834"},
    {"3926", "3/2-Wege-Stellventil 3926"},
    {"4612", "Druckregler 4612/13"},
    {"4625", "Pneumatisches Stellventil 4625"},
    {"4627_71", "Pneumatisches Stellventil 4627/31/33, analog"},
    {"4627_72", "Pneumatisches Stellventil 4627/31/33, digital"},
    {"4638", "Motorventil 4638"},
    {"4644", "GS-Absperrventil 4644/45"},
    {"4648", "Druckregler 4648"},
    {"4651_71", "Stellventil 4651/52, analog"},
    {"4651_72", "Stellventil 4651/52, digital"},
    {"4656", "Handventil 4656/57"},
}};

} // namespace

QString getText(const QString &TextDeutsch, int Sprache)
{
    const std::shared_ptr<Recordset> rs = shared().rsSprache;
    if (!rs)
        return TextDeutsch;
    try {
        if (!rs->seek(Variant(TextDeutsch)))
            return TextDeutsch;
        QString text;
        if (Sprache >= 0 && Sprache < int(sprachSpalten.size()))
            text = rs->field(QString::fromUtf8(sprachSpalten[std::size_t(Sprache)])).toString();
        if (text.isEmpty())
            text = rs->field(QStringLiteral("strings_englisch")).toString();
        return text;
    } catch (const std::exception &) {
        // A closed or damaged text table must not take a caption down with it.
        return TextDeutsch;
    }
}

int knownLanguage(int Sprache)
{
    return Sprache >= 0 && Sprache < int(sprachSpalten.size()) ? Sprache : 0;
}

int screenLanguage()
{
    return knownLanguage(shared().Sprache);
}

Variant getVentiltypName(const QString &Ventiltyp, int Sprache)
{
    for (const auto &v : baureihen) {
        if (Ventiltyp == QLatin1String(v.code))
            return Variant(getText(QString::fromUtf8(v.name), Sprache));
    }
    if (Ventiltyp == QLatin1String("9999")) {
        // A user-defined valve without a designation still has a name on the sheet and on paper.
        if (shared().Bezeichnung.toString().trimmed().isEmpty())
            return Variant(getText(QStringLiteral("Benutzerdefiniertes Ventil"), Sprache));
        return Variant(shared().Bezeichnung);
    }
    return Variant();
}

QString kennlinieKey(int Kennlinie)
{
    static const char *const kennlinien[3] = {"(mod.) linear", "gleich%", "Auf/Zu"};
    return Kennlinie >= 0 && Kennlinie <= 2 ? QString::fromUtf8(kennlinien[Kennlinie]) : QString();
}

QString valveDescription(const QString &DNVentil, int DNunit, float KvsCv, int KvUnit, int Kennlinie, int Sprache)
{
    const QString dn = DNVentil.trimmed();
    const QString size = dn.isEmpty() ? QStringLiteral("DN \"\"") : DNunit == 1 ? dn : QStringLiteral("DN ") + dn;
    QString text = size + QStringLiteral(", ") + EinheitKvs(Variant(KvUnit)) + QLatin1Char(' ') +
                   numtext::general(static_cast<double>(KvsCv), 7);
    if (const QString kennlinie = kennlinieKey(Kennlinie); !kennlinie.isEmpty())
        text += QStringLiteral(", ") + getText(kennlinie, Sprache);
    return text;
}

QList<std::pair<QString, QString>> valveSeriesNames()
{
    QList<std::pair<QString, QString>> namen;
    for (const auto &v : baureihen)
        namen.append({QString::fromLatin1(v.code), QString::fromUtf8(v.name)});
    return namen;
}

void openLanguageDatabase(const QString &path)
{
    const QString tabelle = QStringLiteral("strings_sprache");
    // Every failure is a DbError that names the file (and the table, index or column that is missing).
    std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadOnly);
    std::shared_ptr<Recordset> rs = db->openTable(tabelle);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    for (const char *spalte : sprachSpalten) {
        if (!rs->hasField(QString::fromUtf8(spalte)))
            throw DbError(DbError::Kind::NoSuchColumn, path, tabelle,
                          QStringLiteral("the column \"%1\" is missing").arg(QString::fromUtf8(spalte)));
    }
    closeLanguageDatabase();
    shared().dbSprache = db;
    shared().rsSprache = rs;
}

void closeLanguageDatabase()
{
    SharedData &s = shared();
    if (s.rsSprache) {
        s.rsSprache->close();
        s.rsSprache.reset();
    }
    if (s.dbSprache) {
        s.dbSprache->close();
        s.dbSprache.reset();
    }
}
