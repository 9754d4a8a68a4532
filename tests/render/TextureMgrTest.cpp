#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "platform/Clock.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

// Stands in for the texture files: names beginning with "missing" do not
// load, "alpha" ones have transparent texels. Every texture counts 8 x 4 x 32
// bits and is a 2 x 2 checker of the colours given to its name.
struct FakeDisk {
  std::map<std::string, int> loads;
  std::string directory;  // the resource directory during the last load
  std::map<std::string, std::pair<uint16_t, uint16_t>> colors;
};
FakeDisk g_disk;

constexpr uint32_t kBytes = 8 * 4 * 4;

namespace texturemgrtest {
Result FakeLoad(CTexture& t, const char* name) {
  const std::string n = name;
  ++g_disk.loads[n];
  g_disk.directory = GetResDirectory();
  if (n.starts_with("missing")) return E_FAIL;
  t.m_name = n;
  t.m_width = 8;
  t.m_height = 4;
  t.m_bitsPerPixel = 32;
  t.m_hasTransparency = n.starts_with("alpha") ? 1 : 0;
  const auto [a, b] = g_disk.colors[n];
  t.m_surface = std::make_shared<Surface>(2, 2, PixelFormat::RGB565);
  t.m_surface->Row(0)[0] = t.m_surface->Row(1)[1] = a;
  t.m_surface->Row(0)[1] = t.m_surface->Row(1)[0] = b;
  t.m_texture = t.m_surface.get();
  return S_OK;
}
}  // namespace texturemgrtest

class TextureCacheTest : public ::testing::Test {
 protected:
  TextureCacheTest() : m_clock(1000), m_clockGuard(&m_clock), m_savedPath(g_texturePath) {
    g_disk = FakeDisk{};
    g_texturePath = "\\texture\\";
    SetResDirectory("\\");
  }
  ~TextureCacheTest() override {
    g_texturePath = m_savedPath;
    SetResDirectory("\\");
  }

  FakeClock m_clock;
  ScopedClockSource m_clockGuard;
  std::string m_savedPath;
  CTextureMgr m_mgr{texturemgrtest::FakeLoad};
  CTgaTextureMgr m_tga{texturemgrtest::FakeLoad};
};

