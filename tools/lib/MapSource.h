#pragma once
// Map sources: a whole field map as text, for the sample data. The ground
// and attribute grid in the ground-source syntax (GroundSource.h), and in
// the same file the world around them:
//
//   light LON LAT DR DG DB AR AG AB   the light's direction in degrees, its
//                                     diffuse and ambient colours (0 to 1)
//   bounds MINZ MAXZ MINX MAXX        the field bounds the camera keeps to
//   mapvalue N
//   character NAME SPRITE X Y Z [PATTERN [HALFX HALFZ]]
//                                     a sprite character ("dove.spr" and
//                                     "crow.spr" make birds): a villager's
//                                     pattern and the half sizes of its
//                                     wander box
//   enemy NAME SPRITE X Y Z SPEED [A B C]
//                                     a field enemy at its home point
//   eventbox NAME X Y Z HALFX HALFZ   an event box
//   prop NAME MODEL NODE X Y Z RX RY RZ FLAG
//                                     a model placement ("rsm") at scale 1;
//                                     FLAG 1 loops its animation; model and
//                                     node names are written in code page 949
//   enemy3d NAME MODEL X Y Z SPEED IDLE0 IDLE1 WALK0 WALK1 DELAY
//                                     a 3-D field enemy ("rsx") with its
//                                     idle and walk frame ranges
//   particle NAME X Y Z KIND          a particle maker of the kind
//   sound NAME WAVE X Y Z RANGE VALUE an ambient sound heard within ten
//                                     times its range (WAVE in UTF-8,
//                                     written in code page 949)
//   script                            the map script, its lines as they are
//                                     (UTF-8, written in code page 949)
//   ...
//   endscript
//
// The map NAME becomes NAME.rsw naming NAME.gnd, NAME.gat and NAME.scr.
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
