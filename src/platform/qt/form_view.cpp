#include "platform/qt/form_view.h"

#include "platform/forms/forms.h"
#include "platform/forms/ui_services.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/form_fonts.h"
#include "platform/qt/help_window.h"
#include "platform/qt/multi_line_edit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <exception>

namespace qtui {

namespace {

// A window of a form (dialog or MDI child): keys, Tab and the close box go to the model.
class FormWindow : public QWidget {
public:
    FormWindow(FormView *view, QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags), view_(view) {}

protected:
    void closeEvent(QCloseEvent *e) override
    {
        e->ignore();
        if (view_)
            view_->requestClose();
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if (view_ && view_->handleKey(e->key(), e->modifiers()))
            return;
        QWidget::keyPressEvent(e);
    }
    void moveEvent(QMoveEvent *e) override
    {
        QWidget::moveEvent(e);
        if (view_)
            view_->adoptWindowGeometry();
    }
    void resizeEvent(QResizeEvent *e) override
    {
        QWidget::resizeEvent(e);
        if (view_)
            view_->adoptWindowGeometry();
    }
    // Qt moves the focus on by itself when the focused widget is disabled or hidden; the platform does not, and
    // Tab is passed to the model by the view, so nothing moves here.
    bool focusNextPrevChild(bool) override { return true; }

private:
    QPointer<FormView> view_;
};

class FormMainWindow : public QMainWindow {
public:
    explicit FormMainWindow(FormView *view) : view_(view) {}

protected:
    void moveEvent(QMoveEvent *e) override
    {
        QMainWindow::moveEvent(e);
        if (view_)
            view_->adoptWindowGeometry();
    }
    void resizeEvent(QResizeEvent *e) override
    {
        QMainWindow::resizeEvent(e);
        if (view_)
            view_->adoptWindowGeometry();
    }
    void closeEvent(QCloseEvent *e) override
    {
        e->ignore();
        if (view_)
            view_->requestClose();
    }

private:
    QPointer<FormView> view_;
};

// Pointer 99 is the program's own, a pointing hand (link fields); otherwise the widget's usual pointer.
void applyPointer(const Control &c, QWidget &w)
{
    if (c.mousePointer() == Control::PointerCustom)
        w.setCursor(Qt::PointingHandCursor);
    else if (auto *e = qobject_cast<QLineEdit *>(&w))
        e->setCursor(e->isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor);
    else
        w.unsetCursor();
}

// Focus that arrives because a window was activated or a menu closed is no focus move of the form.
bool isUserFocusMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

// Whether a menu entry of the window holding the widget has the pressed key combination as its shortcut.
bool isMenuShortcut(const QWidget &w, const QKeyEvent &ke)
{
    if (ke.key() == 0 || ke.key() == Qt::Key_unknown || (ke.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        return false;
    const QKeySequence pressed(ke.keyCombination());
    for (const QWidget *holder = &w; holder; holder = holder->parentWidget()) {
        for (const QAction *a : holder->actions()) {
            if (!a->shortcut().isEmpty() && a->shortcut().matches(pressed) == QKeySequence::ExactMatch)
                return true;
        }
        if (holder->isWindow())
            break;
    }
    return false;
}

} // namespace

MdiClient::MdiClient(QWidget *parent) : QWidget(parent) {}

void MdiClient::updateExtent()
{
    QRect bound;
    for (QObject *o : children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isHidden())
            bound |= w->geometry();
    }
    QSize size(bound.right() + 1, bound.bottom() + 1);
    if (auto *area = qobject_cast<QScrollArea *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        size = size.expandedTo(area->viewport()->size());
    size = size.expandedTo(QSize(1, 1));
    if (size != this->size())
        resize(size);
}

bool MdiClient::event(QEvent *e)
{
    if (e->type() == QEvent::ChildAdded) {
        if (auto *w = qobject_cast<QWidget *>(static_cast<QChildEvent *>(e)->child()))
            w->installEventFilter(this);
    }
    if (e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildRemoved)
        updateExtent();
    return QWidget::event(e);
}

bool MdiClient::eventFilter(QObject *watched, QEvent *e)
{
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        updateExtent();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

FormView::FormView(Form &form, QWidget *host) : form_(&form)
{
    switch (form.kind()) {
    case Form::Kind::MdiParent: {
        auto *main = new FormMainWindow(this);
        mainWindow_ = main;
        window_ = main;
        auto *area = new QScrollArea(main);
        area->setWidgetResizable(false);
        client_ = new MdiClient;
        area->setWidget(client_);
        main->setCentralWidget(area);
        contentParent_ = client_;
        break;
    }
    case Form::Kind::MdiChild:
        window_ = new FormWindow(this, host, host ? Qt::Widget : Qt::Window | Qt::Dialog);
        break;
    case Form::Kind::Dialog:
        window_ = new FormWindow(this, host, Qt::Window | Qt::Dialog);
        break;
    }
    if (!contentParent_)
        contentParent_ = window_;
    window_->setFocusPolicy(Qt::NoFocus);
    // F1 finds the section of the help by the form's name.
    window_->setProperty(kHelpWindowProperty, form.name());
    build();
    form.addObserver(this);
}

FormView::~FormView()
{
    detach();
}

void FormView::detach()
{
    if (detached_)
        return;
    detached_ = true;
    if (form_)
        form_->removeObserver(this);
    for (auto &w : widgets_) {
        if (auto *pw = dynamic_cast<PaintedWidget *>(w.data()))
            pw->forget();
    }
    widgets_.clear();
    controlOf_.clear();
    menus_.clear();
    actions_.clear();
    if (window_) {
        window_->hide();
        window_->deleteLater();
    }
    form_ = nullptr;
}

void FormView::dispatch(const std::function<void()> &action)
{
    if (!form_)
        return;
    try {
        action();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), uncaughtFailureText(e));
    }
    // Back in the event loop no form code runs: windows unloaded by the action can go now.
    formruntime::collect();
}

QWidget *FormView::widgetFor(const Control &control) const
{
    return widgets_.value(&control);
}

QMenu *FormView::menuFor(const Menu &menu) const
{
    return menus_.value(&menu);
}

QAction *FormView::actionFor(const Menu &menu) const
{
    return actions_.value(&menu);
}

QWidget *FormView::parentWidgetFor(const Control &c) const
{
    if (Control *holder = c.container() ? c.container()->asControl() : nullptr) {
        if (QWidget *w = widgets_.value(holder))
            return w;
    }
    return contentParent_;
}

void FormView::build()
{
    for (Control *c : form_->controls())
        buildControl(*c);
    if (mainWindow_) {
        for (Menu *m : form_->menus())
            buildMenu(*m, nullptr);
    }
    syncFormGeometry();
    window_->setWindowTitle(form_->caption());
    if (!colors::isSystem(form_->backColor())) {
        QPalette pal = contentParent_->palette();
        pal.setColor(QPalette::Window, toQColor(form_->backColor()));
        contentParent_->setPalette(pal);
        contentParent_->setAutoFillBackground(true);
    }
}

void FormView::buildControl(Control &c)
{
    if (widgets_.contains(&c))
        return;
    QWidget *parent = parentWidgetFor(c);
    QWidget *w = nullptr;
    Control *cp = &c;
    switch (c.kind()) {
    case Control::Kind::Label: {
        auto *l = new CaptionLabel(parent);
        l->setTextFormat(Qt::PlainText); // a caption is never markup
        w = l;
        break;
    }
    case Control::Kind::TextBox: {
        auto *t = static_cast<TextBox *>(cp);
        if (t->multiLine()) {
            auto *m = new MultiLineEdit(parent);
            connect(m, &MultiLineEdit::edited, this, [this, t](const QString &text, int caret) {
                if (!syncing_)
                    dispatch([&] { t->userEdited(text, caret); });
            });
            w = m;
            break;
        }
        auto *e = new QLineEdit(parent);
        connect(e, &QLineEdit::textEdited, this, [this, t, e](const QString &text) {
            if (!syncing_)
                dispatch([&] { t->userEdited(text, e->cursorPosition()); });
        });
        w = e;
        break;
    }
    case Control::Kind::ComboBox: {
        auto *b = new QComboBox(parent);
        auto *m = static_cast<ComboBox *>(cp);
        b->setInsertPolicy(QComboBox::NoInsert);
        connect(b, QOverload<int>::of(&QComboBox::activated), this, [this, m](int i) {
            if (!syncing_ && !dropRefused(*m))
                dispatch([&] { m->userPick(i); });
            if (form_)
                syncAll(*m);
        });
        w = b;
        break;
    }
    case Control::Kind::ListBox: {
        auto *l = new QListWidget(parent);
        auto *m = static_cast<ListBox *>(cp);
        connect(l, &QListWidget::currentRowChanged, this, [this, m](int row) {
            if (syncing_)
                return;
            if (!dropRefused(*m))
                dispatch([&] { m->userPick(row); });
            // A refused choice puts the model's position back.
            if (form_ && widgets_.contains(m))
                syncControl(*m, Prop::ListIndex);
        });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, m](QListWidgetItem *) {
            dispatch([&] { m->userDoubleClick(); });
        });
        w = l;
        break;
    }
    case Control::Kind::CheckBox: {
        auto *b = new QCheckBox(parent);
        auto *m = static_cast<CheckBox *>(cp);
        connect(b, &QCheckBox::clicked, this, [this, m] {
            if (!dropRefused(*m))
                dispatch([&] { m->userClick(); });
            if (form_)
                syncAll(*m);
        });
        w = b;
        break;
    }
    case Control::Kind::OptionButton: {
        auto *b = new QRadioButton(parent);
        b->setAutoExclusive(false); // the model groups the options by container
        auto *m = static_cast<OptionButton *>(cp);
        connect(b, &QRadioButton::clicked, this, [this, m] {
            if (!dropRefused(*m))
                dispatch([&] { m->userClick(); });
            if (form_)
                syncAll(*m);
        });
        w = b;
        break;
    }
    case Control::Kind::CommandButton: {
        auto *b = new QPushButton(parent);
        b->setAutoDefault(false);
        auto *m = static_cast<CommandButton *>(cp);
        connect(b, &QPushButton::clicked, this, [this, m] {
            if (!dropRefused(*m))
                dispatch([&] { m->userClick(); });
        });
        w = b;
        break;
    }
    case Control::Kind::Frame:
        w = new FrameWidget(parent);
        break;
    case Control::Kind::PictureBox:
    case Control::Kind::Line:
    case Control::Kind::Shape:
    case Control::Kind::Image:
        w = new PaintedWidget(c, parent);
        if (c.kind() == Control::Kind::Line || c.kind() == Control::Kind::Shape)
            w->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    case Control::Kind::StatusBar:
        if (mainWindow_) {
            statusLabel_ = new QLabel;
            statusLabel_->setTextFormat(Qt::PlainText);
            mainWindow_->statusBar()->addWidget(statusLabel_, 1);
            w = statusLabel_;
        } else {
            w = new QLabel(parent);
        }
        break;
    case Control::Kind::Timer:
    case Control::Kind::Menu:
        return;
    }
    w->setObjectName(c.name());
    w->setFocusPolicy(c.canHoldFocus() ? Qt::StrongFocus : Qt::NoFocus);
    w->setMouseTracking(true);
    w->installEventFilter(this);
    // A click lands on the part under the mouse (a list's entry area, a scroll bar), which gives the focus.
    if (c.canHoldFocus()) {
        for (QWidget *part : w->findChildren<QWidget *>())
            part->installEventFilter(this);
    }
    widgets_.insert(&c, w);
    controlOf_.insert(w, &c);
    if (auto *combo = qobject_cast<QComboBox *>(w))
        setComboEditable(*combo, static_cast<ComboBox &>(c));
    if (!w->isWindow() && w != statusLabel_)
        placeInLayer(*w, stackingLayer(c.kind()));
    syncAll(c);
}

