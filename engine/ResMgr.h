#pragma once
// The resource manager: every shared resource is loaded and cached here by
// lower-cased name, through a prototype registered for its file extension.
// It also reads the resource lists: "global.ini" and one list per frame.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Res.h"

class CTokenizer;

class CResMgr {
 public:
  // The game's one manager, created on first use. Tests make their own.
  static CResMgr& GetInstance();
  CResMgr() = default;
  CResMgr(const CResMgr&) = delete;
  CResMgr& operator=(const CResMgr&) = delete;

  // Takes the prototype; an extension registered before keeps its first one.
  void RegisterType(const std::string& extension, const std::string& folder, CRes* prototype);

  // The cached resource, or a new one loaded from its file. A failed load is
  // cached and handed out all the same; null only for a missing file or an
  // unknown extension.
  CRes* GetRes(const char* name);
  CRes* GetResStr(const std::string& name);
  // The named resource as the kind asked for; null for an empty name, a
  // missing file or a resource of another kind.
  template <class T>
  const T* GetResAs(const std::string& name) {
    return name.empty() ? nullptr : dynamic_cast<const T*>(GetResStr(name));
  }

  void Lock(CRes* res);
  void UnLock(CRes* res);
  // Frees unlocked resources unused for longer than the age limit, and
  // forgets the frame's variables.
  void Purge();
  void MarkAll();
  // Frees every resource cached since the last MarkAll, locked or not.
  void FreeUnmarked();
  void ReleaseRes(CRes* res);
  // The name the resource is cached under; empty when it is not cached.
  std::string GetResName(const CRes* res) const;
  void UnloadResources();
  // Every resource, prototype and variable; at shutdown.
  void UnloadAll();

  // Read a resource list; ".ini" is added unless the name holds it. False
  // when the list cannot be opened.
  bool LoadGlobalIni(const std::string& name);
  bool LoadIni(const std::string& name);
  // The frame's variable, else the global one, else an empty text.
  std::string GetValue(const std::string& name) const;
  // Whether the frame's list defines the variable.
  bool HasValue(const std::string& name) const;
  // The names of the cached resources, in name order.
  std::vector<std::string> GetResNames() const;
  const std::map<std::string, std::string>& GetGlobalValues() const { return m_globalVars; }
  const std::map<std::string, std::string>& GetFrameValues() const { return m_frameVars; }

 private:
  using ResTable = std::map<std::string, std::unique_ptr<CRes>>;

  CRes* LoadRes(const std::string& name);
  bool ReadList(const std::string& name, bool global);
  void ApplyListLine(const CTokenizer& tokens, bool global);
  ResTable::iterator Find(const CRes* res);

  ResTable m_cache;
  ResTable m_prototypes;
  std::map<std::string, std::string> m_folders;
  std::map<std::string, std::string> m_globalVars;
  std::map<std::string, std::string> m_frameVars;
};

template <class T>
struct ResRegistrar {
  ResRegistrar(const char* extension, const char* folder) {
    CResMgr::GetInstance().RegisterType(extension, folder, new T);
  }
};

#define SLV_RES_CONCAT2(a, b) a##b
#define SLV_RES_CONCAT(a, b) SLV_RES_CONCAT2(a, b)
// One line per extension, in the resource class's source file.
#define SLV_REGISTER_RES(Class, extension, folder) \
  static const ResRegistrar<Class> SLV_RES_CONCAT(s_resRegistrar_, __COUNTER__) { extension, folder }
