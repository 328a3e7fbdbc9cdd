#include "platform/forms/buttons.h"

#include "platform/forms/form.h"

void CheckBox::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notify(Prop::Caption);
}

void CheckBox::setValue(int v)
{
    if (v < 0 || v > 2 || v == value_)
        return;
    value_ = v;
    notify(Prop::Value);
    raise(Click);
}

void CheckBox::userClick()
{
    if (!isShownAndEnabled())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    if (isShownAndEnabled())
        setValue(value_ == 0 ? 1 : 0);
}

void OptionButton::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notify(Prop::Caption);
}

void OptionButton::setValue(bool v)
{
    if (v == value_)
        return;
    value_ = v;
    if (v) {
        for (Control *c : container()->children()) {
            if (c != this && c->kind() == Kind::OptionButton) {
                auto *other = static_cast<OptionButton *>(c);
                if (other->value_) {
                    other->value_ = false;
                    other->notify(Prop::Value);
                }
            }
        }
    }
    notify(Prop::Value);
    if (v)
        raise(Click);
}

void OptionButton::userClick()
{
    if (!isShownAndEnabled())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    if (isShownAndEnabled())
        setValue(true);
}

void CommandButton::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notify(Prop::Caption);
}

void CommandButton::setDefault(bool d)
{
    // One default button per form, as on the platform.
    if (d) {
        for (Control *c : form().controls()) {
            auto *b = c->kind() == Kind::CommandButton ? static_cast<CommandButton *>(c) : nullptr;
            if (b && b != this && b->default_) {
                b->default_ = false;
                b->notify(Prop::Style);
            }
        }
    }
    default_ = d;
    notify(Prop::Style);
}

void CommandButton::setCancel(bool c)
{
    if (c) {
        for (Control *o : form().controls()) {
            auto *b = o->kind() == Kind::CommandButton ? static_cast<CommandButton *>(o) : nullptr;
            if (b && b != this && b->cancel_) {
                b->cancel_ = false;
                b->notify(Prop::Style);
            }
        }
    }
    cancel_ = c;
    notify(Prop::Style);
}

void CommandButton::userClick()
{
    if (!isShownAndEnabled())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    // The old control's LostFocus may have hidden or disabled the button, or unloaded the form.
    if (isShownAndEnabled() && form().state() != Form::State::Unloaded)
        raise(Click);
}

void CommandButton::press()
{
    if (isShownAndEnabled())
        raise(Click);
}