TEST_F(TextureCacheTest, LoadsEachNameOnceAndRetriesWhatFailed) {
  CTexture* a = m_mgr.GetTexture("a.bmp", 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(g_disk.directory, "\\texture\\");
  EXPECT_EQ(m_mgr.GetTexture("a.bmp", 0), a);
  EXPECT_EQ(m_mgr.Load("a.bmp", 0), 1);
  EXPECT_EQ(m_mgr.Find("A.bmp", 0), nullptr);  // names are case-sensitive
  EXPECT_EQ(g_disk.loads["a.bmp"], 1);
  // The flagged list is a cache of its own.
  CTexture* flagged = m_mgr.GetTexture("a.bmp", 1);
  EXPECT_NE(flagged, a);
  EXPECT_EQ(g_disk.loads["a.bmp"], 2);
  EXPECT_EQ(m_mgr.Count(), 1);
  EXPECT_EQ(m_mgr.FlaggedCount(), 1);
  EXPECT_EQ(m_mgr.MemoryBytes(), 2 * kBytes);

  testsupport::DebugLogCapture log;
  EXPECT_EQ(m_mgr.GetTexture("missing.bmp", 0), nullptr);
  EXPECT_TRUE(log.Contains("texture missing.bmp load failed"));
  EXPECT_EQ(m_mgr.Load("missing.bmp", 0), E_FAIL);
  EXPECT_EQ(g_disk.loads["missing.bmp"], 2);
  EXPECT_EQ(m_mgr.Count(), 1);
  EXPECT_EQ(m_mgr.MemoryBytes(), 2 * kBytes);
}

TEST_F(TextureCacheTest, PurgeFreesUnlockedTexturesUnusedForMoreThan20000Ms) {
  CTexture* locked = m_mgr.GetTexture("locked.bmp", 0);
  m_mgr.GetTexture("old.bmp", 0);
  m_mgr.GetTexture("edge.bmp", 0);
  m_mgr.GetTexture("flag.bmp", 1);
  EXPECT_EQ(m_mgr.Lock(locked), 1);
  m_clock.Set(1001);
  m_mgr.Find("edge.bmp", 0);
  m_mgr.Find("flag.bmp", 1);  // a flagged hit is no use
  m_clock.Set(21001);
  m_mgr.PurgeUnused();
  EXPECT_NE(m_mgr.Find("locked.bmp", 0), nullptr);
  EXPECT_NE(m_mgr.Find("edge.bmp", 0), nullptr);  // 20000 ms
  EXPECT_EQ(m_mgr.Find("old.bmp", 0), nullptr);   // 20001 ms
  EXPECT_EQ(m_mgr.Find("flag.bmp", 1), nullptr);
  EXPECT_EQ(m_mgr.MemoryBytes(), 2 * kBytes);

  // A lock stamps the use; ages are measured across the clock's wrap.
  m_mgr.ReleaseAll();
  m_clock.Set(0xFFFFFF00u - 5000);
  CTexture* wrapped = m_mgr.GetTexture("wrapped.bmp", 0);
  m_clock.Set(0xFFFFFF00u);
  m_mgr.Lock(wrapped);
  m_mgr.UnLock(wrapped);
  m_clock.Set(20000 - 0x100);
  m_mgr.PurgeUnused();
  EXPECT_EQ(m_mgr.Count(), 1);
  m_clock.Set(20001 - 0x100);
  m_mgr.PurgeUnused();
  EXPECT_EQ(m_mgr.Count(), 0);
}

TEST_F(TextureCacheTest, AnUnlockTooManyIsLoggedAndTheCountStaysAtZero) {
  CTexture* t = m_mgr.GetTexture("t.bmp", 0);
  m_mgr.Lock(t);
  m_mgr.Lock(t);
  testsupport::DebugLogCapture log;
  for (int i = 0; i < 3; ++i) m_mgr.UnLock(t);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0],
            "Lock Count misMatch in void\tCTextureMgr\t:: UnLock(PTexture t) Texture Name : t.bmp ");
  EXPECT_EQ(t->m_lockCount, 0);
  m_clock.Advance(20001);
  m_mgr.PurgeUnused();
  EXPECT_EQ(m_mgr.Count(), 0);
  // Null textures (a failed load) are ignored.
  EXPECT_EQ(m_mgr.Lock(nullptr), 0);
  m_mgr.UnLock(nullptr);
}

TEST_F(TextureCacheTest, FreeUnmarkedSparesMarkedAndLockedTextures) {
  m_mgr.GetTexture("before.bmp", 0);
  m_mgr.GetTexture("before-flag.bmp", 1);
  m_mgr.MarkAll();
  m_mgr.GetTexture("after.bmp", 0);
  m_mgr.GetTexture("after-flag.bmp", 1);
  m_mgr.Lock(m_mgr.GetTexture("after-locked.bmp", 0));
  m_mgr.FreeUnmarked();
  m_mgr.FreeUnmarked();  // marks stay
  EXPECT_NE(m_mgr.Find("before.bmp", 0), nullptr);
  EXPECT_NE(m_mgr.Find("before-flag.bmp", 1), nullptr);
  EXPECT_NE(m_mgr.Find("after-locked.bmp", 0), nullptr);
  EXPECT_EQ(m_mgr.Find("after.bmp", 0), nullptr);
  EXPECT_EQ(m_mgr.Find("after-flag.bmp", 1), nullptr);
  EXPECT_EQ(m_mgr.MemoryBytes(), 3 * kBytes);
}

