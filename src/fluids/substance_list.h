#pragma once

#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "units/held_unit_values.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

// What the ideal-gas list and the liquid list share: a list of the substances of one table of the fluid database,
// the editing of its records (browse, selected, edit, new) and the hand-over of the chosen one to the active sheet.
// Each dialog adds its fields, unit lists, item texts, defaults and hand-over.
//
// The unit lists convert the fields but stay the dialog's own (units()); OK makes them the shared units before it
// writes the medium, and Abbruch leaves every shared unit and value as it was.
class SubstanceListForm : public Form {
public:
    Label lblIdgas{this, QStringLiteral("lblIdgas")};
    ListBox lstSubstanz{this, QStringLiteral("lstSubstanz")};
    Label bezMedium{this, QStringLiteral("bezMedium")};
    TextBox txtMedium{this, QStringLiteral("txtMedium")};
    CommandButton cmdNeu{this, QStringLiteral("cmdNeu")};
    CommandButton cmdBearbeiten{this, QStringLiteral("cmdBearbeiten")};
    CommandButton cmdLöschen{this, QStringLiteral("cmdLöschen")};
    CommandButton cmdÜbernahme{this, QStringLiteral("cmdÜbernahme")};
    CommandButton cmdEscBearbeiten{this, QStringLiteral("cmdEscBearbeiten")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdEsc{this, QStringLiteral("cmdEsc")};

    // False when loading could not open the table (the user has been told); the dialog is then not shown.
    bool databaseOpen() const { return rsStoffdaten != nullptr; }
    // The units the dialog's fields are shown in.
    const FluidUnits &units() const { return units_; }

protected:
    SubstanceListForm(const QString &name, const QString &tableBase);

    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

    // --- What each dialog supplies
    // The text key of the window caption, and the captions of the dialog's own field labels.
    virtual QString windowCaptionKey() const = 0;
    virtual void setFieldCaptions(int Sprache) = 0;
    // Every column the dialog reads and writes, SUBSTANZ first.
    virtual QStringList columns() const = 0;
    // The numeric columns whose values the hand-over needs.
    virtual QStringList handOverColumns() const = 0;
    // The item of the current record, or nothing when the record is not listed.
    virtual std::optional<QString> itemText(const Recordset &rs) const = 0;
    // The name by which an item's record is looked up.
    virtual QString nameOfItem(const QString &item) const { return item; }
    // Fills each unit list with its unit names and selects the dialog's unit (which converts the empty fields).
    virtual void fillUnitLists() = 0;
    // Shows the current record in the dialog's units.
    virtual void showRecord(const Recordset &rs) = 0;
    // Writes the defaults of a new record into the numeric fields and sets the unit lists.
    virtual void writeDefaults() = 0;
    // Writes the fields into the pending record in the column order.
    virtual void writeRecord(Recordset &rs) = 0;
    // The numeric fields in the column order, and the unit lists.
    virtual std::vector<TextBox *> numericFields() = 0;
    virtual std::vector<ComboBox *> unitLists() = 0;
    // Writes the properties of the found record into the shared data (units already adopted).
    virtual void handOverRecord(const Recordset &rs) = 0;
    // Whether a number typed into one of the numeric fields can be stored (beyond being a number of a sensible
    // size, which every field needs).
    virtual bool numberPossible(const TextBox &field, double value) const = 0;
    // False when the record's numbers cannot be handed over although they are numeric.
    virtual bool recordHandOverPossible(const Recordset &rs) const { (void)rs; return true; }
    // Fluid state and medium code of the hand-over.
    virtual int fluidState() const = 0;
    virtual int mediumCode() const = 0;
    // cmdOK after abandoning an edit (before the selection is cleared).
    virtual bool okEnabledAfterAbandon() const = 0;

    // --- Shared handlers
    void lstSubstanz_Click();
    void lstSubstanz_DblClick();
    void cmdOK_Click();
    void cmdEsc_Click();
    void cmdNeu_Click();
    void cmdBearbeiten_Click();
    void cmdLöschen_Click();
    void cmdÜbernahme_Click();
    void cmdEscBearbeiten_Click();
    void txtMedium_Change();
    void txtMedium_GotFocus();
    // A numeric field's Change and GotFocus handlers.
    void numericChanged(TextBox &field);
    void numericGotFocus(TextBox &field);

    // Places the controls both dialogs have, the name field below the list's top, Übernehmen and Abbruch of the
    // edit at editTop and the row of buttons at buttonTop; the tab order runs from the list through the name
    // field and the dialog's fields to the buttons.
    void placeCommonControls(int listHeight, int editTop, int buttonTop,
                             std::initializer_list<Control *> fieldsInTabOrder);
    // Connects the shared handlers; each dialog connects its unit lists itself.
    void connectCommonHandlers();

    FluidUnits units_;
    std::shared_ptr<Database> dbStoffdaten;
    std::unique_ptr<Recordset> rsStoffdaten;

private:
    void fillList();
    // After a save or a delete: the list refilled, nothing selected, the fields empty and closed.
    void returnToBrowse();
    void emptyAndCloseFields();
    void enableFields(bool enabled);
    void showEditButtons(bool shown);
    // Drops a new or edited record that was not saved.
    void abandonPending();
    bool tableHasMoreThanOneRecord() const;

    QString tableBase_;
};
