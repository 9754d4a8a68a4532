#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>

#include "engine/Frame.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "platform/Device3D.h"
#include "render/3dGround.h"
#include "render/GroundPick.h"
#include "render/RC.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/GndWriter.h"

namespace {

using namespace platform;
using slvtools::GndWriter;

namespace groundtest {
// Texture files stand in: "missing" names do not load; every other one is a
// flat 2 x 2 picture of the colour given to its name (white otherwise).
std::map<std::string, uint16_t> g_colors;

Result FakeLoad(CTexture& t, const char* name) {
  if (std::string(name).starts_with("missing")) return E_FAIL;
  t.m_name = name;
  t.m_width = t.m_height = 8;
  t.m_bitsPerPixel = 32;
  t.m_surface = std::make_shared<Surface>(2, 2, PixelFormat::RGB565);
  const auto it = g_colors.find(name);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) t.m_surface->Row(y)[x] = it == g_colors.end() ? 0xFFFF : it->second;
  }
  t.m_texture = t.m_surface.get();
  return S_OK;
}
}  // namespace groundtest

class GroundTest : public GameFolderTest {
 protected:
  static constexpr int kW = 64, kH = 48;

  GroundTest() {
    groundtest::g_colors.clear();
    C3dGround::s_waterCounter = 0;
    C3dGround::s_wavePhase = 0;
    m_rc.SetViewSize(kW, kH);
    m_view.MakeLookAt({0.0f, -60.0f, 60.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  }
  ~GroundTest() override { g_pCurrentFrame = nullptr; }

  // Loads the ground from data/field.gnd with the frame list data/field.ini.
  void Load(const std::string& gnd, const std::string& ini = "") {
    Write("data/field.gnd", gnd);
    Write("data/field.ini", ini);
    m_resources.LoadIni("field");
    ASSERT_TRUE(m_ground.Load("field.gnd"));
  }
  void Render(int waterType = -1, float waterLevel = 0.0f, int waveHeight = 0,
              CGroundPickList* picks = nullptr, int highlightColumn = -1, int highlightRow = -1) {
    m_ground.Render(m_rc, m_view, 0.0f, waterLevel, waterType, waveHeight, 0, picks,
                    highlightColumn, highlightRow);
  }
  // Batches chained to the texture this frame.
  static int Chained(const CTexture* t) {
    int n = 0;
    for (const TriangleBatch* b = t == nullptr ? nullptr : t->m_batch; b != nullptr; b = b->next)
      ++n;
    return n;
  }

  CTextureMgr m_textures{groundtest::FakeLoad};
  CResMgr m_resources;
  C3dGround m_ground{m_textures, m_resources};
  CRC565 m_rc;
  Matrix m_view;
};

// Three textures; cell (1, 1) has walls; (2, 0) has nothing; (0, 1) names a
// texture that is not there and (1, 0) indices outside the names.
std::string ThreeByThree() {
  GndWriter gnd(3, 3);
  const int grass = gnd.AddTexture("grass.bmp");
  const int flag = gnd.AddTexture("flag.bmp");
  const int missing = gnd.AddTexture("missing.bmp");
  for (int z = 0; z < 3; ++z) {
    for (int x = 0; x < 3; ++x) gnd.Cell(x, z).texture[0] = grass;
  }
  gnd.Cell(0, 0).texture[0] = flag;
  gnd.Cell(0, 0).color = 0xFF112233;
  gnd.Cell(0, 0).extra = 0xDEADBEEF;
  gnd.Cell(0, 0).uv[0][3][0] = 0.5f;
  gnd.Cell(1, 1).texture[1] = grass;
  gnd.Cell(1, 1).texture[2] = flag;
  gnd.Cell(2, 0).texture[0] = -1;
  gnd.Cell(0, 1).texture[0] = missing;
  gnd.Cell(1, 0).texture[0] = 3;
  gnd.Cell(1, 0).texture[1] = -2;
  for (int c = 0; c < 4; ++c) gnd.Cell(0, 0).height[c] = static_cast<float>(c + 1);
  return gnd.Build();
}

TEST_F(GroundTest, LoadsCellsAndLocksTheirTextures) {
  testsupport::DebugLogCapture log;
  Load(ThreeByThree(), "set flag.bmp 1\n");
  ASSERT_EQ(m_ground.Width(), 3);
  ASSERT_EQ(m_ground.Height(), 3);
  const GroundCell* first = m_ground.GetCell(0, 0);
  EXPECT_EQ(first->height[3], 4.0f);
  EXPECT_EQ(first->color, 0xFF112233u);
  EXPECT_EQ(first->extra, 0xDEADBEEFu);
  EXPECT_EQ(first->layer[kGroundTop].uv[3][0], 0.5f);
  EXPECT_EQ(first->layer[kGroundTop].uv[3][1], 1.0f);

  // A name the resource list defines goes to the flagged list.
  CTexture* flag = m_textures.Find("flag.bmp", 1);
  CTexture* grass = m_textures.Find("grass.bmp", 0);
  ASSERT_NE(flag, nullptr);
  ASSERT_NE(grass, nullptr);
  EXPECT_EQ(m_textures.Find("flag.bmp", 0), nullptr);
  EXPECT_EQ(first->layer[kGroundTop].texture, flag);
  EXPECT_TRUE(m_ground.IsFlagged(0, 0, kGroundTop));
  EXPECT_TRUE(m_ground.IsFlagged(1, 1, kGroundWallZ));
  EXPECT_FALSE(m_ground.IsFlagged(1, 1, kGroundWallX));
  EXPECT_FALSE(m_ground.IsFlagged(1, 1, kGroundTop));
  // Every use is one lock; what is missing or out of range is no texture.
  EXPECT_EQ(flag->m_lockCount, 2);
  EXPECT_EQ(grass->m_lockCount, 6);
  EXPECT_EQ(m_ground.GetCell(0, 1)->layer[kGroundTop].texture, nullptr);
  for (const GroundLayerData& layer : m_ground.GetCell(1, 0)->layer)
    EXPECT_EQ(layer.texture, nullptr);
  for (const GroundLayerData& layer : m_ground.GetCell(2, 0)->layer)
    EXPECT_EQ(layer.texture, nullptr);
  EXPECT_TRUE(log.Contains("texture index 3 of 3 names"));
  EXPECT_TRUE(log.Contains("texture index -2 of 3 names"));

  m_ground.Free();
  EXPECT_EQ(flag->m_lockCount, 0);
  EXPECT_EQ(grass->m_lockCount, 0);
  EXPECT_EQ(m_ground.Width(), 0);
  EXPECT_EQ(m_ground.GetCell(0, 0), nullptr);
}

TEST_F(GroundTest, FilesThatCannotHoldWhatTheyDeclareLoadEmpty) {
  GndWriter many(1, 1);
  for (int i = 0; i < 1001; ++i) many.AddTexture("t" + std::to_string(i) + ".bmp");
  many.Cell(0, 0).texture[0] = 0;
  const std::string good = ThreeByThree();
  std::string negative = good;
  negative[4] = '\xFF';
  negative[7] = '\xFF';  // width -255
  std::string huge = good;
  huge.replace(4, 8, "\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F");  // 2^31 - 1 squared cells
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"1001 names", many.Build()},
      {"names cut short", good.substr(0, 12 + 80 * 2)},
      {"last cell cut short", good.substr(0, good.size() - 1)},
      {"negative width", negative},
      {"huge size", huge},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::DebugLogCapture log;
    Load(c.bytes);
    EXPECT_EQ(m_ground.Width(), 0);
    EXPECT_EQ(m_ground.Height(), 0);
    EXPECT_EQ(m_textures.Count() + m_textures.FlaggedCount(), 0);
    EXPECT_FALSE(log.Lines().empty());
    EXPECT_EQ(m_ground.GetHeight(0.0f, 0.0f), 0.0f);
    Render(1);  // no cells: no water either
    EXPECT_TRUE(m_rc.m_blendTris.empty());
    m_textures.ReleaseAll();
  }
  // A missing file is an empty ground too; 1000 names are allowed.
  EXPECT_TRUE(m_ground.Load("nothing.gnd"));
  EXPECT_EQ(m_ground.Width(), 0);
  GndWriter thousand(1, 1);
  for (int i = 0; i < 1000; ++i) thousand.AddTexture("t" + std::to_string(i) + ".bmp");
  thousand.Cell(0, 0).texture[0] = 999;
  Load(thousand.Build());
  EXPECT_EQ(m_ground.Width(), 1);
  EXPECT_NE(m_textures.Find("t999.bmp", 0), nullptr);
}

