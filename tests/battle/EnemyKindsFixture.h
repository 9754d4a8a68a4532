#pragma once
// The enemy-kind tests' fixture: a party member that records nothing, a
// kind whose calls out are written down, and one enemy slot on a square
// sheet with skills 0-90 at distance 10.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "battle/enemy/BattleEnemy.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleTestSheets.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace enemytest {

// A party member that only records what it is told.
class CTarget : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* /*sender*/, int /*code*/, intptr_t, intptr_t, intptr_t) override {}
};

// A kind whose calls out are written down in place of being made.
template <class Kind>
class Traced : public Kind {
 public:
  void SetAction(int32_t code) override {
    Note("set " + std::to_string(code));
    Kind::SetAction(code);
  }
  void StartSpecial(int32_t effect, int32_t pause) override {
    Note("start " + std::to_string(effect) + "/" + std::to_string(pause));
  }
  void Resolve(EnemyResolve how) override {
    if (how == EnemyResolve::kWeapon) {
      Note("weapon");
    } else if (how == EnemyResolve::kSpecial) {
      Note(this->m_useSpecial ? "skill" : "magic");
    }
  }
  void Note(const std::string& what) { notes.push_back(what); }
  std::vector<std::string> notes;
};

// A trace cut down to the codes entered and the resolutions, up to the
// first code that ends the chain.
inline std::string Chain(const std::string& trace) {
  static const std::regex kStep(R"(set (\d+)|(skill|magic|weapon))");
  std::string out;
  for (auto it = std::sregex_iterator(trace.begin(), trace.end(), kStep); it != std::sregex_iterator(); ++it) {
    const std::string step = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
    out += (out.empty() ? "" : " ") + step;
    if (step == "10003" || step == "10000" || step == "10062" || step == "10080") break;
  }
  return out;
}

// The hit kind each resolution goes out with, as well.
template <class Kind>
class HitKindNoted : public Traced<Kind> {
 public:
  void Resolve(EnemyResolve how) override {
    Traced<Kind>::Resolve(how);
    this->Note("kind " + std::to_string(this->m_hitKind));
  }
};

class EnemyKindsTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  // Twenty-four actions of three frames, the second a hit frame; the
  // special sheets alike; skills 0-90 with the distance 10.
  EnemyKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(24, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    Write("data/sprite/beast.spr", spr);
    Write("data/sprite/beast.act", act);
    for (const char* special : {"괴물형/전투/구루_특수", "인간형/전투/그랜파_특수", "괴물형/전투/세비지기어_특수"}) {
      Write(std::string("data/sprite/몬스터/") + special + ".spr", spr);
      Write(std::string("data/sprite/몬스터/") + special + ".act", act);
    }
    std::string skills;
    for (int i = 0; i <= 90; ++i) skills += "#skill < s" + std::to_string(i) + " > < >\n#duration 10\n#end\n";
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    session.Init();
    PlayerData& sizz = session.players[0];
    sizz.engname = "sizz";
    sizz.battlePtr = &m_target;
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    m_target.m_battleId = {0, 1};
    m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
    SetUpSlot();
  }
  void SetUpSlot() {
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    EnemySlot& s = session.enemies[0];
    s.name = "beast";
    s.sprName = "beast.spr";
    s.actName = "beast.act";
    s.hp = s.maxhp = 300;
    s.reach = 100;
    s.level = 3;
    session.enemyCount = 1;
  }
  ~EnemyKindsTest() override {
    platform::ClearQueuedRand();
    CSkillMgr::GetInstance().Free();
    session.Init();
  }

  template <class T>
  T& Bind(T& enemy) {
    enemy.m_sprName = "beast.spr";
    enemy.m_actName = "beast.act";
    enemy.GetSprite();
    enemy.m_slot = &session.enemies[0];
    enemy.m_battleId = {0, 0};
    session.enemies[0].actor = &enemy;
    enemy.m_target = &m_target;
    enemy.SetAction(kActIdle);
    return enemy;
  }

  // The ticks in which something was called, as "tick:call,call".
  template <class T>
  std::string Run(Traced<T>& enemy, int ticks, const std::function<void(int)>& each = {}) {
    std::string out;
    for (int t = 1; t <= ticks; ++t) {
      enemy.notes.clear();
      const std::string sheet = enemy.m_actName;
      const int32_t trail = enemy.m_afterimage != 0 ? enemy.m_afterimageLength : 0;
      if (each) each(t);
      enemy.OnProcess();
      const int32_t trailAfter = enemy.m_afterimage != 0 ? enemy.m_afterimageLength : 0;
      if (trailAfter != trail) enemy.Note("trail " + std::to_string(trailAfter));
      if (enemy.m_actName != sheet) enemy.Note(enemy.m_actName == "beast.act" ? "normal sheet" : "special sheet");
      if (enemy.notes.empty()) continue;
      out += (out.empty() ? "" : " ") + std::to_string(t) + ":";
      for (size_t i = 0; i < enemy.notes.size(); ++i) out += (i == 0 ? "" : ",") + enemy.notes[i];
    }
    return out;
  }

  // The calls of a kind entering `code` with the special chosen.
  template <class Kind>
  std::string Order(Traced<Kind>& enemy, int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Bind(enemy);
    enemy.m_chosenIndex = index;
    enemy.m_useSpecial = skill;
    enemy.SetAction(code);
    return Run(enemy, ticks);
  }
  template <class Kind>
  std::string Order(int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Traced<Kind> enemy;
    return Order(enemy, index, skill, ticks, code);
  }

  CSession& session = CSession::GetInstance();
  CTarget m_target;
};

}  // namespace enemytest
