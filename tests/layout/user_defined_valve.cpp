// The user-defined valve as Valve series > User-defined shows it in the extended display, with the nominal sizes
// in millimetres and in inches.
#include "layout_forms.h"

#include "app/main_window.h"
#include "state/shared_data.h"
#include "tools/user_defined_valve.h"

namespace {

class UserDefinedValveScene : public layout::DialogScene<frmBenutzerdefiniert> {
public:
    UserDefinedValveScene(const QString &variant, int Sprache)
        : DialogScene(frmBenutzerdefiniertInstance(), {Sprache, 6417, 0})
    {
        shared().DNunit = variant == QLatin1String("inch") ? 1 : 0;
    }
};

const layout::Registration userDefinedValve{
    {QStringLiteral("frmBenutzerdefiniert"), {QStringLiteral("mm"), QStringLiteral("inch")},
     [](const QString &variant, int Sprache) { return std::make_unique<UserDefinedValveScene>(variant, Sprache); }}};

} // namespace
