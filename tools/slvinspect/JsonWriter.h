#pragma once
// Builds the one JSON object slvinspect prints: keys in the order written,
// numbers as numbers, texts converted from code page 949 to UTF-8 with the
// bytes that do not convert escaped. Arrays of numbers stay on one line.
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

struct Vec3;
struct Quat;
struct Matrix;

namespace slvinspect {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next value inside an object.
  JsonWriter& Key(const char* key);

  void Int(int64_t value);
  void UInt(uint64_t value);
  // The shortest text that reads back as the same value; NaN and the
  // infinities, which JSON lacks, as the texts "NaN", "Infinity", "-Infinity".
  void Float(float value);
  void Double(double value);
  void Bool(bool value);
  void Null();
  // A code page 949 text.
  void Text(const std::string& cp949);
  // A text that is UTF-8 already (the tool's own).
  void Utf8(const std::string& utf8);

  template <class T>
  void Value(T value) {
    if constexpr (std::is_same_v<T, bool>) {
      Bool(value);
    } else if constexpr (std::is_floating_point_v<T>) {
      Double(value);
    } else if constexpr (std::is_signed_v<T>) {
      Int(value);
    } else {
      UInt(value);
    }
  }
  void Value(float value) { Float(value); }
  void Value(const std::string& cp949) { Text(cp949); }
  void Value(const char* cp949) { Text(cp949); }
  void Value(const Vec3& v);
  void Value(const Quat& q);
  void Value(const Matrix& m);

  template <class T>
  void Field(const char* key, const T& value) {
    Key(key);
    Value(value);
  }
  // An array of `count` values.
  template <class T>
  void Field(const char* key, const T* values, size_t count) {
    Key(key);
    BeginArray();
    for (size_t i = 0; i < count; ++i) Value(values[i]);
    EndArray();
  }
  template <class T>
  void Field(const char* key, const std::vector<T>& values) {
    Field(key, values.data(), values.size());
  }

  // The text written so far, ended by a line feed once the outer object is closed.
  const std::string& Output() const { return m_out; }

 private:
  struct Level {
    bool array = false;
    int count = 0;
    bool lastWasContainer = false;
  };
  void BeforeValue(bool container);
  void NewLine(size_t depth);
  void Raw(const std::string& text);

  std::string m_out;
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};

// The UTF-8 text as a JSON string literal, quotes included.
std::string JsonQuote(const std::string& utf8);

}  // namespace slvinspect