void FormView::placeInLayer(QWidget &w, int layer)
{
    // Siblings are kept bottom first: go on top, then just under the lowest sibling of a higher layer.
    w.raise();
    for (QObject *o : w.parentWidget()->children()) {
        auto *sibling = qobject_cast<QWidget *>(o);
        if (!sibling || sibling == &w || sibling->isWindow())
            continue;
        const Control *other = controlOf_.value(sibling);
        const int otherLayer = other ? stackingLayer(other->kind()) : stackingLayer(Control::Kind::Frame);
        if (otherLayer > layer) {
            w.stackUnder(sibling);
            break;
        }
    }
}

void FormView::setComboEditable(QComboBox &combo, ComboBox &model)
{
    if (combo.isEditable() == model.editable())
        return;
    if (QLineEdit *old = combo.lineEdit())
        controlOf_.remove(old);
    combo.setEditable(model.editable());
    QLineEdit *edit = combo.lineEdit();
    if (!edit)
        return;
    // The list completes nothing the user types: what is typed is the text.
    combo.setCompleter(nullptr);
    // The edit line takes the focus and the typing in the combo's place; only typing raises Change, not the
    // text that a choice from the list puts there.
    edit->installEventFilter(this);
    controlOf_.insert(edit, &model);
    ComboBox *m = &model;
    connect(edit, &QLineEdit::textEdited, this, [this, m](const QString &text) {
        if (!syncing_)
            dispatch([&] { m->userEdited(text); });
    });
}

