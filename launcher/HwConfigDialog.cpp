#include "launcher/HwConfigDialog.h"

int ShowHwConfigDialog() { return 0; }
