#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Label;
class TextBox;
class ComboBox;

// What the sizing engine uses of the sizing sheet: its input boxes, the two value lists it refills, the result
// labels it writes and the pipe-size refill. The sheet fills one of these with pointers to its own
// controls (same names) and registers it while it is loaded; the engine never includes the sheet.
struct SizingSheetAccess {
    // Input boxes: read by the validation; the T1 boxes are rewritten at saturation (their Change handlers run).
    TextBox *txtp1min = nullptr, *txtp2min = nullptr, *txtT1min = nullptr, *txtQmin = nullptr;
    TextBox *txtp1norm = nullptr, *txtp2norm = nullptr, *txtT1norm = nullptr, *txtQnorm = nullptr;
    TextBox *txtp1max = nullptr, *txtp2max = nullptr, *txtT1max = nullptr, *txtQmax = nullptr;

    // Value lists refilled after each valve choice.
    ComboBox *cmbDNVentil = nullptr, *cmbKvsCv = nullptr;

    // Valve block.
    Label *lblYmin = nullptr, *lblYnorm = nullptr, *lblYmax = nullptr, *lblYunit = nullptr;
    Label *lblKvmincalc = nullptr, *lblKvnormcalc = nullptr, *lblKvmaxcalc = nullptr;
    Label *lblReduktion = nullptr, *lblSTVVentil = nullptr;
    Label *lblSTVmin = nullptr, *lblSTVnorm = nullptr, *lblSTVmax = nullptr;
    Label *lblQymax = nullptr, *lblQymaxunit = nullptr, *lblQReserve = nullptr, *lblQResunit = nullptr;

    // Valve result rows.
    Label *lblzyMin = nullptr, *lblzyNorm = nullptr, *lblzyMax = nullptr;
    Label *lblxFMin = nullptr, *lblxFNorm = nullptr, *lblxFMax = nullptr;
    Label *lblFlmin = nullptr, *lblFlnorm = nullptr, *lblFlmax = nullptr;
    Label *lblKavitationMin = nullptr, *lblKavitationNorm = nullptr, *lblKavitationMax = nullptr;
    Label *lblxTMin = nullptr, *lblxTNorm = nullptr, *lblxTMax = nullptr;
    Label *lblxMin = nullptr, *lblxNorm = nullptr, *lblxMax = nullptr;
    Label *lblChokedFlowMin = nullptr, *lblChokedFlowNorm = nullptr, *lblChokedFlowMax = nullptr;

    // Pipe block.
    Label *lblV1min = nullptr, *lblV1norm = nullptr, *lblV1max = nullptr;
    Label *lblV2min = nullptr, *lblV2norm = nullptr, *lblV2max = nullptr;

    // Noise block.
    Label *lblSchallVDMAmin = nullptr, *lblSchallVDMAnorm = nullptr, *lblSchallVDMAmax = nullptr;
    Label *lblSchallkorrekturmin = nullptr, *lblSchallkorrekturnorm = nullptr, *lblSchallkorrekturmax = nullptr;
    Label *lblSchallerwartmin = nullptr, *lblSchallerwartnorm = nullptr, *lblSchallerwartmax = nullptr;

    // Fluid block.
    Label *lblStoffwert1min = nullptr, *lblStoffwert1norm = nullptr, *lblStoffwert1max = nullptr;
    Label *lblStoffwert2min = nullptr, *lblStoffwert2norm = nullptr, *lblStoffwert2max = nullptr;
    Label *lblStoffwert3min = nullptr, *lblStoffwert3norm = nullptr, *lblStoffwert3max = nullptr;

    // The sheet's public procedure: refills both pipe-size lists and selects the stored sizes without
    // recalculating.
    std::function<void(QString &DN1Rohr, QString &DN2Rohr, int DNunit)> update_DNRohrleitung;

    // Names of the members above that are still unset; a sheet's test checks that none is missing.
    QStringList missingMembers() const;
};

// The sizing sheet that is loaded now, or nullptr. The sheet registers itself when it loads and unregisters
// before it is destroyed.
void setActiveSizingSheet(SizingSheetAccess *sheet);
SizingSheetAccess *activeSizingSheet();