void FormView::buildMenu(Menu &m, QWidget *parentMenu)
{
    QAction *action = nullptr;
    if (m.isSeparator()) {
        action = new QAction(parentMenu ? static_cast<QObject *>(parentMenu) : this);
        action->setSeparator(true);
    } else if (m.hasEntries()) {
        auto *menu = new QMenu(m.caption(), parentMenu ? parentMenu : mainWindow_.data());
        menu->setObjectName(m.name());
        menus_.insert(&m, menu);
        Menu *mp = &m;
        // The title's Click runs as the menu opens, before any entry can be chosen.
        connect(menu, &QMenu::aboutToShow, this, [this, mp] { dispatch([&] { mp->userOpen(); }); });
        action = menu->menuAction();
        for (Menu *e : m.entries())
            buildMenu(*e, menu);
    } else {
        action = new QAction(m.caption(), parentMenu ? static_cast<QObject *>(parentMenu) : this);
        Menu *mp = &m;
        connect(action, &QAction::triggered, this, [this, mp] { dispatch([&] { mp->userChoose(); }); });
        // Shortcuts work while the menu is closed, so the action must sit on the window too.
        mainWindow_->addAction(action);
    }
    action->setObjectName(m.name());
    actions_.insert(&m, action);
    if (auto *pm = qobject_cast<QMenu *>(parentMenu))
        pm->addAction(action);
    else
        mainWindow_->menuBar()->addAction(action);
    syncAll(m);
}

