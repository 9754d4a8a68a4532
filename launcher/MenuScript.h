#pragma once
// The menu script "launcher.ini": each line may hold a condition,
// check(probe) or check(!probe) with the probes "dxver7", "html" and
// "install", and declares at most one item with class(kind, ...):
//   class(wallpaper, PICTURE)
//   class(select, LEFT TOP RIGHT BOTTOM, ACTION)
//   class(unselect, LEFT TOP RIGHT BOTTOM)
// Anything else on a line is ignored, so labels and notes may stand around
// the keywords.
#include <memory>
#include <string>
#include <vector>

#include "launcher/MenuItem.h"

// The window's item table keeps at most this many items.
inline constexpr size_t kMaxMenuItems = 31;

// The item a line declares; null when it declares none or its condition
// does not hold.
std::unique_ptr<MenuItem> ParseMenuLine(const std::string& line);
// The items of "launcher.ini" in script order; none when it is missing.
// Items past the table's room are dropped (logged).
std::vector<std::unique_ptr<MenuItem>> ReadMenuScript();
