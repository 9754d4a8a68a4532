#pragma once
// Map sources: a whole field map as text, for the sample data. The ground
// and attribute grid in the ground-source syntax (GroundSource.h), and in
// the same file the world around them:
//
//   light LON LAT DR DG DB AR AG AB   the light's direction in degrees, its
//                                     diffuse and ambient colours (0 to 1)
//   bounds MINZ MAXZ MINX MAXX        the field bounds the camera keeps to
//   mapvalue N
//   character NAME SPRITE X Y Z       a sprite character ("dove.spr" and
//                                     "crow.spr" make birds)
//   eventbox NAME X Y Z HALFX HALFZ   an event box
//   prop NAME MODEL NODE X Y Z RX RY RZ FLAG
//                                     a model placement ("rsm") at scale 1;
//                                     FLAG 1 loops its animation
//   enemy3d NAME MODEL X Y Z SPEED IDLE0 IDLE1 WALK0 WALK1 DELAY
//                                     a 3-D field enemy ("rsx") with its
//                                     idle and walk frame ranges
//   script                            the map script, its lines as they are
//   ...
//   endscript
//
// The map NAME becomes NAME.rsw naming NAME.gnd, NAME.gat and NAME.scr.
// Sample map files are UTF-8; their text reaches the map in code page 949.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

// The map's files. False, with the line and the reason in `error`, for a
// malformed source.
bool BuildMapSource(const std::string& text, const std::string& mapName, std::vector<DataFile>* out,
                    std::string* error);

// Every "NAME.map" of `sourceFolder` built into `dataFolder`.
bool BuildSampleMaps(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                     std::string* error);

}  // namespace slvtools
