// The battle mode of the game frame: one tick of a battle, the orders of
// the participants whose turn has come, the phase machine with its camera,
// and the hand-over to the result or game-over mode.
#include <algorithm>
#include <cmath>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "battle/BattlePlayer.h"
#include "engine/ActRes.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/PickRegionList.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/BICaptionDeskTop.h"

namespace {

constexpr int kPointerOverWidget = 5;
constexpr int kPointer = 2;
constexpr int32_t kWaitingForKey = 5;
constexpr const char* kPageSound = "대사넘길때나오는소리.wav";
constexpr const char* kDoubleDropMask = "타이거마스크";

enum BattlePhase : int32_t {
  kPhaseRunning = 0,
  kPhaseCommandMenu = 1,
  kPhaseAttackTarget = 2,
  kPhaseAllyTarget = 3,
  kPhaseGroundPoint = 4,
  kPhaseOpening = 5,
  kPhaseScriptEnded = 6,
  kPhasePause = 7,
  kPhaseRunningAway = 8,
  kPhaseEscaped = 9,
};

constexpr int32_t kCommandFlee = 4;
constexpr int32_t kDefeatPeriod = 240;
constexpr int32_t kOpeningTicks = 64;
constexpr int32_t kCloseTicks = 300;
constexpr int32_t kVictoryPoseTick = 150;
constexpr int32_t kSlowMotionTicks = 120;
constexpr int32_t kEscapeTicks = 35;
constexpr int32_t kFullCombatPoints = 100;
constexpr int32_t kFadeFromColour = 3;
constexpr int32_t kFadeToColour = 4;

bool KeyHeld(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

// Keypad button 5 or 6 newly pressed, or a fresh left click; what it takes
// is marked used.
bool TakeBattleConfirm() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) {
      g_pMainKeyPad->m_buttons[button] = kStateHeld;
      return true;
    }
  }
  CMouse& mouse = CMouse::GetInstance();
  if (mouse.m_mouseButtons[0] != kStatePressed) return false;
  mouse.m_mouseButtons[0] = kStateHeld;
  return true;
}

// The same, left for the event script's window to take.
bool ConfirmDown() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) return true;
  }
  return CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
}

void DrawPointer(CRC& rc, int action) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr || !rc.BeginScene()) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, actions, sprites, action, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc.EndScene();
}

bool IsUp(const PlayerData& member) {
  return (static_cast<uint32_t>(member.stateid) & (kUndead | kDying)) == 0;
}

const CSelvarinActor* Placed(const CActor* actor) { return dynamic_cast<const CSelvarinActor*>(actor); }

intptr_t AsValue(CActor* actor) { return reinterpret_cast<intptr_t>(static_cast<CObject*>(actor)); }

}  // namespace

void CSelvarinFrame::RunBattle() {
  CSelvarinContext* context = GetContext();
  if (KeyHeld(platform::VK_ESCAPE)) {
    if (ShowQuitConfirm() == kQuitYes) {
      if (context != nullptr) context->ReturnFromBattle();
      CFrameMgr::GetInstance().ChangeFrame("title");
    }
    return;
  }
  if (m_command == kCommandFlee && m_battlePhase != kPhaseRunningAway && m_battlePhase != kPhaseEscaped) {
    m_battlePhase = kPhaseRunningAway;
    m_phaseTick = 0;
    return;
  }
  const bool beaten = m_modeTick % kDefeatPeriod == 0 && IsPartyBeaten();
  const bool cleared = context == nullptr || (context->m_battleEnemies.empty() && m_battleTick > kCloseTicks);
  if (cleared || m_battlePhase == kPhaseScriptEnded || m_battlePhase == kPhaseEscaped) {
    WinBattle();
    return;
  }
  if (context->m_battleParty.empty() || beaten) {
    LoseBattle();
    return;
  }
  const bool choosing = m_battlePhase >= kPhaseAttackTarget && m_battlePhase <= kPhaseGroundPoint;
  const CMouse& mouse = CMouse::GetInstance();
  const bool leftPress = mouse.m_mouseButtons[0] == kStatePressed;
  if (choosing && (KeyHeld(platform::VK_SPACE) || (leftPress && mouse.m_mouseButtons[1] != kStateUp))) {
    m_battlePhase = kPhaseCommandMenu;
    m_groundSelect = 0;
  }
  if (m_turnRequest > 0) --m_turnRequest;
  RunBattleWorld();
  BattleMenuInput();
  StepBattleScript();
  TickBattleTimers();
  if (WaitNextFrame()) DrawBattle();
}

