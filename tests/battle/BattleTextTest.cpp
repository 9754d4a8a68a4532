// The pictures over the battle scene: texts and damage digits with their
// columns, colours, rise and lifetimes, and the decoy that fades in beside
// a participant, mirrors it, takes its blows and fades out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleIllusion.h"
#include "battle/BattlePlayer.h"
#include "battle/BattleText.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "tests/field/FieldActorFixture.h"

namespace {

// A participant that records the messages it hears.
class CListener : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    heard.push_back({code, static_cast<int>(value0)});
    CBattleActor::OnMessage(sender, code, value0, value1, value2);
  }
  std::vector<std::pair<int, int>> heard;
};

class BattleTextTest : public FieldActorTest {
 protected:
  BattleTextTest() {
    m_owner = new CListener;
    m_owner->m_pos = Vec3{10.0f, 0.0f, -4.0f};
    Context().m_battleObjects.push_back(m_owner);
  }
  ~BattleTextTest() override {
    platform::ClearQueuedRand();
    CSession::GetInstance().enemies[2] = EnemySlot{};
  }

  template <class T>
  std::vector<T*> All() {
    std::vector<T*> found;
    for (CActor* object : Context().m_battleObjects) {
      if (auto* t = dynamic_cast<T*>(object)) found.push_back(t);
    }
    return found;
  }

  CListener* m_owner;
};

