// A new game: the session reset, then filled from the new-game tables.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/Mixer.h"
#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "engine/TextRes.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/ClockSeconds.h"
#include "session/DataTables.h"
#include "session/Session.h"

namespace {
namespace sessioninit {

// The system mixer's lines of the music and of the sound effects.
constexpr uint32_t kMixerCompactDisc = 4101;
constexpr uint32_t kMixerWaveOut = 4104;

constexpr size_t kNextLevelLines = 98;
constexpr size_t kHpMaxLines = 99;
constexpr char kLevelTableError[] = "Error while Loading _LvlCalcData.scr";

// The mixer line's volume, or 0 without sound.
int32_t MixerVolume(uint32_t component) {
  if (g_soundEnabled == 0) return 0;
  CMixer mixer;
  return mixer.Open(component) ? static_cast<int32_t>(mixer.GetVolume()) : 0;
}

// The table's lines that hold a token, each split; none when the table is
// missing. The text is read once a new game and not kept.
std::vector<CTokenizer> ReadTable(const char* name) {
  std::vector<CTokenizer> lines;
  CResMgr& resources = CResMgr::GetInstance();
  auto* text = dynamic_cast<CTextRes*>(resources.GetRes(name));
  if (text == nullptr) return lines;
  for (int i = 0; i < text->GetCount(); ++i) {
    CTokenizer tokens;
    tokens.Tokenize(text->GetLine(i));
    if (tokens.GetCount() > 0) lines.push_back(std::move(tokens));
  }
  if (text->m_lockCount == 0) resources.ReleaseRes(text);
  return lines;
}

// A real as a whole number: truncated, clamped to the integer range, NaN 0.
int32_t RealToInt(float value) {
  if (std::isnan(value)) return 0;
  const double clamped = std::clamp<double>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(clamped);
}

// The keys of a character record, by the field they fill.
struct IntKey {
  const char* key;
  int32_t PlayerData::*field;
};
constexpr IntKey kIntKeys[] = {
    {"#ismagicman", &PlayerData::ismagicman}, {"#stateid", &PlayerData::stateid}, {"#exp", &PlayerData::exp},
    {"#lvl", &PlayerData::lvl},               {"#hp", &PlayerData::hp},           {"#maxhp", &PlayerData::maxhp},
    {"#shp", &PlayerData::shp},               {"#maxshp", &PlayerData::maxshp},   {"#mp1", &PlayerData::mp1},
    {"#maxmp1", &PlayerData::maxmp1},         {"#mp2", &PlayerData::mp2},         {"#maxmp2", &PlayerData::maxmp2},
    {"#mp3", &PlayerData::mp3},               {"#maxmp3", &PlayerData::maxmp3},   {"#cp", &PlayerData::cp},
};

struct TextKey {
  const char* key;
  std::string PlayerData::*field;
};
constexpr TextKey kTextKeys[] = {
    {"#name", &PlayerData::name},
    {"#engname", &PlayerData::engname},
    {"#sprname", &PlayerData::sprname},
    {"#actname", &PlayerData::actname},
    {"#battlesprname", &PlayerData::battlesprname},
    {"#battleactname", &PlayerData::battleactname},
};

struct SlotKey {
  const char* key;
  int32_t PlayerData::*field;
  int32_t empty;
};
constexpr SlotKey kSlotKeys[] = {
    {"#weapon", &PlayerData::weapon, kEmptyWeapon}, {"#armor", &PlayerData::armor, kEmptyArmor},
    {"#shield", &PlayerData::shield, kEmptyShield}, {"#helmet", &PlayerData::helmet, kEmptyHelmet},
    {"#shoes", &PlayerData::shoes, kEmptyShoes},    {"#acc1", &PlayerData::acc1, kEmptyAcc1},
    {"#acc2", &PlayerData::acc2, kEmptyAcc23},      {"#acc3", &PlayerData::acc3, kEmptyAcc23},
};

constexpr const char* kStatKeys[PlayerData::kStatCount] = {"#strength", "#vitality", "#intelligence", "#agility",
                                                           "#luck"};

// The record's fields a "#player" line sets before its keys.
void StartRecord(PlayerData& p, int id) {
  p.playerId = id;
  p.tacticsId = 0;
  p.customTactic = 0;
  p.statBonus.fill(0);
  p.extraStats.fill(0);
  p.battleStats.fill(0);
  p.rates.fill(100);
  p.resetMark = 1;
}

// One key line of a record; false for a key no record has.
bool ApplyValueKey(PlayerData& p, const CTokenizer& line) {
  const std::string& key = line[0];
  for (const IntKey& k : kIntKeys) {
    if (key != k.key) continue;
    p.*k.field = line.GetInt(1);
    return true;
  }
  for (const TextKey& k : kTextKeys) {
    if (key != k.key) continue;
    p.*k.field = line[1];
    return true;
  }
  for (const SlotKey& k : kSlotKeys) {
    if (key != k.key) continue;
    // An item the table lacks leaves the slot empty.
    const int item = CItemMgr::GetInstance().Find(line[1]);
    p.*k.field = item >= 0 ? item : k.empty;
    return true;
  }
  for (size_t s = 0; s < std::size(kStatKeys); ++s) {
    if (key != kStatKeys[s]) continue;
    p.statBase[s] = line.GetInt(1);
    p.statStart[s] = line.GetInt(2);
    p.statInterval[s] = line.GetInt(3);
    p.statGrowth[s] = line.GetFloat(4);
    p.statMax[s] = RealToInt(line.GetFloat(5));
    return true;
  }
  if (key == "#capacity") {
    p.capacity = p.baseCapacity = line.GetInt(1);
    return true;
  }
  return false;
}

}  // namespace sessioninit
}  // namespace

