// Blows between the sample game's party and two skeletons, in process: the
// sample tables with a fixed seed, worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleObject.h"
#include "engine/ResMgr.h"
#include "platform/Random.h"
#include "platform/TextEncoding.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

namespace {

class CTarget : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* /*sender*/, int code, intptr_t a, intptr_t /*b*/, intptr_t /*c*/) override {
    if (code == kMsgHit) hits.push_back(static_cast<int>(a));
  }
  void SpawnDamageNumber(int32_t value, int32_t, float, float, float, int32_t, int32_t) override {
    digits.push_back(value);
  }
  std::vector<int> hits, digits;
};

class SampleBlowTest : public GameFolderTest {
 protected:
  void SetUp() override {
    for (const char* name : {"monster.txt", "item.txt", "magic.txt", "skill.txt"}) Copy(std::string("diary/") + name);
    for (const char* name : {"_LvlFactorData.scr", "_LvlCalcData.scr", "_playerData.scr", "_playerSkillMagic.scr",
                             "_tactics.scr", "_splashweapon.scr"}) {
      Copy(name);
    }
    CResMgr::GetInstance().UnloadResources();
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    for (const char* engname : {"kreutzer", "maria"}) {
      if (session.GetPartyId(session.GetPlayerId(engname)) < 0) session.JoinPlayer(session.GetPlayerId(engname));
    }
    kreutzer = session.GetPartyId(session.GetPlayerId("kreutzer"));
    maria = session.GetPartyId(session.GetPlayerId("maria"));
    ASSERT_GE(kreutzer, 0);
    ASSERT_GE(maria, 0);
    // The blows below are worked out for maria in the leather armour she
    // wore before the chain mail she starts in now.
    session.GetPartyMember(maria)->armor = session.FindItem("가죽갑옷");
    for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
    Bind(kreutzer, 0.0f), Bind(maria, 30.0f);
    // Two skeletons from the sample's monster row.
    ASSERT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    const MonsterTypeInfo record = CMonsterMgr::GetInstance().GetMonsterTypeInfo(CMonsterMgr::GetInstance().Find("스켈레톤"));
    for (int e = 0; e < 2; ++e) {
      EnemySlot& s = session.enemies[static_cast<size_t>(e)];
      s = EnemySlot{};
      s.name = record.name;
      s.level = record.level, s.phyAtk = record.phyAtk, s.phyDef = record.phyDef, s.luck = record.luck;
      s.attr = record.attr, s.type = record.type;
      s.hp = s.maxhp = record.hp;
      s.actor = &skeletons[e];
      skeletons[e].m_battleId = {e, 0};
    }
    skeletons[0].m_pos = {0.0f, 0.0f, 10.0f};
    skeletons[1].m_pos = {8.0f, 0.0f, 6.0f};
    session.enemyCount = 2;
    platform::ClearQueuedRand();
    platform::Srand(2);  // rolls 45, 29216, 24198, 17795, 29484, ...
  }
  void TearDown() override {
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& e : session.enemies) e.actor = nullptr;
    CMonsterMgr::GetInstance().Free();
  }
  void Copy(const std::string& name) {
    std::string text;
    ASSERT_TRUE(platform::Utf8ToCp949(testsupport::ReadFile(testsupport::SourceDir() / "data/game" / name), &text))
        << name;
    Write("data/" + name, text);
  }
  void Bind(int position, float x) {
    PlayerData& member = *session.GetPartyMember(position);
    CTarget& actor = members[position];
    member.battlePtr = &actor;
    actor.m_battleId = {position, 1};
    actor.m_pos = {x, 0.0f, 0.0f};
    actor.m_actionCode = kActIdle;
  }

  CSession& session = CSession::GetInstance();
  CTarget members[6];
  CTarget skeletons[2];
  int kreutzer = -1, maria = -1;
};

TEST_F(SampleBlowTest, KreutzersFirstBlowSplashesAndASkeletonAnswersOnMaria) {
  // What the hand computation starts from.
  const PlayerData& k = *session.GetPartyMember(kreutzer);
  const PlayerData& m = *session.GetPartyMember(maria);
  ASSERT_EQ(std::vector<int>({k.lvl, k.strength, k.agility, k.luck}), std::vector<int>({4, 22, 6, 8}));
  ASSERT_EQ(std::vector<int>({m.lvl, m.vitality, m.agility, m.luck}), std::vector<int>({3, 16, 13, 11}));
  ASSERT_EQ(session.GetAttackAttribute(kreutzer, true), 3);
  ASSERT_EQ(session.GetDefenceAttribute(maria, true), 2);
  ASSERT_FLOAT_EQ(session.GetAttackReach(kreutzer, true), 12.0f);
  ASSERT_EQ(session.levelFactor[0], 4);
  ASSERT_EQ(session.levelFactor[1], 8);
  const EnemySlot& skeleton = session.enemies[0];
  ASSERT_EQ(std::vector<int>({skeleton.level, skeleton.phyAtk, skeleton.phyDef, skeleton.luck, skeleton.attr}),
            std::vector<int>({5, 14, 6, 6, 7}));

  // Kreutzer on the first skeleton: accuracy 18 against 11, 45 is no
  // critical. Defence 104 x 6 / 100 = 6; 22 - 0 - 1 x 22 / 22 = 21; the
  // attribute 3 against 7 keeps it; 21 - 2 + 29216 % 4 = 19.
  members[kreutzer].m_target = &skeletons[0];
  session.ResolveWeaponAttack(kreutzer, true, 1.0f);
  EXPECT_EQ(skeletons[0].hits, std::vector<int>{19});
  EXPECT_EQ(skeletons[0].digits, std::vector<int>{19});
  // The long sword splashes the second skeleton, 10 away within 12:
  // (21 - 2 + 24198 % 4) x 2 / 3 = 14, shown as the main blow's 19.
  EXPECT_EQ(skeletons[1].hits, std::vector<int>{14});
  EXPECT_EQ(skeletons[1].digits, std::vector<int>{19});
  EXPECT_EQ(session.hooks.Get("__itemattack스켈레톤롱소드"), 1);

  // A skeleton on Maria: 11 against 27, 95 hits. l = 108; 14 - 0 = 14,
  // 14 - 2 x 14 / 33 = 14, x 0.8 = 11; attribute 7 against 2 keeps it;
  // (11 - 1 + 29484 % 2) x 108 / 100 = 10, a third: 3.
  skeletons[0].m_target = &members[maria];
  skeletons[0].m_pos = {30.0f, 0.0f, 1.0f};
  session.enemies[0].reach = 20;
  session.ResolveWeaponAttack(0, false, 1.0f);
  EXPECT_EQ(members[maria].hits, std::vector<int>{3});
  EXPECT_EQ(members[maria].digits, std::vector<int>{3});
}

}  // namespace
