// The field event-script runner's entry.
#include "field/SelvarinFrame.h"
#include "script/EventScriptRun.h"
#include "script/ScriptPosition.h"

std::string g_scriptObjectName;
int32_t g_actionMode = 0;

void CSelvarinFrame::RunEventScript(int line, const std::string& name, ScriptPosition& position) {
  position.m_line = line;
  position.m_name = name;
  CEventScriptRun(*this, name, position.m_conditions).Run(line);
}
