// Cut-scene macros as the resource manager loads them: any bytes load or
// fail, and a failed load keeps no track.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/MacroRes.h"
#include "engine/ResMgr.h"
#include "fuzz/DataFileFuzzEnv.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("rsa");
  env.Run("f.rsa", data, size, [] {
    const auto* macro = dynamic_cast<const CMacroRes*>(CResMgr::GetInstance().GetRes("f.rsa"));
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
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
