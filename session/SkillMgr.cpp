#include "session/SkillMgr.h"

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/MagicMgr.h"
#include "session/TableReader.h"

namespace {

constexpr TableFormat kSkillFormat{"#skill", "Syntax Error In Skill.txt", kNoBlockLimit, true};

constexpr IntKey<SkillTypeInfo> kSkillInts[] = {
    {"#targettype", &SkillTypeInfo::targetType}, {"#usetype", &SkillTypeInfo::useType},
    {"#level", &SkillTypeInfo::level},           {"#classtype", &SkillTypeInfo::classType},
    {"#duration", &SkillTypeInfo::duration},     {"#splash", &SkillTypeInfo::splash},
    {"#enlevel", &SkillTypeInfo::enlevel},       {"#probability", &SkillTypeInfo::probability},
    {"#attr", &SkillTypeInfo::attr},
};

bool ApplySkillKey(const CTokenizer& tokens, SkillTypeInfo& skill) {
  const std::string& key = tokens[0];
  if (ApplyIntKey(kSkillInts, tokens, skill)) return true;
  if (key == "#desc") {
    skill.desc += WordsFrom(tokens, 1);
  } else if (key == "#power") {
    PowerFrom(tokens, &skill.power, &skill.powerAbsolute);
  } else if (key == "#cost") {
    for (int i = 0; i < 3; ++i) skill.cost[i] = IntAt(tokens, i + 1, 0);
  } else if (key == "#stateid") {
    skill.stateMask = MaskFrom(tokens);
  } else if (key == "#restorestateid") {
    skill.restoreStateMask = MaskFrom(tokens);
  } else if (key == "#key") {
    KeyFrom(tokens, skill.key);
  } else if (key == "#effect") {
    for (int i = 0; i < 6; ++i) skill.effect[i] = IntAt(tokens, i + 1, 0);
  } else {
    return false;
  }
  return true;
}

}  // namespace

CSkillMgr& CSkillMgr::GetInstance() {
  static CSkillMgr mgr;
  return mgr;
}

bool CSkillMgr::Load(const std::string& fileName) {
  if (!m_records.empty()) DebugLog("Skill Already loaded");
  Free();
  std::string bytes;
  if (!ReadTableFile(fileName, &bytes)) return false;
  CKeyRecordLoader<SkillTypeInfo> loader(m_records, ApplySkillKey, "Unknown Key In Skill.txt :");
  ReadTableBlocks(bytes, kSkillFormat, loader);
  return true;
}

const SkillTypeInfo* CSkillMgr::GetSkillTypeInfo(int index) const {
  if (index < 0 || index >= GetCount()) {
    DebugLog("Error In SkillTypeInfo CSkillMgr :: GetSkillTypeInfo(int index)");
    return nullptr;
  }
  return &m_records[static_cast<size_t>(index)];
}

int CSkillMgr::IndexOf(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_records[static_cast<size_t>(i)].name == name) return i;
  }
  return -1;
}

int CSkillMgr::Find(const std::string& name) const {
  const int index = IndexOf(name);
  if (index < 0) DebugLog("Skill Not Found");
  return index;
}

bool CSkillMgr::Contains(const std::string& name) const { return IndexOf(name) >= 0; }

void LinkSkillOrMagic(const std::string& name, int* isMagic, int* index) {
  const CSkillMgr& skills = CSkillMgr::GetInstance();
  if (skills.Contains(name)) {
    *isMagic = 0;
    *index = skills.Find(name);
  } else {
    *isMagic = 1;
    *index = CMagicMgr::GetInstance().Find(name);
  }
}