TEST_F(GroundTest, HeightIsBilinearOverTheCellUnderThePoint) {
  m_ground.Allocate(3, 3);
  // The grid spans -15..15; cell (1, 1) is -5..5.
  float* h = m_ground.GetCell(1, 1)->height;
  h[0] = 2.0f, h[1] = 4.0f, h[2] = 6.0f, h[3] = 12.0f;
  m_ground.GetCell(0, 0)->height[0] = -3.0f;
  m_ground.GetCell(2, 2)->height[3] = 7.0f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float x, z, height;
  } cases[] = {
      {-5.0f, -5.0f, 2.0f},        {5.0f - 1e-4f, -5.0f, 4.0f},
      {-5.0f, 5.0f - 1e-4f, 6.0f}, {0.0f, 0.0f, 6.0f},  // the centre: the mean of the four corners
      {0.0f, -5.0f, 3.0f},                              // the middle of the first edge
      {-5.0f, 0.0f, 4.0f},                              // the middle of the edge at x0
      {2.5f, 0.0f, 7.0f},                               // a = 4, b = 8
      {-15.0f, -15.0f, -3.0f},     {15.0f - 1e-4f, 15.0f - 1e-4f, 7.0f},
      {15.0f, 0.0f, 0.0f},         {0.0f, 15.0f, 0.0f},
      {-20.5f, 0.0f, 0.0f},        {nan, 0.0f, 0.0f},
      {0.0f, 1e30f, 0.0f},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(m_ground.GetHeight(c.x, c.z), c.height, 1e-3f) << c.x << ", " << c.z;
  }
}

