// The sample's elder and two devil swords placed by one battle set on the
// sample village against the party, in process with the game's `rand` from
// 1: the elder's magic and its two skills, the swords' strike where they
// hover and their combo, each fought to its end, then turns by the tactics;
// the elder's cast and a sword's third link against golden pictures.
// (The fixture's monster table is read after the skills and magic, as the
// game does, so that the abilities it names are found.)
#include <set>
#include <vector>
#include <string>

#include "battle/BattlePhase.h"
#include "battle/BattlePlayer.h"
#include "battle/enemy/CastComboKinds.h"
#include "effect/SelvarinEffect.h"
#include "render/TextureMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

constexpr int kMagicOrder = 9;
constexpr int kSkillOrder = 10;

class ElderSwordBattleTest : public BattleVillageTest {
 protected:
  // The monster table read again once the skills and magic are, so that
  // the abilities it names are found.
  ElderSwordBattleTest()
      : BattleVillageTest("ElderSwordBattle", [] {
          PrepareSampleParty();
          EXPECT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
        }) {}
  ~ElderSwordBattleTest() override { CSkillMgr::GetInstance().Free(); }

  bool SetUp3() {
    if (!StartBattleOf({{"장로", "elder"}, {"데빌소드", "sword"}, {"데빌소드", "sword2"}}, 3)) return false;
    auto it = Context().m_battleEnemies.begin();
    m_elder = dynamic_cast<CBattleElder*>(*it++);
    m_sword = dynamic_cast<CBattleDevilSword*>(*it);
    m_member = dynamic_cast<CBattleActor*>(CSession::GetInstance().GetPartyActor(0));
    Tick(78);
    return m_elder != nullptr && m_sword != nullptr && m_member != nullptr;
  }
  // The special or magic of that index ordered at the first member.
  void Order(CBattleEnemy& enemy, int index, int kind) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), kind, 1);
  }
  // Ticks until the enemy idles again: the codes it enters, the effects
  // it spawns, the game frame's pauses and the names of the specials it
  // resolves, as "10018 10074 effect 1011 pause 30 10066 사연참 ...".
  std::string Course(CBattleEnemy& enemy) {
    std::string course = std::to_string(enemy.m_actionCode);
    std::set<const CSelvarinActor*> seen(Context().m_effects.begin(), Context().m_effects.end());
    m_frame.m_caption.clear();
    m_frame.m_pauseLength = 0;
    for (int t = 0; t < 500 && enemy.m_actionCode != kActIdle; ++t) {
      const int32_t before = enemy.m_actionCode;
      Tick(1);
      std::set<const CSelvarinActor*> now;
      for (const CSelvarinActor* actor : Context().m_effects) {
        now.insert(actor);
        const auto* effect = dynamic_cast<const CSelvarinEffect*>(actor);
        if (seen.count(actor) != 0 || effect == nullptr || effect->GetOwner() != &enemy) continue;
        course += " effect " + std::to_string(effect->GetEffectId());
      }
      seen = now;  // a gone effect's place may hold a new one
      if (m_frame.m_pauseLength != 0) course += " pause " + std::to_string(m_frame.m_pauseLength);
      m_frame.m_pauseLength = 0;
      if (!m_frame.m_caption.empty()) course += " " + m_frame.m_caption;
      m_frame.m_caption.clear();
      if (enemy.m_actionCode != before) course += " " + std::to_string(enemy.m_actionCode);
    }
    return course;
  }
  CBattleElder* m_elder = nullptr;
  CBattleDevilSword* m_sword = nullptr;
  CBattleActor* m_member = nullptr;
};

