#include "battle/BattleSkillSchedule.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "battle/SpawnedBattleObjects.h"
#include "effect/SelvarinEffect.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "session/Session.h"

namespace {
namespace battleskillschedule {

constexpr int kDefaultLastTick = 1000;
constexpr int kStays = -1;
constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

// Brought once into 0..360.
float Wrapped(float a) {
  if (a >= 360.0f) return a - 360.0f;
  if (a < 0.0f) return a + 360.0f;
  return a;
}

enum class Op {
  kApply,         // the bound target
  kApplyOrSweep,  // a sweep of the reach on the target's side for a splash skill, else apply
  kSweepReach,    // the reach on the target's side
  kSweep,         // a: radius, b: 1 the party side, 0 the enemies
  kEnemyLoop,     // every enemy slot within a, whatever its action: apply and effect b, c times
  kEffect,        // a: effect, b: 1 on the target, c: times (0 once)
  kFlash,         // frame message 4 (a, b, c)
  kBands,         // frame message 13 (a, b, c)
  kTimed,         // frame message 14 (a)
  kEmotion,       // a on the target
  kFace,          // toward the target
  kStep,          // a forward
  kRise,          // a upward
  kWave,
  kToTarget,  // takes the target's position
  kToUser,    // takes the user's position
  kSweepEnds,  // as kSweep, ending the object when it reached anyone
  kTurnedStep,  // a forward; at tick 0 turned by (number - c) x b degrees
  kUserHeading,
  kRaiseUser,     // a upward
  kPointTarget,   // the effect last shown on the target comes from the user's place
};

struct Act {
  Op op;
  float a = 0.0f, b = 0.0f, c = 0.0f;
  const char* wave = nullptr;
};

enum class When { kAt, kEvery, kAlways, kAtIndex };

// A list run on its ticks: at tick `n`, at every multiple of `n` from
// `from` to `to`, every tick, or at the tick of the object's number.
struct Cue {
  When when;
  int n = 0;
  int from = 0, to = kDefaultLastTick;
  bool reach = false;  // the list runs only with the target within reach
  std::vector<Act> acts;
  bool nearWalkPoint = false;  // only near the user's walk point
};

enum class Place { kWherePlaced, kAtUser, kAtUserAtStart };

using Motion = void (*)(CBattleSkill&, const CSelvarinActor& user);

struct Dash {
  int effect = -1;
  bool fromUser = true;
  std::optional<float> height = std::nullopt;  // the height it starts at
  bool belowUser = false;       // starts 7 below the user's height instead
  float speed = 2.0f;
  int limit = 120;
  bool stepGround = false;
  bool arriveGround = false;
  float within = 0.0f;  // arrival below this distance; 0: at most 5 x speed
  float takeOff = 0.0f;  // the vertical speed it leaves with; 0 stays level
  bool bounces = false;
  bool appliesOn = false;  // on every arrived tick, without ending
  Motion afterMove = nullptr;
  std::optional<Act> everyTick = std::nullopt;
  std::vector<Act> arrival = {};
};

struct Hop {
  int effect = -1;
  float takeOff = -0.7f;
  float fromUser = -7.0f;  // the height against the user's
};

struct Tick;
// A motion no word covers; false ends the object.
using Custom = bool (*)(const Tick&);

struct Schedule {
  std::vector<int> ids;
  Place place = Place::kWherePlaced;
  std::vector<Cue> cues = {};
  int last = kDefaultLastTick;  // kStays: ends only with user or target
  std::optional<Dash> dash = std::nullopt;
  bool lastAfterIndex = false;  // the last tick counts from the object's number
  bool thenGeneral = false;
  std::optional<Hop> hop = std::nullopt;
  Custom custom = nullptr;
};

Cue At(int tick, std::vector<Act> acts, bool reach = false) { return {When::kAt, tick, 0, 0, reach, std::move(acts)}; }
Cue Reach(std::vector<Act> acts) { return At(0, std::move(acts), true); }
Act Effect(int id, int times = 1) { return {Op::kEffect, static_cast<float>(id), 0.0f, static_cast<float>(times)}; }
Act OnTarget(int id, int times = 1) { return {Op::kEffect, static_cast<float>(id), 1.0f, static_cast<float>(times)}; }
Act Timed(int ticks) { return {Op::kTimed, static_cast<float>(ticks)}; }
Act Flash(int a, int b, int c) { return {Op::kFlash, float(a), float(b), float(c)}; }
Act Bands(int a, int b, int c) { return {Op::kBands, float(a), float(b), float(c)}; }
Act Emotion(int n) { return {Op::kEmotion, static_cast<float>(n)}; }
Act SweepEnemies(float r) { return {Op::kSweep, r, 0.0f}; }
Act SweepParty(float r) { return {Op::kSweep, r, 1.0f}; }
const Act kApply{Op::kApply};
const Act kFlashHit = Flash(1, 1, 2);
const Act kBlow = Effect(1054);

// 31: the height swings with the ground distance from the user.
void SineHeight(CBattleSkill& object, const CSelvarinActor& user) {
  float a = 9.0f * object.DistanceXZ(user.m_pos.x, user.m_pos.z);
  if (a >= 360.0f) a -= 360.0f;
  if (a < 0.0f) a += 360.0f;
  const float swing = 10.0f * std::sin(a);
  object.m_pos.y += object.m_index != 0 ? swing : -swing;
}

void Sink(CBattleSkill& object, const CSelvarinActor& /*user*/) { object.m_pos.y += 0.5f; }

bool Star(const Tick& t);
bool Spiral(const Tick& t);
bool Widening(const Tick& t);
bool Circling(const Tick& t);
bool Dipper(const Tick& t);
bool Rush(const Tick& t);

Schedule UserAt(std::vector<int> ids, Place place, std::vector<Cue> cues, int last = kDefaultLastTick) {
  return {std::move(ids), place, std::move(cues), last};
}

std::vector<Schedule> BuildSchedules() {
  const Place user = Place::kAtUser, start = Place::kAtUserAtStart, placed = Place::kWherePlaced;
  std::vector<Schedule> s;
  s.push_back(UserAt({0}, user, {At(0, {{Op::kSweepReach}, OnTarget(1023)})}));
  s.push_back(UserAt({22, 23}, user, {Reach({{Op::kApplyOrSweep}, Timed(10), Bands(2, 12, 4), kBlow})}));
  s.push_back(UserAt({36, 37, 38}, start, {Reach({kApply, OnTarget(1020)})}));
  s.push_back(UserAt({40}, start, {Reach({Emotion(13), kApply})}, 50));
  s.push_back(UserAt({42}, placed, {At(0, {OnTarget(226), kApply})}, 50));
  s.push_back(UserAt({47}, user, {At(0, {kApply, Emotion(3)})}));
  s.push_back(UserAt({64}, user, {At(0, {kApply, Emotion(5)})}));
  s.push_back(UserAt({57}, user, {Reach({kApply})}, 50));
  s.push_back(UserAt({69}, user, {At(0, {kApply, OnTarget(1023)})}));
  s.push_back(UserAt({74}, user, {At(0, {OnTarget(216), kApply, Flash(1, 1, 1), kBlow})}));
  s.push_back(UserAt({75}, user, {At(0, {Emotion(6), Flash(1, 1, 1), kApply})}, kStays));
  s.push_back(UserAt({76}, start, {Reach({kApply})}));
  s.push_back(UserAt({77}, user, {Reach({{Op::kSweepReach}, OnTarget(216), Timed(10), kBlow})}));
  s.push_back(UserAt({82}, user, {At(0, {OnTarget(1017)}), At(20, {OnTarget(216), Timed(10), kBlow, kApply})}));
  s.push_back(UserAt({85}, user, {{When::kEvery, 10, 0, 30, false, {OnTarget(2002), Timed(10), kBlow, kApply}}}));
  s.push_back(UserAt({89, 90, 91, 92, 93}, placed, {At(0, {Emotion(12), kApply})}));
  s.push_back(UserAt({95}, placed,
                     {At(0, {{Op::kToTarget}, OnTarget(216), SweepEnemies(30), Flash(2, 1, 0), Effect(1017), kBlow})},
                     100));
  s.push_back(UserAt({96}, user,
                     {At(0, {{Op::kWave, 0, 0, 0, "시즈2-쌍장파폭파.wav"}, kApply, kFlashHit, OnTarget(1018)})}));
  s.push_back(UserAt({100}, placed, {At(0, {Timed(10), Bands(2, 12, 1), kBlow, SweepEnemies(35)})}));
  s.push_back(UserAt({102}, placed,
                     {At(0, {{Op::kFace}, {Op::kStep, 15}, Effect(216), SweepEnemies(30), kFlashHit, kBlow})}, 100));
  s.push_back(UserAt({110}, placed, {At(0, {SweepEnemies(40), Timed(10), kBlow})}));
  s.push_back(UserAt({116, 117, 118, 119}, user, {At(0, {kApply, OnTarget(1016)})}));
  s.push_back(UserAt({127}, start, {Reach({kApply, OnTarget(1019), Timed(10), Bands(4, 8, 3), kBlow})}));
  s.push_back(UserAt({128}, start, {Reach({kApply, OnTarget(1019), kFlashHit, kBlow})}));
  s.push_back(UserAt({129}, start, {Reach({kApply, OnTarget(1018), kFlashHit, kBlow})}));
  s.push_back(UserAt({130}, start, {Reach({kApply, OnTarget(1018, 2), Timed(10), kBlow})}, 20));
  s.push_back(UserAt({131}, user, {At(0, {kApply, OnTarget(253), Timed(10), kBlow})}));
  s.push_back(UserAt({132}, user, {At(0, {OnTarget(259, 3)}), At(5, {kApply, Bands(4, 8, 3), Timed(10), kBlow})}));
  const std::pair<int, int> struck[] = {{134, 1020}, {135, 242}, {159, 259}, {145, 211},
                                        {146, 204},  {147, 1010}, {152, 1019}};
  for (const auto& [id, effect] : struck) {
    s.push_back(UserAt({id}, id == 134 || id == 135 || id == 159 ? user : start,
                       {Reach({kApply, OnTarget(effect), Timed(10), kBlow})}));
  }
  s.push_back(UserAt({139}, placed,
                     {At(0, {OnTarget(211)}), At(20, {{Op::kToUser}}), At(20, {Timed(10), kBlow, kApply}, true)}));
  s.push_back(UserAt({141}, user, {At(0, {kApply, Timed(10), Bands(4, 8, 1), kBlow})}));
  s.push_back(UserAt({142}, placed,
                     {At(0, {{Op::kFace}, {Op::kStep, 5}, Effect(1023)}), Reach({kApply, Timed(10), kBlow}),
                      {When::kEvery, 5, 5, 55, false, {{Op::kStep, 5}, Effect(1023)}}},
                     100));
  s.push_back(UserAt({143}, placed, {At(0, {Timed(10), kBlow, {Op::kEnemyLoop, 35, 264, 2}})}, 30));
  s.push_back(UserAt({149}, start, {Reach({kApply, OnTarget(1019), OnTarget(259), Timed(15), Bands(4, 16, 3), kBlow})}));
  s.push_back(UserAt({151}, placed,
                     {At(0, {Timed(10), kBlow, Effect(1055), {Op::kEnemyLoop, 50, 259, 2}, Effect(1017)})}));
  for (int id : {153, 165}) {
    std::vector<Act> hit{kApply, OnTarget(259), Timed(10), kBlow};
    if (id == 153) hit.insert(hit.begin() + 2, Bands(2, 12, 4));
    s.push_back(UserAt({id}, placed,
                       {At(0, {Effect(1053)}), {When::kAlways, 0, 0, 0, false, {{Op::kRise, 4}}}, At(80, hit)}));
  }
  s.push_back(UserAt({154}, placed, {At(0, {Timed(10), kApply, kBlow})}, kStays));
  s.push_back(UserAt({157}, start, {Reach({kApply, OnTarget(1018), Timed(10), kBlow})}, kStays));
  s.push_back(UserAt({158}, placed,
                     {{When::kEvery, 10, 0, 119, false, {Effect(1055)}}, At(0, {Effect(1026)}), At(20, {Effect(1028)}),
                      At(40, {Effect(1029)}), At(60, {Effect(1027)}), At(80, {Effect(1030)}),
                      At(100, {Timed(15), kApply, kBlow}), {When::kEvery, 5, 100, 130, false, {Effect(1055)}}}));
  s.push_back(UserAt({164}, placed, {At(0, {Timed(10), kBlow, {Op::kEnemyLoop, 35, 216, 1}})}, 30));
  s.push_back(UserAt({161}, placed,
                     {At(0, {{Op::kRaiseUser, 7}, OnTarget(228), {Op::kPointTarget}}),
                      At(30, {kApply, Flash(1, 1, 0), kBlow, OnTarget(216)})},
                     30));
  s.push_back(UserAt({169}, user, {At(0, {{Op::kUserHeading}, kApply, Effect(1031), OnTarget(1020)})}));
  s.push_back(UserAt({170}, user, {At(0, {{Op::kUserHeading}, kApply, Effect(1031)})}));
  s.push_back(UserAt({171, 183}, user, {At(0, {kApply})}));
  s.push_back(UserAt({172}, user, {At(0, {kApply, OnTarget(211)})}));
  s.push_back(UserAt({173, 175, 182}, user, {At(0, {kApply, OnTarget(1020)})}));
  s.push_back(UserAt({174}, user, {At(0, {kApply, OnTarget(1021)})}));
  Schedule lateFace = UserAt({184}, placed, {At(0, {Timed(30)}), {When::kAtIndex, 0, 0, 0, false, {{Op::kFace}, Effect(216)}}}, 40);
  lateFace.lastAfterIndex = true;
  s.push_back(lateFace);
  Schedule twice = UserAt({188}, placed, {At(0, {OnTarget(1020, 5), kApply, kBlow, Timed(10), Bands(2, 12, 4)})});
  twice.thenGeneral = true;
  s.push_back(twice);

  Schedule fan = UserAt({58}, placed, {{When::kEvery, 5, 0, 60, false, {{Op::kTurnedStep, 5, 1.5f, 1}, Effect(1018), SweepParty(10)}}}, 60);
  s.push_back(fan);
  for (int id : {86, 87, 88}) {
    const Act mark = Effect(1018 + id - 86);
    s.push_back(UserAt({id}, placed,
                       {{When::kEvery, 4, 0, 60, false, {{Op::kTurnedStep, 3, 5, 1}, mark, SweepParty(10), kFlashHit}}}, 60));
  }
  auto custom = [&s](std::vector<int> ids, Custom motion, int last) {
    Schedule row = UserAt(std::move(ids), Place::kWherePlaced, {}, last);
    row.custom = motion;
    s.push_back(row);
  };
  custom({72, 73}, Star, 200);
  custom({80}, Spiral, 100);
  custom({83}, Widening, 120);
  custom({137}, Circling, 500);
  custom({148}, Dipper, 300);
  custom({160}, Rush, kDefaultLastTick);
  auto hop = [&s](int id, Hop h, std::vector<Cue> cues) {
    Schedule row = UserAt({id}, Place::kWherePlaced, std::move(cues));
    row.hop = h;
    s.push_back(row);
  };
  const Act sweepsEnd[] = {{Op::kSweepEnds, 15, 0}, {Op::kSweepEnds, 15, 1}};
  for (int id : {106, 107}) {
    hop(id, {.effect = 1007}, {{When::kEvery, 20, 11, kDefaultLastTick, false, {sweepsEnd[0], sweepsEnd[1]}, true}});
  }
  hop(108, {.effect = 1008, .takeOff = -1.5f},
      {{When::kEvery, 30, 0, kDefaultLastTick, false, {SweepEnemies(15), SweepParty(15)}, true}});
  hop(114, {.fromUser = 7.0f},
      {{When::kAlways, 0, 0, 0, false, {SweepEnemies(10), SweepParty(10)}, true},
       {When::kEvery, 10, 31, kDefaultLastTick, false, {SweepEnemies(10), SweepParty(10)}}});
  const std::vector<Act> strike{kApply, Timed(10), kBlow};
  auto dash = [&s](int id, Dash d) { s.push_back({{id}, Place::kWherePlaced, {}, kDefaultLastTick, std::move(d)}); };
  dash(31, {.effect = 2000, .height = -10.0f, .speed = 1.5f, .stepGround = true, .afterMove = SineHeight,
            .arrival = {kApply, Timed(10), Bands(2, 12, 4), kBlow}});
  dash(54, {.effect = 2000, .arrival = strike});
  dash(84, {.effect = 2004, .arrival = strike});
  dash(59, {.effect = 2004, .everyTick = SweepParty(10), .arrival = {Timed(10), kBlow}});
  dash(162, {.effect = 68, .fromUser = false, .belowUser = true, .speed = 1.5f, .stepGround = true,
             .arriveGround = true, .arrival = strike});
  dash(163, {.effect = 1019, .speed = 3.0f, .stepGround = true, .arriveGround = true, .within = 5.0f,
             .arrival = strike});
  dash(185, {.effect = 2000, .height = -15.0f, .stepGround = true, .arriveGround = true, .afterMove = Sink,
             .arrival = {kApply, Timed(10), OnTarget(259), kBlow}});
  dash(112, {.fromUser = false, .speed = 3.0f, .stepGround = true, .takeOff = -0.7f, .appliesOn = true,
             .arrival = {kApply}});
  for (int id : {113, 115}) {
    dash(id, {.fromUser = false, .belowUser = true, .speed = 3.0f, .stepGround = true, .takeOff = -0.7f,
              .bounces = true, .appliesOn = true, .arrival = {kApply}});
  }
  dash(187, {.effect = 1020, .height = -10.0f, .arrival = strike});
  return s;
}

const Schedule kGeneral = UserAt({}, Place::kAtUser, {Reach({{Op::kApplyOrSweep}, kFlashHit, kBlow})});

const Schedule& ScheduleOf(int skill) {
  static const std::vector<Schedule> table = BuildSchedules();
  for (const Schedule& row : table) {
    for (int id : row.ids) {
      if (id == skill) return row;
    }
  }
  return kGeneral;
}

// One tick of a skill object: what it sees and does.
struct Tick {
  CBattleSkill& object;
  CSelvarinActor& user;
  CSelvarinActor& target;

