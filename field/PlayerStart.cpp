#include "field/PlayerStart.h"

PlayerStart g_playerStart;
