// Fuzzed text as a battle event script on a battle with two named
// participants and raised hooks: run from line 0 as the battle mode starts
// it, then from each resume line it leaves, and every line evaluated as a
// battle condition.
#include <cstddef>
#include <cstdint>

#include "battle/BattlePlayer.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "script/BattleScriptValues.h"
#include "session/Session.h"

namespace {

constexpr int kMaxResumes = 64;

void AddParticipants(CSelvarinContext& context, CSession& session) {
  session.players[0].engname = "sizz";
  session.JoinPlayer(0);
  auto* member = new CBattlePlayer;
  member->m_name = "sizz";
  member->m_record = &session.players[0];
  member->m_battleId = {0, 1};
  session.players[0].battlePtr = member;
  context.m_battleObjects.push_back(member);
  context.m_battleParty.push_back(member);
  session.battlePartyCount = 1;

  auto* enemy = new CBattleGroundEnemy;
  EnemySlot& slot = session.enemies[0];
  slot.actor = enemy;
  slot.name = "wolf";
  slot.hp = slot.maxhp = 30;
  enemy->m_name = "wolf";
  enemy->m_slot = &slot;
  enemy->m_battleId = {0, 0};
  context.m_battleObjects.push_back(enemy);
  context.m_battleEnemies.push_back(enemy);
  session.enemyCount = 1;

  session.RaiseTurnHook("sizz", 1);
  session.RaiseDeathHook("wolf");
  session.RaiseMagicAttackHook("sizz", "fire");
  session.RaisePlayerConditionHooks(session.players[0], 0);
}

void RunScript() {
  CResMgr& resources = CResMgr::GetInstance();
  resources.UnloadResources();
  CSession& session = CSession::GetInstance();
  session.Init();
  CSelvarinFrame frame;
  frame.m_pView = new CSelvarinView;
  frame.m_pContext = new CSelvarinContext;
  frame.m_name = "empty";
  g_pCurrentFrame = &frame;
  frame.Init();
  CSelvarinContext& context = *frame.GetContext();
  AddParticipants(context, session);
  auto* script = dynamic_cast<CTextRes*>(resources.GetResStr("f.scr"));
  if (script != nullptr) {
    resources.Lock(script);  // the context lets it go
    context.m_script = script;
    frame.ResetBattleScript();
    frame.m_battleScriptRunning = 1;
    frame.RunBattleEventScript(0);
    for (int n = 0; n < kMaxResumes && frame.m_battleScriptLine != -1; ++n) {
      frame.RunBattleEventScript(frame.m_battleScriptLine);
    }
    for (int line = 0; line < script->GetCount(); ++line) (void)EvalBattleCondition(script->GetLine(line));
  }
  // The records let go of the participants before the context deletes them.
  session.Init();
  frame.Exit();
  g_pCurrentFrame = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("battle-script");
  env.Run("f.scr", data, size, RunScript);
  return 0;
}