  int Now() const { return object.m_tickCount; }

  void Frame(int code, float a, float b, float c) const {
    if (CSelvarinFrame* frame = GetGameFrame()) {
      frame->OnMessage(nullptr, code, static_cast<intptr_t>(a), static_cast<intptr_t>(b), static_cast<intptr_t>(c));
    }
  }
  bool WithinReach() const {
    if (target.DistanceXZ(user.m_pos.x, user.m_pos.z) <= object.m_reach) return true;
    user.OnMessage(&object, kMsgMissed, 0, 0, 0);
    return false;
  }
  void SweepReach() const { object.HitInRadius(object.m_reach, object.m_targetIsParty == 1, nullptr); }
  void EnemyLoop(float radius, int effect, int times) const {
    for (int n = 0; n < CSession::kMaxEnemies; ++n) {
      CSelvarinActor* enemy = CSession::GetInstance().GetBattleActor(n, false);
      if (enemy == nullptr || enemy->Distance3d(object.m_pos.x, object.m_pos.y, object.m_pos.z) >= radius) continue;
      object.ApplyTo(*enemy);
      for (int i = 0; i < times; ++i) enemy->SpawnEffect(effect);
    }
  }
  void Step(float d) const {
    const float h = object.m_angle * kRadiansPerDegree;
    object.m_pos.x += d * std::sin(h);
    object.m_pos.z -= d * std::cos(h);
  }

