// Items from a user on a target: the named items, the kinds on both sides,
// the gloves that double, the target scopes with their hooks, the status and
// the removed-target rule.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/Condition.h"
#include "tests/rules/BattleRulesFixture.h"

namespace {

using battletest::BattleRulesFixture;

class ItemUseTest : public BattleRulesFixture {
 public:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    std::string items;
    // Food by place: barrier, magic users' MP, others' MP, scope, hit points.
    items += Block("빵", 7, "10 1 2 3 4 5 6 0 30");
    items += Block("붉은빵", 7, "10 1 2 3 4 5 6 0 1000");
    items += Block("썩은빵", 7, "0 0 0 0 0 0 0 0 -20");
    // Restore: scope, condition, non-magic MP.
    items += Block("해독제", 8, "0 8 1 2 3");
    items += Block("저주약", 8, "0 9 1 2 3");
    items += Block("무효약", 8, "0 0 1 2 3");
    // Grenade: scope, damage, condition, element.
    items += Block("화염병", 9, "0 30 1 0");
    items += Block("성수탄", 9, "0 30 0 5");
    items += Block("힘의씨앗", 10, "1 2 3 4 5 0");
    items += Block("지혜의물약", 11, "1 2 3 4 5 0 8");
    items += Block("저주의가루", 12, "1 2 3 4 5 0");
    items += Block("물의비약", 8, "0 0 0 0 0");
    items += Block("멘딩툴", 8, "0 0 0 0 0");
    items += Block("세이지", 7, "0 0 0 0 0 0 0 0 5");
    for (int scope = 0; scope <= 7; ++scope) {
      items += Block("scope" + std::to_string(scope), 7, "0 0 0 0 0 0 0 " + std::to_string(scope) + " 5");
    }
    items += Block("수술장갑", 6);
    items += Block("라지쉴드", 1);
    LoadItems(items);
    const char* names[] = {"sizz", "ai", "maria"};
    for (int p = 0; p < 3; ++p) {
      PlayerData& m = Member(p);
      m.engname = names[p];
      m.ismagicman = p < 2 ? 1 : 0;
      m.hp = 50, m.maxhp = 100, m.shp = 0, m.maxshp = 40;
      m.mp1 = m.mp2 = m.mp3 = 0;
      m.maxmp1 = m.maxmp2 = m.maxmp3 = 50;
      m.stateid = 0;
      m.extraStats.fill(0);
      m.statBonus.fill(0);
      m.weapon = 2, m.shield = 3, m.acc2 = m.acc3 = 5;
    }
    for (auto& m : members) m.m_target = nullptr;
    for (auto& f : foes) f.m_target = nullptr;
    for (int e = 0; e < 3; ++e) {
      EnemySlot& s = Enemy(e);
      s.hp = 10, s.maxhp = 40, s.shp = 0, s.maxshp = 20;
      s.phyAtk = s.phyDef = s.spd = s.luck = 3;
    }
  }
  std::vector<std::string> RaisedItemHooks() const {
    std::vector<std::string> names;
    for (const auto& [name, value] : session.hooks.Entries()) {
      if (value != 0 && name.rfind("__item", 0) == 0) names.push_back(name);
    }
    return names;
  }
};

struct Case {
  const char* what;
  std::function<void(ItemUseTest&)> arrange;
  std::function<void(ItemUseTest&)> act;
  std::function<void(ItemUseTest&)> check;
};

void Nothing(ItemUseTest&) {}

