#include "session/PlayerData.h"

// The derived values come with the character rules.
void PlayerData::Recalc() {}
