#include "reports/header_fields.h"

#include "platform/forms/list_controls.h"
#include "platform/forms/text_box.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <array>

namespace {

struct Pair {
    TextBox &field;
    Variant &text;
};

// The fields with their shared texts, in the order in which both dialogs handle them.
std::array<Pair, 5> pairs(const HeaderFieldSet &f)
{
    SharedData &d = shared();
    return {{{f.Info, d.TextInfo},
             {f.Firma, d.TextFirma},
             {f.Betrifft, d.TextBetrifft},
             {f.Position, d.TextPosition},
             {f.MStelle, d.TextMStelle}}};
}

} // namespace

namespace report {

void loadHeaderFields(const HeaderFieldSet &fields)
{
    for (const Pair &p : pairs(fields)) {
        const QString shown = p.text.toString();
        if (!shown.isEmpty())
            p.field.setText(shown);
    }
}

void storeHeaderFields(const HeaderFieldSet &fields)
{
    for (const Pair &p : pairs(fields))
        p.text = Variant(p.field.text());
}

void clearHeaderFields(const HeaderFieldSet &fields)
{
    for (const Pair &p : pairs(fields))
        p.field.setText(QStringLiteral(" "));
    storeHeaderFields(fields);
}

HeaderTexts headerTexts(const HeaderFieldSet &f)
{
    return {f.Info.text(), f.Firma.text(), f.Betrifft.text(), f.Position.text(), f.MStelle.text()};
}

void fillLanguageList(ComboBox &cmbSprache, int Sprache)
{
    cmbSprache.clear();
    for (const char *language : {"deutsch", "englisch", "französisch", "italienisch", "spanisch", "tschechisch"})
        cmbSprache.addItem(getText(QString::fromUtf8(language), Sprache));
    cmbSprache.setListIndex(knownLanguage(Sprache));
}

} // namespace report
