#pragma once

#include <functional>

// The tools hand their results to the calculation sheet of the current mode. The sheets belong to the main
// window, which installs here how the sheet of a mode (0 sizing, 1 flow) is unloaded and loaded again, and how
// the sheet of one mode is unloaded and that of another loaded in its place; until it does, both do nothing.
namespace toolhost {

void setSheetReload(std::function<void(int Modus)> reload);
void reloadSheet(int Modus);

void setSheetReplace(std::function<void(int ModusAlt, int ModusNeu)> replace);
void replaceSheet(int ModusAlt, int ModusNeu);

} // namespace toolhost
