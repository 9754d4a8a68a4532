#pragma once
// Ground sources: a map's ground ("gnd"), attribute grid ("gat") and their
// textures drawn as text, for the sample data. Lines hold blank-separated
// words; "#" starts a comment.
//
//   texture C NAME R G B R G B   the texture "texture\NAME" of the cell
//                                character C: a 32 x 32 picture mottled
//                                from the two colours
//   size W H                     cells in x and in z (at least 1 x 1)
//   water TYPE                   the 32 animated water pictures of TYPE
//                                (0 to 9), "texture\워터\water<TYPE><frame>.bmp"
//   heights                      H + 1 rows of W + 1 numbers: the heights of
//   ...                          the grid points (y points down: a larger
//   end                          height lies lower)
//   tops                         H rows of W cell characters: the top
//   ...                          texture of each cell, "." for none
//   end
//   types                        H rows of W characters: the attribute type
//   ...                          ("." 0, a digit that type) of the four
//   end                          attribute cells inside each ground cell
//
// Every cell is white-tinted and shows its texture once; the heights make
// one continuous surface, so the ground has no walls.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/TextureImages.h"

namespace slvtools {

// A file under the data folder: the name with "\" between folders, in code
// page 949 bytes.
struct DataFile {
  std::string name;
  std::string bytes;
};

// A 32 x 32 BMP mottled from the two colours, as the ground's textures.
std::string MottledTexture(const Rgba& a, const Rgba& b);

// `mapName`.gnd, `mapName`.gat and the pictures. False, with the line and
// the reason in `error`, for a malformed source.
bool BuildGroundSource(const std::string& text, const std::string& mapName,
                       std::vector<DataFile>* out, std::string* error);

// Every "NAME.ground" of `sourceFolder` (the project's data/maps) built into
// `dataFolder` (made as needed), as NAME.gnd, NAME.gat and the textures
// under "texture/". False, with the source and the reason in `error`, when
// one cannot be read or built.
bool BuildSampleMap(const std::filesystem::path& sourceFolder,
                    const std::filesystem::path& dataFolder, std::string* error);

}  // namespace slvtools
