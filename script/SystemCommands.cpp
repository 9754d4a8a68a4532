// The event scripts' third command group: variables, pictures, the session,
// the shop, menu and scenario screens, the world map, and (ScreenCommands)
// the screen and the sound. It is the last: a word it does not know ends the
// run.
#include <array>
#include <string>

#include "engine/BitmapRes.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/Tokenizer.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/WorldMapList.h"
#include "platform/DebugLog.h"
#include "render/3dActor.h"
#include "render/DispBmp.h"
#include "script/CommandTable.h"
#include "script/ScreenCommands.h"
#include "script/ScriptArgs.h"
#include "script/ScriptVariables.h"
#include "session/DataTables.h"
#include "session/Session.h"

namespace {
namespace systemcommands {

// The screen kinds of mode 7, and of mode 10.
enum ScreenKind : int32_t { kItemBox = 1, kParty = 2, kSave = 3, kLoad = 4, kGameOver = 3 };

// The bitmap resource of the name; null, logged, when there is none.
const CBitmapRes* FindBitmap(const char* word, const std::string& name) {
  const auto* bitmap = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetResStr(name));
  if (bitmap == nullptr) DebugLog(std::string(word) + ": no bitmap " + name);
  return bitmap;
}

void Inc(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) { IncScriptVariable(TextAt(tokens, 1)); }

void Print(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  DebugLogf("%s = %d", TextAt(tokens, 1).c_str(), GetFieldScriptValue(TextAt(tokens, 1)));
}

void Dec(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) { DecScriptVariable(TextAt(tokens, 1)); }
void Add(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  AddScriptVariable(IntAt(tokens, 2), TextAt(tokens, 1));
}
void Sub(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  SubScriptVariable(IntAt(tokens, 2), TextAt(tokens, 1));
}
void Set(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  SetScriptVariable(IntAt(tokens, 2), TextAt(tokens, 1));
}

void CloseBmp(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  if (frame != nullptr) {
    frame->m_pictureShown = 0;
    frame->m_pictureCounter = 0;
    frame->m_pPicture = nullptr;
  }
  g_dispBmp.Release();
}

// Shown until "closebmp"; the resource is not kept.
void ShowBmp(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  const CBitmapRes* bitmap = FindBitmap("showbmp", TextAt(tokens, 1));
  if (bitmap == nullptr) return;
  if (frame != nullptr) {
    frame->m_pictureCounter = 0;
    frame->m_pictureShown = 1;
  }
  g_dispBmp.Release();
  g_dispBmp.Create(bitmap);
}

// Shown for the picture's time under its white veil; the frame counts down.
void DispBmp(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  const CBitmapRes* bitmap = FindBitmap("dispbmp", TextAt(tokens, 1));
  if (bitmap == nullptr) return;
  if (frame != nullptr) {
    frame->m_pictureCounter = CSelvarinFrame::kPictureStart;
    frame->m_pPicture = bitmap;
  }
  g_dispBmp.Create(bitmap);
}

// A name the item table does not hold (logged by the look-up) drops nothing.
void DropItem(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  const int item = CItemMgr::GetInstance().Find(TextAt(tokens, 1));
  if (item < 0) return;
  CSession::GetInstance().dropitem(item, tokens.GetCount() > 2 ? tokens.GetInt(2) : 1);
}

void DropGold(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  CSession::GetInstance().dropgold(IntAt(tokens, 1));
}

void CallShop(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame == nullptr) return;
  frame->m_shopNumber = IntAt(tokens, 1);
  frame->m_shopKind = IntAt(tokens, 2);
  frame->m_shopType = tokens.GetCount() == 4 ? tokens.GetInt(3) : 0;
  frame->ChangeMode(kModeShop);
}

void EnterMode(CSelvarinFrame* frame, int32_t kind, int32_t mode) {
  if (frame == nullptr) return;
  frame->m_menuKind = kind;
  frame->ChangeMode(mode);
}

