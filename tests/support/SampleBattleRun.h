#pragma once
// The sample village's wolf battle headless: after new game the leader walks
// into the wolf, whose battle holds two skeletons, and the party fights it
// out under the orders a run gives at each command menu. Runs that try
// other orders build their script here and add their own shots.
//
// The battle's keys and shots are timed from the game's own marks (the
// input script's anchors: the battle beginning, each command menu, each
// line the battle script speaks, the result screen), so a change that
// makes the fight longer or shorter moves them with it.
#include <string>
#include <vector>

namespace testsupport {

// `offset` passes after the game marked `anchor` ("menu/2": the second
// command menu of the run).
struct Moment {
  const char* anchor;
  int offset;
  constexpr Moment operator+(int passes) const { return {anchor, offset + passes}; }
  // The input script's pass text.
  std::string Text() const;
};

// The keys pressed at each menu of the battle, in the input script's key
// names, each held two passes and six passes after the one before.
struct SampleBattleOrders {
  // The leader's first command menu: attack, the target cursor confirmed
  // on the first enemy.
  std::vector<std::string> leader{"a", "enter"};
  // The second member's first menu: the auto sub-menu, into it, its first
  // row ("1", the first tactics).
  std::vector<std::string> second{"u", "right", "enter"};
  // The key that answers the leader's first-turn words.
  std::string words = "enter";
  // An answer to the battle script's words is a confirm press in the
  // running battle, which calls for manual command: each member's next turn
  // opens its menu again. The second member's request comes in the pass
  // the leader's does, and the leader's, opened after it, takes the menu.
  // The leader's menu after each answer: on tactics as well, so the battle
  // ends by itself.
  std::vector<std::string> leaderAgain{"u", "right", "enter"};
  // The second member's menu after each answer, once the leader's has
  // closed: back on the first tactics.
  std::vector<std::string> secondAgain{"u", "right", "enter"};
  // The result screen's confirm presses, passes after it began: the wheel
  // stopped (on the leader's share), then the drop and the money moved on,
  // and the last back to the village. The leader's level jumps past the one
  // that teaches sizz's new spell, so no spell is announced.
  std::vector<int> resultPresses{18, 278, 298, 318};
  // The key that answers Maria's words when her rose first poisons a
  // skeleton (the battle script's condition block).
  std::string poisonWords = "enter";
  // Passes from those words to their key.
  int poisonWordsAfter = 802;
};

// Moments of the run with the default orders. Other orders keep those up
// to the step they change.
struct SampleBattleMoments {
  static constexpr Moment kOpened{"battle", 90};        // the opening has faded in
  static constexpr Moment kLeaderMenu{"menu", 29};      // the leader's command menu is open
  static constexpr Moment kLeaderOrder{"menu", 39};     // its keys start
  static constexpr Moment kSecondOrder{"menu/2", 27};   // the second member's menu, its keys start
  static constexpr Moment kWords{"words", 108};         // the leader's words wait for their key
  static constexpr Moment kLeaderAgain{"menu/3", 31};   // the leader's second menu (menu/4 in the same pass), its keys start
  static constexpr Moment kSecondAgain{"menu/5", 31};   // the second member's second menu, its keys start
  static constexpr Moment kPoisonWords{"words/2", 802}; // Maria's words on the poison wait for their key
  static constexpr Moment kLeaderLast{"menu/6", 31};    // after those words, the leader's third menu (menu/7), its keys start
  static constexpr Moment kSecondLast{"menu/8", 31};    // the second member's third menu, its keys start
  static constexpr Moment kResult{"result", 12};        // the battle is won, the result screen's wheel spins
  static constexpr Moment kVillage{"result", 422};      // the result screen is left and the village back
};

// Input-script lines from the village's ready pass (`SampleGameRun`'s
// events): the walk into the wolf and the orders.
std::string SampleBattleScript(const SampleBattleOrders& orders = {});

// Lines pressing `keys` from `at` on, six passes apart.
std::string KeyPresses(const Moment& at, const std::vector<std::string>& keys);

// A line saving the screenshot `name` at `at` (see `SampleGameRun::Shot`).
std::string ShotAt(const Moment& at, const std::string& name);

// A line checking, from `at` on, the texts of the next whole frame as the
// screen `name` (see `TextCheck`).
std::string TextCheckAt(const Moment& at, const std::string& name);

}  // namespace testsupport
