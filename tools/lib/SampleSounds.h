#pragma once
// The sample game's sound effects, synthesised: the doves' flutter and the
// fountain's water, the result screen's counting tick and its coins, as
// "wav\" files.
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

void BuildSampleSounds(std::vector<DataFile>* out);

}  // namespace slvtools