// Lit colours: flat cells under a light straight down the y axis get the
// full diffuse; walls, facing sideways, only the ambient.
TEST_F(GroundTest, LightingColoursTopsFromTheirCornersAndWallsFromTheirNormals) {
  GndWriter gnd(3, 3);
  const int grass = gnd.AddTexture("grass.bmp");
  const int flag = gnd.AddTexture("flag.bmp");
  for (int z = 0; z < 3; ++z) {
    for (int x = 0; x < 3; ++x) gnd.Cell(x, z).texture[0] = grass;
  }
  gnd.Cell(0, 0).color = 0xFF808080;
  gnd.Cell(1, 0).color = 0xFF404040;
  gnd.Cell(0, 1).color = 0xFF000000;
  gnd.Cell(1, 1).color = 0xFFFFFFFF;
  gnd.Cell(1, 1).texture[0] = flag;
  gnd.Cell(0, 0).texture[1] = grass;
  CFrame frame;
  g_pCurrentFrame = &frame;  // "gndopacity" is read while a frame runs
  Load(gnd.Build(), "set flag.bmp 1\nset gndopacity 128\n");
  EXPECT_EQ(m_ground.m_opacity, 128);
  m_ground.ComputeLighting({0.0f, 1.0f, 0.0f}, {0.5f, 0.25f, 0.0f}, {0.25f, 0.25f, 0.25f});
  // Intensities 0.75, 0.5, 0.25 per channel.
  const GroundCell& cell = *m_ground.GetCell(0, 0);
  EXPECT_EQ(cell.layerColor[kGroundTop], 0xFF604020u);
  EXPECT_EQ(cell.layerColor[kGroundWallX], 0xFF3F3F3Fu);
  EXPECT_EQ(m_ground.GetCell(1, 1)->layerColor[kGroundTop], 0x80BF7F3Fu);
  // Triangles (0, 1, 2) and (1, 3, 2): each corner the colour of the cell
  // whose corner 0 it is, with this cell's alpha.
  const uint32_t expected[2][3] = {{0xFF604020, 0xFF302010, 0xFF000000},
                                   {0xFF302010, 0xFFBF7F3F, 0xFF000000}};
  for (int t = 0; t < 2; ++t) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(cell.batch[t].v[k].diffuse, expected[t][k]) << t << k;
  }
  EXPECT_EQ(cell.batch[kGroundWallX * 2].v[0].diffuse, 0xFF3F3F3Fu);
  // The flagged cell's triangles carry the opacity.
  EXPECT_EQ(m_ground.GetCell(1, 1)->batch[0].v[0].diffuse >> 24, 128u);
}

