// What the overlays look like, drawn with the sample game's sprites and
// fonts through the display device, against golden pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "tests/field/GoldenImage.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/ui/UiTestRig.h"
#include "ui/UIDesktop.h"

namespace {

class WidgetGoldenTest : public TextureDeviceTest {
 protected:
  WidgetGoldenTest() : m_rc(g_3dDevice.GetRC()), m_session(CSession::GetInstance()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    CResMgr::GetInstance().UnloadResources();
    EXPECT_TRUE(RegisterPack("data.pak"));
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
    m_frame.m_pRC = m_rc;
    m_savedFrame = g_pCurrentFrame;
    g_pCurrentFrame = &m_frame;
    g_uiOriginX = 0;
    g_uiOriginY = 0;
    m_savedParty = m_session.partyIds;
    m_savedCount = m_session.partyCount;
    m_desktop = std::make_unique<UIDesktop>();
  }
  ~WidgetGoldenTest() override {
    m_desktop.reset();
    g_pCurrentFrame = m_savedFrame;
    m_frame.m_pRC = nullptr;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_3dDevice.FreeRC(m_rc);
    m_session.partyIds = m_savedParty;
    m_session.partyCount = m_savedCount;
  }
  void Point(int x, int y) {
    CMouse::GetInstance().m_x = x;
    CMouse::GetInstance().m_y = y;
  }
  // The screen's passes as a screen tick runs them, over a plain background,
  // and the part of the back buffer from (x, y) of w x h.
  testsupport::RgbImage Screen(int x, int y, int w, int h) {
    const auto* pixels = dynamic_cast<const CPixelRC*>(m_rc);
    EXPECT_NE(pixels, nullptr);
    platform::Surface& target = *g_3dDevice.RenderTarget();
    target.Fill(nullptr, pixels->Layout().Pack(40, 48, 72));
    if (m_rc->BeginScene()) {
      m_desktop->Draw(m_rc);
      m_rc->EndScene();
    }
    if (m_rc->LockBackBuffer()) {
      m_desktop->DrawLocked(m_rc);
      m_rc->UnlockBackBuffer();
    }
    EXPECT_TRUE(m_desktop->HasPopupLayers());
    m_desktop->DrawPopupLayers(m_rc);
    testsupport::RgbImage image{w, h, {}};
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) {
        const Rgb8 c = pixels->Layout().Expand(target.Row(row)[col]);
        image.rgb.insert(image.rgb.end(), {static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green),
                                           static_cast<uint8_t>(c.blue)});
      }
    }
    return image;
  }
  static std::string Compare(const std::string& name, const testsupport::RgbImage& image) {
    return testsupport::CompareWithGolden(name, image, "tests/ui/golden");
  }

  CRC* m_rc;
  C3dFrame m_frame;
  CFrame* m_savedFrame = nullptr;
  CSession& m_session;
  std::array<int32_t, CSession::kMaxParty> m_savedParty{};
  int32_t m_savedCount = 0;
  std::unique_ptr<UIDesktop> m_desktop;
};

TEST_F(WidgetGoldenTest, YesNoBoxWithTwoLines) {
  UIMessage& box = m_desktop->m_messageBox;
  box.SetText("이 물건을 버리겠습니까?&n버린 물건은 되찾을 수 없습니다.", nullptr, 40, 0, 0);
  box.Popup(nullptr, UIMessage::kYesNo, 200, 180);
  Point(0, 0);
  EXPECT_EQ(Compare("message_yes_no", Screen(160, 140, 340, 140)), "");
}

TEST_F(WidgetGoldenTest, PopupMenuWithADisabledAndAHoveredEntry) {
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("사용하기", 1, 0, 0, 1);
  menu.AddItem("버리기", 2, 0, 0, 0);
  menu.AddItem("장비하기", 3, 0, 0, 1);
  menu.Open(260, 200, nullptr);
  Point(270, 245);  // the third entry
  EXPECT_EQ(Compare("popup_menu", Screen(220, 160, 140, 120)), "");
}

TEST_F(WidgetGoldenTest, PickerOverTwoMembers) {
  m_session.partyCount = 2;
  m_session.partyIds[0] = 0;
  m_session.partyIds[1] = 1;
  PlayerData saved[2] = {m_session.players[0], m_session.players[1]};
  m_session.players[0].playerId = 0;
  m_session.players[0].hp = 87;
  m_session.players[0].maxhp = 120;
  m_session.players[1].playerId = 1;
  m_session.players[1].hp = 5;
  m_session.players[1].maxhp = 64;
  UIPlayerMenu& picker = m_desktop->m_playerMenu;
  picker.Open(0, 150, nullptr);
  Point(290, 185);  // over the second member
  EXPECT_EQ(Compare("player_picker", Screen(160, 110, 200, 150)), "");
  m_session.players[0] = saved[0];
  m_session.players[1] = saved[1];
}

}  // namespace
