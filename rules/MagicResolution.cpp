// Casting a magic in battle: its objects placed on the battlefield, and its
// damage on one participant (the weapon blow's formula with the caster's
// magic power against the target's magic defence).
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "battle/ActionCode.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "session/MagicMgr.h"
#include "session/Session.h"

using damage_steps::ClampInt;
using damage_steps::GapFactor;

namespace {
namespace magicresolution {

const MagicTypeInfo* MagicRecord(int magic) {
  const CMagicMgr& table = CMagicMgr::GetInstance();
  return magic >= 0 && magic < table.GetCount() ? table.GetMagicTypeInfo(magic) : nullptr;
}

// How the placement table lays a magic's objects out.
enum class Layout : uint8_t {
  kAtCaster,      // on the ground under the caster
  kAtPoint,       // at the chosen point + 4.99, on its ground
  kPointGrid,     // about the chosen point every 20 units, out to `span`
  kAimedFacings,  // aimed at the target, one facing each 90 degrees
  kStationRain,   // at random points within 90 of the station point
  kAimedCorners,  // aimed at the target, 20 off it on both axes
  kStationGrid,   // at random 20-unit grid points about the station point
};

struct PlacementRow {
  int magic;
  Layout layout;
  int count;
  float lift;     // added to the ground height (negative is up)
  int delayStep;  // -1: each a random delay 0-99
  int span;
};

constexpr PlacementRow kPlacements[] = {
    {12, Layout::kAtCaster, 1, 0.0f, 0, 0},       {13, Layout::kAtCaster, 1, 0.0f, 0, 0},
    {23, Layout::kAtCaster, 1, 0.0f, 0, 0},       {24, Layout::kAtCaster, 1, 0.0f, 0, 0},
    {53, Layout::kAtCaster, 1, 0.0f, 0, 0},       {58, Layout::kAtCaster, 1, 0.0f, 0, 0},
    {59, Layout::kAtCaster, 1, 0.0f, 0, 0},       {60, Layout::kAtCaster, 1, 0.0f, 0, 0},
    {20, Layout::kAtPoint, 1, 0.0f, 0, 0},        {21, Layout::kPointGrid, 9, 0.0f, 15, 20},
    {22, Layout::kPointGrid, 17, 0.0f, 15, 40},   {29, Layout::kAimedFacings, 4, 0.0f, 0, 0},
    {31, Layout::kStationRain, 70, -150.0f, 5, 0}, {32, Layout::kStationRain, 70, -150.0f, 5, 0},
    {35, Layout::kStationRain, 30, 0.0f, 4, 0},   {38, Layout::kAimedCorners, 4, 0.0f, 0, 0},
    {46, Layout::kStationGrid, 25, 0.0f, 10, 0},  {47, Layout::kStationGrid, 80, 0.0f, 3, 0},
    {52, Layout::kStationGrid, 25, 0.0f, -1, 0},
};

const PlacementRow* FindPlacement(int magic) {
  for (const PlacementRow& row : kPlacements) {
    if (row.magic == magic) return &row;
  }
  return nullptr;
}

// One cast being placed.
struct Cast {
  CSelvarinContext& context;
  CBattleActor& caster;
  CBattleActor* target;
  int magic;
  float stationX = 0.0f, stationZ = 0.0f;

