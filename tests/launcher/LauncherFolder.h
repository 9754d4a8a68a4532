#pragma once
// A launcher folder of the test's own as the working directory: small menu
// pictures, the settings store, the lock folder and PATH (for a recording
// desktop opener) all inside a temporary folder, restored afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/PackFile.h"
#include "engine/VideoSetup.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/TextureImages.h"

namespace launchertest {

inline constexpr int kWidth = 40;
inline constexpr int kHeight = 30;

// The three menu pictures differ at every pixel, so that what a hot spot
// shows tells which it copied.
inline slvtools::RgbaImage Picture(int kind) {
  slvtools::RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const auto v = [](int n) { return static_cast<uint8_t>(n); };
      image.At(x, y) = kind == 0   ? slvtools::Rgba{v(x * 5), v(y * 7), 20, 255}         // normal
                       : kind == 1 ? slvtools::Rgba{250, v(255 - x * 4), v(y * 8), 255}  // selected
                                   : slvtools::Rgba{9, 9, 9, 255};                       // hide
    }
  }
  return image;
}

// Blue, green, red bytes of a picture's pixel, as the launcher keeps them.
inline std::vector<uint8_t> Bgr(int kind, int x, int y) {
  const slvtools::Rgba p = Picture(kind).At(x, y);
  return {p.b, p.g, p.r};
}

class LauncherFolderTest : public ::testing::Test {
 protected:
  LauncherFolderTest() : m_previous(std::filesystem::current_path()), m_path(std::getenv("PATH")) {
    std::filesystem::create_directories(m_dir / "work");
    std::filesystem::current_path(m_dir / "work");
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    ::setenv("SLV_REGISTRY", (m_dir / "registry.ini").c_str(), 1);
    // Nothing of the machine's: the recording opener goes in "bin" when asked.
    ::setenv("PATH", (m_dir / "bin").c_str(), 1);
    Write("images/normal.bmp", slvtools::WriteBmp24(Picture(0)));
    Write("images/selected.bmp", slvtools::WriteBmp24(Picture(1)));
    Write("images/hide.bmp", slvtools::WriteBmp24(Picture(2)));
  }
  ~LauncherFolderTest() override {
    FreePacks();
    platform::SetMessageBoxHook(nullptr, nullptr);
    ::setenv("PATH", m_path.c_str(), 1);
    ::unsetenv("SLV_REGISTRY");
    std::filesystem::current_path(m_previous);
  }

  // A file under the working folder.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    return m_dir.Write("work/" + name, bytes);
  }
  // An executable shell script under the temporary folder.
  std::filesystem::path Script(const std::string& name, const std::string& body) {
    const auto path = m_dir.Write(name, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
  }
  // An opener that appends its argument to "opened.txt".
  void InstallRecordingOpener() {
    Script("bin/xdg-open", "echo \"$1\" >> '" + (m_dir / "opened.txt").string() + "'\n");
  }
  // The settings store names `folder` as the installed game; "selvarin"
  // marks it installed.
  void Install(const std::filesystem::path& folder, bool withLauncher = true) {
    std::filesystem::create_directories(folder);
    if (withLauncher) m_dir.Write(std::filesystem::relative(folder / "selvarin", m_dir.Path()).string(), "");
    platform::SettingsStore store;
    store.SetString(kProductKey, "Path", folder.string() + "/");
    store.Save((m_dir / "registry.ini").string());
  }
  // Waits up to five seconds for a file a started program writes.
  std::string WaitForFile(const std::filesystem::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!std::filesystem::exists(path) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // The writer may still be finishing its line.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return testsupport::ReadFile(path);
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  std::string m_path;
};

// Answers and records message boxes while alive.
class MessageBoxes {
 public:
  explicit MessageBoxes(std::vector<bool> answers = {}) : m_answers(std::move(answers)) {
    platform::SetMessageBoxHook(&MessageBoxes::Hook, this);
  }
  ~MessageBoxes() { platform::SetMessageBoxHook(nullptr, nullptr); }
  struct Box {
    std::string text, caption;
    bool okCancel;
  };
  std::vector<Box> boxes;
  // Runs before each answer (a test puts the disc in).
  std::function<void(size_t)> onAsk;

 private:
  static bool Hook(const std::string& text, const std::string& caption, bool okCancel, void* user) {
    auto* self = static_cast<MessageBoxes*>(user);
    self->boxes.push_back(Box{text, caption, okCancel});
    if (self->onAsk) self->onAsk(self->boxes.size());
    const size_t i = self->boxes.size() - 1;
    return i < self->m_answers.size() && self->m_answers[i];
  }
  std::vector<bool> m_answers;
};

}  // namespace launchertest
