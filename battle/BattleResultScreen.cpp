// The result mode of the game frame: after a won battle the experience is
// shared out, levels rise, the drops and the money are announced, and play
// goes back to where it was.
#include "field/SelvarinFrame.h"

void CSelvarinFrame::DimScreen() {}

void CSelvarinFrame::ShowBattleResult() {
  RestoreBattleCamera();
  const int32_t back = m_prevMode;
  ChangeMode(back >= 0 && back <= kModeGameOver && back != kModeBattle && back != kModeBattleResult ? back : kModeField);
}
