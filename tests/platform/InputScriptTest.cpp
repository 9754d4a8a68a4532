#include "platform/InputScript.h"

#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "platform/Window.h"

namespace {

using namespace platform;

TEST(InputScript, ParsesEventsInPassOrderAndSkipsMalformedLines) {
  const auto events = ParseInputScript(
      "# a comment\n"
      "20 close\n"
      "5 key esc down   # trailing comment\n"
      "x key a down\n"
      "0 close\n"
      "\n"
      "5 key esc up\n");
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].pass, 5u);
  EXPECT_EQ(events[0].args, (std::vector<std::string>{"esc", "down"}));
  EXPECT_EQ(events[1].args[1], "up");  // same pass keeps file order
  EXPECT_EQ(events[2].kind, "close");
}

TEST(InputScript, AnchoredEventsWaitForTheirMarkAndFollowIt) {
  const auto events = ParseInputScript(
      "menu/2+3 key a down\n"
      "5 close\n"
      "battle+0 key b down\n"
      "menu/0+1 close\n"
      "menu+ close\n"
      "menu/x+1 close\n"
      "+5 close\n"
      "menu+-1 close\n");
  ASSERT_EQ(events.size(), 3u);
  SetInputScript(events);
  EXPECT_TRUE(TakeScriptedEvents(1).empty());
  MarkScriptAnchor("menu");  // the first menu: nothing waits for it
  MarkScriptAnchor("other");
  EXPECT_TRUE(TakeScriptedEvents(2).empty());
  MarkScriptAnchor("menu");
  MarkScriptAnchor("battle");
  auto due = TakeScriptedEvents(3);
  ASSERT_EQ(due.size(), 1u);
  EXPECT_EQ(due[0].args[0], "b");
  EXPECT_TRUE(TakeScriptedEvents(4).empty());
  due = TakeScriptedEvents(5);
  ASSERT_EQ(due.size(), 2u);  // the absolute event of the same pass first
  EXPECT_EQ(due[0].kind, "close");
  EXPECT_EQ(due[1].args[0], "a");
  MarkScriptAnchor("menu");
  EXPECT_FALSE(HasPendingScriptedEvents());
  SetInputScript({});
}

TEST(InputScript, KeyNames) {
  EXPECT_EQ(ParseVirtualKeyName("Esc"), VK_ESCAPE);
  EXPECT_EQ(ParseVirtualKeyName("f12"), VK_F12);
  EXPECT_EQ(ParseVirtualKeyName("q"), 'Q');
  EXPECT_EQ(ParseVirtualKeyName("7"), '7');
  EXPECT_EQ(ParseVirtualKeyName("0x25"), VK_LEFT);
  EXPECT_EQ(ParseVirtualKeyName("f13"), 0);
  EXPECT_EQ(ParseVirtualKeyName("nonsense"), 0);
}

TEST(InputScript, ScriptedKeysReadAsDownAndPostKeyMessages) {
  // Passes count from the current one: other tests may have polled before.
  const uint64_t pass = PassCount();
  std::vector<ScriptedEvent> events = ParseInputScript("1 key esc down\n2 key esc up\n");
  for (ScriptedEvent& e : events) e.pass += pass;
  SetInputScript(events);
  PollEvents();
  EXPECT_NE(GetKeyState(VK_ESCAPE) & 0x8000, 0);
  Message m;
  ASSERT_TRUE(PeekAppMessage(&m));
  EXPECT_EQ(m.message, WM_KEYDOWN);
  EXPECT_EQ(m.wParam, static_cast<uintptr_t>(VK_ESCAPE));
  PollEvents();
  EXPECT_EQ(GetKeyState(VK_ESCAPE), 0);
  ASSERT_TRUE(PeekAppMessage(&m));
  EXPECT_EQ(m.message, WM_KEYUP);
}

}  // namespace
