#include "script/SysexCommands.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/Tokenizer.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "engine/Actor.h"

namespace {
namespace sysexcommands {

// The effect kinds are the frame's overlay states.
enum EffectKind : int32_t { kNone = 0, kWhite = 1, kVillageName = 2, kMemo = 3, kQuake = 4 };

enum ActorCode : int { kMagic = 22, kCrowd = 42, kEffect = 51, kBattleCrowd = 10038 };

constexpr int kSlots = 5;
constexpr int kCaptions = 6;
constexpr int kCrowdOverActor = 6;

struct SysexLine {
  CSelvarinFrame& frame;
  const CTokenizer& tokens;
  CActor* subject;

  bool Has(int i) const { return i < tokens.GetCount(); }
  int32_t Int(int i) const { return Has(i) ? tokens.GetInt(i) : 0; }
  int32_t Int(int i, int32_t absent) const { return Has(i) ? tokens.GetInt(i) : absent; }
  std::string Text(int i) const { return Has(i) ? tokens[i] : std::string(); }
  void Tell(int code, intptr_t a, intptr_t b = 0, intptr_t c = 0) const {
    if (subject != nullptr) subject->OnMessage(nullptr, code, a, b, c);
  }
  // A new effect starts its own count.
  void Start(int32_t kind) const {
    frame.m_overlayState = kind;
    frame.m_overlayTick = 0;
  }
};

// Each returns false when the run ends there.
bool White(const SysexLine& l) {
  l.Start(kWhite);
  return true;
}

bool VillageName(const SysexLine& l) {
  CSelvarinFrame& f = l.frame;
  if (l.tokens.GetCount() < 4) DebugLog("Syntax Error in sysex vilname, map " + f.m_name);
  f.m_overlayPictures = {l.Text(2), l.Text(3)};
  f.m_overlayLayout = l.Int(4);
  f.m_overlayLength = l.Int(5, f.m_overlayLayout == 1 ? 150 : 300);
  l.Start(kVillageName);
  return true;
}

bool Magic(const SysexLine& l) {
  l.Tell(kMagic, l.Int(2));
  return true;
}

bool Header(const SysexLine& l) {
  const int32_t slot = l.Int(3);
  if (slot < 0 || slot >= kSlots) {
    DebugLogf("sysex header: no picture slot %d", slot);
    return true;
  }
  CSelvarinFrame& f = l.frame;
  const auto s = static_cast<size_t>(slot);
  f.m_pictureSlotNames[s] = l.Text(2);
  f.m_pictureSlotPeriods[s] = l.Int(4, 50);
  f.m_pictureSlotCounters[s] = 1;
  f.m_pictureBlink = 0;
  return true;
}

// The period is read from token 1, the sub-word itself, so it comes out 0:
// the header never blinks.
bool HeaderFlick(const SysexLine& l) {
  l.frame.m_pictureBlink = static_cast<int32_t>(std::min<int64_t>(std::llabs(int64_t{l.Int(1)}), INT32_MAX));
  return true;
}

// Two tokens: a default quake of 200 ticks; three and four tokens read their
// time from a token they do not have, so they give 0, as ever.
bool Quake(const SysexLine& l) {
  CSelvarinFrame& f = l.frame;
  const int count = l.tokens.GetCount();
  int32_t strength = 0;
  float scale = 1.0f;
  int32_t time = 200;
  if (count >= 3) time = l.Int(4);
  if (count >= 4) scale = static_cast<float>(l.Int(3)) * 0.01f;
  if (count >= 5) strength = l.Int(2);
  f.m_shakeAxis = strength >= 0 && strength <= 2 ? strength : 0;
  f.m_shakeAmplitude = scale;
  f.m_shakeLimit = time;
  l.Start(kQuake);
  return true;
}

bool StopQuake(const SysexLine& l) {
  l.frame.m_shakeLimit = 0;
  return true;
}

bool Crowd(const SysexLine& l) {
  const int32_t slot = l.Int(2);
  const int32_t time = l.Int(5, 100);
  if (slot == kCrowdOverActor) {
    // The actor copies the text before the line goes.
    const std::string text = l.Text(4);
    l.Tell(kCrowd, reinterpret_cast<intptr_t>(text.c_str()), l.Int(3), time);
    return true;
  }
  if (slot < 0 || slot >= kCaptions) return false;
  CSelvarinFrame& f = l.frame;
  const auto s = static_cast<size_t>(slot);
  f.m_captionStyles[s] = l.Int(3);
  f.m_captionTexts[s] = l.Text(4);
  f.m_captionTimers[s] = time;
  return true;
}

bool Memo(const SysexLine& l) {
  const bool on = l.Int(2) != 0;
  l.frame.m_flashbackShown = on ? 1 : 0;
  l.Start(on ? kMemo : kNone);
  return true;
}

bool Effect(const SysexLine& l) {
  l.Tell(kEffect, l.Int(2));
  return true;
}

// The battle's forms name their participant in the line.
bool BattleCrowd(const SysexLine& l, FindSysexActor find) {
  const int32_t slot = l.Int(2);
  if (slot == kCrowdOverActor) {
    CActor* actor = find(l.Text(3));
    if (actor == nullptr) {
      DebugLog("sysex crowd : 액터가 NULL 임");
      return true;
    }
    const std::string text = l.Text(4);
    actor->OnMessage(nullptr, kBattleCrowd, reinterpret_cast<intptr_t>(text.c_str()), 0, l.Int(5, 100));
    return true;
  }
  if (slot < 0 || slot >= kCaptions) {
    DebugLog("crowd : illegal pos range");
    return true;
  }
  return Crowd(l);
}

bool BattleEffect(const SysexLine& l, FindSysexActor find) {
  CActor* actor = find(l.Text(2));
  if (actor == nullptr) {
    DebugLog("sysex effect : 액터가 NULL 임");
    return true;
  }
  actor->OnMessage(nullptr, kEffect, l.Int(3), 0, 0);
  return true;
}

struct SysexWord {
  const char* word;
  bool keepsKind;
  bool (*run)(const SysexLine& line);
  // The battle's form: the same, one of its own, or none.
  enum Battle { kSame, kOwn, kFieldOnly } battle;
  bool (*battleRun)(const SysexLine& line, FindSysexActor find);
};

const SysexWord kSysexWords[] = {
    {"white", false, White, SysexWord::kFieldOnly, nullptr},
    {"vilname", false, VillageName, SysexWord::kFieldOnly, nullptr},
    {"magic", false, Magic, SysexWord::kFieldOnly, nullptr},
    {"header", true, Header, SysexWord::kSame, nullptr},
    {"headerflick", false, HeaderFlick, SysexWord::kSame, nullptr},
    {"quake", false, Quake, SysexWord::kSame, nullptr},
    {"stopquake", false, StopQuake, SysexWord::kSame, nullptr},
    {"crowd", true, Crowd, SysexWord::kOwn, BattleCrowd},
    {"memo", false, Memo, SysexWord::kFieldOnly, nullptr},
    {"effect", false, Effect, SysexWord::kOwn, BattleEffect},
};

const SysexWord* FindWord(const CTokenizer& tokens) {
  const std::string word = tokens.GetCount() > 1 ? tokens[1] : std::string();
  for (const SysexWord& row : kSysexWords) {
    if (word == row.word) return &row;
  }
  return nullptr;
}

}  // namespace sysexcommands
}  // namespace

bool ExecSysex(CSelvarinFrame& frame, const CTokenizer& tokens, CActor* subject) {
  const sysexcommands::SysexWord* row = sysexcommands::FindWord(tokens);
  if (row == nullptr) {
    DebugLog("Syntax Error in sysex: " + (tokens.GetCount() > 1 ? tokens[1] : std::string()));
    return true;
  }
  if (!row->keepsKind) frame.m_overlayState = sysexcommands::kNone;
  return row->run(sysexcommands::SysexLine{frame, tokens, subject});
}

void ExecBattleSysex(CSelvarinFrame& frame, const CTokenizer& tokens, FindSysexActor find) {
  const sysexcommands::SysexWord* row = sysexcommands::FindWord(tokens);
  if (row == nullptr || row->battle == sysexcommands::SysexWord::kFieldOnly) {
    DebugLog("Unknown Sysex");
    return;
  }
  if (!row->keepsKind) frame.m_overlayState = sysexcommands::kNone;
  const sysexcommands::SysexLine line{frame, tokens, nullptr};
  if (row->battle == sysexcommands::SysexWord::kOwn) {
    row->battleRun(line, find);
  } else {
    row->run(line);
  }
}