TEST_F(BattleTextTest, DamageDigitsOnePerColumnCappedAt999AndNoneBelowZero) {
  struct Case {
    int32_t value, colour;
    std::vector<int32_t> digits;
    int32_t action;
    uint32_t tint;
  };
  const Case cases[] = {
      {1234, 0, {9, 9, 9}, 0, 0xFFFFFFFFu}, {999, 1, {9, 9, 9}, 0, 0xFFFF0000u}, {10, 2, {1, 0}, 1, 0xFFFFFFFFu},
      {0, 0, {0}, 0, 0xFFFFFFFFu},          {-5, 0, {}, 0, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    for (CBattleNumber* old : All<CBattleNumber>()) {
      Context().m_battleObjects.remove(old);
      delete old;
    }
    m_owner->SpawnDamageNumber(c.value, c.colour, 1.0f, 2.0f, 3.0f, 4, -1);
    const std::vector<CBattleNumber*> spawned = All<CBattleNumber>();
    ASSERT_EQ(spawned.size(), c.digits.size());
    for (size_t i = 0; i < spawned.size(); ++i) {
      const CBattleNumber& d = *spawned[i];
      EXPECT_EQ(d.m_motion, c.digits[i]);
      EXPECT_EQ(d.m_column, 4 + static_cast<int32_t>(i));
      EXPECT_EQ(d.m_row, -1);
      EXPECT_EQ(d.m_action, c.action);
      EXPECT_EQ(d.m_tint, c.tint);
      EXPECT_EQ(d.m_holdLast, 1);
      EXPECT_EQ(d.m_owner, m_owner);
      EXPECT_FLOAT_EQ(d.m_pos.x, 11.0f);
      EXPECT_FLOAT_EQ(d.m_pos.y, 2.0f - 9.0f);
      EXPECT_FLOAT_EQ(d.m_pos.z, -1.0f);
    }
  }
}

TEST_F(BattleTextTest, TextsLive121TicksAndDigits122RisingFasterAsTheyFade) {
  CBattleObject* text = m_owner->SpawnBattleMsg(7, 0.0f, 0.0f, 0.0f);
  ASSERT_NE(text, nullptr);
  EXPECT_FLOAT_EQ(text->m_pos.y, -12.0f);
  EXPECT_EQ(text->m_action, 7);
  m_owner->SpawnDamageNumber(5, 0, 0.0f, 0.0f, 0.0f, 0, 0);
  CBattleNumber* digit = All<CBattleNumber>().at(0);

  m_owner->m_pos = Vec3{20.0f, -3.0f, 6.0f};  // both follow the owner
  int textTicks = 0, digitTicks = 0;
  std::vector<float> heights;
  while (text->OnProcess()) ++textTicks;
  while (digit->OnProcess()) {
    if (digitTicks++ < 3) heights.push_back(digit->m_pos.y);
  }
  EXPECT_EQ(textTicks + 1, 121);
  EXPECT_EQ(digitTicks + 1, 122);
  EXPECT_FLOAT_EQ(text->m_pos.x, 20.0f);
  EXPECT_FLOAT_EQ(text->m_pos.y, -3.0f - 21.0f);
  ASSERT_EQ(heights.size(), 3u);
  EXPECT_FLOAT_EQ(heights[0], -18.0f);
  EXPECT_FLOAT_EQ(heights[1], -18.12f);
  EXPECT_FLOAT_EQ(heights[2], -18.24f);
  // Two alpha steps a tick from opaque, every tick it was run.
  EXPECT_EQ(text->m_tint >> 24, 255u - 2u * 121u);

  // An owner that goes leaves its texts where they were.
  m_owner->SpawnBattleMsg(3, 0.0f, 0.0f, 0.0f);
  CBattleMsg* left = All<CBattleMsg>().back();
  Context().m_battleObjects.remove(m_owner);
  delete m_owner;
  EXPECT_EQ(left->m_owner, nullptr);
  EXPECT_TRUE(left->OnProcess());
  EXPECT_FLOAT_EQ(left->m_pos.y, -3.0f - 12.0f);
}

TEST_F(BattleTextTest, ADecoyCopiesItsEnemyFadesInStandsAtA1AndFadesOnceBeaten) {
  CSession& session = CSession::GetInstance();
  m_owner->m_battleId = {2, 0};
  m_owner->m_sprName = "wolf.spr";
  m_owner->m_actName = "wolf.act";
  m_owner->m_angle = 135.0f;
  m_owner->m_action = 3;
  m_owner->m_motion = 2;
  session.enemies[2].hp = 10;
  session.enemies[2].actor = m_owner;

  auto* decoy = new CBattleIllusion;
  EXPECT_EQ(decoy->m_isDecoy, 1);
  platform::QueueRand({90, 0, 3, 8});  // the two angles, then the two distances
  decoy->CopyFrom(*m_owner);
  Context().m_battleObjects.push_back(decoy);
  EXPECT_EQ(decoy->m_decoyHp, 10);
  EXPECT_EQ(decoy->m_source, m_owner);
  EXPECT_EQ(m_owner->m_decoy, decoy);
  EXPECT_FLOAT_EQ(decoy->m_pos.x, 10.0f + 15.0f);
  EXPECT_NEAR(decoy->m_pos.z, -4.0f + 20.0f, 1e-4);
  EXPECT_FLOAT_EQ(decoy->m_angle, 135.0f);
  EXPECT_EQ(decoy->m_tint, 0x00FFFFFFu);
  EXPECT_EQ(decoy->m_visible, 1);
  // Whatever is aimed at the decoy by its id pair finds the participant.
  EXPECT_EQ(session.GetBattleActor(decoy->m_battleId[0], decoy->m_battleId[1] == 1), m_owner);

  for (int i = 0; i < 120; ++i) decoy->OnProcess();
  EXPECT_EQ(decoy->m_tint, 0xF0FFFFFFu);
  EXPECT_EQ(decoy->m_action, 3);  // the source's pose
  EXPECT_EQ(decoy->m_motion, 2);
  decoy->OnProcess();
  EXPECT_EQ(decoy->m_tint, 0xA1FFFFFFu);

  // 10 HP hit for 10 stand; the hitter hears the damage.
  CListener hitter;
  decoy->OnMessage(&hitter, kMsgHit, 10, 0, 0);
  ASSERT_EQ(hitter.heard.size(), 1u);
  EXPECT_EQ(hitter.heard[0], std::make_pair(static_cast<int>(kMsgHitConfirmed), 10));
  decoy->OnMessage(nullptr, kMsgOrder, 0, 0, 0);  // not a decoy's
  decoy->OnProcess();
  EXPECT_EQ(decoy->m_tint, 0xA1FFFFFFu);
  decoy->OnMessage(&hitter, kMsgHit, 1, 0, 0);
  EXPECT_EQ(decoy->m_actionCode, kActRemoved);
  int ticks = 0;
  while (decoy->m_visible != 0 && ticks < 200) {
    EXPECT_TRUE(decoy->OnProcess());
    ++ticks;
  }
  EXPECT_EQ(ticks, 81);  // 0xA1 two at a time
  EXPECT_EQ(m_owner->m_decoy, decoy);  // still its decoy until the battle ends
  EXPECT_TRUE(decoy->OnProcess());
}

TEST_F(BattleTextTest, ADecoyOfAMemberTakesItsRecordHpAndStaysHiddenWithoutSheets) {
  PlayerData record;
  record.hp = 37;
  CBattlePlayer member;
  member.m_record = &record;
  member.m_battleId = {1, 1};
  CBattleIllusion decoy;
  platform::QueueRand({0, 0, 0, 0});
  decoy.CopyFrom(member);
  member.m_decoy = nullptr;  // the member goes before the decoy
  EXPECT_EQ(decoy.m_decoyHp, 37);
  EXPECT_EQ(decoy.m_battleId, member.m_battleId);
  EXPECT_EQ(decoy.m_visible, 0);
  EXPECT_TRUE(decoy.OnProcess());
  EXPECT_EQ(decoy.m_tint, 0x00FFFFFFu);
}

}  // namespace
