#include "engine/MemFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GameFolder.h"

namespace {

class MemFileTest : public GameFolderTest {
 protected:
  // The memory file of a loose "data/ten.bin" holding the ten digits.
  void LoadTen() {
    Write("data/ten.bin", "0123456789");
    CFileStream stream;
    ASSERT_TRUE(stream.Open("ten.bin", CFileStream::kRead));
    ASSERT_TRUE(m_ten.Load(stream));
  }
  CMemFile m_ten;
};

TEST_F(MemFileTest, LoadsAWholeEntryButNeverAnEmptyFile) {
  std::string table;
  for (int i = 0; i < 2000; ++i) table += "item " + std::to_string(i) + "\n";
  slvtools::PackWriter pack;
  pack.AddCompressed("data/table.txt", table);
  ASSERT_TRUE(AddPack("data.pak", pack));
  Write("data/empty.txt", "");

  CFileStream stream;
  CMemFile file;
  ASSERT_TRUE(stream.Open("table.txt", CFileStream::kRead));
  ASSERT_TRUE(file.Load(stream));
  EXPECT_EQ(file.GetName(), "table.txt");
  ASSERT_EQ(file.GetSize(), static_cast<int32_t>(table.size()));
  std::string bytes(table.size(), '\0');
  EXPECT_TRUE(file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
  EXPECT_EQ(bytes, table);

  ASSERT_TRUE(stream.Open("empty.txt", CFileStream::kRead));
  EXPECT_FALSE(file.Load(stream));
  EXPECT_EQ(file.GetSize(), 0);
  stream.Close();
  EXPECT_FALSE(file.Load(stream));
}

TEST_F(MemFileTest, AShortReadLeavesZerosNotStaleMemory) {
  const auto path = Write("data/shrinking.bin", std::string(100, 'x'));
  CFileStream stream;
  ASSERT_TRUE(stream.Open("shrinking.bin", CFileStream::kRead));
  std::filesystem::resize_file(path, 40);  // the file shrinks after it was opened
  CMemFile file;
  ASSERT_TRUE(file.Load(stream));
  ASSERT_EQ(file.GetSize(), 100);
  std::string bytes(100, '?');
  ASSERT_TRUE(file.Read(bytes.data(), 100));
  EXPECT_EQ(bytes, std::string(40, 'x') + std::string(60, '\0'));
}

TEST_F(MemFileTest, ReadsOnlyWithinTheData) {
  ASSERT_NO_FATAL_FAILURE(LoadTen());
  CMemFile& file = m_ten;

  const struct {
    int32_t pos;
    uint32_t count;
    const char* error;  // null: the read succeeds
  } cases[] = {
      {0, 10, nullptr},
      {9, 1, nullptr},
      {3, 0, nullptr},
      {10, 0, "Error 1 in CMemFile :: Read(void* lpBuf, UINT nCount)"},  // no byte left, even for none
      {-1, 1, "Error 1 in CMemFile :: Read(void* lpBuf, UINT nCount)"},
      {5, 6, "Error 2 in CMemFile :: Read(void* lpBuf, UINT nCount)"},
      {2, 0xFFFFFFFFu, "Error 2 in CMemFile :: Read(void* lpBuf, UINT nCount)"},  // -1 from a file
  };
  for (const auto& c : cases) {
    file.Seek(c.pos, 0);
    std::string buffer(10, '?');
    testsupport::DebugLogCapture log;
    const bool ok = file.Read(buffer.data(), c.count);
    EXPECT_EQ(ok, c.error == nullptr) << c.pos << " " << c.count;
    if (ok) {
      EXPECT_EQ(buffer.substr(0, c.count), std::string("0123456789").substr(static_cast<size_t>(c.pos), c.count));
      EXPECT_EQ(file.GetPosition(), c.pos + static_cast<int64_t>(c.count));
    } else {
      EXPECT_EQ(log.Lines(), (std::vector<std::string>{c.error, "ten.bin"}));
      EXPECT_EQ(buffer, std::string(10, '?'));
      EXPECT_EQ(file.GetPosition(), c.pos);
    }
  }
}

TEST_F(MemFileTest, SeeksFromTheStartThePositionOrTheEnd) {
  ASSERT_NO_FATAL_FAILURE(LoadTen());
  CMemFile& file = m_ten;
  file.Seek(4, 0);
  EXPECT_EQ(file.GetPosition(), 4);
  file.Seek(3, 1);
  EXPECT_EQ(file.GetPosition(), 7);
  file.Seek(-2, 2);
  EXPECT_EQ(file.GetPosition(), 8);
  testsupport::DebugLogCapture log;
  file.Seek(1, 3);
  EXPECT_EQ(file.GetPosition(), 8);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Error in void\tCMemFile :: Seek(LONG lOff, UINT nFrom)", "ten.bin"}));
}

}  // namespace
