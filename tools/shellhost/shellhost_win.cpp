// shellhost: plays Explorer's side of the context-menu protocol against the
// handlers of a selection and prints what they do as stable text, so that
// tests (and people) can compare it. Wine's own shell never loads a
// third-party context-menu handler, so this is where Fennick meets a real
// shell's data object, identifier lists and menus.
//
// The usage and the output format follow in kUsage, which --help prints.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/handles.h"
#include "base/winstr.h"
#include "tools/shellhost/discovery_win.h"
#include "tools/shellhost/options_win.h"
#include "tools/shellhost/print_win.h"
#include "tools/shellhost/protocol_win.h"
#include "tools/shellhost/selection_win.h"

namespace {

constexpr char kUsage[] = R"(usage: shellhost [options] PATH...
       shellhost [options] --background FOLDER

Plays a shell's side of the context-menu protocol against the handlers of a
selection and prints the menus they build.

The selection is the paths given (files or folders, all in one folder), or
with --background the background of FOLDER. The shell itself makes the
data object (IShellFolder::GetUIObjectOf) and the identifier lists
(SHParseDisplayName, SHBindToParent). Initialize gets the items' parent
folder as pidlFolder; a background gets the folder and no data object.

Handlers come from HKEY_CLASSES_ROOT\<class>\shellex\ContextMenuHandlers,
each subkey's default value (or else its name) a CLSID, each CLSID once:
  files     the extension's ProgID, then *
  folders   Directory, then Folder
  drives    Drive, then Folder
  a background   Directory\Background
The first item decides the classes. Initialize gets the key of the class the
handler was found under. Each handler gets a menu of its own.

Options:
  --clsid {GUID}       use this handler instead of the registry's; it gets the
                       first of the selection's class keys that exists
  --only {GUID}        of the registry's handlers, use this one
  --flags N            uFlags of QueryContextMenu (CMF_*; default 0, CMF_NORMAL)
  --first N --last M   idCmdFirst and idCmdLast (default 1 and 32767)
  --open-submenus      send WM_INITMENUPOPUP to the handler for every submenu
                       before reading it (IContextMenu3::HandleMenuMsg2, else
                       IContextMenu2::HandleMenuMsg)
  --owner-draw         send WM_MEASUREITEM and WM_DRAWITEM for owner-drawn
                       items, drawing into a memory DC (the item rectangle 4
                       pixels in from its edges, on white)
  --draw-dir DIR       --owner-draw, and keep each drawing as DIR\ID.bmp (ID the
                       item's identifier in decimal), and the item drawn
                       selected as DIR\ID-selected.bmp (32-bit, top-down)
  --menu2              forward the menu messages through IContextMenu2's
                       HandleMenuMsg even when the handler has IContextMenu3
  --open-twice         --open-submenus, then open and read the whole menu once
                       more ("menu again")
  --gdi                the process's GDI objects before the handler is created,
                       with its menu open, after its release, and once the
                       libraries are freed ("gdi before N", "gdi open N", "gdi
                       after N", "gdi unloaded N"); where GetGuiResources
                       answers nothing (Wine), the live entries of the
                       process's GDI handle table that are not stock objects
  --invoke VERB        then InvokeCommand with the verb string; with several
                       handlers, each in turn until one accepts it
  --invoke-offset N    then InvokeCommand with MAKEINTRESOURCE(N); needs
                       exactly one handler (--clsid or --only)
  --help               this text
Numbers are decimal or 0x hexadecimal.

Output, one line each, sub-lines indented by two blanks:
  folder "PARSING NAME"           pidlFolder
  item "NAME"                     each selected item, as its folder names it
  background                      for --background
  classes "KEY"...                the class keys searched, in order
  skip class "KEY" name "NAME" names no CLSID "VALUE"
  handler {GUID} class "KEY" name "NAME"     (or: class "KEY" --clsid)
    create HR                     CoCreateInstance(CLSCTX_INPROC_SERVER)
    interfaces NAME...            of IShellExtInit IContextMenu IContextMenu2
                                  IContextMenu3, those the object answers
    Initialize HR
    QueryContextMenu HR code N    N = HRESULT_CODE, the count of identifiers
    menu
      TYPE OFFSET "TEXT" ATTRIBUTES...         one line per item
    menu again                    --open-twice: the same, read once more
    invoke offset N HR  |  invoke verb "VERB" HR
    prompt "TITLE" "TEXT"         a message box the handler showed, answered
                                  with its default button
    release N                     what the last Release returned
    gdi before N, gdi open N, gdi after N     --gdi
    exception HR                  a C++ exception came back through the handler
  unload "DLL" DllCanUnloadNow HR freed|loaded
  gdi unloaded N                  --gdi, once the libraries are freed
  no handler                      when none was found
  result N                        the exit code
HR is 0xXXXXXXXX, then the name of a common code (0x80070057 E_INVALIDARG).
Every "..." escapes \" and \\ and shows a control character as \xNN.
A failed step ends that handler's run after its line.

A menu item: TYPE is string, separator, popup or ownerdraw. OFFSET is the
identifier less idCmdFirst; "-" for a separator or popup without an
identifier of the range, "!ID" for a command outside it. "TEXT" comes from
GetMenuItemInfoA MIIM_STRING (not for separators; for an owner-drawn item
only when it keeps a text).
Then, in this order, those that apply:
  ownerdraw                 an owner-drawn popup
  data 0xN                  an owner-drawn item's item data
  checked disabled default  its state
  bitmap                    hbmpItem (or an MFT_BITMAP item)
  checkbitmaps              hbmpChecked or hbmpUnchecked
  cycle                     a submenu met again on its own path (not read)
  opened [HR]               WM_INITMENUPOPUP sent (HR when it failed)
  measure WxH | measure HR  WM_MEASUREITEM
  draw painted|blank | draw HR   WM_DRAWITEM, and whether a pixel changed
  verb "V" | verb HR        GCS_VERBW, for every item of the range
  help "H" | help HR        GCS_HELPTEXTW
  verbA ... helpA ...       GCS_VERBA, GCS_HELPTEXTA, only where they differ
  validate HR               GCS_VALIDATEW, when not S_OK
  validateA HR              GCS_VALIDATEA, when it differs from validate
A submenu's items follow its popup line, one depth further in.

Exit codes: 0 every handler went through every step; 1 a handler failed a step
(or no handler accepted --invoke); 2 bad arguments; 3 the selection or the
host could not be set up, or no handler was found; 4 a handler crashed the
process (reported as "crash CODE in "MODULE"").
)";

enum ExitCode : int { kExitOk = 0, kExitHandlerFailed = 1, kExitUsage = 2, kExitSetup = 3, kExitCrash = 4 };

int Finish(int code) {
  shellhost::PrintLine(0, "result " + std::to_string(code));
  return code;
}

std::string ModuleNameAt(void* address) {
  HMODULE module = nullptr;
  char path[MAX_PATH * 4];
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(address), &module) ||
      !GetModuleFileNameA(module, path, sizeof path))
    return "?";
  std::string name = path;
  return name.substr(name.find_last_of("\\/") + 1);
}