  // False when the act ends the object.
  bool Run(const Act& act) const {
    const auto a = static_cast<int>(act.a);
    switch (act.op) {
      case Op::kApply: object.ApplyTo(object.m_targetId, object.m_targetIsParty); break;
      case Op::kApplyOrSweep:
        if (object.m_splash != 0) {
          SweepReach();
        } else {
          object.ApplyTo(object.m_targetId, object.m_targetIsParty);
        }
        break;
      case Op::kSweepReach: SweepReach(); break;
      case Op::kSweep: object.HitInRadius(act.a, act.b != 0.0f, nullptr); break;
      case Op::kEnemyLoop: EnemyLoop(act.a, static_cast<int>(act.b), static_cast<int>(act.c)); break;
      case Op::kEffect: {
        CSelvarinActor& on = act.b != 0.0f ? target : object;
        for (int i = 0; i < std::max(1, static_cast<int>(act.c)); ++i) on.SpawnEffect(a);
        break;
      }
      case Op::kFlash: Frame(4, act.a, act.b, act.c); break;
      case Op::kBands: Frame(13, act.a, act.b, act.c); break;
      case Op::kTimed: Frame(14, act.a, 0.0f, 0.0f); break;
      case Op::kEmotion: target.OnMessage(&object, kMsgEmotion, a, 0, 0); break;
      case Op::kFace: object.FaceToward(target.m_pos.x, target.m_pos.z); break;
      case Op::kStep: Step(act.a); break;
      case Op::kRise: object.m_pos.y -= act.a; break;
      case Op::kWave: PlayWave(act.wave); break;
      case Op::kToTarget: object.m_pos = target.m_pos; break;
      case Op::kToUser: object.m_pos = user.m_pos; break;
      case Op::kUserHeading: object.m_angle = user.m_angle; break;
      case Op::kRaiseUser: user.m_pos.y -= act.a; break;
      case Op::kPointTarget:
        if (!target.m_effects.empty()) target.m_effects.back()->m_startPoint = user.m_pos;
        break;
      case Op::kSweepEnds: return !object.HitInRadius(act.a, act.b != 0.0f, nullptr);
      case Op::kTurnedStep:
        if (Now() == 0) object.FaceToward(target.m_pos.x, target.m_pos.z);
        StepTurned(act.a, Now() == 0 ? (static_cast<float>(object.m_index) - act.c) * act.b : 0.0f);
        break;
    }
    return true;
  }
  // A step forward along the heading turned by the angle; the heading stays.
  void StepTurned(float d, float turn) const {
    const float h = object.m_angle;
    object.m_angle = Wrapped(h + turn);
    Step(d);
    object.m_angle = h;
  }
  void StepToward(float d, float a) const {
    const float r = Wrapped(a) * kRadiansPerDegree;
    object.m_pos.x -= d * std::sin(r);
    object.m_pos.z += d * std::cos(r);
  }
  bool NearWalkPoint() const {
    return object.DistanceXZ(user.m_targetX, user.m_targetZ) <= 5.0f * object.m_speed || Now() > 120;
  }
  void Bounce(bool bounces) const {
    if (bounces && object.m_inAir == 0) {
      object.m_velocity.y *= -0.2f;
      object.m_inAir = 1;
    }
    object.ApplyGravity(0.2f);
  }
  void RunHop(const Hop& hop) const {
    if (Now() == 0) {
      if (hop.effect >= 0) object.SpawnEffect(hop.effect);
      object.m_velocity.y = hop.takeOff;
      object.m_inAir = 1;
      object.m_pos.y = user.m_pos.y + hop.fromUser;
    }
    Bounce(true);
  }

