#include "session/SaveList.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string_view>

#include "engine/AppShell.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "render/RC.h"
#include "session/Session.h"

namespace {
namespace savelist {

std::string SaveFolder() { return g_dataPath + "..\\Save"; }

void PutI32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

void PutI16(std::vector<uint8_t>& out, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  out.push_back(static_cast<uint8_t>(u));
  out.push_back(static_cast<uint8_t>(u >> 8));
}

int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}

int16_t GetI16(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }

SaveSlotInfo DecodeRecord(const uint8_t* p) {
  SaveSlotInfo info;
  const auto* name = reinterpret_cast<const char*>(p);
  info.placeName.assign(name, strnlen(name, 39));
  std::memcpy(info.placeHead.data(), p + 40, info.placeHead.size());
  for (int i = 0; i < 6; ++i) {
    info.partyIds[i] = GetI16(p + 60 + 2 * i);
    info.levels[i] = GetI16(p + 72 + 2 * i);
  }
  info.gold = GetI32(p + 84);
  info.partyCount = p[88];
  if (info.partyCount > CSession::kMaxParty) {
    DebugLogf("index.sav: a party of %d counts as 6", info.partyCount);
    info.partyCount = CSession::kMaxParty;
  }
  info.fileNumber = GetI32(p + 92);
  info.variableCount = GetI32(p + 96);
  return info;
}

}  // namespace savelist
}  // namespace

// "data\..\Save" is taken by its words, not through "data": the data
// folder may be a link, and every file of the slots must meet in one place.
// The folder is looked up once per operation and that spelling serves all
// of its files, so a "SAVE" folder never gets a "Save" beside it.
std::string CSaveList::Folder() {
  std::string words = savelist::SaveFolder();
  std::replace(words.begin(), words.end(), '\\', '/');
  words = std::filesystem::path(words).lexically_normal().generic_string();
  const std::string found = platform::FindOnDisk(words);
  std::error_code error;
  return !found.empty() && std::filesystem::is_directory(found, error) ? found : words;
}

std::vector<uint8_t> CSaveList::EncodeIndex(const std::vector<SaveSlotInfo>& slots) {
  std::vector<uint8_t> out;
  savelist::PutI32(out, static_cast<int32_t>(slots.size()));
  for (const SaveSlotInfo& s : slots) {
    std::array<uint8_t, 40> name{};
    std::memcpy(name.data(), s.placeName.data(), std::min<size_t>(s.placeName.size(), 39));
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), s.placeHead.begin(), s.placeHead.end());
    for (int16_t id : s.partyIds) savelist::PutI16(out, id);
    for (int16_t lvl : s.levels) savelist::PutI16(out, lvl);
    savelist::PutI32(out, s.gold);
    out.push_back(static_cast<uint8_t>(std::clamp(s.partyCount, 0, CSession::kMaxParty)));
    out.insert(out.end(), 3, 0);
    savelist::PutI32(out, s.fileNumber);
    savelist::PutI32(out, s.variableCount);
  }
  return out;
}

std::vector<SaveSlotInfo> CSaveList::DecodeIndex(const std::vector<uint8_t>& bytes) {
  std::vector<SaveSlotInfo> slots;
  if (bytes.size() < 4) return slots;
  const int64_t count = savelist::GetI32(bytes.data());
  const int64_t held = static_cast<int64_t>((bytes.size() - 4) / SaveSlotInfo::kBytes);
  if (count < 0 || count > held) DebugLogf("index.sav: %lld records listed, %lld there", static_cast<long long>(count),
                                           static_cast<long long>(held));
  const int64_t n = std::clamp<int64_t>(count, 0, held);
  for (int64_t i = 0; i < n; ++i) slots.push_back(savelist::DecodeRecord(bytes.data() + 4 + i * SaveSlotInfo::kBytes));
  return slots;
}

int CSaveList::ReadIndex() {
  const std::string folder = Folder();
  RemoveTemporaries(folder);
  platform::File file;
  if (!file.OpenRead(folder + "/index.sav")) return 0;
  const int64_t size = file.Size();
  if (size < 0 || size > (1 << 24)) {
    DebugLog("index.sav: impossible size");
    return 0;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), size) != size) return 0;
  const std::vector<SaveSlotInfo> read = DecodeIndex(bytes);
  m_slots.insert(m_slots.end(), read.begin(), read.end());
  return static_cast<int>(read.size());
}

namespace {
namespace savelist {

// The number of "N.sav" or "N.srs" as the slots name their files, the
// extension in any case as the lookup finds it; -1 for any other name.
int64_t SlotFileNumber(std::string_view name) {
  if (name.size() < 5) return -1;
  const std::string_view extension = name.substr(name.size() - 4);
  if (!platform::SameFileName(extension, ".sav") && !platform::SameFileName(extension, ".srs")) return -1;
  const std::string_view digits = name.substr(0, name.size() - 4);
  int64_t n = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || n > INT32_MAX) return -1;
    n = n * 10 + (c - '0');
  }
  return n <= INT32_MAX && std::to_string(n) == digits ? n : -1;
}

// A temporary of the index or of a slot's file, exactly as this program
// names them.
bool IsSaveTemporary(std::string_view name) {
  if (!name.ends_with(".tmp")) return false;
  const std::string_view written = name.substr(0, name.size() - 4);
  return written == "index.sav" ||
         ((written.ends_with(".sav") || written.ends_with(".srs")) && SlotFileNumber(written) >= 0);
}

}  // namespace savelist
}  // namespace

