#include "engine/CdAudio.h"

#include <cstdio>
#include <vector>

#include "engine/FrameClock.h"

CdAudioState g_cdAudio;

const uint16_t DvdTrackTable[kDvdTrackCount][2] = {
    // Disc 1
    {2, 102}, {3, 103}, {4, 104}, {5, 105}, {6, 106}, {7, 107}, {8, 108}, {9, 109},
    {10, 110}, {11, 111}, {12, 112}, {13, 113}, {14, 114}, {15, 115}, {16, 116}, {17, 117},
    {18, 118}, {19, 119}, {20, 120}, {21, 121}, {22, 122}, {83, 199},
    // Disc 2
    {2, 202}, {3, 203}, {4, 204}, {5, 205}, {6, 206}, {7, 207}, {8, 208}, {9, 209},
    {10, 210}, {11, 211}, {23, 212}, {24, 213}, {25, 214}, {26, 215}, {17, 216}, {18, 217},
    {27, 218}, {28, 219}, {29, 220}, {22, 221}, {30, 222}, {31, 223}, {50, 224}, {32, 225},
    {33, 226}, {34, 227}, {19, 228}, {35, 229}, {36, 230}, {37, 231}, {83, 299},
    // Disc 3
    {2, 302}, {3, 303}, {4, 304}, {5, 305}, {6, 306}, {7, 307}, {8, 308}, {38, 309},
    {10, 310}, {39, 311}, {40, 312}, {41, 313}, {42, 314}, {43, 315}, {25, 316}, {14, 317},
    {44, 318}, {45, 319}, {46, 320}, {47, 321}, {48, 322}, {49, 323}, {50, 324}, {51, 325},
    {52, 326}, {53, 327}, {54, 328}, {55, 329}, {56, 330}, {57, 331}, {83, 399},
    // Disc 4
    {2, 402}, {3, 403}, {4, 404}, {5, 405}, {6, 406}, {7, 407}, {8, 408}, {58, 409},
    {10, 410}, {59, 411}, {25, 412}, {43, 413}, {24, 414}, {60, 415}, {33, 416}, {84, 417},
    {44, 418}, {45, 419}, {61, 420}, {62, 421}, {63, 422}, {64, 423}, {50, 424}, {51, 425},
    {52, 426}, {53, 427}, {57, 428}, {34, 429}, {65, 430}, {83, 499},
    // Disc 5
    {2, 502}, {3, 503}, {4, 504}, {5, 505}, {6, 506}, {7, 507}, {66, 508}, {67, 509},
    {21, 510}, {68, 511}, {69, 512}, {70, 513}, {35, 514}, {71, 515}, {72, 516}, {73, 517},
    {64, 518}, {57, 519}, {74, 520}, {75, 521}, {76, 522}, {77, 523}, {78, 524}, {79, 525},
    {80, 526}, {81, 527}, {82, 528}, {9, 529}, {83, 599},
};

namespace {

bool SameLabel(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string DiscLabel(int disc) {
  char label[32];
  std::snprintf(label, sizeof label, "SLV_DISC%d", disc);
  return label;
}

// The disc a drive's label names for the request, or 0 when it does not serve it.
int DiscOfLabel(const std::string& label, int disc) {
  if (disc == 0) {
    for (int n = 1; n <= 5; ++n) {
      if (SameLabel(label, DiscLabel(n))) return n;
    }
    return 0;
  }
  return disc >= 1 && disc <= 5 && SameLabel(label, DiscLabel(disc)) ? disc : 0;
}

int TrackToPlay(int disc, int track) { return g_cdAudio.m_isDvd ? MapDvdTrack(disc, track) : track; }

}  // namespace

bool FindGameDisc(int disc) {
  for (const platform::DiscDrive& drive : platform::GetCdPlayer().ListDrives()) {
    const std::string label = drive.label.substr(0, 80);
    const bool dvd = SameLabel(label, "SLV_DVD");
    const int found = dvd ? disc : DiscOfLabel(label, disc);
    if (!dvd && found == 0) continue;
    g_cdAudio.m_drive = drive.root;
    g_cdAudio.m_isDvd = dvd;
    g_cdAudio.m_disc = found;
    return true;
  }
  return false;
}

int MapDvdTrack(int disc, int track) {
  for (const auto& pair : DvdTrackTable) {
    const int code = pair[1];
    if (disc <= 0 ? code % 100 == track : code == disc * 100 + track) return pair[0];
  }
  return -1;
}

void PlayCdTrack(int disc, int track) {
  CdAudioState& s = g_cdAudio;
  if (disc == s.m_disc && track == s.m_track) return;
  const int play = TrackToPlay(disc, track);
  StopCdAudio();
  // A DVD request the table does not know plays nothing.
  if (play < 0) return;
  platform::CdPlayer& player = platform::GetCdPlayer();
  const platform::CdDeviceId id = player.Open(s.m_drive);
  if (id == 0) return;
  player.Play(id, play, play + 1);
  s.m_disc = disc;
  s.m_track = track;
  s.m_deviceId = id;
  s.m_isOpen = true;
  s.m_stopped = false;
  ResetFrameTimer();
}

bool PollCdAudio() {
  CdAudioState& s = g_cdAudio;
  if (s.m_stopped) return true;
  if (++s.m_pollCount < 100) return true;
  s.m_pollCount = 0;
  platform::CdPlayer& player = platform::GetCdPlayer();
  platform::CdMode mode;
  if (!player.QueryMode(s.m_deviceId, &mode)) return false;
  if (mode == platform::CdMode::Playing) return true;
  const int play = TrackToPlay(s.m_disc, s.m_track);
  if (player.Play(s.m_deviceId, play, play + 1)) return true;
  const int disc = s.m_disc;
  const int track = s.m_track;
  if (!FindGameDisc(disc)) return false;
  s.m_disc = -1;
  PlayCdTrack(disc, track);
  return true;
}

void StopCdAudio() {
  CdAudioState& s = g_cdAudio;
  s.m_track = -1;
  if (!s.m_isOpen) return;
  platform::CdPlayer& player = platform::GetCdPlayer();
  player.Stop(s.m_deviceId);
  player.Close(s.m_deviceId);
  s.m_isOpen = false;
  s.m_deviceId = 0;
  ResetFrameTimer();
}