  bool Due(const Cue& cue) const {
    switch (cue.when) {
      case When::kAt: return Now() == cue.n;
      case When::kEvery: return Now() >= cue.from && Now() <= cue.to && Now() % cue.n == 0;
      case When::kAlways: return true;
      case When::kAtIndex: return Now() == object.m_index;
    }
    return false;
  }
  bool RunCues(const Schedule& row) const {
    if (row.place == Place::kAtUser || (row.place == Place::kAtUserAtStart && Now() == 0)) object.m_pos = user.m_pos;
    for (const Cue& cue : row.cues) {
      if (!Due(cue) || (cue.nearWalkPoint && !NearWalkPoint()) || (cue.reach && !WithinReach())) continue;
      for (const Act& act : cue.acts) {
        if (!Run(act)) return false;
      }
    }
    return true;
  }

  void TakeOff(const Dash& d) const {
    if (d.effect >= 0) object.SpawnEffect(d.effect);
    object.m_speed = d.speed;
    if (d.fromUser) object.m_pos = user.m_pos;
    if (d.height) object.m_pos.y = *d.height;
    if (d.belowUser) object.m_pos.y = user.m_pos.y + 7.0f;
    if (d.takeOff != 0.0f) {
      object.m_velocity.y = d.takeOff;
      object.m_inAir = 1;
    }
  }
  float DistanceFor(bool ground) const {
    const Vec3& p = object.m_pos;
    return ground ? target.DistanceXZ(p.x, p.z) : target.Distance3d(p.x, p.y, p.z);
  }
  // False once arrived.
  bool RunDash(const Dash& d) const {
    if (Now() == 0) TakeOff(d);
    object.FaceToward(target.m_pos.x, target.m_pos.z);
    object.SetSpeed(d.speed);
    if (DistanceFor(d.stepGround) >= d.speed) {
      object.m_pos.x += object.m_velocity.x;
      object.m_pos.z += object.m_velocity.z;
      if (d.afterMove != nullptr) d.afterMove(object, user);
    }
    if (d.takeOff != 0.0f) Bounce(d.bounces);
    if (d.everyTick) Run(*d.everyTick);
    const float arrive = DistanceFor(d.arriveGround);
    const bool near = d.within > 0.0f ? arrive < d.within : arrive <= 5.0f * d.speed;
    if (!near && Now() <= d.limit) return true;
    for (const Act& act : d.arrival) Run(act);
    return d.appliesOn;
  }