bool CSelvarinFrame::IsPartyBeaten() const {
  const CSession& session = CSession::GetInstance();
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* member = session.GetPartyMember(n);
    if (member != nullptr && member->battlePtr != nullptr && IsUp(*member)) return false;
  }
  return true;
}

void CSelvarinFrame::WinBattle() {
  CSession& session = CSession::GetInstance();
  CSelvarinContext* context = GetContext();
  BattleResult& result = m_battleResult;
  result.memberCount = 0;
  if (context != nullptr) {
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || member->m_record == nullptr || !IsUp(*member->m_record)) continue;
      if (result.memberCount >= static_cast<int32_t>(result.memberIds.size())) {
        DebugLog("CSelvarinFrame : more than four members stand; the rest are left out of the result");
        continue;
      }
      result.memberIds[static_cast<size_t>(result.memberCount++)] = member->m_playerId;
    }
  }
  session.AddGold(result.money);
  RollDrops();
  if (m_battlePhase != kPhaseScriptEnded) result.skipResult = m_battlePhase == kPhaseEscaped ? 1 : 0;
  m_pBattleSpeaker = nullptr;
  ClearMessageLines();
  BICaptionDeskTop::GetInstance().Close();
  m_pCurrentBattleActor = nullptr;
  m_commandActor = nullptr;
  m_turnRequest = 0;
  m_command = -1;
  if (context != nullptr) context->ReturnFromBattle();
  // The result mode returns to the mode of before the battle.
  const int32_t before = m_prevMode;
  ChangeMode(kModeBattleResult);
  m_prevMode = before;
}

void CSelvarinFrame::LoseBattle() {
  m_pBattleSpeaker = nullptr;
  ClearMessageLines();
  BICaptionDeskTop::GetInstance().Close();
  m_pCurrentBattleActor = nullptr;
  m_commandActor = nullptr;
  RestoreBattleCamera();
  if (CSelvarinContext* context = GetContext()) context->ReturnFromBattle();
  ChangeMode(kModeGameOver);
}

// Rolled in list order: a name the item table lacks is logged, not stored.
void CSelvarinFrame::RollDrops() {
  CSession& session = CSession::GetInstance();
  int multiplier = 1;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    if (session.HasEquipped(session.partyIds[static_cast<size_t>(n)], kDoubleDropMask)) multiplier = 2;
  }
  BattleResult& result = m_battleResult;
  result.itemCount = 0;
  const int lines = std::clamp<int>(m_battleSet.itemCount, 0, BattleSet::kMaxItems);
  for (int i = 0; i < lines; ++i) {
    const BattleSet::Weighted& drop = m_battleSet.items[static_cast<size_t>(i)];
    if (platform::Rand() % 100 >= drop.value * multiplier) continue;
    const int item = CItemMgr::GetInstance().Find(drop.name);
    if (item < 0) {
      DebugLog("CSelvarinFrame : the dropped item " + drop.name + " is not in the item table");
      continue;
    }
    if (result.itemCount >= static_cast<int32_t>(result.items.size())) break;
    result.items[static_cast<size_t>(result.itemCount++)] = item;
  }
}

void CSelvarinFrame::RunBattleWorld() {
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return;
  CSession& session = CSession::GetInstance();
  if (m_battlePhase == kPhaseRunning || m_battlePhase == kPhaseOpening) {
    bool skip = false;
    int live = 0;
    if (!session.FindLiveEnemy(&live)) {
      ++m_battleTick;
      if (m_battleTick == kVictoryPoseTick) {
        for (CActor* object : context->m_battleParty) {
          auto* member = dynamic_cast<CBattlePlayer*>(object);
          if (member == nullptr || member->m_playerId != m_battleResult.mvpId) continue;
          if (member->m_actionCode == kActRemoved || member->m_actionCode == kActDefeated) continue;
          member->OnMessage(this, kMsgVictory, 0, 0, 0);
          m_pCurrentBattleActor = member;
          break;
        }
      }
      skip = m_battleTick <= kSlowMotionTicks && m_battleTick % 3 == 0;
    }
    if (skip) return;
    context->UpdateBattleObjects();
    context->UpdateEffects();
    context->UpdateMacroActors();
    TickCaptionTimer();
    return;
  }
  if (m_battlePhase == kPhasePause) {
    context->UpdateEffects();
    TickCaptionTimer();
  }
  context->SyncBattleObjects();
  context->SyncEffects();
}

