#pragma once
// The update installer: installs the update "1.13" from the current folder
// into the installed game folder that the settings store names.
#include <functional>
#include <string>

#include "platform/FileOperations.h"

// What the installer touches outside the two folders; tests replace parts.
struct PatcherHost {
  PatcherHost();
  std::string settingsFile;   // the settings store's file
  std::string sourceFolder;   // where the update's files lie
  platform::FileOperations files;
  std::function<void(const std::string& text, const std::string& caption)> showMessage;
  std::function<bool(const std::string& path)> openDocument;
  // Sees each step of the install once it is done; by default it ends the
  // program after the step that SLV_PATCHER_EXIT_AFTER names, as a kill would
  // (the tests of a run ended half-way).
  std::function<void(const std::string& step)> afterStep;
};

// The exit status of a program ended after a chosen step.
inline constexpr int kPatcherStepExit = 86;

// 0 after a completed update, -1 when the game is not installed, -2 when the
// update could not be installed (the installed folder is left as it was) or
// a journal of an earlier run cannot be followed (left with all its files).
int PatcherWinMain();
int PatcherWinMain(PatcherHost& host);

// The installed folder from the stored "Path": one trailing "\" or "/"
// dropped, unless the path is that one character.
std::string InstalledFolder(std::string path);
