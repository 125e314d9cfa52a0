#include "config/clsOptions.h"

#include <cstdio>
#include <variant>
#include <vector>

#include "base/context.h"
#include "base/prompt.h"
#include "base/text.h"
#include "base/variant.h"
#include "common/appinfo.h"
#include "common/clsOsInfo.h"
#include "common/clsTrace.h"
#include "common/modRegistry.h"
#include "common/trace_io.h"

namespace config {

namespace {

using common::clsTrace;

// What each setting takes part in.
enum Use : unsigned {
  kReset = 1,       // Reset gives it its default
  kLoad = 2,        // Reg_Load reads it
  kSave = 4,        // Reg_Save writes it
  kFixedSave = 8,   // ... always as its default, never the field's value
  kDebugValue = 16, // written by the debug-only save as well
  kTraced = 32,     // listed in the debug trace's settings lines
};

using Field = std::variant<bool clsOptions::*, std::int32_t clsOptions::*, std::string clsOptions::*>;

struct Setting {
  const char* label;       // the field's name, as the trace lists it
  const char* valueName;   // the registry value
  const char* type;        // the type word
  Field field;
  base::Variant def;       // the default (a path: the file beside the program)
  bool besideProgram;
  unsigned use;
};

constexpr unsigned kStored = kReset | kLoad | kSave;

// Every setting with a registry value, in the order of the fields. Load,
// save, defaults and the trace's listing all read this one table; the
// order of reads and writes does not matter to the registry.
const std::vector<Setting>& Settings() {
  static const std::vector<Setting>* table = new std::vector<Setting>{
      {"m_bGeneralShowBackground", "GeneralShowBackground", "BOOL", &clsOptions::m_bGeneralShowBackground, true, false, kStored | kTraced},
      {"m_bGeneralAllowMultipleInstances", "GeneralAllowMultipleInstances", "BOOL", &clsOptions::m_bGeneralAllowMultipleInstances, false, false, kStored | kTraced},
      {"m_bGeneralSaveWindowPos", "GeneralSaveWindowPos", "BOOL", &clsOptions::m_bGeneralSaveWindowPos, true, false, kStored | kTraced},
      {"m_bShellEnable", "ShellEnable", "BOOL", &clsOptions::m_bShellEnable, true, false, kStored | kTraced},
      {"m_bShellShowInIE", "ShellShowInIE", "BOOL", &clsOptions::m_bShellShowInIE, false, false, kStored | kTraced},
      {"m_szShellConfigFile", "ShellConfigFile", "S", &clsOptions::m_szShellConfigFile, "\\Default.cfg", true, kStored | kTraced},
      {"m_lShellShowIcons", "ShellShowIcons", "D", &clsOptions::m_lShellShowIcons, clsOptions::OptionLevel_Maximum, false, kStored | kTraced},
      {"m_bShellUseOwnFolderBitmap", "ShellUseOwnFolderBitmap", "BOOL", &clsOptions::m_bShellUseOwnFolderBitmap, false, false, kStored | kTraced},
      {"m_lShellShowHistoryMRU", "ShellShowHistoryMRU", "D", &clsOptions::m_lShellShowHistoryMRU, clsOptions::OptionsMenuDisplay_ShowInMainMenu, false, kStored | kTraced},
      // The stored names of the two maxima have three l's; both programs and
      // the users' registries know them so.
      {"m_lShellMaxHistoryMRU", "ShelllMaxHistoryMRU", "D", &clsOptions::m_lShellMaxHistoryMRU, 5, false, kStored},
      {"m_lShellShowQuickAccessMRU", "ShellShowQuickAccessMRU", "D", &clsOptions::m_lShellShowQuickAccessMRU, clsOptions::OptionsMenuDisplay_ShowInMainMenu, false, kStored | kTraced},
      // The quick-access list holds one entry: never read, always saved as 1.
      {"m_lShellMaxQuickAccessMRU", "ShelllMaxQuickAccessMRU", "D", &clsOptions::m_lShellMaxQuickAccessMRU, 1, false, kReset | kSave | kFixedSave},
      {"m_lShellShowFlags", "ShellShowFlags", "D", &clsOptions::m_lShellShowFlags,
       clsOptions::ShowFlag_OpenInNewWindow | clsOptions::ShowFlag_CopyToClipboard | clsOptions::ShowFlag_RunDialog |
           clsOptions::ShowFlag_CommandPrompt | clsOptions::ShowFlag_CopyTo | clsOptions::ShowFlag_MoveTo |
           clsOptions::ShowFlag_TaskManager,
       false, kStored | kTraced},
      {"m_szShellCustomActionsFile", "ShellCustomActionsFile", "S", &clsOptions::m_szShellCustomActionsFile, "\\CustomActions.ini", true, kStored | kTraced},
      {"m_lShellMaxMenuText", "ShellMaxMenuText", "D", &clsOptions::m_lShellMaxMenuText, 64, false, kStored | kTraced},
      {"m_bShellIgnoreBoundsCheck", "ShellIgnoreBoundsCheck", "BOOL", &clsOptions::m_bShellIgnoreBoundsCheck, false, false, kStored | kTraced},
      {"m_bShellOwnerDraw", "ShellOwnerDraw", "BOOL", &clsOptions::m_bShellOwnerDraw, true, false, kStored | kTraced},
      // Read only, with the default of an enciphered file that is opened and
      // closed around every line; Reset leaves it alone.
      {"m_lDebugFlags", "DebugFlags", "D", &clsOptions::m_lDebugFlags, clsTrace::FlagEncrypt | clsTrace::FlagAutoCommit, false, kLoad},
      {"m_bDebugEnable", "DebugEnable", "BOOL", &clsOptions::m_bDebugEnable, false, false, kStored | kDebugValue | kTraced},
      {"m_szDebugOutput", "DebugOutput", "S", &clsOptions::m_szDebugOutput, "\\Debug.dbg", true, kStored | kDebugValue | kTraced},
      {"m_bDebugShowWindowsMenuInfo", "DebugShowWindowsMenuInfo", "BOOL", &clsOptions::m_bDebugShowWindowsMenuInfo, false, false, kStored | kDebugValue},
      {"m_bDebugEnableInMenu", "DebugEnableInMenu", "BOOL", &clsOptions::m_bDebugEnableInMenu, false, false, kStored | kDebugValue},
      {"m_bTimingEnable", "TimingEnable", "BOOL", &clsOptions::m_bTimingEnable, false, false, kStored | kTraced},
      {"m_szTimingOutput", "TimingOutput", "S", &clsOptions::m_szTimingOutput, "\\Timing.dbg", true, kStored | kTraced},
  };
  return *table;
}

base::Variant FieldValue(const clsOptions& o, const Field& field) {
  return std::visit([&](auto member) { return base::Variant(o.*member); }, field);
}

// The value as the trace lists it: "True" or "False", decimal, or the text.
std::string FieldText(const clsOptions& o, const Field& field) { return FieldValue(o, field).ToString(); }

void SetField(clsOptions& o, const Field& field, const base::Variant& value) {
  std::visit(
      [&](auto member) {
        using T = std::decay_t<decltype(o.*member)>;
        if constexpr (std::is_same_v<T, bool>)
          o.*member = value.ToBool();
        else if constexpr (std::is_same_v<T, std::int32_t>)
          o.*member = value.ToLong();
        else
          o.*member = value.ToString();
      },
      field);
}

base::Variant DefaultOf(const Setting& s) {
  if (s.besideProgram) return common::ProgramFolder() + s.def.ToString();
  return s.def;
}

void DeleteQuietly(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace

std::int32_t ClampListSize(std::int32_t stored) noexcept {
  if (stored < 0) return 0;
  return stored > kMaxListSize ? kMaxListSize : stored;
}

void clsOptions::Reset() {
  for (const Setting& s : Settings())
    if (s.use & kReset) SetField(*this, s.field, DefaultOf(s));
}

// Neither Reg_Load nor Reg_Save traces itself: both may restart the debug
// trace, whose fresh file would then open with a stray exit line.
void clsOptions::Reg_Load(const std::string& szPath) {
  try {
    m_szPath = szPath;
    Reset();
    for (const Setting& s : Settings()) {
      if (!(s.use & kLoad)) continue;
      base::Variant def = (s.use & kReset) ? FieldValue(*this, s.field) : s.def;
      std::visit([&](auto member) { common::RegistryGetValue("HKCU", szPath, s.valueName, s.type, def, this->*member); },
                 s.field);
    }
    m_szShellConfigFile = base::Trim(m_szShellConfigFile);
  } catch (...) {
    // Whatever could not be read keeps its default.
  }
  ProcessSettings(false, true);
}

void clsOptions::Reg_Save(const std::string& szPath, bool bDebugOnly) {
  try {
    const std::string key = szPath.empty() ? m_szPath : szPath;
    auto write = [&](const Setting& s) {
      base::Variant value = (s.use & kFixedSave) ? s.def : FieldValue(*this, s.field);
      common::RegistrySetValue("HKCU", key, s.valueName, s.type, value);
    };
    for (const Setting& s : Settings())
      if ((s.use & kSave) && (s.use & kDebugValue)) write(s);
    if (!bDebugOnly) {
      for (const Setting& s : Settings())
        if ((s.use & kSave) && !(s.use & kDebugValue)) write(s);
      return;
    }
  } catch (...) {
    return;
  }
  // The debug switch changed: a fresh debug trace takes the old one's place
  // and starts, or stays silent, as the settings now say.
  common::ReplaceDebugTrace();
  ProcessSettings(true, false);
}

void clsOptions::ProcessSettings(bool bDebuggingOnly, bool bShowDebugMsg) noexcept {
  bool pushed = false;
  try {
    clsTrace& debug = common::g_Debug();
    if (m_bDebugEnable) {
      if (bShowDebugMsg)
        base::Prompt(
            "Warning, debugging has been enabled.\r\n\r\nThe windows context menu may be slow to appear due to the "
            "amount of information being written.",
            base::kPromptOk | base::kPromptExclamation, common::g_szAppTitle());
      // A running trace holds its file open without sharing: it lets go
      // before the file is deleted and started again.
      debug.Terminate();
      DeleteQuietly(m_szDebugOutput);
      debug.Initialize(m_szDebugOutput, m_lDebugFlags);

      common::clsOsInfo& os = common::g_oOsInfo();
      debug.Output(common::ApplicationTitle() + " - " + common::LegalCopyright());
      debug.Output("ComputerName: " + os.ComputerName());
      debug.Output("UserName: " + os.DefaultUserName());
      debug.Output("CompanyName: " + os.DefaultCompanyName());
      debug.Output("IsNT: " + std::to_string(os.IsNT()));
      debug.Output("IsWindows: " + std::to_string(os.IsWindows()));
      debug.Output("OsInfo: " + std::to_string(os.OSMajorVersion()) + "." + std::to_string(os.OSMinorVersion()) +
                   " (Build " + std::to_string(os.OSBuild()) + ")");
      debug.Push("ProcessSettings");
      pushed = true;
      for (const Setting& s : Settings())
        if (s.use & kTraced) debug.Output(std::string(s.label) + ": " + FieldText(*this, s.field));
    } else {
      // Debugging is off now: a trace an earlier run started stops with it.
      debug.Terminate();
    }

    if (!bDebuggingOnly) {
      clsTrace& timing = common::g_oTiming();
      timing.Terminate();
      if (m_bTimingEnable) {
        DeleteQuietly(m_szTimingOutput);
        timing.Initialize(m_szTimingOutput, clsTrace::FlagAutoCommit);
        timing.Output("Timing session started " + common::GeneralDateNow(), clsTrace::FlagNoTime);
      }
    }
  } catch (...) {
    // Settings processing reports nothing to its caller.
  }
  if (pushed) common::g_Debug().Pop(false);
}

clsOptions& g_oOptions() { return base::ThreadContext::Current().Get<clsOptions>(); }

}  // namespace config
