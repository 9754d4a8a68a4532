// The base-behaviour kinds' tables.
#include "battle/enemy/BaseBehaviourKinds.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace basebehaviour {

using enemyrows::Blow;
using enemyrows::kStandard;
using enemyrows::Walk;

constexpr EnemyRow kHobGoblinRows[] = {Walk(kActSpecialApproach), enemyrows::kSpecialSheetStrike};
// Its second walk and blow stand in the table, though no order of its own
// starts them.
constexpr EnemyRow kZombieRows[] = {Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Blow(kActSpecialHit),
                                    Blow(kActSpecialHit2)};

}  // namespace basebehaviour
}  // namespace

constinit const EnemyKindDef StandardTable::kDef{.layout = basebehaviour::kStandard};
constinit const EnemyKindDef CBattleGobulin2::kDef{.name = "홉고블린",
                                                   .specialFolder = enemyrows::kBeastFolder,
                                                   .body = EnemyBody::kSpecialApproach,
                                                   .rows = basebehaviour::kHobGoblinRows,
                                                   .layout = basebehaviour::kStandard};
constinit const EnemyKindDef CBattleZoonBie::kDef =
    enemyrows::OnBody(EnemyBody::kSpecialApproach, "좀비", basebehaviour::kZombieRows, basebehaviour::kStandard);
constinit const EnemyKindDef CBattleNecromanse::kDef =
    enemyrows::OnBody(EnemyBody::kForward, "네크로만서", {}, enemyrows::kHover);

SLV_REGISTER_ACTOR(CBattleHirth, "허스");
SLV_REGISTER_ACTOR(CBattleGrantz, "그란츠");
SLV_REGISTER_ACTOR(CBattleZonbi, "흑사병_좀비");
SLV_REGISTER_ACTOR(CBattleGobulin, "고블린");
SLV_REGISTER_ACTOR(CBattleLittleMeamade, "리틀_머메이드");
SLV_REGISTER_ACTOR(CBattleBoneFighter, "해골병사");
SLV_REGISTER_ACTOR(CBattleGilotinX, "길로틴");
SLV_REGISTER_ACTOR(CBattleGobulin2, CBattleGobulin2::kDef.name);
SLV_REGISTER_ACTOR(CBattleZoonBie, CBattleZoonBie::kDef.name);
SLV_REGISTER_ACTOR(CBattleNecromanse, CBattleNecromanse::kDef.name);