TEST_F(TextureCacheTest, DestroyRemovesExactlyThatEntry) {
  CTexture* ordinary = m_mgr.GetTexture("same.bmp", 0);
  CTexture* flagged = m_mgr.GetTexture("same.bmp", 1);
  m_mgr.GetTexture("other.bmp", 1);
  m_mgr.Destroy(flagged);
  EXPECT_EQ(m_mgr.Find("same.bmp", 0), ordinary);
  EXPECT_EQ(m_mgr.Find("same.bmp", 1), nullptr);
  EXPECT_NE(m_mgr.Find("other.bmp", 1), nullptr);
  EXPECT_EQ(m_mgr.MemoryBytes(), 2 * kBytes);
  CTexture stranger;
  testsupport::DebugLogCapture log;
  m_mgr.Destroy(&stranger);
  EXPECT_TRUE(log.Contains("Destroy Failure!!!"));
  EXPECT_EQ(m_mgr.MemoryBytes(), 2 * kBytes);
  m_mgr.ReleaseAll();
  EXPECT_EQ(m_mgr.Count() + m_mgr.FlaggedCount(), 0);
  EXPECT_EQ(m_mgr.MemoryBytes(), 0u);
}

TEST_F(TextureCacheTest, TheTgaCacheKeepsTheSameRules) {
  CTexture* a = m_tga.GetTexture("a.tga");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(g_disk.directory, "\\texture\\");
  EXPECT_EQ(m_tga.GetTexture("a.tga"), a);
  EXPECT_EQ(m_tga.Load("a.tga"), 1);
  EXPECT_EQ(g_disk.loads["a.tga"], 1);
  {
    testsupport::DebugLogCapture log;
    EXPECT_EQ(m_tga.GetTexture("missing.tga"), nullptr);
    EXPECT_TRUE(log.Contains("TGA texture missing.tga load failed"));
    m_tga.UnLock(a);
    EXPECT_TRUE(log.Contains("Texture Name : a.tga "));
  }
  m_tga.MarkAll();
  CTexture* later = m_tga.GetTexture("later.tga");
  m_tga.GetTexture("later-locked.tga");
  m_mgr.Lock(m_tga.Find("later-locked.tga"));
  m_tga.FreeUnmarked();
  EXPECT_EQ(m_tga.Find("later.tga"), nullptr);
  EXPECT_EQ(m_tga.Count(), 2);
  EXPECT_EQ(m_tga.MemoryBytes(), 2 * kBytes);
  (void)later;

  m_clock.Advance(20000);
  m_tga.Find("a.tga");
  m_clock.Advance(1);
  m_tga.PurgeUnused();
  EXPECT_NE(m_tga.Find("a.tga"), nullptr);
  m_clock.Advance(20001);
  m_tga.PurgeUnused();
  EXPECT_EQ(m_tga.Find("a.tga"), nullptr);
  EXPECT_NE(m_tga.Find("later-locked.tga"), nullptr);
  m_tga.ReleaseAll();
  EXPECT_EQ(m_tga.Count(), 0);
  EXPECT_EQ(m_tga.MemoryBytes(), 0u);
}

namespace texturemgrtest {
constexpr uint16_t kRed = 0xF800, kYellow = 0xFFE0, kBlue = 0x001F, kGreen = 0x07E0;
}  // namespace texturemgrtest

// Batches drawn into a small target of their own.
class TextureBatchTest : public TextureCacheTest {
 protected:
  static constexpr int kW = 12, kH = 8;
  TextureBatchTest()
      : m_target(kW, kH, PixelFormat::RGB565),
        m_depth(kW, kH, PixelFormat::Depth16),
        m_device(m_target, &m_depth) {
    m_rc.SetViewSize(kW, kH);
    m_rc.SetDevice(&m_device);
    m_device.Clear(Rect{0, 0, kW, kH}, kClearTarget | kClearDepth, 0, 1.0f);
    CRC::s_primitiveCount = 0;
  }
  ~TextureBatchTest() override {
    g_zBufferSort = 0;
    g_brightnessFactor = 1.0f;
  }

