#pragma once

#include <QFont>
#include <QString>

class Control;

namespace qtui {

// The face the form layouts were measured for: an 8-point sans-serif of Arial's widths. Liberation Sans has
// those widths; the desktop's default face is about an eighth wider and cuts captions.
inline constexpr const char *kFormFontFamily = "Liberation Sans";

// The font a control's text is drawn in. An empty name and "MS Sans Serif" are the forms' default face, "Arial"
// (any case) is Liberation Sans, any other name is left to fontconfig. Sizes are points at 96 dpi, turned into
// whole pixels as the layouts' platform does (8.25 points are 11 pixels), so that a screen's own dpi does not
// change how much text fits a control measured in pixels.
QFont formFont(const QString &name, double points, bool bold = false, bool italic = false, bool underline = false);
QFont formFont(const Control &control);

} // namespace qtui
