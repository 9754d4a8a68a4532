// The tables of the model kinds known by their specials' names.
#include "battle/enemy/ModelNamedKinds.h"

namespace {
namespace modelnamed {

using modelrows::Drawn;
using modelrows::kLoop;
using modelrows::kOnce;
using modelrows::Row;

constexpr ModelStrike kSpecialHit[] = {{.code = kActSpecialHit}};

constexpr ModelRow kGardianRows[] = {
    Row(kActIdle, 7, 2, kLoop),       Row(kActApproach, 2, 2, kLoop),       Row(kActAttack, 3, 1, kOnce),
    Row(kActWalkBack, 2, 2, kLoop),   Row(kActWalkToPoint, 2, 2, kLoop),    Row(kActWalkToActor, 2, 2, kLoop),
    Row(kActWander, 2, 2, kLoop),     Row(kActDamageLight, 4, 2, kOnce),    Row(kActDamage, 4, 2, kOnce),
    Row(kActDying, 6, 1, kOnce),      Row(kActFadeIn, 1, 2, kOnce),         Row(kActSpecialHit, 3, 1, kOnce),
};
constexpr ModelName kGardianSpecials[] = {{"대지진_일으키기", kActSpecialHit}, {"일렉트릭_레이저", kActSpecialHit}};

// The messiah never walks up: every weapon attack is followed by skill 54.
constexpr ModelRow kMessiahRows[] = {
    Row(kActIdle, 0, 3, kLoop),         Row(kActAttack, 2, 2, kOnce),          Row(kActWalkBack, 0, 2, kLoop),
    Row(kActWalkToPoint, 0, 2, kLoop),  Row(kActWalkToActor, 0, 2, kLoop),     Row(kActWander, 6, 2, kLoop),
    Row(kActDamageLight, 6, 2, kOnce),  Row(kActDamage, 6, 2, kOnce),          Row(kActDying, 7, 4, kOnce),
    Row(kActFadeIn, 0, 3, kOnce),       Drawn(kActSpecialHit, 2, 4, 2, kOnce), Row(kActSpecialHit2, 1, 2, kOnce),
};
constexpr ModelName kMessiahSpecials[] = {{"딜리트_레이저", kActSpecialHit},
                                          {"성스러운_빛", kActSpecialHit2},
                                          {"신의_분노", kActSpecialHit},
                                          {"솟아오르는_샘물", kActSpecialHit}};
constexpr ModelStrike kMessiahStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

constexpr ModelRow kBiyolen3Rows[] = {
    Row(kActIdle, 0, 3, kLoop),       Row(kActApproach, 1, 2, kLoop),       Drawn(kActAttack, 2, 2, 2, kOnce),
    Row(kActWalkBack, 1, 2, kLoop),   Row(kActWalkToPoint, 1, 2, kLoop),    Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 1, 2, kLoop),     Row(kActDamageLight, 4, 2, kOnce),    Row(kActDamage, 4, 2, kOnce),
    Row(kActDying, 5, 3, kOnce),      Row(kActFadeIn, 0, 3, kOnce),         Row(kActSpecialHit, 6, 2, kOnce),
};
// The first and second Biyolen share their rows; the second and third their names.
constexpr ModelRow kBiyolenRows[] = {
    Row(kActIdle, 0, 2, kLoop),       Row(kActApproach, 1, 2, kLoop),       Drawn(kActAttack, 2, 2, 2, kOnce),
    Row(kActWalkBack, 1, 2, kLoop),   Row(kActWalkToPoint, 1, 2, kLoop),    Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 1, 2, kLoop),     Row(kActDamageLight, 5, 2, kOnce),    Row(kActDamage, 5, 2, kOnce),
    Row(kActDying, 5, 3, kOnce),      Row(kActFadeIn, 0, 3, kOnce),         Drawn(kActSpecialHit, 2, 2, 2, kOnce),
};
constexpr ModelName kBiyolen1Specials[] = {{"레드_문", kActSpecialHit}, {"흡혈", kActSpecialHit}};
constexpr ModelName kTrialSpecials[] = {{"시련", kActSpecialHit}, {"원망하는_자들", kActSpecialHit}};

