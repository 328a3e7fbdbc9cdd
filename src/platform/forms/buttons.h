#pragma once

#include "platform/forms/control.h"

// Value 0 clear, 1 ticked, 2 greyed. A change of the value raises Click.
class CheckBox : public Control {
public:
    CheckBox(Container *parent, const QString &name) : Control(parent, name, Kind::CheckBox) {}

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    int value() const { return value_; }
    // Values other than 0, 1, 2 are refused.
    void setValue(int v);

    bool canHoldFocus() const override { return true; }
    // The user clicks: the focus moves here, a ticked or greyed box is cleared, a clear box ticked.
    void userClick();

private:
    QString caption_;
    int value_ = 0;
};

// Selecting an option raises its Click and clears the other options of the same container without raising theirs.
class OptionButton : public Control {
public:
    OptionButton(Container *parent, const QString &name) : Control(parent, name, Kind::OptionButton) {}

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    bool value() const { return value_; }
    // True selects (Click when it was not selected); False clears silently.
    void setValue(bool v);

    bool canHoldFocus() const override { return true; }
    void userClick();

private:
    QString caption_;
    bool value_ = false;
};

class CommandButton : public Control {
public:
    CommandButton(Container *parent, const QString &name) : Control(parent, name, Kind::CommandButton) {}

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    // Enter presses the default button of the form, Esc its cancel button.
    bool isDefault() const { return default_; }
    void setDefault(bool d);
    bool isCancel() const { return cancel_; }
    void setCancel(bool c);

    bool canHoldFocus() const override { return true; }
    // The user clicks: the focus moves here, then Click. A hidden or disabled button does nothing.
    void userClick();
    // Click from code (the platform's Value = True): no focus move.
    void press();

private:
    QString caption_;
    bool default_ = false;
    bool cancel_ = false;
};
