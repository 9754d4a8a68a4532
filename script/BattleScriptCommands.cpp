#include "script/BattleScriptCommands.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/enemy/BattleEnemy.h"
#include "engine/BitmapRes.h"
#include "engine/CdAudio.h"
#include "engine/ResMgr.h"
#include "engine/Tokenizer.h"
#include "engine/Wave.h"
#include "field/PlayerStart.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/Truncation.h"
#include "platform/InputScript.h"
#include "platform/DebugLog.h"
#include "render/DispBmp.h"
#include "script/BattleScriptValues.h"
#include "script/SysexCommands.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace battlescriptcommands {

// The message window's states these words set.
enum WindowState : int32_t { kFirstPage = 1, kNextPage = 2, kClosing = 4, kWaitingForKey = 5 };

enum ScreenTransition : int32_t { kWhiteIn = 6, kWhiteOut = 7, kGameOver = 9 };

constexpr int32_t kHeaderTicks = 100;
constexpr int32_t kScriptEnded = 6;  // the battle phase "endbattle" sets
constexpr int kBalloonKinds = 3;
constexpr int kConditionBits = 8;
constexpr int32_t kMaxReal = 21474836;  // times 100 still fits

struct Line {
  CSelvarinFrame& frame;
  const CTokenizer& tokens;
  int line;
  CActor* speaker = nullptr;  // a cut-scene's channel actor, which no name finds

  int Count() const { return tokens.GetCount(); }
  const std::string& Text(int i) const { return tokens[i]; }
  int32_t Int(int i) const { return tokens.GetInt(i); }
  // A real truncated toward zero, kept where a step of x 100 still fits.
  int32_t Whole(int i) const { return std::clamp(TruncateClamped(tokens.GetFloat(i)), -kMaxReal, kMaxReal); }
  CSelvarinContext* Context() const { return frame.GetContext(); }
  // The run waits for the player and goes on at the next line.
  int Pause(int32_t state) const {
    frame.m_messageState = state;
    if (speaker == nullptr) frame.m_battleScriptLine = line + 1;
    return kBattleRunStops;
  }
};

using Command = int (*)(const Line& l);

CBattleActor* Participant(const std::string& name) {
  return dynamic_cast<CBattleActor*>(CSession::GetInstance().FindBattleActor(name));
}

intptr_t AsValue(const CObject* object) { return reinterpret_cast<intptr_t>(object); }

std::vector<CBattleActor*> Participants(const CSelvarinFrame& frame) {
  std::vector<CBattleActor*> all;
  const CSelvarinContext* context = frame.GetContext();
  if (context == nullptr) return all;
  for (CActor* object : context->m_battleObjects) {
    if (auto* actor = dynamic_cast<CBattleActor*>(object)) all.push_back(actor);
  }
  return all;
}

void CloseWindow(CSelvarinFrame& f) {
  f.m_pBattleSpeaker = nullptr;
  f.m_messageState = kClosing;
  f.m_messageTick = 0;
  f.m_messageText.clear();
  f.m_messagePending = 0;
  f.ClearMessageLines();
}

// ---- The message window ----

// data: the balloon kind. An unknown speaker only logs: the run goes on
// rather than stopping with nothing to resume it.
int Speak(const Line& l, int kind) {
  CSelvarinFrame& f = l.frame;
  CActor* speaker = l.speaker != nullptr ? l.speaker : Participant(l.Text(1));
  if (speaker == nullptr) {
    DebugLog(l.Text(0) + " : 액터가 없습니다 " + l.Text(1));
    return l.line + 1;
  }
  f.m_pBattleSpeaker = speaker;
  platform::MarkScriptAnchor("words");
  f.m_balloonKind = kind;
  f.m_messageText = l.Text(2);
  f.m_messageSpeaker = l.Count() > 3 ? l.Text(3) : std::string();
  f.m_messagePos = 0;
  f.m_messagePending = 0;
  const bool open = f.m_messageState != 0 && f.m_messageState != kClosing;
  f.m_messageTick = 0;
  return l.Pause(open ? kNextPage : kFirstPage);
}

