#pragma once
// Compiled cut-scene macros ("rsa", in the base data folder): named tracks,
// each with two values, a second name and its entries ordered by key. The
// macro runner reads the fields directly: the header value is the macro's
// length, the tracks are its channels and the entries its commands.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/Res.h"

class CMemFile;

struct MacroEntry {
  int32_t value = 0;
  std::string text;  // cut at the first NUL of its bytes
};

struct MacroTrack {
  std::string name;
  int32_t value0 = 0;
  int32_t value1 = 0;
  std::string name2;
  // By key; equal keys keep file order.
  std::multimap<int32_t, MacroEntry> entries;
};

class CMacroRes : public CRes {
  SLV_RES(CMacroRes)
 public:
  // A failed load keeps no track.
  bool Load(const std::string& name) override;
  void Reset() override;

  std::string m_fileName;  // stored once the magic is right
  int32_t m_headerValue = 0;
  int32_t m_trackCount = 0;
  std::vector<MacroTrack> m_tracks;

 private:
  bool Parse(CMemFile& file);
  bool ReadTrack(CMemFile& file, MacroTrack& track);
  bool ReadEntry(CMemFile& file, MacroTrack& track);
};
