#include "platform/forms/form.h"

#include "platform/forms/buttons.h"
#include "platform/forms/menu.h"
#include "platform/forms/timer.h"
#include "platform/forms/ui_services.h"

#include <algorithm>
#include <cmath>

namespace {
// Never destroyed: forms held in static objects may go after any other static.
std::vector<Form *> &registry()
{
    static auto *forms = new std::vector<Form *>;
    return *forms;
}

int g_depth = 0;

std::vector<std::unique_ptr<Form>> &graveyard()
{
    static auto *forms = new std::vector<std::unique_ptr<Form>>;
    return *forms;
}
} // namespace

namespace formruntime {
EventScope::EventScope()
{
    ++g_depth;
}

EventScope::~EventScope()
{
    --g_depth;
}

int eventDepth()
{
    return g_depth;
}

void retire(std::unique_ptr<Form> form)
{
    if (form)
        graveyard().push_back(std::move(form));
}

void collect()
{
    if (g_depth != 0)
        return;
    // Destroying a form runs no handler, but take the list first in case a destructor retires another.
    while (!graveyard().empty()) {
        std::vector<std::unique_ptr<Form>> dead;
        dead.swap(graveyard());
    }
}
} // namespace formruntime

Form::Form(const QString &name) : Container(this), name_(name)
{
    registry().push_back(this);
}

Form::~Form()
{
    for (FormObserver *o : std::vector<FormObserver *>(observers_))
        o->formChanged(*this, Prop::Destroyed);
    auto &r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

const std::vector<Form *> &Form::liveForms()
{
    return registry();
}

Form *Form::mdiParent()
{
    for (Form *f : registry()) {
        if (f->kind_ == Kind::MdiParent && f->isLoaded())
            return f;
    }
    return nullptr;
}

void Form::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notifyForm(Prop::Caption);
}

void Form::move(int left, int top, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notifyForm(Prop::Geometry);
}

void Form::centerOnScreen()
{
    UiServices &ui = uiServices();
    const float left = static_cast<float>(ui.screenWidthTwips() - width_) / 2.0f;
    const float top = static_cast<float>(ui.screenHeightTwips() - height_) / 2.0f;
    move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), width_, height_);
}

void Form::setBackColor(int c)
{
    if (c == backColor_)
        return;
    backColor_ = c;
    notifyForm(Prop::Colors);
}

std::vector<Menu *> Form::menus() const
{
    std::vector<Menu *> titles;
    for (Control *c : controls_) {
        if (c->kind() == Control::Kind::Menu) {
            auto *m = static_cast<Menu *>(c);
            if (!m->parentMenu())
                titles.push_back(m);
        }
    }
    return titles;
}

