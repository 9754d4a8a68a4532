// The model enemy's frames by its model text's ranges, its drawing, and the
// steps its kinds are built from.
#include "battle/enemy/BattleEnemy3d.h"

#include <algorithm>
#include <cstdint>

#include "engine/ResMgr.h"
#include "engine/RmaRes.h"
#include "field/ModelDraw.h"
#include "field/PickRegionList.h"
#include "field/SelvarinFrame.h"
#include "field/Truncation.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "render/3dAnimModelRes.h"
#include "render/RC.h"
#include "session/Session.h"

namespace {
namespace battleenemy3d {

constexpr float kNearDepth = 10.0f;
constexpr int kModelPick = 5;
constexpr int kTargetPhaseFirst = 2, kTargetPhaseLast = 3;
constexpr float kGaugeFull = 100.0f;
constexpr float kStrikeGauge = 20.0f;
constexpr float kStrikeCost = 10.0f;
constexpr int32_t kSpecialEffect = 1011;
constexpr int32_t kSpecialPause = 30;
constexpr int32_t kVanishTicks = 120;
constexpr uint32_t kFrozenTint = 0xEE0033FF;
constexpr int32_t kDownTicks = 1200;

struct ScreenPoint {
  int32_t x, y;
};

ScreenPoint Project(const CRC& rc, const Matrix& m, const Vec3& v) {
  const Vec3 p = m.TransformPoint(v);
  const float depth = p.z >= kNearDepth ? p.z : kNearDepth;  // not a number too
  return {TruncateClamped(rc.m_centerX + static_cast<double>(p.x) * rc.m_focalX / depth),
          TruncateClamped(rc.m_halfHeight + static_cast<double>(p.y) * rc.m_focalY / depth)};
}

bool InTargetPhase() {
  const CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr && frame->m_battlePhase >= kTargetPhaseFirst && frame->m_battlePhase <= kTargetPhaseLast;
}

}  // namespace battleenemy3d
}  // namespace

CBattleEnemy3d::CBattleEnemy3d() {
  m_action = -1;
  m_frameDuration = 1;
}

void CBattleEnemy3d::Init() {
  CBattleEnemy::Init();
  m_action = -1;
}

// ---- Binding and stepping the model's frames ----

void CBattleEnemy3d::SetModelAction(int32_t action, int32_t delay, int32_t mode) {
  if (m_actionTable != nullptr && action >= 0 && action < m_actionTable->GetActionCount()) {
    const std::string& name = m_actionTable->GetActionModelName(action);
    m_model = name.empty() ? nullptr : dynamic_cast<C3dAnimModelRes*>(CResMgr::GetInstance().GetResStr(name));
  }
  int32_t bound = -1;
  if (m_actionTable != nullptr && m_actionTable->HasAction(action)) {
    bound = action;
  } else {
    DebugLog("없는 액션임!!");
  }
  // The sprite player's binding serves: its row is the model action.
  SetAnimation(bound, std::max(delay, 1), mode);
  m_modelFrame = bound >= 0 ? m_actionTable->GetActionStartFrame(bound) : 0;
  m_tickCount = 0;
  m_pingPongBack = 0;
}

void CBattleEnemy3d::SetAction(int32_t code) {
  m_shakeTicks = 0;
  m_staggered = 0;
  switch (code) {
    case kActDying:
    case kActRemoved:
    case kActDefeated:
      CBattleEnemy::SetAction(code);
      break;
    case kActFrozen:
      m_holdLast = 1;
      m_playMode = kPlayOnce;
      m_tint = battleenemy3d::kFrozenTint;
      m_shakeTicks = battleenemy3d::kDownTicks;
      break;
    case kActStunned:
      m_holdLast = 1;
      m_playMode = kPlayOnce;
      m_shakeTicks = battleenemy3d::kDownTicks;
      break;
    case kActKnockedDown:
      m_playMode = kPlayOnce;
      m_shakeTicks = battleenemy3d::kDownTicks;
      break;
    default:
      break;
  }
  CBattleObject::SetAction(code);
}

