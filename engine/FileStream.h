#pragma once
// The file object through which every data file is read (a loose file under
// the game folder first, then the packs, newest first) and through which
// screenshots are written. Resource names are relative to the current
// resource directory under "data\".
#include <cstdint>
#include <memory>
#include <string>

#include "engine/FileReader.h"
#include "platform/FileSystem.h"

class CFileStream {
 public:
  enum : int { kRead = 0, kCreate = 0x1001 };

  // Mode 0 reads a resource; a mode with bit 0 set creates (or truncates) the
  // file `name` relative to the process's current directory.
  bool Open(const std::string& name, int mode);
  // 0 when nothing is open for reading or the count is 0.
  int32_t Read(void* buffer, int32_t count);
  bool Write(const void* buffer, int32_t count);
  // Origin 0 from the start, 2 from the end, any other from the current
  // position. The new position, or -1 when nothing is open for reading.
  int32_t Seek(int32_t offset, int origin);
  // The reader's logical size, or the created file's size.
  int32_t GetSize();
  void Close();

  bool HasReader() const { return m_reader != nullptr; }
  const std::string& GetName() const { return m_name; }

 private:
  std::string m_name;
  platform::File m_writeFile;
  std::unique_ptr<cFile> m_reader;
};

// The path a resource name opens under the current resource directory: "data\"
// + directory + name, with "/" for "\" and no "//".
std::string BuildResourcePath(const std::string& name);

// ".\x" and "\.\x" are stored as "\x": all mean x under the base directory "\".
void SetResDirectory(const char* dir);
const std::string& GetResDirectory();

// True when the resource opens, or else when the name opens as a plain file
// relative to the current directory.
bool FileExists(const char* name);
