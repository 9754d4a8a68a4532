#include "platform/TextEncoding.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// Converts the whole text; `lossy` puts '?' for each byte that does not
// convert, else the conversion fails on it.
bool Convert(const char* to, const char* from, const std::string& text, bool lossy, std::string* out) {
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
    if (!lossy) {
      ok = false;
      break;
    }
    result.push_back('?');
    ++in;
    --inLeft;
  }
  iconv_close(cd);
  if (ok) *out = std::move(result);
  return ok;
}

}  // namespace

std::string Cp949ToUtf8(const std::string& text) {
  std::string out;
  return Convert("UTF-8", "CP949", text, true, &out) ? out : text;
}

bool Utf8ToCp949(const std::string& utf8, std::string* cp949) {
  return Convert("CP949", "UTF-8", utf8, false, cp949);
}

}  // namespace platform
