#include "ui/UIMenuModes.h"

#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UICloseSession.h"
#include "ui/UIDesktop.h"

namespace {

constexpr int kFrameX = 180, kFrameY = 170;  // on the 640 x 480 grid: the frame spans 160-480
constexpr int kFrameTiles = 6, kFrameRows = 7;
constexpr int kTitleStyle = 2;
constexpr int kCloseX = 440, kCloseY = 160, kCloseSize = 24;

}  // namespace

UICaptionedMode::UICaptionedMode(const char* caption) : m_caption(caption), m_close(new UICloseSession) {
  AddChild(m_close);
}

void UICaptionedMode::Notify(UIObject*, int code, int, int) {
  if (code != kUiOpen) return;
  StampDialogOpening();
  const int x = g_uiOriginX + kCloseX;
  const int y = g_uiOriginY + kCloseY;
  m_close->Setup(x, y, x + kCloseSize, y + kCloseSize, true);
}

void UICaptionedMode::OnLButtonDown() { m_close->OnLButtonDown(); }
void UICaptionedMode::OnLButtonUp() { m_close->OnLButtonUp(); }

void UICaptionedMode::Draw(CRC* rc) {
  DrawDialogFrameLarge(rc, g_uiOriginX + kFrameX, g_uiOriginY + kFrameY, kFrameTiles, kFrameRows, kTitleStyle,
                       0xFFFFFFFF);
  m_close->Draw(rc);
}

void UICaptionedMode::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  const int width = rc->GetTextWidth(m_caption);
  const int centre = g_uiOriginX + kFrameX + 40 * (kFrameTiles + 1) / 2;
  rc->DrawText(centre - width / 2, g_uiOriginY + kFrameY - 16, m_caption, false, 255, 255, 255);
}
