// The event scripts' second command group: physics of the 3-D models and
// the action mode. Words it does not know go on to the third group.
#include "engine/Tokenizer.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "script/ScriptPosition.h"

namespace {

// While on, the followers stay hidden at the leader's feet; turned off, the
// whole party shows again.
void SetActionMode(const CSelvarinFrame* frame, const CTokenizer& tokens) {
  if (tokens.GetCount() != 2) {
    DebugLog("Syntax Error: actionmode (1==On or 0==Off)");
    return;
  }
  g_actionMode = tokens.GetInt(1);
  const CSelvarinContext* context = frame != nullptr ? frame->GetContext() : nullptr;
  if (g_actionMode != 0 || context == nullptr) return;
  for (CSelvarinActor* actor : context->m_partyChain) actor->m_visible = 1;
}

}  // namespace

bool CSelvarinFrame::ExecPhysicsCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int line,
                                        const std::string& /*subject*/, std::deque<int>& /*conditions*/) {
  if (tokens[0] == "actionmode") {
    SetActionMode(frame, tokens);
    return true;
  }
  return ExecSystemCommand(frame, tokens, line);
}
