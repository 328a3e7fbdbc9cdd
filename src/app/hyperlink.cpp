#include "app/hyperlink.h"

#include "platform/shell/desktop_services.h"

#include <exception>

void HyperlinkInit(TextBox &field, const QString &caption, const QString &target, Container *container)
{
    field.setText(caption);
    field.setLocked(true);
    field.setTag(target);
    field.setBorderStyle(0);
    field.setTabStop(false);
    if (container) {
        const Control *holder = container->asControl();
        field.setBackColor(holder ? holder->backColor() : container->containerForm().backColor());
    }
}

void SetHyperlinkColor(TextBox &field, std::optional<int> color)
{
    field.setForeColor(color.value_or(hlink::NormalColor));
    field.setFontUnderline(true);
    field.setMousePointer(Control::PointerCustom);
}

void HyperlinkMouseMove(TextBox &field, float X, float Y, std::optional<int> normalColor,
                        std::optional<int> hoverColor)
{
    // Holding the mouse, the field also gets the first move after the pointer has left it, and that move ends the
    // hover look.
    const bool inside = X >= 0.0f && Y >= 0.0f && X <= static_cast<float>(field.width()) &&
                        Y <= static_cast<float>(field.height());
    if (inside) {
        field.captureMouse();
        field.setForeColor(hoverColor.value_or(hlink::HoverColor));
    } else {
        field.releaseMouse();
        field.setForeColor(normalColor.value_or(hlink::NormalColor));
    }
    field.setFontUnderline(true);
}

void HyperlinkClick(TextBox &field, std::optional<int> normalColor)
{
    try {
        // Takes the caret away from the field.
        field.setEnabled(false);
        field.setEnabled(true);
        HyperlinkMouseMove(field, -1.0f, -1.0f, normalColor, std::nullopt);

        QString target = field.tag();
        if (target.startsWith(QLatin1String("www.")) || target.startsWith(QLatin1String("http://"))) {
            if (!target.startsWith(QLatin1String("http://")))
                target.prepend(QLatin1String("http://"));
            desktopServices().openUrl(target);
        } else if (target.startsWith(QLatin1String("mailto:"))) {
            desktopServices().openUrl(target);
        } else if (target.startsWith(QLatin1String("App:"))) {
            ShellOpenFile(target.mid(4));
        }
    } catch (const std::exception &) {
        // A link that cannot be followed is not reported.
    }
}

void ShellOpenFile(const QString &fileName)
{
    desktopServices().openFile(fileName);
}
