#include "tools/sheet_reload.h"

#include <utility>

namespace toolhost {

namespace {
std::function<void(int)> &reloader()
{
    static std::function<void(int)> reload;
    return reload;
}
} // namespace

void setSheetReload(std::function<void(int Modus)> reload)
{
    reloader() = std::move(reload);
}

void reloadSheet(int Modus)
{
    if (const auto &reload = reloader())
        reload(Modus);
}

} // namespace toolhost
