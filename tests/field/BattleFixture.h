#pragma once
// A game frame on a small map of its own for battle tests: a 20 x 20 grid
// of 5-unit cells about the origin, a map script holding the battle sets,
// a monster table, and battle classes registered for the party and the
// test monster. Every test actor remembers its messages and finishes when
// told to.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/enemy/BattleEnemy.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/PlayerStart.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/3dAttr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "tests/field/StandInName.h"
#include "tests/support/TestSupport.h"

namespace battletest {

// How many more ticks OnProcess answers false.
struct Finishing {
  int falseTicks = 0;
  int ticks = 0;
  std::vector<int> messages;
  std::vector<std::array<intptr_t, 3>> values;  // of each message
  bool Tick() {
    ++ticks;
    if (falseTicks <= 0) return true;
    --falseTicks;
    return false;
  }
};

class CTestBattlePlayer : public CBattlePlayer {
  SLV_OBJECT(CTestBattlePlayer)
 public:
  bool OnProcess() override { return finishing.Tick(); }
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    finishing.messages.push_back(code);
    finishing.values.push_back({value0, value1, value2});
    // An ended effect still leaves the list of those it showed on.
    if (code == kEffectGone) CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
  }
  static constexpr int kEffectGone = 46;
  Finishing finishing;
};

class CTestEnemy : public CBattleEnemy {
  SLV_OBJECT(CTestEnemy)
 public:
  bool OnProcess() override { return finishing.Tick(); }
  Finishing finishing;
};

// "testwolf" has a class; "ghost" has a record but no class.
inline const char* kMonsters =
    "#monster < Wolf > < Wolf > 0 testwolf\n#level 2\n#sprname wolf.scr\n#actname wolfact.scr\n#hp 40\n#shp 7\n"
    "#shadowZoom 1.5\n#end\n"
    "#monster < Ghost > < Ghost > 0 ghost\n#hp 10\n#end\n";

class BattleFixture : public ::testing::Test {
 protected:
  static constexpr float kCx = 10.0f, kCz = -10.0f;

  explicit BattleFixture(const std::string& script) : m_previous(std::filesystem::current_path()) {
    for (const char* name : {"battlesizz", "battlekreutzer", "battlemaria", "battlefourth", "battlefifth"}) {
      m_standIns.push_back(StandInName::Of<CTestBattlePlayer>(name));
    }
    m_standIns.push_back(StandInName::Of<CTestEnemy>("testwolf"));
    m_dir.Write("game/data/battle.ini", "");
    m_dir.Write("game/data/battle.scr", script);
    m_dir.Write("game/data/wolf.scr", "wolf\n");
    m_dir.Write("game/data/wolfact.scr", "wolf\n");
    m_dir.Write("game/data/diary/monster.txt", kMonsters);
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    CSession& session = CSession::GetInstance();
    session.Init();
    const char* names[5] = {"sizz", "kreutzer", "maria", "fourth", "fifth"};
    for (int i = 0; i < 5; ++i) {
      PlayerData& p = session.players[static_cast<size_t>(i)];
      p.engname = names[i];
      p.name = std::string("N") + names[i];
      p.hp = p.maxhp = 50;
      p.lvl = 3;
      p.stateid = 0;
    }
    SetParty({0, 1});
    EXPECT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.m_name = "battle";
    g_pCurrentFrame = &m_frame;
    m_frame.Init();
    Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("battle.scr"));
    m_grid.Allocate(20, 20);
    Context().m_pAttr = &m_grid;
  }
  ~BattleFixture() override {
    Context().ReturnFromBattle();
    Context().m_pAttr = nullptr;
    Context().m_script = nullptr;
    m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_playerStart = PlayerStart{};
    CMonsterMgr::GetInstance().Free();
    CSession::GetInstance().Init();
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  void SetParty(const std::vector<int>& ids) {
    CSession& session = CSession::GetInstance();
    for (size_t n = 0; n < ids.size(); ++n) session.partyIds[n] = ids[n];
    session.partyCount = static_cast<int32_t>(ids.size());
  }
  // Blocks the cell under a world point.
  void Block(float x, float z) {
    const float half = static_cast<float>(m_grid.Width() * m_grid.CellSize()) * 0.5f;
    m_grid.GetCell(static_cast<int>((x + half) / 5.0f), static_cast<int>((z + half) / 5.0f))->type = 1;
  }
  template <class T>
  std::vector<T*> All(const std::list<CActor*>& list) {
    std::vector<T*> out;
    for (CActor* a : list) out.push_back(dynamic_cast<T*>(a));
    return out;
  }

  std::vector<StandInName> m_standIns;
  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  CSelvarinFrame m_frame;
  C3dAttr m_grid;
};

}  // namespace battletest
