#include "platform/forms/control.h"

#include "platform/forms/form.h"

#include <algorithm>

namespace {
Control *g_capture = nullptr;

Form *formOf(Container *parent)
{
    return parent ? &parent->containerForm() : nullptr;
}
} // namespace

Control::Control(Container *parent, const QString &name, Kind kind)
    : form_(formOf(parent)), parent_(parent), name_(name), kind_(kind)
{
    Q_ASSERT(form_);
    parent_->children_.push_back(this);
    form_->controls_.push_back(this);
}

Control::~Control()
{
    form_->notifyControl(*this, Prop::Destroyed);
    auto &siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    auto &all = form_->controls_;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (form_->active_ == this)
        form_->active_ = nullptr;
    if (form_->pendingGotFocus_ == this)
        form_->pendingGotFocus_ = nullptr;
    if (g_capture == this)
        g_capture = nullptr;
}

void Control::move(int left, int top, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
}

void Control::setVisible(bool v)
{
    if (v == visible_)
        return;
    visible_ = v;
    notify(Prop::Visible);
}

void Control::setEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    notify(Prop::Enabled);
}

bool Control::isShownAndEnabled() const
{
    for (const Control *c = this; c; c = c->parent_ ? c->parent_->asControl() : nullptr) {
        if (!c->visible_ || !c->enabled_)
            return false;
    }
    return true;
}

void Control::setForeColor(int c)
{
    if (c == foreColor_)
        return;
    foreColor_ = c;
    notify(Prop::Colors);
}

void Control::setBackColor(int c)
{
    if (c == backColor_)
        return;
    backColor_ = c;
    notify(Prop::Colors);
}

void Control::setFontName(const QString &n)
{
    fontName_ = n;
    notify(Prop::Font);
}

void Control::setFontSize(double points)
{
    if (!(points > 0.0) || points > 2048.0) // also refuses NaN
        return;
    fontSize_ = points;
    notify(Prop::Font);
}

void Control::setFontBold(bool b)
{
    if (b == fontBold_)
        return;
    fontBold_ = b;
    notify(Prop::Font);
}

void Control::setFontItalic(bool b)
{
    if (b == fontItalic_)
        return;
    fontItalic_ = b;
    notify(Prop::Font);
}

void Control::setFontUnderline(bool b)
{
    if (b == fontUnderline_)
        return;
    fontUnderline_ = b;
    notify(Prop::Font);
}

void Control::setMousePointer(int pointer)
{
    if (pointer == mousePointer_)
        return;
    mousePointer_ = pointer;
    notify(Prop::Style);
}

void Control::setTabIndex(int i)
{
    tabIndex_ = std::max(0, i);
    notify(Prop::TabOrder);
}

bool Control::setFocus()
{
    return form_->setFocus(*this);
}

bool Control::hasFocus() const
{
    return form_->activeControl() == this;
}

void Control::captureMouse()
{
    if (g_capture == this)
        return;
    Control *old = g_capture;
    g_capture = this;
    if (old)
        old->notify(Prop::Capture);
    notify(Prop::Capture);
}

void Control::releaseMouse()
{
    // The platform's release ends whichever capture there is.
    Control *old = g_capture;
    g_capture = nullptr;
    if (old)
        old->notify(Prop::Capture);
}

bool Control::hasMouseCapture() const
{
    return g_capture == this;
}

void Control::userMouseMove(int button, int shift, float x, float y)
{
    if (!isShownAndEnabled() && !hasMouseCapture())
        return;
    if (MouseMove) {
        formruntime::EventScope scope;
        MouseMove(button, shift, x, y);
    }
}

void Control::notify(Prop what)
{
    changed(what);
    form_->notifyControl(*this, what);
}

void Control::raise(const std::function<void()> &event)
{
    if (!event)
        return;
    formruntime::EventScope scope;
    event();
}
