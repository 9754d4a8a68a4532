// The sample meadow's simurgh in the battle its field enemy starts, drawn as
// the battle mode draws a frame, against golden pictures: the feather storm
// on its special sheet where it stood, in the scene its start dims, and the
// charge's walk up with its trail; the sample's wind elemental and succubus
// in its place: the elemental's cast and the end of the succubus's dance.
#include "battle/ActionCode.h"
#include "battle/enemy/BattleEnemy.h"
#include "effect/SelvarinEffect.h"
#include "field/BattleSet.h"
#include "field/FieldEnemy.h"
#include "platform/Random.h"
#include "render/TextureMgr.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class MeadowSimurghDrawTest : public BattleVillageTest {
 protected:
  MeadowSimurghDrawTest() : BattleVillageTest("MeadowSimurghDraw", PrepareHudParty, {}, "meadow") {}
  ~MeadowSimurghDrawTest() override {
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CItemMgr::GetInstance().Free();
  }

  // The battle the simurgh's touch starts, `monster` in the simurgh's
  // place when given, everyone in and idle, the generator from its seed;
  // null otherwise.
  CBattleEnemy* Settled(const char* monster = nullptr) {
    auto* field = dynamic_cast<CFieldEnemy*>(Context().FindActorByName("simurgh"));
    if (field == nullptr || Context().m_script == nullptr) return nullptr;
    BattleSet set;
    ReadBattleSet(*Context().m_script, field->m_battleLine, set);
    if (monster != nullptr) set.enemies[0].name = monster;
    Context().SetupBattle(set, field->m_targetX, field->m_targetZ);
    m_frame.m_battleCenterX = field->m_targetX;
    m_frame.m_battleCenterZ = field->m_targetZ;
    m_frame.m_mode = kModeBattle;
    m_standIn.m_pos = Vec3{field->m_targetX, 0.0f, field->m_targetZ};
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    CSession& session = CSession::GetInstance();
    if (session.enemyCount != 1) return nullptr;
    auto* enemy = dynamic_cast<CBattleEnemy*>(session.enemies[0].actor);
    for (int t = 0; t < 200 && !AllIdle(); ++t) {
      HoldTheMembers();
      Context().UpdateBattleObjects();
    }
    if (enemy == nullptr || !AllIdle()) return nullptr;
    m_frame.m_modeTick = 72;  // past the opening fade
    platform::Srand(1);       // whatever else the meadow's field enemies drew
    return enemy;
  }
  // Ordered the skill (`kind` 10) or magic (9) `index` at the member at
  // `position`.
  static void Order(CBattleEnemy& enemy, int32_t index, int position, intptr_t kind = 10) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    CSelvarinActor* member = CSession::GetInstance().GetPartyMember(position)->battlePtr;
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(member), kind, 0);
  }
  CBattleEnemy* OrderedAt(const char* skill, int position) {
    CBattleEnemy* simurgh = Settled();
    if (simurgh != nullptr) Order(*simurgh, CSkillMgr::GetInstance().Find(skill), position);
    return simurgh;
  }
  bool AllIdle() {
    for (const CActor* actor : Context().m_battleObjects) {
      const auto* fighter = dynamic_cast<const CBattleActor*>(actor);
      if (fighter != nullptr && fighter->m_actionCode != kActIdle) return false;
    }
    return true;
  }
  // The members wait: no turn of theirs comes.
  void HoldTheMembers() {
    CSession& session = CSession::GetInstance();
    for (int p = 0; p < session.battlePartyCount; ++p) {
      static_cast<CBattleActor*>(session.GetPartyMember(p)->battlePtr)->m_timeGauge = 0.0f;
    }
  }
  void RunBattle(int passes) {
    for (int i = 0; i < passes; ++i) {
      HoldTheMembers();
      m_frame.RunBattle();
      ++m_frame.m_modeTick;
    }
  }
};

