#pragma once
// A game folder of its own in which a fuzz input becomes a data file, loaded
// with the folder as the working directory (only then: libFuzzer's corpus
// paths may be relative).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/FileStream.h"

class DataFileFuzzEnv {
 public:
  explicit DataFileFuzzEnv(const std::string& tag)
      : m_dir(std::filesystem::temp_directory_path() /
              ("slv-fuzz-" + tag + "-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(m_dir / "data");
  }
  ~DataFileFuzzEnv() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  // `name` lies under "data/" and may name a folder there.
  template <class Load>
  void Run(const std::string& name, const uint8_t* data, size_t size, Load load) {
    std::filesystem::create_directories((m_dir / "data" / name).parent_path());
    std::ofstream(m_dir / "data" / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
    SetResDirectory("\\");
    load();
    std::filesystem::current_path(previous);
  }

 private:
  std::filesystem::path m_dir;
};