  float Ground(float x, float z) const { return context.GroundAt(x, z); }
  CBattleMagic* Make(CSelvarinActor* from, CSelvarinActor* to, float x, float y, float z, int delay) const {
    CBattleMagic* object = context.MakeBattleMagic(from, to, magic);
    if (object == nullptr) return nullptr;
    object->m_pos = Vec3{x, y, z};
    object->m_delay = delay;
    return object;
  }
  // From the caster at its target, on the ground at (x, z).
  CBattleMagic* MakeAt(float x, float z, float lift, int delay) const {
    return Make(&caster, target, x, Ground(x, z) + lift, z, delay);
  }
  // At the target, unless it sends the magic back (then from it at the
  // caster, starting where it stands) or cancels it. Its flags are read
  // afresh each time, after its answer to the one before.
  CBattleMagic* Aim() const {
    if (target == nullptr) return nullptr;
    if (target->m_reflectFlag != 0) {
      target->OnMessage(&caster, kMsgReflect, 0, 0, 0);
      return context.MakeBattleMagic(target, &caster, magic);
    }
    if (target->m_nullifyFlag != 0) {
      target->OnMessage(&caster, kMsgNullify, 0, 0, 0);
      return nullptr;
    }
    return context.MakeBattleMagic(&caster, target, magic);
  }
};

// 15 ticks for each 20-unit ring out from the centre.
int RingDelay(int dx, int dz) { return 15 * std::max(std::abs(dx) / 20, std::abs(dz) / 20); }

void PlaceGrid(const Cast& c, const PlacementRow& row) {
  const float cx = c.caster.m_targetX + 4.99f, cz = c.caster.m_targetZ + 4.99f;
  for (int dx = -row.span; dx <= row.span; dx += 20) {
    for (int dz = -row.span; dz <= row.span; dz += 20) {
      if (row.span > 20 && std::abs(dx) != std::abs(dz) && dx != 0 && dz != 0) continue;
      c.MakeAt(cx + static_cast<float>(dx), cz + static_cast<float>(dz), 0.0f, RingDelay(dx, dz));
    }
  }
}

void PlaceRandom(const Cast& c, const PlacementRow& row) {
  for (int i = 0; i < row.count; ++i) {
    // x is drawn before z, the delay last.
    int dx = 0, dz = 0;
    if (row.layout == Layout::kStationRain) {
      dx = platform::Rand() % 180 - 90;
      dz = platform::Rand() % 180 - 90;
    } else {
      dx = platform::Rand() % 9 * 20 - 80;
      dz = platform::Rand() % 9 * 20 - 80;
    }
    const int delay = row.delayStep < 0 ? platform::Rand() % 100 : i * row.delayStep;
    CBattleMagic* object =
        c.MakeAt(c.stationX + static_cast<float>(dx), c.stationZ + static_cast<float>(dz), row.lift, delay);
    if (object != nullptr && row.layout == Layout::kStationRain && row.lift != 0.0f) object->m_velocity.y = 1.0f;
  }
}

void PlaceAimed(const Cast& c, const PlacementRow& row) {
  static constexpr float kFacings[4] = {0.0f, 90.0f, 180.0f, 270.0f};
  static constexpr float kCorners[4][2] = {{-20.0f, -20.0f}, {-20.0f, 20.0f}, {20.0f, -20.0f}, {20.0f, 20.0f}};
  for (int i = 0; i < row.count; ++i) {
    CBattleMagic* object = c.Aim();
    if (object == nullptr) continue;
    if (row.layout == Layout::kAimedFacings) {
      object->m_angle = kFacings[i];
      continue;
    }
    // A reflected one starts beside the caster it flies back at.
    const CSelvarinActor* at = object->m_user == &c.caster ? c.target : &c.caster;
    const float x = at->m_pos.x + kCorners[i][0], z = at->m_pos.z + kCorners[i][1];
    object->m_pos = Vec3{x, c.Ground(x, z), z};
  }
}

void PlaceRow(const Cast& c, const PlacementRow& row) {
  switch (row.layout) {
    case Layout::kAtCaster:
      c.MakeAt(c.caster.m_pos.x, c.caster.m_pos.z, 0.0f, 0);
      break;
    case Layout::kAtPoint: {
      const float x = c.caster.m_targetX, z = c.caster.m_targetZ;
      c.Make(&c.caster, c.target, x + 4.99f, c.Ground(x, z), z + 4.99f, 0);
      break;
    }
    case Layout::kPointGrid:
      PlaceGrid(c, row);
      break;
    case Layout::kStationRain:
    case Layout::kStationGrid:
      PlaceRandom(c, row);
      break;
    case Layout::kAimedFacings:
    case Layout::kAimedCorners:
      PlaceAimed(c, row);
      break;
  }
}

// 41: a whirl of thirty about the caster, turning alternately left and right.
void PlaceWhirl(const Cast& c) {
  const Vec3 at = c.caster.m_pos;
  for (int i = 0; i < 30; ++i) {
    const int delay = platform::Rand() % 100;
    const int facing = platform::Rand() % 360;
    const int spin = 5 + platform::Rand() % 10;
    CBattleMagic* object = c.Make(&c.caster, c.target, at.x, c.Ground(at.x, at.z) - 15.0f, at.z, delay);
    if (object == nullptr) continue;
    object->m_angle = static_cast<float>(facing);
    object->m_spiralAngle = static_cast<float>(facing);
    object->m_angularStep = static_cast<float>(i % 2 == 0 ? spin : -spin);
    object->m_goal = at;
  }
}

// 42: two on either side of the caster, half the station radius out,
// facing it.
void PlacePair(const Cast& c) {
  const float half = c.context.GetStationRadius() / 2.0f;
  for (const float side : {-half, half}) {
    const float x = c.caster.m_pos.x + side, z = c.caster.m_pos.z + half;
    CBattleMagic* object = c.MakeAt(x, z, -5.0f, 0);
    if (object != nullptr) object->FaceToward(c.caster.m_pos.x, c.caster.m_pos.z);
  }
}

// 43: four rays, each a head and eleven trailing ones; 45: one ray of ten.
void PlaceRays(const Cast& c, int rays, int trail, int trailStep, float speed) {
  const float x = c.caster.m_pos.x, z = c.caster.m_pos.z;
  for (int ray = 0; ray < rays; ++ray) {
    const float facing = 90.0f * static_cast<float>(ray);
    for (int k = 0; k <= trail; ++k) {
      CBattleMagic* object = c.MakeAt(x, z, -5.0f, k * trailStep);
      if (object == nullptr) continue;
      object->m_angle = facing;
      object->m_baseHeading = facing;
      object->m_speed = speed;
      object->m_variant = k == 0 ? 0 : 1;
    }
  }
}

// 44: one beside the caster, facing the station point.
void PlaceSweep(const Cast& c) {
  const float shift = c.context.GetStationRadius() * 0.4f;
  CBattleMagic* object = c.MakeAt(c.caster.m_pos.x - shift, c.caster.m_pos.z + shift, 0.0f, 0);
  if (object == nullptr) return;
  object->FaceToward(c.stationX, c.stationZ);
  object->m_baseHeading = object->m_angle;
  object->m_speed = 1.5f;
}

// 57: water balls rise where the ground about the caster lies under water.
void PlaceWaterBalls(const Cast& c) {
  const float goalY = c.Ground(c.stationX, c.stationZ) - 85.0f;
  for (int dx = -50; dx <= 50; dx += 10) {
    for (int dz = -50; dz <= 50; dz += 10) {
      const float x = c.caster.m_pos.x + static_cast<float>(dx), z = c.caster.m_pos.z + static_cast<float>(dz);
      const float ground = c.Ground(x, z);
      if (!(ground > c.context.m_waterLevel)) continue;
      CBattleMagic* object = c.Aim();
      if (object == nullptr) continue;
      object->m_pos = Vec3{x, ground, z};
      object->m_goal = Vec3{c.stationX, goalY, c.stationZ};
    }
  }
}

// By target type: one at each of a side, at a point, or aimed at the target.
void PlaceByTargetType(const Cast& c, const MagicTypeInfo& record, bool casterIsParty) {
  CSession& session = CSession::GetInstance();
  switch (record.targetType) {
    case 1:
    case 3: {
      const bool party = casterIsParty == (record.targetType == 1);
      const int count = party ? session.battlePartyCount : CSession::kMaxEnemies;
      for (int i = 0; i < count; ++i) {
        CSelvarinActor* actor = session.GetBattleActor(i, party);
        if (actor != nullptr) c.context.MakeBattleMagic(&c.caster, actor, c.magic);
      }
      break;
    }
    case 4:
      c.MakeAt(c.caster.m_targetX, c.caster.m_targetZ, 0.0f, 0);
      break;
    case 5:
    case 6:
      c.MakeAt(c.stationX, c.stationZ, 0.0f, 0);
      break;
    case 0:
    case 2:
      c.Aim();
      break;
    default:
      break;
  }
}

void PlaceMagic(Cast& c, const MagicTypeInfo& record, int position, bool isParty) {
  if (const PlacementRow* row = FindPlacement(c.magic)) {
    PlaceRow(c, *row);
    return;
  }
  switch (c.magic) {
    case 41: PlaceWhirl(c); break;
    case 42: PlacePair(c); break;
    case 43: PlaceRays(c, 4, 11, 8, 3.0f); break;
    case 44: PlaceSweep(c); break;
    case 45: PlaceRays(c, 1, 9, 6, 0.0f); break;
    case 57: PlaceWaterBalls(c); break;
    case 61: CSession::GetInstance().LaunchRecall(position, isParty, 6); break;
    default: PlaceByTargetType(c, record, isParty); break;
  }
}

// A removed target stops the cast; only resurrection reaches a removed
// member.
bool TargetStopsCast(const CBattleActor* target, const MagicTypeInfo& record) {
  if (target == nullptr || target->m_actionCode != kActRemoved) return false;
  return target->m_battleId[1] != 1 || record.name != "리저렉션";
}

}  // namespace magicresolution
}  // namespace

