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
namespace battleforms {

constexpr Goal kT = Goal::kTarget;
constexpr Goal kW = Goal::kWalkPoint;
constexpr int32_t kOnce = 0, kLoop = 2;
constexpr const char* kSpellSound = "마법준비.wav";
constexpr const char* kFlashArrow = "플래쉬_애로우";

enum FrameMessage : int { kSpawnEffect = 12 };

// Every order but the special skill goes to the party member.
constexpr std::array kSharedOrders{OrderRow{10, -1, 60, false, kActSpecialSkill}};

// The plain blows, routed alike by every form that takes skills.
#define SLV_PLAIN_BLOW_GROUPS                                                                          \
  Skills(169, 171, kActSkillHit2), Skills(176, 181, kActSkillHit2), Skills(172, 174, kActSkillHit3), \
      Skills(182, 183, kActSkillHit3)

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
    Skills(144, 149, kActSpecialApproach3), Skill(175, kActSpecialApproach3), SLV_PLAIN_BLOW_GROUPS,
};

// The run-in every form shares: the flash arrow is loosed where it stands.
constexpr ApproachRow kRunInToFlash{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3,
                                    .atOnceFor = kFlashArrow};

constexpr std::array kKreutzerApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit},
    ApproachRow{.code = kActSpecialApproach2, .goal = kW, .hitCode = kActSkillMove3, .giveUpCode = kActSkillMove3},
    kRunInToFlash,
    ApproachRow{.code = kActSpecialApproach4, .goal = kT, .hitCode = kActSpecialHit4},
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSkillMove4},
    ApproachRow{.code = kActSkillApproach, .goal = kW, .hitCode = kActSkillHit1},
    ApproachRow{.code = kActDig, .goal = kT, .hitCode = kActCharge, .within = 30.0f},
};

constexpr HitRow kTwoAfter49{.code = kActSpecialHit, .start = true, .faceFirst = kT, .face = kT,
                             .strength = ByTick(1, 2, 50)};

// The blows every form strikes alike.
constexpr HitRow kFlashHit{.code = kActSpecialHit3, .start = true, .faceFirst = kT, .face = kT,
                           .strength = {1, 2, 45, kFlashArrow}, .idleFor = kFlashArrow};
constexpr HitRow kPlainBlow2{.code = kActSkillHit2, .start = true, .face = kT, .strength = Fixed(0),
                             .end = End::kIdle};
constexpr HitRow kPlainBlow3{.code = kActSkillHit3, .start = true, .face = kT, .strength = Fixed(0),
                             .end = End::kIdle};
constexpr HitRow kRedLotusSecond{.code = kActSpecialHit5, .trailOn = true, .run = 0.4f, .strength = Fixed(2),
                                 .endAt = When::kAfterTick, .endTick = 60, .end = End::kIdle};
constexpr HitRow kHeavenStaff{.code = kActSkillHit1, .start = true, .faceFirst = kT, .hopSpeed = -3.0f,
                              .hopGravity = 0.7f, .face = kW, .strength = Fixed(2), .end = End::kIdle};

constexpr std::array kKreutzerHits{
    kTwoAfter49,
    HitRow{.code = kActSpecialHit4, .start = true, .faceFirst = kT, .face = kT, .strength = ByTick(1, 2, 50)},
    kFlashHit,
    HitRow{.code = kActSkillMove3, .face = kW, .resolve = Resolve::kNone, .end = End::kNext,
           .next = kActSpecialHit2},
    HitRow{.code = kActSpecialHit2, .start = true, .face = kW, .strength = Fixed(2), .end = End::kIdle},
    HitRow{.code = kActSkillMove4, .start = true, .run = 0.4f, .runAfterEnd = true, .strength = Fixed(1),
           .endAt = When::kAfterTick, .endTick = 70, .end = End::kNext, .next = kActSpecialHit5},
    HitRow{.code = kActSkillMove2, .trailOn = true, .faceFirst = kT, .run = 0.4f, .resolve = Resolve::kNone,
           .endAt = When::kAfterTick, .endTick = 20, .end = End::kNext, .next = kActSpecialHit5},
    kRedLotusSecond,
    kHeavenStaff,
    kPlainBlow2,
    kPlainBlow3,
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
    Skill(175, kActSpecialApproach3),       Skill(131, kActSkillHit2),           SLV_PLAIN_BLOW_GROUPS,
};

