#pragma once

#include <QFont>
#include <QString>

// A printer font as the printouts set it: face name, size in points, bold, italic.
struct PrintFont {
    QString name = QStringLiteral("ARIAL");
    double size = 10.0;
    bool bold = false;
    bool italic = false;

    bool operator==(const PrintFont &o) const = default;
};

// Measures printer text in millimetres. Every back-end draws with these metrics, so that a cursor moved by a
// measured width lands where the text really ends, on paper, in a PDF and in the recorder alike.
namespace printmetrics {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

// The face a font name is drawn with: "Arial" in any spelling is Liberation Sans, which has Arial's metrics;
// any other name is passed on as it stands.
QString familyFor(const QString &name);
// The Qt font for drawing: resolved face, point size, bold, italic, no hinting (metrics as designed).
QFont qtFont(const PrintFont &font);

// Width of the text in the font: the sum of its characters' advances (the text is drawn without kerning).
double textWidth(const PrintFont &font, const QString &text);
// Height of one line (ascent, descent and the face's line gap), the step of a line end.
double lineHeight(const PrintFont &font);
// Distance from the top of a line to its baseline.
double ascent(const PrintFont &font);

} // namespace printmetrics
