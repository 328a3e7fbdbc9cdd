#include "platform/qt/form_fonts.h"

#include "platform/forms/control.h"

#include <cmath>

namespace qtui {

namespace {

QString familyFor(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
        trimmed.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(kFormFontFamily);
    return trimmed;
}

} // namespace

QFont formFont(const QString &name, double points, bool bold, bool italic, bool underline)
{
    QFont f(familyFor(name));
    // A name fontconfig does not know falls back to a sans-serif face rather than to whatever comes first.
    f.setStyleHint(QFont::SansSerif);
    const double safePoints = std::isfinite(points) && points > 0 ? points : 8.25;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(safePoints * 96.0 / 72.0))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

QFont formFont(const Control &control)
{
    return formFont(control.fontName(), control.fontSize(), control.fontBold(), control.fontItalic(),
                    control.fontUnderline());
}

} // namespace qtui