// Each run leads to the blow of its own move; the dirt throw's run gives up
// when stuck or late, with half a gauge.
constexpr std::array kMariaApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit},
    ApproachRow{.code = kActSpecialApproach2, .goal = kW, .hitCode = kActSpecialHit2},
    kRunInToFlash,
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
    kFlashHit,
    kPlainBlow2,
    kPlainBlow3,
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
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSpecialHit5},
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

// A special move that strikes on its hit frame and walks back.
constexpr HitRow Special(int32_t code, Strength strength = {}) {
  return HitRow{.code = code, .start = true, .faceFirst = kT, .face = kT, .strength = strength};
}

// A hop: up on the first tick, landing as the row ends.
constexpr HitRow Hop(HitRow row, float speed, float gravity) {
  row.hopSpeed = speed;
  row.hopGravity = gravity;
  return row;
}

// ---- Elluard: one table for both forms, the sheets named by the form ----

constexpr std::array<OwnRow, 16> ElluardRows(OwnRow pose) {
  return {Own(kActIdle, 0, 12, kLoop),
          Own(kActAttack, 8, 8, kOnce),
          Own(kActSpecialHit3, 8, 8, kOnce),
          Own(kActSkillHit2, 8, 8, kOnce),
          Own(kActSkillHit3, 28, 8, kOnce),
          Own(kActSpecialApproach, 4, 4, kLoop),
          Own(kActSpecialApproach2, 4, 4, kLoop),
          Own(kActSpecialApproach3, 4, 4, kLoop),
          Own(kActSpecialApproach4, 4, 4, kLoop),
          Own(kActSpecialApproach5, 4, 4, kLoop),
          Move(kActSpecialHit, "옥시피틀버스트", 0, 8, kOnce),
          Move(kActSpecialHit2, "라이어트웨이브", 0, 8, kOnce),
          Move(kActSkillHit1, "라이어트웨이브", 4, 8, kOnce),
          Move(kActSpecialHit4, "스파이어럴스톰", 0, 4, kOnce),
          Move(kActSpecialHit5, "포획", 0, 8, kOnce),
          pose};
}

constexpr auto kElluardRows = ElluardRows(Pose("엘류어드1_1", "엘류어드1_2"));
constexpr auto kElluard2Rows = ElluardRows(Pose("엘류어드2_1"));

constexpr std::array kElluardRoute{
    Skill(101, kActSpecialApproach), Skill(102, kActSpecialApproach2), Skill(150, kActSpecialApproach5),
    Skill(151, kActSpecialApproach4),
};

constexpr std::array kElluardGroups{
    Skills(127, 130, kActSpecialApproach3), Skill(132, kActSpecialApproach3), Skills(144, 149, kActSpecialApproach3),
    Skill(175, kActSpecialApproach3),       Skill(131, kActSkillHit2),        SLV_PLAIN_BLOW_GROUPS,
};

// The dashing skills (127-130, 132) start their blow from further off.
constexpr std::array<IdRange, 2> kElluardDashes{IdRange{127, 130}, IdRange{132, 132}};

constexpr std::array kElluardApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit, .within = 20.0f},
    ApproachRow{.code = kActSpecialApproach2, .goal = kT, .hitCode = kActSpecialHit2},
    ApproachRow{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3, .otherWithin = 33.0f,
                .otherSkills = kElluardDashes},
    ApproachRow{.code = kActSpecialApproach4, .goal = kW, .hitCode = kActSpecialHit4, .within = 30.0f},
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSpecialHit5},
};

constexpr std::array kElluardHits{
    Hop(HitRow{.code = kActSpecialHit, .start = true, .faceFirst = kT, .run = 0.2f, .strength = Fixed(2),
               .endAt = When::kAfterTick, .endTick = 130, .end = End::kIdle},
        -1.0f, 0.1f),
    HitRow{.code = kActSpecialHit2, .face = kT, .resolve = Resolve::kWeapon, .strength = Fixed(1), .end = End::kNext,
           .next = kActSkillHit1},
    // The wave's second part opens with the special start its first part ended on.
    HitRow{.code = kActSkillHit1, .start = true, .strength = Fixed(2)},
    HitRow{.code = kActSpecialHit3, .start = true, .face = kT, .run = 0.3f, .runOnlyFor = kElluardDashes,
           .strength = Fixed(2)},
    Hop(HitRow{.code = kActSpecialHit4, .trailOn = true, .faceFirst = kW, .face = kW, .run = 0.1f, .lateStart = 65,
               .endAt = When::kAfterTick, .endTick = 180, .end = End::kIdle},
        -1.5f, 0.1f),
    Special(kActSpecialHit5),
    kPlainBlow2,
    kPlainBlow3,
};

