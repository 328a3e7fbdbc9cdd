#include "platform/forms/timer.h"

#include "platform/forms/form.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace {
bool g_clockDriven = false;
}

Timer::Timer(Container *parent, const QString &name) : Control(parent, name, Kind::Timer)
{
    setTabStop(false);
}

Timer::~Timer()
{
    // The clock may be the sender of the tick that led here: let the event loop delete it.
    if (clock_) {
        clock_->stop();
        if (QCoreApplication::instance())
            clock_.release()->deleteLater();
    }
}

void Timer::setInterval(int ms)
{
    interval_ = std::max(0, ms);
    notify(Prop::Style);
    updateClock();
}

void Timer::tick()
{
    if (enabled() && interval_ > 0 && form().state() != Form::State::Unloaded)
        raise(Tick);
}

void Timer::setClockDriven(bool on)
{
    g_clockDriven = on;
    for (Form *f : Form::liveForms()) {
        for (Control *c : f->controls()) {
            if (c->kind() == Kind::Timer)
                static_cast<Timer *>(c)->updateClock();
        }
    }
}

bool Timer::clockDriven()
{
    return g_clockDriven;
}

bool Timer::clockRunning() const
{
    return clock_ && clock_->isActive();
}

void Timer::updateClock()
{
    const bool run = g_clockDriven && QCoreApplication::instance() && enabled() && interval_ > 0 && form().isLoaded();
    if (!run) {
        if (clock_)
            clock_->stop();
        return;
    }
    if (!clock_) {
        clock_ = std::make_unique<QTimer>();
        // A tick comes straight from the event loop: afterwards no form code runs, so unloaded windows can go.
        clock_->callOnTimeout([this] {
            tick();
            formruntime::collect();
        });
    }
    clock_->start(interval_);
}
