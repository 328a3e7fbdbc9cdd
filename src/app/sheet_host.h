#pragma once

#include "platform/forms/default_instance.h"

#include <functional>

// The main window holds at most one calculation sheet in its client area: the sizing sheet frmCalcSize or the
// flow sheet frmCalcFlow. The sheets are built apart from the main window and tell it here how they are loaded
// and unloaded; a sheet that has not registered loads as nothing.
//
// A sheet registers its default instance once, before the main window runs New:
//     sheethost::registerSheet(SheetKind::CalcSize, sheethost::hooksFor(frmCalcSizeInstance()));
enum class SheetKind { CalcSize = 0, CalcFlow = 1 };

struct SheetHooks {
    // Creates the sheet if needed and runs its Load handler, which builds and shows it and recalculates.
    std::function<void()> load;
    // Unloads the sheet; nothing when it is not loaded.
    std::function<void()> unload;
    std::function<bool()> isLoaded;
};

namespace sheethost {

inline SheetHooks &hooks(SheetKind kind)
{
    static SheetHooks registered[2];
    return registered[static_cast<int>(kind)];
}

// Replaces the hooks of a sheet; empty hooks unregister it.
inline void registerSheet(SheetKind kind, SheetHooks sheet)
{
    hooks(kind) = std::move(sheet);
}

inline void loadSheet(SheetKind kind)
{
    if (const auto &load = hooks(kind).load)
        load();
}

inline void unloadSheet(SheetKind kind)
{
    if (const auto &unload = hooks(kind).unload)
        unload();
}

// Unloads the sheet of a mode (0 sizing, 1 flow) and loads it again, so that it shows and recalculates what the
// shared data hold now; any other mode has no sheet.
inline void reloadSheetOfMode(int Modus)
{
    if (Modus != 0 && Modus != 1)
        return;
    const SheetKind kind = Modus == 0 ? SheetKind::CalcSize : SheetKind::CalcFlow;
    unloadSheet(kind);
    loadSheet(kind);
}

inline bool sheetLoaded(SheetKind kind)
{
    const auto &isLoaded = hooks(kind).isLoaded;
    return isLoaded && isLoaded();
}

// The hooks of a sheet kept as a default instance (loading an MDI child shows it).
template <class T>
SheetHooks hooksFor(DefaultInstance<T> &instance)
{
    return SheetHooks{[&instance] { instance.get(); }, [&instance] { instance.unload(); },
                      [&instance] { return instance.isLoaded(); }};
}

} // namespace sheethost