void CSelvarinFrame::TickBattleTimers() {
  // Message 4: the delay first, then the drawn frames count the flash down.
  if (m_battleValues[1] > 0) --m_battleValues[1];
  if (m_battlePhase == kPhaseRunning && m_hitTicks > 0) {
    --m_hitTicks;
    if (m_hitShown < m_battleCounter) ++m_hitShown;
    if (m_hitTicks == 0) m_battleCounter = m_hitShown = 0;
  }
  for (ScreenFlash& band : m_flashes) {
    if (band.on != 0 && ++band.tick > band.length) band = ScreenFlash{};
  }
  if (m_timedEffect.on != 0) ++m_timedEffect.tick;
  TickHudTimers();
}

// One tick of the escape: the party runs to the escape point, then the
// screen fades and the battle is over.
void CSelvarinFrame::RunEscapePhase() {
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return;
  if (m_phaseTick == 0) {
    m_transKind = kFadeToColour;
    m_transColor = 0;
    m_transStep = 0;
    float x = m_battleCenterX, z = m_battleCenterZ + 2.0f * m_battleSet.regionRadius;
    for (CActor* object : context->m_battleParty) {
      auto* member = dynamic_cast<CBattleActor*>(object);
      if (member == nullptr || member->m_actionCode == kActRemoved || member->m_actionCode == kActDefeated) continue;
      member->OnMessage(this, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
      member->OnMessage(this, kMsgWalkToPoint, static_cast<intptr_t>(x), static_cast<intptr_t>(z), 0);
    }
  }
  for (CActor* object : context->m_battleParty) object->OnProcess();
  if (++m_phaseTick >= kEscapeTicks) {
    m_transKind = kFadeFromColour;
    m_transStep = 0;
    m_battlePhase = kPhaseEscaped;
  }
}

void CSelvarinFrame::BattleMenuInput() {
  SetBattleCamera();
  switch (m_battlePhase) {
    case kPhaseRunning:
      if (m_phaseTick++ == 0) m_battleControl = 0;
      // A press the message window answers is no call for a manual command.
      if (ConfirmDown() && m_messageState == 0) m_battleControl = 1;
      g_brightnessFactor = std::min(1.0f, g_brightnessFactor + 0.007f);
      break;
    case kPhaseCommandMenu:
      BICaptionDeskTop::GetInstance().OnKey();
      break;
    case kPhaseOpening:
      if (m_modeTick > kOpeningTicks) {
        m_battlePhase = kPhaseRunning;
        m_phaseTick = 0;
      }
      break;
    case kPhasePause:
      g_brightnessFactor = std::max(0.3f, g_brightnessFactor - 0.05f);
      if (++m_phaseTick > m_pauseLength) {
        m_battlePhase = kPhaseRunning;
        m_phaseTick = 0;
      }
      break;
    case kPhaseRunningAway:
      RunEscapePhase();
      break;
    default:
      break;
  }
}

// The view looks at the midpoint of the current actor and its look target,
// at the command actor while a command is chosen.
void CSelvarinFrame::SetBattleCamera() {
  CSelvarinView* view = GetView();
  if (view == nullptr || m_battlePhase > kPhaseOpening) return;
  const CSelvarinActor* actor = Placed(m_pCurrentBattleActor);
  const CSelvarinActor* look = m_lookTarget != nullptr ? Placed(m_lookTarget) : actor;
  if (m_battlePhase == kPhaseCommandMenu && Placed(m_commandActor) != nullptr) {
    const Vec3& at = Placed(m_commandActor)->m_pos;
    view->ClampCamera(at.x, at.y, at.z, 250.0f);
    return;
  }
  if (actor == nullptr || look == nullptr) return;
  const Vec3 a = actor->m_pos, b = look->m_pos;
  Vec3 mid{(a.x + b.x) / 2.0f, std::min(a.y, b.y), (a.z + b.z) / 2.0f};
  const float minimum = m_turnRequest > 0 ? 190.0f : 350.0f;
  const float distance = std::max(std::fabs(a.x - b.x) * 4.86f, minimum);
  if (m_battlePhase == kPhaseOpening) {
    const float apart = std::hypot(a.x - b.x, a.z - b.z);
    const float back = std::max(35.0f - apart, 0.0f);
    const float heading = view->m_yaw * 3.14159265f / 180.0f;
    mid.x -= std::sin(heading) * back;
    mid.z -= std::cos(heading) * back;
  }
  view->ClampCamera(mid.x, mid.y, mid.z, distance);
}

// A run starts from the script's first line on an idle tick; the message
// window steps while a run waits on it or closes, and a confirm in state 5
// resumes the run.
void CSelvarinFrame::StepBattleScript() {
  const bool idle = m_battlePhase == kPhaseRunning || m_battlePhase == kPhaseOpening;
  const bool windowFree = m_messageState == 0 || m_messageState == kWaitingForKey;
  if (m_battleEventLine != -1 && idle && m_battleScriptRunning == 0 && windowFree && m_battleScriptLine == -1) {
    m_battleScriptRunning = 1;
    m_battleConditions.clear();
    m_battleEvents.clear();
    RunBattleEventScript(m_battleEventLine);
  }
  if (m_battleScriptRunning == 0 && m_messageState == 0) return;
  UpdateBattleMessage();
  if (m_battleScriptRunning != 0 && m_messageState == kWaitingForKey && TakeBattleConfirm()) {
    PlayWave(kPageSound);
    RunBattleEventScript(m_battleScriptLine);
  }
}

void CSelvarinFrame::DrawBattle() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  if (rc.BeginScene()) {
    g_pickRegionList.Clear();
    DrawSky();
    if (CSelvarinView* view = GetView()) view->RenderBattleScene(rc);
    DrawScreenOverlay();
    rc.EndScene();
  }
  DrawBattleHud();
  LoadFaceImage();
  DrawBattleMessage();
  if (m_battlePhase == kPhaseCommandMenu) {
    BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
    deskTop.DrawTree(&rc);
    DrawPointer(rc, deskTop.ChildUnderPointer() != nullptr ? kPointerOverWidget : kPointer);
  }
  if (rc.BeginScene()) {
    if (m_battlePhase != kPhaseRunningAway && m_battlePhase != kPhaseEscaped) DrawScreenFlashes();
    if (m_modeTick < kOpeningTicks) rc.FadeScreen(1.0f - static_cast<float>(m_modeTick) / kOpeningTicks);
    if (m_transKind != 0) DrawTransition();
    rc.EndScene();
  }
  TakeScreenshot();
  rc.Flip();
}