constexpr ApproachStyle kKreutzerRun{.sound = "달리기3.wav"};

// ---- Tenzi: his weapon's class names his sheets ----

constexpr std::array kTenziRows{
    Own(kActAttack, 8, 4, kOnce),
    Own(kActSpecialApproach, 4, 8, kLoop),
    Own(kActSpecialApproach2, 4, 8, kLoop),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Own(kActSkillApproach, 4, 8, kLoop),
    Own(kActDig, 4, 8, kLoop),
    Own(kActSpecialApproach4, 4, 2, kLoop),
    ByWeapon(Move(kActSpecialHit, "도립축", 0, 4, kOnce)),
    ByWeapon(Move(kActSpecialHit2, "유계익", 0, 4, kOnce)),
    ByWeapon(Move(kActSpecialHit5, "유계익", 4, 4, kOnce)),
    ByWeapon(Move(kActSpecialHit3, "역풍축", 0, 4, kOnce)),
    Own(kActSpecialHit4, 8, 1, kOnce),
    Move(kActSkillHit1, "오구탈장", 0, 4, kOnce),
    Own(kActSkillHit2, 0, 4, kOnce),
    Own(kActSkillHit3, 28, 4, kOnce),
    Move(kActCharge, "봉타쌍견", 0, 4, kOnce),
    Move(kActSkillMove1, "차올리기", 0, 4, kOnce),
    Move(kActSkillMove3, "차올리기", 4, 4, kOnce),
    ByWeapon(Pose("텐지")),
};

constexpr std::array kTenziSuffixes{
    WeaponSuffix{7, "_창"},
    WeaponSuffix{8, "_봉"},
    WeaponSuffix{9, "_폴암", "_헬버드"},
};

constexpr std::array kTenziRoute{
    Skill(103, kActSpecialApproach), Skill(104, kActSpecialApproach2), Skill(105, kActSpecialApproach3),
    Skill(153, kActSkillMove1),      Skill(155, kActSkillApproach),    Skill(156, kActDig),
};

constexpr std::array kTenziGroups{
    Skill(152, kActSpecialApproach4), Skill(154, kActSpecialApproach4), Skill(157, kActSpecialApproach4),
    Skill(160, kActSpecialApproach4), Skill(175, kActSpecialApproach4), Skill(158, kActSkillHit2),
    Skill(159, kActSkillHit3),        SLV_PLAIN_BLOW_GROUPS,
};

constexpr const char* kBrionac = "브류낙";

constexpr std::array kTenziApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit, .within = 20.0f},
    ApproachRow{.code = kActSpecialApproach2, .goal = kT, .hitCode = kActSpecialHit2},
    ApproachRow{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3, .within = 30.0f},
    ApproachRow{.code = kActSpecialApproach4, .goal = kT, .hitCode = kActSpecialHit4, .otherWithin = 40.0f,
                .otherSkillName = kBrionac},
    ApproachRow{.code = kActDig, .goal = kT, .hitCode = kActCharge},
    ApproachRow{.code = kActSkillApproach, .goal = kW, .hitCode = kActSkillHit1},
};

constexpr std::array kTenziHits{
    HitRow{.code = kActSkillMove1, .face = kT, .resolve = Resolve::kNone, .end = End::kNext, .next = kActSkillMove3,
           .idleAfter = 300},
    // The kick-up's pause comes as its strike begins.
    HitRow{.code = kActSkillMove3, .firstEffect = 1011, .firstPause = 50, .face = kT, .strength = ByTick(1, 2, 30),
           .end = End::kIdle},
    HitRow{.code = kActCharge, .start = true, .run = 0.5f, .strength = ByTick(1, 2, 25), .end = End::kIdle},
    HitRow{.code = kActSpecialHit, .start = true, .faceFirst = kT, .run = 0.3f, .strength = Fixed(2),
           .endAt = When::kAfterTick, .endTick = 60},
    HitRow{.code = kActSpecialHit2, .start = true, .faceFirst = kT, .face = kT, .end = End::kNext,
           .next = kActSpecialHit5},
    Hop(HitRow{.code = kActSpecialHit3, .trailOn = true, .faceFirst = kT, .firstPause = 30, .run = 0.3f}, -1.5f,
        0.5f),
    HitRow{.code = kActSpecialHit4, .start = true, .faceFirst = kT, .face = kT, .strength = Fixed(2),
           .repeatEvery = 5, .repeatFor = kBrionac},
    kRedLotusSecond,
    kHeavenStaff,
    kPlainBlow2,
    kPlainBlow3,
};

