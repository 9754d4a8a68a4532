#pragma once
// The event scripts' variables, kept in the session and saved with it.
#include "session/NameValueMap.h"

using ScriptVariables = NameValueMap;
