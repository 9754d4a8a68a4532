// The words of the last command group that the field already relies on:
// script pictures, the scenario selection, fog and the world map's places.
#include <gtest/gtest.h>

#include "engine/BitmapRes.h"
#include "field/WorldMapList.h"
#include "render/DispBmp.h"
#include "render/AviTexture.h"
#include "render/RC.h"
#include "tests/support/MovieFixture.h"
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

TEST_F(SystemCommandsTest, CloseShutsTheWindowAndLetsTheLeaderGoAndTheRunGoesOn) {
  CSelvarinFrame& frame = Frame();
  frame.m_messageState = 5;
  frame.m_messageText = "words";
  frame.m_messageLines[0] = "a line";
  RecordingActor& player = AddPlayer();
  EXPECT_EQ(Run("close\nerror #after\n"), std::vector<std::string>{"#after"});
  EXPECT_EQ(frame.m_messageState, 4);
  EXPECT_EQ(frame.m_messageText, "");
  EXPECT_EQ(frame.m_messageLines[0], "");
  EXPECT_EQ(player.messages, (std::vector<RecordedMessage>{{13, 0, 0, 0}}));
  // A map whose loading stopped early has no leader to let go.
  Context().m_player = nullptr;
  EXPECT_EQ(Run("close\nerror #after\n"), std::vector<std::string>{"#after"});
}

TEST_F(SystemCommandsTest, TheScenarioSelectionNeedsItsStage) {
  EXPECT_EQ(Run("callscenarioselect\nerror #on\n"), std::vector<std::string>{"#on"});
  EXPECT_TRUE(Logged("문법 : callscenarioselect [1|2]"));
  EXPECT_EQ(Frame().m_mode, kModeField);
  Run("callscenarioselect 2\n");
  EXPECT_EQ(Frame().m_scenarioStage, 2);
  EXPECT_EQ(Frame().m_prevMode, kModeField);
}

TEST_F(SystemCommandsTest, TheShopAndTheMenuScreensAskForTheirModes) {
  const struct {
    const char* line;
    int number, kind, type;
  } shops[] = {{"callshop 1 1 2\n", 1, 1, 2}, {"callshop 3 1\n", 3, 1, 0}, {"callshop 4 1 2 9\n", 4, 1, 0}};
  for (const auto& c : shops) {
    Frame().m_mode = kModeField;
    EXPECT_EQ(Run(std::string(c.line) + "error #on\n"), std::vector<std::string>{"#on"}) << c.line;
    EXPECT_EQ(Frame().m_mode, kModeShop) << c.line;
    EXPECT_EQ(Frame().m_shopNumber, c.number) << c.line;
    EXPECT_EQ(Frame().m_shopKind, c.kind) << c.line;
    EXPECT_EQ(Frame().m_shopType, c.type) << c.line;
  }
  const char* menus[] = {"callitembox", "callparty", "callsave", "callload"};
  for (int kind = 1; kind <= 4; ++kind) {
    Frame().m_mode = kModeField;
    Run(std::string(menus[kind - 1]) + "\n");
    EXPECT_EQ(Frame().m_mode, kModeStillMenu) << menus[kind - 1];
    EXPECT_EQ(Frame().m_menuKind, kind) << menus[kind - 1];
  }
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

// A movie in the scene: "playavi" opens "movie\<file>" from the game folder
// and starts it; a bad line or a file that does not open starts nothing.
TEST_F(SystemCommandsTest, PlayAviStartsTheFramesMovieOnlyWhenItOpens) {
  CSelvarinFrame& frame = Frame();
  Run("playavi\nerror #on\n");
  EXPECT_TRUE(Logged("Syntax Error: playavi avifilename.avi"));
  EXPECT_EQ(frame.m_aviOpen, 0);
  Run("playavi none.avi\n");
  EXPECT_EQ(frame.m_aviOpen, 0);
  const std::filesystem::path clip = Write("movie/clip.avi", "");
  ASSERT_TRUE(testsupport::WriteMovieClip(clip, testsupport::MovieClip{}));
  Run("playavi clip.avi\n");
  ASSERT_EQ(frame.m_aviOpen, 1);
  ASSERT_NE(frame.m_pAvi, nullptr);
  EXPECT_TRUE(frame.m_pAvi->IsPlaying());
  EXPECT_EQ(frame.m_pAvi->FrameCount(), 4);
  frame.Exit();  // closes the movie with the frame
  EXPECT_EQ(frame.m_aviOpen, 0);
  EXPECT_FALSE(frame.m_pAvi->IsPlaying());
}

}  // namespace
