#include "field/SysexCrowd.h"

#include <algorithm>
#include <cmath>

#include "field/SelvarinFrame.h"
#include "render/Projection.h"

SLV_REGISTER_ACTOR(CSysexCrowd, "sysexcrowd");

namespace {
namespace sysexcrowd {

constexpr int kEnd = 29;
constexpr int32_t kEnded = -1;

int32_t ToPixel(float v) {
  if (std::isnan(v)) return 0;
  constexpr float kLimit = 1.0e9f;
  return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

}  // namespace sysexcrowd
}  // namespace

CSysexCrowd::~CSysexCrowd() {
  End();
  if (CSelvarinFrame* frame = GetGameFrame()) frame->m_speechCaptions.remove(this);
}

void CSysexCrowd::Init(const char* text, int32_t screenX, int32_t screenY, CSelvarinActor* owner, int32_t value) {
  CSelvarinActor::Init();
  m_text = text != nullptr ? text : "";
  m_screenX = screenX;
  m_screenY = screenY;
  m_owner = owner;
  m_value = value;
  m_drawShadow = 0;
  if (owner != nullptr) m_pos = Vec3{owner->m_pos.x, owner->m_pos.y - kAboveOwner, owner->m_pos.z};
}

void CSysexCrowd::End() {
  m_state = sysexcrowd::kEnded;
  if (m_owner != nullptr && m_owner->m_crowd == this) m_owner->m_crowd = nullptr;
  m_owner = nullptr;
}

bool CSysexCrowd::OnProcess() {
  if (m_state != sysexcrowd::kEnded && m_tick <= m_lifetime) {
    if (m_owner != nullptr) m_pos = Vec3{m_owner->m_pos.x, m_owner->m_pos.y - kAboveOwner, m_owner->m_pos.z};
    ++m_tick;
    return true;
  }
  End();
  if (CSelvarinFrame* frame = GetGameFrame()) frame->m_speechCaptions.remove(this);
  return false;
}

void CSysexCrowd::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == sysexcrowd::kEnd) {
    End();
    return;
  }
  CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
}

void CSysexCrowd::Render(CRC& rc, const Matrix& view) {
  const ProjectedPoint at = CProjector(rc, view, kSpriteDepthRule).Project(m_pos);
  m_screenX = sysexcrowd::ToPixel(at.x);
  m_screenY = sysexcrowd::ToPixel(at.y);
}
