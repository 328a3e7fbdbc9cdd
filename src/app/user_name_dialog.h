#pragma once

#include "platform/forms/forms.h"

// Asks for the name that printouts show as the person who made the calculation. While no name is stored the
// dialog can only be left with a name; with a name stored it can be cancelled.
class frmBenutzername : public Form {
public:
    frmBenutzername();

    Label lblName{this, QStringLiteral("lblName")};
    TextBox txtName{this, QStringLiteral("txtName")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdAbbruch{this, QStringLiteral("cmdAbbruch")};

    bool closeAllowed() const { return bSchliessenErlaubt; }

    // Longest name kept; printouts have room for no more.
    static constexpr int maxNameLength = 32;

protected:
    void Form_Load() override;
    void Form_Unload(int &Cancel) override;

private:
    void txtName_Change();
    void txtName_GotFocus();
    void cmdOK_Click();
    void cmdAbbruch_Click();

    bool bSchliessenErlaubt = false;
};

// The dialog's one instance: created and loaded on first use, gone when it unloads.
DefaultInstance<frmBenutzername> &frmBenutzernameInstance();
