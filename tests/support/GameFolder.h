#pragma once
// A fresh game folder as the working directory (inside a temporary folder, so
// that ".." has somewhere to go), with no packs registered.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/FileStream.h"
#include "engine/PackFile.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/PackWriter.h"

class GameFolderTest : public ::testing::Test {
 protected:
  GameFolderTest() : m_previous(std::filesystem::current_path()) {
    std::filesystem::create_directories(m_dir / "game");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
  }
  ~GameFolderTest() override {
    FreePacks();
    SetResDirectory("\\");
    std::filesystem::current_path(m_previous);
  }

  // A file under the game folder.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    return m_dir.Write("game/" + name, bytes);
  }
  bool AddPack(const std::string& fileName, const slvtools::PackWriter& pack) {
    Write(fileName, pack.Build());
    return RegisterPack(fileName);
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
};

// Everything a reader delivers from where it stands, `chunk` bytes a call.
inline std::string ReadRest(cFile& reader, int32_t chunk = 4096) {
  std::string out;
  std::string buffer(static_cast<size_t>(chunk), '\0');
  for (int32_t n; (n = reader.Read(buffer.data(), chunk)) > 0;) out.append(buffer.data(), static_cast<size_t>(n));
  return out;
}
