#pragma once

#include "platform/forms/control.h"

// The status line at the bottom of a main window: one text, read back as written, no events.
// Declare it in a form as `::StatusBar StatusBar{this, "StatusBar"};` (the qualified type lets the member carry
// the type's name).
class StatusBar : public Control {
public:
    StatusBar(Container *parent, const QString &name) : Control(parent, name, Kind::StatusBar) {}

    const QString &text() const { return text_; }
    void setText(const QString &t)
    {
        if (t == text_)
            return;
        text_ = t;
        notify(Prop::Caption);
    }

private:
    QString text_;
};