// ---- Celine: the bow ----

constexpr std::array kCelineRows{
    Own(kActAttack, 8, 8, kOnce),
    Own(kActSpecialHit2, 8, 8, kOnce),
    Own(kActSpecialHit3, 8, 8, kOnce),
    Own(kActSkillHit2, 8, 8, kOnce),
    Own(kActSpecialApproach3, 8, 8, kOnce),
    Own(kActSkillHit3, 28, 8, kOnce),
    Own(kActSpecialApproach4, 4, 8, kLoop),
    Own(kActDig, 4, 3, kLoop),
    Own(kActCharge, 28, 4, kOnce),
    Move(kActSpecialHit, "애로우샤워", 0, 4, kOnce),
    Move(kActSpecialHit4, "볼로그다", 0, 4, kOnce),
    Move(kActSpecialHit5, "라이트닝애로", 0, 4, kOnce),
    Move(kActSkillHit1, "마법탄", 0, 8, kOnce),
    Pose("셀린_1"),
};

constexpr std::array kCelineRoute{
    Skills(106, 108, kActSkillHit1), Skill(161, kActSpecialHit),       Skill(162, kActSpecialHit2),
    Skill(163, kActSpecialApproach3), Skill(164, kActSpecialApproach4), Skill(165, kActSpecialHit5),
    Skill(175, kActDig),
};

constexpr std::array kCelineGroups{SLV_PLAIN_BLOW_GROUPS};

constexpr std::array kCelineApproaches{
    ApproachRow{.code = kActSpecialApproach4, .goal = kW, .hitCode = kActSpecialHit4, .within = 20.0f},
    ApproachRow{.code = kActDig, .goal = kW, .hitCode = kActSpecialHit4},
};

constexpr HitRow Shot(int32_t code) {
  return HitRow{.code = code, .face = kT, .strength = Fixed(2), .end = End::kIdle};
}

constexpr std::array kCelineHits{
    Shot(kActSpecialHit),
    Shot(kActSpecialHit2),
    Shot(kActSpecialHit3),
    Shot(kActSpecialHit5),
    Shot(kActSkillHit2),
    // Aimed where she stands, her steps sounding.
    HitRow{.code = kActSpecialApproach3, .face = kT, .tickSound = "달리기2.wav", .soundEvery = 20,
           .strength = Fixed(1), .end = End::kNext, .next = kActSpecialHit3},
    Hop(HitRow{.code = kActSpecialHit4, .trailOn = true, .faceFirst = kW, .face = kW, .run = 0.2f,
               .strength = Fixed(2), .endAt = When::kAfterTick, .endTick = 120, .end = End::kIdle},
        -2.3f, 0.2f),
    HitRow{.code = kActCharge, .trailOn = true, .faceFirst = kW, .face = kW, .run = 0.2f, .strength = Fixed(1),
           .endAt = When::kAfterTick, .endTick = 120, .end = End::kIdle},
    HitRow{.code = kActSkillHit1, .face = kT, .resolveAt = When::kEnd, .end = End::kIdle},
    kPlainBlow3,
};

constexpr ApproachStyle kCelineRun{.sound = "달리기2.wav"};

// ---- Carrot ----

constexpr std::array kCarrotRows{
    Own(kActAttack, 8, 8, kOnce),
    Own(kActSpecialHit4, 8, 8, kOnce),
    Own(kActSkillHit2, 8, 8, kOnce),
    Own(kActSpecialHit5, 28, 8, kOnce),
    Own(kActSkillHit3, 28, 8, kOnce),
    Own(kActSpecialApproach, 4, 8, kLoop),
    Own(kActSpecialApproach2, 4, 8, kLoop),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Own(kActSpecialApproach4, 4, 8, kLoop),
    Own(kActSpecialApproach5, 4, 8, kLoop),
    Move(kActSpecialHit, "훔치기_캐럿", 0, 8, kOnce),
    Move(kActSpecialHit2, "라이징문", 0, 4, kOnce),
    Move(kActSpecialHit3, "스플릿아머", 0, 4, kOnce),
    Move(kActSkillHit1, "스플릿아머", 4, 4, kOnce),
    Pose("캐럿_1"),
};

