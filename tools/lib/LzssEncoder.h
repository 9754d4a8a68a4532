#pragma once
// Our LZSS encoder for pack entries. It copies only from 4 to 4095 bytes back,
// where the engine's reader copies plainly forward, so what it writes decodes
// to the same bytes.
#include <string>
#include <string_view>

namespace slvtools {

std::string LzssEncode(std::string_view data);

}  // namespace slvtools
