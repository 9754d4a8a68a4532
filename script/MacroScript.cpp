// The cut-scene macro runner, one tick of the script mode. Until it plays
// macros it ends the cut-scene at once.
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"

void CSelvarinFrame::RunMacroScript() {
  if (CSelvarinContext* context = GetContext()) context->ReleaseMacroActors();
  ChangeMode(kModeField);
}