constexpr ModelRow kGoatRows[] = {
    Row(kActIdle, 0, 2, kLoop),       Row(kActApproach, 0, 2, kLoop),       Row(kActAttack, 1, 2, kOnce),
    Row(kActWalkBack, 0, 2, kLoop),   Row(kActWalkToPoint, 0, 2, kLoop),    Row(kActWalkToActor, 0, 2, kLoop),
    Row(kActWander, 0, 2, kLoop),     Row(kActDamageLight, 3, 2, kOnce),    Row(kActDamage, 3, 2, kOnce),
    Row(kActDying, 4, 3, kOnce),      Row(kActFadeIn, 0, 3, kOnce),         Row(kActSpecialHit, 2, 2, kOnce),
};
constexpr ModelName kGoatSpecials[] = {{"레이지_마인드", kActSpecialHit}, {"신음소리", kActSpecialHit}};

constexpr ModelRow kBeholderRows[] = {
    Row(kActIdle, 0, 5, kLoop),       Row(kActApproach, 0, 4, kLoop),       Row(kActAttack, 1, 2, kOnce),
    Row(kActWalkBack, 0, 4, kLoop),   Row(kActWalkToPoint, 0, 4, kLoop),    Row(kActWalkToActor, 0, 4, kLoop),
    Row(kActWander, 0, 3, kLoop),     Row(kActDamageLight, 2, 2, kOnce),    Row(kActDamage, 2, 2, kOnce),
    Row(kActDying, 3, 4, kOnce),      Row(kActFadeIn, 0, 5, kOnce),         Row(kActSpecialHit, 1, 2, kOnce),
};
constexpr ModelName kBeholderSpecials[] = {
    {"프리징_아이", kActSpecialHit}, {"헬_인비테이션", kActSpecialHit}, {"레이지_마인드", kActSpecialHit}};

// The kinds that differ only in their rows, names, lock and fade.
constexpr ModelKindDef Named(const char* name, std::span<const ModelRow> rows, std::span<const ModelName> specials,
                             int32_t fadeStep) {
  return ModelKindDef{.name = name,
                      .rows = rows,
                      .fadeStep = fadeStep,
                      .absorbGain = 10.0f,
                      .absorbDivisor = 5.0f,
                      .watch = true,
                      .specialLock = 50,
                      .specials = specials,
                      .strikes = kSpecialHit,
                      .ordersWithoutHandlerStay = true};
}

}  // namespace modelnamed
}  // namespace

const ModelKindDef CBattleGardian3d::kDef{.name = "가디안",
                                          .rows = modelnamed::kGardianRows,
                                          .fadeStep = 2,
                                          .absorbDivisor = 20.0f,
                                          .watch = true,
                                          .specialLock = 100,
                                          .specials = modelnamed::kGardianSpecials,
                                          .strikes = modelnamed::kSpecialHit,
                                          .entranceEnds = true,
                                          .ordersWithoutHandlerStay = true};
const ModelKindDef CBattleMessiah3d::kDef{.name = "메시아",
                                          .rows = modelnamed::kMessiahRows,
                                          .fadeStep = 2,
                                          .absorbGain = 10.0f,
                                          .absorbDivisor = 20.0f,
                                          .watch = true,
                                          .specialLock = 100,
                                          .specials = modelnamed::kMessiahSpecials,
                                          .strikes = modelnamed::kMessiahStrikes,
                                          .skillAfterMelee = 54,
                                          .ordersWithoutHandlerStay = true};
const ModelKindDef CBattleBiyolen33d::kDef = modelnamed::Named("비요른3", modelnamed::kBiyolen3Rows, modelnamed::kTrialSpecials, 3);
const ModelKindDef CBattleBiyolen13d::kDef = modelnamed::Named("비요른1", modelnamed::kBiyolenRows, modelnamed::kBiyolen1Specials, 3);
const ModelKindDef CBattleBiyolen23d::kDef = modelnamed::Named("비요른2", modelnamed::kBiyolenRows, modelnamed::kTrialSpecials, 3);
const ModelKindDef CBattleGoat3d::kDef = modelnamed::Named("산양", modelnamed::kGoatRows, modelnamed::kGoatSpecials, 3);
const ModelKindDef CBattleBeholder3d::kDef = modelnamed::Named("비홀더", modelnamed::kBeholderRows, modelnamed::kBeholderSpecials, 1);

SLV_REGISTER_ACTOR(CBattleGardian3d, CBattleGardian3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleMessiah3d, CBattleMessiah3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleBiyolen33d, CBattleBiyolen33d::kDef.name);
SLV_REGISTER_ACTOR(CBattleBiyolen13d, CBattleBiyolen13d::kDef.name);
SLV_REGISTER_ACTOR(CBattleBiyolen23d, CBattleBiyolen23d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGoat3d, CBattleGoat3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleBeholder3d, CBattleBeholder3d::kDef.name);
