// The game program's entry: the command line as the original system gave it
// (the program's own path first, quoted when it holds a blank).
#include <string>

#include "field/main/GameMain.h"
#include "platform/Window.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 0; i < argc; ++i) {
    std::string word = argv[i];
    if (word.find_first_of(" \t") != std::string::npos) word = "\"" + word + "\"";
    if (i > 0) commandLine += ' ';
    commandLine += word;
  }
  return WinMain(nullptr, commandLine, platform::SW_SHOWNORMAL);
}
