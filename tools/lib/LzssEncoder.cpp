#include "tools/lib/LzssEncoder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace slvtools {
namespace {

constexpr uint32_t kMinDistance = 4;
constexpr uint32_t kMaxDistance = 4095;
constexpr uint32_t kMinLength = 3;  // a match of 2 saves a single flag bit
constexpr uint32_t kMaxLength = 17;
constexpr uint32_t kHashBits = 15;
constexpr uint32_t kWindow = 4096;  // > kMaxDistance, so a live chain link is never overwritten
constexpr int kMaxChain = 64;

// Groups of a flag byte and up to eight items.
class GroupWriter {
 public:
  void Literal(uint8_t byte) {
    Item(false);
    m_out.push_back(static_cast<char>(byte));
  }
  void Match(uint32_t distance, uint32_t length) {
    Item(true);
    const uint32_t word = (length - 2) << 12 | distance;
    m_out.push_back(static_cast<char>(word & 0xFF));
    m_out.push_back(static_cast<char>(word >> 8));
  }
  std::string Take() { return std::move(m_out); }

 private:
  void Item(bool match) {
    if (m_items == 8) {
      m_flagAt = m_out.size();
      m_out.push_back(0);
      m_items = 0;
    }
    if (match) m_out[m_flagAt] = static_cast<char>(m_out[m_flagAt] | 1 << m_items);
    ++m_items;
  }

  std::string m_out;
  size_t m_flagAt = 0;
  int m_items = 8;
};

class MatchFinder {
 public:
  explicit MatchFinder(std::string_view data)
      : m_data(reinterpret_cast<const uint8_t*>(data.data())),
        m_size(data.size()),
        m_head(size_t{1} << kHashBits, -1),
        m_prev(kWindow, -1) {}

  void Insert(size_t pos) {
    if (pos + kMinLength > m_size) return;
    const uint32_t h = Hash(pos);
    m_prev[pos % kWindow] = m_head[h];
    m_head[h] = static_cast<int64_t>(pos);
  }

  // The longest match for `pos` among earlier positions: length 0 when none.
  void Longest(size_t pos, uint32_t* length, uint32_t* distance) const {
    *length = 0;
    if (pos + kMinLength > m_size) return;
    const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(kMaxLength, m_size - pos));
    int64_t candidate = m_head[Hash(pos)];
    for (int steps = 0; candidate >= 0 && steps < kMaxChain; ++steps) {
      const uint64_t back = pos - static_cast<size_t>(candidate);
      if (back > kMaxDistance) break;
      if (back >= kMinDistance) {
        const uint32_t n = Common(static_cast<size_t>(candidate), pos, limit);
        if (n > *length) {
          *length = n;
          *distance = static_cast<uint32_t>(back);
          if (n == limit) break;
        }
      }
      const int64_t older = m_prev[static_cast<size_t>(candidate) % kWindow];
      if (older >= candidate) break;
      candidate = older;
    }
    if (*length < kMinLength) *length = 0;
  }

 private:
  uint32_t Hash(size_t pos) const {
    const uint32_t v = m_data[pos] | m_data[pos + 1] << 8 | m_data[pos + 2] << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
  }
  uint32_t Common(size_t a, size_t b, uint32_t limit) const {
    uint32_t n = 0;
    while (n < limit && m_data[a + n] == m_data[b + n]) ++n;
    return n;
  }

  const uint8_t* m_data;
  size_t m_size;
  std::vector<int64_t> m_head;
  std::vector<int64_t> m_prev;
};

}  // namespace

std::string LzssEncode(std::string_view data) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  MatchFinder finder(data);
  GroupWriter out;
  size_t pos = 0;
  while (pos < data.size()) {
    uint32_t length = 0, distance = 0;
    finder.Longest(pos, &length, &distance);
    finder.Insert(pos);
    if (length > 0 && length < kMaxLength) {
      // One step of lazy matching: a longer match a byte later is worth a literal.
      uint32_t later = 0, laterDistance = 0;
      finder.Longest(pos + 1, &later, &laterDistance);
      if (later > length) length = 0;
    }
    if (length == 0) {
      out.Literal(bytes[pos++]);
      continue;
    }
    out.Match(distance, length);
    for (size_t end = pos + length; ++pos < end;) finder.Insert(pos);
  }
  return out.Take();
}

}  // namespace slvtools
