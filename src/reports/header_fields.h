#pragma once

#include "reports/report_frame.h"

class ComboBox;
class TextBox;

// The five header fields of a print dialog, which both print dialogs fill from and store into the shared header
// texts alike.
struct HeaderFieldSet {
    TextBox &Info;
    TextBox &Firma;
    TextBox &Betrifft;
    TextBox &Position;
    TextBox &MStelle;
};

namespace report {

// Each field takes its shared text unless that text is empty or Null (the field then stays empty); the field's
// change handler cuts a text over its limit.
void loadHeaderFields(const HeaderFieldSet &fields);
// The fields into TextInfo, TextFirma, TextBetrifft, TextPosition and TextMStelle, in this order.
void storeHeaderFields(const HeaderFieldSet &fields);
// One blank into each field (Info to Messstelle), then stored; the header block takes such a field as empty
// where it tests the trimmed text.
void clearHeaderFields(const HeaderFieldSet &fields);
HeaderTexts headerTexts(const HeaderFieldSet &fields);

// The six printout languages named in the screen language, list position k for language k, positioned at the
// screen language; the list's Click then sets the print language.
void fillLanguageList(ComboBox &cmbSprache, int Sprache);

} // namespace report