// A handler that faults takes the host down, as it would Explorer; the last
// word is a line that says so, and the exit code.
LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
  shellhost::PrintLine(0, std::string("crash ") + code + " in " +
                              shellhost::Quote(ModuleNameAt(info->ExceptionRecord->ExceptionAddress)));
  Finish(kExitCrash);
  ExitProcess(kExitCrash);
}

void OnTerminate() {
  shellhost::PrintLine(0, "crash terminate");
  Finish(kExitCrash);
  ExitProcess(kExitCrash);
}

// Message boxes a handler shows on this thread are printed and answered with
// their default button, as nobody sits at the harness to answer them.
class PromptAnswerer {
 public:
  PromptAnswerer() { s_hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId()); }
  ~PromptAnswerer() {
    if (s_hook) UnhookWindowsHookEx(s_hook);
    s_hook = nullptr;
  }
  PromptAnswerer(const PromptAnswerer&) = delete;
  PromptAnswerer& operator=(const PromptAnswerer&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_ACTIVATE) {
      auto box = reinterpret_cast<HWND>(wParam);
      char cls[16] = {};
      GetClassNameA(box, cls, sizeof cls);
      if (std::string(cls) == "#32770" && !GetPropA(box, kAnswered)) {
        SetPropA(box, kAnswered, reinterpret_cast<HANDLE>(1));
        char title[256] = {}, text[1024] = {};
        GetWindowTextA(box, title, sizeof title);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
        shellhost::PrintLine(1, "prompt " + shellhost::Quote(title) + " " + shellhost::Quote(text));
        LRESULT def = SendMessageA(box, DM_GETDEFID, 0, 0);
        WORD id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
      }
    }
    return CallNextHookEx(s_hook, code, wParam, lParam);
  }

  static constexpr char kAnswered[] = "CorvaneShellHostAnswered";
  static inline HHOOK s_hook = nullptr;
};