// Without a model nothing steps, but an action played once ends at once:
// strikes, reactions and dying must still come to their end.
void CBattleEnemy3d::UpdateFrame() {
  NoteFrameTick();
  ++m_tickCount;
  if (m_holdLast != 0) {
    ++m_holdTicks;
    return;
  }
  if (m_model == nullptr) {
    if (m_playMode == kPlayOnce) m_holdLast = 1;
    return;
  }
  if (m_tickCount % std::max(m_frameDuration, 1) == 0) {
    // A model text's frame may lie at either end of the range.
    m_modelFrame = SaturateInt32(static_cast<int64_t>(m_modelFrame) + (m_pingPongBack != 0 ? -1 : 1));
  }
  if (m_action < 0) {
    KeepFrameInModel();
  } else {
    KeepFrameInAction();
  }
}

void CBattleEnemy3d::KeepFrameInModel() {
  const int32_t frames = m_model->m_numFrames;
  if (m_modelFrame < frames) return;
  if (m_playMode == kPlayOnce) {
    m_modelFrame = std::max(frames - 1, 0);
    m_holdLast = 1;
  } else {
    m_modelFrame = 0;
  }
}

void CBattleEnemy3d::KeepFrameInAction() {
  const int32_t first = m_actionTable->GetActionStartFrame(m_action);
  const int32_t last = m_actionTable->GetActionEndFrame(m_action);
  if (m_modelFrame >= first && m_modelFrame <= last) return;
  const bool pastEnd = m_modelFrame > last;
  switch (m_playMode) {
    case kPlayOnce:
      m_modelFrame = last;
      m_holdLast = 1;
      break;
    case kPlayLoop:
      m_modelFrame = first;
      break;
    case kPlayPingPong:
      m_modelFrame = pastEnd ? last : first;
      m_pingPongBack = pastEnd ? 1 : 0;
      break;
    default:  // forward, back once, then the first frame held
      m_modelFrame = pastEnd ? last : first;
      m_pingPongBack = pastEnd ? 1 : 0;
      if (!pastEnd) m_holdLast = 1;
      break;
  }
}

int32_t CBattleEnemy3d::CheckHitFrame() {
  if (m_model == nullptr || m_actionTable == nullptr) return 0;
  if (m_hitDelay > 0) {
    --m_hitDelay;
    if (m_hitDelay > 0) return 0;
  }
  if (m_action < 0 || !m_actionTable->IsActionEventFrame(m_action, m_modelFrame)) return 0;
  m_hitDelay = m_frameDuration;
  return 1;
}

void CBattleEnemy3d::PostProcess() {
  if (m_hitFlash > 0) --m_hitFlash;
}

// ---- Drawing ----

bool CBattleEnemy3d::HasFrame() const { return m_modelFrame >= 0 && m_modelFrame < m_model->m_numFrames; }

uint32_t CBattleEnemy3d::Colour(int* colourOn) {
  *colourOn = m_model->m_alpha != 255 ? 1 : 0;
  uint32_t colour = 0xFFFFFFFFu;
  if (m_drawMode == 1 || m_drawMode == 2) {
    m_drawPhase ^= 1;
    if (m_drawPhase == 1) {
      *colourOn = m_altAlpha != 255 ? 1 : 0;
      if (m_altAlpha != 255) colour = static_cast<uint32_t>(m_altAlpha & 0xFF) << 24;
    }
  }
  if (m_tint != kNoTint) {
    *colourOn = 1;
    colour = m_tint;
  }
  if (m_alpha != 255) {
    *colourOn = 1;
    colour = static_cast<uint32_t>(m_alpha & 0xFF) << 24 | (m_tint & 0xFFFFFFu);
  }
  return colour;
}

// Vertices of a frame outside the model are never read: such a frame draws
// nothing, adds no pick rectangle and leaves the anchor where it was.
void CBattleEnemy3d::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0 || m_model == nullptr) return;
  C3dAnimModelRes& model = *m_model;
  const Matrix m = PlacedModelMatrix(model, m_pos, Vec3{m_angleX, m_angle, m_angleZ}, view);
  LightModelOnce(model, m, m_modelFrame);
  const bool hasFrame = HasFrame();
  if (!hasFrame) DebugLog(m_name);
  int shake = 0;
  if (m_shakeTicks > 0) {
    shake = m_shakePhase != 0 ? 1 : -1;
    if (m_tickCount % 2 == 0) m_shakePhase ^= 1;
  }
  int colourOn = 0;
  const uint32_t colour = Colour(&colourOn);
  if (hasFrame && !model.m_nodes.empty()) {
    DrawModelNode(rc, m, m_modelFrame, model.m_nodes.front().get(), colourOn, colour, m_hitFlash, shake, m_drawMode, 0,
                  0, 1.0f, 1.0f);
  }
  RenderShadow(rc, view, m_shadowScale);
  if (!hasFrame) return;
  if (battleenemy3d::InTargetPhase()) AddModelPickRegion(rc, m);
  PlaceAnchor(rc, m);
}

