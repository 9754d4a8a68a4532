#pragma once
// The battle result screen's rules and its one record: the roulette, the
// shares of experience, the level-ups and the announcements after a won
// battle. The game frame's result mode steps it once a pass and draws it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "field/BattleResult.h"

class CRC;

inline constexpr int32_t kResultMaxExperience = 999999;
inline constexpr int kResultPositions = 4;
inline constexpr int kResultMessagePasses = 150;
inline constexpr int kRouletteSegments = 16;

// The experience a member gets by the gap from its level up to the battle
// level, truncated toward zero.
int32_t ScaleExpByLevelGap(int32_t memberLevel, int32_t battleLevel, int32_t exp);

// The skill or magic id a character announces on reaching exactly that
// level; 0 for none.
int32_t LevelSkillFor(int32_t playerId, int32_t level);

// What the member at one screen position receives for the segment the
// wheel stopped on: the share (the "스톤이어링" amount included), clamped to
// the experience limit, and whether it counts as the battle's MVP. A
// member who is paid nothing keeps its experience and level.
struct ResultShare {
  int64_t amount = 0;
  bool paid = false;
  bool isMvp = false;
};
struct ShareQuestion {
  int32_t segment = 0;
  int32_t memberCount = 1;
  int32_t totalExp = 0;
  int32_t battleLevel = 0;
  int32_t memberLevel = 0;
  bool isLeader = false;
  bool isMvp = false;  // the member's id is the result's mvpId
  bool stoneEarring = false;
};
ResultShare ShareFor(const ShareQuestion& q);

// The wheel: spins a segment a pass until pressed, then slows down and
// stops on 0, 4, 8 or 12.
struct Roulette {
  int32_t segment = 0;
  int32_t spinning = 1;
  int32_t stopping = 0;
  int32_t stepInterval = 1;
};
// One pass of the wheel; `frameTick` is the game frame's tick count.
void TurnRoulette(Roulette& wheel, int32_t frameTick);
// A press while it spins starts the stop.
void StopRoulette(Roulette& wheel);

// The layout of a result number: the digit bitmaps and their x, right-
// aligned to end at x + 102. Empty for more than six characters; other
// characters than digits are left out. Both are logged.
struct ResultDigit {
  int digit = 0;
  int x = 0;
};
std::vector<ResultDigit> LayOutResultNumber(int x, const std::string& text);
void DrawResultNumber(CRC* rc, int x, int y, const std::string& text);

// "%" where the first three characters of the two values' texts differ,
// else "-".
const char* StatChangeMark(int32_t before, int32_t after);

enum ResultPhase : int32_t {
  kResultCounting = 0,
  kResultLevelUp = 1,
  kResultSkills = 2,
  kResultItems = 3,
  kResultMoney = 4,
  kResultTailRing = 5,
  kResultLastKey = 6,
};

struct ResultScreenState {
  struct Position {
    int32_t pending = 1;  // the distribution is not yet done
    int64_t share = 0;
    int32_t expBefore = 0;
    int64_t counter = 0;
    int32_t levelBefore = 0;
    int32_t levelUp = 0;
    int32_t isMvp = 0;
    int32_t learnedId = 0;
    int32_t poseFrame = 0;
    int32_t poseVariant = 0;
    std::array<int32_t, 5> statsBefore{};  // STR, VIT, INT, AGI, LUK
    std::array<int32_t, 5> statsAfter{};
  };
  int32_t phase = kResultCounting;
  int32_t phaseTicks = 0;
  Roulette roulette;
  int32_t distributed = 0;
  std::array<Position, kResultPositions> positions{};
  int32_t effectOn = 0;
  int32_t zoomCountdown = 40;
  float zoomAlpha = 0.0f;
  int32_t whiteFlash = 0;
  int32_t flashTicks = 0;
  int32_t valuesShown = 0;
  std::array<int32_t, 10> itemShown{};
  int32_t itemOn = 0;
  int32_t itemIndex = 0;
  int32_t itemsDone = 0;
  int32_t skillsPending = 0;
  int32_t skillOn = 0;
  int32_t skillPosition = -1;
  int32_t moneyOn = 0;
  int32_t tailUsed = 0;
  int32_t tailMessageOn = 0;
  int32_t countStep = 0;
  int32_t countSound = 0;  // the counting sound played this pass
};
// The screen's one record, from the mode change into the result mode until
// the screen ends.
extern ResultScreenState g_resultScreen;

// The members shown: memberCount read as 0 to 4.
int ResultMemberCount(const BattleResult& result);
// Nothing to show: the party fled, or the battle brought no experience.
bool IsResultSkipped(const BattleResult& result);
// One pass of the screen's logic with this pass's press; true when the
// screen ends. The distribution gives the drops and the experience to the
// session's records.
bool StepResultScreen(ResultScreenState& s, const BattleResult& result, bool press, int32_t frameTick);

// The message on the screen: its text and the icon bitmap (empty for none);
// no text when nothing is announced.
struct ResultMessage {
  std::string text;
  std::string icon;
};
ResultMessage CurrentResultMessage(const ResultScreenState& s, const BattleResult& result);
// The experience at which the member's next level is reached, as the panel
// shows it; "0" at level 99.
std::string NextLevelText(int32_t level);
// The victory pose sheet of a member ("주연급\승리포즈\..." without the
// extension); empty for a name that has none.
std::string VictoryPoseSheet(const std::string& engname, int32_t variant, int32_t weaponClass);
