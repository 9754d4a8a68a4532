// The battle and battle-result modes of the game frame. Until battles are
// fought, only a member's command menu runs; any other phase ends the
// battle and its result returns to the field.
#include "engine/ActRes.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"

namespace {

constexpr int kPointerOverWidget = 5;
constexpr int kPointer = 2;

void DrawPointer(CRC& rc, int action) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr || !rc.BeginScene()) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, actions, sprites, action, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc.EndScene();
}

}  // namespace

void CSelvarinFrame::RunBattle() {
  BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
  if (m_battlePhase != 1) {
    deskTop.Close();
    ChangeMode(kModeBattleResult);
    return;
  }
  deskTop.OnKey();
  DrawBattle();
}

void CSelvarinFrame::DrawBattle() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  if (CSelvarinView* view = GetView(); view != nullptr && rc.BeginScene()) {
    view->RenderBattleScene(rc);
    rc.EndScene();
  }
  if (m_battlePhase == 1) {
    BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
    deskTop.DrawTree(&rc);
    DrawPointer(rc, deskTop.ChildUnderPointer() != nullptr ? kPointerOverWidget : kPointer);
  }
  rc.Flip();
}

void CSelvarinFrame::DimScreen() {}

void CSelvarinFrame::BuildTargetList(int kind) {}

void CSelvarinFrame::IssueBattleOrder(int value, int kind) {}

void CSelvarinFrame::ValidateBattleCommand(int command, int value) {}

void CSelvarinFrame::ShowBattleResult() {
  RestoreBattleCamera();
  if (CSelvarinContext* context = GetContext()) context->ReturnFromBattle();
  ChangeMode(kModeField);
}
