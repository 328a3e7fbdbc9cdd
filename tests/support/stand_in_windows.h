#pragma once

// Windows made of form-runtime controls that stand in for the real ones where a test or benchmark needs only
// what the recalculations reach of them.

#include "engine/flow_sheet_access.h"
#include "engine/main_window_access.h"
#include "platform/forms/forms.h"

namespace testsupport {

// The main window's status line and its two print entries, registered nowhere until the owner does so.
class MainWindowStub : public Form {
public:
    MainWindowStub();

    ::StatusBar StatusBar{this, QStringLiteral("StatusBar")};
    Menu mnuDatei{this, QStringLiteral("mnuDatei")};
    Menu mnuDrucken{&mnuDatei, QStringLiteral("mnuDrucken")};
    Menu mnuPDFDruck{&mnuDatei, QStringLiteral("mnuPDFDruck")};
    MainWindowAccess access;
};

// A flow sheet with the controls the flow recalculation reaches; its boxes' Change handlers store their values as
// the real sheet's do.
class FlowSheetStub : public Form {
public:
    FlowSheetStub();

    // Stores and shows p1, p2, T1 and the opening in percent; the T1 count starts again.
    void showInputs(double p1, double p2, double T1, double openingPercent);

    TextBox txtp1max{this, QStringLiteral("txtp1max")};
    TextBox txtp2max{this, QStringLiteral("txtp2max")};
    TextBox txtT1max{this, QStringLiteral("txtT1max")};
    ComboBox cmbYmax{this, QStringLiteral("cmbYmax")};
    Label lblQmax{this, QStringLiteral("lblQmax")};
    Label lblFlmax{this, QStringLiteral("lblFlmax")};
    Label lblxTMax{this, QStringLiteral("lblxTMax")};
    Label lblxMax{this, QStringLiteral("lblxMax")};
    Label lblChokedFlowMax{this, QStringLiteral("lblChokedFlowMax")};
    Label lblzyMax{this, QStringLiteral("lblzyMax")};
    Label lblxFMax{this, QStringLiteral("lblxFMax")};
    Label lblKavitationMax{this, QStringLiteral("lblKavitationMax")};
    Label lblV1max{this, QStringLiteral("lblV1max")};
    Label lblV2max{this, QStringLiteral("lblV2max")};
    Label lblSchallVDMAmax{this, QStringLiteral("lblSchallVDMAmax")};
    Label lblSchallkorrekturmax{this, QStringLiteral("lblSchallkorrekturmax")};
    Label lblSchallerwartmax{this, QStringLiteral("lblSchallerwartmax")};
    Label lblStoffwert1max{this, QStringLiteral("lblStoffwert1max")};
    Label lblStoffwert2max{this, QStringLiteral("lblStoffwert2max")};
    Label lblStoffwert3max{this, QStringLiteral("lblStoffwert3max")};
    FlowSheetAccess access;
    int t1Changes = 0;
    int pipeRefills = 0;
};

} // namespace testsupport
