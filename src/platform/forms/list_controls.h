#pragma once

#include "platform/forms/control.h"

#include <QStringList>

// Entries, position and item data shared by the combo box and the list box.
// Positioning raises Click when the position differs; adding entries never moves the selected entry, and
// clearing sets the position to -1 without an event (so a list cleared and refilled raises Click when positioned).
class ListControl : public Control {
public:
    int listCount() const { return static_cast<int>(items_.size()); }
    // The entry at i, or an empty text out of range.
    QString list(int i) const;
    void setList(int i, const QString &text);
    long itemData(int i) const;
    void setItemData(int i, long data);

    // Appends (or, in a sorted list, inserts in order); with index >= 0 inserts there. Returns the new entry's
    // position, also kept as newIndex(). An index beyond the end appends.
    int addItem(const QString &text, int index = -1);
    // Removing the selected entry sets the position to -1 without an event. Out of range does nothing.
    void removeItem(int i);
    void clear();
    int newIndex() const { return newIndex_; }

    int listIndex() const { return listIndex_; }
    // -1 or a valid position; anything else is ignored (the platform refuses it).
    void setListIndex(int i);

    bool sorted() const { return sorted_; }
    // Set before the list is filled, as on the platform.
    void setSorted(bool s) { sorted_ = s; }

    // Position of the first entry equal to the text (case-insensitive), or -1.
    int findItem(const QString &text) const;

    bool canHoldFocus() const override { return true; }

    // The user picks an entry (mouse or keys): the focus moves here, then the position changes.
    void userPick(int i);
    void userDoubleClick();

    const QStringList &items() const { return items_; }

protected:
    ListControl(Container *parent, const QString &name, Kind kind);
    // Called after the position changed, before Click (the combo box updates its text here).
    virtual void positionChanged() {}
    // Moves the position without an event (an edited combo text that equals an entry).
    void setSilentIndex(int i);

private:
    QStringList items_;
    std::vector<long> itemData_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    bool sorted_ = false;
};

// A list with a text part: a drop-down list (the text is the chosen entry) or an editable combo (the text may be
// typed; typing and assigning a different text raise Change, choosing an entry raises Click only).
class ComboBox : public ListControl {
public:
    enum class Style { DropdownCombo = 0, SimpleCombo = 1, DropdownList = 2 };

    ComboBox(Container *parent, const QString &name) : ListControl(parent, name, Kind::ComboBox)
    {
        setBackColor(colors::Window);
    }

    Style style() const { return style_; }
    void setStyle(Style s);
    bool editable() const { return style_ != Style::DropdownList; }

    const QString &text() const { return text_; }
    // Editable: a different text raises Change, and the position follows an entry of the same text silently.
    // Drop-down list: a text equal to an entry positions the list there (Click when it moves); others are ignored.
    void setText(const QString &t);

    // The user edits the text part (editable styles only), one keystroke per call.
    void userType(const QString &keys);
    void userEdited(const QString &newText);

    std::function<void()> Change;

protected:
    void positionChanged() override;

private:
    Style style_ = Style::DropdownCombo;
    QString text_;
};

class ListBox : public ListControl {
public:
    ListBox(Container *parent, const QString &name) : ListControl(parent, name, Kind::ListBox)
    {
        setBackColor(colors::Window);
    }
    // The chosen entry's text, empty when none.
    QString text() const { return list(listIndex()); }
};
