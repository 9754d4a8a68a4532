// slvinspect: prints what the game's own loaders read from a data file.
//
//   slvinspect KIND FILE [OPTION]      FILE on disk, or PAK:NAME inside a pack
//   slvinspect expr TEXT --vars FILE   a script condition against a session
//
// The file is loaded through the loader the game uses for KIND and what the
// loader kept is printed as one JSON object. Exit status 0 when the loader
// accepts the file; 1, with the loader's debug trace on standard error, when
// it refuses it; 2 for a usage error.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "engine/AppShell.h"
#include "platform/DebugLog.h"
#include "platform/TextEncoding.h"
#include "tools/slvinspect/InspectDisplay.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace {

constexpr int kRefused = 1;
constexpr int kUsage = 2;

std::vector<std::string> g_trace;

void KeepTrace(const char* text, void*) { g_trace.emplace_back(text); }

int Usage() {
  std::fputs("usage: slvinspect KIND FILE [OPTION]\n"
             "       slvinspect expr TEXT --vars FILE\n"
             "       slvinspect shop|library N FILE\n"
             "FILE is a file on disk or PAK:NAME, an entry of a pack. Kinds:\n",
             stderr);
  for (const slvinspect::InspectKind& kind : slvinspect::InspectKinds()) {
    std::fprintf(stderr, "  %-9s %s\n", kind.name, kind.what);
  }
  return kUsage;
}

bool ParseOptions(const slvinspect::InspectKind& kind, const std::vector<std::string>& args,
                  slvinspect::InspectOptions* options) {
  for (const std::string& arg : args) {
    if (arg.empty() || arg != kind.option) return false;
    if (arg == "--tokens") options->tokens = true;
  }
  return true;
}

// What the loaders logged, then the tool's own line: a loader that refuses
// without a word still says so.
int Refused(const std::string& kind, const std::string& file) {
  if (std::getenv("SLV_DEBUGLOG") == nullptr) {
    for (const std::string& text : g_trace) {
      std::fprintf(stderr, "%s\n", platform::Cp949ToUtf8Escaped(text).c_str());
    }
  }
  std::fprintf(stderr, "slvinspect: the %s loader refuses %s\n", kind.c_str(), file.c_str());
  return kRefused;
}

// Where the game keeps its resources: "\" under "data", textures below it.
void SetGameFolders() {
  g_resRoot = "\\";
  g_texturePath = g_resRoot + "texture\\";
}

}  // namespace

namespace slvinspect {
size_t LoggedTextCount() { return g_trace.size(); }
const std::string& LoggedText(size_t index) { return g_trace.at(index); }
}  // namespace slvinspect

namespace {

// The FILE argument, or empty for a usage error.
std::string ParseArguments(const slvinspect::InspectKind& kind, const std::vector<std::string>& args,
                           slvinspect::InspectOptions* options) {
  if (kind.takesText) {
    if (args.size() != 4 || args[2] != kind.option) return "";
    options->text = args[1];
    return args[3];
  }
  if (kind.takesNumber) {
    if (args.size() != 3) return "";
    options->text = args[1];
    return args[2];
  }
  return ParseOptions(kind, {args.begin() + 2, args.end()}, options) ? args[1] : "";
}

int Inspect(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage();
  const slvinspect::InspectKind* kind = slvinspect::FindInspectKind(args[0]);
  slvinspect::InspectOptions options;
  if (kind == nullptr) return Usage();
  const std::string file = ParseArguments(*kind, args, &options);
  if (file.empty()) return Usage();

  // Never a window on the screen, never a sound.
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::SetDebugSink(KeepTrace, nullptr);
  SetGameFolders();

  slvinspect::JsonWriter out;
  bool accepted = false;
  {
    slvinspect::InspectSource source;
    switch (source.Open(file, kind->fixedName)) {
      case slvinspect::InspectSource::Status::kOpened:
        break;
      case slvinspect::InspectSource::Status::kWrongName:
        std::fprintf(stderr, "slvinspect: the %s loader reads only files named %s\n", kind->name, kind->fixedName);
        return kUsage;
      case slvinspect::InspectSource::Status::kNotAPack:
        return Refused(kind->name, file);
    }
    slvinspect::InspectDisplay display;
    if (kind->needsDisplay && !display.Open(source.ScratchFolder().string())) {
      std::fputs("slvinspect: the display device cannot be opened\n", stderr);
      return Refused(kind->name, file);
    }
    accepted = kind->inspect(source, options, out);
  }
  platform::SetDebugSink(nullptr, nullptr);
  if (!accepted) return Refused(kind->name, file);
  std::fputs(out.Output().c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : kRefused;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Inspect({argv + 1, argv + argc});
  } catch (const std::exception& e) {
    // The scratch folder could not be made or entered.
    std::fprintf(stderr, "slvinspect: %s\n", e.what());
    return kRefused;
  }
}
