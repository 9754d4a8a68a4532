#include "script/DialogueCommands.h"

#include <memory>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/MacroRes.h"
#include "engine/ResMgr.h"
#include "engine/Tokenizer.h"
#include "field/3dFieldModel.h"
#include "field/FieldEnemy.h"
#include "field/MapEvent.h"
#include "field/Player.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "render/3dActor.h"
#include "render/Texture.h"
#include "render/TgaTextureMgr.h"
#include "script/SysexCommands.h"
#include "session/ItemMgr.h"
#include "session/ScrapMgr.h"
#include "session/Session.h"
#include "ui/ShopList.h"

namespace {
namespace dialoguecommands {

enum Code : int {
  kBattleRequest = 0,  // to the frame
  kWaitForDialogue = 12,
  kReleased = 13,
  kWaitForHeader = 18,
};

// The message window's states that these words set.
enum WindowState : int32_t { kFirstPage = 1, kNextPage = 2, kClosing = 4, kWaitingForKey = 5 };

constexpr int32_t kHeaderTicks = 100;
constexpr int kBackgroundSlots = 4;

struct Line {
  CSelvarinFrame& frame;
  const CTokenizer& tokens;
  int line;
  const std::string& subject;

  int Count() const { return tokens.GetCount(); }
  bool Has(int i) const { return i < tokens.GetCount(); }
  int32_t Int(int i) const { return Has(i) ? tokens.GetInt(i) : 0; }
  std::string Text(int i) const { return Has(i) ? tokens[i] : std::string(); }
  CSelvarinContext* Context() const { return frame.GetContext(); }
};

using Word = bool (*)(const Line& l, int data);

void TellPlayer(const Line& l, int code) {
  CSelvarinContext* context = l.Context();
  if (CSelvarinActor* player = context != nullptr ? context->GetPlayer() : nullptr) {
    player->OnMessage(nullptr, code, 0, 0, 0);
  }
}

// A dialogue holds its subject and, when there is one, the player too: a
// player held for a subject that nothing will resume would wait for ever.
void HoldForDialogue(const Line& l, bool playerWaits) {
  if (!MakeSubjectWait(l.frame, l.subject, l.line + 1)) {
    DebugLog(l.tokens[0] + ": no subject \"" + l.subject + "\" to wait");
    return;
  }
  if (playerWaits) TellPlayer(l, kWaitForDialogue);
}

// The header's subject: an actor by name waits for the header; a box or a
// model waits as for a dialogue, without becoming a listener.
void HoldForHeader(const Line& l) {
  CSelvarinContext* context = l.Context();
  if (context == nullptr) return;
  const int next = l.line + 1;
  if (CSelvarinActor* actor = context->FindActorByName(l.subject)) {
    actor->OnMessage(nullptr, kWaitForHeader, next, 0, 0);
  } else if (MapEvent* box = context->FindMapEvent(l.subject)) {
    box->SetData(next);
  } else if (C3dActor* model = context->FindActorByResName(l.subject)) {
    model->OnMessage(nullptr, kWaitForDialogue, next, 0, 0);
  }
}

void SetHeader(const Line& l, const std::string& text) {
  l.frame.m_caption = text;
  l.frame.m_captionTimer = kHeaderTicks;
  l.frame.m_captionLine = l.Count() == 3 ? 1 : 0;
}

// A notice: the whole text is pending, so it shows centred until the player
// confirms it.
bool Notice(const Line& l, const std::string& text, int item) {
  CSelvarinFrame& f = l.frame;
  f.m_messageText = text;
  f.m_messagePos = 0;
  f.m_messagePending = static_cast<int32_t>(text.size());
  f.m_messageItem = item;
  f.m_messageState = kWaitingForKey;
  HoldForDialogue(l, true);
  return false;
}

// ---- Backgrounds and pictures ----

// The five backgrounds go; then the slots are filled from the names, one
// texture each, from the texture folder.
void LoadBackgrounds(CSelvarinFrame& f, const std::string* names, int first, int count) {
  f.FreeOverlays();
  for (int i = 0; i < count; ++i) {
    auto texture = std::make_unique<CTexture>();
    SetResDirectory(g_texturePath.c_str());
    if (platform::Failed(texture->LoadTextureImage(names[i].c_str()))) {
      DebugLog("background " + names[i] + " not loaded");
      continue;
    }
    f.m_overlayTextures[static_cast<size_t>(first + i)] = texture.release();
  }
}

// data 4: "name.ext" gives "name-0.bmp" to "name-3.bmp" in slots 0-3; data
// 1: the name itself in slot 4.
bool Backgrounds(const Line& l, int data) {
  const std::string name = l.Text(1);
  if (name.empty()) {
    l.frame.FreeOverlays();
    return true;
  }
  if (data == 1) {
    LoadBackgrounds(l.frame, &name, kBackgroundSlots, 1);
    return true;
  }
  // The extension is the last four bytes; a shorter name has none to replace.
  if (name.size() < 4) {
    DebugLog("setbg4: no extension in " + name);
    l.frame.FreeOverlays();
    return true;
  }
  std::string names[kBackgroundSlots];
  for (int i = 0; i < kBackgroundSlots; ++i) names[i] = name.substr(0, name.size() - 4) + "-" + std::to_string(i) + ".bmp";
  LoadBackgrounds(l.frame, names, 0, kBackgroundSlots);
  return true;
}

bool SetSky(const Line& l, int) {
  if (l.Count() != 2) {
    DebugLog("Syntax Error in setsky");
    return true;
  }
  if (CSelvarinView* view = l.frame.GetView()) view->m_sky = l.Text(1);
  return true;
}

bool OffSky(const Line& l, int) {
  if (CSelvarinView* view = l.frame.GetView()) view->m_sky.clear();
  return true;
}

bool SetTga(const Line& l, int) {
  if (l.Has(1)) CTgaTextureMgr::GetInstance().GetTexture(l.Text(1).c_str());
  return true;
}

// ---- Dialogue ----

// data: the balloon kind. A window still open turns to its next page.
bool Speak(const Line& l, int data) {
  CSelvarinFrame& f = l.frame;
  f.m_balloonKind = data;
  f.m_messageSpeaker = l.Text(2);
  f.m_messageText = l.Text(1);
  if (f.m_messageState != 0 && f.m_messageState != kClosing) {
    f.m_messageState = kNextPage;
    f.m_messagePageTime = platform::NowMs();
  } else {
    f.m_messageState = kFirstPage;
    f.m_messageTick = 0;
  }
  CSession& session = CSession::GetInstance();
  const int keywords = CountKeywords(f.m_messageText);
  for (int i = 0; i < keywords; ++i) {
    const int scrap = CScrapMgr::GetInstance().LookupName(GetKeyword(f.m_messageText, i));
    if (scrap >= 0 && scrap < CSession::kDiarySlots && session.scrapDiary[static_cast<size_t>(scrap)] < 1) {
      session.SetScrapDiary(scrap, 1);
    }
  }
  f.m_messagePos = 0;
  f.m_messagePending = 0;
  HoldForDialogue(l, true);
  return false;
}

bool Wait(const Line& l, int) {
  CSelvarinFrame& f = l.frame;
  f.m_messageText.clear();
  f.m_messagePos = 0;
  f.m_messagePending = 0;
  f.m_messageState = kWaitingForKey;
  HoldForDialogue(l, false);
  return false;
}

bool Close(const Line& l, int) {
  CSelvarinFrame& f = l.frame;
  f.m_messageState = kClosing;
  f.m_messageTick = 0;
  f.m_messageText.clear();
  f.m_messagePending = 0;
  f.ClearMessageLines();
  TellPlayer(l, kReleased);
  return true;
}

bool Header(const Line& l, int) {
  SetHeader(l, l.Text(1));
  HoldForHeader(l);
  return true;
}

bool Msg(const Line& l, int) { return Notice(l, l.Text(1), -1); }

bool GetItem(const Line& l, int) {
  const std::string name = l.Text(1);
  const int item = CItemMgr::GetInstance().Find(name);
  const int count = l.Count() == 2 ? 1 : l.Int(2);
  const std::string text = l.Count() == 2 ? name + " 획득" : name + " " + l.Text(2) + "개 획득";
  CSession::GetInstance().GiveItem(item, count);
  return Notice(l, text, item);
}

bool GetGold(const Line& l, int) {
  CSession::GetInstance().AddGold(l.Int(1));
  return Notice(l, l.Text(1) + "길드 획득", -1);
}

bool CallLibrary(const Line& l, int) {
  std::string names;
  LoadLibraryList(l.Int(1));
  for (const std::string& entry : g_libraryList.entries) {
    const int scrap = CScrapMgr::GetInstance().LookupName(entry);
    if (scrap >= 0) CSession::GetInstance().SetScrapDiary(scrap, 2);
    names += (names.empty() ? "" : " ") + entry;
  }
  SetHeader(l, "다이어리내에 항목 추가 : " + names);
  HoldForHeader(l);
  return true;
}

// ---- The party ----

// The party actors made anew where the leader stands, facing as it faced.
// Run from the leader's own talk, the old leader goes once its tick returns
// and learns of it from the rebuilt flag.
void RebuildParty(const Line& l) {
  CSelvarinContext* context = l.Context();
  if (context == nullptr) return;
  if (const CSelvarinActor* player = context->GetPlayer()) g_playerStart.heading = player->m_angle;
  context->FreePlayers();
  context->MakePlayerActors();
  if (g_talkInProgress != 0) g_partyRebuilt = 1;
}

enum PartyChange { kJoin, kLeave, kLead };

bool Party(const Line& l, int data) {
  CSession& session = CSession::GetInstance();
  const int id = session.GetPlayerId(l.Text(1));
  switch (data) {
    case kJoin:
      if (session.JoinPlayer(id) != 0) RebuildParty(l);
      break;
    case kLeave:
      session.LeavePlayer(id);
      RebuildParty(l);
      break;
    default: {
      const int position = id >= 0 ? session.GetPartyId(id) : -1;
      if (position < 0) {
        DebugLog("setleader: " + l.Text(1) + " is not in the party");
        break;
      }
      session.MakeLeader(position);
      RebuildParty(l);
      break;
    }
  }
  return true;
}

// ---- Modes, battles and the rest ----

bool Macro(const Line& l, int) {
  const std::string name = l.Text(1);
  l.frame.m_pMacro = name.empty() ? nullptr : dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetResStr(name));
  l.frame.m_pendingMode = kModeScript;
  return false;
}

bool Sysex(const Line& l, int) {
  CSelvarinContext* context = l.Context();
  return ExecSysex(l.frame, l.tokens, context != nullptr ? context->FindActorByName(l.subject) : nullptr);
}

// As the leader's touch asks for the enemy's battle.
bool CallBattle(const Line& l, int) {
  CSelvarinContext* context = l.Context();
  CSelvarinActor* enemy = context != nullptr ? context->FindFieldEnemy(l.Text(1)) : nullptr;
  if (enemy == nullptr) return true;
  int32_t battle = -1;
  int32_t event = -1;
  if (const auto* sprite = dynamic_cast<const CFieldEnemy*>(enemy)) {
    battle = sprite->m_battleLine;
    event = sprite->m_eventLine;
  } else if (const auto* model = dynamic_cast<const C3dFieldEnemy*>(enemy)) {
    battle = model->m_battleLine;
    event = model->m_eventLine;
  }
  l.frame.OnMessage(enemy, kBattleRequest, 0, battle, event);
  return true;
}

bool ShowCompass(const Line& l, int) {
  const int32_t on = l.Int(1);
  if (on == 0 || on == 1) l.frame.m_compassOn = on;
  return true;
}

bool Accepted(const Line&, int) { return true; }

struct DialogueWord {
  const char* word;
  Word run;
  int data;
};

// In the order they are tried.
const DialogueWord kDialogueWords[] = {
    {"setbg4", Backgrounds, 4},   {"setsky", SetSky, 0},         {"offsky", OffSky, 0},
    {"setbg", Backgrounds, 1},    {"say", Speak, 0},             {"shout", Speak, 1},
    {"ear", Speak, 2},            {"monologue", Speak, 2},       {"wait", Wait, 0},
    {"close", Close, 0},          {"header", Header, 0},         {"msg", Msg, 0},
    {"getitem", GetItem, 0},      {"getgold", GetGold, 0},       {"calllibrary", CallLibrary, 0},
    {"settga", SetTga, 0},        {"joinparty", Party, kJoin},   {"leaveparty", Party, kLeave},
    {"setleader", Party, kLead},  {"macro", Macro, 0},           {"sysex", Sysex, 0},
    {"callbattle", CallBattle, 0}, {"showcompass", ShowCompass, 0}, {"setvolume", Accepted, 0},
    {"releasevolume", Accepted, 0},
};

}  // namespace dialoguecommands
}  // namespace

