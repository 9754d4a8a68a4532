#pragma once
// Picture sources: full-screen pictures and textures drawn from text, for
// the sample data. Lines hold blank-separated words; "#" starts a comment.
// A shape sets the current mask; painting commands paint it.
//
//   canvas W H                 a new, transparent picture
//   font FILE SIZE [SPACING]   the font of later texts: FILE in the font
//                              folder, SIZE in pixels, SPACING added after
//                              each character
//   rect X Y W H               shapes, anti-aliased
//   circle CX CY R
//   ring CX CY R THICKNESS
//   polygon X Y X Y X Y ...
//   text X Y ALIGN WORDS...    UTF-8 text on baseline Y; ALIGN is left,
//                              center or right of X
//   blur RADIUS                softens the current mask
//   shift DX DY                moves it
//   paint R G B A              paints it in one colour
//   gradient Y0 Y1 R G B A R G B A
//                              paints it from the first colour at row Y0 to
//                              the second at row Y1
//   stars SEED COUNT X Y W H R G B
//                              scatters single stars of varied brightness
//   bmp NAME [alpha]           writes the picture as a 24-bit bitmap over
//                              black; with alpha, its opacity goes to the
//                              8-bit companion "a_" NAME beside it;
//                              without, pure magenta (the game's
//                              transparent key) is written exact
//   bmp NAME X Y W H           writes that part as a 24-bit bitmap over black
//                              (24-bit bitmaps dither to five bits a channel;
//                              pure magenta, the textures' clear colour, stays)
//   bmp8 NAME                  writes the picture over black as an 8-bit
//                              palettised bitmap (256 colours, median cut)
//   opacity NAME               writes only the picture's opacity, as an
//                              8-bit bitmap whose palette index is the
//                              opacity (drawn in any one colour)
//   tga NAME X Y W H           writes that part as a 32-bit TGA
//
// NAME is a path under the data folder, "/" between folders; the file is
// named in the game's code page 949.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

// The folder of the fonts that picture sources name (Debian's Nanum fonts).
std::string SampleFontFolder();

// False, with the line and the reason in `error`, for a malformed source.
bool BuildPictureSource(const std::string& text, const std::string& fontFolder, std::vector<DataFile>* out,
                        std::string* error);

// Every "NAME.picture" of `sourceFolder` built into `dataFolder`.
bool BuildSamplePictures(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                         const std::string& fontFolder, std::string* error);

// Writes each file under `dataFolder`, making folders as needed.
bool WriteDataFiles(const std::vector<DataFile>& files, const std::filesystem::path& dataFolder,
                    std::string* error);

}  // namespace slvtools
