#include "project_file.h"

#include "sheets/sheet_common.h"
#include "engine/user_valve.h"

#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <cmath>
#include <limits>
#include <memory>

namespace {

using SD = SharedData;

// One table's items in processing order.
void add(std::vector<FileItem> &items, const QString &table, std::initializer_list<std::pair<const char *, ItemMember>> list)
{
    for (const auto &[name, member] : list)
        items.push_back(FileItem{table, QString::fromUtf8(name), member});
}

std::vector<FileItem> makeProjectItems()
{
    std::vector<FileItem> v;
    v.reserve(134);
    add(v, QStringLiteral("Ausdruck"),
        {{"TextInfo", &SD::TextInfo}, {"TextFirma", &SD::TextFirma}, {"TextBetrifft", &SD::TextBetrifft},
         {"TextPosition", &SD::TextPosition}, {"TextMStelle", &SD::TextMStelle}});
    add(v, QStringLiteral("Betriebsdaten"),
        {{"p1Min", &SD::p1Min},   {"p2Min", &SD::p2Min},   {"p1Norm", &SD::p1Norm}, {"p2Norm", &SD::p2Norm},
         {"p1Max", &SD::p1Max},   {"p2Max", &SD::p2Max},   {"T1Min", &SD::T1Min},   {"T1Norm", &SD::T1Norm},
         {"T1Max", &SD::T1Max},   {"QMin", &SD::QMin},     {"QNorm", &SD::QNorm},   {"QMax", &SD::QMax},
         {"Q100", &SD::Q100},     {"XMin", &SD::XMin},     {"XNorm", &SD::XNorm},   {"XMax", &SD::XMax},
         {"xFMin", &SD::xFMin},   {"xFNorm", &SD::xFNorm}, {"xFMax", &SD::xFMax}});
    add(v, QStringLiteral("Einheiten"),
        {{"p1Unit", &SD::p1Unit},   {"p2Unit", &SD::p2Unit}, {"T1Unit", &SD::T1Unit},   {"QUnit", &SD::QUnit},
         {"KvUnit", &SD::KvUnit},   {"vUnit", &SD::vUnit},   {"rhoUnit", &SD::rhoUnit}, {"pUnit", &SD::pUnit},
         {"TUnit", &SD::TUnit},     {"nueUnit", &SD::nueUnit}, {"Munit", &SD::Munit},   {"ZeitUnit", &SD::ZeitUnit},
         {"DNunit", &SD::DNunit}});
    add(v, QStringLiteral("Parameter"),
        {{"Modus", &SD::Modus}, {"MIN", &SD::MIN}, {"NORM", &SD::NORM}, {"DNmin", &SD::DNmin},
         {"chkDNRohr", &SD::chkDNRohr}, {"KvsOpt", &SD::KvsOpt}, {"WTcalc", &SD::WTcalc}});
    add(v, QStringLiteral("Rohrdaten"),
        {{"DN1Rohr", &SD::DN1Rohr}, {"DN2Rohr", &SD::DN2Rohr}, {"v1Min", &SD::v1Min}, {"v1Norm", &SD::v1Norm},
         {"v1Max", &SD::v1Max},     {"v2Min", &SD::v2Min},     {"v2Norm", &SD::v2Norm}, {"v2Max", &SD::v2Max}});
    add(v, QStringLiteral("Schalldaten"),
        {{"LAMin", &SD::LAMin},       {"LANorm", &SD::LANorm},       {"LAMax", &SD::LAMax},
         {"DLAMin", &SD::DLAMin},     {"DLANorm", &SD::DLANorm},     {"DLAMax", &SD::DLAMax},
         {"LAEffMin", &SD::LAEffMin}, {"LAEffNorm", &SD::LAEffNorm}, {"LAEffMax", &SD::LAEffMax}});
    add(v, QStringLiteral("Stoffdaten"),
        {{"Medium", &SD::Medium},       {"NameMedium", &SD::NameMedium}, {"FORMEL", &SD::FORMEL},
         {"Zustand", &SD::Zustand},     {"rho1Min", &SD::rho1Min},       {"rho1Norm", &SD::rho1Norm},
         {"rho1Max", &SD::rho1Max},     {"rhoN", &SD::rhoN},             {"M", &SD::M},
         {"gammaMin", &SD::gammaMin},   {"gammaNorm", &SD::gammaNorm},   {"gammaMax", &SD::gammaMax},
         {"psatMin", &SD::psatMin},     {"psatNorm", &SD::psatNorm},     {"psatMax", &SD::psatMax},
         {"pkrit", &SD::pkrit},         {"Tkrit", &SD::Tkrit},           {"nueMin", &SD::nueMin},
         {"nueNorm", &SD::nueNorm},     {"nueMax", &SD::nueMax},         {"CpMax", &SD::CpMax}});
    add(v, QStringLiteral("Ventildaten"),
        {{"Ventiltyp", &SD::Ventiltyp},
         {"DNVentil", &SD::DNVentil},
         {"Kennlinie", &SD::Kennlinie},
         {"KvsCv", &SD::KvsCv},
         {"Reduktion", &SD::Reduktion},
         {"Kvmin", &SD::Kvmin},
         {"Kvnorm", &SD::Kvnorm},
         {"Kvmax", &SD::Kvmax},
         {"Stellverhältnis", &SD::Stellverhältnis},
         {"StellverhältnisMin", &SD::StellverhältnisMin},
         {"StellverhältnisNorm", &SD::StellverhältnisNorm},
         {"StellverhältnisMax", &SD::StellverhältnisMax},
         {"yMin", &SD::yMin},
         {"yNorm", &SD::yNorm},
         {"yMax", &SD::yMax},
         {"FLMin", &SD::FLMin},
         {"FLNorm", &SD::FLNorm},
         {"FLMax", &SD::FLMax},
         {"XTMin", &SD::XTMin},
         {"XTNorm", &SD::XTNorm},
         {"XTMax", &SD::XTMax},
         {"ChokedFlowMin", &SD::ChokedFlowMin},
         {"ChokedFlowNorm", &SD::ChokedFlowNorm},
         {"ChokedFlowMax", &SD::ChokedFlowMax},
         {"zyMin", &SD::zyMin},
         {"zyNorm", &SD::zyNorm},
         {"zyMax", &SD::zyMax},
         {"Bezeichnung", &SD::Bezeichnung},
         {"A0", &SD::A0},
         {"A1", &SD::A1},
         {"A2", &SD::A2},
         {"A3", &SD::A3},
         {"A4", &SD::A4},
         {"A5", &SD::A5},
         {"AFL", &SD::AFL},
         {"BFL", &SD::BFL},
         {"CFL", &SD::CFL},
         {"AxT", &SD::AxT},
         {"BxT", &SD::BxT},
         {"CxT", &SD::CxT}});
    add(v, QStringLiteral("Wärmetauscher"),
        {{"Mmin", &SD::Mmin},
         {"Mnorm", &SD::Mnorm},
         {"Mmax", &SD::Mmax},
         {"DeltaTMin", &SD::DeltaTMin},
         {"DeltaTNorm", &SD::DeltaTNorm},
         {"DeltaTMax", &SD::DeltaTMax},
         {"TaufheizMin", &SD::TaufheizMin},
         {"TaufheizNorm", &SD::TaufheizNorm},
         {"TaufheizMax", &SD::TaufheizMax},
         {"WTLeistungMin", &SD::WTLeistungMin},
         {"WTLeistungNorm", &SD::WTLeistungNorm},
         {"WTLeistungMax", &SD::WTLeistungMax}});
    return v;
}

// A file that holds what no project can hold is damaged, to the user; a value of the program's own that no column
// can hold is not.
[[noreturn]] void mismatch(const QString &path, const FileItem &item, const QString &what, DbError::Fault fault,
                           const QString &value, FileProblem problem = FileProblem::Damaged)
{
    throw DbError(DbError::Kind::TypeMismatch, path, item.table,
                  QStringLiteral("column \"%1\" %2").arg(item.column, what), problem)
        .inColumn(item.column)
        .withValue(fault, value);
}

[[noreturn]] void invalid(const QString &path, const FileItem &item, const QString &what, const QString &value,
                         DbError::Fault fault = DbError::Fault::NotAllowed)
{
    // A value no save writes: the file is damaged, and the seed's copy may take its place.
    throw DbError(DbError::Kind::Other, path, item.table, QStringLiteral("column \"%1\" %2").arg(item.column, what),
                  FileProblem::Damaged)
        .inColumn(item.column)
        .withValue(fault, value);
}

// The number a D, F or I column holds: numbers, Booleans and numeric texts; nothing else. A file is the same file
// on every computer, so a number stored as text is read in the C notation, never in the user's settings.
double numberOf(const Variant &v, const QString &path, const FileItem &item)
{
    if (v.isNull() || v.isEmpty())
        mismatch(path, item, QStringLiteral("holds no value (Null)"), DbError::Fault::NoValue, QString());
    const QString infinite = QStringLiteral("holds an infinite number");
    if (v.isString()) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double x = c.toDouble(v.toString().trimmed(), &ok);
        if (std::isinf(x)) // "inf", or beyond the range of a double
            mismatch(path, item, infinite, DbError::Fault::NotFinite, v.toString());
        if (!ok || std::isnan(x))
            mismatch(path, item, QStringLiteral("holds \"%1\", which is not a number").arg(v.toString()),
                     DbError::Fault::NotANumber, v.toString());
        return x;
    }
    // A stored NaN reads as Null; a non-finite number here is infinite.
    if (!v.isNumeric())
        mismatch(path, item, infinite, DbError::Fault::NotFinite, v.toString());
    return v.toDouble();
}