// The last column is lit like any other, so the cell before it takes a
// defined colour at its far corners.
TEST_F(GroundTest, LightingComputesTheNormalsOfTheLastRowAndColumn) {
  GndWriter gnd(2, 2);
  gnd.AddTexture("grass.bmp");
  for (int z = 0; z < 2; ++z) {
    for (int x = 0; x < 2; ++x) {
      gnd.Cell(x, z).texture[0] = 0;
      gnd.Cell(x, z).color = 0xFFC8C8C8;
    }
  }
  // Cell (1, 0) rises towards +x (y points down).
  gnd.Cell(1, 0).height[1] = gnd.Cell(1, 0).height[3] = -10.0f;
  Load(gnd.Build());
  m_ground.ComputeLighting({0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
  // Its corner 0 sums (0.7071, 0.7071, 0) with two flat faces: y = 0.9675.
  EXPECT_EQ(m_ground.GetCell(0, 0)->batch[0].v[1].diffuse, 0xFFC1C1C1u);
  EXPECT_EQ(m_ground.GetCell(0, 0)->batch[0].v[0].diffuse, 0xFFC8C8C8u);
}

TEST_F(GroundTest, ALightThatIsNotANumberLightsAsBlack) {
  GndWriter gnd(1, 1);
  gnd.AddTexture("grass.bmp");
  gnd.Cell(0, 0).texture[0] = 0;
  gnd.Cell(0, 0).color = 0xFFC8C8C8;
  Load(gnd.Build());
  // The light comes from a world file; a damaged one gives NaN: black, not undefined.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  m_ground.ComputeLighting({nan, nan, nan}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
  EXPECT_EQ(m_ground.GetCell(0, 0)->layerColor[kGroundTop] & 0xFFFFFFu, 0u);
}

TEST_F(GroundTest, RenderChainsVisibleTrianglesAndPicksAndHighlightsCells) {
  Load(ThreeByThree(), "set flag.bmp 1\n");
  m_ground.ComputeLighting({0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
  CGroundPickList picks;
  picks.Add(new C3dGroundPickInfo);  // last frame's: cleared
  Render(-1, 0.0f, 0, &picks, 0, 0);
  CTexture* grass = m_textures.Find("grass.bmp", 0);
  CTexture* flag = m_textures.Find("flag.bmp", 1);
  // Of the 2 x 2 drawn cells: grass on (1, 1) (its +x wall is flat, so
  // edge-on); flag on (0, 0); (1, 0) and (0, 1) have no top texture.
  EXPECT_EQ(Chained(grass), 2);
  EXPECT_EQ(Chained(flag), 2);
  ASSERT_EQ(picks.Count(), 4);
  ASSERT_EQ(m_rc.m_additiveUntexTris.size(), 2u);
  const QueuedColorTriangle& mark = *m_rc.m_additiveUntexTris[0];
  EXPECT_EQ(mark.v[0].diffuse, 0xFF0000FFu);
  EXPECT_EQ(mark.v[1].diffuse, 0xFFFF0000u);
  EXPECT_EQ(mark.v[2].diffuse, 0xFF0000FFu);
  EXPECT_EQ(mark.v[0].x, m_ground.GetCell(0, 0)->batch[0].v[0].x);
  EXPECT_EQ(mark.v[0].rhw, m_ground.GetCell(0, 0)->batch[0].v[0].rhw);

  // The middle of cell (0, 0), world (-10, h, -10), on the screen.
  const Vec3 centre = m_view.TransformPoint({-10.0f, 2.5f, -10.0f});
  const float sx = static_cast<float>(m_rc.m_centerX) + centre.x * m_rc.m_focalX / centre.z;
  const float sy = static_cast<float>(m_rc.m_halfHeight) + centre.y * m_rc.m_focalY / centre.z;
  const C3dGroundPickInfo* hit = C3dGroundPickInfo::Pick(picks, sx + 0.5f, sy + 0.25f);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->m_column, 0);
  EXPECT_EQ(hit->m_row, 0);
  EXPECT_EQ(hit->GetTag(), 0);
  EXPECT_EQ(C3dGroundPickInfo::Pick(picks, 0.0f, 0.0f), nullptr);

  // Drawn again before the passes ran: the undrawn batches leave the chains
  // first, and what others queued stays.
  TriangleBatch model;
  model.next = grass->m_batch;
  grass->m_batch = &model;
  m_rc.ClearQueues();
  Render(-1, 0.0f, 0, &picks, 0, 0);
  EXPECT_EQ(Chained(grass), 3);
  EXPECT_EQ(Chained(flag), 2);
  EXPECT_EQ(picks.Count(), 4);

  // The flagged pass draws the flagged list; the others draw the rest.
  Surface target(kW, kH, PixelFormat::RGB565), depth(kW, kH, PixelFormat::Depth16);
  Device3D device(target, &depth);
  m_rc.SetDevice(&device);
  CRC::s_primitiveCount = 0;
  ASSERT_EQ(device.BeginScene(), S_OK);
  m_textures.DrawFlaggedBatches(m_rc);
  EXPECT_EQ(CRC::s_primitiveCount, 2);
  m_textures.DrawBatches(m_rc, 0);
  EXPECT_EQ(CRC::s_primitiveCount, 5);  // with the model's
  device.EndScene();
  m_rc.SetDevice(nullptr);
  m_rc.ClearQueues();

  // Freed while its batches wait in a chain: only the others' stay.
  Render();
  grass->m_batch = &model;
  model.next = nullptr;
  Render();
  m_ground.Free();
  EXPECT_EQ(grass->m_batch, &model);
  EXPECT_EQ(model.next, nullptr);
}

// Seen from close by, a cell's triangle reaches over the view's corners
// with none of its own corners on the screen; it is still drawn, so no
// pixel keeps the clear colour.
TEST_F(GroundTest, TrianglesReachingOverTheViewWithNoCornerInItAreDrawn) {
  GndWriter gnd(8, 8);
  const int grass = gnd.AddTexture("grass.bmp");
  for (int z = 0; z < 8; ++z) {
    for (int x = 0; x < 8; ++x) gnd.Cell(x, z).texture[0] = grass;
  }
  Load(gnd.Build());
  m_ground.ComputeLighting({0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
  const struct {
    const char* view;
    Vec3 eye, at;
  } cases[] = {
      {"straight down inside one cell", {-5.0f, -25.0f, -5.0f}, {-5.0f, 0.0f, -4.9f}},
      {"tilted over a cell's diagonal", {-3.0f, -30.0f, -33.0f}, {-5.0f, 0.0f, 0.0f}},
  };
  for (const auto& c : cases) {
    m_view.MakeLookAt(c.eye, c.at, {0.0f, 1.0f, 0.0f});
    Surface target(kW, kH, PixelFormat::RGB565), depth(kW, kH, PixelFormat::Depth16);
    Device3D device(target, &depth);
    m_rc.SetDevice(&device);
    device.Clear(Rect{0, 0, kW, kH}, kClearTarget | kClearDepth, 0xFF0000FF, 1.0f);
    const uint16_t clear = target.Row(0)[0];
    ASSERT_EQ(device.BeginScene(), S_OK);
    Render();
    m_textures.DrawBatches(m_rc, 0);
    device.EndScene();
    m_rc.SetDevice(nullptr);
    int bare = 0;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) bare += target.Row(y)[x] == clear ? 1 : 0;
    }
    EXPECT_EQ(bare, 0) << c.view;
  }
}

TEST_F(GroundTest, WallsFaceTheLowerSide) {
  // Cell (1, 1) stands 5 units above the rest; its +x and +z walls drop to
  // the neighbours. From the +z side the +z wall shows and the +x one only
  // where it faces the eye.
  GndWriter gnd(3, 3);
  gnd.AddTexture("wall.bmp");
  for (int c = 0; c < 4; ++c) gnd.Cell(1, 1).height[c] = -5.0f;
  gnd.Cell(1, 1).texture[1] = gnd.Cell(1, 1).texture[2] = 0;
  gnd.Cell(0, 1).texture[1] = 0;  // the step up into (1, 1): faces -x
  gnd.Cell(1, 0).texture[2] = 0;  // the step up into (1, 1) from -z
  Load(gnd.Build());
  m_ground.ComputeLighting({0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
  struct Case {
    Vec3 eye;
    int column, row, layer;
    bool shown;
  } cases[] = {
      {{0, -60, 60}, 1, 1, kGroundWallZ, true},  // faces +z, the eye is there
      {{0, -60, -60}, 1, 1, kGroundWallZ, false},
      {{0, -60, -60}, 1, 0, kGroundWallZ, true},  // faces -z
      {{0, -60, 60}, 1, 0, kGroundWallZ, false},
      {{60, -60, 0}, 1, 1, kGroundWallX, true},  // faces +x
      {{-60, -60, 0}, 1, 1, kGroundWallX, false},
      {{-60, -60, 0}, 0, 1, kGroundWallX, true},  // faces -x
      {{60, -60, 0}, 0, 1, kGroundWallX, false},
  };
  CTexture* wall = m_textures.Find("wall.bmp", 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.eye.x << " " << c.eye.z << " cell " << c.column << ","
                                    << c.row << " layer " << c.layer);
    m_view.MakeLookAt(c.eye, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    Render();
    const GroundCell& cell = *m_ground.GetCell(c.column, c.row);
    int linked = 0;
    for (const TriangleBatch* b = wall->m_batch; b != nullptr; b = b->next) {
      linked += b == &cell.batch[c.layer * 2] || b == &cell.batch[c.layer * 2 + 1];
    }
    EXPECT_EQ(linked, c.shown ? 2 : 0);
    m_rc.ClearQueues();
    m_textures.ClearBatchLinks();
  }
}

TEST_F(GroundTest, WaterCyclesThirtyTwoFramesOfThreeCalls) {
  GndWriter gnd(3, 3);
  gnd.SetGridHeight(1, 1, 4.0f);  // one grid point below the water at 2
  Load(gnd.Build());
  for (int call = 1; call <= 200; ++call) {
    Render(1, 2.0f);
    const int frame = call % 96 / 3;
    ASSERT_EQ(m_rc.m_blendTris.size(), 1u) << call;
    EXPECT_EQ(m_rc.m_blendTris.begin()->first->m_name, C3dGround::WaterTextureName(1, frame))
        << call;
    m_rc.ClearQueues();
  }
  EXPECT_EQ(C3dGround::WaterTextureName(1, 5), "워터\\water105.bmp");
  EXPECT_EQ(C3dGround::WaterTextureName(3, 12), "워터\\water312.bmp");
  // Sea water: two calls a frame.
  m_ground.m_waterPeriod = 2;
  C3dGround::s_waterCounter = 0;
  for (int call = 1; call <= 64; ++call) {
    Render(1, 2.0f);
    EXPECT_EQ(m_rc.m_blendTris.begin()->first->m_name,
              C3dGround::WaterTextureName(1, call % 64 / 2));
    m_rc.ClearQueues();
  }
}

TEST_F(GroundTest, WaterCoversTheCellsBelowItsLevel) {
  GndWriter gnd(3, 3);
  gnd.SetGridHeight(1, 1, 4.0f);
  gnd.SetGridHeight(2, 2, 1.0f);
  Load(gnd.Build());
  Render(1, 2.0f);
  ASSERT_EQ(m_rc.m_blendTris.size(), 1u);
  const std::vector<QueuedTriangle>& tris = m_rc.m_blendTris.begin()->second;
  // The four cells around grid point (1, 1), two triangles each; corners
  // over that point are deep.
  ASSERT_EQ(tris.size(), 8u);
  int deep = 0;
  for (const QueuedTriangle& t : tris) {
    for (const TexturedVertex& v : t.v) {
      deep += v.diffuse == 0xC0FFFFFF;
      EXPECT_TRUE(v.diffuse == 0xC0FFFFFF || v.diffuse == 0xFFFFFFFF);
      EXPECT_GE(v.u, 0.0f);
      EXPECT_LE(v.u, 1.0f);
    }
  }
  EXPECT_EQ(deep, 6);  // grid point (1, 1) is in six of the eight triangles
  m_rc.ClearQueues();

  // No water above the ground, and none for a type outside 0..9.
  Render(1, 5.0f);
  EXPECT_TRUE(m_rc.m_blendTris.empty());
  for (int type : {-1, 10, 123}) {
    Render(type, 2.0f);
    EXPECT_TRUE(m_rc.m_blendTris.empty()) << type;
  }
  // Waves move the water vertices off the level.
  Render(1, 2.0f, 100);
  ASSERT_EQ(m_rc.m_blendTris.size(), 1u);
  const TexturedVertex waved = m_rc.m_blendTris.begin()->second.front().v[0];
  m_rc.ClearQueues();
  Render(1, 2.0f, 0);
  EXPECT_NE(m_rc.m_blendTris.begin()->second.front().v[0].y, waved.y);
  m_rc.ClearQueues();
}

// Close above the water one triangle spans the whole view: no corner lies
// inside it, yet it covers the screen and must be drawn (the device clips).
TEST_F(GroundTest, WaterReachingPastEveryEdgeOfTheViewIsDrawn) {
  GndWriter gnd(3, 3);
  for (int x = 0; x <= 3; ++x) {
    for (int z = 0; z <= 3; ++z) gnd.SetGridHeight(x, z, 4.0f);
  }
  Load(gnd.Build());
  m_view.MakeLookAt({0.5f, -1.0f, -0.3f}, {0.5f, 2.0f, 0.2f}, {0.0f, 1.0f, 0.0f});
  Render(1, 2.0f);
  const auto inView = [](const TexturedVertex& v) { return v.x >= 0 && v.x < kW && v.y >= 0 && v.y < kH; };
  const auto side = [](const TexturedVertex& a, const TexturedVertex& b, float x, float y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
  };
  bool spanning = false;
  for (const auto& [texture, tris] : m_rc.m_blendTris) {
    for (const QueuedTriangle& t : tris) {
      if (inView(t.v[0]) || inView(t.v[1]) || inView(t.v[2])) continue;
      const float cx = kW / 2.0f, cy = kH / 2.0f;
      const float d0 = side(t.v[0], t.v[1], cx, cy), d1 = side(t.v[1], t.v[2], cx, cy),
                  d2 = side(t.v[2], t.v[0], cx, cy);
      spanning = spanning || (d0 > 0 && d1 > 0 && d2 > 0) || (d0 < 0 && d1 < 0 && d2 < 0);
    }
  }
  EXPECT_TRUE(spanning);
  m_rc.ClearQueues();
}

}  // namespace

namespace {

namespace groundtest {
// A P6 picture of a 5-6-5 surface.
std::string Ppm(const Surface& s) {
  std::string out =
      "P6\n" + std::to_string(s.Width()) + " " + std::to_string(s.Height()) + "\n255\n";
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const uint16_t p = s.Row(y)[x];
      const int r = p >> 11, g = p >> 5 & 0x3F, b = p & 0x1F;
      out += {static_cast<char>(r << 3 | r >> 2), static_cast<char>(g << 2 | g >> 4),
              static_cast<char>(b << 3 | b >> 2)};
    }
  }
  return out;
}
}  // namespace groundtest

// A lit 3 x 3 ground with a slope, a step wall and a flagged (translucent)
// cell, drawn through the texture batches, against a picture kept in the
// source tree (SLV_UPDATE_GOLDEN=1 writes it anew).
TEST_F(GroundTest, LitGroundMatchesItsGoldenPicture) {
  groundtest::g_colors = {{"grass.bmp", 0x4DE9}, {"rock.bmp", 0xBDF7}, {"flag.bmp", 0xFE60}};
  GndWriter gnd(3, 3);
  const int grass = gnd.AddTexture("grass.bmp");
  const int rock = gnd.AddTexture("rock.bmp");
  const int flag = gnd.AddTexture("flag.bmp");
  for (int z = 0; z < 3; ++z) {
    for (int x = 0; x < 3; ++x) gnd.Cell(x, z).texture[0] = grass;
  }
  gnd.SetGridHeight(0, 0, -6.0f);
  gnd.SetGridHeight(1, 0, -3.0f);
  gnd.SetGridHeight(0, 1, -3.0f);
  gnd.Cell(0, 0).texture[0] = rock;
  gnd.Cell(1, 1).texture[0] = flag;
  gnd.Cell(1, 0).color = 0xFFFF8080;
  // Cell (0, 1) steps down into (0, 2): a rock wall facing +z.
  for (int c = 0; c < 4; ++c) gnd.Cell(0, 2).height[c] += 4.0f;
  gnd.Cell(0, 1).texture[2] = rock;
  CFrame frame;
  g_pCurrentFrame = &frame;
  Load(gnd.Build(), "set flag.bmp 1\nset gndopacity 160\n");
  m_ground.ComputeLighting(Vec3{0.5f, 0.7f, 0.5f}.Normalize(), {0.8f, 0.8f, 0.8f},
                           {0.3f, 0.3f, 0.3f});
  m_view.MakeLookAt({-8.0f, -40.0f, 50.0f}, {-4.0f, 0.0f, -4.0f}, {0.0f, 1.0f, 0.0f});

  Surface target(kW, kH, PixelFormat::RGB565), depth(kW, kH, PixelFormat::Depth16);
  Device3D device(target, &depth);
  m_rc.SetDevice(&device);
  device.Clear(Rect{0, 0, kW, kH}, kClearTarget | kClearDepth, 0xFF202040, 1.0f);
  ASSERT_EQ(device.BeginScene(), S_OK);
  Render();
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  m_textures.DrawBatches(m_rc, 0);
  m_textures.DrawFlaggedBatches(m_rc);
  device.EndScene();
  m_rc.SetDevice(nullptr);

  const std::string picture = groundtest::Ppm(target);
  const std::filesystem::path golden =
      testsupport::SourceDir() / "tests/render/golden/ground_lit.ppm";
  if (std::getenv("SLV_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(golden.parent_path());
    std::ofstream(golden, std::ios::binary) << picture;
  }
  EXPECT_EQ(picture, testsupport::ReadFile(golden)) << "compare with " << golden;
}

}  // namespace
