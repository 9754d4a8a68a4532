// One whole field pass of the sample village at 640 x 480 on the software
// device, headless: the game frame's field tick (update and draw), and the
// update and the drawing alone; beside it one battle pass on the village
// (four members on tactics against six skeletons, and against six model
// enemies drawn from the sample's sphinx). The clock source moves on
// a whole frame slot at every reading, so no pass waits for its slot; every
// pass draws.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "battle/enemy/BattleGroundEnemy3d.h"
#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/BattleSet.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tools/lib/PackWriter.h"

namespace {

constexpr uint32_t kSlotMs = 16;

// The sample game folder's village, entered as a new game enters it.
class Village {
 public:
  Village() : m_clock(0, kSlotMs), m_guard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", std::filesystem::temp_directory_path().c_str(), 1);
    // Presents would keep the display's pace; only the pass is measured.
    ::setenv("SLV_NO_PRESENT_WAIT", "1", 1);
    std::filesystem::current_path(SLV_GAME_FOLDER);
    m_window = platform::CreateAppWindow({"FieldBench", "FieldBench", nullptr, 0, 0, 640, 480});
    g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer);
    RegisterPack("data.pak");
    g_resRoot = "\\";
    g_texturePath = "\\texture\\";
    SetResDirectory("\\");
    g_appActive = 1;
    SetFrameRate(60);
    SetFrameSkip(1);
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "newgame";
    m_frame.Init();
    m_frame.m_transKind = 0;
  }
  ~Village() {
    m_frame.Exit();
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }
  CSelvarinFrame& Frame() { return m_frame; }

 private:
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_guard;
  platform::WindowHandle m_window = nullptr;
  CSelvarinFrame m_frame;
};

Village& TheVillage() {
  // The managers the village frees into at its end are made first, so they
  // outlive it at the process's exit.
  CTextureMgr::GetInstance();
  CTgaTextureMgr::GetInstance();
  CResMgr::GetInstance();
  static Village village;
  return village;
}

void SetSlotCounters(benchmark::State& state) {
  state.counters["slot_ms"] = kSlotMs;
}

void BM_FieldPass(benchmark::State& state) {
  CSelvarinFrame& frame = TheVillage().Frame();
  for (auto _ : state) frame.RunFieldMode();
  SetSlotCounters(state);
}
BENCHMARK(BM_FieldPass)->Unit(benchmark::kMillisecond);

// The tick with nowhere to draw.
void BM_FieldUpdateOnly(benchmark::State& state) {
  CSelvarinFrame& frame = TheVillage().Frame();
  CRC* rc = frame.m_pRC;
  frame.m_pRC = nullptr;
  for (auto _ : state) frame.RunFieldMode();
  frame.m_pRC = rc;
  SetSlotCounters(state);
}
BENCHMARK(BM_FieldUpdateOnly)->Unit(benchmark::kMicrosecond);

void BM_FieldDrawOnly(benchmark::State& state) {
  CSelvarinFrame& frame = TheVillage().Frame();
  int primitives = 0;
  for (auto _ : state) {
    frame.ComposeField();
    primitives = CRC::s_primitiveCount;
    frame.m_pRC->Flip();
  }
  state.counters["primitives"] = primitives;
  SetSlotCounters(state);
}
BENCHMARK(BM_FieldDrawOnly)->Unit(benchmark::kMillisecond);

// A model enemy on the sample's sphinx: it idles, walks, strikes, reels and
// dies by the sphinx's actions.
class CBenchModelKind : public CBattleGroundEnemy3d {
  SLV_OBJECT(CBenchModelKind)
 public:
  void SetAction(int32_t code) override {
    switch (code) {
      case kActIdle:
        SetModelAction(0, 4, kPlayLoop);
        break;
      case kActApproach:
      case kActWalkBack:
        SetModelAction(1, 3, kPlayLoop);
        break;
      case kActAttack:
        SetModelAction(2, 4, kPlayOnce);
        break;
      case kActDamageLight:
      case kActDamage:
        SetModelAction(4, 4, kPlayOnce);
        break;
      case kActDying:
        SetModelAction(6, 6, kPlayOnce);
        break;
      default:
        break;
    }
    CBattleGroundEnemy3d::SetAction(code);
  }
};
SLV_REGISTER_ACTOR(CBenchModelKind, "벤치모형");

