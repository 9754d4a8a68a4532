#pragma once
// The shop and library texts that start-up loads, and the blocks
// "#shop n" ... "#end" and "#library n" ... "#end" read from them.
#include <string>
#include <vector>

#include "engine/TextRes.h"

extern CTextRes g_shopText;
extern CTextRes g_libraryText;

// The lines of shop n; a missing shop shows "해당 번호의 상점이 없습니다.".
std::vector<std::string> LoadShopList(int shop);
// The entries of library n (each line's first word); a missing library is
// logged.
std::vector<std::string> LoadLibraryList(int library);
