#include "ui/BICaptionDeskTop.h"

namespace {
int s_openMember = -1;
}

void BICaptionDeskTop::Build(int member) { s_openMember = member; }

void BICaptionDeskTop::Close() { s_openMember = -1; }

int BICaptionDeskTop::OpenMember() { return s_openMember; }
