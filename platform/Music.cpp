#include "platform/Music.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/AudioOutput.h"
#include "platform/TrackStream.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

std::vector<std::string> g_mountFolders;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> SplitPath(const std::string& list) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(':', start), list.size());
    if (end > start) parts.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// The entries of a folder sorted by name; empty when it cannot be read.
std::vector<fs::directory_entry> SortedEntries(const std::string& folder) {
  std::vector<fs::directory_entry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    entries.push_back(*it);
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  return entries;
}

// The tracks of a disc by number; of two files with one number the first by
// name counts.
std::map<int, std::string> ScanTracks(const std::string& root) {
  std::map<int, std::string> tracks;
  for (const fs::directory_entry& e : SortedEntries(root)) {
    std::error_code ec;
    if (!e.is_regular_file(ec)) continue;
    const int n = TrackNumberOfFile(e.path().filename().string());
    if (n >= 0) tracks.emplace(n, e.path().string());
  }
  return tracks;
}

// Discs in mount folders, played from their track files.
class DiscFolderPlayer : public CdPlayer {
 public:
  std::vector<DiscDrive> ListDrives() override {
    std::vector<DiscDrive> drives;
    for (const std::string& folder : DiscMountFolders()) {
      for (const fs::directory_entry& e : SortedEntries(folder)) {
        std::error_code ec;
        if (e.is_directory(ec)) drives.push_back({e.path().string(), e.path().filename().string()});
      }
    }
    return drives;
  }

  CdDeviceId Open(const std::string& driveRoot) override {
    if (!IsDirectory(driveRoot) || !audio::Acquire()) return 0;
    const CdDeviceId id = m_nextId++;
    m_devices[id].root = driveRoot;
    m_devices[id].tracks = ScanTracks(driveRoot);
    return id;
  }

  bool Play(CdDeviceId id, int from, int to) override {
    Device* d = Find(id);
    if (d == nullptr || d->tracks.count(from) == 0 || to <= from) return false;
    std::vector<std::string> files;
    for (auto it = d->tracks.find(from); it != d->tracks.end() && it->first < to; ++it) {
      files.push_back(it->second);
    }
    d->stream.reset();
    d->stream = std::make_unique<TrackStream>(std::move(files));
    return true;
  }

  bool QueryMode(CdDeviceId id, CdMode* mode) override {
    Device* d = Find(id);
    if (d == nullptr || !IsDirectory(d->root)) return false;
    *mode = d->stream && !d->stream->Finished() ? CdMode::Playing : CdMode::Stopped;
    return true;
  }

  bool Stop(CdDeviceId id) override {
    Device* d = Find(id);
    if (d == nullptr) return false;
    d->stream.reset();
    return true;
  }

  bool Close(CdDeviceId id) override {
    if (m_devices.erase(id) == 0) return false;
    audio::Release();
    return true;
  }

 private:
  struct Device {
    std::string root;
    std::map<int, std::string> tracks;
    std::unique_ptr<TrackStream> stream;
  };

  Device* Find(CdDeviceId id) {
    auto it = m_devices.find(id);
    return it == m_devices.end() ? nullptr : &it->second;
  }

  std::map<CdDeviceId, Device> m_devices;
  CdDeviceId m_nextId = 1;
};

CdPlayer* g_player = nullptr;

}  // namespace

void SetDiscMountFolders(std::vector<std::string> folders) { g_mountFolders = std::move(folders); }

std::vector<std::string> DiscMountFolders() {
  if (!g_mountFolders.empty()) return g_mountFolders;
  const char* dirs = std::getenv("SLV_DISC_DIRS");
  if (dirs != nullptr) return SplitPath(dirs);
  std::vector<std::string> folders;
  if (const char* user = std::getenv("USER"); user != nullptr && user[0] != '\0') {
    folders.push_back(std::string("/media/") + user);
    folders.push_back(std::string("/run/media/") + user);
  }
  folders.push_back("/media");
  folders.push_back("/mnt");
  return folders;
}

CdPlayer& GetCdPlayer() {
  static DiscFolderPlayer discs;
  return g_player != nullptr ? *g_player : discs;
}

void SetCdPlayer(CdPlayer* player) { g_player = player; }

int TrackNumberOfFile(const std::string& fileName) {
  static const char* const kAudio[] = {".wav", ".ogg", ".oga", ".mp3", ".flac", ".opus", ".m4a", ".aac"};
  const std::string name = Lower(fileName);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos ||
      std::none_of(std::begin(kAudio), std::end(kAudio),
                   [&](const char* ext) { return name.compare(dot, std::string::npos, ext) == 0; })) {
    return -1;
  }
  std::string stem = name.substr(0, dot);
  if (stem.rfind("track", 0) == 0) stem.erase(0, 5);
  while (!stem.empty() && (stem[0] == ' ' || stem[0] == '_' || stem[0] == '-')) stem.erase(0, 1);
  if (stem.empty() || stem.size() > 3 ||
      !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  return std::stoi(stem);
}

}  // namespace platform
