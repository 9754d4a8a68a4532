// The model beasts' tables.
#include "battle/enemy/ModelBeastKinds.h"

namespace {
namespace modelbeast {

using modelrows::Drawn;
using modelrows::kLoop;
using modelrows::kOnce;
using modelrows::kPingPong;
using modelrows::Row;

// The wolf-man charges, strikes thrice and kicks; a hard hit (10005) has
// no reaction of its own.
constexpr ModelRow kWolfManRows[] = {
    Row(kActIdle, 0, 2, kLoop),       Row(kActApproach, 1, 2, kLoop),        Row(kActAttack, 3, 2, kOnce),
    Row(kActWalkBack, 1, 2, kLoop),   Row(kActWalkToPoint, 1, 2, kLoop),     Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 0, 2, kLoop),     Row(kActDamageLight, 2, 2, kOnce),     Row(kActDying, 4, 4, kOnce),
    Row(kActFadeIn, 0, 2, kOnce),     Row(kActSpecialHit, 7, 3, kOnce),      Row(kActSpecialHit2, 5, 3, kOnce),
    Row(kActSpecialHit3, 6, 3, kOnce), Row(kActSpecialHit4, 8, 3, kOnce),    Row(kActSpecialApproach, 1, 1, kLoop),
    Row(kActSpecialApproach2, 1, 1, kLoop), Row(kActSpecialApproach3, 1, 1, kLoop),
    Row(kActSpecialApproach4, 1, 1, kLoop),
};
constexpr ModelName kWolfManSpecials[] = {{"숄더_챠지", kActSpecialApproach},
                                          {"3연타", kActSpecialApproach2},
                                          {"점프킥", kActSpecialApproach3},
                                          {"태클", kActSpecialApproach4}};
constexpr ModelApproach kWolfManApproaches[] = {{kActSpecialApproach, kActSpecialHit, 0.5f},
                                                {kActSpecialApproach2, kActSpecialHit2},
                                                {kActSpecialApproach3, kActSpecialHit3},
                                                {kActSpecialApproach4, kActSpecialHit4}};
constexpr ModelStrike kWolfManStrikes[] = {{.code = kActSpecialHit, .hitKind = 2, .charge = 0.25f},
                                           {.code = kActSpecialHit2, .hitKind = 1, .hardAbove = 102},
                                           {.code = kActSpecialHit3, .hitKind = 2},
                                           {.code = kActSpecialHit4, .hitKind = 2}};

constexpr ModelRow kSphinxRows[] = {
    Row(kActIdle, 0, 2, kLoop),         Row(kActApproach, 1, 2, kLoop),          Drawn(kActAttack, 2, 2, 2, kOnce),
    Row(kActWalkBack, 1, 2, kLoop),     Row(kActWalkToPoint, 1, 2, kLoop),       Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 0, 2, kLoop),       Drawn(kActDamageLight, 4, 2, 2, kOnce),  Drawn(kActDamage, 4, 2, 2, kOnce),
    Row(kActDying, 6, 3, kOnce),        Row(kActFadeIn, 0, 2, kLoop),            Drawn(kActSpecialHit, 2, 2, 2, kOnce),
};
constexpr ModelName kSphinxSpecials[] = {{"망자의_노래", kActSpecialHit}, {"사신의_미소", kActSpecialHit}};

// The one plain strike on 10065 most beasts end their specials with.
constexpr ModelStrike kSpecialHit[] = {{.code = kActSpecialHit}};

// Hwang Chung strikes thrice in a chain, or lunges.
constexpr ModelRow kHwangChungRows[] = {
    Row(kActIdle, 5, 2, kLoop),         Row(kActApproach, 6, 2, kLoop),       Row(kActAttack, 0, 2, kOnce),
    Row(kActWalkBack, 6, 2, kLoop),     Row(kActWalkToPoint, 6, 2, kLoop),    Row(kActWalkToActor, 6, 2, kLoop),
    Row(kActWander, 6, 2, kLoop),       Row(kActDamageLight, 1, 2, kOnce),    Row(kActDamage, 1, 2, kOnce),
    Row(kActDying, 2, 2, kOnce),        Row(kActFadeIn, 4, 4, kOnce),         Row(kActSpecialHit, 0, 2, kOnce),
    Row(kActSpecialHit4, 0, 2, kOnce),  Row(kActSpecialHit5, 0, 2, kOnce),    Row(kActSpecialApproach, 6, 1, kLoop),
    ModelRow{.code = kActSpecialApproach2, .picks = {{{3, 1, kOnce}}}, .strikePending = true},
};
constexpr ModelName kHwangChungSpecials[] = {{"3연타", kActSpecialApproach}, {"숄더_챠지", kActSpecialApproach2}};
constexpr ModelApproach kHwangChungApproaches[] = {{kActSpecialApproach, kActSpecialHit}};
constexpr ModelStrike kHwangChungStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .next = kActSpecialHit4},
                                              {.code = kActSpecialHit4, .hitKind = 1, .next = kActSpecialHit5},
                                              {.code = kActSpecialHit5, .hitKind = 2}};
