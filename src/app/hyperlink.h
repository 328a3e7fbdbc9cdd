#pragma once

#include "platform/forms/forms.h"

#include <QString>
#include <optional>

// Link fields: single-line text fields that act as links in the information dialogs. A field shows its caption,
// keeps its target in its tag, is coloured and underlined, shows a pointing hand, turns red while the mouse is
// over it and hands its target to the desktop when clicked. Targets by their beginning (case-sensitive):
// "www." or "http://" a web address, "mailto:" a mail address, "App:" a file to open with its application; any
// other target does nothing.

namespace hlink {
// The platform's colour values (red in the low byte).
constexpr int NormalColor = 0xA56B39;
constexpr int HoverColor = 255;
} // namespace hlink

// Sets up a field: its text, read-only, its target, no frame, out of the tab order, and the back colour of the
// container when one is given (a form or a control that holds others).
void HyperlinkInit(TextBox &field, const QString &caption, const QString &target, Container *container = nullptr);
// The link look: the colour (the normal link colour when none is given), underline, and the pointing hand.
void SetHyperlinkColor(TextBox &field, std::optional<int> color = std::nullopt);
// The field's mouse move, X and Y in twips relative to the field: over the field (edges included) the field takes
// the mouse and shows the hover colour; outside it lets the mouse go and shows the normal colour.
void HyperlinkMouseMove(TextBox &field, float X, float Y, std::optional<int> normalColor = std::nullopt,
                        std::optional<int> hoverColor = std::nullopt);
// The field's click: the normal look again, then the target goes to the desktop. What the desktop answers is not
// looked at.
void HyperlinkClick(TextBox &field, std::optional<int> normalColor = std::nullopt);
// Opens a file with the application the desktop associates with it; a missing file does nothing.
void ShellOpenFile(const QString &fileName);
