#pragma once
// Music from the game discs. A disc stands in as a folder: every folder
// inside a mount folder is a drive whose disc carries the folder's name as
// its volume label, and a track is an audio file in it named by its number
// ("Track02.ogg", "track 2.flac", "02.wav"). The player works like the
// system's CD-audio device: open a drive, play a range of tracks, ask for the
// mode, stop, close. Music plays through the sound output on the mixer's
// compact-disc line.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DiscDrive {
  std::string root;   // the drive's folder
  std::string label;  // the disc's volume label
};

enum class CdMode { Stopped, Playing };
using CdDeviceId = uint32_t;  // 0 is none

// The mount folders: those set here, else the environment variable
// SLV_DISC_DIRS (folders separated by ':'), else /media/<user>,
// /run/media/<user>, /media and /mnt.
void SetDiscMountFolders(std::vector<std::string> folders);
std::vector<std::string> DiscMountFolders();

class CdPlayer {
 public:
  virtual ~CdPlayer() = default;
  // The drives, in the order the system lists them.
  virtual std::vector<DiscDrive> ListDrives() = 0;
  // Opens the drive's device; 0 when the drive holds no disc.
  virtual CdDeviceId Open(const std::string& driveRoot) = 0;
  // Plays from the start of track `from` to the start of track `to`; a `to`
  // past the last track plays to the end of the disc. False when `from` is
  // not a track of the disc.
  virtual bool Play(CdDeviceId id, int from, int to) = 0;
  // False when the device is not open or its disc is gone.
  virtual bool QueryMode(CdDeviceId id, CdMode* mode) = 0;
  virtual bool Stop(CdDeviceId id) = 0;
  virtual bool Close(CdDeviceId id) = 0;
};

// The player in use: the disc-folder player unless a test put its own.
CdPlayer& GetCdPlayer();
// Null restores the disc-folder player. Not owned.
void SetCdPlayer(CdPlayer* player);

// The track number of an audio file's name, or -1 when it names no track.
int TrackNumberOfFile(const std::string& fileName);

}  // namespace platform
