// A participant's chosen skill becomes skill objects: a few skills lay out a
// pattern of their own, the rest one object per target their target type
// names. An enemy's use always adds one more object on its target.
#include <array>
#include <cstring>
#include <span>

#include "battle/BattleObject.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {
namespace skillplacement {

// The one skill a removed member still takes.
constexpr char kBloodletting[] = "사혈_삼릉침술(瀉血_三稜針術)";
constexpr int kFirstRecallSkill = 176;
constexpr int kLastRecallSkill = 181;
constexpr int kSwarmSkill = 184;  // shows no name

enum class Layout : uint8_t {
  kAtUser,          // all at the user's x and z
  kTargetOffsets,   // around the target at fixed offsets
  kTargetScatter,   // around the target, 16-45 away on each axis
  kTargetJitter,    // on the target, up to 15 away on each axis
};

struct PatternRow {
  int skill;
  bool party;  // the user's side
  int count;
  Layout layout;
  float dy;       // from the target's height
  int indexStep;  // the numbering; 0: a random start delay below `delay`
  int delay;
};

constexpr PatternRow kPatterns[] = {
    {137, true, 5, Layout::kAtUser, -10.0f, 10, 0},
    {148, true, 7, Layout::kTargetOffsets, -10.0f, 1, 0},
    {160, true, 15, Layout::kTargetScatter, -5.0f, 0, 30},
    {31, false, 2, Layout::kAtUser, -10.0f, 1, 0},
    {58, false, 3, Layout::kAtUser, -10.0f, 1, 0},
    {86, false, 3, Layout::kAtUser, -10.0f, 1, 0},
    {87, false, 3, Layout::kAtUser, -10.0f, 1, 0},
    {88, false, 3, Layout::kAtUser, -10.0f, 1, 0},
    {72, false, 16, Layout::kAtUser, 0.0f, 1, 0},
    {73, false, 16, Layout::kAtUser, 0.0f, 1, 0},
    {80, false, 7, Layout::kAtUser, 0.0f, 1, 0},
    {83, false, 5, Layout::kAtUser, -10.0f, 1, 0},
    {kSwarmSkill, false, 8, Layout::kTargetJitter, 0.0f, 0, 10},
};

constexpr std::array<std::array<float, 2>, 7> kOffsets148 = {
    {{-20.0f, 40.0f}, {0.0f, 40.0f}, {10.0f, 20.0f}, {0.0f, 10.0f}, {0.0f, -10.0f}, {-5.0f, -30.0f}, {0.0f, -50.0f}}};

const PatternRow* FindPattern(int skill, bool party) {
  for (const PatternRow& row : kPatterns) {
    if (row.skill == skill && row.party == party) return &row;
  }
  return nullptr;
}

// -45..-15 or +16..+45.
float ScatterOffset() {
  const int r = platform::Rand() % 61;
  return static_cast<float>(r <= 30 ? r - 45 : r - 15);
}

float JitterOffset() { return static_cast<float>(platform::Rand() % 31 - 15); }

struct Use {
  CSelvarinContext& context;
  CBattleActor& user;
  CBattleActor* target;
  int skill;

  void Place(CSelvarinActor* on, const Vec3& where, int index) const {
    CBattleSkill* object = context.MakeBattleSkill(&user, on, skill);
    object->m_pos = where;
    object->m_index = index;
  }
  void PlaceOn(CSelvarinActor* on) const {
    if (on != nullptr) Place(on, on->m_pos, 0);
  }
};

// Draws in the order x, z, delay for each object.
void PlacePattern(const Use& use, const PatternRow& row) {
  if (use.target == nullptr) return;
  const Vec3 t = use.target->m_pos;
  for (int i = 0; i < row.count; ++i) {
    Vec3 where{use.user.m_pos.x, t.y + row.dy, use.user.m_pos.z};
    if (row.layout == Layout::kTargetOffsets) {
      where.x = t.x + kOffsets148[static_cast<size_t>(i)][0];
      where.z = t.z + kOffsets148[static_cast<size_t>(i)][1];
    } else if (row.layout == Layout::kTargetScatter) {
      where.x = t.x + ScatterOffset();
      where.z = t.z + ScatterOffset();
    } else if (row.layout == Layout::kTargetJitter) {
      where.x = t.x + JitterOffset();
      where.z = t.z + JitterOffset();
    }
    const int index = row.indexStep > 0 ? i * row.indexStep : platform::Rand() % row.delay;
    use.Place(use.target, where, index);
  }
}

void PlaceOnSide(const CSession& session, const Use& use, bool partySide) {
  const int count = partySide ? CSession::kMaxParty : CSession::kMaxEnemies;
  for (int n = 0; n < count; ++n) use.PlaceOn(session.GetBattleActor(n, partySide));
}

// By target type: own side, other side, the chosen ground point or the
// target; other types place nothing.
void PlaceByTargetType(const CSession& session, const Use& use, int targetType, bool userIsParty) {
  switch (targetType) {
    case 1: PlaceOnSide(session, use, userIsParty); break;
    case 3: PlaceOnSide(session, use, !userIsParty); break;
    case 4: {
      const float x = use.user.m_targetX, z = use.user.m_targetZ;
      use.Place(use.target, Vec3{x, use.context.AttrHeight(x, z), z}, 0);
      break;
    }
    case 0:
    case 2:
    case 5:
    case 6: use.PlaceOn(use.target); break;
    default: break;
  }
}

bool StopsAtRemovedTarget(const CBattleActor* target, const SkillTypeInfo& record) {
  if (target == nullptr || target->m_actionCode != kActRemoved) return false;
  const bool partyTarget = target->m_battleId[1] == 1;
  return !partyTarget || std::strcmp(record.name.c_str(), kBloodletting) != 0;
}

}  // namespace skillplacement
}  // namespace

void CSession::ResolveSkill(int position, bool isParty) {
  auto* user = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  CSelvarinContext* context = GetFieldContext();
  if (user == nullptr || context == nullptr) return;
  const int skill = user->m_chosenIndex;
  const CSkillMgr& table = CSkillMgr::GetInstance();
  if (skill < 0 || skill >= table.GetCount()) {
    DebugLogf("CSession::ResolveSkill - no skill %d", skill);
    return;
  }
  const SkillTypeInfo& record = *table.GetSkillTypeInfo(skill);
  if (skillplacement::StopsAtRemovedTarget(user->m_target, record)) return;
  const skillplacement::Use use{*context, *user, user->m_target, skill};
  if (isParty && skill >= skillplacement::kFirstRecallSkill && skill <= skillplacement::kLastRecallSkill) {
    LaunchRecall(position, isParty, skill - skillplacement::kFirstRecallSkill);
  } else if (const skillplacement::PatternRow* row = skillplacement::FindPattern(skill, isParty)) {
    skillplacement::PlacePattern(use, *row);
  } else {
    skillplacement::PlaceByTargetType(*this, use, record.targetType, isParty);
  }
  if (!isParty) use.PlaceOn(use.target);
  if (skill != skillplacement::kSwarmSkill) user->PostFrameMessage(record.name.c_str());
}