void CSelvarinFrame::DimScreen() {}

int CSelvarinFrame::BuildTargetList(int kind) {
  m_targetList.fill(nullptr);
  m_targetCount = 0;
  m_targetCursor = 0;
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return kind == 3 ? 0 : 1;
  const auto add = [this](CActor* actor) {
    if (m_targetCount < kTargetSlots) m_targetList[static_cast<size_t>(m_targetCount++)] = actor;
  };
  const auto standing = [](const CActor* actor) {
    const CSelvarinActor* placed = Placed(actor);
    return placed != nullptr && placed->m_actionCode != kActDying && placed->m_actionCode != kActRemoved;
  };
  if (kind == 0) {
    for (CActor* enemy : context->m_battleEnemies) {
      if (standing(enemy)) add(enemy);
    }
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || object == m_pCurrentBattleActor || !standing(object) || member->m_record == nullptr) continue;
      if ((static_cast<uint32_t>(member->m_record->stateid) & (kPanic | kStone)) != 0) add(object);
    }
    if (m_lastEnemyTarget == nullptr && m_targetCount > 0) m_lastEnemyTarget = m_targetList[0];
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == m_lastEnemyTarget) m_targetCursor = i;
    }
    return 1;
  }
  if (kind == 1) {
    for (CActor* object : context->m_battleParty) {
      if (standing(object)) add(object);
    }
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == m_lastAllyTarget) m_targetCursor = i;
    }
    return 1;
  }
  if (kind == 3) {
    for (CActor* object : context->m_battleRoster) {
      if (Placed(object) != nullptr && Placed(object)->m_actionCode == kActRemoved) add(object);
    }
    return m_targetCount > 0 ? 1 : 0;
  }
  return 1;
}

