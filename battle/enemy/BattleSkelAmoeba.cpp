// The kinds on the shared approach body: they walk up to the chosen
// special's distance and strike. Three on the standard sheet layout, the
// water leaper and the lava man on their own.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace skelamoeba {

using enemyrows::Blow;
using enemyrows::Walk;

constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit)};
// Only its special approach and strike come back to the normal sheet.
constexpr EnemyRow kLeaperRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = kOwn},
    {.code = kActApproach, .base = 8, .mode = 2, .sheet = kOwn},
    {.code = kActWalkBack, .base = 8, .mode = 2, .sheet = kOwn},
    {.code = kActSpecialApproach, .base = 8, .mode = 2},
    {.code = kActAttack, .base = 12, .sheet = kOwn},
    {.code = kActDamageLight, .base = 4, .sheet = kOwn},
    {.code = kActSpecialHit, .base = 12},
};
// It stands and walks on one row.
constexpr EnemyRow kLavaRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2},        {.code = kActApproach, .base = 0, .mode = 2},
    {.code = kActWalkBack, .base = 0, .mode = 2},    {.code = kActSpecialApproach, .base = 0, .mode = 2},
    {.code = kActAttack, .base = 4},                 {.code = kActDamageLight, .base = 8},
    {.code = kActSpecialHit, .base = 4},
};

constexpr EnemyKindDef OnApproachBody(const char* name, std::span<const EnemyRow> rows,
                                       std::span<const EnemyRow> layout = {}) {
  return enemyrows::OnBody(EnemyBody::kSpecialApproach, name, rows, layout);
}

}  // namespace skelamoeba
}  // namespace

const EnemyKindDef CBattleSkelAmoeba::kDef = skelamoeba::OnApproachBody("스켈아메바", skelamoeba::kRows, enemyrows::kStandard);
const EnemyKindDef CBattleEmpireMarin::kDef = skelamoeba::OnApproachBody("제국병사", skelamoeba::kRows, enemyrows::kStandard);
const EnemyKindDef CBattleLarvae::kDef = skelamoeba::OnApproachBody("라바", skelamoeba::kRows, enemyrows::kStandard);
const EnemyKindDef CBattleWaterleaper::kDef = skelamoeba::OnApproachBody("워터리퍼", skelamoeba::kLeaperRows);
const EnemyKindDef CBattleFrameMan::kDef = skelamoeba::OnApproachBody("용암마인", skelamoeba::kLavaRows);
SLV_REGISTER_ACTOR(CBattleSkelAmoeba, CBattleSkelAmoeba::kDef.name);
SLV_REGISTER_ACTOR(CBattleEmpireMarin, CBattleEmpireMarin::kDef.name);
SLV_REGISTER_ACTOR(CBattleLarvae, CBattleLarvae::kDef.name);
SLV_REGISTER_ACTOR(CBattleWaterleaper, CBattleWaterleaper::kDef.name);
SLV_REGISTER_ACTOR(CBattleFrameMan, CBattleFrameMan::kDef.name);
