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

    // Shows the file's page at the anchor (from its start when the anchor is empty) and brings the window to the
    // front. A missing file shows missingLead and the file's path instead; the window's title is the page's own,
    // else `title`.
    void show(const QString &file, const QString &title, const QString &missingLead, const QString &anchor = {});

    // Null before the first show.
    QWidget *window() const;
    QTextBrowser *browser() const;

private:
    QPointer<HelpWindow> window_;
};

// The property by which a top-level window or a sheet names itself to F1: a form's name, or the name of a window
// of the renderer's own (the table-and-curve window).
inline constexpr char kHelpWindowProperty[] = "quendraWindow";

// Passes F1 pressed in any window of the program to one action (the program's help), wherever the focus is, with
// the name of the window that holds the focus (nearest holder with kHelpWindowProperty; a dialog of the desktop
// counts as its owner's) and of the control in it (the focused widget's or its nearest parent's object name).
// Both are empty outside the program's named windows, such as in the help window itself. Installed on the
// application while it exists.
class HelpKey : public QObject {
public:
    using Action = std::function<void(const QString &window, const QString &control)>;
    explicit HelpKey(Action action);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Action action_;
};

} // namespace qtui
