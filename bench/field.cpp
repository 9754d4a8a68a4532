// One whole field pass of the sample village at 640 x 480 on the software
// device, headless: the game frame's field tick (update and draw), and the
// update and the drawing alone. The clock source moves on a whole frame slot
// at every reading, so no pass waits for its slot; every pass draws.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/RC.h"

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

}  // namespace

BENCHMARK_MAIN();