// The hidden window a shell would own the menu with; handlers parent their
// UI to it.
base::UniqueHWnd CreateOwnerWindow() {
  constexpr char kClass[] = "CorvaneShellHostOwner";
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
  return base::UniqueHWnd(CreateWindowExA(0, kClass, "shellhost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                          400, 300, nullptr, nullptr, wc.hInstance, nullptr));
}

void PrintSelection(const shellhost::Selection& s) {
  using shellhost::PrintLine;
  using shellhost::Quote;
  PrintLine(0, "folder " + Quote(s.shell.folder));
  for (const std::string& name : s.shell.names) PrintLine(0, "item " + Quote(name));
  if (s.kind == shellhost::SelectionKind::Background) PrintLine(0, "background");
  std::string classes = "classes";
  for (const std::string& key : s.classKeys) classes += " " + Quote(key);
  PrintLine(0, classes);
}

int Host(const shellhost::Options& o) {
  base::ComInit com(COINIT_APARTMENTTHREADED);
  if (FAILED(com.Result())) {
    std::fprintf(stderr, "shellhost: CoInitializeEx failed (%s)\n", shellhost::HResultText(com.Result()).c_str());
    return Finish(kExitSetup);
  }
  PromptAnswerer answerer;
  base::UniqueHWnd owner = CreateOwnerWindow();
  if (!owner) {
    std::fprintf(stderr, "shellhost: cannot create the owner window (error %lu)\n", GetLastError());
    return Finish(kExitSetup);
  }

  std::vector<std::wstring> modules;
  bool failed = false;
  {
    shellhost::Selection selection;
    try {
      selection = shellhost::ResolveSelection(o, owner.get());
    } catch (const base::Error& e) {
      std::fprintf(stderr, "shellhost: %s\n", e.Description().c_str());
      return Finish(kExitSetup);
    }
    PrintSelection(selection);

    std::vector<shellhost::HandlerEntry> handlers;
    if (o.clsid)
      handlers.push_back(shellhost::GivenHandler(*o.clsid, selection.classKeys));
    else
      handlers = shellhost::FindHandlers(selection.classKeys, o.only);
    if (handlers.empty()) {
      shellhost::PrintLine(0, "no handler");
      return Finish(kExitSetup);
    }
    if (o.invokeOffset && handlers.size() != 1) {
      std::fprintf(stderr, "shellhost: --invoke-offset needs exactly one handler; %u were found (name one with --only)\n",
                   static_cast<unsigned>(handlers.size()));
      return Finish(kExitUsage);
    }

    bool wantInvoke = o.invokeVerb || o.invokeOffset;
    bool invoked = false;
    for (const shellhost::HandlerEntry& h : handlers) {
      shellhost::HandlerOutcome outcome = shellhost::RunHandler(h, selection, o, owner.get(), wantInvoke && !invoked);
      failed = failed || outcome.failed;
      invoked = invoked || outcome.invoked;
      modules.push_back(outcome.module);
    }
    if (wantInvoke && !invoked) failed = true;
  }  // the data object and the identifier lists go before the unload check
  shellhost::ReportUnload(modules, o.gdi);
  return Finish(failed ? kExitHandlerFailed : kExitOk);
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(OnCrash);
  std::set_terminate(OnTerminate);
  try {
    shellhost::Options o;
    try {
      o = shellhost::ParseArguments(argc, argv);
    } catch (const base::Error& e) {
      std::fprintf(stderr, "shellhost: %s\n(shellhost --help tells more)\n", e.Description().c_str());
      return Finish(kExitUsage);
    }
    if (o.help) {
      std::fputs(kUsage, stdout);
      return kExitOk;
    }
    return Host(o);
  } catch (...) {
    base::Error e = base::CurrentError("shellhost");
    std::fprintf(stderr, "shellhost: %s\n", base::FormatErrorLine(e).c_str());
    return Finish(kExitSetup);
  }
}
