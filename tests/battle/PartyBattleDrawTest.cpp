// The sample party set up for battle against the sample's skeleton on the
// village: the members in the air as they fall in on their field sheets,
// the shield bearer guarding the skeleton's blow with its shield's effect,
// a decoy of him fading in, his lotus strike, sizz casting her fire ball,
// and Celine's arrow piercing a skeleton on its way to another, each
// against a golden picture.
#include <string>

#include "battle/BattleBullet.h"
#include "battle/BattleCharacters.h"
#include "battle/BattleIllusion.h"
#include "battle/BattleItem.h"
#include "effect/SelvarinEffect.h"
#include "field/BattleSet.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

// The sample's tables and its new-game party.
CSession& StartingParty() {
  EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  CSession& session = CSession::GetInstance();
  session.Init();
  return session;
}

namespace partybattledrawtest {
// The sample's starting tables, with the shield bearer in maria's place:
// he waits at the inn at first.
void PrepareParty() {
  CSession& session = StartingParty();
  session.WaitPlayer(2);
  session.GetupPlayer(1);
  for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
}
}  // namespace partybattledrawtest

class PartyBattleDrawTest : public BattleVillageTest {
 protected:
  PartyBattleDrawTest() : BattleVillageTest("PartyBattleDraw", partybattledrawtest::PrepareParty) {}

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

// The sample's starting tables with Celine joined, as after the elder's
// gift: her long bow's arrows carry its effect and pierce.
void PrepareCeline() {
  CSession& session = StartingParty();
  EXPECT_NE(session.JoinPlayer(session.GetPlayerId("celine")), 0);
  for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
}

class CelineBattleDrawTest : public BattleVillageTest {
 protected:
  CelineBattleDrawTest() : BattleVillageTest("CelineBattleDraw", PrepareCeline) {}

  template <class Object>
  Object* Find() {
    for (CActor* object : Context().m_battleObjects) {
      if (auto* found = dynamic_cast<Object*>(object)) return found;
    }
    return nullptr;
  }
  CBattleBullet* Arrow() { return Find<CBattleBullet>(); }
};

TEST_F(CelineBattleDrawTest, HerArrowPassesTheSecondSkeletonWithTheBowsEffectAndHurtsIt) {
  ASSERT_TRUE(StartSkeletonBattle(2));
  CSession& session = CSession::GetInstance();
  auto* celine = dynamic_cast<CBattleCeline*>(session.GetPartyActor(2));
  ASSERT_NE(celine, nullptr);
  Tick(78);
  ASSERT_EQ(celine->m_actionCode, kActIdle);
  EXPECT_EQ(celine->m_actName, "주연급\\전투\\기본형\\celine_기본전투_강한활.act");
  auto* target = dynamic_cast<CBattleActor*>(Context().m_battleEnemies.front());
  auto* bystander = dynamic_cast<CBattleEnemy*>(Context().m_battleEnemies.back());
  ASSERT_NE(target, bystander);
  // In a line across the middle of the scene, the second skeleton in the
  // arrow's way.
  Vec3 spot;
  ASSERT_TRUE(SceneSpot(&spot));
  const auto place = [&](CSelvarinActor* actor, const Vec3& at) {
    actor->m_pos = at;
    actor->m_pos.y = Context().GetStandHeight(actor->m_pos);
  };
  place(target, spot + Vec3{25.0f, 0.0f, 0.0f});
  place(bystander, spot + Vec3{-5.0f, 0.0f, 2.0f});
  place(celine, spot + Vec3{-35.0f, 0.0f, 4.0f});
  ASSERT_NE(bystander->m_slot, nullptr);
  const int32_t hp = bystander->m_slot->hp;
  // She stops within her bow's reach and shoots at the first skeleton.
  celine->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(target), 0, 0);
  for (int i = 0; i < 300 && Arrow() == nullptr; ++i) Tick(1);
  ASSERT_NE(Arrow(), nullptr);
  EXPECT_EQ(celine->m_actionCode, kActAttack);
  EXPECT_GT(celine->DistanceXZ(target->m_pos.x, target->m_pos.z), 40.0f);
  // Over the second skeleton, before it is pierced.
  for (int i = 0; i < 40 && Arrow() != nullptr && Arrow()->m_pos.x < bystander->m_pos.x; ++i) Tick(1);
  ASSERT_NE(Arrow(), nullptr);
  EXPECT_LT(Arrow()->DistanceXZ(bystander->m_pos.x, bystander->m_pos.z), 5.0f);
  const auto bowEffect = [&] {
    for (CSelvarinActor* effect : Context().m_effects) {
      if (auto* e = dynamic_cast<CSelvarinEffect*>(effect); e != nullptr && e->GetEffectId() == 1061) return true;
    }
    return false;
  };
  EXPECT_TRUE(bowEffect());
  EXPECT_EQ(bystander->m_slot->hp, hp);
  EXPECT_EQ(Shot("celine_arrow_passing"), "");
  // Pierced on the arrow's fifteenth tick; its digits rise over it while
  // the arrow flies on to the target.
  for (int i = 0; i < 20 && bystander->m_slot->hp == hp; ++i) Tick(1);
  EXPECT_LT(bystander->m_slot->hp, hp);
  Tick(6);
  EXPECT_NE(Arrow(), nullptr);
  EXPECT_EQ(Shot("celine_arrow_digits"), "");
}

