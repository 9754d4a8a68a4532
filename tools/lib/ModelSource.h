#pragma once
// Model sources: a small model ("rsm") or animated model ("rsx") and its
// textures as text, for the sample data. Lines hold blank-separated words;
// "#" starts a comment.
//
//   kind rsm|rsx                   which file the source makes
//   shade N                        0 unlit, 1 flat, 2 smooth
//   animlen N                      rsm: the keyframe time the model spans
//   frames N                       rsx: vertex frames
//   texture NAME R G B R G B       the texture "texture\NAME": a 32 x 32
//                                  picture mottled from the two colours
//   node NAME [PARENT]             the node that the next lines build
//   box X0 Y0 Z0 X1 Y1 Z1 [TEX]    a box of twelve outward faces from the
//                                  low corner to the high one (y points
//                                  down), texture index TEX (0 by default)
//   swing FIRST LAST DX DY DZ      rsx: over frames FIRST to LAST the
//                                  node's vertices move by sin(a full turn)
//                                  times (DX, DY, DZ); other frames rest
//   collide HX HY HZ X Y Z         rsm: a collision box of those half
//                                  extents about that point
//   action N FIRST LAST [EVENT...] rsx: action N of the model text ("rma",
//                                  beside the model, of the same name)
//                                  that plays frames FIRST to LAST and
//                                  raises events on the EVENT frames
//
// The first node is the main node.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

// `modelName` (its file name under "model\", e.g. "소품\감옥문.rsm" in code
// page 949) and its textures. False, with the line and the reason in
// `error`, for a malformed source.
bool BuildModelSource(const std::string& text, const std::string& modelName, std::vector<DataFile>* out,
                      std::string* error);

// Every "NAME.model" below `sourceFolder` (UTF-8 text and file names) built
// into `dataFolder` under "model/", with the extension its kind names.
bool BuildSampleModels(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                       std::string* error);

}  // namespace slvtools
