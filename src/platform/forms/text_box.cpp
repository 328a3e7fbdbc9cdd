#include "platform/forms/text_box.h"

#include "platform/forms/form.h"

#include <algorithm>

void TextBox::setText(const QString &t)
{
    if (t == text_)
        return;
    text_ = t;
    // The caret goes to the end, so that simulated typing after an assignment appends.
    selStart_ = static_cast<int>(text_.size());
    selLength_ = 0;
    notify(Prop::Caption);
    raise(Change);
}

void TextBox::setSelStart(int s)
{
    selStart_ = std::clamp(s, 0, static_cast<int>(text_.size()));
    selLength_ = 0;
    notify(Prop::Selection);
}

void TextBox::setSelLength(int n)
{
    selLength_ = std::clamp(n, 0, static_cast<int>(text_.size()) - selStart_);
    notify(Prop::Selection);
}

void TextBox::setLocked(bool l)
{
    locked_ = l;
    notify(Prop::Style);
}

void TextBox::setMaxLength(int n)
{
    maxLength_ = std::max(0, n);
    notify(Prop::Style);
}

void TextBox::setPasswordChar(QChar c)
{
    passwordChar_ = c;
    notify(Prop::Style);
}

void TextBox::setMultiLine(bool m)
{
    multiLine_ = m;
    notify(Prop::Style);
}

void TextBox::setAlignment(Alignment a)
{
    alignment_ = a;
    notify(Prop::Style);
}

void TextBox::setBorderStyle(int style)
{
    if ((style != 0 && style != 1) || style == borderStyle_)
        return;
    borderStyle_ = style;
    notify(Prop::Style);
}

void TextBox::userType(const QString &keys)
{
    if (!isShownAndEnabled())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    for (QChar ch : keys) {
        // A handler run by an earlier keystroke may have disabled, hidden or locked the field.
        if (!isShownAndEnabled() || locked_)
            return;
        if (maxLength_ > 0 && text_.size() - selLength_ >= maxLength_)
            continue;
        const QString next = text_.left(selStart_) + ch + text_.mid(selStart_ + selLength_);
        userReplace(next, selStart_ + 1);
    }
}

void TextBox::userBackspace()
{
    if (!isShownAndEnabled())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    if (locked_)
        return;
    if (selLength_ > 0)
        userReplace(text_.left(selStart_) + text_.mid(selStart_ + selLength_), selStart_);
    else if (selStart_ > 0)
        userReplace(text_.left(selStart_ - 1) + text_.mid(selStart_), selStart_ - 1);
}

void TextBox::userEdited(const QString &newText, int cursorPosition)
{
    if (!isShownAndEnabled() || locked_)
        return;
    userReplace(newText, cursorPosition);
}

void TextBox::userClick()
{
    if (isShownAndEnabled())
        raise(Click);
}

void TextBox::userReplace(const QString &newText, int caret)
{
    const bool changed = newText != text_;
    text_ = newText;
    selStart_ = std::clamp(caret, 0, static_cast<int>(text_.size()));
    selLength_ = 0;
    if (!changed) {
        notify(Prop::Selection);
        return;
    }
    notify(Prop::Caption);
    raise(Change);
}
