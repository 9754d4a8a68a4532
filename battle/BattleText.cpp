#include "battle/BattleText.h"

#include <string>

#include "field/SelvarinContext.h"

namespace {

constexpr float kTextLift = 21.0f;
constexpr float kDigitLift = 15.0f;
constexpr float kDigitRise = 0.12f;
constexpr float kCellUnits = 10.0f;
constexpr float kFrontDepth = 0.0999f;
constexpr int32_t kFade = -2;

}  // namespace

CBattleMsg::CBattleMsg() {
  m_sprName = kSprite;
  m_actName = kAnimation;
  m_drawShadow = 0;
}

bool CBattleMsg::OnProcess() {
  if (m_owner != nullptr) m_pos = Vec3{m_owner->m_pos.x, m_owner->m_pos.y - kTextLift, m_owner->m_pos.z};
  AddTint(kFade, 0, 0, 0);
  return ++m_tickCount <= kLastTick;
}

void CBattleMsg::Render(CRC& rc, const Matrix& view) {
  LayerStyle style;
  style.tint = m_tint;
  style.headDepth = false;
  style.lonelyLayerOffScreenHides = false;
  style.offsetX = static_cast<float>(m_column) * kCellUnits;
  style.offsetY = static_cast<float>(m_row) * kCellUnits;
  style.fixedKey = kFrontDepth;
  ScreenRect drawn;
  QueueLayers(rc, view, style, &drawn);
}

bool CBattleNumber::OnProcess() {
  if (m_owner != nullptr) {
    m_pos = Vec3{m_owner->m_pos.x, m_owner->m_pos.y - kDigitLift - m_velocity.y, m_owner->m_pos.z};
  }
  m_velocity.y += kDigitRise;
  AddTint(kFade, 0, 0, 0);
  if (m_tickCount > kLastTick) return false;
  ++m_tickCount;
  return true;
}

CBattleObject* CBattleActor::SpawnBattleMsg(int32_t text, float dx, float dy, float dz) {
  auto* message = new CBattleMsg;
  message->m_owner = this;
  message->m_pos = Vec3{m_pos.x + dx, m_pos.y + dy - 12.0f, m_pos.z + dz};
  message->m_inAir = 1;
  message->SetAnimation(text, 0, kPlayOnce);
  if (CSelvarinContext* context = GetFieldContext()) {
    context->m_battleObjects.push_back(message);
  } else {
    delete message;
    return nullptr;
  }
  return message;
}

void CBattleObject::SpawnDamageNumber(int32_t value, int32_t colourType, float dx, float dy, float dz,
                                      int32_t firstColumn, int32_t row) {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr || value < 0) return;
  const std::string digits = std::to_string(value >= 999 ? 999 : value);
  for (size_t i = 0; i < digits.size(); ++i) {
    auto* digit = new CBattleNumber;
    digit->m_owner = this;
    digit->m_pos = Vec3{m_pos.x + dx, m_pos.y + dy - 9.0f, m_pos.z + dz};
    digit->m_inAir = 1;
    digit->m_column = firstColumn + static_cast<int32_t>(i);
    digit->m_row = row;
    digit->SetAnimation(colourType == 2 ? 1 : 0, 0, kPlayOnce);
    digit->m_motion = digits[i] - '0';
    digit->m_holdLast = 1;
    if (colourType == 1) digit->m_tint = 0xFFFF0000u;
    context->m_battleObjects.push_back(digit);
  }
}
