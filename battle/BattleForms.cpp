// The forms' tables: Kreutzer's scheme, the forms that differ from it, and
// the least forms of those that fight with their weapon alone.
#include <array>

#include "battle/BattleCharacters.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "session/MagicMgr.h"

namespace battleform {
namespace {

constexpr Goal kT = Goal::kTarget;
constexpr Goal kW = Goal::kWalkPoint;
constexpr int32_t kOnce = 0, kLoop = 2;
constexpr const char* kSpellSound = "마법준비.wav";
constexpr const char* kFlashArrow = "플래쉬_애로우";

enum FrameMessage : int { kSpawnEffect = 12 };

// Every order but the special skill goes to the party member.
constexpr std::array kSharedOrders{OrderRow{10, -1, 60, false, kActSpecialSkill}};

// ---- Kreutzer: the scheme the others follow ----

constexpr std::array kKreutzerRows{
    Own(kActAttack, 8, 8, kOnce),          Own(kActSpecialHit3, 8, 8, kOnce),
    Own(kActSkillHit2, 8, 8, kOnce),       Own(kActCharge, 8, 8, kOnce),
    Own(kActSkillHit3, 28, 8, kOnce),      Own(kActSpecialApproach, 4, 8, kLoop),
    Own(kActSpecialApproach2, 4, 8, kLoop), Own(kActSpecialApproach3, 4, 8, kLoop),
    Own(kActSpecialApproach4, 4, 8, kLoop), Own(kActSkillApproach, 4, 8, kLoop),
    Own(kActDig, 4, 8, kLoop),             Move(kActSkillMove2, "홍련", 4, 4, kOnce),
    Move(kActSkillMove3, "신락봉", 0, 16, kOnce), Move(kActSkillMove4, "홍련", 0, 4, kOnce),
    Move(kActSpecialHit, "연화설", 0, 4, kOnce), Move(kActSpecialHit2, "신락봉", 4, 4, kOnce),
    Move(kActSpecialHit4, "추사우", 0, 8, kOnce), Move(kActSpecialHit5, "홍련", 4, 4, kOnce),
    Move(kActSkillHit1, "천신락", 0, 4, kOnce), Move(kActSpecialApproach5, "홍련", 4, 8, kLoop),
    Pose("크로이체르_1"),
};

constexpr std::array kKreutzerRoute{
    Skill(109, kActSpecialApproach), Skill(110, kActSpecialApproach2), Skill(140, kActSpecialApproach4),
    Skill(141, kActDig),             Skill(142, kActSpecialApproach5), Skill(143, kActSkillApproach),
};

constexpr std::array kKreutzerGroups{
    Skills(127, 132, kActSpecialApproach3), Skills(136, 139, kActSpecialApproach3),
    Skills(144, 149, kActSpecialApproach3), Skill(175, kActSpecialApproach3),
    Skills(169, 171, kActSkillHit2),        Skills(176, 181, kActSkillHit2),
    Skills(172, 174, kActSkillHit3),        Skills(182, 183, kActSkillHit3),
};

constexpr std::array kKreutzerApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit},
    ApproachRow{.code = kActSpecialApproach2, .goal = kW, .hitCode = kActSkillMove3, .giveUpCode = kActSkillMove3},
    ApproachRow{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3, .atOnceFor = kFlashArrow},
    ApproachRow{.code = kActSpecialApproach4, .goal = kT, .hitCode = kActSpecialHit4},
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSkillMove4},
    ApproachRow{.code = kActSkillApproach, .goal = kW, .hitCode = kActSkillHit1},
    ApproachRow{.code = kActDig, .goal = kT, .hitCode = kActCharge, .within = 30.0f},
};

constexpr HitRow kTwoAfter49{.code = kActSpecialHit, .start = true, .faceFirst = kT, .face = kT,
                             .strength = ByTick(1, 2, 50)};

