#include "platform/forms/list_controls.h"

#include "platform/forms/form.h"

#include <QCollator>
#include <QLocale>

ListControl::ListControl(Container *parent, const QString &name, Kind kind) : Control(parent, name, kind) {}

QString ListControl::list(int i) const
{
    return i >= 0 && i < listCount() ? items_.at(i) : QString();
}

void ListControl::setList(int i, const QString &text)
{
    if (i < 0 || i >= listCount() || items_.at(i) == text)
        return;
    items_[i] = text;
    notify(Prop::Items);
}

long ListControl::itemData(int i) const
{
    return i >= 0 && i < listCount() ? itemData_[static_cast<size_t>(i)] : 0;
}

void ListControl::setItemData(int i, long data)
{
    if (i >= 0 && i < listCount())
        itemData_[static_cast<size_t>(i)] = data;
}

int ListControl::addItem(const QString &text, int index)
{
    int pos = listCount();
    if (index >= 0 && index < listCount()) {
        pos = index;
    } else if (index < 0 && sorted_) {
        // Entries sort as a person reads them (Ä with A), also where the process runs under the C locale.
        QLocale locale = QLocale::system();
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        QCollator collator{locale};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        pos = 0;
        while (pos < listCount() && collator.compare(items_.at(pos), text) <= 0)
            ++pos;
    }
    items_.insert(pos, text);
    itemData_.insert(itemData_.begin() + pos, 0);
    // The chosen entry stays chosen; only its number moves when an entry goes in before it.
    if (listIndex_ >= pos)
        ++listIndex_;
    newIndex_ = pos;
    notify(Prop::Items);
    return pos;
}

void ListControl::removeItem(int i)
{
    if (i < 0 || i >= listCount())
        return;
    items_.removeAt(i);
    itemData_.erase(itemData_.begin() + i);
    bool positionLost = false;
    if (listIndex_ == i) {
        listIndex_ = -1;
        positionLost = true;
    } else if (listIndex_ > i) {
        --listIndex_;
    }
    if (newIndex_ >= listCount())
        newIndex_ = -1;
    notify(Prop::Items);
    if (positionLost) {
        positionChanged();
        notify(Prop::ListIndex);
    }
}

void ListControl::clear()
{
    if (items_.isEmpty() && listIndex_ == -1)
        return;
    items_.clear();
    itemData_.clear();
    listIndex_ = -1;
    newIndex_ = -1;
    positionChanged();
    notify(Prop::Items);
    notify(Prop::ListIndex);
}

void ListControl::setListIndex(int i)
{
    if (i < -1 || i >= listCount() || i == listIndex_)
        return;
    listIndex_ = i;
    positionChanged();
    notify(Prop::ListIndex);
    raise(Click);
}

void ListControl::setSilentIndex(int i)
{
    if (i < -1 || i >= listCount() || i == listIndex_)
        return;
    listIndex_ = i;
    notify(Prop::ListIndex);
}

int ListControl::findItem(const QString &text) const
{
    for (int i = 0; i < listCount(); ++i) {
        if (items_.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void ListControl::userPick(int i)
{
    if (!isShownAndEnabled() || i < 0 || i >= listCount())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    if (!isShownAndEnabled() || i >= listCount())
        return;
    if (i == listIndex_) {
        // Picking the chosen entry again puts its text back into an edited combo, without an event.
        positionChanged();
        return;
    }
    setListIndex(i);
}

void ListControl::userDoubleClick()
{
    if (isShownAndEnabled())
        raise(DblClick);
}

void ComboBox::setStyle(Style s)
{
    style_ = s;
    if (!editable())
        positionChanged();
    notify(Prop::Style);
}

void ComboBox::positionChanged()
{
    const QString t = list(listIndex());
    if (t == text_)
        return;
    text_ = t;
    notify(Prop::Caption);
}

void ComboBox::setText(const QString &t)
{
    if (!editable()) {
        const int i = findItem(t);
        if (i >= 0)
            setListIndex(i);
        return;
    }
    userEdited(t);
}

void ComboBox::userEdited(const QString &newText)
{
    if (!editable() || newText == text_)
        return;
    text_ = newText;
    setSilentIndex(findItem(newText));
    notify(Prop::Caption);
    raise(Change);
}

void ComboBox::userType(const QString &keys)
{
    if (!isShownAndEnabled() || !editable())
        return;
    // A Validate handler of the control being left may keep the focus there: then nothing happens.
    if (!form().setFocus(*this))
        return;
    for (QChar ch : keys) {
        if (!isShownAndEnabled())
            return;
        userEdited(text_ + ch);
    }
}
