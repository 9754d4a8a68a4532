#pragma once
// Writes animation files from the engine's own action tables. Positions are
// written as given: files of version 0x200 and later store a layer's centre,
// which the loader turns into its top-left corner.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ActRes.h"

namespace slvtools {

// Event names longer than 39 bytes are cut. Versions below 0x200 write
// 16-byte layers and no event index; only versions above 0x200 write the
// event names.
std::string BuildAct(uint16_t version, const std::vector<ActAction>& actions,
                     const std::vector<std::string>& eventNames = {});

}  // namespace slvtools