  // A texture of two colours with one triangle queued at reciprocal w rhw.
  CTexture* Queue(const char* name, uint16_t a, uint16_t b, TriangleBatch& batch, float rhw,
                  float x0, float y0, float x1, float y1, float x2, float y2) {
    g_disk.colors[name] = {a, b};
    CTexture* t = m_mgr.GetTexture(name, std::string(name).starts_with("flag") ? 1 : 0);
    batch.v[0] = TexturedVertex{x0, y0, 0, rhw, 0xFFFFFFFF, 0, 0, 0};
    batch.v[1] = TexturedVertex{x1, y1, 0, rhw, 0xFFFFFFFF, 0, 1, 0};
    batch.v[2] = TexturedVertex{x2, y2, 0, rhw, 0xFFFFFFFF, 0, 0, 1};
    batch.next = t->m_batch;
    t->m_batch = &batch;
    return t;
  }
  std::vector<std::string> Picture() const {
    std::vector<std::string> rows;
    for (int y = 0; y < kH; ++y) {
      std::string& row = rows.emplace_back();
      for (int x = 0; x < kW; ++x) {
        switch (m_target.Row(y)[x]) {
          case texturemgrtest::kRed: row += 'R'; break;
          case texturemgrtest::kYellow: row += 'Y'; break;
          case texturemgrtest::kBlue: row += 'B'; break;
          case texturemgrtest::kGreen: row += 'G'; break;
          case 0: row += '_'; break;
          default: row += '?';
        }
      }
    }
    return rows;
  }
  void Draw(int alphaPass) {
    ASSERT_EQ(m_device.BeginScene(), S_OK);
    m_mgr.DrawBatches(m_rc, alphaPass);
    m_device.EndScene();
  }

  Surface m_target;
  Surface m_depth;
  Device3D m_device;
  CRC565 m_rc;
};

TEST_F(TextureBatchTest, DrawBatchesMatchesTheGoldenImage) {
  // The near texture is drawn first; the depth from its reciprocal w keeps
  // the far one behind it.
  TriangleBatch nearTri, farTri;
  Queue("near.bmp", texturemgrtest::kRed, texturemgrtest::kYellow, nearTri, 1.0f / 20, 0, 0, 8, 0, 0, 8);
  Queue("far.bmp", texturemgrtest::kBlue, texturemgrtest::kGreen, farTri, 1.0f / 500, 2, 1, 12, 1, 2, 8);
  Draw(0);
  // R red, Y yellow (near); B blue, G green (far); _ cleared.
  static constexpr const char* kGolden[kH] = {
      "RRRRYYYY____",
      "RRRRYYYGGGGG",
      "RRRRYYBGGGG_",
      "RRRRYBBGGG__",
      "YYYYBBBG____",
      "YYYGGGG_____",
      "YYGGG_______",
      "Y_GG________",
  };
  EXPECT_EQ(Picture(), std::vector<std::string>(std::begin(kGolden), std::end(kGolden)));
  EXPECT_EQ(CRC::s_primitiveCount, 2);
  // The batches keep their depths and the texture its link no more.
  EXPECT_FLOAT_EQ(nearTri.v[2].z, DepthFromRhw(1.0f / 20));
  EXPECT_EQ(farTri.v[1].specular, 0x80FFFFFFu);
  EXPECT_EQ(m_mgr.Find("near.bmp", 0)->m_batch, nullptr);
}

TEST_F(TextureBatchTest, DepthSortingDrawsTheFarthestTextureFirst) {
  m_device.SetRenderState(RenderState::ZEnable, 0);  // the last drawn covers
  for (int sort : {0, 1}) {
    SCOPED_TRACE(sort);
    g_zBufferSort = sort;
    TriangleBatch nearTri, farTri;
    Queue("near.bmp", texturemgrtest::kRed, texturemgrtest::kRed, nearTri, 1.0f / 20, 0, 0, 12, 0, 0, 8);
    Queue("far.bmp", texturemgrtest::kBlue, texturemgrtest::kBlue, farTri, 1.0f / 500, 0, 0, 12, 0, 0, 8);
    Draw(0);
    EXPECT_EQ(m_target.Row(1)[1], sort != 0 ? texturemgrtest::kRed : texturemgrtest::kBlue);
  }
}