bool MakeSubjectWait(CSelvarinFrame& frame, const std::string& subject, int next) {
  frame.m_pMessageVillager = nullptr;
  frame.m_pMessageEvent = nullptr;
  frame.m_pMessage3dActor = nullptr;
  CSelvarinContext* context = frame.GetContext();
  if (context == nullptr) return false;
  if (CSelvarinActor* actor = context->FindActorByName(subject)) {
    frame.m_pMessageVillager = actor;
    actor->OnMessage(nullptr, dialoguecommands::kWaitForDialogue, next, 0, 0);
  } else if (MapEvent* box = context->FindMapEvent(subject)) {
    frame.m_pMessageEvent = box;
    box->SetData(next);
  } else if (C3dActor* model = context->FindActorByResName(subject)) {
    frame.m_pMessage3dActor = model;
    model->OnMessage(nullptr, dialoguecommands::kWaitForDialogue, next, 0, 0);
  } else {
    return false;
  }
  return true;
}

bool ExecDialogueCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                         bool* goesOn) {
  const std::string& word = tokens[0];
  for (const dialoguecommands::DialogueWord& row : dialoguecommands::kDialogueWords) {
    if (word != row.word) continue;
    *goesOn = row.run(dialoguecommands::Line{frame, tokens, line, subject}, row.data);
    return true;
  }
  return false;
}
