#include "support/stand_in_windows.h"

#include "platform/core/number_text.h"
#include "sheets/sheet_common.h"
#include "state/shared_data.h"

namespace testsupport {

MainWindowStub::MainWindowStub() : Form(QStringLiteral("frmMDIMain"))
{
    setKind(Kind::MdiParent);
    access.StatusBar = &StatusBar;
    access.mnuDrucken = &mnuDrucken;
    access.mnuPDFDruck = &mnuPDFDruck;
}

FlowSheetStub::FlowSheetStub() : Form(QStringLiteral("frmCalcFlow"))
{
    setKind(Kind::MdiChild);
    using sheetcommon::storeInput;
    txtp1max.Change = [this] { storeInput(txtp1max, shared().p1Max, true, shared().bLadenCalcFlow); };
    txtp2max.Change = [this] { storeInput(txtp2max, shared().p2Max, false, shared().bLadenCalcFlow); };
    txtT1max.Change = [this] {
        ++t1Changes;
        storeInput(txtT1max, shared().T1Max, true, shared().bLadenCalcFlow);
    };
    access.txtp1max = &txtp1max;
    access.txtp2max = &txtp2max;
    access.txtT1max = &txtT1max;
    access.cmbYmax = &cmbYmax;
    access.lblQmax = &lblQmax;
    access.lblFlmax = &lblFlmax;
    access.lblxTMax = &lblxTMax;
    access.lblxMax = &lblxMax;
    access.lblChokedFlowMax = &lblChokedFlowMax;
    access.lblzyMax = &lblzyMax;
    access.lblxFMax = &lblxFMax;
    access.lblKavitationMax = &lblKavitationMax;
    access.lblV1max = &lblV1max;
    access.lblV2max = &lblV2max;
    access.lblSchallVDMAmax = &lblSchallVDMAmax;
    access.lblSchallkorrekturmax = &lblSchallkorrekturmax;
    access.lblSchallerwartmax = &lblSchallerwartmax;
    access.lblStoffwert1max = &lblStoffwert1max;
    access.lblStoffwert2max = &lblStoffwert2max;
    access.lblStoffwert3max = &lblStoffwert3max;
    access.update_DNRohrleitung = [this](int chk, QString &DN1, QString &DN2, const QString &DNVentil, int) {
        ++pipeRefills;
        if (chk == 0)
            DN1 = DN2 = DNVentil;
    };
}

void FlowSheetStub::showInputs(double p1, double p2, double T1, double openingPercent)
{
    SharedData &s = shared();
    s.p1Max = p1;
    s.p2Max = p2;
    s.T1Max = T1;
    txtp1max.setText(numtext::general(p1));
    txtp2max.setText(numtext::general(p2));
    txtT1max.setText(numtext::general(T1));
    cmbYmax.setText(numtext::general(openingPercent));
    t1Changes = 0;
}

} // namespace testsupport
