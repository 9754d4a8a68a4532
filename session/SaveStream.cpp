#include "session/SaveStream.h"

#include <algorithm>
#include <cstring>

#include "platform/DebugLog.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"

namespace {
namespace savestream {

constexpr int kWindow = 4096;
constexpr int kMaxMatch = 17;

void PutI32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

std::string ForDisk(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The match search and its tables, over the whole content. The two bytes of
// a key read 0 past the end; such a key only ever selects candidates.
class Matcher {
 public:
  Matcher(const uint8_t* d, int64_t length) : m_d(d), m_length(length), m_head(65536, -1), m_prev(kWindow, -1), m_next(kWindow, -1) {}

  // The best (length, position) at p; length 1 for a literal.
  std::pair<int, int64_t> Search(int64_t p) const {
    int best = 1;
    int64_t bestAt = -1;
    for (int64_t c = m_head[Key(p)]; c != -1; c = m_prev[c % kWindow]) {
      if (p + best > m_length || c + best > p || c <= p - kWindow || std::memcmp(m_d + c, m_d + p, best) != 0) continue;
      int len = best;
      while (len < kMaxMatch && c + len < p && p + len < m_length && m_d[c + len] == m_d[p + len]) ++len;
      if (len > best) {
        best = len;
        bestAt = c;
        if (best == kMaxMatch) break;
      }
    }
    return {best, bestAt};
  }

  void Insert(int64_t q) {
    const int64_t gone = q - kWindow;
    if (gone >= 0) {
      if (m_head[Key(gone)] == gone) {
        m_head[Key(gone)] = -1;
      } else {
        m_prev[m_next[q % kWindow] % kWindow] = -1;
      }
    }
    const int64_t old = m_head[Key(q)];
    if (old != -1) m_next[old % kWindow] = q;
    m_head[Key(q)] = q;
    m_prev[q % kWindow] = old;
  }

 private:
  size_t Key(int64_t p) const { return m_d[p] + 256u * (p + 1 < m_length ? m_d[p + 1] : 0u); }

  const uint8_t* m_d;
  int64_t m_length;
  std::vector<int64_t> m_head;
  std::vector<int64_t> m_prev;
  std::vector<int64_t> m_next;
};

}  // namespace savestream
}  // namespace

std::vector<uint8_t> CSaveWriter::Compress(const uint8_t* raw, size_t length) {
  std::vector<uint8_t> out;
  savestream::PutI32(out, static_cast<int32_t>(length));
  savestream::Matcher matcher(raw, static_cast<int64_t>(length));
  uint8_t flag = 0;
  int items = 0;
  std::vector<uint8_t> group;
  const auto flush = [&] {
    out.push_back(flag);
    out.insert(out.end(), group.begin(), group.end());
    flag = 0;
    items = 0;
    group.clear();
  };
  for (int64_t p = 0; p < static_cast<int64_t>(length);) {
    const auto [len, at] = matcher.Search(p);
    if (len >= 2) {
      const auto word = static_cast<uint16_t>((len - 2) * 4096 + (p - at));
      flag = static_cast<uint8_t>(flag | (1u << items));
      group.push_back(static_cast<uint8_t>(word));
      group.push_back(static_cast<uint8_t>(word >> 8));
    } else {
      group.push_back(raw[p]);
    }
    for (int k = 0; k < len; ++k) matcher.Insert(p + k);
    p += len;
    if (++items == 8) flush();
  }
  if (items > 0) flush();
  return out;
}

bool CSaveWriter::Open(const std::string& path) {
  Close();
  m_path = path;
  m_raw.clear();
  m_readBack = 0;
  m_open = true;
  return true;
}

void CSaveWriter::Write(const void* bytes, int32_t n) {
  if (!m_open || n <= 0) return;
  const auto* b = static_cast<const uint8_t*>(bytes);
  m_raw.insert(m_raw.end(), b, b + n);
}

int32_t CSaveWriter::ReadBack(void* buffer, int32_t n) {
  if (n <= 0) return 0;
  const size_t count = std::min(static_cast<size_t>(n), m_raw.size() - m_readBack);
  std::memcpy(buffer, m_raw.data() + m_readBack, count);
  m_readBack += count;
  return static_cast<int32_t>(count);
}

bool CSaveWriter::Close() {
  if (!m_open) return false;
  m_open = false;
  bool ok = false;
  if (m_raw.size() > static_cast<size_t>(kMaxSaveContent)) {
    DebugLogf("CSaveWriter: content too large for a save: %zu bytes", m_raw.size());
  } else {
    const std::vector<uint8_t> stream = Compress(m_raw.data(), m_raw.size());
    platform::FileOperations own;
    platform::FileOperations& files = m_files != nullptr ? *m_files : own;
    ok = files.WriteAtomic(savestream::ForDisk(m_path), stream.data(), stream.size());
  }
  m_raw.clear();
  m_raw.shrink_to_fit();
  return ok;
}

bool CSaveReader::Open(const std::string& path) {
  Close();
  platform::File file;
  if (!file.OpenRead(path)) return false;
  const int64_t size = file.Size();
  // No stream of the largest content needs more than a flag byte a literal.
  const int64_t limit = 4 + kMaxSaveContent + kMaxSaveContent / 8 + 1;
  if (size < 4 || size > limit) {
    DebugLogf("CSaveReader: %s has an impossible size", path.c_str());
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), size) != size) return false;
  return OpenBytes(std::move(bytes));
}

