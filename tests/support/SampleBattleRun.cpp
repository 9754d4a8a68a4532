#include "tests/support/SampleBattleRun.h"

namespace testsupport {

std::string Moment::Text() const { return std::string(anchor) + "+" + std::to_string(offset); }

std::string KeyPresses(const Moment& at, const std::vector<std::string>& keys) {
  std::string lines;
  Moment pass = at;
  for (const std::string& key : keys) {
    lines += pass.Text() + " key " + key + " down\n" + (pass + 2).Text() + " key " + key + " up\n";
    pass = pass + 6;
  }
  return lines;
}

std::string ShotAt(const Moment& at, const std::string& name) { return at.Text() + " screenshot @" + name + ".ppm\n"; }

std::string TextCheckAt(const Moment& at, const std::string& name) {
  return at.Text() + " textcheck @" + name + ".txt\n";
}

std::string SampleBattleScript(const SampleBattleOrders& orders) {
  using M = SampleBattleMoments;
  // Right of the path (clear of the box across it) and up into the wolf's
  // reach, where it catches the leader.
  std::string lines =
      "490 key right down\n515 key right up\n"
      "520 key up down\n620 key up up\n"
      "621 key right down\n640 key right up\n"
      "641 key up down\n680 key up up\n"
      // Should a mark never come, the run still ends.
      "6000 close\n";
  lines += KeyPresses(M::kLeaderOrder, orders.leader);
  lines += KeyPresses(M::kSecondOrder, orders.second);
  if (!orders.words.empty()) lines += KeyPresses(M::kWords, {orders.words});
  lines += KeyPresses(M::kLeaderAgain, orders.leaderAgain);
  lines += KeyPresses(M::kSecondAgain, orders.secondAgain);
  for (int pass : orders.resultPresses) lines += KeyPresses(Moment{"result", pass}, {"enter"});
  if (!orders.poisonWords.empty()) {
    lines += KeyPresses(Moment{"words/2", orders.poisonWordsAfter}, {orders.poisonWords});
    lines += KeyPresses(M::kLeaderLast, orders.leaderAgain);
    lines += KeyPresses(M::kSecondLast, orders.secondAgain);
  }
  return lines;
}

}  // namespace testsupport
