#include "ui/UIIcon.h"

#include <cmath>
#include <numbers>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "ui/Draw2d.h"
#include "render/TextProbe.h"

namespace {

constexpr int kZoomSteps = 18;
constexpr int kAniFrames = 22;  // 0..21, three a motion

void DrawIconAction(CRC* rc, const UIIcon& icon) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes(icon.m_actFile.c_str()));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes(icon.m_sprFile.c_str()));
  rc->DrawAction(icon.m_x, icon.m_y, act, spr, icon.m_action, icon.m_motion, icon.m_scale, 0, 0xFFFFFFFF, true);
}

}  // namespace

void UIIcon::Setup(int x, int y, const char* actFile, const char* sprFile, int action, int motion,
                   const char* label, int code) {
  m_x = x;
  m_y = y;
  m_actFile = actFile != nullptr ? actFile : "";
  m_sprFile = sprFile != nullptr ? sprFile : "";
  m_action = action;
  m_motion = motion;
  m_label = label != nullptr ? label : "";
  m_code = code;
}

void UIIcon::StartZoom(bool strong) {
  m_zoomStep = 0;
  m_strongZoom = strong ? 1 : 0;
}

bool UIIcon::UnderPointerAsButton() const { return UIInside(UIPointer(), m_x - 25, m_y - 20, m_x + 30, m_y + 10); }

void UIIcon::OnLButtonDown() {
  if (!UIInside(UIPointer(), m_x - 20, m_y - 30, m_x + 20, m_y + 10)) {
    Deselect();
    return;
  }
  Select();
  StartZoom(true);
  NotifyParent(23, m_code, 0);
}

void UIIcon::Draw(CRC* rc) {
  if (rc == nullptr) return;
  const WidgetProbeScope probe;
  DrawIconAction(rc, *this);
  DrawFontTextRight(rc, m_x + m_labelDx, m_y + m_labelDy, m_label.c_str(), m_selected != 0 ? 1 : 0);
}

void UIZoomIcon::Draw(CRC* rc) {
  if (m_zoomStep < kZoomSteps) {
    const double swell = std::sin(m_zoomStep * 10.0 * std::numbers::pi / 180.0) * (m_strongZoom != 0 ? 0.5 : 0.2);
    m_scale = static_cast<float>(1.0 + swell);
    ++m_zoomStep;
  } else {
    m_scale = 1.0f;
    m_strongZoom = 0;
  }
  UIIcon::Draw(rc);
}

void UICheckIcon::Draw(CRC* rc) {
  const WidgetProbeScope probe;
  UIZoomIcon::Draw(rc);
  if (rc == nullptr || m_checked == 0) return;
  const auto* mark = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\ok_shop.spr"));
  rc->DrawSprite(m_x - 35, m_y - 20, mark, 0, 0xFFFFFFFF);
}

void UIAniIcon::Draw(CRC* rc) {
  if (m_selected != 0) {
    m_action = 9;
    m_motion = m_frame / 3;
    m_frame = (m_frame + 1) % kAniFrames;
  } else {
    m_action = 1;
    m_motion = 0;
  }
  const WidgetProbeScope probe;
  if (rc != nullptr) DrawIconAction(rc, *this);
}
