#pragma once

#include "platform/forms/control.h"

#include <vector>

// A menu title or entry. A caption "-" makes a separator. Opening a menu whose entries can be shown raises the
// title's Click before any entry can be chosen; choosing an entry raises its Click. Neither moves the focus.
class Menu : public Control {
public:
    // A title of the form's menu bar.
    Menu(Form *form, const QString &name);
    // An entry (or submenu title) of another menu.
    Menu(Menu *parent, const QString &name);
    ~Menu() override;

    Menu *parentMenu() const { return parentMenu_; }
    const std::vector<Menu *> &entries() const { return entries_; }
    bool hasEntries() const { return !entries_.empty(); }

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    bool isSeparator() const { return caption_ == QLatin1String("-"); }
    bool checked() const { return checked_; }
    void setChecked(bool c);
    // Key text as "Ctrl+P"; empty for none.
    const QString &shortcut() const { return shortcut_; }
    void setShortcut(const QString &s);

    // Visible and enabled here and in every menu above.
    bool isReachable() const;

    // The user opens this menu (title or submenu): its Click runs when it is reachable and has entries.
    void userOpen();
    // The user chooses this entry (or presses its shortcut): Click when reachable. False when it was not.
    bool userChoose();

private:
    Menu *parentMenu_ = nullptr;
    std::vector<Menu *> entries_;
    QString caption_;
    bool checked_ = false;
    QString shortcut_;
};
