// A save file through the stream reader and the session's load: it never
// reads outside what it holds, and a refused load changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "session/SaveFile.h"
#include "session/SaveStream.h"
#include "session/Session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CSaveReader reader;
  if (!reader.OpenBytes(std::vector<uint8_t>(data, data + size))) return 0;
  std::vector<uint8_t> content(static_cast<size_t>(reader.RawLength()));
  const int32_t read = reader.Read(content.data(), reader.RawLength());
  if (read != reader.RawLength()) return 0;
  CSession& session = CSession::GetInstance();
  session.Init();
  const std::vector<uint8_t> before = savefile::Build(session);
  if (!savefile::Apply(session, content) && savefile::Build(session) != before) std::abort();
  return 0;
}
