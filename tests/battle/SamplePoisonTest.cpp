// The sample party's worn items at work in the wolf battle with two
// skeletons, fought in process on tactics: Kreutzer's healing mail gives
// back hit points every 240 ticks, and Maria's rose poisons a skeleton it
// lands on, which then loses a hit point every 120 ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "battle/BattleObject.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/Mouse.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/SkillMgr.h"
#include "session/Session.h"
#include "tests/support/SampleBattleFixture.h"

namespace {

// What the test reads after each battle tick.
struct Snapshot {
  int32_t tick = 0;
  int32_t kreutzerHp = 0;
  std::string message;  // the battle message window's text, while it shows
  struct Skeleton {
    int32_t hp = -1;  // -1: no skeleton in the slot
    uint32_t conditions = 0;
    int32_t action = 0;
    uint32_t tint = 0;
  };
  std::array<Skeleton, CSession::kMaxEnemies> skeletons{};
};

class SamplePoisonTest : public testsupport::SampleBattleFixture {
 protected:
  // Battle passes until the battle's tick counter reaches `until`, one
  // snapshot per tick.
  std::vector<Snapshot> Fight(int32_t until) {
    std::vector<Snapshot> shots;
    const PlayerData& kreutzer = session.players[1];
    for (int passes = 0; passes < 4 * until && m_frame.m_mode == kModeBattle; ++passes) {
      const int32_t before = m_map.Context().m_battleTickCount;
      RunBattlePass();
      const int32_t tick = m_map.Context().m_battleTickCount;
      if (tick == before) continue;
      Snapshot shot{tick, kreutzer.hp, m_frame.IsMessageShowing() ? m_frame.m_messageText : "", {}};
      for (size_t i = 0; i < session.enemies.size(); ++i) {
        const EnemySlot& slot = session.enemies[i];
        const auto* actor = dynamic_cast<const CBattleObject*>(slot.actor);
        if (actor == nullptr || slot.name != "스켈레톤") continue;
        shot.skeletons[i] = {slot.hp, static_cast<uint32_t>(slot.stateid), actor->m_actionCode, actor->m_tint};
      }
      shots.push_back(shot);
      if (tick >= until) break;
    }
    return shots;
  }
};

TEST_F(SamplePoisonTest, TheHealingMailHealsKreutzerAndTheRosesPoisonWearsTheSkeletonsDown) {
  ASSERT_EQ(session.JoinPlayer(1), 1);  // Kreutzer, as the elder's third answer has him join
  for (int n = 0; n < session.partyCount; ++n) session.GetPartyMember(n)->tacticsId = 1;
  // Without the fire bottles and darts the tactics throw, the skeletons
  // last long enough for the periods to show.
  for (const char* name : {"화염병", "다트"}) {
    const int item = CItemMgr::GetInstance().Find(name);
    session.RemoveItem(item, session.GetItemCount(item));
  }
  ASSERT_TRUE(EnterWolfBattle());
  const std::vector<Snapshot> shots = Fight(840);
  ASSERT_FALSE(shots.empty());
  ASSERT_EQ(shots.back().tick, 840);
  const auto at = [&shots](int32_t tick) { return shots[static_cast<size_t>(tick - shots.front().tick)]; };
  // 88 of 105 at the start, untouched by the skeletons meanwhile: two
  // points (105 / 100 + 1) on each 240th tick.
  EXPECT_EQ(at(239).kreutzerHp, 88);
  EXPECT_EQ(at(240).kreutzerHp, 90);
  EXPECT_EQ(at(479).kreutzerHp, 90);
  EXPECT_EQ(at(480).kreutzerHp, 92);

  // Maria's first landed blow poisons the second skeleton, and the battle
  // script's condition block says so on the next tick.
  const std::string words = "장미의 독이 퍼졌어요!";
  EXPECT_EQ(at(331).skeletons[2].conditions, 0u);
  EXPECT_EQ(at(332).skeletons[2].hp, 14);
  EXPECT_EQ(at(332).skeletons[2].conditions, kPoison1);
  EXPECT_EQ(at(332).message, "");
  EXPECT_EQ(at(333).message, words);
  // A hit point and the green on the next 120th tick.
  EXPECT_EQ(at(359).skeletons[2].hp, 14);
  EXPECT_EQ(at(359).skeletons[2].tint & 0x00FFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(at(360).skeletons[2].hp, 13);
  EXPECT_EQ(at(360).skeletons[2].tint & 0x00FFFFFFu, 0x007700u);
  // The poison goes on taking a point every 120th tick; the words come the
  // first time only.
  for (const Snapshot& shot : shots) {
    if (shot.tick > 349) {
      EXPECT_NE(shot.message, words) << shot.tick;
    }
  }
  EXPECT_EQ(at(839).skeletons[2].hp, 10);
  EXPECT_EQ(at(840).skeletons[2].hp, 9);
}

}  // namespace