  bool Run(const Schedule& row) const {
    if (row.hop) RunHop(*row.hop);
    if (!RunCues(row)) return false;
    if (row.thenGeneral) RunCues(kGeneral);
    if (row.dash && !RunDash(*row.dash)) return false;
    if (row.custom != nullptr && !row.custom(*this)) return false;
    if (row.last == kStays) return true;
    const int last = row.lastAfterIndex ? object.m_index + row.last : row.last;
    return Now() < last;
  }
};

float Number(const Tick& t) { return static_cast<float>(t.object.m_index); }

// 72 and 73: fifteen objects spread in a star, the sixteenth marks the middle.
bool Star(const Tick& t) {
  const bool middle = t.object.m_index == 15;
  if (middle && t.Now() == 0) t.object.SpawnEffect(1017);
  if (!middle && t.Now() >= 10 && t.Now() % 5 == 0) {
    t.StepToward(7.0f, (Number(t) + 1.0f) * 22.5f);
    t.object.SpawnEffect(1023);
  }
  if (t.Now() == 50) {
    if (middle && t.object.m_skillId == 72) t.target.SpawnEffect(216);
    t.Run(kApply);
  }
  return true;
}

// 80: the steps lengthen while the direction turns back, a spiral.
bool Spiral(const Tick& t) {
  if (t.Now() % 5 != 0) return true;
  const float a = (Number(t) + 1.0f) * 45.0f - 4.0f * static_cast<float>(t.Now());
  t.StepToward(t.Now() == 0 ? 5.0f : static_cast<float>(t.Now()), a);
  t.object.SpawnEffect(1023);
  t.object.HitInRadius(10.0f, true, nullptr);
  return true;
}

// 83: every fourth tick a longer step, fanned out by the object's number.
bool Widening(const Tick& t) {
  if (t.Now() % 4 == 0) {
    if (t.Now() == 0) t.object.FaceToward(t.target.m_pos.x, t.target.m_pos.z);
    const int k = t.Now() / 4;
    t.StepTurned(5.0f * static_cast<float>(k), (Number(t) - 2.0f) * 5.0f * static_cast<float>(k));
    t.object.SpawnEffect(1023);
  }
  if (t.Now() == 50) t.Run(kApply);
  return true;
}

// A dash begun late, without an effect, by ground distance.
Dash LateDash(float speed, int limit, std::vector<Act> arrival) {
  return {.fromUser = false, .speed = speed, .limit = limit, .stepGround = true, .arriveGround = true,
          .arrival = std::move(arrival)};
}

// 137: five objects circle out one after another, then dash in.
bool Circling(const Tick& t) {
  static const Dash dash = LateDash(2.5f, std::numeric_limits<int>::max(), {kApply, Timed(10), kBlow, OnTarget(1019)});
  const int n = t.object.m_index;
  const float fifth = static_cast<float>(n / 10);
  if (t.Now() == n) {
    t.object.SpawnEffect(2004);
    t.object.m_angle = fifth * 72.0f;
  } else if (t.Now() > n && t.Now() < n + 30) {
    const float h = t.object.m_angle;
    t.object.m_angle = fifth * 72.0f;
    t.Step(0.5f);
    t.object.m_angle = h;
    float turned = 12.0f * static_cast<float>(t.Now()) + 60.0f * fifth;
    if (turned > 360.0f) turned -= 360.0f;
    t.object.m_angle = turned;
  }
  return t.Now() < n + 31 || t.RunDash(dash);
}

// 148: seven stars light one by one, then all fall on the target.
bool Dipper(const Tick& t) {
  static const Dash dash = LateDash(2.5f, std::numeric_limits<int>::max(), {kApply, Timed(10), Bands(4, 8, 4), Effect(1055)});
  if (t.Now() == std::min(t.object.m_index * 20, 120)) {
    PlayWave("빅디퍼2.wav");
    t.object.SpawnEffect(2004);
    t.object.SpawnEffect(1054);
    t.Run(Timed(10));
  }
  return t.Now() < 140 || t.RunDash(dash);
}

// 160: fifteen objects wake one after another, glare, then rush in.
bool Rush(const Tick& t) {
  static const Dash dash = LateDash(1.5f, 300, {kApply, Flash(1, 1, 0), kBlow});
  t.object.m_speed = 1.5f;
  if (t.Now() == t.object.m_index) {
    t.object.SpawnEffect(2000);
    t.Run({Op::kFace});
  }
  if (t.Now() == 70) {
    t.Run({Op::kFace});
    t.Run(Emotion(3));
  }
  return t.Now() < t.object.m_index + 121 || t.RunDash(dash);
}

}  // namespace battleskillschedule
}  // namespace

bool RunSkillSchedule(CBattleSkill& object) {
  if (object.m_tickUser == nullptr || object.m_tickTarget == nullptr) return false;
  return battleskillschedule::Tick{object, *object.m_tickUser, *object.m_tickTarget}.Run(battleskillschedule::ScheduleOf(object.m_skillId));
}