TEST_F(MeadowSimurghDrawTest, TheFeatherStormStrikesWhereItStoodInTheDimmedScene) {
  CBattleEnemy* simurgh = OrderedAt("깃털폭풍", 0);
  ASSERT_NE(simurgh, nullptr);
  const Vec3 stood = simurgh->m_pos;
  RunBattle(16);  // the start pauses the battle and dims it to its floor
  EXPECT_NE(m_frame.m_battlePhase, 0);
  EXPECT_FLOAT_EQ(g_brightnessFactor, 0.3f);
  EXPECT_EQ(simurgh->m_actionCode, kActSpecialHit2);
  EXPECT_EQ(simurgh->m_actName, "몬스터\\괴물형\\전투\\시무르그_특수.act");
  EXPECT_EQ(simurgh->m_pos.x, stood.x);
  EXPECT_EQ(simurgh->m_pos.z, stood.z);
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("meadow_simurgh_feather_storm", testsupport::PresentedImage(),
                                           "tests/battle/golden"),
            "");
}

// At the second member, moved beyond the charge's reach to the side the
// trail shows on (a copy is left only while a velocity component is above 0).
TEST_F(MeadowSimurghDrawTest, TheChargeWalksUpWithItsTrail) {
  CBattleEnemy* simurgh = OrderedAt("돌진", 1);
  ASSERT_NE(simurgh, nullptr);
  CSelvarinActor& second = *CSession::GetInstance().GetPartyMember(1)->battlePtr;
  second.m_pos.x = simurgh->m_pos.x + 25.0f;
  second.m_pos.z = simurgh->m_pos.z + 20.0f;
  RunBattle(20);  // most of the way: a copy left every fifth tick
  EXPECT_EQ(simurgh->m_actionCode, kActSpecialApproach);
  EXPECT_EQ(simurgh->m_afterimage, 1);
  m_frame.DrawBattle();
  EXPECT_EQ(
      testsupport::CompareWithGolden("meadow_simurgh_approach", testsupport::PresentedImage(), "tests/battle/golden"),
      "");
}

// The sample's wind elemental in the simurgh's place, ordered its magic:
// the cast's whirl about it as its start dims the scene, six passes in,
// while the figure still shows through (the whirl soon hides it).
TEST_F(MeadowSimurghDrawTest, TheWindElementalsCastInTheDimmingScene) {
  CBattleEnemy* elemental = Settled("윈드엘레멘탈");
  ASSERT_NE(elemental, nullptr);
  Order(*elemental, CMagicMgr::GetInstance().Find("파이어볼"), 0, 9);
  RunBattle(6);
  EXPECT_EQ(m_frame.m_battlePhase, 7);
  EXPECT_FLOAT_EQ(g_brightnessFactor, 0.7f);
  EXPECT_EQ(elemental->m_actionCode, kActSpecialHit2);
  ASSERT_EQ(elemental->m_effects.size(), 1u);
  EXPECT_EQ(elemental->m_effects.front()->GetEffectId(), 258);
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("meadow_wind_elemental_cast", testsupport::PresentedImage(),
                                           "tests/battle/golden"),
            "");
}

// The sample's succubus in the simurgh's place, ordered its nightmare dance:
// the last tick of row 0, the dance's end, before it resolves and walks back.
TEST_F(MeadowSimurghDrawTest, TheSuccubussDanceAtTheEndOfItsRow) {
  CBattleEnemy* succubus = Settled("서큐버스");
  ASSERT_NE(succubus, nullptr);
  Order(*succubus, CSkillMgr::GetInstance().Find("몽마의춤"), 0);
  RunBattle(46);  // the flourish's pause of 30, then the row's 16 ticks
  EXPECT_EQ(succubus->m_actionCode, kActSpecialHit2);
  EXPECT_EQ(succubus->m_tickCount, 15);
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("meadow_succubus_dance_end", testsupport::PresentedImage(),
                                           "tests/battle/golden"),
            "");
  RunBattle(1);
  EXPECT_EQ(succubus->m_actionCode, kActWalkBack);
}

}  // namespace
