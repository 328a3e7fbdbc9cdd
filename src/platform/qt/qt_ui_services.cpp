#include "platform/qt/qt_ui_services.h"

#include "platform/forms/form.h"
#include "platform/forms/timer.h"
#include "platform/qt/form_view.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>

namespace {

// Ends a modal run when its form is hidden, unloaded or destroyed.
class ModalWatch : public FormObserver {
public:
    ModalWatch(Form &form, QEventLoop &loop) : form_(&form), loop_(loop) { form.addObserver(this); }
    ~ModalWatch() override
    {
        if (form_)
            form_->removeObserver(this);
    }
    void formChanged(Form &form, Prop what) override
    {
        if (what == Prop::Destroyed) {
            form.removeObserver(this);
            form_ = nullptr;
            loop_.quit();
        } else if ((what == Prop::Visible && !form.visible()) || (what == Prop::Loaded && !form.isLoaded())) {
            loop_.quit();
        }
    }
    void controlChanged(Control &, Prop) override {}
    bool done() const { return !form_ || !form_->visible() || !form_->isLoaded(); }

private:
    Form *form_;
    QEventLoop &loop_;
};

// The desktop's dialogs belong to the window the user works in: they stay above it, and it has the keyboard again
// when they close (a window manager does that too; without one the keyboard would go nowhere).
class DialogOwner {
public:
    DialogOwner() : window_(QApplication::activeWindow()) {}
    ~DialogOwner()
    {
        if (window_ && window_->isVisible())
            window_->activateWindow();
    }
    DialogOwner(const DialogOwner &) = delete;
    DialogOwner &operator=(const DialogOwner &) = delete;
    QWidget *window() const { return window_; }

private:
    QPointer<QWidget> window_;
};

} // namespace

QtUiServices::QtUiServices()
{
    Timer::setClockDriven(true);
}

QtUiServices::~QtUiServices()
{
    Timer::setClockDriven(false);
    for (auto &v : views_) {
        if (v)
            delete v.data();
    }
    if (qtTexts_)
        QCoreApplication::removeTranslator(qtTexts_.get());
}

void QtUiServices::setLanguage(const QString &code)
{
    if (code == language_)
        return;
    language_ = code;
    if (qtTexts_) {
        QCoreApplication::removeTranslator(qtTexts_.get());
        qtTexts_.reset();
    }
    // English is Qt's own language; the translations package may be missing, and Qt then speaks English too.
    auto texts = std::make_unique<QTranslator>();
    if (code.isEmpty() || code == QLatin1String("en") ||
        !texts->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(texts.get());
    qtTexts_ = std::move(texts);
}

MsgAnswer QtUiServices::messageBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    DialogOwner owner;
    QMessageBox box(owner.window());
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        MsgAnswer answer;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case MsgButtons::OK:
        choices = {{QMessageBox::Ok, MsgAnswer::OK}};
        break;
    case MsgButtons::OKCancel:
        choices = {{QMessageBox::Ok, MsgAnswer::OK}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
        break;
    case MsgButtons::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, MsgAnswer::Abort},
                   {QMessageBox::Retry, MsgAnswer::Retry},
                   {QMessageBox::Ignore, MsgAnswer::Ignore}};
        break;
    case MsgButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No},
                   {QMessageBox::Cancel, MsgAnswer::Cancel}};
        break;
    case MsgButtons::YesNo:
        choices = {{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}};
        break;
    case MsgButtons::RetryCancel:
        choices = {{QMessageBox::Retry, MsgAnswer::Retry}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
        break;
    }
    QMessageBox::StandardButtons set;
    for (const Choice &c : choices)
        set |= c.button;
    box.setStandardButtons(set);
    box.setDefaultButton(choices.front().button);
    const int result = box.exec();
    for (const Choice &c : choices) {
        if (result == c.button)
            return c.answer;
    }
    // Closed without a button: the platform answers Cancel where there is one, else the first button.
    for (const Choice &c : choices) {
        if (c.answer == MsgAnswer::Cancel)
            return MsgAnswer::Cancel;
    }
    return choices.front().answer;
}

void QtUiServices::beep()
{
    QApplication::beep();
}

int QtUiServices::screenWidthTwips() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * kTwipsPerPixel : 1024 * kTwipsPerPixel;
}

int QtUiServices::screenHeightTwips() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() * kTwipsPerPixel : 768 * kTwipsPerPixel;
}

QString QtUiServices::qtFilter(const QString &platformFilter)
{
    const QStringList parts = platformFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; the platform's description may carry other text there.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            description = description.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {
QString startPath(const FileDialogRequest &r)
{
    if (r.fileName.isEmpty())
        return r.startFolder;
    if (r.startFolder.isEmpty())
        return r.fileName;
    return r.startFolder + QLatin1Char('/') + r.fileName;
}
} // namespace

std::optional<QString> QtUiServices::openFileDialog(const FileDialogRequest &request)
{
    DialogOwner owner;
    const QString path = QFileDialog::getOpenFileName(owner.window(), request.title, startPath(request), qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtUiServices::saveFileDialog(const FileDialogRequest &request)
{
    const QFileDialog::Options options =
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    DialogOwner owner;
    const QString path = QFileDialog::getSaveFileName(owner.window(), request.title, startPath(request),
                                                      qtFilter(request.filter), nullptr, options);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

qtui::FormView *QtUiServices::viewOf(const Form &form) const
{
    return views_.value(&form);
}

void QtUiServices::showForm(Form &form)
{
    qtui::FormView *view = views_.value(&form);
    if (!view) {
        QWidget *host = nullptr;
        if (form.kind() != Form::Kind::MdiParent) {
            if (Form *main = Form::mdiParent()) {
                if (!views_.value(main) && main->visible())
                    showForm(*main);
                if (qtui::FormView *mv = views_.value(main))
                    host = form.kind() == Form::Kind::MdiChild ? static_cast<QWidget *>(mv->mdiClient()) : mv->window();
            }
        }
        view = new qtui::FormView(form, host);
        views_.insert(&form, view);
        const Form *key = &form;
        QObject::connect(view, &qtui::FormView::finished, view, [this, key](qtui::FormView *v) {
            if (views_.value(key) == v)
                views_.remove(key);
            v->deleteLater();
        });
    }
    view->syncVisibility();
    // Showing a dialog that is open already brings it to the front.
    if (QWidget *window = view->window(); window && window->isWindow() && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void QtUiServices::runModal(Form &form)
{
    QEventLoop loop;
    ModalWatch watch(form, loop);
    if (watch.done())
        return;
    loop.exec(QEventLoop::DialogExec);
}