int Say(const Line& l) { return Speak(l, 0); }
int Shout(const Line& l) { return Speak(l, 1); }
int Ear(const Line& l) { return Speak(l, 2); }

int Notice(const Line& l, const std::string& text, int item) {
  CSelvarinFrame& f = l.frame;
  f.m_messageText = text;
  f.m_messagePos = 0;
  f.m_messagePending = static_cast<int32_t>(text.size());
  f.m_messageItem = item;
  return l.Pause(kWaitingForKey);
}

int Msg(const Line& l) {
  l.frame.m_pBattleSpeaker = Participant(l.Text(1));
  return Notice(l, l.Text(1), -1);
}

int Wait(const Line& l) {
  CSelvarinFrame& f = l.frame;
  f.m_messageText.clear();
  f.m_messagePos = 0;
  f.m_messagePending = 0;
  if (f.m_balloonKind < 0 || f.m_balloonKind >= kBalloonKinds) f.m_balloonKind = 0;
  return l.Pause(kWaitingForKey);
}

int Close(const Line& l) {
  CloseWindow(l.frame);
  return l.line + 1;
}

int GetItem(const Line& l) {
  if (l.Count() < 2) {
    DebugLog("문법오류getitem");
    return l.line + 1;
  }
  const std::string& name = l.Text(1);
  const int item = CItemMgr::GetInstance().Find(name);
  const bool counted = l.Count() > 2;
  CSession::GetInstance().GiveItem(item, counted ? l.Int(2) : 1);
  return Notice(l, counted ? name + " " + l.Text(2) + "개 획득" : name + " 획득    ", item);
}

int GetGold(const Line& l) {
  CSession::GetInstance().AddGold(l.Int(1));
  return Notice(l, l.Text(1) + "길드 획득", -1);
}

int Header(const Line& l) {
  CSelvarinFrame& f = l.frame;
  f.m_caption = l.Text(1);
  f.m_captionTimer = kHeaderTicks;
  f.m_captionLine = l.Count() == 4 ? 1 : 0;
  return l.line + 1;
}

// ---- Orders to one participant ----

// The named participant, when the line has the count; else a log line.
CBattleActor* Addressee(const Line& l, int count, const char* syntax) {
  if (l.Count() != count) {
    DebugLog(syntax);
    return nullptr;
  }
  CBattleActor* actor = Participant(l.Text(1));
  if (actor == nullptr) DebugLog("액터가 없습니다 : " + l.Text(1));
  return actor;
}

int Order(const Line& l, int count, const char* syntax, int code, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0) {
  if (CBattleActor* actor = Addressee(l, count, syntax)) actor->OnMessage(nullptr, code, a, b, c);
  return l.line + 1;
}

int Move(const Line& l) { return Order(l, 4, "move actorname X Z", kMsgWalkToPoint, l.Whole(2), l.Whole(3)); }

int Jump(const Line& l) {
  return Order(l, 5, "jump name\tdx dz power", kMsgJump, l.Whole(2) * 100, l.Whole(3) * 100, l.Whole(4) * 100);
}

int Show(const Line& l) { return Order(l, 2, "문법오류:show actorname", kMsgShow); }
int Hide(const Line& l) { return Order(l, 2, "문법오류:hide actorname", kMsgHide); }
int Action(const Line& l) { return Order(l, 3, "문법오류:action", kMsgScriptAction, l.Int(2), 0); }
int ActionRepeat(const Line& l) { return Order(l, 3, "문법오류:actionrepeat", kMsgScriptAction, l.Int(2), 1); }
int Motion(const Line& l) { return Order(l, 4, "문법오류:motion", kMsgScriptMotion, l.Int(2), l.Int(3)); }
int Shadow(const Line& l) { return Order(l, 3, "문법오류:shadow", kMsgShadow, l.Int(2)); }
int Dir(const Line& l) { return Order(l, 3, "문법오류:dir", kMsgHeading, l.Int(2)); }
int Emotion(const Line& l) { return Order(l, 3, "문법오류:emotion", kMsgEmotion, l.Int(2)); }
int Kill(const Line& l) { return Order(l, 2, "문법오류 : kill", kMsgKill); }