void CSession::Clear() { *this = *std::unique_ptr<CSession>(new CSession); }

void CSession::Init() {
  // Nothing of a game played before stays.
  Clear();
  options = {sessioninit::MixerVolume(sessioninit::kMixerCompactDisc), sessioninit::MixerVolume(sessioninit::kMixerWaveOut), 1, 1, 0, 0, 0, 1};
  lastSlotIndex = -1;
  startClock = GetClockSeconds();
  for (int id = 0; id < kPlayerCount; ++id) players[static_cast<size_t>(id)].playerId = id;
  partyCount = 1;
  innIds[0] = 1;
  innIds[1] = 6;
  innIds[2] = 7;
  innCount = 1;
  ReadLevelFactors();
  const int itemCount = CItemMgr::GetInstance().GetCount();
  for (int item = 0; item < itemCount; ++item) SetItemCount(item, 0);
  inventoryChanged = 1;
  splashWeapon.assign(static_cast<size_t>(itemCount), 0);
  ReadLevelTable();
  ReadPlayerData();
  ReadStartingState();
  ReadLearnLists();
  ReadTactics();
  ReadSplashWeapons();
}

void CSession::ReadLevelFactors() {
  size_t n = 0;
  for (const CTokenizer& line : sessioninit::ReadTable("_LvlFactorData.scr")) {
    if (line[0] == "#begin" || line[0] == "#end") continue;
    if (n >= levelFactor.size()) break;
    levelFactor[n++] = line.GetInt(0);
  }
}

void CSession::ReadLevelTable() {
  int section = -1;
  size_t n = 0;
  for (const CTokenizer& line : sessioninit::ReadTable("_LvlCalcData.scr")) {
    if (line[0] == "#nextlevel" || line[0] == "#hpmax") {
      section = line[0] == "#nextlevel" ? 0 : 1;
      n = 0;
      continue;
    }
    // Lines before a section, or past its entries, are not stored.
    if (section < 0 || n >= (section == 0 ? sessioninit::kNextLevelLines : sessioninit::kHpMaxLines)) {
      DebugLog(sessioninit::kLevelTableError);
      continue;
    }
    const int32_t value = line.GetInt(0);
    if (section == 1) {
      hpmax[n] = value;
    } else {
      nextlevel[n] = value;
      if (n + 1 == sessioninit::kNextLevelLines) nextlevel[n + 1] = value;  // the level-99 step repeats the last
    }
    ++n;
  }
}

void CSession::ReadPlayerData() {
  int id = 0;
  for (const CTokenizer& line : sessioninit::ReadTable("_playerData.scr")) {
    const std::string& key = line[0];
    if (key == "#endplayer") {
      ++id;
      continue;
    }
    if (id >= kPlayerCount) {
      DebugLog("_playerData.scr: records past the 32 characters are not read");
      break;
    }
    PlayerData& p = players[static_cast<size_t>(id)];
    if (key == "#player") {
      partyIds[0] = id;
      sessioninit::StartRecord(p, id);
    } else if (key == "#magic" || key == "#skill") {
      for (int i = 1; i < line.GetCount(); ++i) key == "#magic" ? AddMagic(id, line[i]) : AddSkill(id, line[i]);
    } else if (!sessioninit::ApplyValueKey(p, line)) {
      DebugLog("Syntex Error in _playerData.scr");
    }
  }
  // Level, hit points and capacity are the file's; the stats follow from them.
  for (PlayerData& p : players) p.UpdateLevelStats();
}

