// A fuzzed world file loaded by the field context over a fixed ground,
// attribute grid and script, then run for a tick and let go.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dWorldRes.h"
#include "session/Session.h"
#include "tools/lib/GatWriter.h"
#include "tools/lib/GndWriter.h"

namespace {

void WriteFile(const char* path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The map's fixed files beside the fuzzed world ("g.gnd", "g.gat", "s.scr"),
// and field actors for the classes the map makes by name.
void PrepareFolder() {
  WriteFile("data/g.gnd", slvtools::GndWriter(4, 4).Build());
  WriteFile("data/g.gat", slvtools::GatWriter(8, 8).Build());
  WriteFile("data/s.scr", "A::Init\nreturn\ngate::Enter\nreturn\ngate::Leave\nreturn\n");
  WriteFile("data/m.ini", "load world f.rsw\nset playstartx 3\n");
  for (const char* name : {"player", "partyplayer", "villager", "dove", "crow"}) {
    RegisterClassName(name, typeid(CSelvarinActor));
  }
  CSession::GetInstance().Init();
}

void LoadAndRun() {
  CResMgr::GetInstance().UnloadResources();
  CSelvarinFrame frame;
  frame.m_pView = new CSelvarinView;
  frame.m_pContext = new CSelvarinContext;
  frame.m_name = "m";
  g_pCurrentFrame = &frame;
  frame.Init();
  CSelvarinContext& context = *frame.GetContext();
  context.Update();
  context.UpdateEffects();
  context.CheckMapEvents();
  if (const CSelvarinActor* player = context.GetPlayer()) context.FindActorInFront(*player);
  const CRes* world = context.m_world;
  frame.Exit();
  // Whatever the load reached, nothing stays locked.
  if (world != nullptr && world->m_lockCount != 0) std::abort();
  g_pCurrentFrame = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("field-map");
  static bool prepared = false;
  env.Run("f.rsw", data, size, [] {
    if (!prepared) PrepareFolder();
    prepared = true;
    LoadAndRun();
  });
  return 0;
}
