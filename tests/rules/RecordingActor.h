#pragma once
// A battle participant that keeps what the rules did to it: the messages
// with their sender, the actions and the damage digits.
#include <cstdint>
#include <vector>

#include "battle/BattleObject.h"

namespace rulestest {

struct Message {
  int code;
  intptr_t a, b, c;
  CObject* sender;
  bool operator==(const Message&) const = default;
};
struct Digit {
  int32_t value, colour, column, row;
  bool operator==(const Digit&) const = default;
};

class CRecorder : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    messages.push_back({code, a, b, c, sender});
  }
  void SetAction(int32_t code) override {
    actions.push_back(code);
    CBattleActor::SetAction(code);
  }
  void SpawnDamageNumber(int32_t value, int32_t colour, float, float, float, int32_t column, int32_t row) override {
    digits.push_back({value, colour, column, row});
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const Message& m : messages) codes.push_back(m.code);
    return codes;
  }
  std::vector<Message> messages;
  std::vector<int32_t> actions;
  std::vector<Digit> digits;
};

}  // namespace rulestest