const QSet<QString> &seriesKeys()
{
    static const QSet<QString> keys{
        QStringLiteral("2381"),    QStringLiteral("2613"),    QStringLiteral("3152"), QStringLiteral("3264"),
        QStringLiteral("3378"),    QStringLiteral("3391"),    QStringLiteral("3425"), QStringLiteral("3547"),
        QStringLiteral("3548"),    QStringLiteral("3652"),    QStringLiteral("3653"), QStringLiteral("3761"),
        QStringLiteral("3786"),    QStringLiteral("3834"),    QStringLiteral("3926"), QStringLiteral("4612"),
        QStringLiteral("4625"),    QStringLiteral("4627_71"), QStringLiteral("4627_72"), QStringLiteral("4638"),
        QStringLiteral("4644"),    QStringLiteral("4648"),    QStringLiteral("4651_71"), QStringLiteral("4651_72"),
        QStringLiteral("4656"),    QStringLiteral("9999")};
    return keys;
}

// Values read from a file, checked together before any of them becomes shared data.
class Staged {
public:
    Staged(const std::vector<FileItem> &items, const QString &path) : items_(items), path_(path) {}

    std::vector<Variant> values;

    const FileItem &item(const QString &column) const { return items_[indexOf(column)]; }
    const Variant &value(const QString &column) const { return values[indexOf(column)]; }
    int integer(const char *column) const { return static_cast<int>(value(column).toInt()); }
    bool boolean(const char *column) const { return value(column).toBool(); }
    QString text(const char *column) const { return value(column).toString(); }