void CSelvarinFrame::IssueBattleOrder(int position, int isParty) {
  CSession& session = CSession::GetInstance();
  const bool party = isParty != 0;
  auto* actor = dynamic_cast<CBattleActor*>(session.GetBattleActor(position, party));
  if (actor == nullptr) {
    DebugLog("CSelvarinFrame : an order for a participant who is not in the battle");
    return;
  }
  session.RunTactics(position, party);
  const CSession::TacticDecision decision = session.tacticDecision;
  CActor* target = decision.target;
  int32_t special = 0;
  if (party) {
    m_pCurrentBattleActor = actor;
    if (decision.target != nullptr) {
      m_lookTarget = decision.target;
      if (decision.target->m_decoy != nullptr && platform::Rand() % 3 == 0) target = decision.target->m_decoy;
    }
    const PlayerData* member = session.GetPartyMember(position);
    special = decision.kind == 0 && member != nullptr && member->cp == kFullCombatPoints ? 1 : 0;
  } else if (decision.target != nullptr) {
    const CSelvarinContext* context = GetContext();
    if (decision.target->m_decoy != nullptr && platform::Rand() % 3 == 0) {
      target = decision.target->m_decoy;
    } else if (decision.kind == 0 && context != nullptr && !context->m_battleSpots.empty() && platform::Rand() % 3 == 0) {
      target = context->PickRandomBattleSpot();
    }
  }
  float x = decision.x, z = decision.z;
  actor->OnMessage(this, kMsgChosenIndex, decision.index, 0, 0);
  actor->OnMessage(this, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
  actor->OnMessage(this, kMsgOrder, AsValue(target), decision.kind, special);
  if (!party) return;
  if (decision.kind == 9) session.PayMagicCost(position, decision.index);
  if (decision.kind == 10) session.PaySkillCost(position, decision.index);
}

// For now attack, defend, auto and pass are checked; other commands keep
// the menu open.
void CSelvarinFrame::ValidateBattleCommand(int command, int index) {
  m_command = command;
  CSession& session = CSession::GetInstance();
  auto* member = dynamic_cast<CBattlePlayer*>(m_pCurrentBattleActor);
  if (member == nullptr) {
    DebugLog("CSelvarinFrame : a battle command without a current member");
    return;
  }
  const int position = member->m_battleId[0];
  switch (command) {
    case 0: {
      if (!session.HasWeaponEquipped(position)) {
        m_caption = "장착된 무기가 없습니다";
        m_captionTimer = 120;
        break;
      }
      BuildTargetList(0);
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      CActor* target = m_targetCount > 0 ? m_targetList[static_cast<size_t>(m_targetCursor)] : nullptr;
      if (target != nullptr && dynamic_cast<CBattlePlayer*>(target) == nullptr) m_lastEnemyTarget = target;
      const int32_t special = member->m_record != nullptr && member->m_record->cp == kFullCombatPoints ? 1 : 0;
      BICaptionDeskTop::GetInstance().Close();
      member->OnMessage(this, kMsgOrder, AsValue(target), 0, special);
      break;
    }
    case 1:
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      BICaptionDeskTop::GetInstance().Close();
      member->OnMessage(this, kMsgOrder, AsValue(member), 1, 0);
      break;
    case 5:
      if (member->m_record != nullptr) member->m_record->tacticsId = index + 1;
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      BICaptionDeskTop::GetInstance().Close();
      IssueBattleOrder(position, 1);
      return;
    case 7:
      PlayWave("쓸수없는메뉴선택시나는경고음.wav");
      return;
    default:
      DebugLog("CSelvarinFrame : the battle command " + std::to_string(command) + " is not played yet");
      return;
  }
  PlayWave("전투 메뉴 선택시 나는 소리.wav");
}

void CSelvarinFrame::ShowBattleResult() {
  RestoreBattleCamera();
  const int32_t back = m_prevMode;
  ChangeMode(back >= 0 && back <= kModeGameOver && back != kModeBattle && back != kModeBattleResult ? back : kModeField);
}
