#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QTextBrowser;
class QWidget;

namespace qtui {

class HelpWindow;

// The program's one help window: a modeless browser of the HTML help pages, with their links between each other
// (links to the web go to the desktop's browser). It stays usable while a modal dialog is open. The window is
// created at the first show and belongs to the viewer.
class HelpViewer {
public:
    HelpViewer();
    ~HelpViewer();
    HelpViewer(const HelpViewer &) = delete;
    HelpViewer &operator=(const HelpViewer &) = delete;

    // Shows the file's page from its start and brings the window to the front. A missing file shows
    // missingLead and the file's path instead; the window's title is the page's own, else `title`.
    void show(const QString &file, const QString &title, const QString &missingLead);

    // Null before the first show.
    QWidget *window() const;
    QTextBrowser *browser() const;

private:
    QPointer<HelpWindow> window_;
};

// Passes F1 pressed in any window of the program to one action (the program's help), wherever the focus is.
// Installed on the application while it exists.
class HelpKey : public QObject {
public:
    explicit HelpKey(std::function<void()> action);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> action_;
};

} // namespace qtui
