#include "tools/lib/TextEncoding.h"

#include <iconv.h>

namespace slvtools {

bool Utf8ToCp949(const std::string& utf8, std::string* cp949) {
  iconv_t cd = iconv_open("CP949", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  // Code page 949 never needs more bytes than UTF-8 for the same text.
  std::string out(utf8.size(), '\0');
  std::string in = utf8;
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  if (!ok) return false;
  out.resize(out.size() - outLeft);
  *cp949 = std::move(out);
  return true;
}

}  // namespace slvtools
