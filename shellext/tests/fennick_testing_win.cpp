#include "shellext/tests/fennick_testing.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/tests/testing.h"
#include "base/winstr.h"
#include "resources/identity.h"
#include "shellext/FennickHandler.h"

namespace fennick_test {

namespace {

constexpr char kCorvaneKey[] = "Software\\Brindlewick\\Corvane";

std::string Windows(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

void DumpLevel(HMENU menu, UINT first, UINT count, int depth, std::string& out) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    char text[512] = {};
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    std::string line(static_cast<size_t>(depth) * 2, ' ');
    if (mii.fType & MFT_SEPARATOR) {
      out += line + "separator\n";
      continue;
    }
    line += mii.hSubMenu ? "popup " : "string ";
    const bool inRange = mii.wID >= first && mii.wID - first < count;
    line += inRange ? std::to_string(mii.wID - first) : "-";
    line += " \"" + std::string(text) + "\"";
    if (mii.fType & MFT_OWNERDRAW) line += " ownerdraw";
    if (mii.hbmpChecked || mii.hbmpUnchecked) line += " checkmarks";
    if (mii.fState & MF_DISABLED) line += " disabled";
    if (mii.fState & MF_GRAYED) line += " grayed";
    out += line + "\n";
    if (mii.hSubMenu) DumpLevel(mii.hSubMenu, first, count, depth + 1, out);
  }
}

}  // namespace

CleanSettings::CleanSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kCorvaneKey); }
CleanSettings::~CleanSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kCorvaneKey); }

void PlantSettings(const std::function<void(config::clsOptions&)>& change) {
  config::clsOptions options;
  options.Reset();
  change(options);
  options.Reg_Save(config::kSettingsKey, false);
}

base::ComPtr<IContextMenu3> NewHandler() {
  base::ComPtr<IContextMenu3> handler;
  EXPECT_EQ(shellext::CreateFennickHandler(IID_IContextMenu3, handler.put_void()), S_OK);
  return handler;
}

base::UniquePidl PidlOf(const std::string& path) {
  base::UniquePidl pidl;
  EXPECT_EQ(SHParseDisplayName(base::Wide(path).c_str(), nullptr, pidl.put(), 0, nullptr), S_OK) << path;
  return pidl;
}

ShellSelection SelectionOf(const std::vector<std::string>& paths) {
  ShellSelection s;
  base::ComPtr<IShellFolder> parent;
  std::vector<base::UniquePidl> children;
  std::vector<PCUITEMID_CHILD> childList;
  for (const std::string& path : paths) {
    base::UniquePidl full = PidlOf(path);
    base::ComPtr<IShellFolder> folder;
    PCUITEMID_CHILD child = nullptr;
    if (!full || FAILED(SHBindToParent(full.get(), IID_IShellFolder, folder.put_void(), &child))) return s;
    if (!parent) {
      parent = folder;
      s.folder.reset(ILClone(full.get()));
      ILRemoveLastID(s.folder.get());
    }
    children.emplace_back(ILCloneChild(child));
    childList.push_back(children.back().get());
  }
  if (parent)
    parent->GetUIObjectOf(nullptr, static_cast<UINT>(childList.size()), childList.data(), IID_IDataObject, nullptr,
                          s.dataObject.put_void());
  return s;
}

std::string DumpMenu(HMENU menu, UINT first, UINT count) {
  std::string out;
  DumpLevel(menu, first, count, 0, out);
  return out;
}

std::string CommandString(IContextMenu* handler, UINT offset, UINT type) {
  wchar_t buffer[260] = {};
  HRESULT hr = handler->GetCommandString(offset, type, nullptr, reinterpret_cast<char*>(buffer), 260);
  if (FAILED(hr)) {
    char text[32];
    std::snprintf(text, sizeof text, "<hr 0x%08lx>", static_cast<unsigned long>(hr));
    return text;
  }
  if (type & GCS_UNICODE) return base::Narrow(buffer);
  return reinterpret_cast<const char*>(buffer);
}

std::string RunShellHostWithFennick(const std::vector<std::string>& args, unsigned long* exitCode) {
  const std::string dll = Windows(CORVANE_FENNICK_DLL);
  EXPECT_EQ(testing_support::RunProcess("regsvr32.exe /s " + Quote(dll)).exitCode, 0u);
  std::string command = Quote(Windows(CORVANE_SHELLHOST_EXE)) + " --only " CORVANE_FENNICK_CLSID_TEXT;
  for (const std::string& a : args) command += " " + Quote(a);
  testing_support::ProcessResult r = testing_support::RunProcess(command, 60000);
  testing_support::RunProcess("regsvr32.exe /s /u " + Quote(dll));
  if (exitCode) *exitCode = r.exitCode;
  return r.output;
}

}  // namespace fennick_test
