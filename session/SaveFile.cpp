#include "session/SaveFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>

#include "engine/CdAudio.h"
#include "engine/FrameClock.h"
#include "platform/DebugLog.h"
#include "render/Font.h"
#include "render/RC.h"
#include "session/ClockSeconds.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace savefile {
namespace {

constexpr int kSummaryFields = 27;
constexpr int kOptionFont = 2;
constexpr int kOptionFrameSkip = 6;

int ItemTableCount() { return std::min(CItemMgr::GetInstance().GetCount(), CSession::kItemSlots); }

// The summary fields in file order.
std::array<int32_t*, kSummaryFields> SummaryFields(PlayerData& p) {
  return {&p.exp,      &p.lvl,    &p.hp,       &p.maxhp,        &p.shp,     &p.maxshp, &p.mp1,
          &p.maxmp1,   &p.mp2,    &p.maxmp2,   &p.mp3,          &p.maxmp3,  &p.cp,     &p.stateid,
          &p.strength, &p.vitality, &p.intelligence, &p.agility, &p.luck,   &p.weapon, &p.armor,
          &p.shield,   &p.helmet, &p.shoes,    &p.acc1,         &p.acc2,    &p.acc3};
}

// The empty item of each equipment slot, in summary order from field 19.
constexpr int32_t kSlotEmpty[8] = {kEmptyWeapon, kEmptyArmor, kEmptyShield, kEmptyHelmet,
                                   kEmptyShoes,  kEmptyAcc1,  kEmptyAcc23,  kEmptyAcc23};

class Out {
 public:
  void Bytes(const void* b, size_t n) {
    const auto* p = static_cast<const uint8_t*>(b);
    m_bytes.insert(m_bytes.end(), p, p + n);
  }
  void I32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<uint8_t>(u >> (8 * i)));
  }
  void F32(float f) {
    uint32_t u = 0;
    std::memcpy(&u, &f, 4);
    I32(static_cast<int32_t>(u));
  }
  void U16(uint16_t v) {
    m_bytes.push_back(static_cast<uint8_t>(v));
    m_bytes.push_back(static_cast<uint8_t>(v >> 8));
  }
  // A count or level as one byte: never wrapped, logged when it does not fit.
  void Byte(int32_t v, const char* what) {
    if (v < 0 || v > 255) DebugLogf("save: %s %d does not fit a byte", what, v);
    m_bytes.push_back(static_cast<uint8_t>(std::clamp(v, 0, 255)));
  }
  void Name(const std::string& s, const char* what) {
    if (s.size() >= kNameBytes) DebugLogf("save: %s cut to %d bytes: %s", what, kNameBytes, s.c_str());
    std::array<char, kNameBytes> field{};
    std::memcpy(field.data(), s.data(), std::min(s.size(), static_cast<size_t>(kNameBytes)));
    Bytes(field.data(), field.size());
  }
  std::vector<uint8_t>& Get() { return m_bytes; }

 private:
  std::vector<uint8_t> m_bytes;
};

// Reads the content field by field; a read past its end gives zeros and
// marks the reader failed, so no layout can read outside the bytes.
class In {
 public:
  In(const std::vector<uint8_t>& b, size_t at) : m_b(b), m_at(at) {}
  int32_t I32() {
    uint32_t u = 0;
    if (!Take(4)) return 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(m_b[m_at - 4 + static_cast<size_t>(i)]) << (8 * i);
    return static_cast<int32_t>(u);
  }
  float F32() {
    const auto u = static_cast<uint32_t>(I32());
    float f = 0;
    std::memcpy(&f, &u, 4);
    return f;
  }
  uint16_t U16() {
    if (!Take(2)) return 0;
    return static_cast<uint16_t>(m_b[m_at - 2] | m_b[m_at - 1] << 8);
  }
  uint8_t Byte() { return Take(1) ? m_b[m_at - 1] : 0; }
  // The bytes up to the first zero within the field.
  std::string Name(size_t n) {
    if (!Take(n)) return {};
    const auto* p = reinterpret_cast<const char*>(m_b.data() + m_at - n);
    return std::string(p, strnlen(p, n));
  }
  bool Failed() const { return m_failed; }

 private:
  bool Take(size_t n) {
    if (m_failed || m_at > m_b.size() || m_b.size() - m_at < n) {
      m_failed = true;
      return false;
    }
    m_at += n;
    return true;
  }

  const std::vector<uint8_t>& m_b;
  size_t m_at;
  bool m_failed = false;
};

}  // namespace

