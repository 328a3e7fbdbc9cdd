#pragma once

#include "platform/forms/ui_services.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <memory>

class QTranslator;

namespace qtui {
class FormView;
}

// The desktop's services: Qt message boxes and file dialogs, the beep, the primary screen, and the windows of
// every form that is shown (each mirrored by a FormView; an MDI child goes into the main window's client area).
class QtUiServices : public UiServices {
public:
    // Needs a QApplication. Switches the timers over to the clock.
    QtUiServices();
    ~QtUiServices() override;

    MsgAnswer messageBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    void beep() override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    std::optional<QString> openFileDialog(const FileDialogRequest &request) override;
    std::optional<QString> saveFileDialog(const FileDialogRequest &request) override;
    void showForm(Form &form) override;
    void runModal(Form &form) override;
    // Loads Qt's own translation of that language (none for a language Qt has none of: its texts stay English).
    void setLanguage(const QString &code) override;

    // The view of a form that has been shown, or null.
    qtui::FormView *viewOf(const Form &form) const;

    // The platform's filter ("Text (*.txt)|*.txt|...") as Qt writes it ("Text (*.txt);;...").
    static QString qtFilter(const QString &platformFilter);

private:
    QHash<const Form *, QPointer<qtui::FormView>> views_;
    std::unique_ptr<QTranslator> qtTexts_;
    QString language_;
};
