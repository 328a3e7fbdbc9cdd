#include "engine/sizing_sheet_access.h"

#include "engine/main_window_access.h"

namespace {
SizingSheetAccess *g_activeSheet = nullptr;
} // namespace

QStringList SizingSheetAccess::missingMembers() const
{
    QStringList missing;
    auto check = [&missing](const void *member, const char *name) {
        if (!member)
            missing << QString::fromLatin1(name);
    };
    check(txtp1min, "txtp1min");
    check(txtp2min, "txtp2min");
    check(txtT1min, "txtT1min");
    check(txtQmin, "txtQmin");
    check(txtp1norm, "txtp1norm");
    check(txtp2norm, "txtp2norm");
    check(txtT1norm, "txtT1norm");
    check(txtQnorm, "txtQnorm");
    check(txtp1max, "txtp1max");
    check(txtp2max, "txtp2max");
    check(txtT1max, "txtT1max");
    check(txtQmax, "txtQmax");
    check(cmbDNVentil, "cmbDNVentil");
    check(cmbKvsCv, "cmbKvsCv");
    check(lblYmin, "lblYmin");
    check(lblYnorm, "lblYnorm");
    check(lblYmax, "lblYmax");
    check(lblYunit, "lblYunit");
    check(lblKvmincalc, "lblKvmincalc");
    check(lblKvnormcalc, "lblKvnormcalc");
    check(lblKvmaxcalc, "lblKvmaxcalc");
    check(lblReduktion, "lblReduktion");
    check(lblSTVVentil, "lblSTVVentil");
    check(lblSTVmin, "lblSTVmin");
    check(lblSTVnorm, "lblSTVnorm");
    check(lblSTVmax, "lblSTVmax");
    check(lblQymax, "lblQymax");
    check(lblQymaxunit, "lblQymaxunit");
    check(lblQReserve, "lblQReserve");
    check(lblQResunit, "lblQResunit");
    check(lblzyMin, "lblzyMin");
    check(lblzyNorm, "lblzyNorm");
    check(lblzyMax, "lblzyMax");
    check(lblxFMin, "lblxFMin");
    check(lblxFNorm, "lblxFNorm");
    check(lblxFMax, "lblxFMax");
    check(lblFlmin, "lblFlmin");
    check(lblFlnorm, "lblFlnorm");
    check(lblFlmax, "lblFlmax");
    check(lblKavitationMin, "lblKavitationMin");
    check(lblKavitationNorm, "lblKavitationNorm");
    check(lblKavitationMax, "lblKavitationMax");
    check(lblxTMin, "lblxTMin");
    check(lblxTNorm, "lblxTNorm");
    check(lblxTMax, "lblxTMax");
    check(lblxMin, "lblxMin");
    check(lblxNorm, "lblxNorm");
    check(lblxMax, "lblxMax");
    check(lblChokedFlowMin, "lblChokedFlowMin");
    check(lblChokedFlowNorm, "lblChokedFlowNorm");
    check(lblChokedFlowMax, "lblChokedFlowMax");
    check(lblV1min, "lblV1min");
    check(lblV1norm, "lblV1norm");
    check(lblV1max, "lblV1max");
    check(lblV2min, "lblV2min");
    check(lblV2norm, "lblV2norm");
    check(lblV2max, "lblV2max");
    check(lblSchallVDMAmin, "lblSchallVDMAmin");
    check(lblSchallVDMAnorm, "lblSchallVDMAnorm");
    check(lblSchallVDMAmax, "lblSchallVDMAmax");
    check(lblSchallkorrekturmin, "lblSchallkorrekturmin");
    check(lblSchallkorrekturnorm, "lblSchallkorrekturnorm");
    check(lblSchallkorrekturmax, "lblSchallkorrekturmax");
    check(lblSchallerwartmin, "lblSchallerwartmin");
    check(lblSchallerwartnorm, "lblSchallerwartnorm");
    check(lblSchallerwartmax, "lblSchallerwartmax");
    check(lblStoffwert1min, "lblStoffwert1min");
    check(lblStoffwert1norm, "lblStoffwert1norm");
    check(lblStoffwert1max, "lblStoffwert1max");
    check(lblStoffwert2min, "lblStoffwert2min");
    check(lblStoffwert2norm, "lblStoffwert2norm");
    check(lblStoffwert2max, "lblStoffwert2max");
    check(lblStoffwert3min, "lblStoffwert3min");
    check(lblStoffwert3norm, "lblStoffwert3norm");
    check(lblStoffwert3max, "lblStoffwert3max");
    if (!update_DNRohrleitung)
        missing << QStringLiteral("update_DNRohrleitung");
    return missing;
}

void setActiveSizingSheet(SizingSheetAccess *sheet)
{
    // A sheet that comes or goes has no current results until a recalculation says so.
    if (sheet != g_activeSheet)
        mainwin::setResultsCurrent(false);
    g_activeSheet = sheet;
}

SizingSheetAccess *activeSizingSheet()
{
    return g_activeSheet;
}
