#include "script/ActorCommands.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "engine/FrameMgr.h"
#include "engine/Tokenizer.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "render/3dActor.h"
#include "script/ScriptArgs.h"

namespace {
namespace actorcommands {

// How a word finds the actor it sends to, and where its arguments begin.
enum class Target {
  kSubject,       // the subject; arguments from token 1
  kFirst,         // token 1 with `tokens` tokens, the subject with one fewer; no other count sends
  kLast,          // token tokens-1 with `tokens` tokens, else the subject
  kLastStrict,    // as kLast, but only those two counts send
  kNamed,         // token 1; arguments from token 2
  kExact,         // exactly `tokens` tokens, the actor last; others are logged
  kResName,       // token 1 by resource name
  kPlayer,        // the context's player; exactly `tokens` tokens, others logged
  kNone,          // camera and warp words
};

// Argument layout, one letter a value read from the next token(s):
//   i integer   r real as whole number   h the same times 100   a as r, -1 when absent
//   b 1 when the real is not 0          s the text   n the next line
//   c three tokens 0-255 as 0xRRGGBB    F the reals up to the actor, by address
//   P the x and z of the actor named    S the actor named as the sender (no value)
//   D the dirpad angle of the key (nothing sent for a key without one)
struct ActorWord {
  const char* word;
  int code;
  Target target;
  int tokens;  // the count the target rule speaks of
  const char* layout;
  bool goesOn;
  bool (*special)(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
};

bool WarpParty(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool MoveTo(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool SetAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool AddAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool NextAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool PushCamera(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool PopCamera(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool LockPlay(CSelvarinFrame& frame, const CTokenizer& tokens, int line);
bool UnlockPlay(CSelvarinFrame& frame, const CTokenizer& tokens, int line);

// In the order they are tried.
const ActorWord kActorWords[] = {
    {"step", 47, Target::kFirst, 2, "n", false, nullptr},
    {"move", 4, Target::kFirst, 4, "rrn", false, nullptr},
    {"move2", 4, Target::kFirst, 3, "Pn", false, nullptr},
    {"moveparty", 4, Target::kPlayer, 3, "rrn", false, nullptr},
    {"warp", 3, Target::kSubject, 0, "iia", true, nullptr},
    {"warpparty", 0, Target::kNone, 0, "", false, WarpParty},
    {"dir", 5, Target::kSubject, 0, "i", true, nullptr},
    {"dirpad", 5, Target::kNamed, 0, "D", true, nullptr},
    {"see", 6, Target::kSubject, 0, "S", true, nullptr},
    {"see2", 6, Target::kNamed, 0, "S", true, nullptr},
    {"show", 1, Target::kLast, 2, "", true, nullptr},
    {"action", 19, Target::kNamed, 0, "i", true, nullptr},
    {"actionrepeat", 19, Target::kNamed, 0, "i1", true, nullptr},
    {"motion", 20, Target::kNamed, 0, "ii", true, nullptr},
    {"setspr", 25, Target::kNamed, 0, "sii", true, nullptr},
    {"stand", 26, Target::kNamed, 0, "", true, nullptr},
    {"blur", 43, Target::kLast, 7, "brc", true, nullptr},
    {"jump", 27, Target::kNamed, 0, "hrr", true, nullptr},
    {"hide", 2, Target::kLast, 2, "", true, nullptr},
    {"shadow", 23, Target::kSubject, 0, "i", true, nullptr},
    {"opendoor", 7, Target::kResName, 0, "i", true, nullptr},
    {"closedoor", 8, Target::kResName, 0, "i", true, nullptr},
    {"setspeed", 15, Target::kSubject, 0, "h", true, nullptr},
    {"setactspeed", 16, Target::kSubject, 0, "i", true, nullptr},
    {"setnosee", 30, Target::kSubject, 0, "", true, nullptr},
    {"moveto", 0, Target::kNone, 0, "", false, MoveTo},
    {"emotion", 21, Target::kSubject, 0, "ii", true, nullptr},
    {"emotion2", 21, Target::kNamed, 0, "i", true, nullptr},
    {"setmovetype", 28, Target::kSubject, 0, "i", true, nullptr},
    {"moveaccel", 34, Target::kExact, 7, "F", true, nullptr},
    {"setanglespeed", 36, Target::kExact, 5, "F", true, nullptr},
    {"moveangle", 37, Target::kExact, 5, "F", true, nullptr},
    {"rotateforever", 39, Target::kExact, 2, "", true, nullptr},
    {"stoprotate", 38, Target::kExact, 2, "", true, nullptr},
    {"addaction", 40, Target::kLastStrict, 5, "iii", true, nullptr},
    {"setaction", 19, Target::kLastStrict, 3, "i", true, nullptr},
    {"setactionspeed", 41, Target::kLastStrict, 3, "i", true, nullptr},
    {"setrepeattype", 50, Target::kLastStrict, 3, "i", true, nullptr},
    {"setframe", 48, Target::kLastStrict, 3, "i", true, nullptr},
    {"stopaction", 49, Target::kLastStrict, 3, "i", true, nullptr},
    {"setangle", 0, Target::kNone, 0, "", true, SetAngle},
    {"addangle", 0, Target::kNone, 0, "", true, AddAngle},
    {"nextangle", 0, Target::kNone, 0, "", true, NextAngle},
    {"pushcamera", 0, Target::kNone, 0, "", true, PushCamera},
    {"popcamera", 0, Target::kNone, 0, "", true, PopCamera},
    {"lockplay", 0, Target::kNone, 0, "", true, LockPlay},
    {"unlockplay", 0, Target::kNone, 0, "", true, UnlockPlay},
};

int32_t Saturated(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

int32_t RealAt(const CTokenizer& tokens, int i) { return Has(tokens, i) ? TruncatedReal(tokens.GetFloat(i)) : 0; }

// A message's target and sender, looked up for this line only.
struct Delivery {
  CActor* target = nullptr;
  CObject* sender = nullptr;
  int firstArgument = 1;
  bool send = false;
};

CActor* ByName(CSelvarinContext& context, const std::string& name) { return context.FindActorByName(name); }

Delivery FindTarget(const ActorWord& row, const CTokenizer& tokens, CSelvarinContext& context,
                    const std::string& subject) {
  const int count = tokens.GetCount();
  Delivery d;
  switch (row.target) {
    case Target::kSubject:
      d.target = ByName(context, subject);
      break;
    case Target::kFirst:
      if (count == row.tokens) {
        d.target = ByName(context, TextAt(tokens, 1));
        d.firstArgument = 2;
      } else if (count == row.tokens - 1) {
        d.target = ByName(context, subject);
      } else {
        return d;
      }
      break;
    case Target::kLastStrict:
      if (count != row.tokens && count != row.tokens - 1) {
        DebugLog("Syntax Error in " + tokens[0]);
        return d;
      }
      [[fallthrough]];
    case Target::kLast:
      d.target = ByName(context, count >= row.tokens ? tokens[row.tokens - 1] : subject);
      break;
    case Target::kNamed:
      d.target = ByName(context, TextAt(tokens, 1));
      d.firstArgument = 2;
      break;
    case Target::kExact:
      if (count != row.tokens) {
        DebugLog("Syntax Error in " + tokens[0]);
        return d;
      }
      d.target = ByName(context, tokens[count - 1]);
      break;
    case Target::kResName:
      d.target = context.FindActorByResName(TextAt(tokens, 1));
      d.firstArgument = 2;
      break;
    case Target::kPlayer:
      if (count != row.tokens) {
        DebugLog("Syntax Error in " + tokens[0]);
        return d;
      }
      d.target = context.GetPlayer();
      break;
    case Target::kNone:
      return d;
  }
  d.send = d.target != nullptr;
  return d;
}

// Whether the line's token count lets the row send at all.
bool CountFits(const ActorWord& row, int count) {
  switch (row.target) {
    case Target::kFirst:
    case Target::kLastStrict:
      return count == row.tokens || count == row.tokens - 1;
    case Target::kExact:
    case Target::kPlayer:
      return count == row.tokens;
    default:
      return true;
  }
}

// The message's values by the row's layout; false when the layout finds
// nothing to send (a missing actor, a key without an angle).
bool ReadValues(const ActorWord& row, const CTokenizer& tokens, int line, CSelvarinContext& context,
                const CSelvarinFrame& frame, Delivery* d, std::vector<intptr_t>* values, float* reals) {
  int t = d->firstArgument;
  for (const char* p = row.layout; *p != '\0'; ++p) {
    switch (*p) {
      case 'i': values->push_back(IntAt(tokens, t++)); break;
      case 'r': values->push_back(RealAt(tokens, t++)); break;
      case 'h': values->push_back(Saturated(static_cast<int64_t>(RealAt(tokens, t++)) * 100)); break;
      case 'a': values->push_back(t < tokens.GetCount() ? RealAt(tokens, t) : -1); ++t; break;
      case 'b': values->push_back(RealAt(tokens, t++) != 0 ? 1 : 0); break;
      case 's': values->push_back(reinterpret_cast<intptr_t>(TextAt(tokens, t++).c_str())); break;
      case 'n': values->push_back(line + 1); break;
      case '1': values->push_back(1); break;
      case 'c': {
        int32_t rgb = 0;
        for (int k = 0; k < 3; ++k) rgb = rgb << 8 | std::clamp(IntAt(tokens, t++), 0, 255);
        values->push_back(rgb);
        break;
      }
      case 'F': {
        int n = 0;
        for (; t < tokens.GetCount() - 1 && n < 5; ++t) reals[n++] = static_cast<float>(RealAt(tokens, t));
        values->push_back(reinterpret_cast<intptr_t>(reals));
        break;
      }
      case 'P': {
        const CSelvarinActor* other = context.FindActorByName(TextAt(tokens, t++));
        if (other == nullptr) return false;
        values->push_back(TruncatedReal(other->m_pos.x));
        values->push_back(TruncatedReal(other->m_pos.z));
        break;
      }
      case 'S':
        d->sender = context.FindActorByName(TextAt(tokens, t++));
        if (d->sender == nullptr) return false;
        break;
      case 'D': {
        int angle = 0;
        const CSelvarinView* view = frame.GetView();
        const int camera = view != nullptr ? TruncatedReal(view->m_yaw) : 0;
        if (!DirPadAngle(camera, IntAt(tokens, t++), &angle)) return false;
        values->push_back(angle);
        break;
      }
      default: break;
    }
  }
  return true;
}

// `channel`, when given, takes the place of whatever actor the line names:
// the argument layout and the counts the row checks stay the field's.
void SendActorWord(const ActorWord& row, CSelvarinFrame& frame, const CTokenizer& tokens, int line,
                   const std::string& subject, CActor* channel) {
  CSelvarinContext* context = frame.GetContext();
  if (context == nullptr) return;
  Delivery d = FindTarget(row, tokens, *context, subject);
  if (channel != nullptr && row.target != Target::kResName) {
    d.target = channel;
    d.send = CountFits(row, tokens.GetCount());
  }
  if (!d.send) return;
  std::vector<intptr_t> values;
  float reals[5] = {};
  if (!ReadValues(row, tokens, line, *context, frame, &d, &values, reals)) return;
  values.resize(3, 0);
  d.target->OnMessage(d.sender, row.code, values[0], values[1], values[2]);
}

// ---- Warps and the camera ----

// Kind 1: the party to a point of this map, facing the angle (in the
// destination's y, as the frame reads it), under the stored camera angle.
bool WarpParty(CSelvarinFrame& frame, const CTokenizer& tokens, int) {
  const float angle = tokens.GetCount() > 3 ? static_cast<float>(RealAt(tokens, 3)) : -1.0f;
  frame.m_warpPos = Vec3{static_cast<float>(RealAt(tokens, 1)), angle, static_cast<float>(RealAt(tokens, 2))};
  frame.m_transYaw = frame.m_warpYaw;
  frame.m_transKind = 1;
  frame.m_transStep = 0;
  return false;
}

// Kind 2: another map, after a fade; the destination becomes the player's
// start there. Without coordinates the last destination stays.
bool MoveTo(CSelvarinFrame& frame, const CTokenizer& tokens, int) {
  // No frame of an empty name: the frame manager would stop the game.
  if (TextAt(tokens, 1).empty()) {
    DebugLog("Syntax Error in moveto: no map");
    return false;
  }
  if (frame.m_transKind >= 3) {
    CFrameMgr::GetInstance().ChangeFrame(tokens[1]);
    return false;
  }
  if (tokens.GetCount() > 3) {
    g_playerStart.x = static_cast<float>(RealAt(tokens, 2));
    g_playerStart.y = -1.0f;
    g_playerStart.z = static_cast<float>(RealAt(tokens, 3));
    g_playerStart.heading = tokens.GetCount() > 4 ? static_cast<float>(RealAt(tokens, 4)) : -1.0f;
  }
  frame.m_warpPos = Vec3{g_playerStart.x, g_playerStart.heading, g_playerStart.z};
  frame.m_transFrame = tokens[1];
  frame.m_transKind = 2;
  frame.m_transStep = 0;
  return false;
}

bool SetAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int) {
  frame.m_warpYaw = static_cast<float>(IntAt(tokens, 1));
  frame.m_transYaw = frame.m_warpYaw;
  return true;
}

bool AddAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int) {
  const CSelvarinView* view = frame.GetView();
  const int32_t current = view != nullptr ? TruncatedReal(view->m_yaw) : 0;
  frame.m_warpYaw = static_cast<float>(WrapDegrees(static_cast<int64_t>(current) + IntAt(tokens, 1)));
  frame.m_transYaw = frame.m_warpYaw;
  return true;
}

bool NextAngle(CSelvarinFrame& frame, const CTokenizer& tokens, int) {
  frame.m_warpYaw = static_cast<float>(IntAt(tokens, 1));
  return true;
}

bool PushCamera(CSelvarinFrame& frame, const CTokenizer&, int) {
  if (CSelvarinView* view = frame.GetView()) view->SaveCamera();
  return true;
}

bool PopCamera(CSelvarinFrame& frame, const CTokenizer&, int) {
  if (CSelvarinView* view = frame.GetView()) view->RestoreCamera();
  return true;
}

bool LockPlay(CSelvarinFrame& frame, const CTokenizer&, int) {
  frame.m_playLock = 1;
  return true;
}

bool UnlockPlay(CSelvarinFrame& frame, const CTokenizer&, int) {
  frame.m_playLock = 0;
  return true;
}

}  // namespace actorcommands
}  // namespace

int32_t TruncatedReal(float value) {
  if (!std::isfinite(value)) return 0;
  const double clamped = std::clamp(static_cast<double>(value), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX));
  return static_cast<int32_t>(clamped);
}

int32_t WrapDegrees(int64_t degrees) {
  const int64_t r = degrees % 360;
  return static_cast<int32_t>(r < 0 ? r + 360 : r);
}

bool DirPadAngle(int cameraAngle, int key, int* angle) {
  static constexpr int kOffsets[10] = {0, -45, 0, 45, -90, 0, 90, -135, 180, 135};
  if (key < 1 || key > 9 || key == 5) return false;
  const int64_t c = static_cast<int64_t>(cameraAngle) + kOffsets[key];
  int64_t result = c;
  if (c < 0) result = 359 - ((359 - c) % 360);
  if (c > 360) result = ((c - 1) % 360) + 1;
  *angle = static_cast<int>(result);
  return true;
}

bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                      bool* goesOn) {
  return ExecActorCommand(frame, tokens, line, subject, nullptr, goesOn);
}

bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, CActor& channel, bool* goesOn) {
  return ExecActorCommand(frame, tokens, line, std::string(), &channel, goesOn);
}

bool IsActorWord(const std::string& word) {
  return std::any_of(std::begin(actorcommands::kActorWords), std::end(actorcommands::kActorWords),
                     [&](const actorcommands::ActorWord& row) { return word == row.word; });
}

bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                      CActor* channel, bool* goesOn) {
  const std::string& word = tokens[0];
  for (const actorcommands::ActorWord& row : actorcommands::kActorWords) {
    if (word != row.word) continue;
    if (row.special != nullptr) {
      *goesOn = row.special(frame, tokens, line);
    } else {
      actorcommands::SendActorWord(row, frame, tokens, line, subject, channel);
      *goesOn = row.goesOn;
    }
    return true;
  }
  return false;
}
