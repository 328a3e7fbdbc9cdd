#include "fluids/substance_list.h"

#include "fluids/fluid_database.h"
#include "fluids/medium_handover.h"
#include "fluids/record_entry.h"
#include "state/shared_data.h"
#include "units/texts.h"

SubstanceListForm::SubstanceListForm(const QString &name, const QString &tableBase)
    : Form(name), tableBase_(tableBase)
{
    setKind(Kind::Dialog);
    lstSubstanz.setSorted(true);
    cmdOK.setDefault(true);
    cmdEsc.setCancel(true);
}

void SubstanceListForm::placeCommonControls(int listHeight, int editTop, int buttonTop,
                                            std::initializer_list<Control *> fieldsInTabOrder)
{
    lblIdgas.move(120, 120, 3255, 255);
    lstSubstanz.move(120, 420, 3255, listHeight);
    bezMedium.move(3600, 420, 3165, 255);
    txtMedium.move(3600, 675, 3165, 285);
    cmdÜbernahme.move(3600, editTop, 1515, 375);
    cmdEscBearbeiten.move(5250, editTop, 1515, 375);
    cmdNeu.move(120, buttonTop, 1035, 375);
    cmdBearbeiten.move(1230, buttonTop, 1035, 375);
    cmdLöschen.move(2340, buttonTop, 1035, 375);
    cmdOK.move(3600, buttonTop, 1515, 375);
    cmdEsc.move(5250, buttonTop, 1515, 375);
    cmdOK.setCaption(QStringLiteral("OK"));

    int tab = 0;
    lstSubstanz.setTabIndex(tab++);
    txtMedium.setTabIndex(tab++);
    for (Control *c : fieldsInTabOrder)
        c->setTabIndex(tab++);
    for (Control *c : std::initializer_list<Control *>{&cmdÜbernahme, &cmdEscBearbeiten, &cmdNeu, &cmdBearbeiten,
                                                       &cmdLöschen, &cmdOK, &cmdEsc})
        c->setTabIndex(tab++);
}

