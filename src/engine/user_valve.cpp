#include "engine/user_valve.h"

#include "platform/db/database.h"
#include "units/conversions.h"
#include "units/physical_limits.h"

#include <cmath>

const std::array<QString, 12> &userValveCoefficientColumns()
{
    static const std::array<QString, 12> columns = {
        QStringLiteral("A0"),  QStringLiteral("A1"),  QStringLiteral("A2"),  QStringLiteral("A3"),
        QStringLiteral("A4"),  QStringLiteral("A5"),  QStringLiteral("AFL"), QStringLiteral("BFL"),
        QStringLiteral("CFL"), QStringLiteral("AXT"), QStringLiteral("BXT"), QStringLiteral("CXT")};
    return columns;
}

bool hasCoefficients(const UserValve &valve)
{
    for (const Variant &k : valve.koeffizienten)
        if (!(k.isNull() || k.isEmpty()))
            return true;
    return false;
}

bool isValidRangeability(double r)
{
    return r >= 10.0 && r <= 100.0;
}

std::optional<UserValveFault> userValveFault(const UserValve &valve, const std::array<bool, 12> &typed)
{
    using Value = UserValveFault::Value;
    double kvs = 0.0;
    if (!valve.KvsCv.toNumber(&kvs) || !physical::isValidFlowCoefficient(kvs))
        return UserValveFault{Value::KvsCv};
    // "9999" holds Kvs and Cv in single precision, the other unit's column as the conversion's four-digit text:
    // a value either column would hold as 0 is refused like a 0.
    const int unit = valve.KvUnit == 1 ? 1 : 0;
    auto heldAboveZero = [](double x) { return static_cast<float>(x) > 0.0f; };
    if (!heldAboveZero(kvs) || !heldAboveZero(kvCvZahl(valve.KvsCv, unit, 1 - unit)))
        return UserValveFault{Value::KvsCv};
    double r = 0.0;
    if (!valve.Stellverhältnis.toNumber(&r) || !isValidRangeability(r))
        return UserValveFault{Value::Stellverhältnis};
    std::array<double, 12> k{};
    for (std::size_t i = 0; i < k.size(); ++i)
        if (!valve.koeffizienten[i].toNumber(&k[i]) || !physical::isSensibleNumber(k[i]))
            return UserValveFault{Value::Koeffizient, i};
    // Of the coefficients from..to, the one typed of largest magnitude, where a wrong digit is likeliest.
    auto groesster = [&](std::size_t von, std::size_t bis) {
        std::size_t beste = von;
        double betrag = -1.0;
        for (std::size_t i = von; i <= bis; ++i) {
            if (typed[i] && std::fabs(k[i]) > betrag) {
                beste = i;
                betrag = std::fabs(k[i]);
            }
        }
        return UserValveFault{Value::Koeffizient, beste};
    };
    if (!physical::isValidCharacteristic({k[0], k[1], k[2], k[3], k[4], k[5]}))
        return groesster(0, 5);
    // FL and xT: a value closed outside the range is the first coefficient's alone.
    for (const std::size_t erster : {std::size_t{6}, std::size_t{9}}) {
        if (physical::isValidValveFactorCurve(k[erster], k[erster + 1], k[erster + 2]))
            continue;
        if (physical::isValidValveFactorCurve(k[erster], 0.0, 0.0))
            return groesster(erster + 1, erster + 2);
        return UserValveFault{Value::Koeffizient, erster};
    }
    return std::nullopt;
}

std::optional<UserValveFault> userValveFault(const UserValve &valve)
{
    std::array<bool, 12> typed;
    typed.fill(true);
    return userValveFault(valve, typed);
}

QString userValveFaultColumn(const UserValveFault &fault, const QString &kvsColumn)
{
    switch (fault.value) {
    case UserValveFault::Value::KvsCv: return kvsColumn;
    case UserValveFault::Value::Stellverhältnis: return QStringLiteral("Stellverhältnis");
    case UserValveFault::Value::Koeffizient: break;
    }
    return userValveCoefficientColumns()[fault.koeffizient];
}

void requireStorableUserValve(const Recordset &rs, const QString &file)
{
    const QString table = QStringLiteral("9999");
    if (rs.table() != table)
        return;
    UserValve valve;
    const QString kvs = QStringLiteral("Kvs");
    valve.KvsCv = rs.field(kvs);
    valve.Stellverhältnis = rs.field(QStringLiteral("Stellverhältnis"));
    for (std::size_t i = 0; i < valve.koeffizienten.size(); ++i)
        valve.koeffizienten[i] = rs.field(userValveCoefficientColumns()[i]);
    const std::optional<UserValveFault> fault = userValveFault(valve);
    if (!fault)
        return;
    // Named as the table spells it.
    const int position = rs.fieldIndex(userValveFaultColumn(*fault, kvs));
    const QString column = rs.fieldNames().at(position);
    const Variant value = rs.field(position);
    const DbError::Fault what = value.isNull() || value.isEmpty() ? DbError::Fault::NoValue
                                : value.isNumeric()                ? DbError::Fault::NotAllowed
                                                                   : DbError::Fault::NotANumber;
    throw DbError(DbError::Kind::Other, file, table,
                  QStringLiteral("the field \"%1\" holds \"%2\", which the dialog of the user-defined valve does "
                                 "not store")
                      .arg(column, value.toString()))
        .inColumn(column)
        .withValue(what, value.toString());
}
