// What the text probe tells of a text by what lies under its pixels: a
// panel, another text, a widget not its own, the 3-D scene, or nothing the
// frame drew (a page left over from the last frame).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "render/3dDevice.h"
#include "render/TextProbe.h"
#include "tests/render/TextureTestSupport.h"

namespace {

class TextProbeTest : public TextureDeviceTest {
 protected:
  // Paints a 10 x 10 square at (x, 0) as one drawing would.
  static void Paint(int x, uint16_t value) {
    platform::Surface* target = g_3dDevice.RenderTarget();
    for (int y = 0; y < 10; ++y) std::fill_n(target->Row(y) + x, 10, value);
  }
  static void Text(int x, uint16_t value) {
    const TextProbeScope text("t");
    Paint(x, value);
  }
  static std::vector<TextSeen> Frame(const std::function<void()>& draw, bool blank = false) {
    std::vector<TextSeen> seen;
    CTextProbe::GetInstance().Start([&seen](const std::vector<TextSeen>& s) { seen = s; }, blank);
    draw();
    CTextProbe::GetInstance().Present();
    return seen;
  }
};

TEST_F(TextProbeTest, EachPixelCountsByWhatItWasDrawnOver) {
  struct Case {
    const char* what;
    std::function<void()> under;  // what the frame draws at x 0 before the text
    int kept, onText, onWidget, bare;
  };
  const Case cases[] = {
      {"a panel", [] { Paint(0, 0x1111); }, 100, 0, 0, 0},
      {"another text", [] { Text(0, 0x1111); }, 0, 100, 0, 0},
      {"a widget", [] { const WidgetProbeScope w; Paint(0, 0x1111); }, 0, 0, 100, 0},
      {"the 3-D scene", [] { const SceneProbeScope s; Paint(0, 0x1111); }, 0, 0, 0, 100},
      {"a panel over a text", [] { Text(0, 0x1111); Paint(0, 0x2222); }, 100, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const auto seen = Frame([&] {
      c.under();
      Text(0, 0x3333);
    });
    ASSERT_FALSE(seen.empty()) << c.what;
    const TextSeen& last = seen.back();
    EXPECT_EQ(last.pixels, 100) << c.what;
    EXPECT_EQ(last.kept, c.kept) << c.what;
    EXPECT_EQ(last.onText, c.onText) << c.what;
    EXPECT_EQ(last.onWidget, c.onWidget) << c.what;
    EXPECT_EQ(last.bare, c.bare) << c.what;
  }
}

TEST_F(TextProbeTest, AWidgetsOwnLabelLiesOnItAndACoveredTextIsLost) {
  const auto seen = Frame([] {
    {
      const WidgetProbeScope button;
      Paint(0, 0x1111);
      Text(0, 0x2222);
    }
    Text(20, 0x3333);
    Paint(20, 0x4444);
  });
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].kept, 100);
  EXPECT_EQ(seen[0].onWidget, 0);
  EXPECT_EQ(seen[1].kept, 0);
}

TEST_F(TextProbeTest, ABlankedFrameShowsTextsOverNothingAndPutsTheLastFrameBack) {
  Paint(0, 0x5555);
  Paint(20, 0x5555);
  const auto seen = Frame([] { Text(0, 0x3333); }, true);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].bare, 100);
  const platform::Surface* target = g_3dDevice.RenderTarget();
  EXPECT_EQ(target->Row(0)[0], 0x3333);
  EXPECT_EQ(target->Row(0)[20], 0x5555);
}

}  // namespace