constexpr std::array kKreutzerHits{
    kTwoAfter49,
    HitRow{.code = kActSpecialHit4, .start = true, .faceFirst = kT, .face = kT, .strength = ByTick(1, 2, 50)},
    HitRow{.code = kActSpecialHit3, .start = true, .faceFirst = kT, .face = kT,
           .strength = {1, 2, 45, kFlashArrow}, .idleFor = kFlashArrow},
    HitRow{.code = kActSkillMove3, .face = kW, .resolve = Resolve::kNone, .end = End::kNext,
           .next = kActSpecialHit2},
    HitRow{.code = kActSpecialHit2, .start = true, .face = kW, .strength = Fixed(2), .end = End::kIdle},
    HitRow{.code = kActSkillMove4, .start = true, .run = 0.4f, .runAfterEnd = true, .strength = Fixed(1),
           .endAt = When::kAfterTick, .endTick = 70, .end = End::kNext, .next = kActSpecialHit5},
    HitRow{.code = kActSkillMove2, .trailOn = true, .faceFirst = kT, .run = 0.4f, .resolve = Resolve::kNone,
           .endAt = When::kAfterTick, .endTick = 20, .end = End::kNext, .next = kActSpecialHit5},
    HitRow{.code = kActSpecialHit5, .trailOn = true, .run = 0.4f, .strength = Fixed(2), .endAt = When::kAfterTick,
           .endTick = 60, .end = End::kIdle},
    HitRow{.code = kActSkillHit1, .start = true, .faceFirst = kT, .hopSpeed = -3.0f, .hopGravity = 0.7f, .face = kW,
           .strength = Fixed(2), .end = End::kIdle},
    HitRow{.code = kActSkillHit2, .start = true, .face = kT, .strength = Fixed(0), .end = End::kIdle},
    HitRow{.code = kActSkillHit3, .start = true, .face = kT, .strength = Fixed(0), .end = End::kIdle},
    HitRow{.code = kActCharge, .start = true, .run = 0.5f, .resolveAt = When::kEnd, .strength = Fixed(2),
           .end = End::kIdle},
};

// ---- Sizz: casts on its own sheet ----

constexpr std::array kSizzRows{
    Own(kActIdle, 0, 12, kLoop),
    Own(kActAttack, 8, 4, kOnce),
    Sounded(Move(kActSkillMove1, "마법_시즈1", 0, 7, kOnce), kSpellSound),
    Sounded(Move(kActSkillMove2, "마법_시즈1", 0, 7, kOnce), kSpellSound),
    Move(kActSkillMove3, "마법_시즈1", 4, 7, kOnce),
    Move(kActSkillMove4, "마법_시즈1", 4, 7, kOnce),
    Move(kActPartnerCast, "마법_시즈1", 4, 7, kOnce),
    Pose("시즈1_1", "시즈1_2"),
};

constexpr HitRow kGathering{.code = kActSkillMove1, .face = kT, .resolve = Resolve::kNone, .end = End::kNext,
                            .next = kActSkillMove3, .spell = true};
constexpr HitRow kCasting{.code = kActSkillMove3, .face = kT, .resolve = Resolve::kMagic, .resolveAt = When::kFrame,
                          .resolveTick = 2, .endAt = When::kFrame, .endTick = 2, .end = End::kIdle,
                          .spell = true};

constexpr HitRow Coded(HitRow row, int32_t code, int32_t next = 0) {
  row.code = code;
  if (next != 0) row.next = next;
  return row;
}

constexpr std::array kSizzHits{
    kGathering,
    Coded(kGathering, kActSkillMove2, kActSkillMove4),
    kCasting,
    Coded(kCasting, kActSkillMove4),
    HitRow{.code = kActPartnerCast, .resolve = Resolve::kNone, .endAt = When::kFrame, .endTick = 2,
           .end = End::kIdle, .spell = true},
};

constexpr std::array kSizzOrders{OrderRow{9, -1, 60, false, kActSkillMove1}};

// The gathered spell shows its element: effect 241, 210, 227 or 258 for
// element 1 to 4, on the member and through the battle.
constexpr std::array<int32_t, 4> kElementEffects{241, 210, 227, 258};

void ShowElement(CBattleCharacter& self) {
  self.PauseBattle(100);
  CSelvarinFrame* frame = GetGameFrame();
  const MagicTypeInfo* magic = CMagicMgr::GetInstance().GetMagicTypeInfo(self.m_chosenIndex);
  if (magic == nullptr) {
    DebugLogf("CBattleSizz - magic %d has no element", self.m_chosenIndex);
    return;
  }
  if (magic->attr < 1 || magic->attr > 4) return;
  const int32_t effect = kElementEffects[static_cast<size_t>(magic->attr - 1)];
  self.SpawnEffect(effect);
  if (frame != nullptr) frame->OnMessage(&self, kSpawnEffect, effect, 0, 0);
}

bool SizzHook(CBattleCharacter& self, int32_t code) {
  if ((code == kActSkillMove1 || code == kActSkillMove2) && self.m_holdLast != 0) ShowElement(self);
  return false;
}

// ---- Sizz2: the weapon's class picks the move ----

