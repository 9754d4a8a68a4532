// Model texts as the resource manager loads them: any bytes load, and every
// query of every action stays inside the tables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/ResMgr.h"
#include "engine/RmaRes.h"
#include "fuzz/DataFileFuzzEnv.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("rma");
  env.Run("model/f.rma", data, size, [] {
    const auto* rma = dynamic_cast<const CRmaRes*>(CResMgr::GetInstance().GetRes("f.rma"));
    Check(rma != nullptr);
    Check(rma->GetActionCount() <= CRmaRes::kMaxActions);
    for (int i = -1; i <= rma->GetActionCount(); ++i) {
      const bool defined = rma->HasAction(i);
      Check(defined || rma->GetActionModelName(i).empty() || (i >= 0 && i < rma->GetActionCount()));
      int position;
      if (rma->IsActionEventFrame(i, rma->GetActionStartFrame(i), &position)) {
        const size_t events = rma->m_actions[static_cast<size_t>(i)].eventFrames.size();
        Check(position >= 0 && static_cast<size_t>(position) < events);
      }
      rma->GetActionEndFrame(i);
    }
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
