// The event scripts' third command group: variables, pictures, the
// scenario selection, the shop and menu screens, fog, the world map's places
// and movies in the scene. It is the last: a word it does not know ends the
// run.
#include <array>
#include <string>

#include "engine/BitmapRes.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/Tokenizer.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/WorldMapList.h"
#include "platform/DebugLog.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "script/ScriptVariables.h"
#include "session/DataTables.h"
#include "session/Session.h"

namespace {

using SystemCommand = void (*)(CSelvarinFrame* frame, const CTokenizer& tokens);

const CBitmapRes* FindBitmap(const std::string& name) {
  return dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetResStr(name));
}

void Inc(CSelvarinFrame*, const CTokenizer& tokens) { IncScriptVariable(tokens[1]); }

void Print(CSelvarinFrame*, const CTokenizer& tokens) {
  DebugLogf("%s = %d", tokens[1].c_str(), GetFieldScriptValue(tokens[1]));
}

void Dec(CSelvarinFrame*, const CTokenizer& tokens) { DecScriptVariable(tokens[1]); }
void Add(CSelvarinFrame*, const CTokenizer& tokens) { AddScriptVariable(tokens.GetInt(2), tokens[1]); }
void Sub(CSelvarinFrame*, const CTokenizer& tokens) { SubScriptVariable(tokens.GetInt(2), tokens[1]); }
void Set(CSelvarinFrame*, const CTokenizer& tokens) { SetScriptVariable(tokens.GetInt(2), tokens[1]); }

void CloseBmp(CSelvarinFrame* frame, const CTokenizer&) {
  if (frame != nullptr) {
    frame->m_pictureShown = 0;
    frame->m_pictureCounter = 0;
    frame->m_pPicture = nullptr;
  }
  g_dispBmp.Release();
}

// Shown until "closebmp"; the resource is not kept.
void ShowBmp(CSelvarinFrame* frame, const CTokenizer& tokens) {
  const CBitmapRes* bitmap = FindBitmap(tokens[1]);
  if (frame != nullptr) {
    frame->m_pictureCounter = 0;
    frame->m_pictureShown = 1;
  }
  g_dispBmp.Release();
  g_dispBmp.Create(bitmap);
}

// Shown for the picture's time under its white veil; the frame counts down.
void DispBmp(CSelvarinFrame* frame, const CTokenizer& tokens) {
  const CBitmapRes* bitmap = FindBitmap(tokens[1]);
  if (frame != nullptr) {
    frame->m_pictureCounter = CSelvarinFrame::kPictureStart;
    frame->m_pPicture = bitmap;
  }
  g_dispBmp.Create(bitmap);
}

void CallScenarioSelect(CSelvarinFrame* frame, const CTokenizer& tokens) {
  if (tokens.GetCount() != 2) {
    DebugLog("문법 : callscenarioselect [1|2]");
    return;
  }
  if (frame == nullptr) return;
  frame->m_scenarioStage = tokens.GetInt(1);
  frame->ChangeMode(kModeScenario);
}

// A distance outside 0 to 100 is reported and used all the same.
void CheckFogDistance(int distance) {
  if (distance >= 0 && distance <= 100) return;
  DebugLog("거리는 0 부터 100 사이 입니다.");
  DebugLog("문법: setfog\t스위치   안개시작거리   안개끝거리\t알쥐비값");
}

void SetFog(CSelvarinFrame* frame, const CTokenizer& tokens) {
  CRC* rc = frame != nullptr ? frame->m_pRC : nullptr;
  if (tokens.GetInt(1) == 0) {
    if (rc != nullptr) rc->SetFog(false);
    return;
  }
  CheckFogDistance(tokens.GetInt(2));
  CheckFogDistance(tokens.GetInt(3));
  FogSettings& fog = CRC::s_fogSettings;
  fog.start = static_cast<float>(tokens.GetInt(2)) * 0.01f;
  fog.end = static_cast<float>(tokens.GetInt(3)) * 0.01f;
  fog.density = 0.33f;
  // Each part is a byte of the colour, however large the script's number.
  const auto part = [&tokens](int i) { return static_cast<uint32_t>(tokens.GetInt(i)) & 0xFFu; };
  fog.color = part(4) << 16 | part(5) << 8 | part(6);
  if (rc == nullptr) return;
  rc->SetFog(true);
  rc->ApplyFog();
}

