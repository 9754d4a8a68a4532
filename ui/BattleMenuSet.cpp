#include "ui/BattleMenuSet.h"

CBattleMenuSet& CBattleMenuSet::GetInstance() {
  static CBattleMenuSet set;
  return set;
}

// The menus' widgets come with the battle widgets; until then there is
// nothing to build and no entry to replace.
void CBattleMenuSet::Build() { m_built = true; }
void CBattleMenuSet::Destroy() { m_built = false; }
void CBattleMenuSet::RemoveItem(const std::string& key, const std::string& text, int hotKey, int id) {}
