#include "platform/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace platform {
namespace {
namespace textencoding {

// What stands for a byte that does not convert; null fails the conversion.
using Replacement = std::string (*)(unsigned char byte);

std::string QuestionMark(unsigned char) { return "?"; }

std::string HexEscape(unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

// Converts the whole text, putting `replace`'s text for each byte that does
// not convert.
bool Convert(const char* to, const char* from, const std::string& text, Replacement replace, std::string* out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result;
  result.reserve(text.size() * 2);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buf[256];
  bool ok = true;
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    result.append(buf, static_cast<size_t>(o - buf));
    if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
    if (replace == nullptr) {
      ok = false;
      break;
    }
    result += replace(static_cast<unsigned char>(*in));
    ++in;
    --inLeft;
  }
  iconv_close(cd);
  if (ok) *out = std::move(result);
  return ok;
}

}  // namespace textencoding
}  // namespace

std::string Cp949ToUtf8(const std::string& text) {
  std::string out;
  return textencoding::Convert("UTF-8", "CP949", text, textencoding::QuestionMark, &out) ? out : text;
}

std::string Cp949ToUtf8Escaped(const std::string& text) {
  std::string out;
  return textencoding::Convert("UTF-8", "CP949", text, textencoding::HexEscape, &out) ? out : text;
}

bool Utf8ToCp949(const std::string& utf8, std::string* cp949) {
  return textencoding::Convert("CP949", "UTF-8", utf8, nullptr, cp949);
}

}  // namespace platform