Control *Form::control(const QString &name) const
{
    for (Control *c : controls_) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

void Form::setState(State s)
{
    state_ = s;
    for (Control *c : controls_) {
        if (c->kind() == Control::Kind::Timer)
            static_cast<Timer *>(c)->updateClock();
    }
}

void Form::load()
{
    if (state_ != State::Created)
        return;
    setState(State::Loaded);
    {
        formruntime::EventScope scope;
        Form_Load();
    }
    if (kind_ == Kind::MdiChild && isLoaded() && !visible_)
        show();
}

void Form::show()
{
    load();
    if (!isLoaded())
        return;
    if (!visible_) {
        visible_ = true;
        notifyForm(Prop::Visible);
    }
    uiServices().showForm(*this);
    if (!active_)
        focusFirst();
}

void Form::showModal()
{
    // Keeps this form alive through the modal run, even when it is unloaded in there.
    formruntime::EventScope scope;
    load();
    if (!isLoaded())
        return;
    ++modalDepth_;
    if (!visible_) {
        visible_ = true;
        notifyForm(Prop::Visible);
    }
    uiServices().showForm(*this);
    if (!active_)
        focusFirst();
    if (visible_ && isLoaded())
        uiServices().runModal(*this);
    --modalDepth_;
}

void Form::hide()
{
    if (!visible_)
        return;
    visible_ = false;
    notifyForm(Prop::Visible);
}

bool Form::unload()
{
    if (state_ != State::Loaded)
        return true;
    if (unloading_)
        return false;
    // One scope around everything: a default instance retires the form as it is unloaded, and the object must
    // stay alive until this function is done with it.
    formruntime::EventScope scope;
    if (kind_ == Kind::MdiParent) {
        for (Form *f : std::vector<Form *>(registry())) {
            const bool stillThere = std::find(registry().begin(), registry().end(), f) != registry().end();
            if (stillThere && f != this && f->kind_ == Kind::MdiChild && f->isLoaded() && !f->unload())
                return false;
        }
    }
    unloading_ = true;
    int cancel = 0;
    Form_Unload(cancel);
    unloading_ = false;
    if (cancel != 0 || state_ != State::Loaded)
        return state_ != State::Loaded;
    visible_ = false;
    active_ = nullptr;
    pendingGotFocus_ = nullptr;
    for (Control *c : controls_) {
        if (c->hasMouseCapture())
            c->releaseMouse();
    }
    setState(State::Unloaded);
    notifyForm(Prop::Visible);
    notifyForm(Prop::Loaded);
    return true;
}

bool Form::setFocus(Control &control)
{
    focusRefused_ = false;
    if (&control.form() != this || !control.canHoldFocus() || !control.isShownAndEnabled())
        return false;
    if (&control == active_)
        return true;
    // The control being left may refuse; a focus move made inside its own Validate handler asks no second time.
    Control *leaving = active_;
    if (leaving && leaving != pendingGotFocus_ && leaving->Validate && control.causesValidation() && !validating_) {
        int cancel = 0;
        {
            formruntime::EventScope scope;
            validating_ = true;
            leaving->Validate(cancel);
            validating_ = false;
        }
        if (cancel != 0) {
            focusRefused_ = true;
            return false;
        }
        // The handler may have moved the focus, unloaded the form or disabled the target.
        if (state_ != State::Loaded || !control.isShownAndEnabled())
            return false;
        if (&control == active_)
            return true;
    }
    Control *old = active_;
    // A control that was given the focus inside a LostFocus handler but whose GotFocus has not run yet never
    // really had it: it loses nothing.
    const bool oldHadFocus = old && old != pendingGotFocus_;
    active_ = &control;
    pendingGotFocus_ = &control;
    notifyForm(Prop::Focus);
    if (oldHadFocus)
        Control::raise(old->LostFocus);
    if (active_ == &control && pendingGotFocus_ == &control) {
        pendingGotFocus_ = nullptr;
        Control::raise(control.GotFocus);
    }
    return true;
}

std::vector<Control *> Form::tabOrder() const
{
    std::vector<Control *> order;
    for (Control *c : controls_) {
        if (c->canHoldFocus() && c->tabStop() && c->isShownAndEnabled())
            order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Control *a, const Control *b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

void Form::focusFirst()
{
    const auto order = tabOrder();
    if (!order.empty())
        setFocus(*order.front());
}

bool Form::pressTab(bool backwards)
{
    const auto order = tabOrder();
    if (order.empty())
        return false;
    const auto n = static_cast<long>(order.size());
    long at = std::find(order.begin(), order.end(), active_) - order.begin();
    long next;
    if (at >= n) // no focus yet, or the focus sits on a control outside the order
        next = backwards ? n - 1 : 0;
    else
        next = backwards ? (at + n - 1) % n : (at + 1) % n;
    return setFocus(*order[static_cast<size_t>(next)]);
}

namespace {
CommandButton *findButton(const std::vector<Control *> &controls, bool cancel)
{
    for (Control *c : controls) {
        if (c->kind() != Control::Kind::CommandButton)
            continue;
        auto *b = static_cast<CommandButton *>(c);
        if ((cancel ? b->isCancel() : b->isDefault()) && b->isShownAndEnabled())
            return b;
    }
    return nullptr;
}
} // namespace

bool Form::pressEnter()
{
    CommandButton *b = findButton(controls_, false);
    if (!b)
        return false;
    b->press();
    return true;
}

bool Form::pressEscape()
{
    CommandButton *b = findButton(controls_, true);
    if (!b)
        return false;
    b->press();
    return true;
}

void Form::addObserver(FormObserver *o)
{
    if (o && std::find(observers_.begin(), observers_.end(), o) == observers_.end())
        observers_.push_back(o);
}

void Form::removeObserver(FormObserver *o)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void Form::notifyForm(Prop what)
{
    for (FormObserver *o : std::vector<FormObserver *>(observers_)) {
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
            o->formChanged(*this, what);
    }
}

void Form::notifyControl(Control &c, Prop what)
{
    for (FormObserver *o : std::vector<FormObserver *>(observers_)) {
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
            o->controlChanged(c, what);
    }
}
