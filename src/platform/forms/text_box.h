#pragma once

#include "platform/forms/control.h"

// A single-line (or multi-line) text field. Assigning a different text raises Change inside the assignment;
// the user's typing raises Change once per keystroke.
class TextBox : public Control {
public:
    enum class Alignment { Left = 0, Right = 1, Center = 2 };

    TextBox(Container *parent, const QString &name) : Control(parent, name, Kind::TextBox)
    {
        setBackColor(colors::Window);
    }

    const QString &text() const { return text_; }
    // A different text raises Change; the caret then stands at the end of the text.
    void setText(const QString &t);

    // Selection in characters; the caret sits at selStart + selLength.
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    QString selText() const { return text_.mid(selStart_, selLength_); }
    // Out-of-range values are clamped to the text.
    void setSelStart(int s);
    void setSelLength(int n);
    void selectAll()
    {
        setSelStart(0);
        setSelLength(static_cast<int>(text_.size()));
    }

    // Read-only for the user; code may still assign the text.
    bool locked() const { return locked_; }
    void setLocked(bool l);
    // 0: no limit. Applies to typing only, as on the platform.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    // Shown in place of every character when not null (access codes).
    QChar passwordChar() const { return passwordChar_; }
    void setPasswordChar(QChar c);
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool m);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    // 0: no frame, the field drawn like a label (link fields); 1: the usual sunken frame. Other values are ignored.
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    bool canHoldFocus() const override { return true; }

    // The user types: each character replaces the selection (or is inserted at the caret) and raises Change.
    // Typing needs the field enabled and not locked; the focus moves here first.
    void userType(const QString &keys);
    // The user deletes the selection, or the character before the caret.
    void userBackspace();
    // A click on the field (link fields act on it).
    void userClick();
    // The widget reports the whole new text after one edit of the user.
    void userEdited(const QString &newText, int cursorPosition);

    std::function<void()> Change;

private:
    void userReplace(const QString &newText, int caret);

    QString text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool locked_ = false;
    int maxLength_ = 0;
    QChar passwordChar_;
    bool multiLine_ = false;
    Alignment alignment_ = Alignment::Left;
    int borderStyle_ = 1;
};
