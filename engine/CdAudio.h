#pragma once
// Music from the game's discs: five CDs labelled "SLV_DISC1" to "SLV_DISC5",
// or one DVD labelled "SLV_DVD" that holds the music of all five. Callers ask
// for a (disc, track) as numbered on the CDs; on the DVD the request goes
// through DvdTrackTable. Without a game disc no music plays.
#include <cstdint>
#include <string>

#include "platform/Music.h"

struct CdAudioState {
  std::string m_drive;  // the game disc's drive, empty before one was found
  int32_t m_disc = 0;
  int32_t m_track = -1;  // as requested; -1 when none
  bool m_isDvd = false;
  bool m_isOpen = false;
  platform::CdDeviceId m_deviceId = 0;
  bool m_stopped = true;  // nothing was played yet: polling has nothing to keep up
  int32_t m_pollCount = 0;
};
extern CdAudioState g_cdAudio;

inline constexpr int kDvdTrackCount = 143;
// Pairs of (DVD track, disc x 100 + CD track).
extern const uint16_t DvdTrackTable[kDvdTrackCount][2];

// Looks for the disc's drive (0: any of the five CDs); the DVD serves every
// disc. True when found: the drive and the current disc are kept.
bool FindGameDisc(int disc);
// The DVD track of a CD request (disc 0 or less: the first of any disc);
// -1 when there is none.
int MapDvdTrack(int disc, int track);
// Plays the track to its end, unless it is the one already current.
void PlayCdTrack(int disc, int track);
// Once a pass: every 100th call starts the current track again when it has
// ended. False when the device cannot be asked or the disc is gone.
bool PollCdAudio();
void StopCdAudio();
