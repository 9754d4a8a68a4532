// The launcher program's entry: the command line as the original system gave
// it, the program's own file first (quoted when it holds a blank), whatever
// name the program was started by.
#include <string>

#include "launcher/LauncherWindow.h"
#include "platform/FileSystem.h"

int main(int argc, char** argv) {
  std::string self = platform::ExecutablePath();
  if (self.empty()) self = argv[0];
  std::string commandLine = self.find_first_of(" \t") != std::string::npos ? "\"" + self + "\"" : self;
  for (int i = 1; i < argc; ++i) commandLine += std::string(" ") + argv[i];
  return LauncherWinMain(nullptr, commandLine);
}
