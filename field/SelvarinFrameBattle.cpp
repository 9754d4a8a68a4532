// The game frame's messages: the battle request that reads a battle set,
// and the battle and caption state that battle actors and widgets set.
#include <algorithm>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "engine/CdAudio.h"
#include "engine/TextRes.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/InputScript.h"
#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "session/Session.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BattleMenuSet.h"

namespace {
namespace selvarinframebattle {

enum FrameMessage : int {
  kStartBattle = 0,
  kSetBattleValue = 2,
  kShowBattleText = 3,
  kSetBattleValues = 4,
  kCountBattleValue = 5,
  kValidateCommand = 6,
  kUnequip = 7,
  kTurnRequest = 9,
  kSelectTarget = 10,
  kMemberJoins = 11,
  kSpawnEffect = 12,
  kScreenFlash = 13,
  kTimedEffect = 14,
};

constexpr int32_t kCaptionTicks = 120;
constexpr int kBattleTrack = 8;
constexpr int32_t kPausePhase = 7;
constexpr int32_t kFullGauge = 100;

const char* Text(intptr_t p) { return p != 0 ? reinterpret_cast<const char*>(p) : ""; }

uint32_t FlashColour(intptr_t kind) {
  switch (kind) {
    case 0:
      return 0x30F0F68A;
    case 1:
      return 0x30AF1418;
    case 2:
      return 0x30B7FC24;
    case 3:
      return 0x1012246D;
    default:
      return 0x30FFFFFF;
  }
}

}  // namespace selvarinframebattle
}  // namespace

void CSelvarinFrame::OnMessage(CObject* sender, int type, intptr_t p, intptr_t a, intptr_t b) {
  switch (type) {
    case selvarinframebattle::kStartBattle:
      StartBattle(sender, p, a, b);
      break;
    case selvarinframebattle::kSetBattleValue:
      m_battleValue = static_cast<int32_t>(p);
      break;
    case selvarinframebattle::kShowBattleText:
      m_caption = selvarinframebattle::Text(p);
      m_captionTimer = selvarinframebattle::kCaptionTicks;
      break;
    case selvarinframebattle::kSetBattleValues:
      m_battleValues = {static_cast<int32_t>(p), static_cast<int32_t>(a), static_cast<int32_t>(b)};
      break;
    case selvarinframebattle::kCountBattleValue:
      ++m_battleCounter;
      m_hitTicks = static_cast<int32_t>(p);
      break;
    case selvarinframebattle::kValidateCommand:
      ValidateBattleCommand(static_cast<int>(p), static_cast<int>(a));
      break;
    case selvarinframebattle::kUnequip:
      if (const auto* member = dynamic_cast<const CBattlePlayer*>(m_pCurrentBattleActor)) {
        CSession& session = CSession::GetInstance();
        const int position = session.GetPartyId(member->m_playerId);
        if (position >= 0) session.Unequip(position, static_cast<int>(p));
      }
      break;
    case selvarinframebattle::kTurnRequest:
      RequestTurn(sender, p, a);
      break;
    case selvarinframebattle::kSelectTarget:
      m_pCurrentBattleActor = dynamic_cast<CActor*>(sender);
      m_battlePhase = selvarinframebattle::kPausePhase;
      m_pauseLength = static_cast<int32_t>(p);
      m_phaseTick = 0;
      break;
    case selvarinframebattle::kMemberJoins:
      JoinNextMember();
      break;
    case selvarinframebattle::kSpawnEffect:
      if (auto* actor = dynamic_cast<CSelvarinActor*>(m_pCurrentBattleActor)) actor->SpawnEffect(static_cast<int32_t>(p));
      break;
    case selvarinframebattle::kScreenFlash:
      StartFlash(p, a, b);
      break;
    case selvarinframebattle::kTimedEffect:
      m_timedEffect = TimedBattleEffect{1, 0, static_cast<int32_t>(p)};
      break;
    default:
      break;
  }
}

void CSelvarinFrame::StartBattle(CObject* sender, intptr_t p, intptr_t line, intptr_t eventLine) {
  if (line == -1) {
    DebugLog("Battle Set Not Defined");
    return;
  }
  // A second request would overwrite the set the battle uses.
  if (m_pendingMode == kModeBattle || m_mode == kModeBattle || m_mode == kModeBattleResult) {
    DebugLog("CSelvarinFrame : a battle is under way; the request is ignored");
    return;
  }
  // The centre is the enemy's home, not where it chased the player to.
  if (const auto* enemy = dynamic_cast<const CSelvarinActor*>(sender)) {
    m_battleCenterX = enemy->m_targetX;
    m_battleCenterZ = enemy->m_targetZ;
  }
  m_battleFirstValue = static_cast<int32_t>(p);
  m_battleEventLine = static_cast<int32_t>(eventLine);
  if (CSelvarinView* view = GetView()) {
    view->SaveCamera();
    m_battleCameraSaved = 1;
  }
  m_prevMode = m_mode;
  m_pendingMode = kModeBattle;
  ResetBattleState();
  m_battleSet.Reset(g_cdAudio.m_disc, g_cdAudio.m_track);
  const CSelvarinContext* context = GetContext();
  if (context == nullptr || context->m_script == nullptr) {
    DebugLog("CSelvarinFrame : no map script to read the battle set from");
  } else {
    const BattleSetRead read = ReadBattleSet(*context->m_script, static_cast<int>(line), m_battleSet);
    if (read.centerOnPlayer && context->m_player != nullptr) {
      m_battleCenterX = context->m_player->m_pos.x;
      m_battleCenterZ = context->m_player->m_pos.z;
    }
  }
  PlayBattleMusic();
  m_cameraSweep = 0.0f;
  m_cameraSweepStep = 0.0f;
}

