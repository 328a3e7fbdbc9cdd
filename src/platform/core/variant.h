#pragma once

#include <QString>
#include <cmath>
#include <cstdint>

// A dynamically typed value as the program's procedures pass them around: Empty (never assigned), Null (a database
// field without value), a Boolean, a whole number, a single- or double-precision number, or a text.
// Numbers keep their precision kind so that a Single read from a table gives back exactly the float that was stored
// and is shown with up to 7 significant digits.
class Variant {
public:
    enum class Type { Empty, Null, Bool, Int, Single, Double, String };

    Variant() = default;
    Variant(bool b) : type_(Type::Bool), i_(b ? -1 : 0) {}
    Variant(int v) : type_(Type::Int), i_(v) {}
    Variant(long v) : type_(Type::Int), i_(v) {}
    Variant(long long v) : type_(Type::Int), i_(v) {}
    Variant(float v) : type_(Type::Single), d_(v) {}
    Variant(double v) : type_(Type::Double), d_(v) {}
    Variant(const QString &s) : type_(Type::String), s_(s) {}
    Variant(const char *s) : type_(Type::String), s_(QString::fromUtf8(s)) {}

    static Variant null() { Variant v; v.type_ = Type::Null; return v; }

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNull() const { return type_ == Type::Null; }
    bool isString() const { return type_ == Type::String; }
    bool isNumber() const { return type_ == Type::Int || type_ == Type::Single || type_ == Type::Double || type_ == Type::Bool; }

    // True for a number, or a text that reads as a number in the user's regional settings. Empty, Null and an
    // empty text are not numeric.
    bool isNumeric() const;

    // The value as a number; 0 where it is not numeric.
    double toDouble() const;
    // isNumeric() and, when true, toDouble() into value, reading a text once.
    bool toNumber(double *value) const
    {
        if (type_ == Type::Double) { // the common case, without a call
            if (!std::isfinite(d_))
                return false;
            *value = d_;
            return true;
        }
        return otherToNumber(value);
    }
    float toFloat() const { return static_cast<float>(toDouble()); }
    // Whole number with halves rounded to even (as a Basic CInt/CLng); 0 where not numeric or out of range.
    long long toInt() const;
    bool toBool() const;

    // Text of the value as a user sees it: numbers in the user's regional settings with up to 7 (Single) or 15
    // (Double) significant digits, Booleans as "True"/"False", Empty and Null as "".
    QString toString() const;

    // Numbers in arithmetic: Empty counts as 0, as callers of the conversions expect.
    double asNumber() const { return toDouble(); } // toDouble gives 0 where the value is not numeric

    // Same type and same value (Single and Double compare by value).
    bool operator==(const Variant &o) const;
    bool operator!=(const Variant &o) const { return !(*this == o); }

private:
    bool otherToNumber(double *value) const;

    Type type_ = Type::Empty;
    long long i_ = 0;
    double d_ = 0.0;
    QString s_;
};
