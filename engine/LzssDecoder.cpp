#include "engine/LzssDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRingSize = cFileLZ::kRingSize;
constexpr uint32_t kRingMask = kRingSize - 1;
constexpr int32_t kMaxGroupBytes = 1 + 8 * 2;
constexpr uint32_t kMaxGroupOutput = 8 * 17;

// Groups of four bytes, each read whole before it is written, then the last
// 0-3 one by one. At distances of four and more that is a forward copy; at
// 1-3 the grouping decides the bytes.
void CopyInGroupsOfFour(uint8_t* to, const uint8_t* from, uint32_t count) {
  uint32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    uint8_t group[4];
    std::memcpy(group, from + i, 4);
    std::memcpy(to + i, group, 4);
  }
  for (; i < count; ++i) to[i] = from[i];
}

// Moves `length` (2-17) bytes whose source ends at or before their
// destination's start: two loads, then two stores that may overlap.
template <size_t N>
inline void MovePair(uint8_t* to, const uint8_t* from, uint32_t length) {
  uint8_t head[N], tail[N];
  std::memcpy(head, from, N);
  std::memcpy(tail, from + length - N, N);
  std::memcpy(to, head, N);
  std::memcpy(to + length - N, tail, N);
}

inline void MoveApart(uint8_t* to, const uint8_t* from, uint32_t length) {
  if (length >= 16) {
    MovePair<16>(to, from, length);
  } else if (length >= 8) {
    MovePair<8>(to, from, length);
  } else if (length >= 4) {
    MovePair<4>(to, from, length);
  } else {
    MovePair<2>(to, from, length);
  }
}

// Four bytes back, every group of four repeats the four before the match.
inline void RepeatFour(uint8_t* to, const uint8_t* from, uint32_t length) {
  uint32_t four;
  std::memcpy(&four, from, 4);
  const uint64_t eight = four | uint64_t{four} << 32;
  uint32_t i = 0;
  for (; i + 8 <= length; i += 8) std::memcpy(to + i, &eight, 8);
  for (; i < length; ++i) to[i] = from[i];
}

// Copies a match into the ring; returns the new decoded count.
inline uint32_t CopyMatch(uint8_t* ring, uint32_t decoded, uint32_t distance, uint32_t length) {
  uint32_t to = decoded & kRingMask;
  uint32_t from = (decoded - distance) & kRingMask;
  const bool unwrapped = to + length <= kRingSize && from + length <= kRingSize;
  if (unwrapped && distance >= length) {
    MoveApart(ring + to, ring + from, length);
    return decoded + length;
  }
  if (unwrapped && distance == 4) {
    RepeatFour(ring + to, ring + from, length);
    return decoded + length;
  }
  if (distance >= 8 && unwrapped) {
    // Eight-byte moves give the same bytes as groups of four this far apart.
    uint32_t i = 0;
    for (; i + 8 <= length; i += 8) {
      uint64_t eight;
      std::memcpy(&eight, ring + from + i, 8);
      std::memcpy(ring + to + i, &eight, 8);
    }
    for (; i < length; ++i) ring[to + i] = ring[from + i];
    return decoded + length;
  }
  // Chunks end where either position reaches the ring's end.
  for (uint32_t left = length; left > 0;) {
    const uint32_t chunk = std::min({left, kRingSize - to, kRingSize - from});
    CopyInGroupsOfFour(ring + to, ring + from, chunk);
    to = (to + chunk) & kRingMask;
    from = (from + chunk) & kRingMask;
    left -= chunk;
  }
  return decoded + length;
}

// Decodes one group (a flag byte and eight items) into the ring; returns the
// new decoded count. Locals throughout: ring stores could alias members.
template <class NextByte>
inline uint32_t DecodeGroupInto(uint8_t* ring, uint32_t decoded, NextByte next) {
  uint32_t flags = next();
  for (int item = 0; item < 8; ++item, flags >>= 1) {
    if ((flags & 1) == 0) {
      ring[decoded & kRingMask] = static_cast<uint8_t>(next());
      ++decoded;
    } else {
      const uint32_t low = next();
      const uint32_t word = low | next() << 8;
      decoded = CopyMatch(ring, decoded, word & 0x0FFF, (word >> 12) + 2);
    }
  }
  return decoded;
}

}  // namespace

