#include "app/user_name_dialog.h"

#include "platform/core/variant.h"
#include "state/shared_data.h"
#include "units/texts.h"

namespace {
// Blanks only, as the name tests have always trimmed.
QString trimBlanks(const QString &s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s[from] == QLatin1Char(' '))
        ++from;
    while (to > from && s[to - 1] == QLatin1Char(' '))
        --to;
    return s.mid(from, to - from);
}
} // namespace

frmBenutzername::frmBenutzername() : Form(QStringLiteral("frmBenutzername"))
{
    setKind(Kind::Dialog);
    move(0, 0, 4800, 1740);
    lblName.move(240, 240, 4320, 255);
    txtName.move(240, 540, 4320, 315);
    cmdOK.move(2040, 1080, 1215, 375);
    cmdAbbruch.move(3345, 1080, 1215, 375);
    txtName.setTabIndex(0);
    cmdOK.setTabIndex(1);
    cmdAbbruch.setTabIndex(2);
    cmdOK.setDefault(true);
    cmdAbbruch.setCancel(true);

    txtName.Change = [this] { txtName_Change(); };
    txtName.GotFocus = [this] { txtName_GotFocus(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdAbbruch.Click = [this] { cmdAbbruch_Click(); };
}

void frmBenutzername::Form_Load()
{
    const int Sprache = shared().Sprache;
    uiServices().beep();
    bSchliessenErlaubt = false;
    setCaption(getText(QStringLiteral("Benutzername"), Sprache));
    lblName.setCaption(getText(QStringLiteral("Bitte geben Sie Ihren Namen ein:"), Sprache));
    cmdOK.setCaption(getText(QStringLiteral("OK"), Sprache));
    cmdAbbruch.setCaption(getText(QStringLiteral("Abbruch"), Sprache));
    // A text different from the empty start text raises Change, which sets the buttons before the dialog shows.
    txtName.setText(shared().Benutzername);
}

void frmBenutzername::Form_Unload(int &Cancel)
{
    if (!bSchliessenErlaubt)
        Cancel = 1;
}

void frmBenutzername::txtName_Change()
{
    // Cancel depends on the stored name, not on the field: without a stored name there is no way out but OK.
    cmdAbbruch.setEnabled(!trimBlanks(shared().Benutzername).isEmpty());
    const QString &text = txtName.text();
    cmdOK.setEnabled(!trimBlanks(text).isEmpty() && !Variant(text).isNumeric());
    bSchliessenErlaubt = cmdAbbruch.enabled();
}

void frmBenutzername::txtName_GotFocus()
{
    txtName.setSelStart(0);
    txtName.setSelLength(static_cast<int>(txtName.text().size()));
}

void frmBenutzername::cmdOK_Click()
{
    QString &name = shared().Benutzername;
    name = txtName.text().left(maxNameLength);
    if (name.isEmpty())
        name = QStringLiteral(" ");
    bSchliessenErlaubt = true;
    unload();
}

void frmBenutzername::cmdAbbruch_Click()
{
    unload();
}

DefaultInstance<frmBenutzername> &frmBenutzernameInstance()
{
    static DefaultInstance<frmBenutzername> instance;
    return instance;
}
