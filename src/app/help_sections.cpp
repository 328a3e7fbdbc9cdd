#include "app/help_sections.h"

#include "platform/forms/table_curve_display.h"
#include "platform/shell/desktop_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

HelpTopic topic(const char *window, QStringList controls, const char *germanPage, const char *germanAnchor,
                const char *englishPage, const char *englishAnchor)
{
    return HelpTopic{QString::fromUtf8(window), std::move(controls),
                     HelpSection{QString::fromUtf8(germanPage), QString::fromUtf8(germanAnchor)},
                     HelpSection{QString::fromUtf8(englishPage), QString::fromUtf8(englishAnchor)}};
}

// The sheets' controls by the part of the sheet they belong to.
const QStringList kProcessData = {
    "txtp1min", "txtp1norm", "txtp1max", "txtp2min",  "txtp2norm", "txtp2max",  "txtT1min", "txtT1norm",
    "txtT1max", "txtQmin",   "txtQnorm", "txtQmax",   "chkMin",    "chkNorm",   "cmbP1unit", "cmbP2unit",
    "cmbT1unit", "cmbQunit"};
const QStringList kValveData = {"optDNMin", "optDNfest",    "cmbDNVentil", "cmbDNunit", "optLinear",
                                "optGleichprozentig", "optAufZu", "optKvoptimal", "optKvFest", "cmbKvsCv",
                                "cmbKvUnit"};
const QStringList kPipe = {"cmbDNRohr1", "cmbDNRohr2", "optDNVentil", "optOptimiert", "optVorgabe",
                           "cmbGeschwindigkeit"};
const QStringList kFluidUnits = {"cmbStoffwert1unit", "cmbStoffwert2unit", "cmbStoffwert3unit"};
const QStringList kFlowInputs = {"txtp1max", "txtp2max", "txtT1max", "cmbP1unit", "cmbP2unit",
                                 "cmbT1unit", "cmbYmax",  "cmbQunit"};
const QStringList kFlowValve = {"cmbDNVentil", "cmbDNunit", "optLinear", "optGleichprozentig",
                                "optAufZu",    "cmbKvsCv",  "cmbKvUnit"};

} // namespace

const std::vector<HelpTopic> &helpTopics()
{
    static const std::vector<HelpTopic> topics = {
        topic("", {}, "hilfe.html", "", "help.html", ""),
        topic("frmMDIMain", {}, "hilfe_menues.html", "hauptfenster", "help_menus.html", "main-window"),
        topic("frmCalcSize", {}, "hilfe_dimensionierung.html", "", "help_sizing.html", ""),
        topic("frmCalcSize", kProcessData, "hilfe_dimensionierung.html", "prozessdaten", "help_sizing.html",
              "process-data"),
        topic("frmCalcSize", kValveData, "hilfe_dimensionierung.html", "ventildaten", "help_sizing.html",
              "valve-data"),
        topic("frmCalcSize", kPipe, "hilfe_dimensionierung.html", "rohrleitung", "help_sizing.html", "pipe"),
        topic("frmCalcSize", kFluidUnits, "hilfe_dimensionierung.html", "stoffdaten", "help_sizing.html",
              "fluid-data"),
        topic("frmCalcFlow", {}, "hilfe_durchfluss.html", "", "help_flow.html", ""),
        topic("frmCalcFlow", kFlowInputs, "hilfe_durchfluss.html", "eingaben", "help_flow.html", "inputs"),
        topic("frmCalcFlow", kFlowValve, "hilfe_durchfluss.html", "ventil", "help_flow.html", "valve"),
        topic("frmCalcFlow", kPipe, "hilfe_durchfluss.html", "rohrleitung", "help_flow.html", "pipe"),
        topic("frmCalcFlow", kFluidUnits, "hilfe_durchfluss.html", "ergebnisse", "help_flow.html", "results"),
        topic("frmIdealesGas", {}, "hilfe_medien.html", "ideale-gase", "help_media.html", "ideal-gases"),
        topic("frmFlüssigkeit", {}, "hilfe_medien.html", "fluessigkeiten", "help_media.html", "liquids"),
        topic("frmGasgemisch", {}, "hilfe_medien.html", "gasgemisch", "help_media.html", "gas-mixture"),
        topic("frmStoffdatenAssistent", {}, "hilfe_medien.html", "assistent", "help_media.html", "wizard"),
        topic("frmWärmetauscher", {}, "hilfe_werkzeuge.html", "waermetauscher", "help_tools.html",
              "heat-exchanger"),
        topic("frmBenutzerdefiniert", {}, "hilfe_werkzeuge.html", "benutzerdefiniert", "help_tools.html",
              "user-defined"),
        topic("frmBenutzerdefiniert", {"cmdAbschätzen"}, "hilfe_werkzeuge.html", "werte-abschaetzen",
              "help_tools.html", "estimate-values"),
        topic(kTableCurveWindowName, {}, "hilfe_werkzeuge.html", "kennlinie", "help_tools.html", "characteristic"),
        topic("frmDruck", {}, "hilfe_drucken.html", "drucken", "help_printing.html", "print"),
        topic("frmDruck_WTauscher", {}, "hilfe_drucken.html", "waermetauscher", "help_printing.html",
              "heat-exchanger"),
        topic("frmBenutzername", {}, "hilfe_menues.html", "benutzername", "help_menus.html", "user-name"),
        topic("frmPasswort", {}, "hilfe_menues.html", "passwort", "help_menus.html", "password"),
        topic("frmInfo", {}, "hilfe_menues.html", "info", "help_menus.html", "about"),
        topic("frmInfoTrelvan", {}, "hilfe_menues.html", "info", "help_menus.html", "about"),
    };
    return topics;
}

HelpSection helpSectionFor(const QString &window, const QString &control, bool english)
{
    const HelpTopic *found = &helpTopics().front();
    for (const HelpTopic &t : helpTopics()) {
        if (t.window != window)
            continue;
        if (t.controls.isEmpty() && found->window != window)
            found = &t;
        else if (!control.isEmpty() && t.controls.contains(control))
            found = &t;
    }
    return english ? found->english : found->german;
}

bool showHelpFor(const QString &window, const QString &control)
{
    const QString file = helpFile();
    if (file.isEmpty())
        return false;
    const QFileInfo start(file);
    const HelpSection section =
        helpSectionFor(window, control, start.fileName() == QLatin1String("help.html"));
    desktopServices().showHelp(start.dir().filePath(section.page), section.anchor, helpTexts());
    return true;
}