// The name token read as a number, a third token that a two-token line does
// not have, and the stored player height; what it means is the battle's.
int Warp(const Line& l) {
  return Order(l, 2, "문법오류:warp", kMsgWarp, l.Int(1), 0, TruncateClamped(g_playerStart.y));
}

int SetSprite(const Line& l) {
  const bool full = l.Count() == 5;
  if (CBattleActor* actor = Addressee(l, full ? 5 : 3, "문법오류:setspr")) {
    const std::string sprite = l.Text(2);  // the participant copies it
    actor->OnMessage(nullptr, kMsgChangeSprite, reinterpret_cast<intptr_t>(sprite.c_str()), full ? l.Int(3) : 0,
                     full ? l.Int(4) : 0);
  }
  return l.line + 1;
}

// Orders that name a second participant.
int TwoParticipants(const Line& l, const char* syntax, int code, bool asSender) {
  CBattleActor* actor = Addressee(l, 3, syntax);
  if (actor == nullptr) return l.line + 1;
  CBattleActor* other = Participant(l.Text(2));
  if (other == nullptr) {
    DebugLog("액터가 없습니다 : " + l.Text(2));
    return l.line + 1;
  }
  if (asSender) {
    actor->OnMessage(other, code, 0, 0, 0);
  } else {
    actor->OnMessage(nullptr, code, AsValue(other), 0, 0);
  }
  return l.line + 1;
}

int Move2(const Line& l) { return TwoParticipants(l, "move2 actorname destActorName", kMsgWalkToActor, false); }
int See(const Line& l) { return TwoParticipants(l, "문법오류:see", kMsgLookAtSender, true); }

int MoveParty(const Line& l) {
  if (l.Count() != 3) {
    DebugLog("moveparty X Z");
    return l.line + 1;
  }
  const CSession& session = CSession::GetInstance();
  const int32_t x = l.Whole(1);
  const int32_t z = l.Whole(2) + 1;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* member = session.GetPartyMember(n);
    if (member != nullptr && member->battlePtr != nullptr) member->battlePtr->OnMessage(nullptr, kMsgWalkToPoint, x, z, 0);
  }
  return l.line + 1;
}

// ---- The battle ----

int NoFocus(const Line& l) {
  if (CSelvarinView* view = l.frame.GetView()) view->m_pFocus = nullptr;
  return l.line + 1;
}

int Focus(const Line& l) {
  if (l.Count() != 2) {
    DebugLog("문법: focus actorName");
    return l.line + 1;
  }
  CBattleActor* actor = Participant(l.Text(1));
  if (actor == nullptr) {
    DebugLog("액터가 없습니다");
  } else if (CSelvarinView* view = l.frame.GetView()) {
    view->m_pFocus = actor;
  }
  return l.line + 1;
}

// On the ground at the battle centre, holding still while the script runs.
void PlaceAtCentre(CSelvarinFrame& f, CSelvarinContext& context, CBattleActor& actor) {
  actor.m_targetX = f.m_battleCenterX;
  actor.m_targetZ = f.m_battleCenterZ;
  actor.m_pos = Vec3{f.m_battleCenterX, 0.0f, f.m_battleCenterZ};
  actor.m_pos.y = context.GetStandHeight(actor.m_pos);
  actor.m_gaugeRunning = f.m_battleScriptRunning != 0 ? 0 : 1;
}

