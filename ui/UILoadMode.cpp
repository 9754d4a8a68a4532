#include "ui/UILoadMode.h"

#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"

namespace {

constexpr int kFrameX = 180, kFrameY = 170;  // on the 640 x 480 grid: the frame spans 160-480
constexpr int kFrameTiles = 6, kFrameRows = 7;
constexpr int kTitleStyle = 2;

}  // namespace

void UILoadMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) StampDialogOpening();
}

void UILoadMode::Draw(CRC* rc) {
  DrawDialogFrameLarge(rc, g_uiOriginX + kFrameX, g_uiOriginY + kFrameY, kFrameTiles, kFrameRows, kTitleStyle,
                       0xFFFFFFFF);
}

void UILoadMode::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  const char* caption = "게임 불러오기";
  const int width = rc->GetTextWidth(caption);
  const int centre = g_uiOriginX + kFrameX + 40 * (kFrameTiles + 1) / 2;
  rc->DrawText(centre - width / 2, g_uiOriginY + kFrameY - 16, caption, false, 255, 255, 255);
}
