#pragma once
// The save slots: "index.sav" and, per slot, a session image and its
// thumbnail named by the slot's file number. Old files go only once the
// index that no longer lists them is in place, so no save is ever lost; and
// only a slot the player deletes or a save replaces loses its files: an
// index may be damaged, old or another running copy's, so a file it does
// not list may still be somebody's save.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileOperations.h"

class CRC;

struct SaveSlotInfo {
  static constexpr int kBytes = 100;
  std::string placeName;              // at most 39 bytes
  std::array<char, 20> placeHead{};   // the name's first 20 bytes again
  std::array<int16_t, 6> partyIds{};  // beyond partyCount: 0
  std::array<int16_t, 6> levels{};
  int32_t gold = 0;
  int32_t partyCount = 0;             // 0-6
  int32_t fileNumber = 0;             // n of "n.sav" and "n.srs"
  int32_t variableCount = 0;
};

class CSaveList {
 public:
  CSaveList() = default;
  // Every file operation through `files` (the fault tests).
  explicit CSaveList(platform::FileOperations& files) : m_files(&files) {}

  // Appends the records of "index.sav"; the number read (0 when missing).
  // Also removes the temporaries unfinished saves left, and nothing else.
  int ReadIndex();
  // Replaces "index.sav", then removes the files the last saves and deletes
  // left behind; 0 (logged) when the index could not be written.
  int WriteIndex();
  // Saves the session into a new slot or over the selected one; false when
  // the session image could not be written (nothing changes then).
  bool Save(CRC* rc, bool isNew);
  // Loads the selected slot; false when none is selected or it fails.
  bool Load();
  // Drops the selected slot; its files go with the next WriteIndex.
  void Delete();
  void Select(int i) { m_selected = i; }
  // Forgets the records, as before the first ReadIndex.
  void Reset() {
    m_slots.clear();
    m_selected = -1;
    m_pendingRemovals.clear();
  }

  const std::vector<SaveSlotInfo>& Slots() const { return m_slots; }
  int Selected() const { return m_selected; }

  // "index.sav" as bytes and back; reading never trusts the count.
  static std::vector<uint8_t> EncodeIndex(const std::vector<SaveSlotInfo>& slots);
  static std::vector<SaveSlotInfo> DecodeIndex(const std::vector<uint8_t>& bytes);

  // The save folder as it is spelt on disk, found without regard to case;
  // "Save" beside the data folder while there is none.
  static std::string Folder();
  static std::string ThumbnailPath(int n) { return SlotPath(Folder(), n, ".srs"); }

 private:
  platform::FileOperations& Files() { return m_files != nullptr ? *m_files : m_ownFiles; }
  bool SelectionValid() const { return m_selected >= 0 && m_selected < static_cast<int>(m_slots.size()); }
  // Some record lists file number n.
  bool Names(int32_t n) const;
  // The first number from the play time on (past the int range, from 0)
  // that no slot, pending removal or file of `folder` uses.
  int32_t FreeNumber(int32_t from, const std::string& folder) const;
  SaveSlotInfo MakeRecord(int32_t n) const;
  void RemoveTemporaries(const std::string& folder);
  // Removes the slot's two files under whatever case they are spelt in.
  void RemoveSlotFiles(const std::string& folder, int32_t n);
  static std::string SlotPath(const std::string& folder, int32_t n, const char* extension) {
    return folder + "/" + std::to_string(n) + extension;
  }

  platform::FileOperations m_ownFiles;
  platform::FileOperations* m_files = nullptr;
  std::vector<SaveSlotInfo> m_slots;
  int m_selected = -1;
  std::vector<int32_t> m_pendingRemovals;  // file numbers no longer listed
};