cFileLZ::cFileLZ(PackFile* pack, const PackEntry* entry, int32_t bufferSize)
    : cFilePacked(pack, entry, bufferSize), m_unpackedSize(entry->m_unpackedSize) {}

void cFileLZ::DecodeGroup() {
  m_groupStart = m_decoded;
  int32_t available = 0;
  const uint8_t* bytes = Peek(&available);
  if (available >= kMaxGroupBytes) {
    const uint8_t* next = bytes;
    m_decoded = DecodeGroupInto(m_ring, m_decoded, [&next] { return static_cast<uint32_t>(*next++); });
    Skip(static_cast<int32_t>(next - bytes));
  } else {
    // Near the buffer's or the entry's end; past the end every byte is 0xFF.
    m_decoded = DecodeGroupInto(m_ring, m_decoded, [this] { return static_cast<uint32_t>(NextByte()) & 0xFF; });
  }
  // What the last group made beyond the entry is never delivered.
  m_decoded = std::min(m_decoded, m_unpackedSize);
}

// Groups run back to back straight from the input buffer while it holds a
// whole one, in locals: per group, only the decoding is left.
void cFileLZ::DecodeAhead(uint32_t want) {
  const uint32_t limit = std::min(m_outPos + std::min(want, kRingSize - kMaxGroupOutput + 1), m_unpackedSize);
  while (m_decoded < limit) {
    int32_t available = 0;
    const uint8_t* bytes = Peek(&available);
    if (available < kMaxGroupBytes) {
      DecodeGroup();
      continue;
    }
    const uint8_t* next = bytes;
    const uint8_t* const lastStart = bytes + (available - kMaxGroupBytes);
    uint8_t* const ring = m_ring;
    uint32_t decoded = m_decoded, groupStart = m_groupStart;
    while (decoded < limit && next <= lastStart) {
      groupStart = decoded;
      decoded = DecodeGroupInto(ring, decoded, [&next] { return static_cast<uint32_t>(*next++); });
    }
    Skip(static_cast<int32_t>(next - bytes));
    m_groupStart = groupStart;
    // What the last group made beyond the entry is never delivered.
    m_decoded = std::min(decoded, m_unpackedSize);
  }
}

int32_t cFileLZ::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  auto* out = static_cast<uint8_t*>(buffer);
  const uint32_t wanted = std::min(static_cast<uint32_t>(count), m_unpackedSize - m_outPos);
  uint32_t done = 0;
  while (done < wanted) {
    // No more than one group is left over.
    DecodeAhead(wanted - done);
    const uint32_t at = m_outPos & kRingMask;
    const uint32_t n = std::min({wanted - done, m_decoded - m_outPos, kRingSize - at});
    std::memcpy(out + done, m_ring + at, n);
    m_outPos += n;
    done += n;
  }
  return static_cast<int32_t>(done);
}

int cFileLZ::GetChar() {
  if (m_outPos == m_decoded) {
    if (m_outPos >= m_unpackedSize) return -1;
    DecodeGroup();
  }
  return m_ring[m_outPos++ & kRingMask];
}

int32_t cFileLZ::Seek(int32_t offset, int origin) {
  const int64_t base = origin == kFileBegin ? 0 : origin == kFileEnd ? m_unpackedSize : m_outPos;
  const auto target = static_cast<uint32_t>(ClampSeekTarget(base, offset, GetSize()));
  if (target < m_groupStart) {
    // Zeroed again, so the second decode gives the bytes of the first.
    std::memset(m_ring, 0, sizeof m_ring);
    m_outPos = m_decoded = m_groupStart = 0;
    MoveTo(0);
  }
  while (m_decoded < target) DecodeGroup();
  m_outPos = target;
  return static_cast<int32_t>(m_outPos);
}
