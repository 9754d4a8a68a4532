// Summoning: the recall skills' creatures, placed on the ground where the
// user points, or at the battle's centre.
#include <array>

#include "battle/BattleObject.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "session/Session.h"

namespace {

constexpr int kPackRecall = 0;
constexpr int kCentreRecall = 5;
constexpr int kLastRecall = 6;
// The pack's four companions stand around the first.
constexpr std::array<std::array<float, 2>, 5> kPackOffsets = {
    {{0.0f, 0.0f}, {-10.0f, -10.0f}, {-10.0f, 10.0f}, {10.0f, -10.0f}, {10.0f, 10.0f}}};

void PlaceRecall(CSelvarinContext& context, CBattleActor& user, int recall, float x, float z) {
  CBattleRecall* creature = context.MakeBattleRecall(&user, &user, recall);
  creature->m_pos = Vec3{x, context.AttrHeight(x, z), z};
}

}  // namespace

void CSession::LaunchRecall(int position, bool isParty, int recall) {
  auto* user = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  if (user == nullptr) {
    DebugLog("srcActor == NULL");
    return;
  }
  if (user->m_target != nullptr && user->m_target->m_actionCode == kActRemoved) return;
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  if (recall < 0 || recall > kLastRecall) {
    DebugLogf("CSession::LaunchRecall - no recall %d", recall);
    return;
  }
  float x = user->m_targetX, z = user->m_targetZ;
  if (recall == kCentreRecall) context->GetStationPoint(&x, &z);
  const size_t count = recall == kPackRecall ? kPackOffsets.size() : 1;
  for (size_t i = 0; i < count; ++i) PlaceRecall(*context, *user, recall, x + kPackOffsets[i][0], z + kPackOffsets[i][1]);
}
