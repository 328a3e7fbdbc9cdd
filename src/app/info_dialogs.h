#pragma once

#include "platform/forms/forms.h"

// The information dialogs of the help menu: frmInfo in the normal and the extended display, frmInfoTrelvan in the
// partner variant. Each shows fixed texts (never translated), a picture, two link fields (web and mail) and OK.
class InfoDialog : public Form {
public:
    Image Image1{this, QStringLiteral("Image1")};
    Label txtInfo1{this, QStringLiteral("txtInfo1")};
    Label lblFirma{this, QStringLiteral("lblFirma")};
    Label lblAnschrift{this, QStringLiteral("lblAnschrift")};
    Label lblTelefon{this, QStringLiteral("lblTelefon")};
    TextBox txtHyperlink{this, QStringLiteral("txtHyperlink")};
    TextBox txtHyperlinkMail{this, QStringLiteral("txtHyperlinkMail")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};

protected:
    struct Links {
        QString web;         // caption and target
        QString mailCaption; // shown
        QString mailTarget;  // handed to the mail program
    };
    InfoDialog(const QString &name, Links links);

    void Form_Load() override;

private:
    void txtHyperlink_MouseMove(float X, float Y);
    void txtHyperlinkMail_MouseMove(float X, float Y);
    void txtHyperlink_Click();
    void txtHyperlinkMail_Click();
    void cmdOK_Click();

    Links links_;
};

class frmInfo : public InfoDialog {
public:
    frmInfo();

    Label lblHinweis{this, QStringLiteral("lblHinweis")};
};

class frmInfoTrelvan : public InfoDialog {
public:
    frmInfoTrelvan();

    Label Label1{this, QStringLiteral("Label1")};
};

DefaultInstance<frmInfo> &frmInfoInstance();
DefaultInstance<frmInfoTrelvan> &frmInfoTrelvanInstance();
