#include "reports/print_dialog.h"

#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/file_messages.h"
#include "units/texts.h"

#include <exception>

namespace {

std::function<void(const QString &, const QString &)> &saveHook()
{
    static std::function<void(const QString &, const QString &)> hook;
    return hook;
}

const QString kDefaultProject = QStringLiteral("Default");

} // namespace

namespace reports {
void setSaveProgrammParameter(std::function<void(const QString &, const QString &)> save)
{
    saveHook() = std::move(save);
}
} // namespace reports

frmDruck::frmDruck() : Form(QStringLiteral("frmDruck"))
{
    setKind(Kind::Dialog);
    move(0, 0, 9300, 5700);

    lblTitel.move(240, 240, 5160, 285);
    lblTitel.setFontBold(true);
    lblTitel.setFontSize(9.75);
    pictLogo.move(8310, 120, 750, 750);
    pictLogo.setStretch(true);
    pictLogo.loadPicture(programFolder() + QStringLiteral("/Logo.jpg"));
    Logo.setVisible(false);
    Logo.loadPicture(programFolder() + QStringLiteral("/Logo.jpg"));

    // The header fields on the left, the Info field without a caption of its own above the others.
    txtInfo.move(240, 960, 4920, 1035);
    txtInfo.setMultiLine(true);
    const int labelWidth = 1440;
    const int fieldLeft = 240 + labelWidth + 60;
    const int fieldWidth = 5160 - fieldLeft;
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

    // The section choice on the right; the rangeability and extended rows belong to the valve data.
    lblAusdruckVon.move(5520, 1080, 3540, 255);
    lblAusdruckVon.setFontBold(true);
    struct Row {
        CheckBox *box;
        Label *label;
        int indent;
    };
    const Row rows[] = {{&chkProzessdaten, &lblProzessdaten, 0}, {&chkVentildaten, &lblVentildaten, 0},
                        {&chkStellverhältnis, &lblStellverhältnis, 240}, {&chkKenndaten, &lblKenndaten, 240},
                        {&chkRohrleitung, &lblRohrleitung, 0},   {&chkSchalldruck, &lblSchalldruck, 0},
                        {&chkStoffdaten, &lblStoffdaten, 0}};
    int top = 1440;
    for (const Row &r : rows) {
        r.box->move(5520 + r.indent, top, 255, 255);
        r.label->move(5820 + r.indent, top + 15, 3240 - r.indent, 255);
        top += 360;
    }
    chkKenndaten.setVisible(false);
    lblKenndaten.setVisible(false);

    lblSprache.move(240, 4695, 2895, 255);
    cmbSprache.move(3180, 4650, 1980, 315);
    cmbSprache.setStyle(ComboBox::Style::DropdownList);

    cmdKopfLöschen.move(240, 5160, 2160, 375);
    cmdOK.move(6120, 5160, 1395, 375);
    cmdEsc.move(7665, 5160, 1395, 375);
    cmdEsc.setCancel(true);

    int tab = 0;
    for (Control *c : std::initializer_list<Control *>{
             &txtInfo, &txtFirma, &txtBetrifft, &txtPosition, &txtMStelle, &chkProzessdaten, &chkVentildaten,
             &chkStellverhältnis, &chkKenndaten, &chkRohrleitung, &chkSchalldruck, &chkStoffdaten, &cmbSprache,
             &cmdOK, &cmdEsc, &cmdKopfLöschen})
        c->setTabIndex(tab++);

    chkProzessdaten.Click = [this] { chkProzessdaten_Click(); };
    chkVentildaten.Click = [this] { chkVentildaten_Click(); };
    chkStellverhältnis.Click = [this] { chkStellverhältnis_Click(); };
    chkKenndaten.Click = [this] { chkKenndaten_Click(); };
    chkRohrleitung.Click = [this] { chkRohrleitung_Click(); };
    chkSchalldruck.Click = [this] { chkSchalldruck_Click(); };
    chkStoffdaten.Click = [this] { chkStoffdaten_Click(); };
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

frmDruck::~frmDruck() = default;

void frmDruck::Form_Load()
{
    const SharedData &d = shared();
    const int Sprache = d.Sprache;
    auto text = [Sprache](const char *key) { return getText(QString::fromUtf8(key), Sprache); };

    setCaption(text("Drucken"));
    lblTitel.setCaption(d.Modus == 1 ? text("Durchflussberechnung nach IEC 60534")
                                     : text("Ventildimensionierung nach IEC 60534"));
    lblFirma.setCaption(text("Firma:"));
    lblBetrifft.setCaption(text("Betrifft:"));
    lblPosition.setCaption(text("Position:"));
    lblMStelle.setCaption(text("Messstelle:"));
    cmdKopfLöschen.setCaption(text("Kopfdaten löschen"));
    cmdEsc.setCaption(text("Abbruch"));
    lblSprache.setCaption(text("Sprache für Ausdruck"));
    cmdOK.setCaption(QStringLiteral("OK"));

    report::fillLanguageList(cmbSprache, Sprache);

    lblAusdruckVon.setCaption(text("Drucken") + QLatin1Char(':'));
    lblProzessdaten.setCaption(text("Prozessdaten"));
    chkProzessdaten.setValue(d.DruckProzessdaten.toBool() ? 1 : 0);
    lblVentildaten.setCaption(text("Ventildaten"));
    if (d.DruckVentildaten.toBool()) {
        chkVentildaten.setValue(1);
    } else {
        chkVentildaten.setValue(0);
        for (Control *c : std::initializer_list<Control *>{&chkStellverhältnis, &lblStellverhältnis, &chkKenndaten,
                                                           &lblKenndaten})
            c->setEnabled(false);
    }
    lblStellverhältnis.setCaption(text("Auswertung Stellverhältnis"));
    chkStellverhältnis.setValue(d.DruckStellverhältnis.toBool() ? 1 : 0);
    if (d.KD_Version == 6417) {
        lblKenndaten.setVisible(true);
        chkKenndaten.setVisible(true);
        lblKenndaten.setCaption(text("erweiterte Kenndaten"));
        chkKenndaten.setValue(d.DruckKenndaten.toBool() ? 1 : 0);
    }
    lblRohrleitung.setCaption(text("Rohrleitung"));
    chkRohrleitung.setValue(d.DruckRohrleitung.toBool() ? 1 : 0);
    lblSchalldruck.setCaption(text("Schalldruck"));
    chkSchalldruck.setValue(d.DruckSchalldruck.toBool() ? 1 : 0);
    lblStoffdaten.setCaption(text("Stoffdaten"));
    chkStoffdaten.setValue(d.DruckStoffdaten.toBool() ? 1 : 0);

    report::loadHeaderFields(headerFields());
}

void frmDruck::storeFlag(CheckBox &box, Variant &flag)
{
    flag = Variant(box.value() != 0);
    saveParameters();
}

void frmDruck::saveParameters()
{
    const auto &save = saveHook();
    if (!save)
        return;
    const QString folder = dataFolder();
    try {
        save(folder, kDefaultProject);
    } catch (const std::exception &e) {
        // The flags keep the user's choice for this session; the user hears of the file once per opening.
        if (saveFailureTold_)
            return;
        saveFailureTold_ = true;
        const int Sprache = shared().Sprache;
        uiServices().messageBox(
            fileFailureMessage(QStringLiteral("Die Projektdatei kann nicht gespeichert werden:"),
                               folder + QLatin1Char('/') + kDefaultProject + QStringLiteral(".vls"),
                               failureReason(e, Sprache), Sprache),
            MsgButtons::OK, MsgIcon::Exclamation, caption());
    }
}

void frmDruck::chkProzessdaten_Click()
{
    storeFlag(chkProzessdaten, shared().DruckProzessdaten);
}

void frmDruck::chkStellverhältnis_Click()
{
    storeFlag(chkStellverhältnis, shared().DruckStellverhältnis);
}

void frmDruck::chkRohrleitung_Click()
{
    storeFlag(chkRohrleitung, shared().DruckRohrleitung);
}

void frmDruck::chkSchalldruck_Click()
{
    storeFlag(chkSchalldruck, shared().DruckSchalldruck);
}

void frmDruck::chkStoffdaten_Click()
{
    storeFlag(chkStoffdaten, shared().DruckStoffdaten);
}

void frmDruck::chkKenndaten_Click()
{
    shared().DruckKenndaten = Variant(chkKenndaten.value() != 0);
}

void frmDruck::chkVentildaten_Click()
{
    SharedData &d = shared();
    const bool on = chkVentildaten.value() != 0;
    d.DruckVentildaten = Variant(on);
    if (!on) {
        // Clearing the two dependent boxes runs their own handlers, which clear their flags.
        chkStellverhältnis.setValue(0);
        chkKenndaten.setValue(0);
    }
    for (Control *c : std::initializer_list<Control *>{&chkStellverhältnis, &lblStellverhältnis, &chkKenndaten,
                                                       &lblKenndaten})
        c->setEnabled(on);
    saveParameters();
}

void frmDruck::cmbSprache_Click()
{
    shared().SpracheDruck = cmbSprache.listIndex();
}

HeaderFieldSet frmDruck::headerFields()
{
    return {txtInfo, txtFirma, txtBetrifft, txtPosition, txtMStelle};
}

void frmDruck::cmdOK_Click()
{
    report::storeHeaderFields(headerFields());
    druck_Berechnungsblatt();
    reportPrintResult();
    unload();
}

void frmDruck::cmdEsc_Click()
{
    report::storeHeaderFields(headerFields());
    unload();
}

void frmDruck::cmdKopfLöschen_Click()
{
    report::clearHeaderFields(headerFields());
}

void frmDruck::txtInfo_Change()
{
    report::limitHeaderField(txtInfo, kInfoLimit);
}

void frmDruck::txtFirma_Change()
{
    report::limitHeaderField(txtFirma, kFirmaLimit);
}

void frmDruck::txtBetrifft_Change()
{
    report::limitHeaderField(txtBetrifft, kBetrifftLimit);
}

void frmDruck::txtPosition_Change()
{
    report::limitHeaderField(txtPosition, kPositionLimit);
}

void frmDruck::txtMStelle_Change()
{
    report::limitHeaderField(txtMStelle, kMStelleLimit);
}

DefaultInstance<frmDruck> &frmDruckInstance()
{
    static DefaultInstance<frmDruck> instance;
    return instance;
}
