#pragma once

#include "platform/forms/ui_services.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Headless services: counts beeps, records message boxes, file dialogs and modal runs, and answers them from a
// script. Unscripted, a message box answers its first button, a file dialog is cancelled, and a modal run
// returns at once with the form left as it is.
class ScriptedUiServices : public UiServices {
public:
    struct Message {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
    };
    struct FileRequest {
        bool save;
        FileDialogRequest request;
    };

    MsgAnswer messageBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    void beep() override { ++beeps_; }
    int screenWidthTwips() const override { return screenWidth_; }
    int screenHeightTwips() const override { return screenHeight_; }
    std::optional<QString> openFileDialog(const FileDialogRequest &request) override;
    std::optional<QString> saveFileDialog(const FileDialogRequest &request) override;
    void showForm(Form &form) override;
    void runModal(Form &form) override;
    void setLanguage(const QString &code) override { language_ = code; }

    // --- Script
    void answerNextMessage(MsgAnswer answer) { answers_.push_back(answer); }
    // A path, or nothing for a cancel.
    void answerNextFileDialog(std::optional<QString> path) { files_.push_back(std::move(path)); }
    // Acts on the next modal form (types, clicks, closes it); runs inside the modal run.
    void onNextModal(std::function<void(Form &)> action) { modals_.push_back(std::move(action)); }
    // Runs while the next message box is open, as a clock tick or a click may arrive behind it.
    void whileNextMessage(std::function<void()> action) { whileMessages_.push_back(std::move(action)); }
    void setScreenSizeTwips(int width, int height)
    {
        screenWidth_ = width;
        screenHeight_ = height;
    }

    // --- Record
    int beepCount() const { return beeps_; }
    const std::vector<Message> &messages() const { return messages_; }
    const std::vector<FileRequest> &fileRequests() const { return fileRequests_; }
    // Names of the forms run modal and shown (modal or not), in order.
    const QStringList &modalRuns() const { return modalRuns_; }
    const QStringList &shownForms() const { return shownForms_; }
    // The last language the program set, empty before any.
    const QString &language() const { return language_; }
    void reset();

private:
    std::optional<QString> nextFile();
    QString nextFilePath(bool *cancelled);

    int beeps_ = 0;
    int screenWidth_ = 1920 * 15;
    int screenHeight_ = 1080 * 15;
    std::deque<MsgAnswer> answers_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::function<void(Form &)>> modals_;
    std::deque<std::function<void()>> whileMessages_;
    std::vector<Message> messages_;
    std::vector<FileRequest> fileRequests_;
    QStringList modalRuns_;
    QStringList shownForms_;
    QString language_;
};
