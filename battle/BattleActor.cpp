// A participant's own tick pieces: its hit frames, its movement against the
// map and the battle square, its drawing and its target rectangle.
#include <algorithm>

#include "battle/BattleObject.h"
#include "field/PickRegionList.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "render/3dAttr.h"
#include "render/RC.h"

namespace {
namespace battleactor {

constexpr int32_t kGaugeStart = 50;   // the gauge starts below this
constexpr int kTargetPick = 5;
constexpr int32_t kSlowCell = 4;      // takes back part of every step
constexpr float kSlowWhileFalling = 0.5f;
constexpr float kSlowOnFoot = 0.75f;
constexpr float kTestAboveInAir = 0.5f;
constexpr float kTestAboveOnFoot = 1.0f;

}  // namespace battleactor
}  // namespace

CBattleActor::CBattleActor() : m_timeGauge(static_cast<float>(platform::Rand() % battleactor::kGaugeStart)) {}

CBattleActor::~CBattleActor() {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  for (CActor* object : context->m_battleObjects) {
    auto* actor = dynamic_cast<CBattleActor*>(object);
    if (actor == nullptr || actor == this) continue;
    for (CBattleActor** held : {&actor->m_target, &actor->m_walkToActor, &actor->m_decoy}) {
      if (*held == this) *held = nullptr;
    }
  }
}

int32_t CBattleActor::CheckHitFrame() {
  if (!HasSheets()) return 0;
  if (m_hitDelay > 0) {
    --m_hitDelay;
    if (m_hitDelay > 0) return 0;
  }
  // A frame that stays (the held last one, or a still) hits once: waiting
  // out the delay on it would land the same blow again.
  const bool stays = m_holdLast != 0 || m_frameDuration <= 0;
  if (stays && m_hitFrame == m_motion) return 0;
  const int32_t event = GetAttackTimeEvent();
  if (event != 0) {
    m_hitDelay = m_frameDuration;
    m_hitKind = event - 1;
    m_hitFrame = m_motion;
  }
  return event;
}

// The return point is where the participant stood on its first tick.
void CBattleActor::UpdateFrame() {
  NoteFrameTick();
  CBattleObject::UpdateFrame();
}

void CBattleActor::NoteFrameTick() {
  if (!m_returnPointSet) {
    m_returnPoint = m_pos;
    m_returnPointSet = true;
  }
  if (m_parryOutOfReach != 0 && m_actionCode == kActIdle) m_outOfReach = m_parryOutOfReach = 0;
}

void CBattleActor::ApplyVelocity() {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  const Vec3 old = m_pos;
  m_bumped = 0;
  m_pos.x += m_velocity.x;
  m_pos.z += m_velocity.z;
  const Vec3 test{m_pos.x, m_pos.y - (m_inAir != 0 ? battleactor::kTestAboveInAir : battleactor::kTestAboveOnFoot), m_pos.z};
  const int r = context->CheckMove(test.x, test.y, test.z);
  if (r == 1) {
    m_pos.y = context->GetStandHeight(m_pos);
  } else if (r == 2 || r == 3) {
    Vec3 slid = test;
    if (r == 2) {
      context->PushOutOfActors(slid);
    } else {
      context->PushOutNearestAxis(slid);
    }
    if (context->CheckMove(slid.x, slid.y, slid.z) != 0) {
      m_pos = old;
      m_blocked = 1;
    } else {
      m_pos.x = slid.x;
      m_pos.z = slid.z;
      m_pos.y += slid.y - test.y;
    }
    m_bumped = 1;
  } else if (const CSelvarinFrame* frame = GetGameFrame()) {
    const CSelvarinFrame::BattleSquare square = frame->GetBattleSquare();
    const float half = square.side * 0.5f;
    const float x = std::clamp(m_pos.x, square.centerX - half, square.centerX + half);
    const float z = std::clamp(m_pos.z, square.centerZ - half, square.centerZ + half);
    if (x != m_pos.x || z != m_pos.z) m_bumped = 1;
    m_pos.x = x;
    m_pos.z = z;
  }
  if (m_bumped != 0) m_knockBack = -m_knockBack;
  m_bumpTicks = m_bumped != 0 ? m_bumpTicks + 1 : 0;
  if (context->m_pAttr != nullptr && context->m_pAttr->GetCellType(m_pos.x, m_pos.z) == battleactor::kSlowCell) {
    const float k = m_inAir != 0 ? battleactor::kSlowWhileFalling : battleactor::kSlowOnFoot;
    m_pos.x -= m_velocity.x * k;
    m_pos.z -= m_velocity.z * k;
  }
  if (m_actionCode != kActJump) m_velocity.x = m_velocity.z = 0.0f;
}

void CBattleActor::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  RenderBody(rc, view);
  RenderShadow(rc, view, 1.0f);
}

void CBattleActor::PostProcess() {
  if (m_hitFlash != 0) --m_hitFlash;
  ClampToAct();
}

void CBattleActor::AddTargetPickRegion(CRC& rc, const Matrix& view) {
  LayerStyle style;
  style.scaleX = m_scaleX;
  style.scaleY = m_scaleY;
  style.lonelyLayerOffScreenHides = false;
  style.measureOnly = true;
  style.who = "CBattleActor::Render";
  ScreenRect drawn;
  if (!QueueLayers(rc, view, style, &drawn) || !drawn.any) return;
  const auto width = static_cast<float>(rc.ViewWidth()), height = static_cast<float>(rc.ViewHeight());
  g_pickRegionList.Add(PickEdge(std::clamp(drawn.left, 0.0f, width)), PickEdge(std::clamp(drawn.right, 0.0f, width)),
                       PickEdge(std::clamp(drawn.top, 0.0f, height)),
                       PickEdge(std::clamp(drawn.bottom, 0.0f, height)), battleactor::kTargetPick, this);
}