void FormView::adoptWindowGeometry()
{
    if (!form_ || !window_ || !window_->isWindow() || adoptingGeometry_ || !window_->isVisible())
        return;
    const QRect g = window_->geometry();
    const int left = window_->x() * kTwipsPerPixel, top = window_->y() * kTwipsPerPixel;
    const int width = g.width() * kTwipsPerPixel, height = g.height() * kTwipsPerPixel;
    // Within a pixel the model already holds it (twips are finer than pixels).
    if (px(form_->left()) == window_->x() && px(form_->top()) == window_->y() && px(form_->width()) == g.width() &&
        px(form_->height()) == g.height())
        return;
    adoptingGeometry_ = true;
    form_->move(left, top, width, height);
    adoptingGeometry_ = false;
}

void FormView::syncFormGeometry()
{
    if (!window_ || adoptingGeometry_)
        return;
    const QRect r = toRect(form_->left(), form_->top(), form_->width(), form_->height());
    if (window_->isWindow()) {
        window_->move(r.topLeft());
        window_->resize(r.size());
    } else {
        window_->setGeometry(r);
    }
}

void FormView::syncVisibility()
{
    if (!form_ || !window_)
        return;
    const bool show = form_->visible() && form_->isLoaded();
    if (show && window_->isWindow())
        window_->setWindowModality(form_->isModal() ? Qt::ApplicationModal : Qt::NonModal);
    window_->setVisible(show);
    if (show)
        syncFocus();
}