constexpr ModelLunge kHwangChungLunges[] = {{kActSpecialApproach2, 9, 15, 20.0f}};

// The gargoyle enters dying twice each time.
constexpr ModelRow kGagoileRows[] = {
    Row(kActIdle, 0, 2, kLoop),       Row(kActApproach, 1, 1, kLoop),       Row(kActAttack, 2, 1, kOnce),
    Row(kActWalkBack, 1, 1, kLoop),   Row(kActWalkToPoint, 1, 1, kLoop),    Row(kActWalkToActor, 1, 1, kLoop),
    Row(kActWander, 1, 1, kLoop),     Row(kActDamageLight, 5, 1, kOnce),    Row(kActDamage, 5, 1, kOnce),
    ModelRow{.code = kActDying, .picks = {{{4, 1, kOnce}}}, .entries = 2},
    Row(kActFadeIn, 0, 2, kOnce),     Row(kActSpecialHit, 3, 1, kOnce),
};
constexpr ModelName kGagoileSpecials[] = {{"날개바람", kActSpecialHit}};

// The golem has no special: its attack is one of four blows.
constexpr ModelRow kGoremRows[] = {
    Row(kActIdle, 0, 2, kLoop),
    Row(kActApproach, 1, 2, kLoop),
    ModelRow{.code = kActAttack, .picks = {{{2, 3, kOnce}, {3, 2, kOnce}, {4, 2, kOnce}, {5, 3, kOnce}}}, .pickCount = 4},
    Row(kActWalkBack, 1, 2, kLoop),
    Row(kActWalkToPoint, 1, 2, kLoop),
    Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 1, 2, kLoop),
    Row(kActDamageLight, 6, 2, kOnce),
    Row(kActDamage, 6, 2, kOnce),
    Row(kActDying, 7, 1, kOnce),
    Row(kActFadeIn, 8, 2, kOnce),
};

// The lurker's special is its own cast.
constexpr ModelRow kLurkerRows[] = {
    Row(kActIdle, 0, 3, kLoop),       Row(kActApproach, 1, 1, kLoop),       Row(kActAttack, 2, 3, kOnce),
    Row(kActWalkBack, 1, 1, kLoop),   Row(kActWalkToPoint, 1, 1, kLoop),    Row(kActWalkToActor, 1, 1, kLoop),
    Row(kActWander, 1, 2, kLoop),     Row(kActDamageLight, 6, 2, kOnce),    Row(kActDamage, 6, 2, kOnce),
    Row(kActDying, 5, 3, kOnce),      Row(kActFadeIn, 0, 3, kLoop),         Row(kActSpecialSkill, 4, 2, kOnce),
};

// The turtle comes back to where it stood.
constexpr ModelRow kTuttleRows[] = {
    Row(kActIdle, 0, 3, kLoop),
    ModelRow{.code = kActApproach, .picks = {{{1, 2, kLoop}}}, .back = ModelReturn::kOwn},
    Drawn(kActAttack, 2, 2, 2, kOnce),
    Row(kActWalkBack, 1, 2, kLoop),
    Row(kActWalkToPoint, 1, 2, kLoop),
    Row(kActWalkToActor, 1, 2, kLoop),
    Row(kActWander, 1, 2, kLoop),
    Row(kActDamageLight, 4, 2, kOnce),
    Row(kActDamage, 4, 2, kOnce),
    Row(kActDying, 5, 3, kOnce),
    Row(kActFadeIn, 0, 2, kOnce),
    Row(kActSpecialHit, 6, 2, kOnce),
};
constexpr ModelName kTuttleSpecials[] = {{"포효", kActSpecialHit}, {"아침이슬", kActSpecialHit}, {"공포", kActSpecialHit}};

constexpr ModelRow kCentipedeRows[] = {
    Row(kActIdle, 0, 3, kPingPong),   Row(kActApproach, 0, 2, kLoop),       Row(kActAttack, 1, 1, kOnce),
    Row(kActWalkBack, 0, 2, kLoop),   Row(kActWalkToPoint, 0, 2, kLoop),    Row(kActWalkToActor, 0, 2, kLoop),
    Row(kActWander, 0, 2, kLoop),     Row(kActDamageLight, 5, 1, kOnce),    Row(kActDamage, 5, 1, kOnce),
    Row(kActDying, 4, 2, kOnce),      Row(kActFadeIn, 0, 3, kOnce),         Row(kActSpecialHit, 2, 1, kOnce),
};
constexpr ModelName kCentipedeSpecials[] = {{"매우_불결한_입김", kActSpecialHit},
                                            {"프리징_아이", kActSpecialHit},
                                            {"대지의_축복", kActSpecialHit},
                                            {"성스러운_빛", kActSpecialHit}};
constexpr ModelName kCentipedeMagics[] = {{"화이어_샤워", kActSpecialHit}};

