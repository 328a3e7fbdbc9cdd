#include "variant.h"

#include "number_text.h"

#include <cmath>
#include <limits>

bool Variant::isNumeric() const
{
    switch (type_) {
    case Type::Bool:
    case Type::Int:
        return true;
    case Type::Single:
    case Type::Double:
        return std::isfinite(d_);
    case Type::String:
        return numtext::parse(s_, nullptr);
    case Type::Empty:
    case Type::Null:
        return false;
    }
    return false;
}

double Variant::toDouble() const
{
    switch (type_) {
    case Type::Bool:
    case Type::Int:
        return static_cast<double>(i_);
    case Type::Single:
    case Type::Double:
        return std::isfinite(d_) ? d_ : 0.0;
    case Type::String: {
        double v = 0.0;
        return numtext::parse(s_, &v) ? v : 0.0;
    }
    case Type::Empty:
    case Type::Null:
        return 0.0;
    }
    return 0.0;
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
