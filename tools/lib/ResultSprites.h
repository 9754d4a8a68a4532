#pragma once
// The battle result screen's wheel for the sample data, drawn by program:
// "system\룰렛2", one action of sixteen frames, frame f the wheel turned so
// that its segment f stands under the pointer. Segments 0 and 8 (the even
// split), 4 (the MVP) and 12 (the leader) are coloured; the others are the
// grey steps between.
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

void BuildResultSprites(std::vector<DataFile>* out);

}  // namespace slvtools
