#include "session/Session.h"

#include <gtest/gtest.h>

#include "engine/Controller.h"
#include "platform/Keys.h"

namespace {

TEST(Session, KeyLayoutBindsTheCursorKeysAndTheLayoutsActionKeys) {
  CKeyPad pad;
  g_pMainKeyPad = &pad;
  CSession& session = CSession::GetInstance();
  session.Init();
  session.ApplyKeyLayout();
  EXPECT_EQ(pad.m_keys.size(), 10u);
  EXPECT_EQ(pad.m_keys.at(0), platform::VK_UP);
  EXPECT_EQ(pad.m_keys.at(1), platform::VK_LEFT);
  EXPECT_EQ(pad.m_keys.at(2), platform::VK_RIGHT);
  EXPECT_EQ(pad.m_keys.at(3), platform::VK_DOWN);
  EXPECT_EQ(pad.m_keys.at(4), platform::VK_RETURN);
  session.options[CSession::kOptionKeyLayout] = 99;  // out of range falls back to the first layout
  session.ApplyKeyLayout();
  EXPECT_EQ(pad.m_keys.at(4), platform::VK_RETURN);
  g_pMainKeyPad = nullptr;
  session.ApplyKeyLayout();  // no pad: nothing to bind, no crash
}

}  // namespace