// The world map shows the party on the map it left.
void CallMap(CSelvarinFrame* frame, const CTokenizer&) {
  WorldMapOrigin() = frame != nullptr ? frame->m_name : std::string();
  CFrameMgr::GetInstance().ChangeFrame("worldmap");
}

void CallShop(CSelvarinFrame* frame, const CTokenizer& tokens) {
  if (frame == nullptr) return;
  frame->m_shopNumber = tokens.GetInt(1);
  frame->m_shopKind = tokens.GetInt(2);
  frame->m_shopType = tokens.GetCount() == 4 ? tokens.GetInt(3) : 0;
  frame->ChangeMode(kModeShop);
}

template <int kKind>
void CallStillMenu(CSelvarinFrame* frame, const CTokenizer&) {
  if (frame == nullptr) return;
  frame->m_menuKind = kKind;
  frame->ChangeMode(kModeStillMenu);
}

void ClearWorldMapPoint(CSelvarinFrame*, const CTokenizer&) { WorldMapList::GetInstance().ResetCurrent(); }

void AddWorldMapPoint(CSelvarinFrame*, const CTokenizer& tokens) {
  if (tokens.GetCount() != 2) {
    DebugLog("Syntax Error in addworldmappoint [월드맵명]");
    return;
  }
  WorldMapList::GetInstance().Find(tokens[1]);
}

void PlayAvi(CSelvarinFrame* frame, const CTokenizer& tokens) {
  if (tokens.GetCount() != 2) {
    DebugLog("Syntax Error: playavi avifilename.avi");
    return;
  }
  if (frame != nullptr) frame->PlayAvi(tokens[1]);
}

// Raises a diary entry to the level, never lowers it; a name the table does
// not hold changes nothing.
template <typename Table>
void GetDiary(const CTokenizer& tokens, const Table& table, const std::array<int32_t, CSession::kDiarySlots>& diary,
              void (CSession::*set)(int, int)) {
  const int index = table.LookupName(tokens[1]);
  const int level = tokens.GetInt(2);
  if (index < 0 || index >= CSession::kDiarySlots) return;
  if (diary[static_cast<size_t>(index)] < level) (CSession::GetInstance().*set)(index, level);
}

void GetDiaryItem(CSelvarinFrame*, const CTokenizer& tokens) {
  GetDiary(tokens, CItemMgr::GetInstance(), CSession::GetInstance().itemDiary, &CSession::SetItemDiary);
}
void GetDiaryMonster(CSelvarinFrame*, const CTokenizer& tokens) {
  GetDiary(tokens, CMonsterMgr::GetInstance(), CSession::GetInstance().monsterDiary, &CSession::SetMonsterDiary);
}
void GetDiaryScrap(CSelvarinFrame*, const CTokenizer& tokens) {
  GetDiary(tokens, CScrapMgr::GetInstance(), CSession::GetInstance().scrapDiary, &CSession::SetScrapDiary);
}

struct SystemWord {
  const char* word;
  SystemCommand command;
};

// In the order they are tried.
const SystemWord kSystemWords[] = {
    {"inc", Inc},
    {"print", Print},
    {"dec", Dec},
    {"add", Add},
    {"sub", Sub},
    {"set", Set},
    {"closebmp", CloseBmp},
    {"showbmp", ShowBmp},
    {"dispbmp", DispBmp},
    {"callscenarioselect", CallScenarioSelect},
    {"setfog", SetFog},
    {"clearworldmappoint", ClearWorldMapPoint},
    {"addworldmappoint", AddWorldMapPoint},
    {"playavi", PlayAvi},
    {"callmap", CallMap},
    {"getdiaryitem", GetDiaryItem},
    {"getdiarymonster", GetDiaryMonster},
    {"getdiaryscrap", GetDiaryScrap},
    {"callshop", CallShop},
    {"callitembox", CallStillMenu<1>},
    {"callparty", CallStillMenu<2>},
    {"callsave", CallStillMenu<3>},
    {"callload", CallStillMenu<4>},
};

}  // namespace

bool CSelvarinFrame::ExecSystemCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int /*line*/) {
  const std::string& word = tokens[0];
  for (const SystemWord& entry : kSystemWords) {
    if (word == entry.word) {
      entry.command(frame, tokens);
      return true;
    }
  }
  DebugLog("Unknown Command " + word);
  return false;
}