constexpr std::array kSizz2Rows{
    Own(kActIdle, 0, 8, kLoop),
    Own(kActSpecialSkill, 4, 8, kLoop),
    Sounded(Own(kActSkillMove1, 0, 8, kOnce), kSpellSound),
    Sounded(Own(kActSkillMove2, 0, 8, kOnce), kSpellSound),
    ByWeapon(Move(kActSkillMove3, "마법", 0, 8, kOnce)),
    ByWeapon(Move(kActSkillMove4, "마법", 0, 8, kOnce)),
    ByWeapon(Move(kActPartnerCast, "마법", 0, 8, kOnce)),
    Move(kActSpecialHit, "쌍장파", 0, 2, kOnce),
    Move(kActSpecialHit2, "단장포_장검", 0, 2, kOnce),
    Move(kActSpecialHit4, "단장포_장검", 4, 4, kOnce),
    Own(kActSpecialApproach, 4, 8, kOnce),
    Own(kActSpecialApproach2, 4, 8, kOnce),
    Pose("시즈2_1"),
};

constexpr std::array kSizz2Suffixes{WeaponSuffix{1, "_단검_시즈2"}, WeaponSuffix{0, "_장검_시즈2"}};

constexpr std::array kSizz2Route{WeaponClass(0, kActSpecialHit2), WeaponClass(1, kActSpecialHit)};

constexpr std::array kSizz2Hits{
    HitRow{.code = kActSpecialHit, .start = true, .faceFirst = kT, .face = kT, .strength = Fixed(2), .skillId = 96},
    HitRow{.code = kActSpecialHit2, .start = true, .faceFirst = kT, .face = kT, .resolve = Resolve::kNone,
           .end = End::kNext, .next = kActSpecialHit4},
    HitRow{.code = kActSpecialHit4, .face = kT, .strength = Fixed(2), .skillId = 95},
};

constexpr std::array kSizz2Orders{
    OrderRow{9, -1, 60, false, kActSkillMove3},
    OrderRow{0, 1, -1, true, kActSpecialSkill},
};

// ---- Maria ----

constexpr std::array kMariaRows{
    Own(kActIdle, 0, 12, kLoop),
    Own(kActAttack, 8, 4, kOnce),
    Own(kActSpecialHit3, 8, 4, kOnce),
    Own(kActSkillHit2, 8, 4, kOnce),
    Own(kActSkillHit3, 28, 4, kOnce),
    Move(kActSpecialApproach, "승박_마리아1", 0, 8, kLoop),
    Move(kActSpecialHit, "승박_마리아1", 4, 1, kOnce),
    Move(kActSpecialApproach2, "형라박_마리아1", 0, 8, kLoop),
    Move(kActSpecialHit2, "형라박_마리아1", 4, 4, kOnce),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Move(kActAttackStart, "maria목검-흙뿌리기", 0, 8, kLoop),
    Own(kActDig, 4, 3, kLoop),
    Move(kActCharge, "maria목검-흙뿌리기", 4, 20, kOnce),
    Pose("마리아1_1", "마리아1_2"),
};

constexpr std::array kMariaRoute{
    Skill(0, kActAttackStart),
    Skill(97, kActSpecialApproach),
    Skill(98, kActSpecialApproach2),
};

constexpr std::array kMariaGroups{
    Skills(127, 130, kActSpecialApproach3), Skill(132, kActSpecialApproach3),
    Skills(136, 139, kActSpecialApproach3), Skills(144, 149, kActSpecialApproach3),
    Skill(175, kActSpecialApproach3),       Skill(131, kActSkillHit2),
    Skills(169, 171, kActSkillHit2),        Skills(176, 181, kActSkillHit2),
    Skills(172, 174, kActSkillHit3),        Skills(182, 183, kActSkillHit3),
};

// The dirt throw's run: it gives up when stuck or late, with half a gauge.
constexpr std::array kMariaApproaches{
    ApproachRow{.code = kActDig, .goal = kT, .hitCode = kActCharge, .within = 34.0f, .giveUpAfter = 600,
                .giveUpGauge = 50.0f, .stuckGivesUp = true, .soundEvery = 10, .trailEveryTick = 50},
};

constexpr std::array kMariaHits{
    HitRow{.code = kActSpecialHit, .start = true, .faceFirst = kT, .strength = ByTick(1, 2, 20), .trailOffAfter = 30},
    HitRow{.code = kActSpecialHit2, .start = true, .faceFirst = kT, .strength = ByTick(1, 2, 50),
           .trailOffAfter = 60},
    HitRow{.code = kActAttackStart, .face = kT, .resolve = Resolve::kNone, .endAt = When::kAfterTick, .endTick = 50,
           .end = End::kNext, .next = kActDig},
    HitRow{.code = kActCharge, .start = true, .faceFirst = kT, .tickSound = "마리아1-흙뿌리기.wav", .soundTick = 2,
           .resolveAt = When::kTick, .resolveTick = 20},
};

