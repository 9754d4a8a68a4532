#include "tools/lib/LzssReference.h"

#include <algorithm>
#include <vector>

namespace slvtools {

std::string LzssDecodeReference(std::string_view stored, uint32_t unpackedSize) {
  constexpr uint32_t kRing = 8192;
  std::vector<uint8_t> ring(kRing, 0);
  size_t next = 0;
  auto byte = [&]() -> uint32_t {
    return next < stored.size() ? static_cast<uint8_t>(stored[next++]) : 0xFF;
  };
  std::string out;
  uint32_t count = 0;
  auto emit = [&](uint32_t from, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) out.push_back(static_cast<char>(ring[(from + i) % kRing]));
  };
  while (out.size() < unpackedSize) {
    uint32_t flags = byte();
    for (int item = 0; item < 8; ++item, flags >>= 1) {
      const uint32_t start = count;
      if ((flags & 1) == 0) {
        ring[count % kRing] = static_cast<uint8_t>(byte());
        ++count;
        emit(start, 1);
        continue;
      }
      const uint32_t low = byte();
      const uint32_t word = low | byte() << 8;
      uint32_t length = (word >> 12) + 2;
      uint32_t to = count % kRing;
      uint32_t from = (count - (word & 0x0FFF)) % kRing;
      while (length > 0) {
        const uint32_t chunk = std::min({length, kRing - to, kRing - from});
        uint32_t i = 0;
        for (; i + 4 <= chunk; i += 4) {
          const uint8_t group[4] = {ring[from + i], ring[from + i + 1], ring[from + i + 2], ring[from + i + 3]};
          std::copy(group, group + 4, ring.begin() + to + i);
        }
        for (; i < chunk; ++i) ring[to + i] = ring[from + i];
        to = (to + chunk) % kRing;
        from = (from + chunk) % kRing;
        length -= chunk;
        count += chunk;
      }
      emit(start, count - start);
    }
    count = std::min(count, unpackedSize);
  }
  out.resize(unpackedSize);
  return out;
}

}  // namespace slvtools
