// The sample party's worn items at work in the wolf battle with two
// skeletons, fought in process on tactics: Kreutzer's healing mail gives
// back hit points every 240 ticks, and Maria's rose poisons a skeleton it
// lands on, which then loses a hit point every 120 ticks until it dies.
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
#include "tests/support/SampleMapFrame.h"

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

class SamplePoisonTest : public ::testing::Test {
 protected:
  SamplePoisonTest() {
    EXPECT_TRUE(m_map.Registered());
    CResMgr::GetInstance().LoadGlobalIni("global.ini");
    CMagicMgr::GetInstance().Load("diary/magic.txt");
    CSkillMgr::GetInstance().Load("diary/skill.txt");
    CMonsterMgr::GetInstance().Load("diary/monster.txt");
    CItemMgr::GetInstance().Load("diary/item.txt");
    session.Init();
  }
  ~SamplePoisonTest() override {
    CItemMgr::GetInstance().Free();
    CMonsterMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    session.Init();
  }

  // The wolf's battle, with two skeletons when its set has none.
  bool StartWolfBattle() {
    auto* wolf = dynamic_cast<CFieldEnemy*>(m_map.Context().FindActorByName("wolf"));
    if (wolf == nullptr) return false;
    m_frame.OnMessage(wolf, 0, 0, wolf->m_battleLine, wolf->m_eventLine);
    BattleSet& set = m_frame.m_battleSet;
    const auto first = set.enemies.begin(), last = first + set.enemyCount;
    if (std::none_of(first, last, [](const BattleSet::NamedValue& e) { return e.name == "스켈레톤"; })) {
      for (const char* label : {"skeleton", "skeleton2"}) {
        set.enemies[static_cast<size_t>(set.enemyCount++)] = {"스켈레톤", label};
      }
    }
    m_frame.RunGamePass();
    return m_frame.m_mode == kModeBattle;
  }

  // Battle passes until the battle's tick counter reaches `until`, one
  // snapshot per tick.
  std::vector<Snapshot> Fight(int32_t until) {
    std::vector<Snapshot> shots;
    const PlayerData& kreutzer = session.players[1];
    for (int passes = 0; passes < 4 * until && m_frame.m_mode == kModeBattle; ++passes) {
      CMouse::GetInstance().m_mouseButtons[0] = m_frame.m_messageState == 5 ? kStatePressed : kStateUp;
      const int32_t before = m_map.Context().m_battleTickCount;
      m_frame.RunBattle();
      m_frame.m_battleControl = 0;
      ++m_frame.m_modeTick;
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

  CSession& session = CSession::GetInstance();
  testsupport::SampleMapFrame<CSelvarinFrame> m_map{"newgame"};
  CSelvarinFrame& m_frame = m_map.frame;
};

TEST_F(SamplePoisonTest, TheHealingMailHealsKreutzerAndTheRosesPoisonFinishesASkeleton) {
  ASSERT_EQ(session.JoinPlayer(1), 1);  // Kreutzer, as the elder's third answer has him join
  for (int n = 0; n < session.partyCount; ++n) session.GetPartyMember(n)->tacticsId = 1;
  ASSERT_TRUE(StartWolfBattle());
  const std::vector<Snapshot> shots = Fight(1320);
  ASSERT_FALSE(shots.empty());
  ASSERT_EQ(shots.back().tick, 1320);
  const auto at = [&shots](int32_t tick) { return shots[static_cast<size_t>(tick - shots.front().tick)]; };
  // 88 of 105 at the start, untouched by the skeletons meanwhile: two
  // points (105 / 100 + 1) on each 240th tick.
  EXPECT_EQ(at(239).kreutzerHp, 88);
  EXPECT_EQ(at(240).kreutzerHp, 90);
  EXPECT_EQ(at(479).kreutzerHp, 90);
  EXPECT_EQ(at(480).kreutzerHp, 92);

  // Maria's second landed blow poisons the second skeleton, and the battle
  // script's condition block says so at once, the first time only.
  EXPECT_EQ(at(394).skeletons[2].conditions, 0u);
  EXPECT_EQ(at(394).message, "");
  EXPECT_EQ(at(395).skeletons[2].hp, 8);
  EXPECT_EQ(at(395).skeletons[2].conditions, kPoison1);
  EXPECT_EQ(at(395).message, "장미의 독이 퍼졌어요!");
  for (const Snapshot& shot : shots) {
    if (shot.tick > 420) {
      EXPECT_EQ(shot.message, "") << shot.tick;
    }
  }
  EXPECT_EQ(at(419).skeletons[2].tint & 0x00FFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(at(420).skeletons[2].tint & 0x00FFFFFFu, 0x007700u);
  // One hit point on each 120th tick, until the poison alone finishes it.
  EXPECT_EQ(at(479).skeletons[2].hp, 8);
  EXPECT_EQ(at(480).skeletons[2].hp, 7);
  EXPECT_EQ(at(1319).skeletons[2].hp, 1);
  EXPECT_NE(at(1319).skeletons[2].action, kActDying);
  EXPECT_EQ(at(1320).skeletons[2].hp, 0);
  EXPECT_EQ(at(1320).skeletons[2].action, kActDying);
  EXPECT_EQ(at(1320).skeletons[2].tint & 0x00FFFFFFu, 0x007700u);
}

}  // namespace
