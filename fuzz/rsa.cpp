// Cut-scene macros as the resource manager loads them: any bytes load or
// fail, and a failed load keeps no track. What loads plays for a few
// hundred ticks on a frame with an empty map and an actor named "a".
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/FrameMgr.h"
#include "engine/MacroRes.h"
#include "engine/ResMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "fuzz/DataFileFuzzEnv.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr int kTicks = 300;

void Play(CMacroRes* macro) {
  CSelvarinFrame frame;
  frame.m_pView = new CSelvarinView;
  frame.m_pContext = new CSelvarinContext;
  frame.m_name = "empty";
  g_pCurrentFrame = &frame;
  frame.Init();
  auto* actor = new CSelvarinActor;
  actor->m_name = "a";
  frame.GetContext()->m_liveActors.push_back(actor);
  frame.m_pMacro = macro;
  frame.ChangeMode(kModeScript);
  for (int i = 0; i < kTicks && frame.m_mode == kModeScript; ++i) frame.RunMacroScript();
  frame.Exit();
  g_pCurrentFrame = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("rsa");
  env.Run("f.rsa", data, size, [] {
    auto* macro = dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetRes("f.rsa"));
    // An empty file is no file at all to the resource manager.
    if (macro != nullptr) {
      Check(macro->m_trackCount == static_cast<int32_t>(macro->m_tracks.size()));
      for (const MacroTrack& track : macro->m_tracks) {
        Check(track.name.size() <= 80 && track.name2.size() <= 80);
        int32_t previous = INT32_MIN;
        for (const auto& [key, entry] : track.entries) {
          Check(key >= previous);
          previous = key;
        }
      }
      Play(macro);
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
