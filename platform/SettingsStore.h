#pragma once
// The settings store that stands in for the system registry: keys (paths such
// as "Software\ProjectSelvarin\Selvarin\Video Setup", compared without regard
// to ASCII case) holding typed values. A key that is missing differs from a
// value that is missing. One human-readable file, written by the launcher and
// read by the game:
//
//   [Software\ProjectSelvarin\Selvarin\Video Setup]
//   Width = dword:640
//   DeviceName = str:"Software 3-D"
//   GuidDevice = hex:00 01 02 ...
//
// The file is named by the environment variable SLV_REGISTRY when set, else
// it is "selvarin/registry.ini" in the user's configuration folder.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class SettingsStore {
 public:
  enum class Type : uint8_t { Dword, String, Binary };
  struct Value {
    Type type = Type::Dword;
    uint32_t dword = 0;
    std::string text;            // code page 949 bytes
    std::vector<uint8_t> bytes;
  };

  static std::string DefaultPath();

  // False (logged) when the file cannot be read; malformed lines are logged
  // and skipped. Loading replaces the whole content.
  bool Load(const std::string& path);
  // Written to a temporary file and renamed into place, so a reader never
  // sees half a file.
  bool Save(const std::string& path) const;

  bool HasKey(const std::string& key) const;
  void CreateKey(const std::string& key);
  void DeleteKey(const std::string& key);
  const Value* Find(const std::string& key, const std::string& name) const;
  std::optional<uint32_t> GetDword(const std::string& key, const std::string& name) const;
  std::optional<std::string> GetString(const std::string& key, const std::string& name) const;
  std::optional<std::vector<uint8_t>> GetBinary(const std::string& key, const std::string& name) const;
  // Setting a value creates its key.
  void SetDword(const std::string& key, const std::string& name, uint32_t value);
  void SetString(const std::string& key, const std::string& name, const std::string& value);
  void SetBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& value);

  std::string Serialize() const;
  bool Parse(const std::string& text);

 private:
  struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Key {
    std::string name;  // as first written
    std::map<std::string, Value, NoCaseLess> values;
    std::vector<std::string> order;  // value names in the order they were set
  };
  Key* FindKey(const std::string& key);
  const Key* FindKey(const std::string& key) const;
  Value& Slot(const std::string& key, const std::string& name);

  std::map<std::string, Key, NoCaseLess> m_keys;
};

}  // namespace platform