constexpr const char* kSpriteTable = "diary/monster.txt";
constexpr const char* kModelTable = "diary/benchmodel.txt";

// The model enemy's record, in a pack of the benchmark's own over the
// sample's.
void RegisterModelTable() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  slvtools::PackWriter pack;
  pack.AddStored(std::string("data/") + kModelTable,
                 "#monster < 벤치모형 > < Bench model > 0 벤치모형\n#level 1\n#is3d 1\n"
                 "#rmaname monster\\sphinx.rma\n#hp 60\n#phyAtk 6\n#spd 40\n#duration 1.5\n#radius 1.0\n#end\n");
  const auto path = std::filesystem::temp_directory_path() / "slv-bench-field-models.pak";
  pack.WriteFile(path.string());
  RegisterPack(path.string());
}

// The village's battle: the sample party (kreutzer joined, and a copy of
// the leader as a fourth member, the sample having three characters), all
// on tactics, against six of the table's `enemy`. A battle that ends is
// entered again outside the measured time.
void EnterBattle(CSelvarinFrame& frame, const char* monsterTable, const char* enemy) {
  CSession& session = CSession::GetInstance();
  static bool tablesRead = false;
  if (!tablesRead) {
    tablesRead = true;
    CResMgr::GetInstance().LoadGlobalIni("global.ini");
    CMagicMgr::GetInstance().Load("diary/magic.txt");
    CSkillMgr::GetInstance().Load("diary/skill.txt");
    CItemMgr::GetInstance().Load("diary/item.txt");
  }
  static std::string monstersRead;
  if (monstersRead != monsterTable) {
    monstersRead = monsterTable;
    CMonsterMgr::GetInstance().Load(monsterTable);
  }
  frame.GetContext()->ReturnFromBattle();
  session.Init();
  session.GetupPlayer(1);
  constexpr int kCopy = 3;
  session.players[kCopy] = session.players[static_cast<size_t>(session.partyIds[0])];
  session.partyIds[static_cast<size_t>(session.partyCount++)] = kCopy;
  for (int n = 0; n < session.partyCount; ++n) {
    session.RefreshMember(n);
    session.GetPartyMember(n)->tacticsId = 1;
  }
  BattleSet& set = frame.m_battleSet;
  set.Reset(-1, -1);
  set.battleType = 0;
  set.typeValues = {40, 40};
  for (int i = 0; i < BattleSet::kMaxEnemies; ++i) set.enemies[static_cast<size_t>(set.enemyCount++)] = {enemy, "enemy"};
  frame.m_mode = kModeField;
  frame.ChangeMode(kModeBattle);
}

void RunBattlePasses(benchmark::State& state, const char* monsterTable, const char* enemy) {
  CSelvarinFrame& frame = TheVillage().Frame();
  EnterBattle(frame, monsterTable, enemy);
  for (int i = 0; i < 200; ++i, ++frame.m_modeTick) frame.RunBattle();  // past the opening, everyone in
  state.counters["enemies"] = static_cast<double>(frame.GetContext()->m_battleEnemies.size());
  int entered = 1;
  for (auto _ : state) {
    if (frame.m_mode != kModeBattle) {
      state.PauseTiming();
      EnterBattle(frame, monsterTable, enemy);
      ++entered;
      state.ResumeTiming();
    }
    frame.RunBattle();
    ++frame.m_modeTick;
  }
  state.counters["battles"] = entered;
  state.counters["members"] = CSession::GetInstance().partyCount;
  SetSlotCounters(state);
}

void BM_BattlePass(benchmark::State& state) { RunBattlePasses(state, kSpriteTable, "스켈레톤"); }
BENCHMARK(BM_BattlePass)->Unit(benchmark::kMillisecond);

void BM_BattlePassModels(benchmark::State& state) {
  TheVillage();
  RegisterModelTable();
  RunBattlePasses(state, kModelTable, "벤치모형");
}
BENCHMARK(BM_BattlePassModels)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
