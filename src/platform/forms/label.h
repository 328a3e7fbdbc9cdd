#pragma once

#include "platform/forms/control.h"

// A caption on the form; result cells of the sheets are labels too.
class Label : public Control {
public:
    enum class Alignment { Left = 0, Right = 1, Center = 2 };

    Label(Container *parent, const QString &name) : Control(parent, name, Kind::Label) {}

    const QString &caption() const { return caption_; }
    // A different caption raises Change inside the assignment, as a text box's text does.
    void setCaption(const QString &c)
    {
        if (c == caption_)
            return;
        caption_ = c;
        notify(Prop::Caption);
        raise(Change);
    }

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a)
    {
        alignment_ = a;
        notify(Prop::Style);
    }
    // Opaque labels (the default) paint their back colour over what lies behind, so a block title hides the
    // frame line it straddles; transparent ones show the container.
    bool opaque() const { return opaque_; }
    void setOpaque(bool o)
    {
        opaque_ = o;
        notify(Prop::Style);
    }
    bool border() const { return border_; }
    void setBorder(bool b)
    {
        border_ = b;
        notify(Prop::Style);
    }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool w)
    {
        wordWrap_ = w;
        notify(Prop::Style);
    }

    void userClick();

    std::function<void()> Change;

private:
    QString caption_;
    Alignment alignment_ = Alignment::Left;
    bool opaque_ = true;
    bool border_ = false;
    bool wordWrap_ = true;
};