void FormView::syncFocus()
{
    if (!form_)
        return;
    Control *active = form_->activeControl();
    QWidget *w = active ? widgets_.value(active) : nullptr;
    if (!w || !w->isVisible() || w->hasFocus())
        return;
    const bool was = syncing_;
    syncing_ = true;
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        combo->lineEdit()->setFocus(Qt::OtherFocusReason);
    else
        w->setFocus(Qt::OtherFocusReason);
    syncing_ = was;
}

void FormView::formChanged(Form &form, Prop what)
{
    if (&form != form_)
        return;
    switch (what) {
    case Prop::Caption:
        window_->setWindowTitle(form.caption());
        break;
    case Prop::Geometry:
        syncFormGeometry();
        break;
    case Prop::Visible:
        syncVisibility();
        break;
    case Prop::Focus:
        syncFocus();
        break;
    case Prop::Colors:
        if (!colors::isSystem(form.backColor())) {
            QPalette pal = contentParent_->palette();
            pal.setColor(QPalette::Window, toQColor(form.backColor()));
            contentParent_->setPalette(pal);
            contentParent_->setAutoFillBackground(true);
        }
        break;
    case Prop::Loaded:
    case Prop::Destroyed:
        if (what == Prop::Loaded && form.isLoaded())
            break;
        detach();
        emit finished(this);
        break;
    default:
        break;
    }
}

void FormView::controlChanged(Control &control, Prop what)
{
    if (what == Prop::Destroyed) {
        if (QPointer<QWidget> w = widgets_.take(&control)) {
            if (auto *pw = dynamic_cast<PaintedWidget *>(w.data()))
                pw->forget();
            controlOf_.remove(w);
            w->deleteLater();
        }
        return;
    }
    if (control.kind() == Control::Kind::Menu) {
        auto &m = static_cast<Menu &>(control);
        if (what == Prop::Items && !actions_.contains(&m)) {
            return;
        }
        if (!actions_.contains(&m) && mainWindow_ && !m.parentMenu())
            buildMenu(m, nullptr);
        else if (!actions_.contains(&m) && mainWindow_ && menus_.contains(m.parentMenu()))
            buildMenu(m, menus_.value(m.parentMenu()));
        else
            syncAll(m);
        return;
    }
    if (!widgets_.contains(&control))
        buildControl(control);
    else
        syncControl(control, what);
}

void FormView::syncAll(Control &c)
{
    for (Prop p : {Prop::Geometry, Prop::Caption, Prop::Items, Prop::ListIndex, Prop::Value, Prop::Style, Prop::Colors,
                   Prop::Font, Prop::Enabled, Prop::Picture, Prop::Selection, Prop::Visible})
        syncControl(c, p);
}