TEST_F(TextureBatchTest, EachPassDrawsItsOwnTexturesAndUnlinksThem) {
  m_device.SetRenderState(RenderState::ZEnable, 0);
  TriangleBatch plain, plain2, alpha, flag;
  CTexture* p = Queue("plain.bmp", texturemgrtest::kRed, texturemgrtest::kRed, plain, 0.1f, 0, 0, 4, 0, 0, 4);
  Queue("plain.bmp", texturemgrtest::kRed, texturemgrtest::kRed, plain2, 0.1f, 4, 0, 8, 0, 4, 4);  // the chain's second
  CTexture* a = Queue("alpha.bmp", texturemgrtest::kBlue, texturemgrtest::kBlue, alpha, 0.1f, 0, 4, 4, 4, 0, 8);
  CTexture* f = Queue("flag.bmp", texturemgrtest::kGreen, texturemgrtest::kGreen, flag, 0.1f, 8, 0, 12, 0, 8, 4);
  Draw(0);
  EXPECT_EQ(CRC::s_primitiveCount, 2);
  EXPECT_EQ(p->m_batch, nullptr);
  EXPECT_EQ(a->m_batch, &alpha);
  EXPECT_EQ(f->m_batch, &flag);
  EXPECT_EQ(m_target.Row(0)[5], texturemgrtest::kRed);
  EXPECT_EQ(m_target.Row(4)[0], 0);
  Draw(1);
  EXPECT_EQ(m_target.Row(4)[0], texturemgrtest::kBlue);
  EXPECT_EQ(a->m_batch, nullptr);
  EXPECT_EQ(m_target.Row(0)[8], 0);
  ASSERT_EQ(m_device.BeginScene(), S_OK);
  m_mgr.DrawFlaggedBatches(m_rc);
  m_device.EndScene();
  EXPECT_EQ(m_target.Row(0)[8], texturemgrtest::kGreen);
  EXPECT_EQ(f->m_batch, nullptr);
  EXPECT_EQ(CRC::s_primitiveCount, 4);

  Queue("plain.bmp", texturemgrtest::kRed, texturemgrtest::kRed, plain, 0.1f, 0, 0, 4, 0, 0, 4);
  Queue("flag.bmp", texturemgrtest::kGreen, texturemgrtest::kGreen, flag, 0.1f, 8, 0, 12, 0, 8, 4);
  m_mgr.ClearBatchLinks();
  EXPECT_EQ(p->m_batch, nullptr);
  EXPECT_EQ(f->m_batch, nullptr);
}

TEST_F(TextureBatchTest, BrightnessScalesTheColoursOnlyWhileDrawing) {
  m_device.SetRenderState(RenderState::ZEnable, 0);
  TriangleBatch dimmed, reference;
  Queue("white.bmp", 0xFFFF, 0xFFFF, dimmed, 0.1f, 0, 0, 12, 0, 0, 8);
  dimmed.v[0].diffuse = dimmed.v[1].diffuse = dimmed.v[2].diffuse = 0x80FF8040;
  g_brightnessFactor = 0.5f;
  Draw(0);
  const uint16_t drawn = m_target.Row(1)[1];
  EXPECT_EQ(dimmed.v[1].diffuse, 0x80FF8040u);

  Queue("white.bmp", 0xFFFF, 0xFFFF, reference, 0.1f, 0, 0, 12, 0, 0, 8);
  reference.v[0].diffuse = reference.v[1].diffuse = reference.v[2].diffuse = 0x807F4020;
  g_brightnessFactor = 1.0f;
  Draw(0);
  EXPECT_EQ(m_target.Row(1)[1], drawn);
  EXPECT_NE(drawn, 0);
}

}  // namespace