int IntrudeEnemy(const Line& l) {
  CSelvarinContext* context = l.Context();
  if (l.Count() != 3 || context == nullptr) {
    DebugLog("문법오류 : intrudeenemy");
    return l.line + 1;
  }
  CBattleEnemy* enemy = context->MakeEnemy(l.Text(1), l.Text(2), l.Text(2));
  if (enemy == nullptr) return l.line + 1;
  PlaceAtCentre(l.frame, *context, *enemy);
  const PlayerData* target = CSession::GetInstance().PickRandomPartyMember();
  if (target != nullptr && target->battlePtr != nullptr && target->battlePtr->m_actionCode != kActRemoved) {
    enemy->FaceToward(target->battlePtr->m_pos.x, target->battlePtr->m_pos.z);
  }
  return l.line + 1;
}

// The field party made again where the leader stands, the view's focus kept.
void RebuildFieldParty(CSelvarinFrame& f, CSelvarinContext& context) {
  CSelvarinView* view = f.GetView();
  CSelvarinActor* focus = view != nullptr ? view->m_pFocus : nullptr;
  if (const CSelvarinActor* player = context.GetPlayer()) g_playerStart.heading = player->m_angle;
  context.FreePlayers();
  context.MakePlayerActors();
  if (view != nullptr) view->m_pFocus = focus;
}

int IntrudePlayer(const Line& l) {
  CSelvarinContext* context = l.Context();
  if (l.Count() != 2 || context == nullptr) {
    DebugLog("문법오류 : intrudeplayer");
    return l.line + 1;
  }
  CSession& session = CSession::GetInstance();
  const std::string& name = l.Text(1);
  const int id = session.GetPlayerId(name);
  if (id < 0 || session.players[static_cast<size_t>(id)].battlePtr != nullptr) return l.line + 1;
  if (!session.IsInParty(name)) {
    if (session.partyCount >= CSession::kMaxParty) {
      DebugLog("이자가 난입하면 안된다.");
      return l.line + 1;
    }
    session.JoinPlayer(id);
    RebuildFieldParty(l.frame, *context);
  }
  CBattlePlayer* actor = context->MakePartyBattleActor(name);
  if (actor == nullptr) return l.line + 1;
  actor->FaceToward(l.frame.m_battleCenterX, l.frame.m_battleCenterZ);
  PlaceAtCentre(l.frame, *context, *actor);
  if (CSelvarinView* view = l.frame.GetView()) view->m_pFocus = actor;
  return l.line + 1;
}

int Accepted(const Line& l) { return l.line + 1; }

// 1 gives 0 and 2 gives 1; other numbers are stored as they are.
int EndBattle(const Line& l) {
  CSelvarinFrame& f = l.frame;
  f.m_battlePhase = kScriptEnded;
  CloseWindow(f);
  int32_t kind = l.Count() > 1 ? l.Int(1) : 0;
  if (kind == 1) kind = 0;
  else if (kind == 2) kind = 1;
  f.m_battleResult.skipResult = kind;
  return l.line + 1;
}

int Transition(const Line& l, int32_t kind) {
  l.frame.m_transKind = kind;
  l.frame.m_transStep = 0;
  return l.line + 1;
}

int GameOver(const Line& l) { return Transition(l, kGameOver); }
int WhiteOut(const Line& l) { return Transition(l, kWhiteOut); }
int WhiteIn(const Line& l) { return Transition(l, kWhiteIn); }

int HealAll(const Line& l) {
  CSession::GetInstance().HealAll();
  return l.line + 1;
}

int StateHeal(const Line& l) {
  if (l.Count() != 3) {
    DebugLog("문법오류 : stateheal");
    return l.line + 1;
  }
  const int32_t bit = l.Int(2);
  if (bit < 0 || bit >= kConditionBits) {
    DebugLog("Invalid stateId");
    return l.line + 1;
  }
  CSession& session = CSession::GetInstance();
  const std::string& name = l.Text(1);
  const int id = session.FindPlayer(name);
  if (id >= 0) {
    session.SetCondition(session.players[static_cast<size_t>(id)], 1u << bit, false);
    return l.line + 1;
  }
  for (EnemySlot& enemy : session.enemies) {
    if (enemy.actor == nullptr || enemy.name != name) continue;
    session.SetEnemyCondition(enemy, 1u << bit, false);
    return l.line + 1;
  }
  DebugLog("액터가 없습니다 : " + name);
  return l.line + 1;
}

