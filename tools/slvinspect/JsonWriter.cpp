#include "tools/slvinspect/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/Math.h"
#include "platform/TextEncoding.h"

namespace slvinspect {

std::string JsonQuote(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void JsonWriter::NewLine(size_t depth) {
  m_out += '\n';
  m_out.append(depth * 2, ' ');
}

void JsonWriter::BeforeValue(bool container) {
  if (m_afterKey || m_levels.empty()) {
    m_afterKey = false;
    return;
  }
  Level& level = m_levels.back();
  if (level.count > 0) m_out += ',';
  if (container) {
    NewLine(m_levels.size());
  } else if (level.count > 0) {
    m_out += ' ';
  }
  ++level.count;
  level.lastWasContainer = container;
}

void JsonWriter::Raw(const std::string& text) {
  BeforeValue(false);
  m_out += text;
}

void JsonWriter::BeginObject() {
  BeforeValue(true);
  m_out += '{';
  m_levels.push_back({false, 0, false});
}

void JsonWriter::EndObject() {
  const bool empty = m_levels.back().count == 0;
  m_levels.pop_back();
  if (!empty) NewLine(m_levels.size());
  m_out += '}';
  if (m_levels.empty()) m_out += '\n';
}

void JsonWriter::BeginArray() {
  BeforeValue(true);
  m_out += '[';
  m_levels.push_back({true, 0, false});
}

void JsonWriter::EndArray() {
  const bool broken = m_levels.back().lastWasContainer;
  m_levels.pop_back();
  if (broken) NewLine(m_levels.size());
  m_out += ']';
}

JsonWriter& JsonWriter::Key(const char* key) {
  Level& level = m_levels.back();
  if (level.count > 0) m_out += ',';
  NewLine(m_levels.size());
  ++level.count;
  level.lastWasContainer = true;
  m_out += JsonQuote(key) + ": ";
  m_afterKey = true;
  return *this;
}

void JsonWriter::Int(int64_t value) { Raw(std::to_string(value)); }

void JsonWriter::UInt(uint64_t value) { Raw(std::to_string(value)); }

namespace {

template <class T>
std::string NumberText(T value) {
  if (std::isnan(value)) return "\"NaN\"";
  if (std::isinf(value)) return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

void JsonWriter::Float(float value) { Raw(NumberText(value)); }

void JsonWriter::Double(double value) { Raw(NumberText(value)); }

void JsonWriter::Bool(bool value) { Raw(value ? "true" : "false"); }

void JsonWriter::Null() { Raw("null"); }

void JsonWriter::Text(const std::string& cp949) { Raw(JsonQuote(platform::Cp949ToUtf8Escaped(cp949))); }

void JsonWriter::Utf8(const std::string& utf8) { Raw(JsonQuote(utf8)); }

void JsonWriter::Value(const Vec3& v) {
  BeginArray();
  Float(v.x);
  Float(v.y);
  Float(v.z);
  EndArray();
}

void JsonWriter::Value(const Quat& q) {
  BeginArray();
  Float(q.x);
  Float(q.y);
  Float(q.z);
  Float(q.w);
  EndArray();
}

void JsonWriter::Value(const Matrix& m) {
  BeginArray();
  for (const float f : m.m) Float(f);
  EndArray();
}

}  // namespace slvinspect
