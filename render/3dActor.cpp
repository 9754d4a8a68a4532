#include "render/3dActor.h"

SLV_REGISTER_ACTOR(C3dActor, "3dActor");
