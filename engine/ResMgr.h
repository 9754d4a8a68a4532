#pragma once
// The resource manager: every shared resource is loaded and cached here.
#include <string>

class CResMgr {
 public:
  static CResMgr& GetInstance();
  // Reads the resource list "<name>.ini".
  bool LoadIni(const std::string& name);

 private:
  CResMgr() = default;
};