TEST_F(ElderSwordBattleTest, TheElderAndTheSwordsFightEachOrderToItsEnd) {
  ASSERT_TRUE(SetUp3());
  const int fireBall = CMagicMgr::GetInstance().Find("파이어볼");
  const int wrath = CSkillMgr::GetInstance().Find("천벌");
  const int blow = CSkillMgr::GetInstance().Find("지팡이치기");
  const int wave = CSkillMgr::GetInstance().Find("검기");
  const int slash = CSkillMgr::GetInstance().Find("사연참");
  EXPECT_EQ(wrath, 93);
  EXPECT_EQ(wave, 41);
  EXPECT_EQ(slash, 22);
  struct Case {
    CBattleEnemy* enemy;
    int index;
    int kind;
    const char* expected;
  };
  const Case cases[] = {
      // Cast where it stands, bare, then the walk back.
      {m_elder, fireBall, kMagicOrder, "10009 effect 258 pause 50 10067 파이어볼 10003 10000"},
      {m_elder, wrath, kSkillOrder, "10018 10074 10066 effect 1011 pause 30 천벌 10003 10000"},
      {m_elder, blow, kSkillOrder, "10018 10073 10065 effect 1011 pause 30 지팡이치기 10003 10000"},
      {m_sword, wave, kSkillOrder, "10018 10065 effect 1011 pause 30 검기 10003 10000"},
      // One flourish; each link resolves on its hit frame.
      {m_sword, slash, kSkillOrder,
       "10018 10074 10066 effect 1011 pause 30 사연참 10067 사연참 10068 사연참 10069 사연참 10003 10000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Order(*c.enemy, c.index, c.kind);
    EXPECT_EQ(Course(*c.enemy), c.expected);
  }
}

// The elder's magic: the battle mode holds the scene dimmed for the cast's
// start; shot as the orb is at its largest over the raised staff, on the
// special sheet, where the elder stood.
TEST_F(ElderSwordBattleTest, TheElderCastsOnItsSpecialSheetInTheDimmedScene) {
  ASSERT_TRUE(SetUp3());
  const Vec3 stood = m_elder->m_pos;
  Order(*m_elder, CMagicMgr::GetInstance().Find("파이어볼"), kMagicOrder);
  m_frame.m_battlePhase = kPhaseRunning;
  for (int t = 0; t < 200 && !(m_elder->m_actionCode == kActSpecialHit3 && m_elder->m_tickCount >= 24); ++t) {
    m_frame.BattleMenuInput();
    if (m_frame.m_battlePhase == kPhaseRunning) Tick(1);
  }
  ASSERT_EQ(m_elder->m_actionCode, kActSpecialHit3);
  EXPECT_EQ(m_elder->m_actName, "몬스터\\인간형\\전투\\장로_특수.act");
  EXPECT_EQ(m_elder->m_pos.x, stood.x);
  EXPECT_EQ(m_elder->m_pos.z, stood.z);
  EXPECT_LT(g_brightnessFactor, 0.5f);  // brightening again as the pause ends
  EXPECT_EQ(Shot("elder_cast"), "");
  g_brightnessFactor = 1.0f;
}

// A sword ten ticks into the third link of its combo, drifting with its
// after-image.
TEST_F(ElderSwordBattleTest, TheSwordStrikesItsThirdLinkWithItsTrail) {
  ASSERT_TRUE(SetUp3());
  Order(*m_sword, CSkillMgr::GetInstance().Find("사연참"), kSkillOrder);
  for (int t = 0; t < 300 && m_sword->m_actionCode != kActSpecialHit4; ++t) Tick(1);
  ASSERT_EQ(m_sword->m_actionCode, kActSpecialHit4);
  Tick(10);
  ASSERT_EQ(m_sword->m_actionCode, kActSpecialHit4);
  EXPECT_EQ(m_sword->m_afterimage, 1);
  EXPECT_EQ(Shot("devil_sword_third_link"), "");
}

// Turns by the monsters' tactics, 60 each: every order the battle gives
// them is one of their abilities or a plain attack, and leads on to the
// route that answers it (the order's code and the next it enters).
TEST_F(ElderSwordBattleTest, TurnsByTheTacticsTakeTheRoutesOfTheirAbilities) {
  ASSERT_TRUE(SetUp3());
  std::set<std::string> orders;
  for (int turn = 0; turn < 120; ++turn) {
    const bool elder = turn % 2 == 0;
    CBattleEnemy& enemy = elder ? static_cast<CBattleEnemy&>(*m_elder) : *m_sword;
    m_frame.IssueBattleOrder(enemy.m_battleId[0], 0);
    const int32_t order = enemy.m_actionCode;
    for (int t = 0; t < 50 && enemy.m_actionCode == order; ++t) Tick(1);
    orders.insert(std::string(elder ? "elder " : "sword ") + std::to_string(order) + " " +
                  std::to_string(enemy.m_actionCode));
    for (int t = 0; t < 500 && enemy.m_actionCode != kActIdle; ++t) Tick(1);
  }
  const std::set<std::string> expected = {
      "elder 10009 10067",  // the fire ball
      "elder 10018 10073",  // the staff blow
      "elder 10018 10074",  // heaven's wrath
      "elder 10085 10001",  // a plain attack
      "sword 10018 10065",  // the sword wave
      "sword 10018 10074",  // the fourfold slash's combo
      "sword 10085 10001",
  };
  EXPECT_EQ(orders, expected);
}

}  // namespace
