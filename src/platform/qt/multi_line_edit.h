#pragma once

#include <QPlainTextEdit>

namespace qtui {

// The editor of a multi-line text box. The model keeps its lines separated by CR LF, as the Enter key types them
// there; the editor shows them as lines. Positions are translated both ways (a line end counts two characters in
// the model, one in the editor).
class MultiLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineEdit(QWidget *parent = nullptr);

    // Shows the model's text; nothing happens when it is already shown, so the caret stays where it is.
    void showModelText(const QString &modelText);
    QString modelText() const;
    // Puts the selection of the model (start and length in model characters).
    void showModelSelection(int start, int length);

    static QString toEditorText(const QString &modelText);
    static QString toModelText(const QString &editorText);
    static int toModelPosition(const QString &editorText, int editorPosition);
    static int toEditorPosition(const QString &modelText, int modelPosition);

signals:
    // The user changed the text: the whole new model text and the caret in model characters.
    void edited(const QString &modelText, int modelCaret);

private:
    bool showing_ = false;
};

} // namespace qtui
