// The update installer's entry: no arguments; the exit status is the
// installer's result (-1 and -2 show as 255 and 254).
#include "patcher/Patcher.h"

int main() { return PatcherWinMain(); }
