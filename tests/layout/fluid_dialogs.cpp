// The ideal-gas list and the liquid list as Medium > Ideal gas and Medium > Liquid show them, browsing and with an
// entry being edited (Übernehmen and Abbruch shown), and the gas mixture as Medium > Ideal gas mixtures shows it;
// all on the shipped fluid database.
#include "layout_forms.h"

#include "app/main_window.h"
#include "fluids/gas_mixture.h"
#include "fluids/ideal_gas_list.h"
#include "fluids/liquid_list.h"

namespace {

template <class T>
class FluidDialogScene : public layout::DialogScene<T> {
public:
    FluidDialogScene(DefaultInstance<T> &instance, const QString &variant, int Sprache)
        : layout::DialogScene<T>(instance, {Sprache, 0, 0})
    {
        T &dialog = this->instance_.get();
        if constexpr (!std::is_same_v<T, frmGasgemisch>) {
            if (variant == QLatin1String("edit")) {
                dialog.lstSubstanz.userPick(0);
                dialog.cmdBearbeiten.userClick();
            }
        }
    }
};

const layout::Registration idealGasList{
    {QStringLiteral("frmIdealesGas"), {QStringLiteral("browse"), QStringLiteral("edit")},
     [](const QString &variant, int Sprache) {
         return std::make_unique<FluidDialogScene<frmIdealesGas>>(frmIdealesGasInstance(), variant, Sprache);
     }}};

const layout::Registration liquidList{
    {QStringLiteral("frmFlüssigkeit"), {QStringLiteral("browse"), QStringLiteral("edit")},
     [](const QString &variant, int Sprache) {
         return std::make_unique<FluidDialogScene<frmFlüssigkeit>>(frmFlüssigkeitInstance(), variant, Sprache);
     }}};

const layout::Registration gasMixture{
    {QStringLiteral("frmGasgemisch"), {QStringLiteral("standard")}, [](const QString &variant, int Sprache) {
         return std::make_unique<FluidDialogScene<frmGasgemisch>>(frmGasgemischInstance(), variant, Sprache);
     }}};

} // namespace
