#include "field/SelvarinActor.h"

SLV_REGISTER_ACTOR(CSelvarinActor, "selvarinactor");
