#include "platform/forms/scripted_ui_services.h"

#include "platform/forms/form.h"

MsgAnswer ScriptedUiServices::messageBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    messages_.push_back({text, buttons, icon, title});
    if (!whileMessages_.empty()) {
        const std::function<void()> action = std::move(whileMessages_.front());
        whileMessages_.pop_front();
        action();
    }
    if (answers_.empty())
        return firstAnswer(buttons);
    const MsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<QString> ScriptedUiServices::openFileDialog(const FileDialogRequest &request)
{
    fileRequests_.push_back({false, request});
    return nextFile();
}

std::optional<QString> ScriptedUiServices::saveFileDialog(const FileDialogRequest &request)
{
    fileRequests_.push_back({true, request});
    return nextFile();
}

QString ScriptedUiServices::nextFilePath(bool *cancelled)
{
    *cancelled = files_.empty() || !files_.front().has_value();
    QString path = files_.empty() ? QString() : files_.front().value_or(QString());
    if (!files_.empty())
        files_.pop_front();
    return path;
}

std::optional<QString> ScriptedUiServices::nextFile()
{
    bool cancelled = false;
    const QString path = nextFilePath(&cancelled);
    if (cancelled)
        return std::nullopt;
    return std::optional<QString>(path);
}

void ScriptedUiServices::showForm(Form &form)
{
    shownForms_ << form.name();
}

void ScriptedUiServices::runModal(Form &form)
{
    modalRuns_ << form.name();
    if (modals_.empty())
        return;
    auto action = std::move(modals_.front());
    modals_.pop_front();
    action(form);
}

void ScriptedUiServices::reset()
{
    beeps_ = 0;
    answers_.clear();
    files_.clear();
    modals_.clear();
    whileMessages_.clear();
    messages_.clear();
    fileRequests_.clear();
    modalRuns_.clear();
    shownForms_.clear();
    language_.clear();
}