// A model without a vertex at the frame adds no rectangle: the empty one
// would turn, sorted, into the whole screen.
void CBattleEnemy3d::AddModelPickRegion(CRC& rc, const Matrix& m) {
  int32_t left = 2 * rc.ViewWidth(), top = 2 * rc.ViewHeight(), right = 0, bottom = 0;
  bool any = false;
  for (const auto& node : m_model->m_nodes) {
    const Vec3* vertices = node->FrameVertices(m_modelFrame);
    if (vertices == nullptr) continue;
    for (int32_t i = 0; i < node->m_numVertices; ++i) {
      const battleenemy3d::ScreenPoint s = battleenemy3d::Project(rc, m, vertices[i]);
      left = std::min(left, s.x);
      right = std::max(right, s.x);
      top = std::min(top, s.y);
      bottom = std::max(bottom, s.y);
      any = true;
    }
  }
  if (any) g_pickRegionList.Add(left, right, top, bottom, battleenemy3d::kModelPick, this);
}

void CBattleEnemy3d::PlaceAnchor(const CRC& rc, const Matrix& m) {
  if (m_model->m_nodes.empty()) return;
  const C3dAnimModelNode& first = *m_model->m_nodes.front();
  const Vec3* vertices = first.FrameVertices(m_modelFrame);
  if (vertices == nullptr || first.m_numVertices <= 0) return;
  const battleenemy3d::ScreenPoint s = battleenemy3d::Project(rc, m, vertices[0]);
  m_screenX = s.x;
  m_screenY = s.y;
}

// ---- The steps the kinds are built from ----

void CBattleEnemy3d::FadeOut(int32_t step) {
  if (m_visible == 0) return;
  const int32_t own = m_model != nullptr ? m_model->m_alpha : 255;
  if (m_alpha > own) m_alpha = own;
  m_alpha = static_cast<int32_t>(std::max<int64_t>(static_cast<int64_t>(m_alpha) - step, 0));
  if (m_alpha == 0) m_visible = 0;
}

void CBattleEnemy3d::WatchTarget() {
  CSession& session = CSession::GetInstance();
  FaceNearestPartyMember();
  if (m_timeGauge < battleenemy3d::kStrikeGauge || platform::Rand() % 8 != 4) return;
  CBattleActor* inReach = session.FindPartyMemberInReach(Slot());
  if (inReach == nullptr) return;
  m_target = inReach;
  FaceTarget();
  SetAction(kActAttack);
  m_timeGauge -= battleenemy3d::kStrikeCost;
}

bool CBattleEnemy3d::StepMeleeAttack() {
  if (m_target == nullptr) {
    GoIdle();
    return false;
  }
  if (CheckHitFrame() != 0) Resolve(EnemyResolve::kWeapon);
  return AnimationEnded();
}

void CBattleEnemy3d::AbsorbHit(float gain, float knockBackDivisor) {
  m_timeGauge = std::min(m_timeGauge + gain, battleenemy3d::kGaugeFull);
  m_velocity.y = 0.0f;
  m_inAir = 0;
  if (knockBackDivisor != 0.0f) m_knockBack /= knockBackDivisor;
}

void CBattleEnemy3d::BeginSpecial(int32_t hitLockTicks) {
  if (m_tickCount != 1) return;
  StartSpecial(battleenemy3d::kSpecialEffect, battleenemy3d::kSpecialPause);
  m_hitGuardTicks = hitLockTicks;
}

void CBattleEnemy3d::StepMagicAttack() {
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  FaceTarget();
  if (CheckHitFrame() != 0) Resolve(EnemyResolve::kSpecial);
  if (AnimationEnded()) GoIdle();
}

int CBattleEnemy3d::UpdateAction(int code) {
  switch (code) {
    case kActIdle:
      FaceTarget();
      return 1;
    case kActVanish:
      if (m_tickCount > battleenemy3d::kVanishTicks) SetAction(kActDefeated);
      FadeOut(2);
      m_tint = static_cast<uint32_t>(m_alpha & 0xFF) << 24 | 0xFFFF00u;
      return 1;
    default:
      return CBattleEnemy::UpdateAction(code);
  }
}
