// "index.sav": any bytes give records that lie within the file and whose
// strings and party sizes stay in their fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "session/SaveList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::vector<SaveSlotInfo> slots = CSaveList::DecodeIndex(bytes);
  if (slots.size() * SaveSlotInfo::kBytes + (size >= 4 ? 4 : 0) > size) std::abort();
  for (const SaveSlotInfo& slot : slots) {
    if (slot.placeName.size() >= 40 || slot.partyCount < 0 || slot.partyCount > 6) std::abort();
  }
  // What was read writes back to the same records.
  if (CSaveList::DecodeIndex(CSaveList::EncodeIndex(slots)).size() != slots.size()) std::abort();
  return 0;
}