void CSession::ResolveMagic(int position, bool isParty) {
  auto* caster = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  if (caster == nullptr) {
    DebugLog("srcActor == NULL");
    return;
  }
  const int magic = caster->m_chosenIndex;
  const MagicTypeInfo* record = magicresolution::MagicRecord(magic);
  CSelvarinContext* context = GetFieldContext();
  if (record == nullptr || context == nullptr) {
    DebugLogf("CSession::ResolveMagic - magic %d cannot be cast", magic);
    return;
  }
  if (magicresolution::TargetStopsCast(caster->m_target, *record)) return;
  magicresolution::Cast cast{*context, *caster, caster->m_target, magic};
  context->GetStationPoint(&cast.stationX, &cast.stationZ);
  magicresolution::PlaceMagic(cast, *record, position, isParty);
  caster->PostFrameMessage(record->name.c_str());
}

int CSession::GetMagicPower(int position, bool isParty, int magic) const {
  const Fighter f = FighterAt(*this, position, isParty);
  const MagicTypeInfo* record = magicresolution::MagicRecord(magic);
  if (!f.Exists() || record == nullptr) return 0;
  const int64_t base = f.IsParty() ? f.player->intelligence : f.enemy->phyAtk;
  int64_t power = record->powerAbsolute != 0 ? base * record->power / 100 : base + record->power;
  if ((f.Conditions() & kCurse) != 0) power /= 2;
  return ClampInt(power);
}

