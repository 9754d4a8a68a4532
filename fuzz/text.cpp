// Text lines as every table, script and resource list reads them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/TextStream.h"
#include "engine/Tokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CTextStream stream(text, "fuzz");
  CTokenizer tokens;
  while (tokens.ReadLine(stream)) {
    tokens.ToLower();
    for (int i = 0; i <= tokens.GetCount(); ++i) {
      (void)tokens.GetInt(i);
      (void)tokens.GetFloat(i);
    }
  }
  const int keywords = CountKeywords(text);
  for (int n = 0; n <= keywords && n < 64; ++n) (void)GetKeyword(text, n);
  return 0;
}
