#include "app/info_dialogs.h"

#include "app/hyperlink.h"
#include "units/data_folder.h"
#include "units/maker_identity.h"

namespace {

// Both dialogs share one layout; the partner's has a taller notice and its button lower.
void placeCommon(InfoDialog &d)
{
    d.setCaption(QStringLiteral("Info"));
    d.Image1.move(240, 240, 1440, 1440);
    d.txtInfo1.move(1920, 240, 4200, 495);
    d.txtInfo1.setFontName(QStringLiteral("Arial"));
    d.txtInfo1.setFontSize(9.75);
    d.txtInfo1.setFontBold(true);
    d.lblFirma.move(1920, 840, 4200, 255);
    d.lblFirma.setFontBold(true);
    d.lblAnschrift.move(1920, 1080, 4200, 255);
    d.lblTelefon.move(1920, 1320, 4200, 255);
    d.txtHyperlink.move(1920, 1620, 4200, 255);
    d.txtHyperlinkMail.move(1920, 1890, 4200, 255);
    d.txtHyperlink.setTabStop(false);
    d.txtHyperlinkMail.setTabStop(false);
    d.cmdOK.setCaption(QStringLiteral("OK"));
    d.cmdOK.setCancel(true);
}

} // namespace

InfoDialog::InfoDialog(const QString &name, Links links) : Form(name), links_(std::move(links))
{
    setKind(Kind::Dialog);
    txtHyperlink.MouseMove = [this](int, int, float X, float Y) { txtHyperlink_MouseMove(X, Y); };
    txtHyperlinkMail.MouseMove = [this](int, int, float X, float Y) { txtHyperlinkMail_MouseMove(X, Y); };
    txtHyperlink.Click = [this] { txtHyperlink_Click(); };
    txtHyperlinkMail.Click = [this] { txtHyperlinkMail_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void InfoDialog::Form_Load()
{
    HyperlinkInit(txtHyperlink, links_.web, links_.web, this);
    SetHyperlinkColor(txtHyperlink);
    HyperlinkInit(txtHyperlinkMail, links_.mailCaption, links_.mailTarget, this);
    SetHyperlinkColor(txtHyperlinkMail);
}

void InfoDialog::txtHyperlink_MouseMove(float X, float Y)
{
    HyperlinkMouseMove(txtHyperlink, X, Y);
}

void InfoDialog::txtHyperlinkMail_MouseMove(float X, float Y)
{
    HyperlinkMouseMove(txtHyperlinkMail, X, Y);
}

void InfoDialog::txtHyperlink_Click()
{
    HyperlinkClick(txtHyperlink);
}

void InfoDialog::txtHyperlinkMail_Click()
{
    HyperlinkClick(txtHyperlinkMail);
}

void InfoDialog::cmdOK_Click()
{
    unload();
}

frmInfo::frmInfo()
    : InfoDialog(QStringLiteral("frmInfo"),
                 {maker::web, QStringLiteral("mailto: ") + maker::mail, QStringLiteral("mailto:") + maker::mail})
{
    move(0, 0, 6360, 3555);
    placeCommon(*this);
    Image1.loadPicture(programFolder() + QStringLiteral("/Logo.jpg"));
    txtInfo1.setCaption(QStringLiteral("Valve Sizing Acc. IEC 534, Version 9.75, 7/2006"));
    lblFirma.setCaption(maker::company);
    lblAnschrift.setCaption(maker::street);
    lblTelefon.setCaption(maker::phone);
    lblHinweis.move(240, 2340, 5880, 480);
    lblHinweis.setCaption(QString::fromUtf8("© 2006 ") + maker::company +
                          QStringLiteral(". Flow coefficients after IEC 60534, sound pressure level after "
                                         "VDMA 24422."));
    cmdOK.move(4905, 2940, 1215, 375);
}

frmInfoTrelvan::frmInfoTrelvan()
    : InfoDialog(QStringLiteral("frmInfoTrelvan"),
                 // The partner's mail field hands its caption, blank included, to the mail program.
                 {maker::partnerWeb, QStringLiteral("mailto: ") + maker::partnerMail,
                  QStringLiteral("mailto: ") + maker::partnerMail})
{
    move(0, 0, 6360, 3795);
    placeCommon(*this);
    Image1.loadPicture(programFolder() + QStringLiteral("/Logo_1.jpg"));
    txtInfo1.setCaption(QStringLiteral("Valve Sizing Acc. IEC 534, Version 9.7,12/2005"));
    lblFirma.setCaption(QStringLiteral("Trelvan Valve Systems Ltd."));
    lblAnschrift.setCaption(QStringLiteral("1 Example Road, Exampleton EX1 2AB"));
    lblTelefon.setCaption(QStringLiteral("Phone +44 0000 000000"));
    Label1.move(240, 2340, 5880, 720);
    Label1.setCaption(QStringLiteral("This program works with commonly accepted calculation rules. However we cannot "
                                     "accept any warranty related to the the application of the calculated "
                                     "results."));
    cmdOK.move(4905, 3180, 1215, 375);
}

DefaultInstance<frmInfo> &frmInfoInstance()
{
    static DefaultInstance<frmInfo> instance;
    return instance;
}

DefaultInstance<frmInfoTrelvan> &frmInfoTrelvanInstance()
{
    static DefaultInstance<frmInfoTrelvan> instance;
    return instance;
}
