#include "field/BattleSet.h"

#include "engine/TextRes.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

void BattleSet::Reset(int32_t disc, int32_t track) {
  battleType = -1;
  enemyCount = 0;
  randomEnemyCount = 0;
  positionCount = 0;
  itemCount = 0;
  intruderCount = 0;
  regionRadius = 120.0f;
  fleeRefusals.clear();
  music = -1;
  restoreDisc = disc;
  restoreTrack = track;
}

namespace {

// One line of a set; false when its word ends the set.
bool ReadSetLine(const CTokenizer& t, BattleSet& set, BattleSetRead& read) {
  const std::string& word = t[0];
  const int count = t.GetCount();
  if (word == "enemy") {
    if (count != 3) DebugLog("적 배치세트 문법 오류");
    if (set.enemyCount < BattleSet::kMaxEnemies) set.enemies[static_cast<size_t>(set.enemyCount++)] = {t[1], t[2]};
  } else if (word == "position") {
    if (set.positionCount < BattleSet::kMaxPositions) {
      set.positions[static_cast<size_t>(set.positionCount++)] =
          Vec3{static_cast<float>(t.GetInt(1)), 0.0f, static_cast<float>(t.GetInt(2))};
    }
  } else if (word == "randomenemy") {
    if (count != 3) {
      DebugLog("문법오류 randomenemy");
    } else if (set.randomEnemyCount < BattleSet::kMaxRandomEnemies) {
      set.randomEnemies[static_cast<size_t>(set.randomEnemyCount++)] = {t[1], t.GetInt(2)};
    }
  } else if (word == "battletype") {
    set.battleType = t.GetInt(1);
    if (set.battleType == 0 || set.battleType == 2) {
      if (count == 4) {
        set.typeValues = {t.GetInt(2), t.GetInt(3)};
      } else {
        DebugLog("문법오류 battletype");
      }
    }
    if (set.battleType == 2) read.centerOnPlayer = true;
  } else if (word == "intrudeenemy") {
    if (set.intruderCount < BattleSet::kMaxEnemies) set.intruders[static_cast<size_t>(set.intruderCount++)] = {t[1], t[2]};
  } else if (word == "intrudeplayer") {
  } else if (word == "item") {
    ++read.itemLines;
    if (set.itemCount < BattleSet::kMaxItems) {
      set.items[static_cast<size_t>(set.itemCount++)] = {t[1], count == 3 ? t.GetInt(2) : 100};
    }
  } else if (word == "battleregion") {
    set.regionRadius = t.GetFloat(1);
  } else if (word == "neverfleemsg") {
    std::string text;
    for (int i = 1; i < count; ++i) text += t[i];
    set.fleeRefusals.push_back(std::move(text));
  } else if (word == "btlmusic") {
    set.music = t.GetInt(1);
  } else {
    return false;
  }
  return true;
}

void ReportEnd(const CTokenizer& t, const BattleSet& set) {
  if (t[0] != "return") {
    std::string line = "unknown battle set";
    for (int i = 0; i < t.GetCount(); ++i) line += " " + t[i];
    DebugLog(line.c_str());
    return;
  }
  if (set.battleType == -1) DebugLog("battletype을 정하시오");
  if (set.battleType == 1 && set.positionCount != BattleSet::kMaxPositions) {
    DebugLog("배틀액터위치 10곳을 정하시오(position x z)");
  }
}

}  // namespace

BattleSetRead ReadBattleSet(const CTextRes& script, int line, BattleSet& set) {
  BattleSetRead read;
  CTokenizer tokens;
  // Past the last line the script gives empty lines: the set ends there.
  for (int i = line < 0 ? script.GetCount() : line; i < script.GetCount(); ++i) {
    tokens.Tokenize(script.GetLine(i));
    if (tokens.GetCount() == 0) continue;
    tokens.ToLower();
    if (ReadSetLine(tokens, set, read)) continue;
    ReportEnd(tokens, set);
    break;
  }
  if (set.enemyCount == 0) DebugLog("적갯수가 0 입니다.");
  if (read.itemLines > BattleSet::kMaxItems) DebugLog("아이템 갯수 초과");
  return read;
}