constexpr ApproachStyle kMariaRun{.sound = "달리기2.wav", .trailLength = 50, .trailEveryTick = true};

// ---- Maria2 ----

constexpr std::array kMaria2Rows{
    Own(kActIdle, 0, 12, kLoop),
    Own(kActAttack, 8, 4, kOnce),
    Own(kActSpecialHit3, 8, 4, kOnce),
    Own(kActSkillHit2, 8, 4, kOnce),
    Own(kActSkillHit3, 28, 4, kOnce),
    Move(kActSpecialApproach, "승박_마리아2", 0, 8, kLoop),
    Move(kActSpecialHit, "승박_마리아2", 4, 1, kOnce),
    Move(kActSpecialApproach2, "형라박_마리아2", 0, 8, kLoop),
    Move(kActSpecialHit2, "형라박_마리아2", 4, 4, kOnce),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Own(kActSpecialApproach4, 4, 8, kLoop),
    Move(kActSkillMove3, "그레이스틸_마리아2", 0, 8, kOnce),
    Move(kActSpecialHit4, "그레이스틸_마리아2", 4, 8, kOnce),
    Move(kActSpecialApproach5, "홍약저_마리아2", 0, 8, kLoop),
    Move(kActSpecialHit5, "홍약저_마리아2", 4, 4, kOnce),
    Pose("마리아2_1"),
};

constexpr std::array kMaria2Route{
    Skill(97, kActSpecialApproach),
    Skill(98, kActSpecialApproach2),
    Skill(99, kActSpecialApproach5),
    Skill(100, kActSpecialApproach4),
};

constexpr std::array kMaria2Approaches{
    ApproachRow{.code = kActSpecialApproach4, .goal = kW, .hitCode = kActSkillMove3},
};

constexpr std::array kMaria2Hits{
    HitRow{.code = kActSkillMove3, .firstEffect = 1011, .firstPause = 30, .face = kW, .resolve = Resolve::kNone,
           .end = End::kNext, .next = kActSpecialHit4},
    HitRow{.code = kActSpecialHit4, .face = kW, .strength = Fixed(2), .end = End::kIdle},
    HitRow{.code = kActSpecialHit5, .start = true, .faceFirst = kT, .strength = ByTick(1, 2, 50),
           .trailOffAfter = 60},
};

// ---- Ai: weapon blows with their captions, and water spells ----

constexpr std::array kAiRows{
    Own(kActAttack, 8, 8, kOnce),
    Sounded(Move(kActSkillMove3, "마법_아이", 0, 8, kOnce), kSpellSound),
    Sounded(Move(kActPartnerCast, "마법_아이", 0, 8, kOnce), kSpellSound),
    Own(kActSpecialApproach, 4, 8, kLoop),
    Own(kActSpecialApproach2, 4, 8, kLoop),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Move(kActSpecialHit, "귀곡풍", 0, 4, kOnce),
    Move(kActSpecialHit4, "귀곡풍", 4, 4, kOnce),
    Move(kActSpecialHit2, "창궁축", 0, 8, kOnce),
    Move(kActSpecialHit3, "창연경", 0, 2, kOnce),
    Move(kActSpecialHit5, "창연경", 4, 4, kOnce),
    Pose("아이_1"),
};

constexpr std::array kAiRoute{
    WeaponNamed("바그낙", kActSpecialApproach),
    WeaponNamed("카이저너클", kActSpecialApproach2),
    WeaponNamed("성화령", kActSpecialApproach3),
};

// Each run leads to the blow of its own move.
constexpr std::array kAiApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit, .within = 2.0f},
    ApproachRow{.code = kActSpecialApproach2, .goal = kT, .hitCode = kActSpecialHit2, .within = 2.0f},
    ApproachRow{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3, .within = 5.0f},
};

constexpr float kFar = 100.0f;

constexpr HitRow kAiSpell{.code = kActSkillMove3, .face = kT, .resolve = Resolve::kMagic, .resolveAt = When::kTick,
                          .resolveTick = 2, .end = End::kIdle, .spell = true};

