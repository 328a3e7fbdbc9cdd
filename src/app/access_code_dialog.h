#pragma once

#include "platform/forms/forms.h"

// Switches the extended display on (the access code) or off (0, or anything that is not a number). Either choice
// rebuilds the active sheet, makes the default project the current one and stores the display variant in the
// program parameters at once. Any other number is refused with a message and the dialog stays open.
class frmPasswort : public Form {
public:
    frmPasswort();

    Label lblName{this, QStringLiteral("lblName")};
    TextBox txtPasswort{this, QStringLiteral("txtPasswort")};
    CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    CommandButton cmdAbbruch{this, QStringLiteral("cmdAbbruch")};

    static constexpr int accessCode = 6417;

protected:
    void Form_Load() override;

private:
    void cmdOK_Click();
    void cmdAbbruch_Click();
    void showExtendedEntries(bool shown);
    void reloadActiveSheet();
};

// The dialog's one instance: created and loaded on first use, gone when it unloads.
DefaultInstance<frmPasswort> &frmPasswortInstance();
