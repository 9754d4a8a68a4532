#include "engine/Controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Keys.h"

namespace {

using namespace platform;

// Polls a fresh pad once per character of the pattern ('#' = Space down,
// '.' = up) and returns the states of Space's button.
std::vector<int32_t> Play(const std::string& pattern) {
  CKeyPad pad;
  pad.BindKey(4, VK_SPACE);
  std::vector<int32_t> states;
  for (char c : pattern) {
    SetScriptedKey(VK_SPACE, c == '#');
    pad.Poll();
    states.push_back(pad.m_buttons[4]);
  }
  return states;
}

class KeyPadTest : public ::testing::Test {
 protected:
  KeyPadTest() {
    ClearScriptedKeys();
    m_pad.BindKey(kPadUp, VK_UP);
    m_pad.BindKey(kPadLeft, VK_LEFT);
    m_pad.BindKey(kPadRight, VK_RIGHT);
    m_pad.BindKey(kPadDown, VK_DOWN);
    m_pad.BindKey(4, VK_SPACE);
  }
  ~KeyPadTest() override { ClearScriptedKeys(); }

  CKeyPad m_pad;
};

TEST_F(KeyPadTest, EveryDirectionCombination) {
  struct Case {
    const char* held;  // u, l, r, d
    int32_t direction;
  };
  const Case cases[] = {
      {"", 0},     {"u", 1},    {"ur", 2},   {"r", 3},    {"dr", 4},   {"d", 5},
      {"dl", 6},   {"l", 7},    {"ul", 8},   {"ulr", 8},  {"lr", 7},   {"ud", 1},
      {"udl", 8},  {"udr", 2},  {"udlr", 8}, {"dlr", 6},
  };
  for (const Case& c : cases) {
    const std::string held = c.held;
    SetScriptedKey(VK_UP, held.find('u') != std::string::npos);
    SetScriptedKey(VK_LEFT, held.find('l') != std::string::npos);
    SetScriptedKey(VK_RIGHT, held.find('r') != std::string::npos);
    SetScriptedKey(VK_DOWN, held.find('d') != std::string::npos);
    m_pad.Poll();
    EXPECT_EQ(m_pad.m_direction, c.direction) << "held: " << held;
  }
}

TEST_F(KeyPadTest, ButtonStatesOverTime) {
  using S = std::vector<int32_t>;
  struct Case {
    const char* pattern;
    S states;
  };
  const Case cases[] = {
      {"#.#", {1, 3, 4}},                 // tap, tap within the repeat window
      {"####..", {1, 2, 2, 2, 3, 0}},     // held
      {"#.#.#", {1, 3, 4, 3, 4}},         // a repeat keeps the window running
      {"#.............#", {1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}},   // 14 later: again
      {"#..............#", {1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},  // 15 later: fresh
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Play(c.pattern), c.states) << c.pattern;
  }
}

TEST_F(KeyPadTest, UnboundButtonsReadUpAndKeysRebind) {
  SetScriptedKey(VK_SPACE, true);
  SetScriptedKey('Z', true);
  m_pad.Poll();
  EXPECT_EQ(m_pad.m_buttons[4], kStatePressed);
  EXPECT_EQ(m_pad.m_buttons[5], kStateUp);
  m_pad.BindKey(4, 'Z');
  m_pad.BindKey(5, VK_SPACE);
  m_pad.Poll();
  EXPECT_EQ(m_pad.m_buttons[4], kStateHeld);
  EXPECT_EQ(m_pad.m_buttons[5], kStatePressed);
}

TEST(Controller, StateRoundTripsThroughAFrame) {
  CController a;
  a.m_direction = 6;
  for (int i = 0; i < kControllerButtons; ++i) a.m_buttons[i] = i % 5;
  ControllerFrame frame;
  a.GetState(&frame);
  CController b;
  b.SetState(frame);
  EXPECT_EQ(b.m_direction, 6);
  EXPECT_EQ(b.m_buttons, a.m_buttons);
}

TEST(ControllerList, UpdatePollsEveryPadAndClearDeletesThem) {
  ClearScriptedKeys();
  CControllerList& list = CControllerList::GetInstance();
  CKeyPad* first = list.AddKeyPad();
  CKeyPad* second = list.AddKeyPad();
  first->BindKey(kPadRight, VK_RIGHT);
  second->BindKey(kPadLeft, 'A');
  SetScriptedKey(VK_RIGHT, true);
  SetScriptedKey('A', true);
  list.Update();
  EXPECT_EQ(first->m_direction, 3);
  EXPECT_EQ(second->m_direction, 7);
  list.Clear();
  EXPECT_TRUE(list.m_controllers.empty());
  ClearScriptedKeys();
}

}  // namespace
