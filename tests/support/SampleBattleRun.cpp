#include "tests/support/SampleBattleRun.h"

namespace testsupport {

std::string KeyPresses(int pass, const std::vector<std::string>& keys) {
  std::string lines;
  for (const std::string& key : keys) {
    lines += std::to_string(pass) + " key " + key + " down\n" + std::to_string(pass + 2) + " key " + key + " up\n";
    pass += 6;
  }
  return lines;
}

std::string SampleBattleScript(const SampleBattleOrders& orders) {
  using P = SampleBattlePasses;
  // Right of the path (clear of the box across it) and up into the wolf's
  // reach, where it catches the leader.
  std::string lines =
      "490 key right down\n515 key right up\n"
      "520 key up down\n620 key up up\n"
      "621 key right down\n640 key right up\n"
      "641 key up down\n680 key up up\n";
  lines += KeyPresses(P::kLeaderOrder, orders.leader);
  lines += KeyPresses(P::kSecondOrder, orders.second);
  if (!orders.words.empty()) lines += KeyPresses(P::kWords, {orders.words});
  lines += KeyPresses(P::kLeaderAgain, orders.leaderAgain);
  return lines;
}

}  // namespace testsupport
