#pragma once
// A plain, slow LZSS decoder written straight from the format, byte by byte:
// the yardstick the engine's buffered, ring-chunked reader is checked against
// in tests and fuzzing.
#include <cstdint>
#include <string>
#include <string_view>

namespace slvtools {

std::string LzssDecodeReference(std::string_view stored, uint32_t unpackedSize);

}  // namespace slvtools