bool CSaveReader::OpenBytes(std::vector<uint8_t> stream) {
  Close();
  if (stream.size() < 4) return false;
  const uint32_t u = stream[0] | stream[1] << 8 | stream[2] << 16 | static_cast<uint32_t>(stream[3]) << 24;
  const auto length = static_cast<int32_t>(u);
  if (length < 0 || length > kMaxSaveContent) {
    DebugLogf("CSaveReader: impossible raw length %d", length);
    return false;
  }
  m_stream = std::move(stream);
  m_streamPos = 4;
  m_rawLength = length;
  return true;
}

void CSaveReader::Close() {
  m_stream.clear();
  m_streamPos = 0;
  m_rawLength = 0;
  m_readPos = 0;
  m_decoded = 0;
  m_failed = false;
}

int CSaveReader::NextByte() {
  if (m_streamPos >= m_stream.size()) return -1;
  return m_stream[m_streamPos++];
}

void CSaveReader::Refill() {
  const int flag = NextByte();
  if (flag < 0) {
    m_failed = true;
    return;
  }
  for (int i = 0; i < 8 && m_decoded < m_rawLength; ++i) {
    if ((flag >> i & 1) == 0) {
      const int b = NextByte();
      if (b < 0) {
        m_failed = true;
        return;
      }
      m_ring[m_decoded++ % kRingSize] = static_cast<uint8_t>(b);
      continue;
    }
    const int lo = NextByte();
    const int hi = NextByte();
    if (lo < 0 || hi < 0) {
      m_failed = true;
      return;
    }
    const int word = lo | hi << 8;
    const int distance = word & 0x0FFF;
    const int length = (word >> 12) + 2;
    if (distance == 0 || m_decoded - distance < 0) {
      m_failed = true;
      return;
    }
    // Byte by byte: a reference may overlap what it writes.
    for (int k = 0; k < length; ++k, ++m_decoded) {
      m_ring[m_decoded % kRingSize] = m_ring[(m_decoded - distance) % kRingSize];
    }
  }
  m_decoded = std::min<int64_t>(m_decoded, m_rawLength);
}

int32_t CSaveReader::Read(void* buffer, int32_t n) {
  auto* out = static_cast<uint8_t*>(buffer);
  int32_t copied = 0;
  while (copied < n && m_readPos < m_rawLength) {
    if (m_readPos == m_decoded) {
      if (m_failed) break;
      Refill();
      if (m_readPos == m_decoded) break;
    }
    const int64_t ringAt = m_readPos % kRingSize;
    const int64_t piece = std::min({static_cast<int64_t>(n - copied), m_decoded - m_readPos, kRingSize - ringAt});
    std::memcpy(out + copied, m_ring.data() + ringAt, static_cast<size_t>(piece));
    copied += static_cast<int32_t>(piece);
    m_readPos += piece;
  }
  return copied;
}
