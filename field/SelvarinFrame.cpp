#include "field/SelvarinFrame.h"

// The game frame's play modes come with their own code; for now a map runs
// the standard 3-D loop.
SLV_REGISTER_CLASS(CSelvarinView);
SLV_REGISTER_CLASS(CSelvarinContext);
SLV_REGISTER_CLASS(CSelvarinFrame);