void SubstanceListForm::connectCommonHandlers()
{
    lstSubstanz.Click = [this] { lstSubstanz_Click(); };
    lstSubstanz.DblClick = [this] { lstSubstanz_DblClick(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdEsc.Click = [this] { cmdEsc_Click(); };
    cmdNeu.Click = [this] { cmdNeu_Click(); };
    cmdBearbeiten.Click = [this] { cmdBearbeiten_Click(); };
    cmdLöschen.Click = [this] { cmdLöschen_Click(); };
    cmdÜbernahme.Click = [this] { cmdÜbernahme_Click(); };
    cmdEscBearbeiten.Click = [this] { cmdEscBearbeiten_Click(); };
    txtMedium.Change = [this] { txtMedium_Change(); };
    txtMedium.GotFocus = [this] { txtMedium_GotFocus(); };
    for (TextBox *field : numericFields()) {
        field->Change = [this, field] { numericChanged(*field); };
        field->GotFocus = [this, field] { numericGotFocus(*field); };
    }

    // The browse state as the dialog opens.
    enableFields(false);
    showEditButtons(false);
    cmdOK.setEnabled(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
}

void SubstanceListForm::Form_Load()
{
    const int Sprache = shared().Sprache;
    setCaption(getText(windowCaptionKey(), Sprache));
    lblIdgas.setCaption(getText(QStringLiteral("Bitte Medium wählen"), Sprache));
    cmdEsc.setCaption(getText(QStringLiteral("Abbruch"), Sprache));
    cmdBearbeiten.setCaption(getText(QStringLiteral("Bearbeiten"), Sprache));
    cmdLöschen.setCaption(getText(QStringLiteral("Löschen"), Sprache));
    cmdNeu.setCaption(getText(QStringLiteral("Neu"), Sprache));
    bezMedium.setCaption(getText(QStringLiteral("Medium"), Sprache));
    setFieldCaptions(Sprache);
    cmdÜbernahme.setCaption(getText(QStringLiteral("Übernehmen"), Sprache));
    cmdEscBearbeiten.setCaption(getText(QStringLiteral("Abbruch"), Sprache));

    units_ = fluidUnitsOf(shared());
    fluiddb::loadTable(tableBase_, columns(), dbStoffdaten, rsStoffdaten, [this] { fillList(); });
    if (rsStoffdaten)
        fillUnitLists();
}

void SubstanceListForm::Form_Unload(int &Cancel)
{
    (void)Cancel;
    // The cursor goes before its database; a record not saved goes with it.
    rsStoffdaten.reset();
    dbStoffdaten.reset();
}

void SubstanceListForm::fillList()
{
    lstSubstanz.clear();
    Recordset &rs = *rsStoffdaten;
    rs.moveFirst();
    for (long step = 0; !rs.eof() && step < fluiddb::kStepLimit; ++step) {
        if (const std::optional<QString> item = itemText(rs))
            lstSubstanz.addItem(*item);
        rs.moveNext();
    }
}

bool SubstanceListForm::tableHasMoreThanOneRecord() const
{
    try {
        return rsStoffdaten && rsStoffdaten->recordCount() > 1;
    } catch (const DbError &) {
        return false;
    }
}

void SubstanceListForm::enableFields(bool enabled)
{
    txtMedium.setEnabled(enabled);
    for (TextBox *field : numericFields())
        field->setEnabled(enabled);
    for (ComboBox *list : unitLists())
        list->setEnabled(enabled);
}

void SubstanceListForm::showEditButtons(bool shown)
{
    cmdÜbernahme.setVisible(shown);
    cmdEscBearbeiten.setVisible(shown);
}

void SubstanceListForm::emptyAndCloseFields()
{
    txtMedium.setText(QString());
    for (TextBox *field : numericFields())
        field->setText(QString());
    enableFields(false);
}

void SubstanceListForm::abandonPending()
{
    recordentry::abandon(rsStoffdaten.get());
}

// ------------------------------------------------------------------------------------------------------ list

void SubstanceListForm::lstSubstanz_Click()
{
    if (lstSubstanz.listIndex() < 0) {
        cmdOK.setEnabled(false);
        return;
    }
    cmdOK.setEnabled(true);
    cmdBearbeiten.setEnabled(true);
    if (tableHasMoreThanOneRecord())
        cmdLöschen.setEnabled(true);
    if (!rsStoffdaten)
        return;
    try {
        // A name that no record holds any more (the table was changed meanwhile) leaves the fields as they are.
        if (fluiddb::findByName(*rsStoffdaten, nameOfItem(lstSubstanz.text())))
            showRecord(*rsStoffdaten);
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
    }
}

void SubstanceListForm::lstSubstanz_DblClick()
{
    cmdOK_Click();
}

// ----------------------------------------------------------------------------------------------- hand-over

void SubstanceListForm::cmdOK_Click()
{
    if (lstSubstanz.listIndex() < 0 || !rsStoffdaten)
        return;
    const QString name = nameOfItem(lstSubstanz.text());
    bool found = false;
    try {
        found = fluiddb::findByName(*rsStoffdaten, name);
        // A record without numbers, or with impossible ones (written by another tool), is refused: another entry
        // can be chosen.
        if (found && (!fluiddb::numbersPresent(*rsStoffdaten, handOverColumns()) ||
                      !recordHandOverPossible(*rsStoffdaten))) {
            uiServices().beep();
            lstSubstanz.setFocus();
            return;
        }
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
        return;
    }

    handover::beginHandOver(units_, fluidState(), mediumCode());
    shared().NameMedium = name;
    // Without its record (the table was changed meanwhile) the properties keep their previous contents.
    if (found)
        handOverRecord(*rsStoffdaten);

    rsStoffdaten.reset();
    unload();
    handover::reloadActiveSheet();
}

void SubstanceListForm::cmdEsc_Click()
{
    unload();
}

// ------------------------------------------------------------------------------------------------- editing

void SubstanceListForm::cmdNeu_Click()
{
    if (!rsStoffdaten || !recordentry::startNew(*rsStoffdaten))
        return;
    // OK would hand over the entry selected before and drop the new one.
    cmdOK.setEnabled(false);
    lstSubstanz.setEnabled(false);
    enableFields(true);
    showEditButtons(true);
    txtMedium.setFocus();
    txtMedium.setText(QString());
    writeDefaults();
}

void SubstanceListForm::cmdBearbeiten_Click()
{
    if (!rsStoffdaten)
        return;
    const bool wasPending = rsStoffdaten->editing();
    abandonPending();
    try {
        rsStoffdaten->edit();
        // The fields held the abandoned entry: they show the record being edited again.
        if (wasPending)
            showRecord(*rsStoffdaten);
    } catch (const DbError &e) {
        fluiddb::reportWriteFailure(e);
        return;
    }
    cmdOK.setEnabled(false);
    cmdEsc.setEnabled(false);
    lstSubstanz.setEnabled(false);
    enableFields(true);
    showEditButtons(true);
    txtMedium.setFocus();
}

void SubstanceListForm::cmdÜbernahme_Click()
{
    if (!rsStoffdaten ||
        !recordentry::fieldsReady(txtMedium, numericFields(),
                                  [this](const TextBox &field, double value) { return numberPossible(field, value); }))
        return;
    // A refusal leaves the dialog in its state with the fields as typed.
    if (!recordentry::store(*rsStoffdaten, [this](Recordset &rs) {
            rs.setField(QStringLiteral("SUBSTANZ"), Variant(txtMedium.text()));
            writeRecord(rs);
        }))
        return;
    returnToBrowse();
}

void SubstanceListForm::cmdEscBearbeiten_Click()
{
    lstSubstanz.setEnabled(true);
    abandonPending();
    if (rsStoffdaten) {
        try {
            fluiddb::purge(*rsStoffdaten);
        } catch (const DbError &e) {
            fluiddb::reportWriteFailure(e);
        }
    }
    emptyAndCloseFields();
    showEditButtons(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
    cmdOK.setEnabled(okEnabledAfterAbandon());
    cmdEsc.setEnabled(true);
    // Clearing the selection runs the list's Click, which disables OK again; with nothing selected (a new entry
    // started from browsing) the position does not change and raises nothing, so the handler runs here.
    if (lstSubstanz.listIndex() < 0)
        lstSubstanz_Click();
    else
        lstSubstanz.setListIndex(-1);
}

void SubstanceListForm::cmdLöschen_Click()
{
    if (!rsStoffdaten)
        return;
    abandonPending();
    try {
        rsStoffdaten->deleteRecord();
    } catch (const DbError &e) {
        fluiddb::reportWriteFailure(e);
        return;
    }
    // The list and Abbruch are enabled again: a delete from the edit or new state would leave them disabled.
    returnToBrowse();
}

void SubstanceListForm::returnToBrowse()
{
    lstSubstanz.setEnabled(true);
    try {
        fillList();
    } catch (const DbError &e) {
        fluiddb::reportOpenFailure(e);
    }
    emptyAndCloseFields();
    showEditButtons(false);
    cmdBearbeiten.setEnabled(false);
    cmdLöschen.setEnabled(false);
    cmdOK.setEnabled(false);
    cmdEsc.setEnabled(true);
}

// -------------------------------------------------------------------------------------------------- fields

void SubstanceListForm::txtMedium_Change()
{
    cmdÜbernahme.setEnabled(!txtMedium.text().isEmpty());
}

void SubstanceListForm::txtMedium_GotFocus()
{
    cmdÜbernahme.setEnabled(!txtMedium.text().isEmpty());
}

void SubstanceListForm::numericChanged(TextBox &field)
{
    // The field changed last decides; the others are not looked at.
    cmdÜbernahme.setEnabled(Variant(field.text()).isNumeric());
}

void SubstanceListForm::numericGotFocus(TextBox &field)
{
    field.setSelStart(0);
    field.setSelLength(static_cast<int>(field.text().size()));
}
