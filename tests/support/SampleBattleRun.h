#pragma once
// The sample village's wolf battle headless: after new game the leader walks
// into the wolf, whose battle holds two skeletons, and the party fights it
// out under the orders a run gives at each command menu. Runs that try
// other orders build their script here and add their own shots.
#include <string>
#include <vector>

namespace testsupport {

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
  // The leader's second menu: on tactics as well, so the battle ends by
  // itself.
  std::vector<std::string> leaderAgain{"u", "right", "enter"};
  // The result screen's confirm presses: the wheel stopped (on the leader's
  // share), then sizz's new spell, the drop and the money moved on, and the
  // last back to the village.
  std::vector<int> resultPresses{4216, 4476, 4496, 4516, 4536};
  // The key that answers Maria's words when her rose first poisons a
  // skeleton (the battle script's condition block).
  std::string poisonWords = "enter";
};

// Passes of the run with the default orders (the game's time goes by
// passes, so they hold on any machine). Other orders keep those up to the
// step they change.
struct SampleBattlePasses {
  static constexpr int kOpened = 820;        // the opening has faded in
  static constexpr int kLeaderMenu = 1000;   // the leader's command menu is open
  static constexpr int kLeaderOrder = 1010;  // its keys start
  static constexpr int kSecondOrder = 1086;  // the second member's menu, its keys start
  static constexpr int kWords = 1206;        // the leader's words wait for their key
  static constexpr int kLeaderAgain = 1526;  // the leader's second menu, its keys start
  static constexpr int kResult = 4210;       // the battle is won, the result screen's wheel spins
  static constexpr int kVillage = 4600;      // the result screen is left and the village back
  static constexpr int kPoisonWords = 2380;  // Maria's words on the poison wait for their key
};

// Input-script lines from the village's ready pass (`SampleGameRun`'s
// events): the walk into the wolf and the orders.
std::string SampleBattleScript(const SampleBattleOrders& orders = {});

// Lines pressing `keys` from `pass` on, six passes apart.
std::string KeyPresses(int pass, const std::vector<std::string>& keys);

}  // namespace testsupport
