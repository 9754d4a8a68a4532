#include <gtest/gtest.h>

#include <string>

#include "engine/ResMgr.h"
#include "render/3dAttr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/GatWriter.h"

namespace {

using slvtools::GatWriter;

// A 4 x 4 grid: cell (x, z) has type 10 z + x and corner heights that rise
// by one per corner, offset by the cell's index.
GatWriter FourByFour(uint8_t major = 1, uint8_t minor = 2) {
  GatWriter gat(4, 4, major, minor);
  for (int z = 0; z < 4; ++z) {
    for (int x = 0; x < 4; ++x) {
      slvtools::GatCell& cell = gat.Cell(x, z);
      cell.type = 10 * z + x;
      const float base = static_cast<float>(z * 4 + x);
      for (int c = 0; c < 4; ++c) cell.height[c] = base + static_cast<float>(c);
    }
  }
  return gat;
}

class AttrTest : public GameFolderTest {
 protected:
  bool LoadBytes(const std::string& bytes) {
    Write("data/field.gat", bytes);
    return m_attr.Load("field.gat");
  }
  C3dAttr m_attr;
};

TEST_F(AttrTest, TypesAndHeightsOfAFourByFourGrid) {
  ASSERT_TRUE(LoadBytes(FourByFour().Build()));
  ASSERT_EQ(m_attr.Width(), 4);
  ASSERT_EQ(m_attr.Height(), 4);
  // The grid spans -10..10 in x and z, cells of 5.
  struct Case {
    float x, z;
    int type;
    float height;
  } cases[] = {
      {0.0f, 0.0f, 22, 10.0f},    // the centre is corner 0 of cell (2, 2)
      {2.5f, 2.5f, 22, 11.5f},    // the middle of that cell: the mean of 10..13
      {-10.0f, -10.0f, 0, 0.0f},  // the grid's first corner
      {-7.5f, -10.0f, 0, 0.5f},   // half way along cell (0, 0)'s first edge
      {-10.0f, -7.5f, 0, 1.0f},   // half way down its other edge
      {9.9f, 9.9f, 33, 17.94f},   // far corner, just inside
      {10.0f, 0.0f, 0, 0.0f},     // on the far edge: outside
      {0.0f, 10.0f, 0, 0.0f},
      // Cells are found by truncation: less than a cell before the grid
      // still reads column 0, its height carried on from the cell.
      {-10.5f, 0.0f, 20, 7.9f},
      {-15.5f, 0.0f, 0, 0.0f},
      {1e30f, -1e30f, 0, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.z);
    EXPECT_EQ(m_attr.GetCellType(c.x, c.z), c.type);
    EXPECT_NEAR(m_attr.GetHeight(c.x, c.z), c.height, 1e-4f);
  }
}

TEST_F(AttrTest, VersionsOneToOneTwoLoadAndOthersLoadEmpty) {
  struct Case {
    uint8_t major, minor;
    int32_t width;
  } cases[] = {{1, 0, 4}, {1, 1, 4}, {1, 2, 4}, {1, 3, 0}, {2, 0, 0}, {0, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.major} << "." << int{c.minor});
    testsupport::DebugLogCapture log;
    EXPECT_TRUE(LoadBytes(FourByFour(c.major, c.minor).Build()));
    EXPECT_EQ(m_attr.Width(), c.width);
    EXPECT_EQ(m_attr.Height(), c.width);
    EXPECT_EQ(log.Contains("C3dAttr::Unsupported Version"), c.width == 0);
    EXPECT_EQ(m_attr.GetCellType(0.0f, 0.0f), c.width == 0 ? 0 : 22);
    EXPECT_EQ(m_attr.GetHeight(0.0f, 0.0f), c.width == 0 ? 0.0f : 10.0f);
  }
}

TEST_F(AttrTest, BadFilesFailAndLeaveAnEmptyGrid) {
  const std::string good = FourByFour().Build();
  std::string noMagic = good;
  noMagic[3] = 'X';
  std::string negative = good;
  negative[9] = '\xFF';  // width -1
  std::string huge = good;
  huge.replace(6, 8, "\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F");  // 2^31 - 1 squared cells
  struct Case {
    const char* what;
    std::string bytes;
    const char* logged;
  } cases[] = {
      {"no magic", noMagic, "옛버젼의 GAT 파일입니다"},
      {"empty", "", "옛버젼의 GAT 파일입니다"},
      {"no version", "QZAT", ""},
      {"one cell short", good.substr(0, good.size() - 20), "do not fit"},
      {"one byte short", good.substr(0, good.size() - 1), "do not fit"},
      {"negative size", negative, "do not fit"},
      {"huge size", huge, "do not fit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(LoadBytes(good));
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(LoadBytes(c.bytes));
    EXPECT_TRUE(log.Contains(c.logged));
    EXPECT_EQ(m_attr.Width(), 0);
    EXPECT_EQ(m_attr.GetCellType(0.0f, 0.0f), 0);
  }
  // The magic's text is the original's, word for word.
  testsupport::DebugLogCapture log;
  LoadBytes(noMagic);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(
      log.Lines()[0],
      "Block Attr 이 지원되지 않는 옛버젼의 GAT 파일입니다. 새 버젼의 TERRAVELD 에서 교정하세요");
}

TEST_F(AttrTest, TheResourceManagerMakesGridsFromGatFiles) {
  Write("data/town.gat", FourByFour().Build());
  CRes* res = CResMgr::GetInstance().GetRes("Town.GAT");
  auto* attr = dynamic_cast<C3dAttr*>(res);
  ASSERT_NE(attr, nullptr);
  EXPECT_EQ(attr->GetCellType(0.0f, 0.0f), 22);
  CResMgr::GetInstance().ReleaseRes(res);
}

}  // namespace
