#pragma once

#include <functional>

// The tools hand their results to the calculation sheet of the current mode. The sheets belong to the main
// window, which installs here how the sheet of a mode (0 sizing, 1 flow) is unloaded and loaded again; until it
// does, a reload does nothing.
namespace toolhost {

void setSheetReload(std::function<void(int Modus)> reload);
void reloadSheet(int Modus);

} // namespace toolhost
