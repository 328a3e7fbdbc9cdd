#include "platform/forms/menu.h"

#include "platform/forms/form.h"

#include <algorithm>

Menu::Menu(Form *form, const QString &name) : Control(form, name, Kind::Menu)
{
    setTabStop(false);
}

Menu::Menu(Menu *parent, const QString &name)
    : Control(static_cast<Container *>(&parent->form()), name, Kind::Menu), parentMenu_(parent)
{
    setTabStop(false);
    parent->entries_.push_back(this);
    parent->notify(Prop::Items);
}

Menu::~Menu()
{
    if (parentMenu_) {
        auto &siblings = parentMenu_->entries_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (Menu *e : entries_)
        e->parentMenu_ = nullptr;
}

void Menu::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notify(Prop::Caption);
}

void Menu::setChecked(bool c)
{
    if (c == checked_)
        return;
    checked_ = c;
    notify(Prop::Value);
}

void Menu::setShortcut(const QString &s)
{
    shortcut_ = s;
    notify(Prop::Style);
}

bool Menu::isReachable() const
{
    for (const Menu *m = this; m; m = m->parentMenu_) {
        if (!m->visible() || !m->enabled())
            return false;
    }
    return true;
}

void Menu::userOpen()
{
    if (isReachable() && hasEntries())
        raise(Click);
}

bool Menu::userChoose()
{
    if (!isReachable() || isSeparator())
        return false;
    raise(Click);
    return true;
}