std::vector<uint8_t> Build(CSession& s) {
  if (s.scriptVariables.Size() > static_cast<size_t>(kMaxVariables)) {
    DebugLogf("save: %zu script variables are more than a save holds", s.scriptVariables.Size());
    return {};
  }
  Out o;
  o.Bytes("Save", 4);
  o.Byte(kVersion, "version");
  o.Name(s.placeName, "place name");
  o.I32(s.gold);
  o.I32(s.playTime);
  o.F32(s.posX);
  o.F32(s.posZ);
  o.I32(s.facing);
  for (PlayerData& p : s.players) {
    for (int32_t* f : SummaryFields(p)) o.I32(*f);
  }
  for (int i = 0; i < CSession::kMaxParty; ++i) o.Byte(i < s.partyCount ? s.partyIds[i] : 0, "party id");
  o.Byte(s.partyCount, "party count");
  for (int i = 0; i < CSession::kPlayerCount; ++i) o.Byte(i < s.innCount ? s.innIds[i] : 0, "inn id");
  o.Byte(s.innCount, "inn count");
  const int items = ItemTableCount();
  for (int i = 0; i < CSession::kItemSlots; ++i) o.Byte(i < items ? s.GetItemCount(i) : 0, "item count");
  for (int32_t v : s.itemBox) o.Byte(v, "item-box count");
  for (const auto* table : {s.itemDiary.data(), s.monsterDiary.data()}) {
    for (int i = 0; i < CSession::kDiarySlots; ++i) o.Byte(table[i], "diary level");
  }
  for (int32_t v : s.spareTable1) o.Byte(v, "diary level");
  for (int32_t v : s.spareTable2) o.Byte(v, "diary level");
  for (int32_t v : s.scrapDiary) o.Byte(v, "diary level");
  for (int32_t v : s.options) o.I32(v);
  o.U16(static_cast<uint16_t>(s.scriptVariables.Size()));
  for (const auto& [name, value] : s.scriptVariables.Entries()) {
    o.Name(name, "script variable");
    if (value < INT16_MIN || value > INT16_MAX) DebugLogf("save: %s = %d kept as int16", name.c_str(), value);
    o.U16(static_cast<uint16_t>(value));
  }
  for (const PlayerData& p : s.players) {
    o.I32(p.tacticsId);
    o.I32(p.customTactic);
  }
  const FogSettings& fog = CRC::s_fogSettings;
  o.I32(CRC::s_fogOn);
  o.I32(fog.mode);
  o.I32(static_cast<int32_t>(fog.color));
  o.I32(fog.enabled);
  o.F32(fog.density);
  o.F32(fog.start);
  o.F32(fog.end);
  o.I32(g_cdAudio.m_disc);
  o.I32(g_cdAudio.m_track);
  for (const PlayerData& p : s.players) {
    for (int32_t f : p.magicFlags) o.I32(f);
  }
  for (int32_t v : s.heldItems) o.Byte(v, "held item count");
  o.I32(s.heldGold);
  o.Get().resize(o.Get().size() + CSession::kItemSlots, 0);
  for (const PlayerData& p : s.players) {
    for (int32_t v : p.statBonus) o.I32(v);
  }
  return std::move(o.Get());
}