constexpr std::array kAiHits{
    HitRow{.code = kActSpecialHit, .caption = "귀곡풍(鬼哭風)", .firstEffect = 1011, .face = kT,
           .resolve = Resolve::kWeapon, .strength = Fixed(1), .end = End::kNext, .next = kActSpecialHit4},
    HitRow{.code = kActSpecialHit4, .run = 0.3f, .resolve = Resolve::kWeapon, .strength = Fixed(2), .reach = kFar},
    HitRow{.code = kActSpecialHit2, .caption = "창궁축(槍弓蹴)", .firstEffect = 1011, .face = kT,
           .resolve = Resolve::kWeapon, .strength = ByTick(1, 2, 50), .reach = kFar},
    HitRow{.code = kActSpecialHit3, .caption = "창연경(槍連勁)", .firstEffect = 1011, .face = kT,
           .resolve = Resolve::kNone, .end = End::kNext, .next = kActSpecialHit5},
    HitRow{.code = kActSpecialHit5, .face = kT, .resolve = Resolve::kWeapon, .strength = ByTick(1, 2, 60),
           .reach = kFar},
    kAiSpell,
    Coded(kAiSpell, kActPartnerCast),
};

constexpr std::array kAiOrders{
    OrderRow{9, -1, -1, false, kActSkillMove3},
    OrderRow{0, 1, -1, true, kActSpecialSkill},
};

bool AiHook(CBattleCharacter& self, int32_t code) {
  if ((code == kActSkillMove3 || code == kActPartnerCast) && self.m_tickCount == 1) {
    self.SpawnEffect(210);
    self.SpawnEffect(258);
  }
  return false;
}

// ---- The least forms: their own idle and strike ----

constexpr std::array kSlowIdleStrike8{Own(kActIdle, 0, 12, kLoop), Own(kActAttack, 8, 8, kOnce)};
constexpr std::array kStrike4{Own(kActAttack, 8, 4, kOnce)};
constexpr std::array kStrike8{Own(kActAttack, 8, 8, kOnce)};

constexpr ApproachStyle kKreutzerRun{.sound = "달리기3.wav"};

}  // namespace

const Form kKreutzer{.menuIndex = 7, .rows = kKreutzerRows, .route = kKreutzerRoute, .groups = kKreutzerGroups,
                     .approaches = kKreutzerApproaches, .approach = kKreutzerRun, .hits = kKreutzerHits,
                     .orders = kSharedOrders};
const Form kSizz{.menuIndex = 0, .rows = kSizzRows, .hits = kSizzHits, .orders = kSizzOrders, .hook = SizzHook,
                 .base = &kKreutzer};
const Form kSizz2{.menuIndex = 0, .rows = kSizz2Rows, .route = kSizz2Route, .routeDefault = kActAttack,
                  .hits = kSizz2Hits, .orders = kSizz2Orders, .weaponSuffixes = kSizz2Suffixes, .base = &kSizz};
const Form kMaria{.menuIndex = 1, .rows = kMariaRows, .route = kMariaRoute, .groups = kMariaGroups,
                  .approaches = kMariaApproaches, .approach = kMariaRun, .hits = kMariaHits, .orders = kSharedOrders,
                  .base = &kKreutzer};
const Form kMaria2{.menuIndex = 1, .rows = kMaria2Rows, .route = kMaria2Route, .groups = kMariaGroups,
                   .approaches = kMaria2Approaches, .approach = kMariaRun, .hits = kMaria2Hits,
                   .orders = kSharedOrders, .base = &kMaria};
const Form kAi{.menuIndex = 8, .rows = kAiRows, .route = kAiRoute, .routeDefault = kActAttack,
               .approaches = kAiApproaches, .hits = kAiHits, .orders = kAiOrders, .hook = AiHook,
               .base = &kKreutzer};
const Form kElluard{.menuIndex = 2, .rows = kSlowIdleStrike8, .orders = kSharedOrders, .base = &kKreutzer};
const Form kElluard2{.menuIndex = 2, .rows = kSlowIdleStrike8, .orders = kSharedOrders, .base = &kElluard};
const Form kTenzi{.menuIndex = 3, .rows = kStrike4, .orders = kSharedOrders, .base = &kKreutzer};
const Form kCeline{.menuIndex = 4, .rows = kStrike8, .orders = kSharedOrders, .shootsArrows = true,
                   .base = &kKreutzer};
const Form kCarrot{.menuIndex = 5, .rows = kStrike8, .orders = kSharedOrders, .base = &kKreutzer};
const Form kPeach{.menuIndex = 6, .rows = kStrike8, .orders = kSharedOrders, .base = &kKreutzer};

}  // namespace battleform