void FormView::syncControl(Control &c, Prop what)
{
    const bool was = syncing_;
    syncing_ = true;
    struct Restore {
        bool &flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{syncing_, was};

    if (c.kind() == Control::Kind::Menu) {
        auto &m = static_cast<Menu &>(c);
        QAction *a = actions_.value(&m);
        if (!a)
            return;
        switch (what) {
        case Prop::Caption:
            if (!m.isSeparator())
                a->setText(m.caption());
            break;
        case Prop::Visible:
            a->setVisible(m.visible());
            break;
        case Prop::Enabled:
            a->setEnabled(m.enabled());
            break;
        case Prop::Value:
            a->setCheckable(m.checked());
            a->setChecked(m.checked());
            break;
        case Prop::Style:
            a->setShortcut(QKeySequence(m.shortcut()));
            break;
        default:
            break;
        }
        return;
    }

    QWidget *w = widgets_.value(&c);
    if (!w)
        return;
    switch (what) {
    case Prop::Geometry:
        if (c.kind() == Control::Kind::StatusBar && mainWindow_)
            break;
        if (c.kind() == Control::Kind::Line) {
            auto &l = static_cast<Line &>(c);
            const int pad = l.borderWidth();
            w->setGeometry(toRect(l.left(), l.top(), l.width(), l.height()).adjusted(-pad, -pad, pad, pad));
        } else {
            w->setGeometry(toRect(c.left(), c.top(), c.width(), c.height()));
        }
        w->update();
        break;
    case Prop::Visible:
        if (c.kind() == Control::Kind::StatusBar && mainWindow_)
            mainWindow_->statusBar()->setVisible(c.visible());
        else
            w->setVisible(c.visible());
        break;
    case Prop::Enabled:
        w->setEnabled(c.enabled());
        break;
    case Prop::Colors: {
        QPalette pal = w->parentWidget() ? w->parentWidget()->palette() : QApplication::palette();
        if (!colors::isSystem(c.foreColor())) {
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                pal.setColor(role, toQColor(c.foreColor()));
        }
        const bool ownBack = !colors::isSystem(c.backColor());
        if (ownBack) {
            for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
                pal.setColor(role, toQColor(c.backColor()));
        } else if (c.kind() == Control::Kind::TextBox && c.backColor() == colors::ButtonFace) {
            // A field in the colour of its dialog (link fields).
            pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        }
        w->setPalette(pal);
        if (c.kind() == Control::Kind::Label)
            w->setAutoFillBackground(static_cast<Label &>(c).opaque());
        else if (c.kind() != Control::Kind::Line && c.kind() != Control::Kind::Shape)
            w->setAutoFillBackground(ownBack);
        w->update();
        break;
    }
    case Prop::Font: {
        const QFont f = formFont(c);
        if (w->font() != f)
            w->setFont(f);
        break;
    }
    case Prop::Picture:
    case Prop::Style:
    case Prop::Caption:
    case Prop::Items:
    case Prop::ListIndex:
    case Prop::Value:
    case Prop::Selection:
        switch (c.kind()) {
        case Control::Kind::Label:
            syncLabel(static_cast<Label &>(c), *static_cast<CaptionLabel *>(w));
            break;
        case Control::Kind::StatusBar: {
            auto *q = static_cast<QLabel *>(w);
            if (q->text() != static_cast<::StatusBar &>(c).text())
                q->setText(static_cast<::StatusBar &>(c).text());
            break;
        }
        case Control::Kind::TextBox:
            if (auto *m = qobject_cast<MultiLineEdit *>(w)) {
                const auto &t = static_cast<TextBox &>(c);
                m->showModelText(t.text());
                m->setReadOnly(t.locked());
                if (what == Prop::Selection)
                    m->showModelSelection(t.selStart(), t.selLength());
                break;
            }
            syncTextBox(static_cast<TextBox &>(c), *static_cast<QLineEdit *>(w), what);
            break;
        case Control::Kind::ComboBox: {
            auto &m = static_cast<ComboBox &>(c);
            auto *b = static_cast<QComboBox *>(w);
            setComboEditable(*b, m);
            syncComboBox(m, *b);
            break;
        }
        case Control::Kind::ListBox:
            syncListBox(static_cast<ListBox &>(c), *static_cast<QListWidget *>(w));
            break;
        case Control::Kind::CheckBox:
            syncCheckBox(static_cast<CheckBox &>(c), *static_cast<QCheckBox *>(w));
            break;
        case Control::Kind::OptionButton:
            syncOptionButton(static_cast<OptionButton &>(c), *static_cast<QRadioButton *>(w));
            break;
        case Control::Kind::CommandButton:
            syncCommandButton(static_cast<CommandButton &>(c), *static_cast<QPushButton *>(w));
            break;
        case Control::Kind::Frame:
            syncFrame(static_cast<Frame &>(c), *static_cast<FrameWidget *>(w));
            break;
        default:
            w->update();
            break;
        }
        break;
    case Prop::Capture:
        if (c.hasMouseCapture())
            w->grabMouse();
        else if (QWidget::mouseGrabber() == w)
            w->releaseMouse();
        break;
    default:
        break;
    }
    // After the text field's own settings: making it read-only sets a pointer of its own.
    if (what == Prop::Style)
        applyPointer(c, *w);
}

bool FormView::dropRefused(const Control &c)
{
    if (refused_ != &c)
        return false;
    refused_ = nullptr;
    return true;
}

void FormView::requestClose()
{
    dispatch([&] { form_->userClose(); });
}

bool FormView::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!form_ || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    bool handled = false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        dispatch([&] { handled = form_->pressEnter(); });
    else if (key == Qt::Key_Escape)
        dispatch([&] { handled = form_->pressEscape(); });
    return handled;
}

