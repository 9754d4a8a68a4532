#pragma once
// The reader of an LZSS-compressed pack entry. It decodes one group at a time
// into an 8192-byte ring and delivers the entry's unpacked size.
//
// A group is a flag byte and eight items, flag bit 0 first: a clear bit is a
// literal byte, a set bit a little-endian word w copying (w >> 12) + 2 bytes
// from w & 0x0FFF bytes back in the ring. Past its stored bytes an entry reads
// as 0xFF bytes.
#include <cstdint>

#include "engine/PackFile.h"

class cFileLZ : public cFilePacked {
 public:
  static constexpr uint32_t kRingSize = 8192;

  cFileLZ(PackFile* pack, const PackEntry* entry, int32_t bufferSize);
  int32_t Read(void* buffer, int32_t count) override;
  int GetChar() override;
  // Seeking before the last decoded group decodes again from the start.
  int32_t Seek(int32_t offset, int origin) override;
  int32_t Tell() override { return static_cast<int32_t>(m_outPos); }
  int32_t GetSize() override { return static_cast<int32_t>(m_unpackedSize); }

 private:
  void DecodeGroup();
  // Decodes groups while fewer than `want` bytes wait, the ring keeps room
  // for one more group without touching undelivered bytes, and the entry is
  // not complete.
  void DecodeAhead(uint32_t want);

  uint32_t m_unpackedSize;
  uint32_t m_outPos = 0;      // bytes delivered
  uint32_t m_decoded = 0;     // bytes written into the ring
  uint32_t m_groupStart = 0;  // m_decoded when the last group began
  // Zeroed, so that what a match reads before anything was written is fixed.
  uint8_t m_ring[kRingSize] = {};
};
