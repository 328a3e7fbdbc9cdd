#include "platform/qt/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace qtui {

class HelpWindow : public QWidget {
public:
    HelpWindow() : QWidget(nullptr, Qt::Window)
    {
        setObjectName(QStringLiteral("helpWindow"));
        browser_ = new QTextBrowser(this);
        browser_->setObjectName(QStringLiteral("helpBrowser"));
        browser_->setOpenExternalLinks(true);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser_);
        resize(720, 560);
        connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });
    }

    QTextBrowser *browser() const { return browser_; }

    void showFile(const QString &file, const QString &title, const QString &missingLead, const QString &anchor)
    {
        fallbackTitle_ = title;
        const QFileInfo info(file);
        if (!file.isEmpty() && info.isFile()) {
            QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
            if (!anchor.isEmpty())
                url.setFragment(anchor);
            if (browser_->source() == url)
                browser_->reload();
            else
                browser_->setSource(url);
        } else {
            browser_->setSource(QUrl());
            browser_->setHtml(QStringLiteral("<p>%1</p><p><b>%2</b></p>")
                                  .arg(missingLead.toHtmlEscaped(),
                                       QDir::toNativeSeparators(file).toHtmlEscaped()));
        }
        // The page the help starts at has no way back.
        browser_->clearHistory();
        updateTitle();
        show();
        attachToModalDialog();
        raise();
        activateWindow();
    }

protected:
    bool event(QEvent *e) override
    {
        // A modal dialog opened after the help window blocks it; the help window then joins that dialog.
        if (e->type() == QEvent::WindowBlocked)
            attachToModalDialog();
        return QWidget::event(e);
    }

private:
    // A modal dialog blocks every window but its own transient ones: as one of those the help stays usable.
    void attachToModalDialog()
    {
        QWidget *modal = QApplication::activeModalWidget();
        QWindow *own = windowHandle();
        if (!modal || modal == this || !own || !modal->windowHandle())
            return;
        if (own->transientParent() != modal->windowHandle())
            own->setTransientParent(modal->windowHandle());
    }

    void updateTitle()
    {
        const QString page = browser_->documentTitle();
        setWindowTitle(page.isEmpty() ? fallbackTitle_ : page);
    }

    QTextBrowser *browser_;
    QString fallbackTitle_;
};

HelpViewer::HelpViewer() = default;

HelpViewer::~HelpViewer()
{
    delete window_.data();
}

void HelpViewer::show(const QString &file, const QString &title, const QString &missingLead, const QString &anchor)
{
    if (!window_)
        window_ = new HelpWindow;
    window_->showFile(file, title, missingLead, anchor);
}

QWidget *HelpViewer::window() const
{
    return window_.data();
}

QTextBrowser *HelpViewer::browser() const
{
    return window_ ? window_->browser() : nullptr;
}

HelpKey::HelpKey(Action action) : action_(std::move(action))
{
    if (qApp)
        qApp->installEventFilter(this);
}

HelpKey::~HelpKey()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            watched->isWidgetType()) {
            QString window;
            QString control;
            for (auto *w = static_cast<QWidget *>(watched); w; w = w->parentWidget()) {
                const QVariant name = w->property(kHelpWindowProperty);
                if (name.isValid()) {
                    window = name.toString();
                    break;
                }
                // Qt's own parts of a widget (a combo box's line edit) carry no name or one of Qt's.
                if (control.isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                    control = w->objectName();
            }
            if (window.isEmpty())
                control.clear();
            if (action_)
                action_(window, control);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qtui
