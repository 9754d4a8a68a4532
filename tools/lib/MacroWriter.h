#pragma once
// Writes compiled cut-scene macros ("rsa"): the "QZSC" magic, the version
// bytes, the track count, the header value, then each track with its
// entries. Fields are written as given, so tests can make files that
// disagree with themselves.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace slvtools {

// A track's name field; its last byte is the terminating NUL.
inline constexpr size_t kRsaNameBytes = 80;

struct RsaEntry {
  int32_t key = 0;
  int32_t value = 0;
  std::string text;     // written as its bytes, with no NUL added
  std::optional<int32_t> length;  // the stored text length, else the text's size
};

struct RsaTrack {
  std::string name;  // names are cut to 80 bytes or padded with NULs
  int32_t value0 = 0;
  int32_t value1 = 0;
  std::string name2;
  std::vector<RsaEntry> entries;
};

std::string BuildRsa(uint8_t major, uint8_t minor, int32_t headerValue, const std::vector<RsaTrack>& tracks);

}  // namespace slvtools
