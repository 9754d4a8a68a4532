#pragma once
// What widget tests share: a current frame whose render context measures
// every ASCII character 10 pixels wide (no fonts loaded), the pointer put
// where a test wants it, a party in the session, and widgets that record
// what reaches them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"

class UiTest : public ::testing::Test {
 protected:
  static constexpr int kCharWidth = 10;

  UiTest() : m_mouse(CMouse::GetInstance()), m_savedMouse(m_mouse), m_session(CSession::GetInstance()) {
    std::memcpy(m_savedWidths, AsciiWidths, sizeof AsciiWidths);
    std::fill(std::begin(AsciiWidths), std::end(AsciiWidths), kCharWidth);
    m_rc.SetViewSize(640, 480);
    m_frame.m_pRC = &m_rc;
    m_savedFrame = g_pCurrentFrame;
    g_pCurrentFrame = &m_frame;
    g_uiOriginX = 0;
    g_uiOriginY = 0;
    m_savedParty = {m_session.partyIds, m_session.partyCount};
    m_mouse.m_wheel = 0;
  }
  ~UiTest() override {
    m_frame.m_pRC = nullptr;  // not the device's to free
    g_pCurrentFrame = m_savedFrame;
    std::memcpy(AsciiWidths, m_savedWidths, sizeof AsciiWidths);
    m_mouse.m_x = m_savedMouse.m_x;
    m_mouse.m_y = m_savedMouse.m_y;
    m_mouse.m_wheel = m_savedMouse.m_wheel;
    m_session.partyIds = m_savedParty.ids;
    m_session.partyCount = m_savedParty.count;
  }

  void Point(int x, int y) {
    m_mouse.m_x = x;
    m_mouse.m_y = y;
  }
  // A party of the given player ids, each with hit points id * 10 of 99.
  void Party(const std::vector<int>& ids) {
    m_session.partyCount = static_cast<int32_t>(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
      m_session.partyIds[i] = ids[i];
      PlayerData& p = m_session.players[static_cast<size_t>(ids[i])];
      p.playerId = ids[i];
      p.hp = ids[i] * 10;
      p.maxhp = 99;
    }
  }

  CPixelRC m_rc{kLayout565};
  C3dFrame m_frame;
  CFrame* m_savedFrame = nullptr;
  CMouse& m_mouse;
  struct SavedMouse {
    int32_t m_x, m_y, m_wheel;
    explicit SavedMouse(const CMouse& m) : m_x(m.m_x), m_y(m.m_y), m_wheel(m.m_wheel) {}
  } m_savedMouse;
  CSession& m_session;
  struct {
    std::array<int32_t, CSession::kMaxParty> ids;
    int32_t count;
  } m_savedParty{};
  int32_t m_savedWidths[kAsciiGlyphCount]{};
};

// Records, into a log shared by a test's widgets, every input and notice
// that reaches it: "name:L" left press, "name:l" left release, "name:R",
// "name:r", "name:M" move, "name:W" wheel, "name:N<code>,<a>,<b>".
struct Recorder : UIObject {
  Recorder(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}
  void OnLButtonDown() override { log->push_back(name + ":L"); }
  void OnLButtonUp() override { log->push_back(name + ":l"); }
  void OnRButtonDown() override { log->push_back(name + ":R"); }
  void OnRButtonUp() override { log->push_back(name + ":r"); }
  void OnMouseMove() override { log->push_back(name + ":M"); }
  void OnWheel() override { log->push_back(name + ":W"); }
  void Notify(UIObject*, int code, int a, int b) override {
    log->push_back(name + ":N" + std::to_string(code) + "," + std::to_string(a) + "," + std::to_string(b));
  }
  std::vector<std::string>* log;
  std::string name;
};