// The second member lobs an apple to the leader across the scene; at the
// top of its lob it is still well short of him.
TEST_F(CelineBattleDrawTest, AnAppleLobbedToTheLeaderAtTheTopOfItsFlight) {
  ASSERT_TRUE(StartSkeletonBattle(1));
  CSession& session = CSession::GetInstance();
  auto* leader = dynamic_cast<CBattleActor*>(session.GetPartyActor(0));
  auto* second = dynamic_cast<CBattleActor*>(session.GetPartyActor(1));
  ASSERT_NE(leader, nullptr);
  ASSERT_NE(second, nullptr);
  Tick(78);
  ASSERT_EQ(second->m_actionCode, kActIdle);
  Vec3 spot;
  ASSERT_TRUE(SceneSpot(&spot));
  for (auto [member, dx] : {std::pair{leader, 25.0f}, std::pair{second, -25.0f}}) {
    member->m_pos = spot + Vec3{dx, 0.0f, 0.0f};
    member->m_pos.y = Context().GetStandHeight(member->m_pos);
  }
  const int apple = CItemMgr::GetInstance().Find("사과");
  ASSERT_GE(apple, 0);
  const int apples = session.GetItemCount(apple);
  second->OnMessage(nullptr, kMsgChosenIndex, apple, 0, 0);
  second->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(leader), 3, 0);
  for (int i = 0; i < 200 && Find<CBattleItem>() == nullptr; ++i) Tick(1);
  CBattleItem* flight = Find<CBattleItem>();
  ASSERT_NE(flight, nullptr);
  EXPECT_EQ(session.GetItemCount(apple), apples - 1);
  // Rising until its fall begins.
  Tick(1);
  float top = flight->m_pos.y;
  for (int i = 0; i < 60 && Find<CBattleItem>() == flight && flight->m_velocity.y < 0.0f; ++i) {
    Tick(1);
    top = flight->m_pos.y;
  }
  ASSERT_EQ(Find<CBattleItem>(), flight);
  EXPECT_LT(top, leader->m_pos.y - 10.0f);
  // One throw, one apple: the throw's hit frame is not the sheet's last,
  // which the member holds as the use ends.
  int flights = 0;
  for (CActor* object : Context().m_battleObjects) flights += dynamic_cast<CBattleItem*>(object) != nullptr ? 1 : 0;
  EXPECT_EQ(flights, 1);
  EXPECT_EQ(session.GetItemCount(apple), apples - 1);
  EXPECT_GT(flight->DistanceXZ(leader->m_pos.x, leader->m_pos.z), 15.0f);
  EXPECT_EQ(Shot("apple_lob_top"), "");
}

}  // namespace
