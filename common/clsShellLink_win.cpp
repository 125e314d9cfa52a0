#include "common/clsShellLink.h"

#include "base/handles.h"  // first: it orders the Windows headers

#include <shlobj.h>

#include "base/text.h"
#include "common/clsTrace.h"

namespace common {

namespace {

constexpr int kBuffer = 260;

std::wstring Wide(const std::string& text) {
  const std::u16string w = base::AnsiToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

base::ComPtr<IShellLinkA> NewLink() {
  base::ComPtr<IShellLinkA> link;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
  return link;
}

// One text of the link into its output, when the shell gives it.
template <class Get>
bool ReadText(std::string* out, Get get) {
  if (!out) return true;
  char buffer[kBuffer + 1] = {};
  if (FAILED(get(buffer, kBuffer))) return false;
  buffer[kBuffer] = '\0';
  *out = buffer;  // cut at its NUL
  return true;
}

}  // namespace

bool clsShellLink::GetShellLinkInfo(const std::string& szLnkFile, std::string* szDescription,
                                    std::string* szExeFile, std::string* szWorkDir,
                                    std::string* szExeArgs, std::string* szIconFile,
                                    std::int32_t* lIconIdx, std::int32_t* lShowCmd) {
  TraceScope scope("clsShellLink.GetShellLinkInfo");
  if (szLnkFile.empty()) return false;
  try {
    base::ComPtr<IShellLinkA> link = NewLink();
    if (!link) return false;
    auto file = link.query<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(Wide(szLnkFile).c_str(), STGM_READ))) return false;
    if (!ReadText(szExeFile, [&](char* b, int n) {
          WIN32_FIND_DATAA found;
          return link->GetPath(b, n, &found, SLGP_UNCPRIORITY);
        }) ||
        !ReadText(szWorkDir, [&](char* b, int n) { return link->GetWorkingDirectory(b, n); }) ||
        !ReadText(szExeArgs, [&](char* b, int n) { return link->GetArguments(b, n); }) ||
        !ReadText(szDescription, [&](char* b, int n) { return link->GetDescription(b, n); }))
      return false;
    WORD hotkey = 0;
    link->GetHotkey(&hotkey);  // read as the shell offers it; no caller wants it
    char icon[kBuffer + 1] = {};
    int iconIndex = 0;
    if (FAILED(link->GetIconLocation(icon, kBuffer, &iconIndex))) return false;
    icon[kBuffer] = '\0';
    if (szIconFile) *szIconFile = icon;
    if (lIconIdx) *lIconIdx = iconIndex;
    int show = 0;
    if (FAILED(link->GetShowCmd(&show))) return false;
    if (lShowCmd) *lShowCmd = show;
    g_Debug().Output("szExeFile=" + (szExeFile ? *szExeFile : std::string()));
    return true;
  } catch (...) {
    return false;
  }
}

bool clsShellLink::CreateShellLink(const std::string& LnkFile, const std::string& ExeFile,
                                   const std::string& WorkDir, const std::string& ExeArgs,
                                   const std::string& IconFile, std::int32_t IconIdx,
                                   std::int32_t ShowCmd) {
  TraceScope scope("clsShellLink.CreateShellLink");
  if (LnkFile.empty() || ExeFile.empty()) return false;
  try {
    base::ComPtr<IShellLinkA> link = NewLink();
    if (!link || FAILED(link->SetPath(ExeFile.c_str()))) return false;
    if (!WorkDir.empty() && FAILED(link->SetWorkingDirectory(WorkDir.c_str()))) return false;
    if (!ExeArgs.empty() && FAILED(link->SetArguments(ExeArgs.c_str()))) return false;
    if (!IconFile.empty() && FAILED(link->SetIconLocation(IconFile.c_str(), IconIdx))) return false;
    if (FAILED(link->SetDescription("ShellLink Sample")) || FAILED(link->SetShowCmd(ShowCmd))) return false;
    // Brings the target's details up to date. Never a search window: there
    // is no owner for one, so it may fail quietly and the link is still saved.
    link->Resolve(nullptr, SLR_UPDATE | SLR_NO_UI);
    auto file = link.query<IPersistFile>(IID_IPersistFile);
    return file && SUCCEEDED(file->Save(Wide(LnkFile).c_str(), FALSE));
  } catch (...) {
    return false;
  }
}

clsShellLink& g_oShellLink() {
  static clsShellLink instance;  // no state: one for the program is enough
  return instance;
}

}  // namespace common