    void requireIn(const char *column, int first, int last) const
    {
        const int x = integer(column);
        if (x < first || x > last)
            invalid(path_, item(column),
                    QStringLiteral("holds %1, which is outside the range %2 to %3").arg(x).arg(first).arg(last),
                    QString::number(x));
    }

private:
    // Column names compare without regard to case, as the file's do.
    std::size_t indexOf(const QString &column) const
    {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].column.compare(column, Qt::CaseInsensitive) == 0)
                return i;
        Q_ASSERT(false);
        return 0;
    }
    const std::vector<FileItem> &items_;
    QString path_;
};

// A project's user-defined valve is one its dialog would store; a valve never computed holds no coefficients, and
// the sheet takes the row of "9999" as it stands.
void checkUserValve(const Staged &s, const QString &path)
{
    const std::array<QString, 12> &koeffizienten = userValveCoefficientColumns();
    UserValve valve;
    valve.KvsCv = s.value("KvsCv");
    valve.KvUnit = s.integer("KvUnit");
    valve.Stellverhältnis = s.value("Stellverhältnis");
    for (std::size_t i = 0; i < valve.koeffizienten.size(); ++i)
        valve.koeffizienten[i] = s.value(koeffizienten[i]);
    if (!hasCoefficients(valve))
        return;
    const std::optional<UserValveFault> fault = userValveFault(valve);
    if (!fault)
        return;
    const FileItem &item = s.item(userValveFaultColumn(*fault, QStringLiteral("KvsCv")));
    const Variant &value = s.value(item.column);
    if (!value.isNumeric())
        invalid(path, item, QStringLiteral("holds \"%1\", which is not a number").arg(value.toString()),
                value.toString(), DbError::Fault::NotANumber);
    invalid(path, item,
            QStringLiteral("holds %1, which the dialog of the user-defined valve does not store").arg(value.toString()),
            value.toString());
}

