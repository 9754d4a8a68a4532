#include "engine/MacroRes.h"

#include <cstring>

#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CMacroRes, "rsa", ".\\");

namespace {

constexpr int32_t kNameBytes = 80;
// A track holds at least its two names and three i32 fields; an entry its
// three i32 fields.
constexpr int64_t kMinTrackBytes = 2 * kNameBytes + 12;
constexpr int64_t kMinEntryBytes = 12;

// A count that is negative or that the rest of the file cannot hold fails.
bool CheckCount(const CMemFile& file, int32_t count, int64_t itemBytes, const char* what) {
  if (count >= 0 && count * itemBytes <= BytesLeft(file)) return true;
  DebugLogf("CMacroRes :: %s %d does not fit the file : %s", what, count, file.GetName().c_str());
  return false;
}

// A fixed-size name: up to its first NUL, or all of it without one.
bool ReadName(CMemFile& file, std::string& name) {
  char bytes[kNameBytes];
  if (!file.Read(bytes, kNameBytes)) return false;
  name.assign(bytes, strnlen(bytes, kNameBytes));
  return true;
}

}  // namespace

bool CMacroRes::Load(const std::string& name) {
  Reset();
  m_fileName.clear();
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLog("CMacroRes :: Cannot open File : " + name);
    return false;
  }
  if (!Parse(file)) {
    Reset();
    return false;
  }
  return true;
}

bool CMacroRes::Parse(CMemFile& file) {
  char magic[4];
  if (file.GetSize() < 6 || !file.Read(magic, 4) || std::memcmp(magic, "QZSC", 4) != 0) {
    DebugLog("CMacroRes :: Invalid Format");
    return false;
  }
  m_fileName = file.GetName();
  uint8_t version[2];
  if (!file.Read(version, 2) || version[0] != 1 || version[1] > 1) {
    DebugLog("CMacroRes :: Unsupported Version");
    return false;
  }
  int32_t trackCount;
  if (!ReadI32(file, trackCount) || !ReadI32(file, m_headerValue) ||
      !CheckCount(file, trackCount, kMinTrackBytes, "track count")) {
    return false;
  }
  m_tracks.resize(static_cast<size_t>(trackCount));
  for (MacroTrack& track : m_tracks) {
    if (!ReadTrack(file, track)) return false;
  }
  m_trackCount = trackCount;
  return true;
}

bool CMacroRes::ReadTrack(CMemFile& file, MacroTrack& track) {
  int32_t entryCount;
  if (!ReadName(file, track.name) || !ReadI32(file, track.value0) || !ReadI32(file, track.value1) ||
      !ReadName(file, track.name2) || !ReadI32(file, entryCount) ||
      !CheckCount(file, entryCount, kMinEntryBytes, "entry count")) {
    return false;
  }
  for (int32_t i = 0; i < entryCount; ++i) {
    if (!ReadEntry(file, track)) return false;
  }
  return true;
}

bool CMacroRes::ReadEntry(CMemFile& file, MacroTrack& track) {
  int32_t key, length;
  MacroEntry entry;
  if (!ReadI32(file, key) || !ReadI32(file, entry.value) || !ReadI32(file, length) ||
      !CheckCount(file, length, 1, "text length")) {
    return false;
  }
  std::string bytes(static_cast<size_t>(length), '\0');
  // Nothing to read for an empty text, even at the file's end.
  if (length > 0 && !file.Read(bytes.data(), static_cast<uint32_t>(length))) return false;
  entry.text.assign(bytes.c_str());
  // A multimap inserts at the end of the equal keys: file order.
  track.entries.emplace(key, std::move(entry));
  return true;
}

void CMacroRes::Reset() {
  m_tracks.clear();
  m_trackCount = 0;
  m_headerValue = 0;
}
