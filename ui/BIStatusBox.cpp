#include "ui/BIStatusBox.h"

#include "render/RC.h"
#include "ui/BIMenuParts.h"
#include "ui/Draw2d.h"

namespace {
namespace bistatusbox {
constexpr int kWidth = 605, kHeight = 63;
constexpr int kTextX = 15;
}  // namespace bistatusbox
}  // namespace

BIStatusBox::BIStatusBox() : BICaption(BIViewWidth() / 2 - 305, BIViewHeight() - 65, bistatusbox::kWidth, bistatusbox::kHeight) {
  AddChild(new BIScroller(0, 0, bistatusbox::kWidth, bistatusbox::kHeight));
}

void BIStatusBox::Show(const std::string& line1, const std::string& line2) {
  m_lines[0] = line1;
  m_lines[1] = line2;
  m_framesLeft = line1.empty() ? 0 : kShowFrames;
}

void BIStatusBox::Draw(CRC* rc) {
  if (m_framesLeft <= 0) return;
  --m_framesLeft;
  if (rc == nullptr) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  const bool twoLines = !m_lines[1].empty();
  if (rc->BeginScene()) {
    // The frame hangs up from its first line.
    DrawDialogFrame(rc, x, y + (twoLines ? 7 : 29), (bistatusbox::kWidth - 5) / 20, twoLines ? 2 : 1, 1, 0xFFFFFFFF, false);
    rc->EndScene();
  }
  if (!rc->LockBackBuffer()) return;
  if (twoLines) {
    rc->DrawText2(x + bistatusbox::kTextX, y + 7, m_lines[0].c_str(), false, 255, 255, 255);
    rc->DrawText2(x + bistatusbox::kTextX, y + 30, m_lines[1].c_str(), false, 255, 255, 255);
  } else {
    rc->DrawText2(x + bistatusbox::kTextX, y + 29, m_lines[0].c_str(), false, 255, 255, 255);
  }
  rc->UnlockBackBuffer();
}

void BIStatusBox::OnClick() {
  if (BICaption* child = ChildUnderPointer()) child->OnClick();
}