// The route Carrot and Peach share past their own skills.
#define SLV_THIEF_GROUPS \
  Skills(134, 135, kActSpecialApproach4), SLV_PLAIN_BLOW_GROUPS

constexpr std::array kCarrotRoute{
    Skill(124, kActSpecialApproach), Skill(125, kActSpecialApproach2), Skill(126, kActSpecialApproach3),
};

constexpr std::array kCarrotGroups{
    Skills(116, 123, kActSpecialApproach5), Skill(175, kActSpecialApproach5), SLV_THIEF_GROUPS,
};

constexpr std::array kCarrotApproaches{
    ApproachRow{.code = kActSpecialApproach, .goal = kT, .hitCode = kActSpecialHit},
    ApproachRow{.code = kActSpecialApproach2, .goal = kT, .hitCode = kActSpecialHit2, .within = 30.0f},
    ApproachRow{.code = kActSpecialApproach3, .goal = kT, .hitCode = kActSpecialHit3},
    ApproachRow{.code = kActSpecialApproach4, .goal = kT, .hitCode = kActSpecialHit4},
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSpecialHit5},
};

constexpr std::array kCarrotHits{
    HitRow{.code = kActSpecialHit, .start = true, .faceFirst = kT, .face = kT, .resolveAt = When::kEnd},
    Hop(HitRow{.code = kActSpecialHit2, .start = true, .faceFirst = kT, .run = 0.4f, .strength = Fixed(2),
               .endAt = When::kAfterTick, .endTick = 60, .end = End::kIdle},
        -1.0f, 0.2f),
    HitRow{.code = kActSpecialHit3, .face = kT, .resolve = Resolve::kNone, .end = End::kNext, .next = kActSkillHit1},
    Hop(HitRow{.code = kActSkillHit1, .start = true, .face = kT, .strength = Fixed(2)}, -2.0f, 1.5f),
    Special(kActSpecialHit4),
    Special(kActSpecialHit5),
    kPlainBlow2,
    kPlainBlow3,
};

constexpr ApproachStyle kThiefRun{.sound = "달리기1.wav"};

// ---- Peach ----

constexpr std::array kPeachRows{
    Own(kActAttack, 8, 8, kOnce),
    Own(kActSpecialHit4, 8, 8, kOnce),
    Own(kActSkillHit2, 8, 8, kOnce),
    Own(kActSpecialHit, 28, 8, kOnce),
    Own(kActSpecialHit2, 28, 8, kOnce),
    Own(kActSkillHit3, 28, 8, kOnce),
    Own(kActSpecialApproach2, 4, 8, kLoop),
    Own(kActSpecialApproach3, 4, 8, kLoop),
    Own(kActSpecialApproach4, 4, 8, kLoop),
    Own(kActSpecialApproach5, 4, 8, kLoop),
    Move(kActSpecialHit3, "훔치기_피치", 0, 8, kOnce),
    Move(kActSpecialHit5, "백플래셔", 0, 4, kOnce),
    Move(kActSkillHit1, "백플래셔", 4, 2, kOnce),
    Pose("피치_1"),
};

constexpr std::array kPeachRoute{
    Skill(111, kActSpecialApproach5), Skills(112, 115, kActSpecialHit), Skill(124, kActSpecialApproach3),
};

constexpr std::array kPeachGroups{
    Skills(116, 123, kActSpecialApproach2), Skill(175, kActSpecialApproach2), SLV_THIEF_GROUPS,
};

constexpr std::array kPeachApproaches{
    ApproachRow{.code = kActSpecialApproach2, .goal = kT, .hitCode = kActSpecialHit2},
    kRunInToFlash,
    ApproachRow{.code = kActSpecialApproach4, .goal = kT, .hitCode = kActSpecialHit4},
    ApproachRow{.code = kActSpecialApproach5, .goal = kT, .hitCode = kActSpecialHit5, .within = 5.0f},
};

constexpr std::array kPeachHits{
    kTwoAfter49,
    Special(kActSpecialHit2, Fixed(2)),
    kFlashHit,
    HitRow{.code = kActSpecialHit4, .strength = Fixed(2)},
    HitRow{.code = kActSpecialHit5, .strength = Fixed(1), .end = End::kNext, .next = kActSkillHit1},
    HitRow{.code = kActSkillHit1, .run = 0.1f, .strength = ByTick(1, 2, 40)},
    kPlainBlow2,
    kPlainBlow3,
};

#undef SLV_THIEF_GROUPS
#undef SLV_PLAIN_BLOW_GROUPS

}  // namespace battleforms
}  // namespace

