#pragma once
// The game program as a whole: start-up in a fixed order, the game's run
// function, and shutdown in a fixed order.
#include <functional>
#include <string>
#include <vector>

#include "engine/VideoSetup.h"

// The settings read once at start.
extern VideoSetup g_videoSetup;

// The folder the packs are looked for in: the program's own path from the
// command line (the quoted first word, or the first word), up to and
// including its last separator; empty (the current folder) without one.
std::string ProgramFolderFromCommandLine(const std::string& commandLine);

// "data.pak" of the folder, then each of "data20.pak" to "data99.pak" that
// exists, in rising order.
void RegisterGamePacks(const std::string& folder);

// Reads the settings and creates the sound and display devices. False when a
// settings key is missing (after the set-up message) or a device failed;
// `failure` then says why.
bool LoadRegistrySettings(std::string* failure = nullptr);

// The game: tables, frame types, session and menus, then the frame manager
// from "logo"; the tables are freed when it returns.
void RunGame();

// The shutdown steps, in the order they run.
struct ShutdownStep {
  const char* name;
  std::function<void()> run;
};
std::vector<ShutdownStep> ShutdownSteps();

// The whole program; 0 after a normal end, non-zero when start-up failed
// (the reason on standard error).
int WinMain(void* instance, const std::string& commandLine, int showCommand);