TEST_F(ItemUseTest, EachKindAndNameChangesItsTargetByTheUsersSide) {
  const Case cases[] = {
      {"food on a magic user: barrier, places 1-3, hit points", Nothing,
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(2, 0, t.Id("빵")); },
       [](ItemUseTest& t) {
         const PlayerData& m = t.Member(0);
         EXPECT_EQ(m.shp, 10);
         EXPECT_EQ(std::vector<int>({m.mp1, m.mp2, m.mp3}), std::vector<int>({1, 2, 3}));
         EXPECT_EQ(m.hp, 80);
       }},
      {"food on another: places 4-6", Nothing, [](ItemUseTest& t) { t.session.UseItemPartyToParty(0, 2, t.Id("빵")); },
       [](ItemUseTest& t) {
         const PlayerData& m = t.Member(2);
         EXPECT_EQ(std::vector<int>({m.mp1, m.mp2, m.mp3}), std::vector<int>({4, 5, 6}));
       }},
      {"the gloves double food, capped", [](ItemUseTest& t) { t.Member(2).acc3 = t.Id("수술장갑"); },
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(2, 0, t.Id("빵")); },
       [](ItemUseTest& t) {
         const PlayerData& m = t.Member(0);
         EXPECT_EQ(m.shp, 20);
         EXPECT_EQ(m.mp3, 6);
         EXPECT_EQ(m.hp, 100);
       }},
      {"a value above its maximum comes down to it; a negative amount applies",
       [](ItemUseTest& t) { t.Member(0).hp = 150; },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToParty(2, 0, t.Id("빵"));
         t.session.UseItemPartyToParty(2, 1, t.Id("썩은빵"));
       },
       [](ItemUseTest& t) {
         EXPECT_EQ(t.Member(0).hp, 100);
         EXPECT_EQ(t.Member(1).hp, 30);
       }},
      {"food on one DYING does nothing", [](ItemUseTest& t) { t.Member(0).stateid = kDying; },
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(2, 0, t.Id("빵")); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(0).hp, 50); }},
      {"an enemy's food skips the DYING test", [](ItemUseTest& t) { t.Member(0).stateid = kDying; },
       [](ItemUseTest& t) { t.session.UseItemEnemyToParty(0, 0, t.Id("빵")); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(0).hp, 80); }},
      {"food on an enemy: barrier and hit points, capped", Nothing,
       [](ItemUseTest& t) { t.session.UseItemPartyToEnemy(0, 1, t.Id("붉은빵")); },
       [](ItemUseTest& t) {
         EXPECT_EQ(t.Enemy(1).hp, 40);
         EXPECT_EQ(t.Enemy(1).shp, 10);
       }},
      {"a restore clears DYING and gives a non-magic user MP", [](ItemUseTest& t) { t.Member(2).stateid = kDying; },
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(0, 2, t.Id("해독제")); },
       [](ItemUseTest& t) {
         const PlayerData& m = t.Member(2);
         EXPECT_EQ(m.stateid, 0);
         EXPECT_EQ(std::vector<int>({m.mp1, m.mp2, m.mp3}), std::vector<int>({1, 2, 3}));
       }},
      {"an enemy's restore gives no MP", Nothing, [](ItemUseTest& t) { t.session.UseItemEnemyToParty(0, 2, t.Id("해독제")); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(2).mp1, 0); }},
      {"attribute 17 of 9 and 0 names no condition", [](ItemUseTest& t) { t.Member(2).stateid = kDying | kPoison1; },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToParty(0, 2, t.Id("저주약"));
         t.session.UseItemPartyToParty(0, 2, t.Id("무효약"));
       },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(2).stateid, static_cast<int>(kDying | kPoison1)); }},
      {"water elixir for ai only; anyone else spends it", Nothing,
       [](ItemUseTest& t) {
         t.session.UseItemPartyToParty(2, 0, t.Id("물의비약"));
         t.session.UseItemPartyToParty(2, 1, t.Id("물의비약"));
       },
       [](ItemUseTest& t) {
         EXPECT_EQ(t.Member(0).mp2, 0);
         EXPECT_EQ(t.Member(1).mp2, 35);
       }},
      {"a name row replaces the kind and ignores the gloves", [](ItemUseTest& t) { t.Member(2).acc2 = t.Id("수술장갑"); },
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(2, 0, t.Id("멘딩툴")); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(0).shp, 8); }},
      {"a name row is the kind's effect for an enemy user", Nothing,
       [](ItemUseTest& t) { t.session.UseItemEnemyToParty(0, 1, t.Id("물의비약")); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(1).mp2, 0); }},
      {"up items: doubled battle stats; down items: never doubled",
       [](ItemUseTest& t) { t.Member(2).acc2 = t.Id("수술장갑"); },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToParty(2, 0, t.Id("힘의씨앗"));
         t.session.UseItemPartyToParty(2, 1, t.Id("저주의가루"));
       },
       [](ItemUseTest& t) {
         EXPECT_EQ(t.Member(0).extraStats, (std::array<int32_t, 5>{2, 4, 6, 8, 10}));
         EXPECT_EQ(t.Member(1).extraStats, (std::array<int32_t, 5>{-1, -2, -3, -4, -5}));
       }},
      {"up item 2: lasting stats, and its condition cleared", [](ItemUseTest& t) { t.Member(0).stateid = kDying; },
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(2, 0, t.Id("지혜의물약")); },
       [](ItemUseTest& t) {
         EXPECT_EQ(t.Member(0).statBonus, (std::array<int32_t, 5>{1, 2, 3, 4, 5}));
         EXPECT_EQ(t.Member(0).stateid, 0);
       }},
      {"enemy stats rise doubled and fall to 0 at most", [](ItemUseTest& t) { t.Member(0).acc3 = t.Id("수술장갑"); },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToEnemy(0, 0, t.Id("힘의씨앗"));
         t.session.UseItemPartyToEnemy(0, 1, t.Id("저주의가루"));
         t.session.UseItemEnemyToEnemy(2, 2, t.Id("지혜의물약"));
       },
       [](ItemUseTest& t) {
         const EnemySlot& up = t.Enemy(0);
         EXPECT_EQ(std::vector<int>({up.phyAtk, up.phyDef, up.spd, up.luck}), std::vector<int>({5, 7, 11, 13}));
         const EnemySlot& down = t.Enemy(1);
         EXPECT_EQ(std::vector<int>({down.phyAtk, down.phyDef, down.spd, down.luck}), std::vector<int>({2, 1, 0, 0}));
         const EnemySlot& up2 = t.Enemy(2);
         EXPECT_EQ(std::vector<int>({up2.phyAtk, up2.phyDef, up2.spd, up2.luck}), std::vector<int>({4, 5, 7, 8}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.arrange(*this);
    c.act(*this);
    c.check(*this);
  }
}

TEST_F(ItemUseTest, GrenadesHitTheShieldTheUndeadAndSetTheirCondition) {
  const Case cases[] = {
      {"a grenade on a member: 30, digits, POISON1", Nothing,
       [](ItemUseTest& t) { t.session.UseItemPartyToParty(0, 2, t.Id("화염병")); },
       [](ItemUseTest& t) {
         EXPECT_EQ(Messages(t.members[2]), std::vector<int>({kMsgHit}));
         EXPECT_EQ(t.members[2].finishing.values.at(0)[0], 30);
         EXPECT_EQ(t.Member(2).stateid & kPoison1, kPoison1);
       }},
      {"the large shield takes 10062 in place of the hit, but not from an enemy",
       [](ItemUseTest& t) { t.Member(2).shield = t.Id("라지쉴드"); },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToParty(0, 2, t.Id("화염병"));
         t.session.UseItemEnemyToParty(0, 2, t.Id("화염병"));
       },
       [](ItemUseTest& t) {
         EXPECT_EQ(Messages(t.members[2]), std::vector<int>({kActLeave, kMsgHit}));
         EXPECT_EQ(t.Member(2).stateid & kPoison1, kPoison1);
       }},
      {"holy grenades kill the undead for party users only",
       [](ItemUseTest& t) {
         t.Enemy(0).stateid = kUndead;
         t.Enemy(1).stateid = kUndead;
       },
       [](ItemUseTest& t) {
         t.session.UseItemPartyToEnemy(0, 0, t.Id("성수탄"));
         t.session.UseItemEnemyToEnemy(2, 1, t.Id("성수탄"));
       },
       [](ItemUseTest& t) {
         EXPECT_EQ(Messages(t.foes[0]), std::vector<int>({kMsgHit, kMsgKill}));
         EXPECT_EQ(Messages(t.foes[1]), std::vector<int>({kMsgHit}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (auto& m : members) Messages(m).clear(), m.finishing.values.clear();
    for (auto& f : foes) Messages(f).clear();
    c.arrange(*this);
    c.act(*this);
    c.check(*this);
  }
}

TEST_F(ItemUseTest, ArrivalsDispatchByScopeAndRaiseTheirHooks) {
  struct ScopeCase {
    int scope;
    std::vector<int> memberHp;  // of the three members after sizz's use aimed at maria
    std::vector<int> enemyHp;
  };
  const ScopeCase cases[] = {
      {0, {50, 50, 55}, {10, 10, 10}}, {1, {55, 55, 55}, {10, 10, 10}}, {2, {50, 50, 55}, {10, 10, 10}},
      {3, {50, 50, 50}, {15, 15, 15}}, {4, {50, 50, 50}, {10, 10, 10}}, {5, {50, 50, 50}, {10, 10, 10}},
      {6, {50, 50, 50}, {10, 10, 10}}, {7, {50, 50, 50}, {10, 10, 10}},
  };
  for (const ScopeCase& c : cases) {
    SCOPED_TRACE(c.scope);
    SetUp();
    session.hooks = HookTable{};
    const std::string name = "scope" + std::to_string(c.scope);
    session.ResolveItemUse(0, true, 2, true, Id(name.c_str()), nullptr, 0);
    EXPECT_EQ(std::vector<int>({Member(0).hp, Member(1).hp, Member(2).hp}), c.memberHp);
    EXPECT_EQ(std::vector<int>({Enemy(0).hp, Enemy(1).hp, Enemy(2).hp}), c.enemyHp);
    EXPECT_EQ(RaisedItemHooks(), std::vector<std::string>({"__itemusesizz" + name}));
  }
  // An enemy's single use aimed at an enemy, and its grenade's second hook.
  SetUp();
  session.hooks = HookTable{};
  foes[1].m_target = &foes[0];
  session.ResolveItemUse(1, false, 0, false, Id("화염병"), nullptr, 0);
  EXPECT_EQ(Enemy(0).stateid & kPoison1, kPoison1);
  EXPECT_EQ(RaisedItemHooks(), std::vector<std::string>({"__itemattackskeleton화염병", "__itemuseskeleton화염병"}));
}

TEST_F(ItemUseTest, AStatusARemovedTargetOrNobodyStopsTheUse) {
  const Case cases[] = {
      {"a non-zero status", Nothing, [](ItemUseTest& t) { t.session.ResolveItemUse(0, true, 2, true, t.Id("빵"), nullptr, 1); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(2).hp, 50); }},
      {"a removed member, reached by the herb alone", [](ItemUseTest& t) {
         t.members[2].m_actionCode = kActRemoved;
         t.members[0].m_target = &t.members[2];
       },
       [](ItemUseTest& t) {
         t.session.ResolveItemUse(0, true, 2, true, t.Id("빵"), nullptr, 0);
         EXPECT_EQ(t.Member(2).hp, 50);
         t.session.ResolveItemUse(0, true, 2, true, t.Id("세이지"), nullptr, 0);
       },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(2).hp, 55); }},
      {"a removed enemy", [](ItemUseTest& t) {
         t.foes[0].m_actionCode = kActRemoved;
         t.members[0].m_target = &t.foes[0];
       },
       [](ItemUseTest& t) { t.session.ResolveItemUse(0, true, 0, false, t.Id("세이지"), nullptr, 0); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Enemy(0).hp, 10); }},
      {"an enemy user without a target", Nothing,
       [](ItemUseTest& t) { t.session.ResolveItemUse(0, false, 1, false, t.Id("세이지"), nullptr, 0); },
       [](ItemUseTest& t) { EXPECT_EQ(t.Enemy(1).hp, 10); }},
      {"pairs and items naming nothing", Nothing,
       [](ItemUseTest& t) {
         t.session.ResolveItemUse(6, false, 0, true, t.Id("세이지"), nullptr, 0);
         t.session.ResolveItemUse(0, true, 0, true, 5000, nullptr, 0);
         t.session.UseItemPartyToParty(0, -1, t.Id("세이지"));
         t.session.UseItemPartyToParty(0, 0, -3);
       },
       [](ItemUseTest& t) { EXPECT_EQ(t.Member(0).hp, 50); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    session.hooks = HookTable{};
    c.arrange(*this);
    c.act(*this);
    c.check(*this);
    if (std::string(c.what) != "a removed member, reached by the herb alone") {
      EXPECT_TRUE(RaisedItemHooks().empty());
    }
  }
}

// An arrival aimed at a position nobody holds still reaches its whole side
// and raises its hook; the single form finds nobody.
TEST_F(ItemUseTest, AnEmptyTargetPositionStillRunsTheSideAndTheHooks) {
  session.hooks = HookTable{};
  session.ResolveItemUse(0, true, 7, true, Id("scope1"), nullptr, 0);
  EXPECT_EQ(std::vector<int>({Member(0).hp, Member(1).hp, Member(2).hp}), std::vector<int>({55, 55, 55}));
  EXPECT_EQ(RaisedItemHooks(), std::vector<std::string>({"__itemusesizzscope1"}));
  session.hooks = HookTable{};
  session.ResolveItemUse(0, true, 7, true, Id("scope0"), nullptr, 0);
  EXPECT_EQ(std::vector<int>({Member(0).hp, Member(1).hp, Member(2).hp}), std::vector<int>({55, 55, 55}));
  EXPECT_EQ(RaisedItemHooks(), std::vector<std::string>({"__itemusesizzscope0"}));
}

}  // namespace
