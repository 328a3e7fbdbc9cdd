#include "platform/qt/multi_line_edit.h"

#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace qtui {

MultiLineEdit::MultiLineEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (showing_)
            return;
        const QString shown = toPlainText();
        emit edited(toModelText(shown), toModelPosition(shown, textCursor().position()));
    });
}

void MultiLineEdit::showModelText(const QString &modelText)
{
    const QString shown = toEditorText(modelText);
    if (shown == toPlainText())
        return;
    showing_ = true;
    setPlainText(shown);
    moveCursor(QTextCursor::End);
    showing_ = false;
}

QString MultiLineEdit::modelText() const
{
    return toModelText(toPlainText());
}

void MultiLineEdit::showModelSelection(int start, int length)
{
    const QString model = modelText();
    QTextCursor c = textCursor();
    c.setPosition(toEditorPosition(model, start));
    c.setPosition(toEditorPosition(model, start + length), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString MultiLineEdit::toEditorText(const QString &modelText)
{
    QString t = modelText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A carriage return of its own is no line end in the model either.
    t.remove(QLatin1Char('\r'));
    return t;
}

QString MultiLineEdit::toModelText(const QString &editorText)
{
    QString t = editorText;
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

int MultiLineEdit::toModelPosition(const QString &editorText, int editorPosition)
{
    const int end = std::clamp(editorPosition, 0, static_cast<int>(editorText.size()));
    return end + static_cast<int>(editorText.left(end).count(QLatin1Char('\n')));
}

int MultiLineEdit::toEditorPosition(const QString &modelText, int modelPosition)
{
    const int end = std::clamp(modelPosition, 0, static_cast<int>(modelText.size()));
    const QString before = modelText.left(end);
    return end - static_cast<int>(before.count(QLatin1Char('\r')));
}

} // namespace qtui
