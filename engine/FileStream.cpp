#include "engine/FileStream.h"

#include <algorithm>

#include "engine/PackFile.h"
#include "platform/DebugLog.h"

namespace {

std::string g_resDirectory = "\\";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::string BuildResourcePath(const std::string& name) {
  std::string folder;
  if (g_resDirectory != "\\" && !StartsWith(name, "\\")) {
    folder = StartsWith(g_resDirectory, "\\") ? g_resDirectory.substr(1) : g_resDirectory;
  }
  const std::string joined = "data\\" + folder + name;
  std::string path;
  path.reserve(joined.size());
  for (const char c : joined) {
    const char slash = c == '\\' ? '/' : c;
    if (slash == '/' && !path.empty() && path.back() == '/') continue;
    path += slash;
  }
  return path;
}

void SetResDirectory(const char* dir) {
  const std::string text = dir != nullptr ? dir : "";
  if (StartsWith(text, ".\\")) {
    g_resDirectory = text.substr(1);
  } else if (StartsWith(text, "\\.\\")) {
    g_resDirectory = text.substr(2);
  } else {
    g_resDirectory = text;
  }
}

const std::string& GetResDirectory() { return g_resDirectory; }

bool CFileStream::Open(const std::string& name, int mode) {
  Close();
  m_name = name;
  if ((mode & 1) != 0) {
    if (m_writeFile.Create(name)) return true;
    DebugLog(name);
    return false;
  }
  if (mode != kRead) return false;
  m_reader = OpenPackedFile(BuildResourcePath(name), kPackBufferSize);
  return m_reader != nullptr;
}

int32_t CFileStream::Read(void* buffer, int32_t count) {
  if (m_reader == nullptr || count <= 0) return 0;
  return m_reader->Read(buffer, count);
}

bool CFileStream::Write(const void* buffer, int32_t count) {
  return m_writeFile.IsOpen() && m_writeFile.Write(buffer, count);
}

int32_t CFileStream::Seek(int32_t offset, int origin) {
  if (m_reader == nullptr) return -1;
  return m_reader->Seek(offset, origin == kFileBegin || origin == kFileEnd ? origin : kFileCurrent);
}

int32_t CFileStream::GetSize() {
  if (m_reader != nullptr) return m_reader->GetSize();
  if (m_writeFile.IsOpen()) return static_cast<int32_t>(std::min<int64_t>(m_writeFile.Size(), INT32_MAX));
  return 0;
}

void CFileStream::Close() {
  m_reader.reset();
  m_writeFile.Close();
}

bool FileExists(const char* name) {
  if (name == nullptr || *name == '\0') return false;
  CFileStream stream;
  if (stream.Open(name, CFileStream::kRead)) {
    stream.Close();
    return true;
  }
  if (platform::PathLeavesBase(name)) return false;
  platform::File file;
  return file.OpenRead(name);
}