// Tiamat's drill laser goes on with the model action its special started.
constexpr ModelRow kTiamathRows[] = {
    Row(kActIdle, 0, 3, kLoop),       Row(kActApproach, 0, 1, kLoop),       Row(kActAttack, 2, 2, kOnce),
    Row(kActWalkBack, 0, 2, kLoop),   Row(kActWalkToPoint, 0, 1, kLoop),    Row(kActWalkToActor, 0, 1, kLoop),
    Row(kActWander, 0, 2, kLoop),     Row(kActDamageLight, 3, 2, kOnce),    Row(kActDamage, 3, 2, kOnce),
    Row(kActDying, 4, 4, kOnce),      Row(kActFadeIn, 0, 3, kOnce),         Row(kActSpecialSkill, 1, 1, kOnce),
};
constexpr ModelName kTiamathSpecials[] = {{"드릴_레이저", kActSpecialHit}};

}  // namespace modelbeast
}  // namespace

const ModelKindDef CBattleWolfMan3d::kDef{.name = "늑대인간",
                                          .rows = modelbeast::kWolfManRows,
                                          .absorbGain = 10.0f,
                                          .absorbDivisor = 10.0f,
                                          .specialLock = 100,
                                          .specials = modelbeast::kWolfManSpecials,
                                          .approaches = modelbeast::kWolfManApproaches,
                                          .footsteps = {"사도_오른발.wav", 56, "사도_왼발.wav", 68},
                                          .strikes = modelbeast::kWolfManStrikes};
const ModelKindDef CBattleSphinx3d::kDef{.name = "스핑크스",
                                         .rows = modelbeast::kSphinxRows,
                                         .fadeStep = 2,
                                         .watch = true,
                                         .specialLock = 80,
                                         .specials = modelbeast::kSphinxSpecials,
                                         .strikes = modelbeast::kSpecialHit};
const ModelKindDef CBattleHwangChung3d::kDef{.name = "황충",
                                             .rows = modelbeast::kHwangChungRows,
                                             .absorbGain = 10.0f,
                                             .absorbDivisor = 10.0f,
                                             .specialLock = 100,
                                             .specials = modelbeast::kHwangChungSpecials,
                                             .approaches = modelbeast::kHwangChungApproaches,
                                             .strikes = modelbeast::kHwangChungStrikes,
                                             .lunges = modelbeast::kHwangChungLunges,
                                             .entranceEnds = true};
const ModelKindDef CBattleGagoile3d::kDef{.name = "가고일",
                                          .rows = modelbeast::kGagoileRows,
                                          .fadeStep = 1,
                                          .watch = true,
                                          .specialLock = 150,
                                          .specials = modelbeast::kGagoileSpecials,
                                          .strikes = modelbeast::kSpecialHit};
const ModelKindDef CBattleGorem3d::kDef{
    .name = "고렘", .rows = modelbeast::kGoremRows, .fadeStep = 2, .absorbDivisor = 20.0f, .entranceEnds = true};
const ModelKindDef CBattleLurker3d::kDef{.name = "러커",
                                         .rows = modelbeast::kLurkerRows,
                                         .fadeStep = 2,
                                         .walkSpeed = 2.0f,
                                         .absorbGain = 10.0f,
                                         .absorbDivisor = 2.0f,
                                         .watch = true,
                                         .specialLock = 200,
                                         .castMagic = 22};
const ModelKindDef CBattleTuttle3d::kDef{.name = "괴물거북",
                                         .rows = modelbeast::kTuttleRows,
                                         .fadeStep = 2,
                                         .watch = true,
                                         .specialLock = 50,
                                         .specials = modelbeast::kTuttleSpecials,
                                         .strikes = modelbeast::kSpecialHit};
const ModelKindDef CBattleCentipede3d::kDef{.name = "지네",
                                            .rows = modelbeast::kCentipedeRows,
                                            .fadeStep = 2,
                                            .watch = true,
                                            .specialLock = 50,
                                            .specials = modelbeast::kCentipedeSpecials,
                                            .magics = modelbeast::kCentipedeMagics,
                                            .strikes = modelbeast::kSpecialHit};
const ModelKindDef CBattleTiamath3d::kDef{.name = "티아마스",
                                          .rows = modelbeast::kTiamathRows,
                                          .fadeStep = 2,
                                          .absorbDivisor = 10.0f,
                                          .specialLock = 50,
                                          .specials = modelbeast::kTiamathSpecials,
                                          .plainAtLeast = 3,
                                          .strikes = modelbeast::kSpecialHit};

SLV_REGISTER_ACTOR(CBattleWolfMan3d, CBattleWolfMan3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleSphinx3d, CBattleSphinx3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleHwangChung3d, CBattleHwangChung3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGagoile3d, CBattleGagoile3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleGorem3d, CBattleGorem3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleLurker3d, CBattleLurker3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleTuttle3d, CBattleTuttle3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleCentipede3d, CBattleCentipede3d::kDef.name);
SLV_REGISTER_ACTOR(CBattleTiamath3d, CBattleTiamath3d::kDef.name);
