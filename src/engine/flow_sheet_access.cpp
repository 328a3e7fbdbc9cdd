#include "engine/flow_sheet_access.h"

#include "engine/main_window_access.h"

namespace {
FlowSheetAccess *g_activeFlowSheet = nullptr;
} // namespace

QStringList FlowSheetAccess::missingMembers() const
{
    QStringList missing;
    auto check = [&missing](const void *member, const char *name) {
        if (!member)
            missing << QString::fromLatin1(name);
    };
    check(txtp1max, "txtp1max");
    check(txtp2max, "txtp2max");
    check(txtT1max, "txtT1max");
    check(cmbYmax, "cmbYmax");
    check(lblQmax, "lblQmax");
    check(lblFlmax, "lblFlmax");
    check(lblxTMax, "lblxTMax");
    check(lblxMax, "lblxMax");
    check(lblChokedFlowMax, "lblChokedFlowMax");
    check(lblzyMax, "lblzyMax");
    check(lblxFMax, "lblxFMax");
    check(lblKavitationMax, "lblKavitationMax");
    check(lblV1max, "lblV1max");
    check(lblV2max, "lblV2max");
    check(lblSchallVDMAmax, "lblSchallVDMAmax");
    check(lblSchallkorrekturmax, "lblSchallkorrekturmax");
    check(lblSchallerwartmax, "lblSchallerwartmax");
    check(lblStoffwert1max, "lblStoffwert1max");
    check(lblStoffwert2max, "lblStoffwert2max");
    check(lblStoffwert3max, "lblStoffwert3max");
    if (!update_DNRohrleitung)
        missing << QStringLiteral("update_DNRohrleitung");
    return missing;
}

void setActiveFlowSheet(FlowSheetAccess *sheet)
{
    // A sheet that comes or goes has no current results until a recalculation says so.
    if (sheet != g_activeFlowSheet)
        mainwin::setResultsCurrent(false);
    g_activeFlowSheet = sheet;
}

FlowSheetAccess *activeFlowSheet()
{
    return g_activeFlowSheet;
}