void CSelvarinFrame::ResetBattleState() {
  m_pCurrentBattleActor = nullptr;
  m_lookTarget = nullptr;
  m_commandActor = nullptr;
  if (CSelvarinView* view = GetView()) view->m_pFocus = nullptr;
  m_commandActor = nullptr;
  m_lastEnemyTarget = nullptr;
  m_lastAllyTarget = nullptr;
  m_partner = nullptr;
  m_battlePhase = 0;
  m_phaseTick = 0;
  m_battleTick = 0;
  m_command = -1;
  m_battleCounter = 0;
  m_hitShown = 0;
  m_hitTicks = 0;
  m_turnLock = 0;
  m_firstTurn = 1;
  m_battleScriptDelay = 0;
  m_edgeShiftX = m_edgeShiftY = 0;
  m_flashes = {};
  m_timedEffect = {};
  BuildTargetList(0);
  for (auto& queue : m_orderQueues) queue.clear();
}

void CSelvarinFrame::PlayBattleMusic() {
  const int32_t music = m_battleSet.music;
  m_battleMusic = music != 0 ? 1 : 0;
  if (music == 0) return;
  PlayCdTrack(g_cdAudio.m_disc, music == -1 ? selvarinframebattle::kBattleTrack : music);
}

void CSelvarinFrame::RequestTurn(CObject* sender, intptr_t p, intptr_t a) {
  if (m_turnLock != 0) return;
  if (a != 1) {
    IssueBattleOrder(static_cast<int>(p), static_cast<int>(a));
    return;
  }
  if (CSelvarinView* view = GetView()) view->m_pFocus = nullptr;
  auto* member = dynamic_cast<CBattlePlayer*>(sender);
  if (member == nullptr) {
    DebugLog("CSelvarinFrame : a turn request from no party member");
    return;
  }
  PlayerData* record = member->m_record;
  if (m_battleControl != 0) {
    member->m_selfActing = 0;
    if (record != nullptr) record->tacticsId = 0;
  }
  const bool panicked = record != nullptr && (static_cast<uint32_t>(record->stateid) & kPanic) != 0;
  const bool onTactics = member->m_selfActing != 0 || (record != nullptr && record->tacticsId != 0);
  if (onTactics || panicked) {
    m_pCurrentBattleActor = member;
    m_lookTarget = member;
    IssueBattleOrder(static_cast<int>(p), 1);
    return;
  }
  int live = 0;
  if (!CSession::GetInstance().FindLiveEnemy(&live)) return;
  m_pCurrentBattleActor = member;
  m_lookTarget = member;
  m_commandActor = member;
  m_battlePhase = 1;
  platform::MarkScriptAnchor("menu");
  const bool full = member->m_record != nullptr && member->m_record->cp >= selvarinframebattle::kFullGauge;
  CBattleMenuSet::GetInstance().RemoveItem(member->m_menuIndex, full ? "필살공격(A)" : "공격(A)", 'A', 0);
  BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
  deskTop.SetActingPosition(member->m_battleId[0]);
  deskTop.Build(member->m_menuIndex);
}

void CSelvarinFrame::JoinNextMember() {
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return;
  CSession& session = CSession::GetInstance();
  // The members not yet in, in party order: the first, or when it has
  // fallen the one after it.
  std::vector<const PlayerData*> waiting;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* member = session.GetPartyMember(n);
    if (member->battlePtr == nullptr) waiting.push_back(member);
  }
  const auto fallen = [](const PlayerData* member) { return (static_cast<uint32_t>(member->stateid) & kDying) != 0; };
  size_t next = 0;
  if (next < waiting.size() && fallen(waiting[next])) ++next;
  if (next >= waiting.size() || fallen(waiting[next])) return;
  const PlayerData& record = *waiting[next];
  auto* actor = dynamic_cast<CBattleActor*>(context->MakePartyBattleActor(record.engname));
  if (actor == nullptr) return;
  actor->FaceToward(m_battleCenterX, m_battleCenterZ);
  actor->m_targetX = m_battleCenterX;
  actor->m_targetZ = m_battleCenterZ;
  actor->m_pos = Vec3{m_battleCenterX, 0.0f, m_battleCenterZ};
  actor->m_pos.y = context->GetStandHeight(actor->m_pos);
  // A full gauge takes the next turn.
  if (m_turnLock == 0) actor->m_timeGauge = 100.0f;
  if (CSelvarinView* view = GetView()) view->m_pFocus = actor;
  m_caption = record.name + " 난입!!";
  m_captionTimer = selvarinframebattle::kCaptionTicks;
}

void CSelvarinFrame::StartFlash(intptr_t value, intptr_t length, intptr_t colour) {
  ScreenFlash& flash = m_flashes[m_flashes[0].on != 0 ? 1 : 0];
  flash = ScreenFlash{1, 0, static_cast<int32_t>(value), static_cast<int32_t>(length), selvarinframebattle::FlashColour(colour)};
}

void CSelvarinFrame::RestoreBattleCamera() {
  CSelvarinView* view = GetView();
  if (m_battleCameraSaved == 0 || view == nullptr) return;
  view->RestoreCamera();
  m_battleCameraSaved = 0;
}
