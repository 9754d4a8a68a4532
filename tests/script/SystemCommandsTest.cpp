// The words of the last command group that the field already relies on:
// script pictures, the scenario selection, fog and the world map's places.
#include <gtest/gtest.h>

#include "engine/BitmapRes.h"
#include "field/WorldMapList.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "tests/script/ScriptFixture.h"
#include "tools/lib/TextureImages.h"

namespace {

class SystemCommandsTest : public ScriptTest {
 protected:
  ~SystemCommandsTest() override {
    g_dispBmp.Release();
    CRC::s_fogSettings = FogSettings{};
  }
};

TEST_F(SystemCommandsTest, PicturesShowForTheirTimeOrUntilClosed) {
  Write("data/bmp/sign.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(4, 4, {9, 9, 9, 255})));
  CSelvarinFrame& frame = Frame();
  Run("dispbmp sign.bmp\nerror #on\n");
  EXPECT_EQ(frame.m_pictureCounter, CSelvarinFrame::kPictureStart);
  ASSERT_NE(frame.m_pPicture, nullptr);
  EXPECT_EQ(frame.m_pictureShown, 0);
  Run("showbmp sign.bmp\n");
  EXPECT_EQ(frame.m_pictureCounter, 0);
  EXPECT_EQ(frame.m_pictureShown, 1);
  Run("closebmp\n");
  EXPECT_EQ(frame.m_pictureShown, 0);
  EXPECT_EQ(frame.m_pPicture, nullptr);
  EXPECT_EQ(g_dispBmp.GetSurface(), nullptr);
}

TEST_F(SystemCommandsTest, TheScenarioSelectionNeedsItsStage) {
  EXPECT_EQ(Run("callscenarioselect\nerror #on\n"), std::vector<std::string>{"#on"});
  EXPECT_TRUE(Logged("문법 : callscenarioselect [1|2]"));
  EXPECT_EQ(Frame().m_mode, kModeField);
  Run("callscenarioselect 2\n");
  EXPECT_EQ(Frame().m_scenarioStage, 2);
  EXPECT_EQ(Frame().m_prevMode, kModeField);
}

TEST_F(SystemCommandsTest, FogTakesFractionsAndAColourAndReportsFarDistances) {
  Run("setfog 1 10 200 255 128 0\n");
  const FogSettings& fog = CRC::s_fogSettings;
  EXPECT_FLOAT_EQ(fog.start, 0.1f);
  EXPECT_FLOAT_EQ(fog.end, 2.0f);
  EXPECT_FLOAT_EQ(fog.density, 0.33f);
  EXPECT_EQ(fog.color, 0xFF8000u);
  EXPECT_TRUE(Logged("거리는 0 부터 100 사이 입니다."));
  Run("setfog 0 50 60 1 2 3\n");
  EXPECT_EQ(fog.color, 0xFF8000u);
}

TEST_F(SystemCommandsTest, WorldMapPlacesNeedOneName) {
  Run("addworldmappoint\nclearworldmappoint\n");
  EXPECT_TRUE(Logged("Syntax Error in addworldmappoint [월드맵명]"));
  EXPECT_TRUE(WorldMapList::GetInstance().m_open.empty());
}

}  // namespace
