#include "session/MonsterMgr.h"

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/SkillMgr.h"
#include "session/TableReader.h"

namespace {
namespace monstermgr {

constexpr TableFormat kMonsterFormat{"#monster", "Syntax Error In Monster.txt", kNoBlockLimit, true};

// The keys compare exactly: "#stateId" and "#magDefRate" keep their capitals.
constexpr IntKey<MonsterTypeInfo> kMonsterInts[] = {
    {"#is3d", &MonsterTypeInfo::is3d},
    {"#hp", &MonsterTypeInfo::hp},
    {"#shp", &MonsterTypeInfo::shp},
    {"#attr", &MonsterTypeInfo::attr},
    {"#stateId", &MonsterTypeInfo::stateId},
    {"#phyAtk", &MonsterTypeInfo::phyAtk},
    {"#phyDef", &MonsterTypeInfo::phyDef},
    {"#magDef", &MonsterTypeInfo::magDef},
    {"#spd", &MonsterTypeInfo::spd},
    {"#luck", &MonsterTypeInfo::luck},
    {"#magDefRate", &MonsterTypeInfo::magDefRate},
    {"#expGain", &MonsterTypeInfo::expGain},
    {"#goldGain", &MonsterTypeInfo::goldGain},
    {"#stunEffectDeltaY", &MonsterTypeInfo::stunEffectDeltaY},
};

struct FloatKey {
  const char* key;
  float MonsterTypeInfo::*field;
};
constexpr FloatKey kMonsterFloats[] = {
    {"#captionZoom", &MonsterTypeInfo::captionZoom},
    {"#apCaptionZoom", &MonsterTypeInfo::apCaptionZoom},
    {"#shadowZoom", &MonsterTypeInfo::shadowZoom},
    {"#radius", &MonsterTypeInfo::radius},
};

struct TextKey {
  const char* key;
  std::string MonsterTypeInfo::*field;
};
constexpr TextKey kMonsterTexts[] = {
    {"#sprname", &MonsterTypeInfo::sprName},
    {"#actname", &MonsterTypeInfo::actName},
    {"#rmaname", &MonsterTypeInfo::rmaName},
};

constexpr const char* kAbilityKeys[5] = {"#ability1", "#ability2", "#ability3", "#ability4", "#ability5"};

bool ApplyTableKey(const CTokenizer& tokens, MonsterTypeInfo& monster) {
  if (ApplyIntKey(kMonsterInts, tokens, monster)) return true;
  const std::string& key = tokens[0];
  for (const FloatKey& entry : kMonsterFloats) {
    if (key != entry.key) continue;
    monster.*entry.field = FloatAt(tokens, 1, 0.0f);
    return true;
  }
  for (const TextKey& entry : kMonsterTexts) {
    if (key != entry.key) continue;
    monster.*entry.field = TextAt(tokens, 1, "");
    return true;
  }
  for (int k = 0; k < 5; ++k) {
    if (key != kAbilityKeys[k]) continue;
    LinkSkillOrMagic(TextAt(tokens, 1, ""), &monster.abilityIsMagic[k], &monster.ability[k]);
    return true;
  }
  return false;
}

// The monster table's blocks into records, diary entries and pages.
class MonsterLoader final : public CTableBlockSink {
 public:
  MonsterLoader(std::vector<MonsterTypeInfo>& records, DiaryBook& diary) : m_records(records), m_diary(diary) {}

  void OpenBlock(int index, const CTokenizer& tokens) override;
  void BlockLine(int index, const CTokenizer& tokens, const std::string& line) override;
  void CloseBlock(int index) override { m_diary.SetPages(index, m_pager.EndBlock()); }

 private:
  bool ApplyKey(int index, const CTokenizer& tokens, MonsterTypeInfo& monster);

  std::vector<MonsterTypeInfo>& m_records;
  DiaryBook& m_diary;
  CDiaryPager m_pager;
};

void MonsterLoader::OpenBlock(int index, const CTokenizer& tokens) {
  m_records.resize(static_cast<size_t>(index) + 1);
  const NameGroups groups = ReadNameGroups(tokens, 2);
  DiaryEntry entry{groups.first, groups.second, IntAt(tokens, groups.next, 0),
                   TextAt(tokens, groups.next + 1, "")};
  m_records.back().name = entry.name;
  m_diary.SetEntry(index, std::move(entry));
}

void MonsterLoader::BlockLine(int index, const CTokenizer& tokens, const std::string& line) {
  const std::string& key = tokens[0];
  if (const int section = SectionKey(key); section != 0) {
    m_pager.StartSection(section);
  } else if (!ApplyKey(index, tokens, m_records[static_cast<size_t>(index)])) {
    if (!key.empty() && key[0] == '#') DebugLog("Unknown Key In Monster.txt : " + key);
    m_pager.AddLine(line);
  }
}

bool MonsterLoader::ApplyKey(int index, const CTokenizer& tokens, MonsterTypeInfo& monster) {
  const std::string& key = tokens[0];
  if (key == "#type") {
    monster.type = IntAt(tokens, 1, 0);
    m_diary.GetEntry(index)->category = monster.type;
  } else if (key == "#level") {
    monster.level = IntAt(tokens, 1, 1);
  } else if (key == "#desc") {
    monster.desc = TextAt(tokens, 1, " ");
  } else if (key == "#duration") {
    monster.duration = HundredthsAt(tokens, 1);
  } else if (key == "#tactics") {
    for (int i = 0; i < 4; ++i) monster.tactics[i] = IntAt(tokens, i + 1, 0);
  } else {
    return ApplyTableKey(tokens, monster);
  }
  return true;
}

}  // namespace monstermgr
}  // namespace

CMonsterMgr& CMonsterMgr::GetInstance() {
  static CMonsterMgr mgr;
  return mgr;
}

void CMonsterMgr::Free() {
  m_records.clear();
  m_diary.Clear();
}

bool CMonsterMgr::Load(const std::string& fileName) {
  Free();
  std::string bytes;
  if (!ReadTableFile(fileName, &bytes)) return false;
  monstermgr::MonsterLoader loader(m_records, m_diary);
  ReadTableBlocks(bytes, monstermgr::kMonsterFormat, loader);
  return true;
}

MonsterTypeInfo CMonsterMgr::GetMonsterTypeInfo(int index) const {
  if (index < 0 || index >= GetCount()) {
    DebugLog("Error In MonsterTypeInfo CMonsterMgr :: GetMonsterTypeInfo(int index)");
    return MonsterTypeInfo();
  }
  return m_records[static_cast<size_t>(index)];
}

int CMonsterMgr::Find(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_records[static_cast<size_t>(i)].name == name) return i;
  }
  DebugLog("Monster Not Found");
  return -1;
}

int CMonsterMgr::LookupName(const std::string& name) const {
  for (const auto& [index, entry] : m_diary.Entries()) {
    if (entry.name == name) return index;
  }
  return -1;
}