int Teach(const Line& l, bool magic) {
  if (l.Count() != 3) {
    DebugLog(magic ? "문법: addmagic  액터이름  마법이름" : "문법: addskill  액터이름  마법이름");
    return l.line + 1;
  }
  CSession& session = CSession::GetInstance();
  const int id = session.GetPlayerId(l.Text(1));
  if (id < 0) return l.line + 1;
  if (magic) {
    session.AddMagic(id, l.Text(2));
  } else {
    session.AddSkill(id, l.Text(2));
  }
  return l.line + 1;
}

int AddMagic(const Line& l) { return Teach(l, true); }
int AddSkill(const Line& l) { return Teach(l, false); }

int DropItem(const Line& l) {
  const int item = CItemMgr::GetInstance().Find(l.Text(1));
  CSession::GetInstance().dropitem(item, l.Count() > 2 ? l.Int(2) : 1);
  return l.line + 1;
}

int DropGold(const Line& l) {
  CSession::GetInstance().dropgold(l.Int(1));
  return l.line + 1;
}

int DispBmp(const Line& l) {
  if (l.Count() != 2) {
    DebugLog("문법오류:dispbmp");
    return l.line + 1;
  }
  const auto* bitmap = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetResStr(l.Text(1)));
  l.frame.m_pPicture = bitmap;
  l.frame.m_pictureCounter = CSelvarinFrame::kPictureStart;
  g_dispBmp.Create(bitmap);
  return l.line + 1;
}

int PlayCd(const Line& l) {
  if (l.Count() != 3) {
    DebugLog("Syntax Error : playcd");
    return l.line + 1;
  }
  PlayCdTrack(l.Int(1), l.Int(2));
  return l.line + 1;
}

int StopCd(const Line& l) {
  StopCdAudio();
  return l.line + 1;
}

int PlayWaveFile(const Line& l) {
  PlayWave(l.Text(1));
  return l.line + 1;
}

int Sysex(const Line& l) {
  ExecBattleSysex(l.frame, l.tokens, [](const std::string& name) -> CActor* { return Participant(name); });
  return l.line + 1;
}

// ---- Variables ----

int Inc(const Line& l) {
  IncBattleScriptValue(l.Text(1));
  return l.line + 1;
}

int Dec(const Line& l) {
  DecBattleScriptValue(l.Text(1));
  return l.line + 1;
}

int Add(const Line& l) {
  AddBattleScriptValue(l.Int(2), l.Text(1));
  return l.line + 1;
}

int Sub(const Line& l) {
  SubBattleScriptValue(l.Int(2), l.Text(1));
  return l.line + 1;
}

int Set(const Line& l) {
  SetBattleScriptValue(l.Text(1), l.Int(2));
  return l.line + 1;
}

int Print(const Line& l) {
  DebugLogf("%s = %d", l.Text(1).c_str(), GetBattleScriptValue(l.Text(1)));
  return l.line + 1;
}

int Error(const Line& l) {
  DebugLog(l.Count() > 1 ? l.Text(1) : std::string());
  return l.line + 1;
}

struct BattleWord {
  const char* word;
  Command run;
};

