// The sample party set up for battle against the sample's skeleton on the
// village: the members in the air as they fall in on their field sheets,
// the shield bearer guarding the skeleton's blow with its shield's effect,
// a decoy of him fading in, his lotus strike and sizz casting her fire
// ball, each against a golden picture.
#include <string>

#include "battle/BattleCharacters.h"
#include "battle/BattleIllusion.h"
#include "field/BattleSet.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

// The sample's starting tables, with the shield bearer in maria's place:
// he waits at the inn at first.
void PrepareParty() {
  EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  CSession& session = CSession::GetInstance();
  session.Init();
  session.WaitPlayer(2);
  session.GetupPlayer(1);
  for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
}

class PartyBattleDrawTest : public BattleVillageTest {
 protected:
  PartyBattleDrawTest() : BattleVillageTest("PartyBattleDraw", PrepareParty) {}

  bool SetUpBattle() { return StartSkeletonBattle(1); }
  CBattleSizz* Sizz() { return dynamic_cast<CBattleSizz*>(CSession::GetInstance().GetPartyActor(0)); }
  CBattleKreutzer* Kreutzer() { return dynamic_cast<CBattleKreutzer*>(CSession::GetInstance().GetPartyActor(1)); }
};

TEST_F(PartyBattleDrawTest, ThePartyFallsInAndTheShieldBearerGuardsTheSkeletonsBlow) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  CBattleSizz* sizz = Sizz();
  CBattleKreutzer* kreutzer = Kreutzer();
  ASSERT_NE(sizz, nullptr);
  ASSERT_NE(kreutzer, nullptr);
  // Both rise on their field sheets, the frame by the fall.
  Tick(8);
  ASSERT_EQ(sizz->m_actionCode, kActEnter);
  EXPECT_EQ(sizz->m_actName, "주연급\\필드\\sizz.act");
  EXPECT_EQ(sizz->m_inAir, 1);
  EXPECT_EQ(Shot("party_falling_in"), "");

  Tick(70);
  ASSERT_EQ(kreutzer->m_actionCode, kActIdle);
  EXPECT_EQ(kreutzer->m_actName, session.players[static_cast<size_t>(kreutzer->m_playerId)].battleactname);
  kreutzer->OnMessage(nullptr, kMsgOrder, 0, 1, 0);  // defend
  ASSERT_EQ(kreutzer->m_actionCode, kActDefend);
  auto* skeleton = dynamic_cast<CBattleActor*>(Context().m_battleEnemies.front());
  // In the open beside the skeleton, where the village's props hide nobody.
  kreutzer->m_pos = skeleton->m_pos + Vec3{-8.0f, 0.0f, -6.0f};
  kreutzer->m_pos.y = Context().GetStandHeight(kreutzer->m_pos);
  kreutzer->FaceToward(skeleton->m_pos.x, skeleton->m_pos.z);
  const int32_t hp = kreutzer->m_record->hp;
  kreutzer->OnMessage(skeleton, kMsgHit, 3, 0, 0);
  EXPECT_EQ(kreutzer->m_actionCode, kActGuard);
  EXPECT_EQ(kreutzer->m_record->hp, hp);
  Tick(6);  // the shield fades in while the hit-stop holds the member
  EXPECT_EQ(Shot("party_shield_guard"), "");
}

TEST_F(PartyBattleDrawTest, ADecoyOfTheShieldBearerFadesInBesideHimAndStandsHalfSeen) {
  ASSERT_TRUE(SetUpBattle());
  CBattleKreutzer* kreutzer = Kreutzer();
  ASSERT_NE(kreutzer, nullptr);
  Tick(78);
  ASSERT_EQ(kreutzer->m_actionCode, kActIdle);
  // In the open beside the skeleton, where the village's props hide nobody.
  const auto* skeleton = dynamic_cast<CBattleActor*>(Context().m_battleEnemies.front());
  kreutzer->m_pos = skeleton->m_pos + Vec3{-8.0f, 0.0f, -6.0f};
  kreutzer->m_pos.y = Context().GetStandHeight(kreutzer->m_pos);
  CBattleIllusion* decoy = Context().MakeBattleIllusion(*kreutzer);
  ASSERT_NE(decoy, nullptr);
  EXPECT_EQ(kreutzer->m_decoy, decoy);
  Tick(60);
  EXPECT_EQ(decoy->m_tint, 0x78FFFFFFu);
  EXPECT_EQ(decoy->m_actName, kreutzer->m_actName);
  EXPECT_EQ(Shot("decoy_fading_in"), "");
  Tick(70);
  EXPECT_EQ(decoy->m_tint, 0xA1FFFFFFu);
  EXPECT_EQ(Shot("decoy_standing"), "");
}

TEST_F(PartyBattleDrawTest, KreutzerStrikesTheLotusAndSizzCastsHerFireBall) {
  ASSERT_TRUE(SetUpBattle());
  CBattleSizz* sizz = Sizz();
  CBattleKreutzer* kreutzer = Kreutzer();
  ASSERT_NE(sizz, nullptr);
  ASSERT_NE(kreutzer, nullptr);
  Tick(78);
  ASSERT_EQ(kreutzer->m_actionCode, kActIdle);
  auto* skeleton = dynamic_cast<CBattleActor*>(Context().m_battleEnemies.front());
  kreutzer->m_pos = skeleton->m_pos + Vec3{-30.0f, 0.0f, -6.0f};
  kreutzer->m_pos.y = Context().GetStandHeight(kreutzer->m_pos);
  kreutzer->OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find("연화설"), 0, 0);
  kreutzer->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(skeleton), 10, 0);
  for (int i = 0; i < 200 && kreutzer->m_actionCode != kActSpecialHit; ++i) Tick(1);
  ASSERT_EQ(kreutzer->m_actionCode, kActSpecialHit);
  EXPECT_EQ(kreutzer->m_actName, "주연급\\전투\\특수동작\\연화설.act");
  Tick(14);  // past the first blow
  EXPECT_EQ(Shot("kreutzer_lotus"), "");

  for (int i = 0; i < 200 && kreutzer->m_actionCode != kActIdle; ++i) Tick(1);
  sizz->OnMessage(nullptr, kMsgChosenIndex, CMagicMgr::GetInstance().Find("파이어볼"), 0, 0);
  sizz->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(skeleton), 9, 0);
  ASSERT_EQ(sizz->m_actionCode, kActSkillMove1);
  for (int i = 0; i < 200 && sizz->m_actionCode != kActSkillMove3; ++i) Tick(1);
  ASSERT_EQ(sizz->m_actionCode, kActSkillMove3);
  EXPECT_EQ(sizz->m_actName, "주연급\\전투\\특수동작\\마법_시즈1.act");
  Tick(10);
  EXPECT_EQ(Shot("sizz_casting"), "");
}

}  // namespace
