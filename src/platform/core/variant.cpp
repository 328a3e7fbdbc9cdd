#include "variant.h"

#include "number_text.h"

#include <cmath>
#include <limits>

bool Variant::isNumeric() const
{
    double value = 0.0;
    return toNumber(&value);
}

double Variant::toDouble() const
{
    double value = 0.0;
    return toNumber(&value) ? value : 0.0;
}

bool Variant::otherToNumber(double *value) const
{
    switch (type_) {
    case Type::Bool:
    case Type::Int:
        *value = static_cast<double>(i_);
        return true;
    case Type::Single:
    case Type::Double:
        if (!std::isfinite(d_))
            return false;
        *value = d_;
        return true;
    case Type::String:
        return numtext::parse(s_, value);
    case Type::Empty:
    case Type::Null:
        return false;
    }
    return false;
}

long long Variant::toInt() const
{
    if (type_ == Type::Int || type_ == Type::Bool)
        return i_;
    const double d = toDouble();
    if (!(std::fabs(d) < 9.2e18))
        return 0;
    return static_cast<long long>(std::nearbyint(d)); // default rounding mode: halves to even
}

bool Variant::toBool() const
{
    if (type_ == Type::String) {
        const QString t = s_.trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0.0;
}

QString Variant::toString() const
{
    switch (type_) {
    case Type::Empty:
    case Type::Null:
        return QString();
    case Type::Bool:
        return i_ ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Int:
        return QString::number(i_);
    case Type::Single:
        return numtext::general(d_, 7);
    case Type::Double:
        return numtext::general(d_, 15);
    case Type::String:
        return s_;
    }
    return QString();
}

bool Variant::operator==(const Variant &o) const
{
    if (type_ == Type::String || o.type_ == Type::String)
        return type_ == o.type_ && s_ == o.s_;
    if (isNumber() && o.isNumber())
        return toDouble() == o.toDouble();
    return type_ == o.type_;
}
