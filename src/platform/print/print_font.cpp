#include "platform/print/print_font.h"

#include <QFontMetricsF>
#include <QHash>

#include <memory>

namespace {

// Metrics are taken at one em = 2048 pixels, where rounding to pixels no longer shows, and scaled to the size.
constexpr int kEmPixels = 2048;

// One face's metrics with the advance of each character kept once measured: a printout measures the same few
// characters thousands of times (the word wrap measures every prefix of a line).
struct Face {
    explicit Face(const QFont &font) : metrics(font) {}
    QFontMetricsF metrics;
    QHash<char16_t, double> advances;

    double advance(QChar c)
    {
        auto it = advances.constFind(c.unicode());
        if (it == advances.constEnd())
            it = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
        return *it;
    }
};

struct FaceKey {
    QString family;
    bool bold;
    bool italic;
    bool operator==(const FaceKey &o) const = default;
};

size_t qHash(const FaceKey &k, size_t seed = 0)
{
    return ::qHash(k.family, seed) ^ (k.bold ? 0x9e3779b9u : 0u) ^ (k.italic ? 0x7f4a7c15u : 0u);
}

Face &face(const PrintFont &font)
{
    static QHash<FaceKey, std::shared_ptr<Face>> cache;
    const FaceKey key{printmetrics::familyFor(font.name), font.bold, font.italic};
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont f(key.family);
        f.setPixelSize(kEmPixels);
        f.setBold(key.bold);
        f.setItalic(key.italic);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setKerning(false);
        it = cache.insert(key, std::make_shared<Face>(f));
    }
    return **it;
}

double emToMillimetres(double pixels, double points)
{
    return pixels / kEmPixels * points * printmetrics::kMillimetresPerPoint;
}

} // namespace

namespace printmetrics {

QString familyFor(const QString &name)
{
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return name;
}

QFont qtFont(const PrintFont &font)
{
    QFont f(familyFor(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 10.0);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Measured without kerning, so drawn without it: a text ends where the cursor says.
    f.setKerning(false);
    return f;
}

double textWidth(const PrintFont &font, const QString &text)
{
    Face &f = face(font);
    double pixels = 0.0;
    for (const QChar c : text)
        pixels += f.advance(c);
    return emToMillimetres(pixels, font.size);
}

double lineHeight(const PrintFont &font)
{
    return emToMillimetres(face(font).metrics.lineSpacing(), font.size);
}

double ascent(const PrintFont &font)
{
    return emToMillimetres(face(font).metrics.ascent(), font.size);
}

} // namespace printmetrics