namespace {

// Everything a content carries, parsed and checked before the session changes.
struct Staging {
  int version = 0;
  std::string placeName;
  int32_t gold = 0, playTime = 0, facing = 0;
  float posX = 0, posZ = 0;
  std::array<std::array<int32_t, kSummaryFields>, CSession::kPlayerCount> summaries{};
  std::array<int32_t, CSession::kMaxParty> partyIds{};
  std::array<int32_t, CSession::kPlayerCount> innIds{};
  int32_t partyCount = 0, innCount = 0;
  std::array<uint8_t, CSession::kItemSlots> inventory{}, itemBox{}, heldItems{};
  std::array<uint8_t, 3584> diary{};
  std::array<int32_t, 8> options{};
  std::vector<std::pair<std::string, int32_t>> variables;
  std::array<std::array<int32_t, 2>, CSession::kPlayerCount> tactics{};
  std::array<int32_t, 7> fog{};
  int32_t cdDisc = 0, cdTrack = 0;
  std::array<std::array<int32_t, kMaxMagicFlags>, CSession::kPlayerCount> magicFlags{};
  int32_t heldGold = 0;
  std::array<std::array<int32_t, 5>, CSession::kPlayerCount> statBonus{};
};

bool Refuse(const char* why) {
  DebugLogf("세이브 파일 이상! (%s)", why);
  return false;
}

// Ids within a count: all below 32 and none twice.
bool IdsValid(const int32_t* ids, int count) {
  std::array<bool, CSession::kPlayerCount> seen{};
  for (int i = 0; i < count; ++i) {
    if (ids[i] >= CSession::kPlayerCount || seen[static_cast<size_t>(ids[i])]) return false;
    seen[static_cast<size_t>(ids[i])] = true;
  }
  return true;
}

bool Parse(const std::vector<uint8_t>& c, Staging& st) {
  const bool prefixed = c.size() >= 5 && std::memcmp(c.data(), "Save", 4) == 0;
  st.version = prefixed ? c[4] : 0;
  if (st.version > kVersion) return Refuse("version above 5");
  const int64_t varBytes = static_cast<int64_t>(c.size()) - kFixedPart[st.version];
  if (varBytes < 2) return Refuse("content too short");
  In in(c, prefixed ? 5 : 0);
  st.placeName = in.Name(kNameBytes);
  st.gold = in.I32();
  st.playTime = in.I32();
  st.posX = in.F32();
  st.posZ = in.F32();
  st.facing = in.I32();
  for (auto& summary : st.summaries) {
    for (int32_t& f : summary) f = in.I32();
  }
  for (int32_t& id : st.partyIds) id = in.Byte();
  st.partyCount = in.Byte();
  for (int32_t& id : st.innIds) id = in.Byte();
  st.innCount = in.Byte();
  for (uint8_t& v : st.inventory) v = in.Byte();
  for (uint8_t& v : st.itemBox) v = in.Byte();
  for (uint8_t& v : st.diary) v = in.Byte();
  for (int32_t& v : st.options) v = in.I32();
  const uint16_t n = in.U16();
  if (varBytes != 2 + static_cast<int64_t>(kVariableRecord) * n) return Refuse("script variables do not fill their block");
  for (int i = 0; i < n; ++i) {
    std::string name = in.Name(kNameBytes);
    st.variables.emplace_back(std::move(name), static_cast<int16_t>(in.U16()));
  }
  if (st.version >= 1) {
    for (auto& t : st.tactics) t = {in.I32(), in.I32()};
  }
  if (st.version >= 2) {
    for (int32_t& f : st.fog) f = in.I32();
    st.cdDisc = in.I32();
    st.cdTrack = in.I32();
  }
  if (st.version >= 3) {
    for (auto& flags : st.magicFlags) {
      for (int32_t& f : flags) f = in.I32();
    }
  }
  if (st.version >= 4) {
    for (uint8_t& v : st.heldItems) v = in.Byte();
    st.heldGold = in.I32();
  }
  if (st.version >= 5) {
    for (int i = 0; i < CSession::kItemSlots; ++i) in.Byte();
    for (auto& bonus : st.statBonus) {
      for (int32_t& v : bonus) v = in.I32();
    }
  }
  if (in.Failed()) return Refuse("content too short");
  // The party could stand nowhere.
  if (!std::isfinite(st.posX) || !std::isfinite(st.posZ)) return Refuse("position");
  if (st.partyCount == 0 || st.partyCount > CSession::kMaxParty) return Refuse("party count");
  if (st.innCount > CSession::kPlayerCount) return Refuse("inn count");
  if (!IdsValid(st.partyIds.data(), st.partyCount) || !IdsValid(st.innIds.data(), st.innCount)) return Refuse("ids");
  return true;
}

void ApplySummary(PlayerData& p, const std::array<int32_t, kSummaryFields>& summary, int items) {
  const auto fields = SummaryFields(p);
  for (int f = 0; f < kSummaryFields; ++f) *fields[f] = summary[f];
  for (int slot = 0; slot < 8; ++slot) {
    int32_t& item = *fields[19 + slot];
    if (item < 0 || item >= std::max(items, static_cast<int>(kEmptyItemCount))) {
      DebugLogf("load: %s wears item %d outside the item table", p.engname.c_str(), item);
      item = kSlotEmpty[slot];
    }
  }
  if (p.lvl < 1 || p.lvl > 99) {
    DebugLogf("load: %s level %d clamped", p.engname.c_str(), p.lvl);
    p.lvl = std::clamp(p.lvl, 1, 99);
  }
}

// Options that would leave the game unusable keep their current values.
void ApplyOptions(CSession& s, const std::array<int32_t, 8>& options) {
  const std::array<int32_t, 8> before = s.options;
  s.options = options;
  const auto keep = [&](int k, bool ok, const char* what) {
    if (ok) return;
    DebugLogf("load: %s %d kept at %d", what, options[k], before[k]);
    s.options[k] = before[k];
  };
  keep(kOptionFont, options[kOptionFont] >= 1 && options[kOptionFont] <= CSession::kLastFont, "font");
  keep(CSession::kOptionKeyLayout, options[CSession::kOptionKeyLayout] >= 1 && options[CSession::kOptionKeyLayout] <= 6,
       "key layout");
  keep(kOptionFrameSkip, options[kOptionFrameSkip] >= 0, "frame skip");
}

void ApplyStaging(CSession& s, const Staging& st) {
  const int items = ItemTableCount();
  s.placeName = st.placeName;
  s.gold = st.gold;
  s.playTime = st.playTime;
  s.posX = st.posX;
  s.posZ = st.posZ;
  s.facing = st.facing;
  for (int id = 0; id < CSession::kPlayerCount; ++id) ApplySummary(s.players[id], st.summaries[id], items);
  s.partyIds = st.partyIds;
  s.partyCount = st.partyCount;
  s.innIds = st.innIds;
  s.innCount = st.innCount;
  s.inventory.fill(0);
  s.itemBox.fill(0);
  for (int i = 0; i < items; ++i) {
    if (st.inventory[i] != 0) s.SetItemCount(i, st.inventory[i]);
    s.itemBox[i] = st.itemBox[i];
  }
  size_t at = 0;
  for (auto* table : {s.itemDiary.data(), s.monsterDiary.data()}) {
    for (int i = 0; i < CSession::kDiarySlots; ++i) table[i] = st.diary[at++];
  }
  for (int32_t& v : s.spareTable1) v = st.diary[at++];
  for (int32_t& v : s.spareTable2) v = st.diary[at++];
  for (int32_t& v : s.scrapDiary) v = st.diary[at++];
  if (st.version >= 1) {
    for (int id = 0; id < CSession::kPlayerCount; ++id) {
      s.players[id].tacticsId = st.tactics[id][0];
      s.players[id].customTactic = st.tactics[id][1];
    }
  }
  if (st.version >= 2) {
    CRC::s_fogOn = st.fog[0];
    FogSettings& fog = CRC::s_fogSettings;
    fog.mode = st.fog[1];
    fog.color = static_cast<uint32_t>(st.fog[2]);
    fog.enabled = st.fog[3];
    const auto asFloat = [](int32_t bits) {
      float f = 0;
      std::memcpy(&f, &bits, 4);
      return f;
    };
    fog.density = asFloat(st.fog[4]);
    fog.start = asFloat(st.fog[5]);
    fog.end = asFloat(st.fog[6]);
    g_cdAudio.m_disc = st.cdDisc;
    g_cdAudio.m_track = st.cdTrack;
  }
  ApplyOptions(s, st.options);
  SetFrameSkip(static_cast<uint32_t>(s.options[kOptionFrameSkip]));
  s.scriptVariables.Clear();
  for (const auto& [name, value] : st.variables) s.scriptVariables.Set(name, value);
  if (st.version >= 3) {
    for (int id = 0; id < CSession::kPlayerCount; ++id) s.players[id].magicFlags = st.magicFlags[id];
  }
  if (st.version >= 4) {
    std::copy(st.heldItems.begin(), st.heldItems.end(), s.heldItems.begin());
    s.heldGold = st.heldGold;
  }
  if (st.version >= 5) {
    for (int id = 0; id < CSession::kPlayerCount; ++id) s.players[id].statBonus = st.statBonus[id];
  }
}

// The font, the keys, the members and their conditions follow the new record.
void Settle(CSession& s) {
  // The clock's seconds wrap: so does the start of any play time.
  s.startClock = static_cast<int32_t>(static_cast<uint32_t>(GetClockSeconds()) - static_cast<uint32_t>(s.playTime));
  const std::string font = "font\\slvfont" + std::to_string(s.options[kOptionFont]) + ".dat";
  if (!LoadHangulFont(font.c_str())) DebugLogf("load: cannot load the font %s", font.c_str());
  s.ApplyKeyLayout();
  // The image holds no level stats and no capacity: both follow from the
  // level, as they did when the game was saved.
  for (PlayerData& p : s.players) {
    p.UpdateLevelStats();
    p.UpdateCapacity();
  }
  for (int n = 0; n < s.partyCount; ++n) s.RefreshMember(n);
  for (int n = 0; n < s.partyCount; ++n) {
    PlayerData& p = s.players[static_cast<size_t>(s.partyIds[static_cast<size_t>(n)])];
    const int32_t bits = p.stateid;
    for (uint32_t bit = 0; bit < 8; ++bit) s.SetCondition(p, 1u << bit, (bits >> bit & 1) != 0);
  }
}

}  // namespace

bool Apply(CSession& session, const std::vector<uint8_t>& content) {
  auto staging = std::make_unique<Staging>();
  if (!Parse(content, *staging)) return false;
  ApplyStaging(session, *staging);
  Settle(session);
  return true;
}

}  // namespace savefile
