// The shop, inn and save screens of the game frame. Until they exist the
// mode returns to the field at once.
#include "field/SelvarinFrame.h"

void CSelvarinFrame::EnterShopMode() {}

void CSelvarinFrame::RunShopMode() { ChangeMode(kModeField); }