int CSession::GetMagicDefence(int position, bool isParty) const {
  const Fighter f = FighterAt(*this, position, isParty);
  if (!f.Exists()) return 0;
  return f.IsParty() ? f.player->vitality : f.enemy->magDef;
}

int CSession::ComputeMagicDamage(int caster, bool casterIsParty, int target, bool targetIsParty, int magic) {
  const Fighter a = FighterAt(*this, caster, casterIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  const MagicTypeInfo* record = magicresolution::MagicRecord(magic);
  if (!a.Exists() || !t.Exists() || record == nullptr) return 1;
  const int64_t la = a.Level(), lt = t.Level();
  int64_t l = 100, h = 100;
  if (!a.IsParty() && t.IsParty() && la > lt) l = GapFactor(*this, la - lt);
  if (a.IsParty() && !t.IsParty() && lt > la) h = GapFactor(*this, lt - la);

  int64_t o = GetMagicPower(caster, casterIsParty, magic);
  if (t.IsParty() && Wears(*t.player, WornSlot::kAcc1, "루비네클리스")) o = o * 80 / 100;
  const int64_t defence = h * GetMagicDefence(target, targetIsParty) / 100;
  int64_t d = std::max(BaseDamage(ClampInt(o), a.Level(), ClampInt(defence), t.Level(), a.IsParty(), t.IsParty()), 0);
  d = ApplyAttributeFactor(ClampInt(d), record->attr, GetDefenceAttribute(target, targetIsParty));
  if (t.IsParty() && record->attr == 3 && t.player->battleValues[0] != 0) d /= 2;
  return damage_steps::FinishDamage(*this, d, {caster, casterIsParty, target, targetIsParty}, l);
}
