#include "session/MagicMgr.h"

#include <algorithm>

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/TableReader.h"

namespace {

constexpr TableFormat kMagicFormat{"#magic", "Syntax Error In Magic.txt", kNoBlockLimit, true};

constexpr IntKey<MagicTypeInfo> kMagicInts[] = {
    {"#attr", &MagicTypeInfo::attr},         {"#targettype", &MagicTypeInfo::targetType},
    {"#magicAttr", &MagicTypeInfo::magicAttr}, {"#usetype", &MagicTypeInfo::useType},
    {"#class", &MagicTypeInfo::magicClass},  {"#level", &MagicTypeInfo::level},
    {"#enlevel", &MagicTypeInfo::enlevel},
};

bool ApplyMagicKey(const CTokenizer& tokens, MagicTypeInfo& magic) {
  const std::string& key = tokens[0];
  if (ApplyIntKey(kMagicInts, tokens, magic)) return true;
  if (key == "#desc") {
    magic.desc += WordsFrom(tokens, 1);
  } else if (key == "#power") {
    PowerFrom(tokens, &magic.power, &magic.powerAbsolute);
  } else if (key == "#cost") {
    // The third and fourth values change places.
    magic.cost[0] = IntAt(tokens, 1, 0);
    magic.cost[1] = IntAt(tokens, 2, 0);
    magic.cost[2] = IntAt(tokens, 4, 0);
    magic.cost[3] = IntAt(tokens, 3, 0);
  } else if (key == "#stateid") {
    magic.stateMask = MaskFrom(tokens);
  } else if (key == "#restorestateid") {
    magic.restoreStateMask = MaskFrom(tokens);
  } else if (key == "#key") {
    KeyFrom(tokens, magic.key);
  } else if (key == "#effect") {
    for (int i = 0; i < 6; ++i) magic.effect[i] = IntAt(tokens, i + 1, 0);
  } else {
    return false;
  }
  return true;
}

}  // namespace

CMagicMgr& CMagicMgr::GetInstance() {
  static CMagicMgr mgr;
  return mgr;
}

bool CMagicMgr::Load(const std::string& fileName) {
  if (!m_records.empty()) DebugLog("Magic Already loaded");
  Free();
  std::string bytes;
  if (!ReadTableFile(fileName, &bytes)) return false;
  CKeyRecordLoader<MagicTypeInfo> loader(m_records, ApplyMagicKey, "Unknown Key In Magic.txt :");
  ReadTableBlocks(bytes, kMagicFormat, loader);
  return true;
}

const MagicTypeInfo* CMagicMgr::GetMagicTypeInfo(int index) const {
  if (index < 0 || index >= GetCount()) {
    DebugLog("Error In MagicTypeInfo GetMagicTypeInfo(int index)");
    return nullptr;
  }
  return &m_records[static_cast<size_t>(index)];
}

int CMagicMgr::Find(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_records[static_cast<size_t>(i)].name == name) return i;
  }
  DebugLog("Magic Not Found");
  return -1;
}

bool CMagicMgr::Contains(const std::string& name) const {
  return std::any_of(m_records.begin(), m_records.end(), [&](const MagicTypeInfo& r) { return r.name == name; });
}

bool CMagicMgr::TestMagic(int index) const {
  const MagicTypeInfo* magic = GetMagicTypeInfo(index);
  return magic != nullptr && magic->cost[0] != 0 && magic->cost[2] != 0;
}
