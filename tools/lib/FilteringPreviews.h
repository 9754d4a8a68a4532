#pragma once
// The set-up dialog's filtering previews "images/t<t>s<s>.bmp" (140 x 140):
// a brick wall and a small sprite, each a tiny texture drawn large by the
// software 3-D device, the wall with linear filtering when t is 1, the
// sprite when s is 1.
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

std::vector<DataFile> BuildFilteringPreviews();

}  // namespace slvtools