// What the sheets and menus rely on after a load: codes and unit indices that name an entry of their lists, and a
// known valve series (its key names a table of the characteristic database).
void checkProject(const Staged &s, const QString &path)
{
    for (const char *unit : {"p1Unit", "p2Unit", "pUnit"})
        s.requireIn(unit, 0, 7);
    for (const char *unit : {"T1Unit", "TUnit", "KvUnit", "vUnit", "rhoUnit", "nueUnit", "Munit", "DNunit"})
        s.requireIn(unit, 0, 1);
    s.requireIn("ZeitUnit", 0, 2);
    s.requireIn("Zustand", 0, 2);
    const int zustand = s.integer("Zustand");
    s.requireIn("QUnit", 0, zustand == 0 ? 4 : zustand == 1 ? 5 : 1); // gas, liquid and steam flow lists
    s.requireIn("Modus", 0, 1); // the sizing and the flow sheet
    s.requireIn("chkDNRohr", 0, 2);
    s.requireIn("Kennlinie", 0, 2);
    const int medium = s.integer("Medium");
    if (!((medium >= 0 && medium <= 6) || (medium >= 10 && medium <= 13)))
        invalid(path, s.item("Medium"), QStringLiteral("holds %1, which is no medium code").arg(medium),
                QString::number(medium));
    // Every medium comes with its one state: from the menu, a fluid list, the wizard or the heat exchanger.
    const int mediumState = medium == 0 || medium == 3 ? 0 : medium == 2 || medium == 5 ? 2 : 1;
    if (zustand != mediumState)
        invalid(path, s.item("Zustand"),
                QStringLiteral("holds %1, which is not the state of medium %2").arg(zustand).arg(medium),
                QString::number(zustand));
    // Given pipe sizes are used as they stand, so they must be sizes of the pipe list.
    if (s.integer("chkDNRohr") == 2) {
        const QStringList sizes = sheetcommon::pipeSizes(s.integer("DNunit"));
        for (const char *pipe : {"DN1Rohr", "DN2Rohr"}) {
            const QString size = s.text(pipe);
            if (!sizes.contains(size.trimmed()))
                invalid(path, s.item(pipe), QStringLiteral("holds \"%1\", which is no pipe size").arg(size), size);
        }
    }
    // A given valve size is the valve's, as a given pipe size is the pipe's; the flow sheet's valve is always given.
    if ((s.integer("Modus") == 1 || !s.boolean("DNmin")) && s.text("DNVentil").trimmed().isEmpty())
        invalid(path, s.item("DNVentil"), QStringLiteral("holds no size, and the valve size is given"),
                s.text("DNVentil"));
    const QString typ = s.text("Ventiltyp");
    if (!seriesKeys().contains(typ))
        invalid(path, s.item("Ventiltyp"), QStringLiteral("names the unknown valve series \"%1\"").arg(typ), typ);
    if (typ == QLatin1String("9999"))
        checkUserValve(s, path);
}

} // namespace

QString projectFilePath(const QString &Pfad, const QString &Datei)
{
    return Pfad + QLatin1Char('/') + Datei + QStringLiteral(".vls");
}

const std::vector<FileItem> &projectItems()
{
    static const std::vector<FileItem> items = makeProjectItems();
    return items;
}

const QStringList &projectTables()
{
    static const QStringList tables = [] {
        QStringList t;
        for (const FileItem &item : projectItems())
            if (!t.contains(item.table))
                t << item.table;
        return t;
    }();
    return tables;
}