// A save ended half-way leaves only temporaries behind. Slot files the
// index does not list stay: the index is what a damaged disk, an old copy
// or a second running game gets wrong.
void CSaveList::RemoveTemporaries(const std::string& folder) {
  for (const std::string& name : platform::ListFiles(folder + "/*.tmp")) {
    if (!savelist::IsSaveTemporary(name)) continue;
    DebugLogf("Save: %s is left from an unfinished save; removed", name.c_str());
    Files().Remove(folder + "/" + name);
  }
}

void CSaveList::RemoveSlotFiles(const std::string& folder, int32_t n) {
  for (const char* extension : {".sav", ".srs"}) {
    const std::string onDisk = platform::FindOnDisk(SlotPath(folder, n, extension));
    if (!onDisk.empty()) Files().Remove(onDisk);
  }
}

int CSaveList::WriteIndex() {
  const std::vector<uint8_t> bytes = EncodeIndex(m_slots);
  const std::string folder = Folder();
  if (!Files().MakeFolder(folder) || !Files().WriteAtomic(folder + "/index.sav", bytes.data(), bytes.size())) {
    DebugLog("세이브 화일 인덱스 작성중 오류 발생");
    return 0;
  }
  // The index no longer lists these: a failed removal only leaves a stray file.
  // A number another record still names (a damaged index, old same-second
  // saves) keeps its files.
  for (int32_t n : m_pendingRemovals) {
    if (Names(n)) {
      DebugLogf("index.sav: slot file %d is still listed and stays", n);
      continue;
    }
    RemoveSlotFiles(folder, n);
  }
  m_pendingRemovals.clear();
  return 1;
}

bool CSaveList::Names(int32_t n) const {
  return std::any_of(m_slots.begin(), m_slots.end(), [n](const SaveSlotInfo& s) { return s.fileNumber == n; });
}

int32_t CSaveList::FreeNumber(int32_t from, const std::string& folder) const {
  std::set<int32_t> used(m_pendingRemovals.begin(), m_pendingRemovals.end());
  for (const SaveSlotInfo& s : m_slots) used.insert(s.fileNumber);
  for (const std::string& name : platform::ListFiles(folder + "/*")) {
    const int64_t n = savelist::SlotFileNumber(name);
    if (n >= 0) used.insert(static_cast<int32_t>(n));
  }
  int32_t n = std::max(from, 0);
  while (used.contains(n)) n = n == INT32_MAX ? 0 : n + 1;
  return n;
}

SaveSlotInfo CSaveList::MakeRecord(int32_t n) const {
  CSession& session = CSession::GetInstance();
  SaveSlotInfo info;
  info.placeName = session.placeName.substr(0, 39);
  std::memcpy(info.placeHead.data(), session.placeName.data(), std::min<size_t>(session.placeName.size(), 20));
  info.partyCount = std::clamp(session.partyCount, 0, CSession::kMaxParty);
  for (int i = 0; i < info.partyCount; ++i) {
    const int id = session.partyIds[static_cast<size_t>(i)];
    if (id < 0 || id >= CSession::kPlayerCount) continue;
    PlayerData& player = session.players[static_cast<size_t>(id)];
    player.UpdateLevel();
    info.partyIds[static_cast<size_t>(i)] = static_cast<int16_t>(id);
    info.levels[static_cast<size_t>(i)] = static_cast<int16_t>(player.lvl);
  }
  info.gold = session.gold;
  info.fileNumber = n;
  info.variableCount = static_cast<int32_t>(session.scriptVariables.Size());
  return info;
}

bool CSaveList::Save(CRC* rc, bool isNew) {
  if (!isNew && !SelectionValid()) {
    DebugLog("인덱스에 세이브파일명을 찾을 수 없었음");
    return false;
  }
  CSession& session = CSession::GetInstance();
  const std::string folder = Folder();
  const int32_t n = FreeNumber(session.playTime, folder);
  const SaveSlotInfo record = MakeRecord(n);
  if (!Files().MakeFolder(folder) || !session.Save(SlotPath(folder, n, ".sav"), Files())) return false;
  // The picture is written aside and renamed, so no half picture is ever listed.
  const std::string picture = SlotPath(folder, n, ".srs");
  const std::string aside = picture + ".tmp";
  if (rc == nullptr || !rc->SaveThumbnail(aside.c_str()) || !Files().Rename(aside, picture)) {
    DebugLogf("CSaveList::Save: no thumbnail for slot %d", n);
    if (platform::PathExists(aside)) platform::FileOperations().Remove(aside);
  }
  if (isNew) {
    m_slots.insert(m_slots.begin(), record);
    session.lastSlotIndex = 0;
    return true;
  }
  m_pendingRemovals.push_back(m_slots[static_cast<size_t>(m_selected)].fileNumber);
  m_slots[static_cast<size_t>(m_selected)] = record;
  session.lastSlotIndex = m_selected;
  m_selected = -1;
  return true;
}

bool CSaveList::Load() {
  if (!SelectionValid()) return false;
  const std::string path = SlotPath(Folder(), m_slots[static_cast<size_t>(m_selected)].fileNumber, ".sav");
  if (!platform::PathExists(path)) {
    DebugLog("잘못된 형식의 세이브 파일입니다");
    return false;
  }
  CSession& session = CSession::GetInstance();
  if (!session.Load(path)) return false;
  session.lastSlotIndex = m_selected;
  return true;
}

void CSaveList::Delete() {
  if (!SelectionValid()) return;
  m_pendingRemovals.push_back(m_slots[static_cast<size_t>(m_selected)].fileNumber);
  m_slots.erase(m_slots.begin() + m_selected);
  m_selected = -1;
}