const Form kKreutzer{.menuIndex = 7, .rows = battleforms::kKreutzerRows, .route = battleforms::kKreutzerRoute, .groups = battleforms::kKreutzerGroups,
                     .approaches = battleforms::kKreutzerApproaches, .approach = battleforms::kKreutzerRun, .hits = battleforms::kKreutzerHits,
                     .orders = battleforms::kSharedOrders};
const Form kSizz{.menuIndex = 0, .rows = battleforms::kSizzRows, .hits = battleforms::kSizzHits, .orders = battleforms::kSizzOrders, .hook = battleforms::SizzHook};
const Form kSizz2{.menuIndex = 0, .rows = battleforms::kSizz2Rows, .route = battleforms::kSizz2Route, .routeDefault = kActAttack,
                  .hits = battleforms::kSizz2Hits, .orders = battleforms::kSizz2Orders, .weaponSuffixes = battleforms::kSizz2Suffixes, .base = &kSizz};
const Form kMaria{.menuIndex = 1, .rows = battleforms::kMariaRows, .route = battleforms::kMariaRoute, .groups = battleforms::kMariaGroups,
                  .approaches = battleforms::kMariaApproaches, .approach = battleforms::kMariaRun, .hits = battleforms::kMariaHits, .orders = battleforms::kSharedOrders};
const Form kMaria2{.menuIndex = 1, .rows = battleforms::kMaria2Rows, .route = battleforms::kMaria2Route, .groups = battleforms::kMariaGroups,
                   .approaches = battleforms::kMaria2Approaches, .approach = battleforms::kMariaRun, .hits = battleforms::kMaria2Hits,
                   .orders = battleforms::kSharedOrders, .base = &kMaria};
const Form kAi{.menuIndex = 8, .rows = battleforms::kAiRows, .route = battleforms::kAiRoute, .routeDefault = kActAttack,
               .approaches = battleforms::kAiApproaches, .hits = battleforms::kAiHits, .orders = battleforms::kAiOrders, .hook = battleforms::AiHook};
const Form kElluard{.menuIndex = 2, .rows = battleforms::kElluardRows, .route = battleforms::kElluardRoute, .groups = battleforms::kElluardGroups,
                    .approaches = battleforms::kElluardApproaches, .approach = battleforms::kKreutzerRun, .hits = battleforms::kElluardHits,
                    .orders = battleforms::kSharedOrders, .suffix = "_엘류어드1"};
const Form kElluard2{.menuIndex = 2, .rows = battleforms::kElluard2Rows, .route = battleforms::kElluardRoute, .groups = battleforms::kElluardGroups,
                     .approach = battleforms::kKreutzerRun, .orders = battleforms::kSharedOrders, .suffix = "_엘류어드2", .base = &kElluard};
const Form kTenzi{.menuIndex = 3, .rows = battleforms::kTenziRows, .route = battleforms::kTenziRoute, .groups = battleforms::kTenziGroups,
                  .approaches = battleforms::kTenziApproaches, .approach = battleforms::kKreutzerRun, .hits = battleforms::kTenziHits,
                  .orders = battleforms::kSharedOrders, .weaponSuffixes = battleforms::kTenziSuffixes,
                  .noWeaponSheet = "Hey.!! Hey.. Hey.. dont' use skill!! of TENZI"};
const Form kCeline{.menuIndex = 4, .rows = battleforms::kCelineRows, .route = battleforms::kCelineRoute, .groups = battleforms::kCelineGroups,
                   .approaches = battleforms::kCelineApproaches, .approach = battleforms::kCelineRun, .hits = battleforms::kCelineHits,
                   .orders = battleforms::kSharedOrders, .routeStarts = true, .shootsArrows = true};
const Form kCarrot{.menuIndex = 5, .rows = battleforms::kCarrotRows, .route = battleforms::kCarrotRoute, .groups = battleforms::kCarrotGroups,
                   .approaches = battleforms::kCarrotApproaches, .approach = battleforms::kThiefRun, .hits = battleforms::kCarrotHits,
                   .orders = battleforms::kSharedOrders};
const Form kPeach{.menuIndex = 6, .rows = battleforms::kPeachRows, .route = battleforms::kPeachRoute, .groups = battleforms::kPeachGroups,
                  .approaches = battleforms::kPeachApproaches, .approach = battleforms::kThiefRun, .hits = battleforms::kPeachHits, .orders = battleforms::kSharedOrders};

}  // namespace battleform
