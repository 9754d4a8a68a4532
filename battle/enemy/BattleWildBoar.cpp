#include "battle/enemy/BattleWildBoar.h"

namespace {
namespace wildboar {

constexpr EnemyRow kRows[] = {
    {.code = kActAttack, .base = 20, .hop = -1.7f},
    {.code = kActSpecialHit, .base = 20},
    {.code = kActDig, .base = 12, .mode = 2, .wave = "멧돼지땅파기.wav"},
    {.code = kActCharge, .base = 16, .delay = 6, .mode = 2, .wave = "멧돼지돌격.wav"},
    {.code = kActRunUp, .base = 8, .delay = 6, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActDying, .wave = "멧돼지죽음.wav", .toBase = true},
};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActDig}};
constexpr EnemyWindUp kWindUps[] = {{.code = kActDig, .next = kActRunUp, .afterTick = 95}};
constexpr EnemyRush kRushes[] = {
    {.speed = 1.2f, .reachFactor = 2.0f, .next = kActCharge, .gaugeOnGiveUp = true, .code = kActRunUp},
    {.code = kActCharge},
};

}  // namespace wildboar
}  // namespace

const EnemyKindDef CBattleWildBoar::kDef{
    .name = "멧돼지",
    .rows = wildboar::kRows,
    .routes = wildboar::kRoutes,
    .icon = {.sheetAction = 0},
    .windUps = wildboar::kWindUps,
    .rushes = wildboar::kRushes,
};
SLV_REGISTER_ACTOR(CBattleWildBoar, CBattleWildBoar::kDef.name);

// The leap lands before its blow is weighed.
int CBattleWildBoar::UpdateAction(int code) {
  switch (code) {
    case kActAttack:
      SetSpeed(ScaledSpeed(1.5f));
      if (m_holdLast != 0) {
        SetAction(kActWalkBack);
        Resolve(EnemyResolve::kWeapon);
      }
      return 1;
    case kActSpecialHit:
      UpdateGore(false);
      return 1;
    default:
      return TableEnemy::UpdateAction(code);
  }
}
