#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Label;
class TextBox;
class ComboBox;

// What the flow recalculation and its validation use of the flow sheet: the three input boxes and the opening
// list they read (and move the focus to), the result labels they write and the pipe-size refill. The sheet fills
// one of these with pointers to its own controls (same names) and registers it while it is loaded; the engine
// never includes the sheet.
struct FlowSheetAccess {
    // Input boxes; txtT1max is rewritten at saturation, which runs its Change handler.
    TextBox *txtp1max = nullptr, *txtp2max = nullptr, *txtT1max = nullptr;
    // Editable list of the opening in percent.
    ComboBox *cmbYmax = nullptr;

    // Result labels (no handler reacts to a caption).
    Label *lblQmax = nullptr;
    Label *lblFlmax = nullptr, *lblxTMax = nullptr, *lblxMax = nullptr, *lblChokedFlowMax = nullptr;
    Label *lblzyMax = nullptr, *lblxFMax = nullptr, *lblKavitationMax = nullptr;
    Label *lblV1max = nullptr, *lblV2max = nullptr;
    Label *lblSchallVDMAmax = nullptr, *lblSchallkorrekturmax = nullptr, *lblSchallerwartmax = nullptr;
    Label *lblStoffwert1max = nullptr, *lblStoffwert2max = nullptr, *lblStoffwert3max = nullptr;

    // The sheet's public procedure: in pipe mode 0 copies the valve size into both pipe sizes (written back),
    // refills both pipe-size lists in DNunit, selects the stored sizes and enables the lists only in mode 2,
    // without storing a size or recalculating.
    std::function<void(int chkDNRohr, QString &DN1Rohr, QString &DN2Rohr, const QString &DNVentil, int DNunit)>
        update_DNRohrleitung;

    // Names of the members above that are still unset; a sheet's test checks that none is missing.
    QStringList missingMembers() const;
};

// The flow sheet that is loaded now, or nullptr. The sheet registers itself when it loads and unregisters before
// it is destroyed.
void setActiveFlowSheet(FlowSheetAccess *sheet);
FlowSheetAccess *activeFlowSheet();
