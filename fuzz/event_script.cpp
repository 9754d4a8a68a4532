// Fuzzed text as a map script, run from line 0 on a frame with an empty map
// and two named actors, and every line evaluated as a condition.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "script/ScriptExpression.h"
#include "session/Session.h"

namespace {

void AddActor(CSelvarinContext& context, const char* name) {
  auto* actor = new CSelvarinActor;
  actor->m_name = name;
  context.m_liveActors.push_back(actor);
}

void RunScript() {
  CResMgr& resources = CResMgr::GetInstance();
  resources.UnloadResources();
  CSession::GetInstance().scriptVariables.Clear();
  CSelvarinFrame frame;
  frame.m_pView = new CSelvarinView;
  frame.m_pContext = new CSelvarinContext;
  frame.m_name = "empty";
  g_pCurrentFrame = &frame;
  frame.Init();
  CSelvarinContext& context = *frame.GetContext();
  AddActor(context, "a");
  AddActor(context, "b");
  auto* script = dynamic_cast<CTextRes*>(resources.GetResStr("f.scr"));
  if (script != nullptr) {
    resources.Lock(script);  // the context lets it go
    context.m_script = script;
    ScriptPosition position;
    frame.RunEventScript(0, "a", position);
    for (int line = 0; line < script->GetCount(); ++line) (void)EvalCondition(script->GetLine(line).c_str());
  }
  frame.Exit();
  g_pCurrentFrame = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("event-script");
  env.Run("f.scr", data, size, RunScript);
  return 0;
}
