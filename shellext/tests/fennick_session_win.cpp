#include "shellext/tests/fennick_session.h"

#include <gtest/gtest.h>

#include "base/handles.h"
#include "common/clsMRU.h"
#include "config/clsCorvaneDataTools.h"
#include "resources/identity.h"

namespace fennick_test {

namespace {

constexpr char kSettingsKey[] = "Software\\Brindlewick\\Corvane";

std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string DllPath() { return Backslashed(CORVANE_FENNICK_DLL); }

bool KeyExists(const std::string& key) {
  base::UniqueHKey hk;
  return RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, hk.put()) == ERROR_SUCCESS;
}

void CopyKey(const std::string& from, const std::string& to) {
  base::UniqueHKey source, dest;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, source.put()), ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, dest.put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegCopyTreeA(source.get(), nullptr, dest.get()), ERROR_SUCCESS);
}

}  // namespace

FennickSession::FennickSession() {
  m_backup = std::string(kSettingsKey) + "TestBackup" + std::to_string(GetCurrentProcessId());
  RegDeleteTreeA(HKEY_CURRENT_USER, m_backup.c_str());
  m_hadSettings = KeyExists(kSettingsKey);
  if (m_hadSettings) CopyKey(kSettingsKey, m_backup);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  EXPECT_EQ(testing_support::RunProcess("regsvr32.exe /s \"" + DllPath() + "\"").exitCode, 0u);
}

FennickSession::~FennickSession() {
  testing_support::RunProcess("regsvr32.exe /s /u \"" + DllPath() + "\"");
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  if (m_hadSettings) {
    CopyKey(m_backup, kSettingsKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_backup.c_str());
  }
}

void FennickSession::WriteSettings(const std::string& configFile,
                                   const std::function<void(config::clsOptions&)>& change) {
  config::clsOptions o;
  o.Reset();
  o.m_bShellEnable = true;
  o.m_szShellConfigFile = configFile;
  o.m_lShellShowIcons = config::clsOptions::OptionLevel_None;
  o.m_lShellShowHistoryMRU = config::clsOptions::OptionsMenuDisplay_DoNotShow;
  o.m_lShellShowQuickAccessMRU = config::clsOptions::OptionsMenuDisplay_DoNotShow;
  o.m_lShellMaxHistoryMRU = 10;
  o.m_lShellMaxQuickAccessMRU = 10;
  o.m_lShellShowFlags = 0;
  o.m_bShellOwnerDraw = false;
  o.m_bDebugEnable = false;
  if (change) change(o);
  o.Reg_Save(std::string(kSettingsKey) + "\\", false);
}

void FennickSession::WriteList(const char* key, const std::vector<config::clsCorvaneData>& entries) {
  common::clsMRU list;
  list.SetPath(key);
  list.SetExactMatch(true);
  ASSERT_TRUE(list.Load(10));
  list.Reset();
  config::clsCorvaneDataTools tools;
  // Added oldest first, so that the first entry ends up the most recent.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) list.AddFile(tools.CreateHistoryMRU(*it));
  ASSERT_TRUE(list.Save());
}

testing_support::ProcessResult FennickSession::Run(const std::vector<std::string>& args) {
  std::string command = "\"" + Backslashed(CORVANE_SHELLHOST_EXE) + "\" --only " CORVANE_FENNICK_CLSID_TEXT;
  for (const std::string& a : args) command += a.find(' ') == std::string::npos ? " " + a : " \"" + a + "\"";
  testing_support::ProcessResult r = testing_support::RunProcess(command, 120000);
  EXPECT_EQ(r.exitCode, 0u) << command << "\n" << r.output;
  return r;
}

config::clsCorvaneData ListItem(std::int32_t type, const std::string& caption, const std::string& location) {
  config::clsCorvaneData item;
  item.m_lType = type;
  item.SetCaption(caption);
  item.SetLocation(location);
  return item;
}

std::string MenuPart(const std::string& output) {
  const size_t start = output.find("\n  menu\n");
  if (start == std::string::npos) return "(no menu)\n" + output;
  const size_t end = output.find("\n  release", start + 1);
  return output.substr(start + 1, end == std::string::npos ? std::string::npos : end - start);
}

std::string MenuOutline(const std::string& output, const std::string& dir) {
  std::string escaped;  // as shellhost prints it
  for (char c : dir) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  std::string outline;
  const std::string menu = MenuPart(output);
  for (size_t start = 0; start < menu.size();) {
    size_t end = menu.find('\n', start);
    if (end == std::string::npos) end = menu.size();
    std::string line = menu.substr(start, end - start);
    for (const char* cut : {" verb", " help", " validate"})
      if (size_t at = line.find(cut); at != std::string::npos) line.resize(at);
    for (size_t at; (at = line.find(escaped)) != std::string::npos;) line.replace(at, escaped.size(), "%T");
    outline += line + "\n";
    start = end + 1;
  }
  return outline;
}

}  // namespace fennick_test
