#pragma once
// A battle of three recording party actors against three recording enemies
// on the small battle map, with an item table of the worn items the
// condition and periodic rules know. Actors stand idle at the origin until
// a test places them; enemy slots are named "skeleton".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/ActionCode.h"
#include "effect/SelvarinEffect.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "tests/field/BattleFixture.h"

namespace battletest {

class CRecordingEnemy : public CTestEnemy {
  SLV_OBJECT(CRecordingEnemy)
 public:
  void OnMessage(CObject*, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    finishing.messages.push_back(code);
    finishing.values.push_back({value0, value1, value2});
  }
};

// Public, so that tables of cases can arrange it.
class BattleRulesFixture : public BattleFixture {
 public:
  BattleRulesFixture() : BattleFixture("map\n") {}

  void SetUp() override {
    std::string items = EmptyItems();
    // Weapons reach 4 units (the reach column is read in hundredths).
    for (const char* name : {"앵거바델", "쥬프라가", "다마스커스", "랩쳐로즈"}) items += Block(name, 0, "0 0 0 0 0 0 0 0 0 0.4 0");
    for (const char* name : {"페더슈츠", "타브리셔츠", "힐링메일", "웨딩드레스", "펠류시드가브", "물의로브", "땅의로브",
                             "불의로브", "바람의로브", "미라쥬로브"}) {
      items += Block(name, 2);
    }
    for (const char* name : {"방독면", "헤드폰", "안정의서클릿", "면사포"}) items += Block(name, 3);
    for (const char* name : {"지압구두", "건강구두", "본레그플레이트"}) items += Block(name, 4);
    for (const char* name : {"펄네클리스", "펄이어링", "힐링이어링"}) items += Block(name, 5);
    items += Block("사자의반지", 6, "0 0 0 0 0 0 0 1");  // one piece in both last slots
    m_dir.Write("game/data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    SetParty({0, 1, 2});
    session.battlePartyCount = 3;
    for (int p = 0; p < 3; ++p) {
      session.players[static_cast<size_t>(p)].battlePtr = &members[p];
      members[p].m_battleId = {p, 1};
      members[p].m_actionCode = kActIdle;
    }
    for (EnemySlot& slot : session.enemies) slot = EnemySlot{};
    for (int e = 0; e < 3; ++e) {
      EnemySlot& slot = session.enemies[static_cast<size_t>(e)];
      slot.actor = &foes[e];
      slot.name = "skeleton";
      slot.hp = slot.maxhp = 40;
      foes[e].m_battleId = {e, 0};
      foes[e].m_actionCode = kActIdle;
    }
    session.enemyCount = 3;
    platform::ClearQueuedRand();
  }

  void TearDown() override {
    platform::ClearQueuedRand();
    Context().m_battleParty.clear();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& slot : session.enemies) slot.actor = nullptr;
  }

  static std::string Block(const std::string& name, int kind, const std::string& params = "0") {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
  }
  // The items 0-6, the empty items of the slots.
  static std::string EmptyItems() {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += Block("empty" + std::to_string(i), emptyKinds[i]);
    return items;
  }
  // The item table: the empty items and the given blocks.
  void LoadItems(const std::string& blocks) {
    m_dir.Write("game/data/diary/item.txt", EmptyItems() + blocks);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  }
  static int Id(const char* name) { return CItemMgr::GetInstance().Find(name); }

  PlayerData& Member(int n) { return session.players[static_cast<size_t>(n)]; }
  EnemySlot& Enemy(int n) { return session.enemies[static_cast<size_t>(n)]; }
  static std::vector<int>& Messages(CTestBattlePlayer& actor) { return actor.finishing.messages; }
  static std::vector<int>& Messages(CRecordingEnemy& actor) { return actor.finishing.messages; }
  // The ids of the effects an actor spawned, in order.
  static std::vector<int> Effects(const CSelvarinActor& actor) {
    std::vector<int> ids;
    for (const CSelvarinEffect* effect : actor.m_effects) ids.push_back(static_cast<int>(effect->GetEffectId()));
    return ids;
  }
  // The condition hooks raised so far, by their full names.
  std::vector<std::string> RaisedConditionHooks() const {
    std::vector<std::string> names;
    for (const auto& [name, value] : session.hooks.Entries()) {
      if (value != 0 && name.rfind("__condition", 0) == 0) names.push_back(name);
    }
    return names;
  }

  CSession& session = CSession::GetInstance();
  CTestBattlePlayer members[3];
  CRecordingEnemy foes[3];
};

}  // namespace battletest