const std::vector<FileItem> &projectFlags()
{
    static const std::vector<FileItem> flags = [] {
        std::vector<FileItem> v;
        add(v, QStringLiteral("Parameter"),
            {{"StoffdatenAktuell", &SD::StoffdatenAktuell},
             {"StoffdatenMin", &SD::StoffdatenMin},
             {"StoffdatenNorm", &SD::StoffdatenNorm}});
        return v;
    }();
    return flags;
}

namespace {
// What a load reads and a save writes: the 134 items, then the flags.
const std::vector<FileItem> &storedItems()
{
    static const std::vector<FileItem> items = [] {
        std::vector<FileItem> v = projectItems();
        v.insert(v.end(), projectFlags().begin(), projectFlags().end());
        return v;
    }();
    return items;
}
} // namespace

void takeProjectItems(SharedData &to, const SharedData &from)
{
    for (const FileItem &item : storedItems())
        std::visit([&](auto member) { to.*member = from.*member; }, item.member);
}

namespace fileitems {

Variant read(const Recordset &rs, const FileItem &item, const QString &path)
{
    const Variant v = rs.field(item.column);
    switch (item.type()) {
    case ItemType::V:
        return v;
    case ItemType::S:
        if (v.isNull() || v.isEmpty())
            mismatch(path, item, QStringLiteral("holds no value (Null)"), DbError::Fault::NoValue, QString());
        return Variant(v.toString());
    case ItemType::B: {
        if (v.isNull() || v.isEmpty())
            mismatch(path, item, QStringLiteral("holds no value (Null)"), DbError::Fault::NoValue, QString());
        if (v.type() == Variant::Type::Bool)
            return v;
        if (v.isString()) {
            const QString t = v.toString().trimmed();
            if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return Variant(true);
            if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return Variant(false);
        }
        return Variant(numberOf(v, path, item) != 0.0);
    }
    case ItemType::D:
        return Variant(numberOf(v, path, item));
    case ItemType::F: {
        const double x = numberOf(v, path, item);
        if (std::fabs(x) > std::numeric_limits<float>::max())
            mismatch(path, item, QStringLiteral("holds a number outside the single-precision range"),
                     DbError::Fault::OutOfRange, v.toString());
        return Variant(static_cast<float>(x));
    }
    case ItemType::I: {
        const double x = std::nearbyint(numberOf(v, path, item)); // default rounding: halves to even
        if (x < -32768.0 || x > 32767.0)
            mismatch(path, item, QStringLiteral("holds a number outside the 16-bit integer range"),
                     DbError::Fault::OutOfRange, v.toString());
        return Variant(static_cast<int>(x));
    }
    }
    return v;
}

Variant toColumn(const SharedData &data, const FileItem &item, const QString &path)
{
    return std::visit(
        [&](auto member) -> Variant {
            const auto &value = data.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, double> || std::is_same_v<T, float>) {
                if (!std::isfinite(value))
                    mismatch(path, item, QStringLiteral("cannot hold a value that is not a finite number"),
                             DbError::Fault::NotFinite, Variant(value).toString(), FileProblem::Other);
                return Variant(value);
            } else if constexpr (std::is_same_v<T, int>) {
                if (value < -32768 || value > 32767)
                    mismatch(path, item, QStringLiteral("cannot hold %1 (outside the 16-bit integer range)").arg(value),
                             DbError::Fault::OutOfRange, QString::number(value), FileProblem::Other);
                return Variant(value);
            } else if constexpr (std::is_same_v<T, bool>) {
                return Variant(value);
            } else if constexpr (std::is_same_v<T, QString>) {
                return Variant(value.isNull() ? QString(QLatin1String("")) : value);
            } else {
                return value.isEmpty() ? Variant::null() : value;
            }
        },
        item.member);
}

void assign(SharedData &data, const FileItem &item, const Variant &value)
{
    std::visit(
        [&](auto member) {
            auto &target = data.*member;
            using T = std::decay_t<decltype(target)>;
            if constexpr (std::is_same_v<T, double>)
                target = value.toDouble();
            else if constexpr (std::is_same_v<T, float>)
                target = value.toFloat();
            else if constexpr (std::is_same_v<T, int>)
                target = static_cast<int>(value.toInt());
            else if constexpr (std::is_same_v<T, bool>)
                target = value.toBool();
            else if constexpr (std::is_same_v<T, QString>)
                target = value.toString();
            else
                target = value;
        },
        item.member);
}