void CallItemBox(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  EnterMode(frame, kItemBox, kModeStillMenu);
}
void CallParty(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { EnterMode(frame, kParty, kModeStillMenu); }
void CallSave(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { EnterMode(frame, kSave, kModeStillMenu); }
void CallLoad(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { EnterMode(frame, kLoad, kModeStillMenu); }
void CallGameOver(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  EnterMode(frame, kGameOver, kModeGameOver);
}

void CallScenarioSelect(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame == nullptr) return;
  frame->m_scenarioStage = tokens.GetInt(1);
  frame->ChangeMode(kModeScenario);
}

// Loaded into the resource cache, where later look-ups find it.
void SetResource(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  if (tokens.GetCount() > 1) CResMgr::GetInstance().GetResStr(tokens[1]);
}

// The world map shows the party on the map it left.
void CallMap(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  WorldMapOrigin() = frame != nullptr ? frame->m_name : std::string();
  CFrameMgr::GetInstance().ChangeFrame("worldmap");
}

void ClearWorldMapPoint(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) {
  WorldMapList::GetInstance().ResetCurrent();
}

void AddWorldMapPoint(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  WorldMapList::GetInstance().Find(tokens[1]);
}

void HealAll(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { CSession::GetInstance().HealAll(); }

// The look-up reports an unknown character; nothing is learnt then.
void AddMagic(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  CSession& session = CSession::GetInstance();
  const int id = session.GetPlayerId(tokens[1]);
  if (id >= 0) session.AddMagic(id, tokens[2]);
}

void AddSkill(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  CSession& session = CSession::GetInstance();
  const int id = session.GetPlayerId(tokens[1]);
  if (id >= 0) session.AddSkill(id, tokens[2]);
}

void DisableDiary(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  if (frame != nullptr) frame->m_diaryEnabled = 0;
}
void EnableDiary(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) {
  if (frame != nullptr) frame->m_diaryEnabled = 1;
}

void SetBlock(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  const CSelvarinContext* context = frame != nullptr ? frame->GetContext() : nullptr;
  C3dActor* building = context != nullptr ? context->FindActorByResName(TextAt(tokens, 1)) : nullptr;
  if (building == nullptr) {
    DebugLog("Usage : setblock [건물명] [1|0]");
    return;
  }
  building->m_collide = IntAt(tokens, 2);
}

void EnableSupplyLimit(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) {
  SetScriptVariable(0, "_disablesupplylimit");
}
void DisableSupplyLimit(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) {
  SetScriptVariable(1, "_disablesupplylimit");
}
void SaveState(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { CSession::GetInstance().SaveState(); }
void JoinState(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { CSession::GetInstance().JoinState(); }

// Raises a diary entry to the level, never lowers it; a name the table does
// not hold is reported and changes nothing.
template <typename Table>
void GetDiary(const char* word, const CTokenizer& tokens, const Table& table,
              const std::array<int32_t, CSession::kDiarySlots>& diary, void (CSession::*set)(int, int)) {
  const int index = table.LookupName(TextAt(tokens, 1));
  if (index < 0 || index >= CSession::kDiarySlots) {
    DebugLog(std::string(word) + ": no entry " + TextAt(tokens, 1));
    return;
  }
  const int level = IntAt(tokens, 2);
  if (diary[static_cast<size_t>(index)] < level) (CSession::GetInstance().*set)(index, level);
}

void GetDiaryItem(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  GetDiary("getdiaryitem", tokens, CItemMgr::GetInstance(), CSession::GetInstance().itemDiary,
           &CSession::SetItemDiary);
}
void GetDiaryMonster(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  GetDiary("getdiarymonster", tokens, CMonsterMgr::GetInstance(), CSession::GetInstance().monsterDiary,
           &CSession::SetMonsterDiary);
}
void GetDiaryScrap(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  GetDiary("getdiaryscrap", tokens, CScrapMgr::GetInstance(), CSession::GetInstance().scrapDiary,
           &CSession::SetScrapDiary);
}

// In the order they are tried.
const CommandRow kSystemWords[] = {
    {"inc", 0, nullptr, Inc},
    {"print", 0, nullptr, Print},
    {"dec", 0, nullptr, Dec},
    {"add", 0, nullptr, Add},
    {"sub", 0, nullptr, Sub},
    {"set", 0, nullptr, Set},
    {"closebmp", 0, nullptr, CloseBmp},
    {"showbmp", 0, nullptr, ShowBmp},
    {"dispbmp", 0, nullptr, DispBmp},
    {"dropitem", 0, nullptr, DropItem},
    {"dropgold", 0, nullptr, DropGold},
    {"callshop", 0, nullptr, CallShop},
    {"callitembox", 0, nullptr, CallItemBox},
    {"callparty", 0, nullptr, CallParty},
    {"callsave", 0, nullptr, CallSave},
    {"callload", 0, nullptr, CallLoad},
    {"callscenarioselect", 2, "문법 : callscenarioselect [1|2]", CallScenarioSelect},
    {"setresource", 0, nullptr, SetResource},
    {"setfog", 0, nullptr, SetFog},
    {"callmap", 0, nullptr, CallMap},
    {"clearworldmappoint", 0, nullptr, ClearWorldMapPoint},
    {"addworldmappoint", 2, "Syntax Error in addworldmappoint [월드맵명]", AddWorldMapPoint},
    {"addcompasspoint", 4, "Syntax Error in addcompasspoint [지역명] [지점x좌표] [지점z좌표]", AddCompassPoint},
    {"begintimeattack", 2, "Syntax Error: begintimeattack 시간(초단위)", BeginTimeAttack},
    {"endtimeattack", 0, nullptr, EndTimeAttack},
    {"healall", 0, nullptr, HealAll},
    {"addmagic", 3, "문법: addmagic  액터이름  마법이름", AddMagic},
    {"addskill", 3, "문법: addskill  액터이름  마법이름", AddSkill},
    {"disablediary", 0, nullptr, DisableDiary},
    {"enablediary", 0, nullptr, EnableDiary},
    {"playavi", 2, "Syntax Error: playavi avifilename.avi", PlayAvi},
    {"setblock", 0, nullptr, SetBlock},
    {"playcd", 3, "Syntax Error : playcd", PlayCd},
    {"stopcd", 0, nullptr, StopCd},
    {"playwave", 0, nullptr, PlayWaveWord},
    {"setplayerangle", 0, nullptr, SetPlayerAngle},
    {"addplayerangle", 0, nullptr, AddPlayerAngle},
    {"setfaded", 0, nullptr, SetFaded},
    {"fadeout", 0, nullptr, FadeOut},
    {"fadein", 0, nullptr, FadeIn},
    {"whiteout", 0, nullptr, WhiteOut},
    {"whitein", 0, nullptr, WhiteIn},
    {"setweather", 0, nullptr, SetWeatherWord},
    {"darkscreen", 0, nullptr, DarkScreen},
    {"restorescreen", 0, nullptr, RestoreScreen},
    {"enablesupplylimit", 1, "문법 : enablesupplylimit", EnableSupplyLimit},
    {"disablesupplylimit", 1, "문법 : disablesupplylimit", DisableSupplyLimit},
    {"savestate", 1, "문법 : savestate", SaveState},
    {"joinstate", 1, "문법 : joinstate", JoinState},
    {"getdiaryitem", 0, nullptr, GetDiaryItem},
    {"getdiarymonster", 0, nullptr, GetDiaryMonster},
    {"getdiaryscrap", 0, nullptr, GetDiaryScrap},
    {"callgameover", 0, nullptr, CallGameOver},
    {"disablecdreplay", 0, nullptr, DisableCdReplay},
    {"averageexp", 2, "문법: aveexp 받는사람이름", AverageExp},
    {"calltitle", 0, nullptr, CallTitle},
};

}  // namespace systemcommands
}  // namespace

bool CSelvarinFrame::ExecSystemCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int /*line*/) {
  if (RunCommandRow(systemcommands::kSystemWords, frame, tokens, nullptr)) return true;
  DebugLog("Unknown Command " + TextAt(tokens, 0));
  return false;
}
