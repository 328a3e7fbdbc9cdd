#pragma once

#include "platform/forms/form.h"
#include "platform/qt/control_widgets.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class Menu;
class ComboBox;
class QAction;
class QComboBox;
class QMenu;
class QMainWindow;
class QLabel;

namespace qtui {

// The main window's client area: holds its own controls and the MDI child, and grows to the extent of what it
// holds so that the scroll area around it can scroll a tall sheet.
class MdiClient : public QWidget {
public:
    explicit MdiClient(QWidget *parent = nullptr);
    void updateExtent();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
};

// Mirrors one Form as Qt widgets: one widget per control, 15 twips per pixel. Model changes update the widgets;
// the user's typing, clicks, list choices, menu choices and focus moves go to the model, which decides.
// Focus arriving through a window switch or a menu is not a focus move of the form.
class FormView : public QObject, public FormObserver {
    Q_OBJECT
public:
    // An MDI child is placed into host (the main window's client area) when one is given, else it becomes a
    // window of its own; a dialog's window stays above host (the main window) when one is given.
    explicit FormView(Form &form, QWidget *host = nullptr);
    ~FormView() override;

    Form *form() const { return form_; }
    // The top-level window (or, for an MDI child inside the main window, its sheet widget).
    QWidget *window() const { return window_; }
    // The main window's client area (MDI parent only).
    MdiClient *mdiClient() const { return client_; }
    QWidget *widgetFor(const Control &control) const;
    QMenu *menuFor(const Menu &menu) const;
    QAction *actionFor(const Menu &menu) const;

    // Takes the form's visibility, modality and focus over to the widgets.
    void syncVisibility();

    void formChanged(Form &form, Prop what) override;
    void controlChanged(Control &control, Prop what) override;

    // The window's close box; the model decides.
    void requestClose();
    // The user moved or resized the window: the model takes over its place and size (no event is raised), so
    // that what the program stores at shut-down is where the user left the window.
    void adoptWindowGeometry();
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

signals:
    // The form was unloaded or destroyed: the view has let go of it and may be deleted.
    void finished(FormView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void build();
    void buildControl(Control &c);
    void buildMenu(Menu &m, QWidget *parentMenu);
    QWidget *parentWidgetFor(const Control &c) const;
    void placeInLayer(QWidget &w, int layer);
    void syncControl(Control &c, Prop what);
    void syncAll(Control &c);
    void setComboEditable(QComboBox &combo, ComboBox &model);
    void syncFormGeometry();
    void syncFocus();
    void detach();
    // Runs a model call for a user action; a failing handler is reported instead of crossing Qt.
    void dispatch(const std::function<void()> &action);
    // The user put the focus on the control (a click or a focus move of the platform); the model decides.
    void userMovedFocus(Control &c);
    // A press into a window that is not active: the focus it gave reaches the model now.
    void pressedInInactiveWindow(QWidget &pressed);
    // True (once) when the focus move that the same click made to this control was refused.
    bool dropRefused(const Control &c);

    Form *form_;
    QPointer<QWidget> window_;
    QPointer<QWidget> contentParent_;
    QPointer<QMainWindow> mainWindow_;
    QPointer<MdiClient> client_;
    QPointer<QLabel> statusLabel_;
    QHash<const Control *, QPointer<QWidget>> widgets_;
    QHash<QObject *, Control *> controlOf_;
    QHash<const Menu *, QPointer<QMenu>> menus_;
    QHash<const Menu *, QPointer<QAction>> actions_;
    bool syncing_ = false;
    bool adoptingGeometry_ = false;
    bool detached_ = false;
    // The control whose focus move the model refused last.
    const Control *refused_ = nullptr;
};

} // namespace qtui