bool equal(const SharedData &a, const SharedData &b, const FileItem &item)
{
    return std::visit(
        [&](auto member) {
            const auto &x = a.*member;
            const auto &y = b.*member;
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, Variant>)
                return x.type() == y.type() && x == y;
            else
                return x == y;
        },
        item.member);
}

std::shared_ptr<Database> openForLoad(const QString &path)
{
    std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadOnly);
    db->checkStructure();
    if (QFileInfo(path).size() <= kPagesCheckedAtLoad)
        db->checkPages();
    return db;
}

std::unique_ptr<Recordset> openRecord(Database &db, const QString &table, const QString &path)
{
    std::unique_ptr<Recordset> rs = db.openTable(table, Database::Rows::First);
    if (rs->eof())
        throw DbError(DbError::Kind::NoCurrentRecord, path, table, QStringLiteral("the table holds no record"),
                      FileProblem::Damaged);
    return rs;
}

void checkBeforeSave(const Database &db)
{
    db.checkStructure();
    db.checkPages();
}

void checkWritable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(DbError::Kind::NoSuchFile, path, QString(), QStringLiteral("the file does not exist"));
    // The mode bits, not only access(): the superuser may write anything.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!info.isWritable() || !(info.permissions() & writeBits))
        throw DbError(DbError::Kind::ReadOnly, path, QString(), QStringLiteral("the file is read-only"));
}

} // namespace fileitems

void LoadParameter(const QString &Pfad, const QString &Datei, SharedData &data)
{
    const QString path = projectFilePath(Pfad, Datei);
    const std::vector<FileItem> &items = storedItems();
    Staged staged(items, path);
    staged.values.reserve(items.size());
    {
        const std::shared_ptr<Database> db = fileitems::openForLoad(path);
        std::unique_ptr<Recordset> rs;
        QString open;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const FileItem &item = items[i];
            if (!rs || open != item.table) {
                rs.reset();
                rs = fileitems::openRecord(*db, item.table, path);
                open = item.table;
            }
            // A file of an older version holds no flags: its fluid data were taken as current.
            if (i >= projectItems().size() && !rs->hasField(item.column))
                staged.values.push_back(Variant(true));
            else
                staged.values.push_back(fileitems::read(*rs, item, path));
        }
    }
    checkProject(staged, path);
    for (std::size_t i = 0; i < items.size(); ++i)
        fileitems::assign(data, items[i], staged.values[i]);
}

void SaveParameter(const QString &Pfad, const QString &Datei, const SharedData &data)
{
    const QString path = projectFilePath(Pfad, Datei);
    const std::vector<FileItem> &items = storedItems();
    // Every value is converted before the file is opened, so a value that cannot be stored writes nothing.
    std::vector<Variant> values;
    values.reserve(items.size());
    for (const FileItem &item : items)
        values.push_back(fileitems::toColumn(data, item, path));

    fileitems::checkWritable(path);
    const std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadWrite);
    db->beginTransaction();
    try {
        fileitems::checkBeforeSave(*db);
        // A file of an older version gets the flags' columns, which its readers pass by.
        for (const FileItem &flag : projectFlags())
            if (db->hasTable(flag.table) && !db->columnNames(flag.table).contains(flag.column, Qt::CaseInsensitive))
                db->addColumn(flag.table, FieldDef{flag.column, FieldType::Boolean});
        std::vector<std::unique_ptr<Recordset>> tables;
        for (const QString &table : projectTables())
            tables.push_back(db->openTable(table, Database::Rows::First));
        for (qsizetype t = 0; t < projectTables().size(); ++t) {
            Recordset &rs = *tables[t];
            rs.edit();
            for (std::size_t i = 0; i < items.size(); ++i)
                if (items[i].table == projectTables()[t])
                    rs.setField(items[i].column, values[i]);
            rs.update();
        }
        db->commit();
    } catch (...) {
        if (db->inTransaction())
            db->rollback();
        throw;
    }
}
