#include "tools/sheet_reload.h"

#include <utility>

namespace toolhost {

namespace {
std::function<void(int)> &reloader()
{
    static std::function<void(int)> reload;
    return reload;
}

std::function<void(int, int)> &replacer()
{
    static std::function<void(int, int)> replace;
    return replace;
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

void setSheetReplace(std::function<void(int ModusAlt, int ModusNeu)> replace)
{
    replacer() = std::move(replace);
}

void replaceSheet(int ModusAlt, int ModusNeu)
{
    if (const auto &replace = replacer())
        replace(ModusAlt, ModusNeu);
}

} // namespace toolhost
