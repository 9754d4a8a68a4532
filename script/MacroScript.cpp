// The cut-scene macro runner, one tick of the script mode. Until it plays
// macros it ends the cut-scene at once.
#include "field/SelvarinFrame.h"

void CSelvarinFrame::RunMacroScript() { ChangeMode(kModeField); }
