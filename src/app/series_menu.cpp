#include "app/main_window.h"

#include "app/catalogue.h"
#include "app/sheet_host.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <exception>
#include <memory>

void frmMDIMain::connectSeriesMenu()
{
    mnu4612.Click = [this] { mnu4612_Click(); };
    mnu4625.Click = [this] { mnu4625_Click(); };
    mnu4627_71.Click = [this] { mnu4627_71_Click(); };
    mnu4627_72.Click = [this] { mnu4627_72_Click(); };
    mnu4638.Click = [this] { mnu4638_Click(); };
    mnu4648.Click = [this] { mnu4648_Click(); };
    mnu4651_71.Click = [this] { mnu4651_71_Click(); };
    mnu4651_72.Click = [this] { mnu4651_72_Click(); };
    mnu4656.Click = [this] { mnu4656_Click(); };
    mnu3264.Click = [this] { mnu3264_Click(); };
    mnu3425.Click = [this] { mnu3425_Click(); };
    mnu3548.Click = [this] { mnu3548_Click(); };
    mnu3926.Click = [this] { mnu3926_Click(); };
    mnu2613.Click = [this] { mnu2613_Click(); };
    mnu3653.Click = [this] { mnu3653_Click(); };
    mnu3786.Click = [this] { mnu3786_Click(); };
    mnu2381.Click = [this] { mnu2381_Click(); };
    mnu3152.Click = [this] { mnu3152_Click(); };
    mnu3378.Click = [this] { mnu3378_Click(); };
    mnu3391.Click = [this] { mnu3391_Click(); };
    mnu3547.Click = [this] { mnu3547_Click(); };
    mnu3652.Click = [this] { mnu3652_Click(); };
    mnu3761.Click = [this] { mnu3761_Click(); };
    mnu3834.Click = [this] { mnu3834_Click(); };
    mnu4644.Click = [this] { mnu4644_Click(); };
}

void frmMDIMain::chooseSeries(const QString &key, KennlinieRule rule)
{
    SharedData &d = shared();
    // The catalogue and the series' table are opened before anything changes. A damaged catalogue is mended as at
    // New; one that cannot be opened is reported by its name and reason, and the previous series, table and sheet
    // stay.
    OpenedCatalogue catalogue;
    if (!openCatalogueFor(key, catalogue))
        return;

    d.Ventiltyp = key;
    switch (rule) {
    case KennlinieRule::AufZuToLinear:
        if (d.Kennlinie == 2)
            d.Kennlinie = 0;
        break;
    case KennlinieRule::Linear:
        d.Kennlinie = 0;
        break;
    case KennlinieRule::Gleichprozentig:
        d.Kennlinie = 1;
        break;
    case KennlinieRule::AufZu:
        d.Kennlinie = 2;
        break;
    }
    takeCatalogue(std::move(catalogue));

    // The sheet's Load handler shows the series and recalculates.
    if (d.Modus == 0) {
        sheethost::unloadSheet(SheetKind::CalcSize);
        sheethost::loadSheet(SheetKind::CalcSize);
    } else if (d.Modus == 1) {
        sheethost::unloadSheet(SheetKind::CalcFlow);
        sheethost::loadSheet(SheetKind::CalcFlow);
    }
}

void frmMDIMain::mnu4612_Click() { chooseSeries(QStringLiteral("4612"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4625_Click() { chooseSeries(QStringLiteral("4625"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4627_71_Click() { chooseSeries(QStringLiteral("4627_71"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4627_72_Click() { chooseSeries(QStringLiteral("4627_72"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4638_Click() { chooseSeries(QStringLiteral("4638"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4648_Click() { chooseSeries(QStringLiteral("4648"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4651_71_Click() { chooseSeries(QStringLiteral("4651_71"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4651_72_Click() { chooseSeries(QStringLiteral("4651_72"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu4656_Click() { chooseSeries(QStringLiteral("4656"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu3264_Click() { chooseSeries(QStringLiteral("3264"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu3425_Click() { chooseSeries(QStringLiteral("3425"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu3548_Click() { chooseSeries(QStringLiteral("3548"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu3926_Click() { chooseSeries(QStringLiteral("3926"), KennlinieRule::Linear); }
void frmMDIMain::mnu2613_Click() { chooseSeries(QStringLiteral("2613"), KennlinieRule::AufZuToLinear); }
void frmMDIMain::mnu3653_Click() { chooseSeries(QStringLiteral("3653"), KennlinieRule::Linear); }
void frmMDIMain::mnu3786_Click() { chooseSeries(QStringLiteral("3786"), KennlinieRule::Linear); }
void frmMDIMain::mnu2381_Click() { chooseSeries(QStringLiteral("2381"), KennlinieRule::Gleichprozentig); }
void frmMDIMain::mnu3152_Click() { chooseSeries(QStringLiteral("3152"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3378_Click() { chooseSeries(QStringLiteral("3378"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3391_Click() { chooseSeries(QStringLiteral("3391"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3547_Click() { chooseSeries(QStringLiteral("3547"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3652_Click() { chooseSeries(QStringLiteral("3652"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3761_Click() { chooseSeries(QStringLiteral("3761"), KennlinieRule::AufZu); }
void frmMDIMain::mnu3834_Click() { chooseSeries(QStringLiteral("3834"), KennlinieRule::AufZu); }
void frmMDIMain::mnu4644_Click() { chooseSeries(QStringLiteral("4644"), KennlinieRule::AufZu); }