const BattleWord kBattleWords[] = {
    {"say", Say},
    {"shout", Shout},
    {"ear", Ear},
    {"monologue", Ear},
    {"msg", Msg},
    {"wait", Wait},
    {"close", Close},
    {"getitem", GetItem},
    {"getgold", GetGold},
    {"header", Header},
    {"move", Move},
    {"move2", Move2},
    {"moveparty", MoveParty},
    {"jump", Jump},
    {"see", See},
    {"show", Show},
    {"hide", Hide},
    {"action", Action},
    {"actionrepeat", ActionRepeat},
    {"setspr", SetSprite},
    {"motion", Motion},
    {"shadow", Shadow},
    {"dir", Dir},
    {"emotion", Emotion},
    {"kill", Kill},
    {"warp", Warp},
    {"nofocus", NoFocus},
    {"focus", Focus},
    {"intrudeenemy", IntrudeEnemy},
    {"intrudeplayer", IntrudePlayer},
    {"lockaction", Accepted},
    {"unlockaction", Accepted},
    {"endbattle", EndBattle},
    {"gameover", GameOver},
    {"whiteout", WhiteOut},
    {"whitein", WhiteIn},
    {"healall", HealAll},
    {"stateheal", StateHeal},
    {"addmagic", AddMagic},
    {"addskill", AddSkill},
    {"dropitem", DropItem},
    {"dropgold", DropGold},
    {"dispbmp", DispBmp},
    {"playcd", PlayCd},
    {"stopcd", StopCd},
    {"playwave", PlayWaveFile},
    {"sysex", Sysex},
    {"inc", Inc},
    {"dec", Dec},
    {"add", Add},
    {"sub", Sub},
    {"set", Set},
    {"print", Print},
    {"error", Error},
};

}  // namespace battlescriptcommands
}  // namespace

bool ExecBattleCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, int* next) {
  const std::string& word = tokens[0];
  for (const battlescriptcommands::BattleWord& row : battlescriptcommands::kBattleWords) {
    if (word != row.word) continue;
    *next = row.run(battlescriptcommands::Line{frame, tokens, line});
    return true;
  }
  return false;
}

MacroMessage ExecMacroMessage(CSelvarinFrame& frame, const CTokenizer& tokens, CActor& speaker) {
  struct Row {
    const char* word;
    battlescriptcommands::Command run;
    MacroMessage kind;
  };
  static constexpr Row kMessageWords[] = {
      {"say", battlescriptcommands::Say, MacroMessage::kDialogue},       {"shout", battlescriptcommands::Shout, MacroMessage::kDialogue},
      {"ear", battlescriptcommands::Ear, MacroMessage::kDialogue},       {"monologue", battlescriptcommands::Ear, MacroMessage::kDialogue},
      {"wait", battlescriptcommands::Wait, MacroMessage::kKeyWait},      {"getitem", battlescriptcommands::GetItem, MacroMessage::kKeyWait},
      {"getgold", battlescriptcommands::GetGold, MacroMessage::kKeyWait}, {"close", battlescriptcommands::Close, MacroMessage::kRan},
      {"header", battlescriptcommands::Header, MacroMessage::kRan},
  };
  const std::string& word = tokens[0];
  for (const Row& row : kMessageWords) {
    if (word != row.word) continue;
    const int next = row.run(battlescriptcommands::Line{frame, tokens, 0, &speaker});
    return next == kBattleRunStops ? row.kind : MacroMessage::kRan;
  }
  return MacroMessage::kNone;
}

bool IsMacroMessageWord(const std::string& word) {
  for (const char* w : {"say", "shout", "ear", "monologue", "wait", "getitem", "getgold", "close", "header"}) {
    if (word == w) return true;
  }
  return false;
}

void TellBattleParticipants(CSelvarinFrame& frame, int code) {
  for (CBattleActor* actor : battlescriptcommands::Participants(frame)) actor->OnMessage(nullptr, code, 0, 0, 0);
}

void EndBattleScriptRun(CSelvarinFrame& f) {
  f.m_messageText.clear();
  f.m_messagePending = 0;
  f.m_messageItem = -1;
  f.ClearMessageLines();
  f.m_battleScriptRunning = 0;
  f.m_gaugeShown = 1;
  f.m_pBattleSpeaker = nullptr;
  f.m_battleScriptLine = -1;
  TellBattleParticipants(f, kMsgRunGauge);
  f.m_messageState = battlescriptcommands::kClosing;
  f.m_messageTick = 0;
}
