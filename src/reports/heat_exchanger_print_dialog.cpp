#include "reports/heat_exchanger_print_dialog.h"

#include "reports/print_job.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

frmDruck_WTauscher::frmDruck_WTauscher() : Form(QStringLiteral("frmDruck_WTauscher"))
{
    setKind(Kind::Dialog);
    move(0, 0, 6600, 5760);

    lblTitel.move(240, 240, 5160, 285);
    lblTitel.setFontBold(true);
    lblTitel.setFontSize(9.75);
    pictLogo.move(5610, 120, 750, 750);
    pictLogo.setStretch(true);
    pictLogo.loadPicture(programFolder() + QStringLiteral("/Logo.jpg"));

    // The Info field, without a caption of its own, above the captioned fields.
    txtInfo.move(240, 960, 6120, 1035);
    txtInfo.setMultiLine(true);
    const int labelWidth = 1440;
    const int fieldLeft = 240 + labelWidth + 60;
    const int fieldWidth = 6360 - fieldLeft;
    lblFirma.move(240, 2115, labelWidth, 255);
    txtFirma.move(fieldLeft, 2100, fieldWidth, 735);
    txtFirma.setMultiLine(true);
    lblBetrifft.move(240, 2955, labelWidth, 255);
    txtBetrifft.move(fieldLeft, 2940, fieldWidth, 735);
    txtBetrifft.setMultiLine(true);
    lblPosition.move(240, 3795, labelWidth, 255);
    txtPosition.move(fieldLeft, 3780, fieldWidth, 315);
    lblMStelle.move(240, 4215, labelWidth, 255);
    txtMStelle.move(fieldLeft, 4200, fieldWidth, 315);

    lblSprache.move(240, 4695, 2895, 255);
    cmbSprache.move(3180, 4650, 3180, 315);
    cmbSprache.setStyle(ComboBox::Style::DropdownList);

    // Esc cancels; Enter presses no button, since the multi-line fields take it.
    cmdKopfLöschen.move(240, 5160, 2160, 375);
    cmdOK.move(3420, 5160, 1395, 375);
    cmdEsc.move(4965, 5160, 1395, 375);
    cmdEsc.setCancel(true);

    int tab = 0;
    for (Control *c : std::initializer_list<Control *>{&txtInfo, &txtFirma, &txtBetrifft, &txtPosition, &txtMStelle,
                                                       &cmbSprache, &cmdOK, &cmdEsc, &cmdKopfLöschen})
        c->setTabIndex(tab++);

    cmbSprache.Click = [this] { cmbSprache_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdEsc.Click = [this] { cmdEsc_Click(); };
    cmdKopfLöschen.Click = [this] { cmdKopfLöschen_Click(); };
    txtInfo.Change = [this] { txtInfo_Change(); };
    txtFirma.Change = [this] { txtFirma_Change(); };
    txtBetrifft.Change = [this] { txtBetrifft_Change(); };
    txtPosition.Change = [this] { txtPosition_Change(); };
    txtMStelle.Change = [this] { txtMStelle_Change(); };
}

frmDruck_WTauscher::~frmDruck_WTauscher() = default;

void frmDruck_WTauscher::Form_Load()
{
    const int Sprache = shared().Sprache;
    auto text = [Sprache](const char *key) { return getText(QString::fromUtf8(key), Sprache); };

    setCaption(text("Drucken"));
    lblTitel.setCaption(text("Berechnung Wärmetauscher (Dampf)"));
    lblFirma.setCaption(text("Firma:"));
    lblBetrifft.setCaption(text("Betrifft:"));
    lblPosition.setCaption(text("Position:"));
    lblMStelle.setCaption(text("Messstelle:"));
    cmdKopfLöschen.setCaption(text("Kopfdaten löschen"));
    cmdEsc.setCaption(text("Abbruch"));
    lblSprache.setCaption(text("Sprache für Ausdruck"));
    cmdOK.setCaption(QStringLiteral("OK"));

    // Positioning the list raises its Click: the print language starts from the screen language every time.
    report::fillLanguageList(cmbSprache, Sprache);
    report::loadHeaderFields(headerFields());
}

HeaderFieldSet frmDruck_WTauscher::headerFields()
{
    return {txtInfo, txtFirma, txtBetrifft, txtPosition, txtMStelle};
}

void frmDruck_WTauscher::cmbSprache_Click()
{
    shared().SpracheDruck = cmbSprache.listIndex();
}

void frmDruck_WTauscher::cmdOK_Click()
{
    report::storeHeaderFields(headerFields());
    druck_WTauscher();
    report::tellPrintResult(lastResult_, lastError_, caption());
    unload();
}

void frmDruck_WTauscher::cmdEsc_Click()
{
    report::storeHeaderFields(headerFields());
    unload();
}

void frmDruck_WTauscher::cmdKopfLöschen_Click()
{
    report::clearHeaderFields(headerFields());
}

void frmDruck_WTauscher::txtInfo_Change()
{
    report::limitHeaderField(txtInfo, kInfoLimit);
}

void frmDruck_WTauscher::txtFirma_Change()
{
    report::limitHeaderField(txtFirma, kFirmaLimit);
}

void frmDruck_WTauscher::txtBetrifft_Change()
{
    report::limitHeaderField(txtBetrifft, kBetrifftLimit);
}

void frmDruck_WTauscher::txtPosition_Change()
{
    report::limitHeaderField(txtPosition, kPositionLimit);
}

void frmDruck_WTauscher::txtMStelle_Change()
{
    report::limitHeaderField(txtMStelle, kMStelleLimit);
}

DefaultInstance<frmDruck_WTauscher> &frmDruck_WTauscherInstance()
{
    static DefaultInstance<frmDruck_WTauscher> instance;
    return instance;
}

namespace reports {

void showHeatExchangerPrintDialog(const HeatExchangerSchematic *schematic)
{
    frmDruck_WTauscher &dialog = frmDruck_WTauscherInstance().get();
    dialog.setSchematic(schematic);
    dialog.centerOnScreen();
    dialog.showModal();
    // A dialog still loaded must not keep the window's drawing past this call.
    if (frmDruck_WTauscher *open = frmDruck_WTauscherInstance().ifLoaded())
        open->setSchematic(nullptr);
}

} // namespace reports
