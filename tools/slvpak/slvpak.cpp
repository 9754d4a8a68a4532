// slvpak: builds, lists and reads pack files.
//
//   slvpak create OUT.pak [-z] [-C DIR] PATH...   files and folders under DIR
//   slvpak list PAK                               kind, stored, unpacked, name
//   slvpak cat PAK NAME                           one entry to standard output
//
// Reading goes through the engine's own pack list and file stream.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "engine/PackFile.h"
#include "tools/lib/PackWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsage = 2;

int Usage() {
  std::fputs(
      "usage: slvpak create OUT.pak [-z] [-C DIR] PATH...\n"
      "       slvpak list PAK\n"
      "       slvpak cat PAK NAME\n",
      stderr);
  return kUsage;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "slvpak: %s\n", message.c_str());
  return 1;
}

struct CreateArgs {
  std::string out;
  bool compress = false;
  fs::path dir = ".";
  std::vector<std::string> paths;
};

bool ParseCreate(const std::vector<std::string>& args, CreateArgs* create) {
  if (args.empty()) return false;
  create->out = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-z") {
      create->compress = true;
    } else if (args[i] == "-C" && i + 1 < args.size()) {
      create->dir = args[++i];
    } else {
      create->paths.push_back(args[i]);
    }
  }
  return !create->paths.empty();
}

// The files a path names: itself, or every file below a folder, in name order.
std::vector<fs::path> FilesOf(const fs::path& path) {
  if (!fs::is_directory(path)) return {path};
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(path)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The entry name of a file: its path below the folder, with "/".
bool EntryName(const fs::path& file, const fs::path& dir, std::string* name) {
  const fs::path relative = fs::weakly_canonical(file).lexically_relative(fs::weakly_canonical(dir));
  *name = relative.generic_string();
  return !relative.empty() && *relative.begin() != "..";
}

std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Create(const std::vector<std::string>& args) {
  CreateArgs create;
  if (!ParseCreate(args, &create)) return Usage();
  slvtools::PackWriter pack;
  std::set<std::string> names;
  uint64_t total = 0;
  for (const std::string& path : create.paths) {
    const fs::path full = fs::path(path).is_absolute() ? fs::path(path) : create.dir / path;
    if (!fs::exists(full)) return Fail(path + ": no such file or folder");
    for (const fs::path& file : FilesOf(full)) {
      std::string name;
      if (!EntryName(file, create.dir, &name)) return Fail(file.string() + ": not below " + create.dir.string());
      if (!names.insert(name).second) continue;
      const std::string bytes = ReadWhole(file);
      total += bytes.size();
      const bool added = create.compress ? pack.AddCompressed(name, bytes) : pack.AddStored(name, bytes);
      if (!added) return Fail(name + ": name longer than 255 bytes");
    }
  }
  if (total >= INT32_MAX) return Fail("the files are too large for one pack");
  if (!pack.WriteFile(create.out)) return Fail("cannot write " + create.out);
  return 0;
}

int List(const std::string& pak) {
  if (!RegisterPack(pak)) return Fail(pak + ": not a pack");
  for (const PackEntry& entry : GetPackList()->m_entries) {
    std::printf("%u %u %u %s\n", entry.m_kind, entry.m_storedSize, entry.m_unpackedSize, entry.m_name.c_str());
  }
  return 0;
}

// An empty working folder for as long as it lives, so that no loose file can
// stand in for an entry.
class EmptyWorkingFolder {
 public:
  EmptyWorkingFolder() : m_previous(fs::current_path()) {
    std::random_device random;
    m_path = fs::temp_directory_path() / ("slvpak-" + std::to_string(random()));
    fs::create_directory(m_path);
    fs::current_path(m_path);
  }
  ~EmptyWorkingFolder() {
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_path, ignored);
  }

 private:
  fs::path m_previous;
  fs::path m_path;
};

// Names below "data/" open as resources through the file stream; any other
// name (as in a launcher's pack) goes to the pack lookup directly.
bool IsResourceName(const std::string& name) {
  return name.size() > 5 && (name[4] == '/' || name[4] == '\\') &&
         platform::SameFileName(name.substr(0, 4), "data");
}

template <class Read>
bool CopyToOutput(Read read) {
  std::vector<char> buffer(65536);
  for (int32_t n; (n = read(buffer.data(), static_cast<int32_t>(buffer.size()))) > 0;) {
    if (std::fwrite(buffer.data(), 1, static_cast<size_t>(n), stdout) != static_cast<size_t>(n)) return false;
  }
  return std::fflush(stdout) == 0;
}

int Cat(const std::string& pak, const std::string& name) {
  const fs::path absolute = fs::absolute(pak);
  EmptyWorkingFolder folder;
  if (!RegisterPack(absolute.string())) return Fail(pak + ": not a pack");
  bool written = false;
  if (IsResourceName(name)) {
    SetResDirectory("\\");
    CFileStream stream;
    if (!stream.Open(name.substr(5), CFileStream::kRead)) return Fail(name + ": not in " + pak);
    written = CopyToOutput([&](char* buffer, int32_t count) { return stream.Read(buffer, count); });
    stream.Close();
  } else {
    const std::unique_ptr<cFile> reader = OpenPackedFile(name, kPackBufferSize);
    if (reader == nullptr) return Fail(name + ": not in " + pak);
    written = CopyToOutput([&](char* buffer, int32_t count) { return reader->Read(buffer, count); });
  }
  return written ? 0 : Fail("cannot write the output");
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "create") return Create({args.begin() + 1, args.end()});
  if (command == "list" && args.size() == 2) return List(args[1]);
  if (command == "cat" && args.size() == 3) return Cat(args[1], args[2]);
  return Usage();
}
