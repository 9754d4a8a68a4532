// The battle and battle-result modes of the game frame. Until battles are
// fought, a battle ends at once and its result returns to the field.
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"

void CSelvarinFrame::RunBattle() { ChangeMode(kModeBattleResult); }

void CSelvarinFrame::DimScreen() {}

void CSelvarinFrame::BuildTargetList(int kind) {}

void CSelvarinFrame::IssueBattleOrder(int value, int kind) {}

void CSelvarinFrame::ValidateBattleCommand(int command, int value) {}

void CSelvarinFrame::ShowBattleResult() {
  RestoreBattleCamera();
  if (CSelvarinContext* context = GetContext()) context->ReturnFromBattle();
  ChangeMode(kModeField);
}
