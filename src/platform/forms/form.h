#pragma once

#include "platform/forms/control.h"

#include <QString>
#include <memory>
#include <vector>

class Menu;
class Timer;

// A window of the program. A window class derives from Form, declares its controls as members under their
// given names (constructed with `this` or their frame as container) and its handlers as member functions, and
// connects them in its constructor: `txtp1max.Change = [this] { txtp1max_Change(); };`.
// Form_Load and Form_Unload are virtual hooks. Positions and sizes are in twips.
class Form : public Container {
public:
    enum class Kind {
        Dialog,    // a top-level window (dialogs, shown modal or modeless)
        MdiParent, // the main window: menus, status bar, and a client area for its child
        MdiChild   // a sheet inside the main window's client area; loading it shows it
    };
    enum class State { Created, Loaded, Unloaded };

    explicit Form(const QString &name);
    ~Form() override;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const QString &name() const { return name_; }
    Kind kind() const { return kind_; }
    void setKind(Kind k) { kind_ = k; }

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v) { move(v, top_, width_, height_); }
    void setTop(int v) { move(left_, v, width_, height_); }
    void setWidth(int v) { move(left_, top_, v, height_); }
    void setHeight(int v) { move(left_, top_, width_, v); }
    void move(int left, int top, int width, int height);
    // Left := (screen width - width) / 2, top likewise, in single precision and not clamped (a window larger
    // than the screen gets a negative position).
    void centerOnScreen();

    int backColor() const { return backColor_; }
    void setBackColor(int c);

    // Every control of the form in declaration order (menus included), and the menu bar's titles.
    const std::vector<Control *> &controls() const { return controls_; }
    std::vector<Menu *> menus() const;
    // First control of that name (case-insensitive); null when there is none.
    Control *control(const QString &name) const;

    // --- Lifecycle
    State state() const { return state_; }
    bool isLoaded() const { return state_ == State::Loaded; }
    // Runs Form_Load once; later calls do nothing. An MDI child is shown by loading.
    void load();
    // Loads if needed and shows the window without waiting.
    void show();
    // Loads if needed, shows the window modal and returns when it has been hidden or unloaded.
    void showModal();
    bool isModal() const { return modalDepth_ > 0; }
    bool visible() const { return visible_; }
    void hide();
    // Form_Unload may refuse (Cancel != 0): then false and nothing changes. Unloading an MDI parent unloads its
    // children first. Afterwards the window is gone and the form is Unloaded; a form not loaded gives true.
    bool unload();
    // The user closes the window (close box): the same as unload.
    bool userClose() { return unload(); }

    // --- Focus
    // The control that holds this form's focus, or null.
    Control *activeControl() const { return active_; }
    // Validate of the old control (when the new one causes validation), LostFocus of the old control, then
    // GotFocus of the new one; nothing when it already has the focus. False when the control cannot take the
    // focus (hidden, disabled, or a kind that never does) or when the old control's Validate cancelled.
    bool setFocus(Control &control);
    // Whether the last focus move was refused by a Validate handler (the user's click that wanted the focus
    // then does nothing else).
    bool focusRefused() const { return focusRefused_; }
    // Tab (or Shift+Tab): the next control in tab order takes the focus.
    bool pressTab(bool backwards = false);
    // Enter presses the default button, Esc the cancel button (if shown and enabled). False when there is none.
    bool pressEnter();
    bool pressEscape();
    // Controls that take part in Tab, in tab order.
    std::vector<Control *> tabOrder() const;

    // --- Observers (renderer)
    void addObserver(FormObserver *o);
    void removeObserver(FormObserver *o);
    void notifyForm(Prop what);
    void notifyControl(Control &c, Prop what);

    // Every form object that exists, in creation order, and the loaded MDI parent (null when none).
    static const std::vector<Form *> &liveForms();
    static Form *mdiParent();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int &Cancel) { (void)Cancel; }

private:
    friend class Control;
    void focusFirst();
    void setState(State s);

    QString name_;
    Kind kind_ = Kind::Dialog;
    QString caption_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 4800;
    int height_ = 3600;
    int backColor_ = colors::ButtonFace;
    State state_ = State::Created;
    bool visible_ = false;
    bool unloading_ = false;
    bool validating_ = false;
    bool focusRefused_ = false;
    int modalDepth_ = 0;
    std::vector<Control *> controls_;
    std::vector<FormObserver *> observers_;
    Control *active_ = nullptr;
    Control *pendingGotFocus_ = nullptr;
};

namespace formruntime {
// Handlers run inside event scopes. A default instance retires the form it unloads; retired forms are destroyed
// by collect(), which does nothing while any scope is open. The renderer collects after each user action it has
// passed on (no form code is running then); headless code and tests may call collect() where they know that no
// code of a retired form is still on the stack.
class EventScope {
public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope &) = delete;
    EventScope &operator=(const EventScope &) = delete;
};
int eventDepth();
void retire(std::unique_ptr<Form> form);
void collect();
} // namespace formruntime
