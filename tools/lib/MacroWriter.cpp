#include "tools/lib/MacroWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

namespace {

void PutName(std::string& out, const std::string& name) { PutText(out, name, kRsaNameBytes); }

}  // namespace

std::string BuildRsa(uint8_t major, uint8_t minor, int32_t headerValue, const std::vector<RsaTrack>& tracks) {
  std::string out = "QZSC";
  out += static_cast<char>(major);
  out += static_cast<char>(minor);
  PutI32(out, static_cast<int32_t>(tracks.size()));
  PutI32(out, headerValue);
  for (const RsaTrack& track : tracks) {
    PutName(out, track.name);
    PutI32(out, track.value0);
    PutI32(out, track.value1);
    PutName(out, track.name2);
    PutI32(out, static_cast<int32_t>(track.entries.size()));
    for (const RsaEntry& entry : track.entries) {
      PutI32(out, entry.key);
      PutI32(out, entry.value);
      PutI32(out, entry.length.value_or(static_cast<int32_t>(entry.text.size())));
      out += entry.text;
    }
  }
  return out;
}

}  // namespace slvtools
