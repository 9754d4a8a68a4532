#pragma once
// The bitmap font of the page headings, in the picture folder "bmp/":
// "userinterface/font/big_C.bmp" for a heading's first character and
// "small_C.bmp" for the others, for the letters, the digits and '-'. Each
// is an 8-bit picture whose palette index is the pixel's opacity, so a
// heading takes any colour it is drawn in.
// Letters are capitals in both sizes; names are found without regard to
// case, so one picture serves a letter of either case.
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

// False, with the reason in `error`, when the font cannot be opened.
bool BuildBitmapFontPictures(const std::string& fontFolder, std::vector<DataFile>* out, std::string* error);

}  // namespace slvtools
