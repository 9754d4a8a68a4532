#include "launcher/LauncherFiles.h"

#include <algorithm>
#include <vector>

#include "engine/PackFile.h"
#include "launcher/MemoryStream.h"
#include "platform/FileSystem.h"

namespace {

std::unique_ptr<cFile> OpenLoose(const std::string& name, int32_t bufferSize) {
  platform::File file;
  if (!file.OpenRead(name) || !FitsAReader(file)) return nullptr;
  return std::make_unique<cFileRaw>(std::move(file), bufferSize);
}

std::unique_ptr<cFile> ReadWhole(const std::string& name) {
  std::unique_ptr<cFile> reader = OpenStream(name, kStreamBufferSize);
  if (reader == nullptr) return nullptr;
  std::vector<uint8_t> data(static_cast<size_t>(reader->GetSize()));
  data.resize(static_cast<size_t>(std::max(reader->Read(data.data(), reader->GetSize()), 0)));
  return std::make_unique<MemoryStream>(std::move(data));
}

}  // namespace

std::unique_ptr<cFile> OpenStream(const std::string& name, int32_t bufferSize) {
  if (bufferSize < 0) return ReadWhole(name);
  // Loose names may use either separator; pack names are compared as given.
  if (std::unique_ptr<cFile> loose = OpenLoose(name, bufferSize)) return loose;
  return OpenPackEntry(name, bufferSize);
}

void ReleaseStream(std::unique_ptr<cFile>& stream) { stream.reset(); }
