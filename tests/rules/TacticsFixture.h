#pragma once
// A battle for the tactics: five magic and five skill records, foods and
// grenades, a party of three (sizz the magic user, kreutzer and maria) and
// three enemies on stand-in actors, and a scripted `rand` whose draws are
// counted.
//
//   member 0 (0, 0, 0)    member 1 (10, 0, 0)    member 2 (20, 0, 0)
//   enemy 0 (10, 0, 3)    enemy 1 (20, 0, 10)    enemy 2 (25, 0, 10)
//
// Enemy 0's nearest member is member 1; the most exposed member is member 2.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "session/DataTables.h"
#include "session/ITM.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/GameFolder.h"

class CStandIn : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
};

class TacticsFixture : public GameFolderTest {
 protected:
  // The records by number.
  enum Magic { kFlame, kHeal, kPoisonFog, kStorm, kWard };
  enum Skill { kCut, kStab, kFirstAid, kSting, kWhirl };
  static constexpr int kSentinel = 99999;

  void SetUp() override {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += Item("empty" + std::to_string(i), emptyKinds[i]);
    for (const char* name : {"빵", "고기"}) items += Item(name, kItemFood);
    for (const char* name : {"폭탄", "화염병"}) items += Item(name, kItemGrenade);
    items += Item("루비네클리스", kItemAcc1);
    Write("data/diary/item.txt", items);
    // Magic: target mode, target type, power, attribute, inflicted conditions.
    Write("data/diary/magic.txt", MagicRecord("화염", 0, 1, "50", "0") + MagicRecord("치유", 1, 2, "+60", "0") +
                                      MagicRecord("독안개", 0, 1, "50", "1") + MagicRecord("폭풍", 0, 3, "+10", "0") +
                                      MagicRecord("결계", 2, 5, "0", "0"));
    // Skills: kind, target type, power, afflicting mark.
    // First aid costs 3 of MP1 (2 at level 10).
    Write("data/diary/skill.txt", SkillRecord("베기", 0, 1, "100", "0") + SkillRecord("찌르기", 1, 2, "100", "0") +
                                      SkillRecord("응급처치", 2, 0, "0", "0", "3 0 0") +
                                      SkillRecord("독침", 0, 1, "100", "1") + SkillRecord("회오리", 0, 3, "+5", "0"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    session.Init();
    session.partyCount = 0;
    const char* names[] = {"sizz", "kreutzer", "maria"};
    for (int id = 0; id < 3; ++id) {
      PlayerData& p = session.players[static_cast<size_t>(id)];
      p = PlayerData{};
      p.engname = names[id];
      p.playerId = id;
      ASSERT_EQ(session.JoinPlayer(id), 1);
      p.lvl = 10;
      p.hp = p.maxhp = 100;
      p.vitality = 5 + id;
      p.ismagicman = id == 0 ? 1 : 0;
      p.battlePtr = &members[static_cast<size_t>(id)];
      members[static_cast<size_t>(id)].m_pos = {10.0f * static_cast<float>(id), 0.0f, 0.0f};
      members[static_cast<size_t>(id)].m_actionCode = kActIdle;
      members[static_cast<size_t>(id)].m_timeGauge = 0.0f;  // nobody busy
      members[static_cast<size_t>(id)].m_battleId = {id, 1};
    }
    session.battlePartyCount = 3;
    session.enemies.fill(EnemySlot{});
    const Vec3 places[] = {{10.0f, 0.0f, 3.0f}, {20.0f, 0.0f, 10.0f}, {25.0f, 0.0f, 10.0f}};
    for (int e = 0; e < 3; ++e) {
      EnemySlot& s = Enemy(e);
      s.name = "스켈레톤";
      s.hp = s.maxhp = 100;
      s.level = 10;
      s.phyDef = 10 - e;
      s.phyAtk = 20;  // a skill's estimate on a member: 4, drawing nothing
      s.actor = &foes[static_cast<size_t>(e)];
      foes[static_cast<size_t>(e)].m_pos = places[e];
      foes[static_cast<size_t>(e)].m_actionCode = kActIdle;
      foes[static_cast<size_t>(e)].m_timeGauge = 0.0f;
      foes[static_cast<size_t>(e)].m_battleId = {e, 0};
    }
    session.enemyCount = 3;
    session.tacticDecision = CSession::TacticDecision{};
    platform::ClearQueuedRand();
  }
  void TearDown() override {
    platform::ClearQueuedRand();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    session.enemies.fill(EnemySlot{});
    session.tacticDecision = CSession::TacticDecision{};
    CItemMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    session.Init();
  }

  static std::string Item(const std::string& name, int kind) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param 0\n#end\n";
  }
  static std::string Mask(const std::string& first) { return first + " 0 0 0 0 0 0 0"; }
  static std::string MagicRecord(const std::string& name, int useType, int targetType, const std::string& power,
                                 const std::string& poison) {
    return "#magic < " + name + " > < >\n#attr 0\n#targettype " + std::to_string(targetType) + "\n#power " + power +
           "\n#cost 0 0 0 0\n#usetype " + std::to_string(useType) + "\n#stateid " + Mask(poison) + "\n#end\n";
  }
  static std::string SkillRecord(const std::string& name, int useType, int targetType, const std::string& power,
                                 const std::string& poison, const std::string& cost = "0 0 0") {
    return "#skill < " + name + " > < >\n#targettype " + std::to_string(targetType) + "\n#power " + power +
           "\n#cost " + cost + "\n#usetype " + std::to_string(useType) + "\n#attr 0\n#stateid " + Mask(poison) + "\n#end\n";
  }

  static int ItemIndex(const char* name) { return CItemMgr::GetInstance().Find(name); }
  // Sets an item's attribute by its number.
  static void SetItemAttr(const char* name, int attr, int value) {
    ITM* item = CItemMgr::GetInstance().GetItem(ItemIndex(name));
    for (int p = 0; p < ItemAttrCount(item->kind); ++p) {
      if (ItemAttrNumber(item->kind, p) == attr) *item->GetAttrPtr(p) = value;
    }
  }

  PlayerData& Member(int n) { return *session.GetPartyMember(n); }
  EnemySlot& Enemy(int n) { return session.enemies[static_cast<size_t>(n)]; }
  CBattleActor* MemberActor(int n) { return &members[static_cast<size_t>(n)]; }
  CBattleActor* Foe(int n) { return &foes[static_cast<size_t>(n)]; }
  // Sets an enemy's special entry.
  void SetEntry(int slot, int entry, bool isMagic, int number) {
    Enemy(slot).ability[static_cast<size_t>(entry)] = number;
    Enemy(slot).abilityIsMagic[static_cast<size_t>(entry)] = isMagic ? 1 : 0;
  }

  // The next draws answer these, then a sentinel that tells whether exactly
  // these were drawn.
  static void Script(const std::vector<int>& values) {
    platform::ClearQueuedRand();
    for (int v : values) platform::QueueRand({v});
    platform::QueueRand({kSentinel});
  }
  static bool DrewExactlyTheScript() {
    const bool exact = platform::Rand() == kSentinel;
    platform::ClearQueuedRand();
    return exact;
  }

  CSession& session = CSession::GetInstance();
  CSession::TacticDecision& decision = session.tacticDecision;
  std::array<CStandIn, 3> members;
  std::array<CStandIn, 3> foes;
};
