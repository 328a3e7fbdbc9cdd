#include "app/access_code_dialog.h"

#include "app/main_window.h"
#include "app/program_parameters.h"
#include "app/project_file.h"
#include "app/sheet_host.h"
#include "platform/core/variant.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/file_messages.h"
#include "units/texts.h"

#include <exception>

frmPasswort::frmPasswort() : Form(QStringLiteral("frmPasswort"))
{
    setKind(Kind::Dialog);
    move(0, 0, 4800, 1740);
    lblName.move(240, 240, 4320, 255);
    txtPasswort.move(240, 540, 4320, 315);
    cmdOK.move(2040, 1080, 1215, 375);
    cmdAbbruch.move(3345, 1080, 1215, 375);
    txtPasswort.setTabIndex(0);
    cmdOK.setTabIndex(1);
    cmdAbbruch.setTabIndex(2);
    cmdOK.setDefault(true);
    cmdAbbruch.setCancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdAbbruch.Click = [this] { cmdAbbruch_Click(); };
}

void frmPasswort::Form_Load()
{
    const int Sprache = shared().Sprache;
    uiServices().beep();
    setCaption(getText(QStringLiteral("Passwort"), Sprache));
    lblName.setCaption(getText(QStringLiteral("Bitte geben Sie Ihr Passwort ein:"), Sprache));
    cmdOK.setCaption(getText(QStringLiteral("OK"), Sprache));
    cmdAbbruch.setCaption(getText(QStringLiteral("Abbruch"), Sprache));
    txtPasswort.setText(QString());
    txtPasswort.setPasswordChar(QLatin1Char('*'));
}

void frmPasswort::cmdOK_Click()
{
    SharedData &d = shared();
    // Anything that is not a number, the empty text too, counts as 0 and switches the extended display off.
    if (!Variant(txtPasswort.text()).isNumeric())
        txtPasswort.setText(QStringLiteral("0"));
    const double v = Variant(txtPasswort.text()).toDouble();

    if (v != accessCode && v != 0.0) {
        uiServices().messageBox(getText(QStringLiteral("Passwort ungültig!"), d.Sprache), MsgButtons::OK,
                                MsgIcon::None, QStringLiteral("Quendra"));
        return;
    }

    if (v == accessCode) {
        d.KD_Version = accessCode;
        showExtendedEntries(true);
    } else {
        d.KD_Version = 0;
        showExtendedEntries(false);
        d.DruckKenndaten = Variant(false);
    }
    reloadActiveSheet();

    // The parameters belong to the default project, which becomes the current one; the caption says so, as it
    // always names the file that Save writes.
    d.DatenPfad = dataFolder();
    d.DateiName = QStringLiteral("Default");
    if (frmMDIMain *main = mainWindow())
        main->setCaption(frmMDIMain::defaultCaption());
    try {
        SaveProgrammParameter(d.DatenPfad, d.DateiName);
    } catch (const std::exception &e) {
        // The display variant applies for this session all the same.
        uiServices().messageBox(
            fileFailureMessage(QStringLiteral("Die Programmparameter können nicht gespeichert werden:"),
                               projectFilePath(d.DatenPfad, d.DateiName), failureReason(e, d.Sprache), d.Sprache),
            MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Quendra"));
    }
    unload();
}

void frmPasswort::cmdAbbruch_Click()
{
    unload();
}

void frmPasswort::showExtendedEntries(bool shown)
{
    frmMDIMain *main = mainWindow();
    if (!main)
        return;
    for (Menu *entry : {&main->mnuTrennstrich20, &main->mnu9999, &main->mnuAnzeigeFL, &main->mnuAnzeigeXT})
        entry->setVisible(shown);
}

void frmPasswort::reloadActiveSheet()
{
    const int Modus = shared().Modus;
    if (Modus == 0) {
        sheethost::unloadSheet(SheetKind::CalcSize);
        sheethost::loadSheet(SheetKind::CalcSize);
    } else if (Modus == 1) {
        sheethost::unloadSheet(SheetKind::CalcFlow);
        sheethost::loadSheet(SheetKind::CalcFlow);
    }
}

DefaultInstance<frmPasswort> &frmPasswortInstance()
{
    static DefaultInstance<frmPasswort> instance;
    return instance;
}