void CSession::ReadStartingState() {
  for (const CTokenizer& line : sessioninit::ReadTable("sysex.scr")) {
    const std::string& command = line[0];
    if (command == "setparty") {
      std::vector<std::string> names;
      for (int i = 1; i < line.GetCount(); ++i) names.push_back(line[i]);
      SetStartingParty(names);
    } else if (command == "setgold") {
      gold = std::clamp(line.GetInt(1), 0, kMaxGold);
    } else if (command == "setvar") {
      scriptVariables.Set(line[1], line.GetInt(2));
    } else if (command == "setitem") {
      const int item = FindItem(line[1]);
      if (IsRealItem(item)) SetItemCount(item, line.GetInt(2));
    }
  }
}

// Names no character holds, and a name given twice, are passed over: a
// party holds each known id once. Without any known name the party stays.
void CSession::SetStartingParty(const std::vector<std::string>& engnames) {
  std::vector<int32_t> ids;
  for (const std::string& engname : engnames) {
    if (ids.size() == static_cast<size_t>(kMaxParty)) break;
    const int id = engname.empty() ? -1 : GetPlayerId(engname);
    if (id < 0 || std::find(ids.begin(), ids.end(), id) != ids.end()) {
      DebugLog("sysex.scr: setparty passes over " + engname);
      continue;
    }
    ids.push_back(id);
  }
  if (ids.empty()) return;
  partyIds.fill(0);
  std::copy(ids.begin(), ids.end(), partyIds.begin());
  partyCount = static_cast<int32_t>(ids.size());
  // Nobody stands in the party and at the inn.
  for (int32_t id : ids) {
    const auto end = innIds.begin() + innCount;
    const auto it = std::find(innIds.begin(), end, id);
    if (it == end) continue;
    std::copy(it + 1, end, it);
    *(end - 1) = 0;
    --innCount;
  }
  for (int n = 0; n < partyCount; ++n) RefreshMember(n);
}

void CSession::ReadLearnLists() {
  PlayerData* player = nullptr;
  size_t count = 0;
  for (const CTokenizer& line : sessioninit::ReadTable("_playerSkillMagic.scr")) {
    const std::string& first = line[0];
    if (first == "#end") break;
    if (first[0] == '#') {
      const int id = first.size() > 1 ? GetPlayerId(first.substr(1)) : -1;
      player = id >= 0 ? &players[static_cast<size_t>(id)] : nullptr;
      if (player != nullptr) player->learnList.fill(0);
      count = 0;
      continue;
    }
    if (player == nullptr) continue;  // under a character no record holds
    const int index = player->ismagicman == 1 ? CMagicMgr::GetInstance().Find(first) : CSkillMgr::GetInstance().Find(first);
    if (index < 0) continue;
    if (count >= player->learnList.size()) {
      DebugLog("_playerSkillMagic.scr: the learn list of " + player->engname + " is full");
      continue;
    }
    player->learnList[count++] = index;
  }
}

void CSession::ReadTactics() {
  for (const CTokenizer& line : sessioninit::ReadTable("_tactics.scr")) {
    const std::string& key = line[0];
    int preset = -1;
    for (int p = 0; p < static_cast<int>(tactics.size()); ++p) {
      if (key == "#tactics" + std::to_string(p + 1)) preset = p;
    }
    if (preset < 0) {
      DebugLog("_tactics.scr: " + key);
      continue;
    }
    // The same bits as the byte-wise sum, without overflow.
    uint32_t word = 0;
    for (int i = 1; i <= 4; ++i) word = word * 256u + static_cast<uint32_t>(line.GetInt(i));
    tactics[static_cast<size_t>(preset)] = static_cast<int32_t>(word);
  }
}

void CSession::ReadSplashWeapons() {
  size_t count = 0;
  for (const CTokenizer& line : sessioninit::ReadTable("_splashweapon.scr")) {
    const std::string& name = line[0];
    if (name == "#end") break;
    if (name == "#splashweapon") continue;
    // The list ends at its first 0: the empty items are no weapons.
    const int item = FindItem(name);
    if (!IsRealItem(item)) continue;
    if (count >= splashWeapon.size()) {
      DebugLog("_splashweapon.scr: more weapons than the list holds");
      break;
    }
    splashWeapon[count++] = item;
  }
}
