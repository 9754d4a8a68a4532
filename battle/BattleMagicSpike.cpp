#include "battle/BattleMagicSpike.h"

#include <algorithm>
#include <cmath>

#include "battle/HitCarrier.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/SelvarinContext.h"
#include "render/3dGround.h"

namespace {
namespace battlemagicspike {

constexpr int kHitSignal = 60;
constexpr int kSpikeGone = 62;
constexpr int kMagicGone = 63;
constexpr float kLiftStep = 0.34f;
constexpr int32_t kRiseTicks = 20;
constexpr int32_t kLastHold = 40;

// Another live spike on the same vertex, whose rest heights are the true ones.
const CBattleMagicSpike* SpikeOn(const CSelvarinContext& context, const CBattleMagicSpike& self) {
  for (const CActor* actor : context.m_battleObjects) {
    const auto* other = dynamic_cast<const CBattleMagicSpike*>(actor);
    if (other != nullptr && other != &self && other->m_corners[0] == self.m_corners[0]) return other;
  }
  return nullptr;
}

}  // namespace battlemagicspike
}  // namespace

CBattleMagicSpike::~CBattleMagicSpike() {
  RestoreGround();
  if (m_magic != nullptr) m_magic->OnMessage(this, battlemagicspike::kSpikeGone, 0, 0, 0);
}

bool CBattleMagicSpike::Bind(CBattleMagic* magic) {
  CSelvarinContext* context = GetFieldContext();
  C3dGround* ground = context != nullptr ? context->m_pGround : nullptr;
  if (magic == nullptr || ground == nullptr) return false;
  const float cell = static_cast<float>(ground->CellSize());
  const auto column = static_cast<int32_t>(static_cast<float>(ground->Width() / 2) + magic->m_pos.x / cell);
  const auto row = static_cast<int32_t>(static_cast<float>(ground->Height() / 2) + magic->m_pos.z / cell);
  if (column < 0 || row < 0 || column + 1 > ground->Width() - 1 || row + 1 > ground->Height() - 1) return false;
  m_magic = magic;
  magic->m_spike = this;
  m_pos = magic->m_pos;
  m_column = column;
  m_row = row;
  m_corners = {&ground->GetCell(column + 1, row + 1)->height[0], &ground->GetCell(column, row + 1)->height[1],
               &ground->GetCell(column + 1, row)->height[2], &ground->GetCell(column, row)->height[3]};
  const CBattleMagicSpike* other = battlemagicspike::SpikeOn(*context, *this);
  for (size_t i = 0; i < m_corners.size(); ++i) m_rest[i] = other != nullptr ? other->m_rest[i] : *m_corners[i];
  m_base = magic->m_pos.y;
  return true;
}

void CBattleMagicSpike::RestoreGround() {
  if (m_corners[0] == nullptr) return;
  for (size_t i = 0; i < m_corners.size(); ++i) *m_corners[i] = m_rest[i];
}

bool CBattleMagicSpike::OnProcess() {
  if (m_magic == nullptr) {
    RestoreGround();
    return false;
  }
  const int32_t t = m_tickCount;
  if (t < battlemagicspike::kRiseTicks) {
    m_liftSpeed += battlemagicspike::kLiftStep;
    m_lift += m_liftSpeed;
  } else if (t <= battlemagicspike::kLastHold) {
    m_liftSpeed = 0.0f;
  } else {
    m_liftSpeed += battlemagicspike::kLiftStep;
    m_lift -= m_liftSpeed;
  }
  m_lift = std::min(m_lift, kMostLift);
  if (m_lift < 0.0f) {
    m_lift = 0.0f;
    RestoreGround();
    return false;
  }
  for (float* corner : m_corners) *corner = m_base - m_lift;
  // The signal may end the magic's battle; nothing of this spike is read after it.
  ++m_tickCount;
  if (t <= battlemagicspike::kLastHold) m_magic->OnMessage(this, battlemagicspike::kHitSignal, 0, 0, 0);
  return true;
}

void CBattleMagicSpike::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == battlemagicspike::kMagicGone) {
    m_magic = nullptr;
  } else {
    AnswerCarrierMessage(*this, sender, code, value0, value1, value2);
  }
}
