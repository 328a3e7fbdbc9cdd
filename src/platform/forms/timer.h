#pragma once

#include "platform/forms/control.h"

#include <memory>

class QTimer;

// Raises Tick every Interval milliseconds while enabled (Interval 0 stops it) and its form is loaded.
// Headless, nothing ticks by itself: tests call tick(). The desktop program switches the clock on once
// (setClockDriven), and then a QTimer drives every timer.
class Timer : public Control {
public:
    Timer(Container *parent, const QString &name);
    ~Timer() override;

    int interval() const { return interval_; }
    // Negative values count as 0. A new interval restarts the count.
    void setInterval(int ms);

    // One tick as the clock would deliver it: raises Tick when enabled with an interval above 0.
    void tick();

    static void setClockDriven(bool on);
    static bool clockDriven();
    bool clockRunning() const;

    std::function<void()> Tick;

    // Restarts or stops the clock after a change of interval, enabled state or form state.
    void updateClock();

protected:
    void changed(Prop what) override
    {
        if (what == Prop::Enabled)
            updateClock();
    }

private:
    int interval_ = 0;
    std::unique_ptr<QTimer> clock_;
};
