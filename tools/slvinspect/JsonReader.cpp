#include "tools/slvinspect/JsonReader.h"

#include <algorithm>

namespace slvinspect {
namespace {

constexpr int kMaxDepth = 64;
constexpr int64_t kIntegerLimit = INT64_C(1) << 53;

class Parser {
 public:
  explicit Parser(const std::string& text) : m_text(text) {}

  bool Document(JsonValue* value) {
    if (!Value(value, 0)) return false;
    SkipSpace();
    return m_at == m_text.size() || Fail("text after the value");
  }
  std::string Error() const {
    const int line = 1 + static_cast<int>(std::count(m_text.begin(), m_text.begin() + static_cast<long>(m_at), '\n'));
    return "line " + std::to_string(line) + ": " + m_error;
  }

 private:
  bool Fail(const char* what) {
    if (m_error.empty()) m_error = what;
    return false;
  }
  void SkipSpace() {
    while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' ||
                                    m_text[m_at] == '\r')) {
      ++m_at;
    }
  }
  bool Eat(char c) {
    SkipSpace();
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  char Peek() {
    SkipSpace();
    return m_at < m_text.size() ? m_text[m_at] : '\0';
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    const char c = Peek();
    if (c == '{') return Object(value, depth);
    if (c == '[') return Array(value, depth);
    if (c == '"') {
      value->kind = JsonValue::Kind::kString;
      return String(&value->text);
    }
    if (c == '-' || (c >= '0' && c <= '9')) return Integer(value);
    return Fail("expected an object, array, string or integer");
  }

  bool Object(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::kObject;
    ++m_at;
    if (Eat('}')) return true;
    do {
      std::string name;
      if (Peek() != '"' || !String(&name)) return Fail("expected a member name");
      if (!Eat(':')) return Fail("expected ':'");
      JsonValue member;
      if (!Value(&member, depth + 1)) return false;
      value->members.push_back({std::move(name), std::move(member)});
    } while (Eat(','));
    return Eat('}') || Fail("expected ',' or '}'");
  }

  bool Array(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::kArray;
    ++m_at;
    if (Eat(']')) return true;
    do {
      JsonValue item;
      if (!Value(&item, depth + 1)) return false;
      value->items.push_back(std::move(item));
    } while (Eat(','));
    return Eat(']') || Fail("expected ',' or ']'");
  }

  bool Integer(JsonValue* value) {
    value->kind = JsonValue::Kind::kInteger;
    const bool negative = m_text[m_at] == '-';
    if (negative) ++m_at;
    const size_t first = m_at;
    int64_t magnitude = 0;
    for (; m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9'; ++m_at) {
      magnitude = magnitude * 10 + (m_text[m_at] - '0');
      if (magnitude > kIntegerLimit) return Fail("integer out of range");
    }
    if (m_at == first) return Fail("expected digits");
    if (m_at < m_text.size() && (m_text[m_at] == '.' || m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
      return Fail("only integers are read");
    }
    value->integer = negative ? -magnitude : magnitude;
    return true;
  }

  static void AppendUtf8(uint32_t code, std::string* out) {
    if (code < 0x80) {
      out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (code >> 6)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | (code >> 12)));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (code >> 18)));
      out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }

  bool Hex4(uint32_t* code) {
    if (m_text.size() - m_at < 4) return Fail("short \\u escape");
    *code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = m_text[m_at++];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return Fail("bad \\u escape");
      *code = *code * 16 + static_cast<uint32_t>(digit);
    }
    return true;
  }

  bool Escape(std::string* out) {
    if (m_at >= m_text.size()) return Fail("unterminated string");
    const char c = m_text[m_at++];
    switch (c) {
      case '"': case '\\': case '/': out->push_back(c); return true;
      case 'b': out->push_back('\b'); return true;
      case 'f': out->push_back('\f'); return true;
      case 'n': out->push_back('\n'); return true;
      case 'r': out->push_back('\r'); return true;
      case 't': out->push_back('\t'); return true;
      case 'u': break;
      default: return Fail("bad escape");
    }
    uint32_t code = 0;
    if (!Hex4(&code)) return false;
    if (code >= 0xD800 && code < 0xDC00) {
      uint32_t low = 0;
      if (m_text.compare(m_at, 2, "\\u") != 0) return Fail("lone surrogate");
      m_at += 2;
      if (!Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return Fail("lone surrogate");
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code < 0xE000) {
      return Fail("lone surrogate");
    }
    AppendUtf8(code, out);
    return true;
  }

  bool String(std::string* out) {
    ++m_at;  // the opening quote
    while (m_at < m_text.size()) {
      const char c = m_text[m_at++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control byte in a string");
      if (c != '\\') {
        out->push_back(c);
      } else if (!Escape(out)) {
        return false;
      }
    }
    return Fail("unterminated string");
  }

  const std::string& m_text;
  size_t m_at = 0;
  std::string m_error;
};

}  // namespace

bool ParseJson(const std::string& text, JsonValue* value, std::string* error) {
  Parser parser(text);
  *value = JsonValue();
  if (parser.Document(value)) return true;
  *error = parser.Error();
  *value = JsonValue();
  return false;
}

}  // namespace slvinspect