void FormView::userMovedFocus(Control &c)
{
    dispatch([&] { form_->setFocus(c); });
    // The control being left kept the focus (its Validate): the click or choice that brought the focus here is
    // dropped, as it would ask the same question again.
    refused_ = form_ && form_->focusRefused() ? &c : nullptr;
    // A handler may have put the focus elsewhere.
    QMetaObject::invokeMethod(this, [this] { syncFocus(); }, Qt::QueuedConnection);
}

void FormView::pressedInInactiveWindow(QWidget &pressed)
{
    // Qt gives the focus at the press, but tells the control only when the window has become active, and then as
    // the window's focus restored; without a window manager that activation follows the click.
    QWidget *focus = pressed.window()->focusWidget();
    Control *c = controlOf_.value(focus);
    if (c && !syncing_ && c->canHoldFocus() && (focus == &pressed || focus->isAncestorOf(&pressed)))
        userMovedFocus(*c);
}

bool FormView::eventFilter(QObject *watched, QEvent *e)
{
    // Only the widget under the mouse sees the press as the user's; its parents get it as passed on.
    if (e->type() == QEvent::MouseButtonPress && e->spontaneous() && form_) {
        if (auto *pressed = qobject_cast<QWidget *>(watched); pressed && !pressed->isActiveWindow())
            pressedInInactiveWindow(*pressed);
    }
    Control *c = controlOf_.value(watched);
    if (!c || !form_)
        return QObject::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        // A text line would take Ctrl+E as "end of line"; the menus' keys go to the menus, as on the platform.
        if (isMenuShortcut(*static_cast<QWidget *>(watched), *static_cast<QKeyEvent *>(e))) {
            e->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(e);
        const bool tab = ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab;
        if (tab && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const bool back = ke->key() == Qt::Key_Backtab || (ke->modifiers() & Qt::ShiftModifier);
            dispatch([&] { form_->pressTab(back); });
            return true;
        }
        // Alt with a character belongs to the menu bar, as on the platform: it types no letter into a field and
        // makes no list jump to an entry. AltGr comes as Ctrl+Alt on some systems and types as usual.
        if ((ke->modifiers() & Qt::AltModifier) && !(ke->modifiers() & Qt::ControlModifier) && !ke->text().isEmpty())
            return true;
        break;
    }
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(e)->reason();
        if (!syncing_ && isUserFocusMove(reason) && c->canHoldFocus())
            userMovedFocus(*c);
        break;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(e);
        const QPointF p = me->position();
        const int button = (me->buttons() & Qt::LeftButton ? 1 : 0) | (me->buttons() & Qt::RightButton ? 2 : 0);
        const int shift = (me->modifiers() & Qt::ShiftModifier ? 1 : 0) |
                          (me->modifiers() & Qt::ControlModifier ? 2 : 0) |
                          (me->modifiers() & Qt::AltModifier ? 4 : 0);
        dispatch([&] {
            c->userMouseMove(button, shift, static_cast<float>(p.x() * kTwipsPerPixel),
                             static_cast<float>(p.y() * kTwipsPerPixel));
        });
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() != Qt::LeftButton || !QRect(QPoint(0, 0), static_cast<QWidget *>(watched)->size())
                                                       .contains(me->position().toPoint()))
            break;
        switch (c->kind()) {
        // A click belongs to the control under the mouse alone: the container it sits in (a flag on the start
        // picture) must not see it as its own click as well.
        case Control::Kind::Label:
            dispatch([&] { static_cast<Label *>(c)->userClick(); });
            me->accept();
            return true;
        case Control::Kind::Image:
            dispatch([&] { static_cast<Image *>(c)->userClick(); });
            me->accept();
            return true;
        case Control::Kind::PictureBox:
            dispatch([&] { static_cast<PictureBox *>(c)->userClick(); });
            me->accept();
            return true;
        case Control::Kind::TextBox:
            dispatch([&] { static_cast<TextBox *>(c)->userClick(); });
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

} // namespace qtui
