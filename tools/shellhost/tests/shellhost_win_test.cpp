// shellhost end to end: the test handler registered machine-wide (Wine finds
// COM classes only there), shellhost.exe run on real files and folders, and
// its printed output read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "base/tests/testing.h"
#include "tools/shellhost/tests/handler/testhandler_ids.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFileBytes;

std::string ProgramFolder() { return testing_support::TestProgramFolder(); }

std::string ClassText(int index) {
  wchar_t text[40];
  StringFromGUID2(shellhost_test::kHandlerClasses[index], text, 40);
  return std::string(text, text + wcslen(text));  // a GUID is ASCII
}

std::string HandlerName(int index) { return shellhost_test::kHandlerNamePrefix + std::to_string(index); }

using Result = testing_support::ProcessResult;

std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  return "\"" + arg + "\"";  // no argument of these tests holds a quote
}

Result RunShellHost(const std::vector<std::string>& args) {
  std::string command = QuoteArgument(ProgramFolder() + "\\shellhost.exe");
  for (const std::string& a : args) command += " " + QuoteArgument(a);
  Result r = testing_support::RunProcess(command, 30000);
  if (r.exitCode == 0xdeadbeef) ADD_FAILURE() << "cannot start " << command;
  return r;
}

bool HasKey(const std::string& path) {
  base::UniqueHKey key;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// Registers test handler class `index` machine-wide and removes, when it
// goes, exactly the keys it made: the keys it owns outright (a leftover of an
// earlier run included) and every level of a path that it had to create.
class Registration {
 public:
  explicit Registration(int index) : m_index(index) {
    std::string clsid = "Software\\Classes\\CLSID\\" + ClassText(index);
    Own(clsid);
    SetValue(clsid, "", "Corvane shellhost test handler");
    SetValue(clsid + "\\InprocServer32", "", ProgramFolder() + "\\shellhost_testhandler.dll");
    SetValue(clsid + "\\InprocServer32", "ThreadingModel", "Apartment");
  }
  ~Registration() {
    for (auto it = m_owned.rbegin(); it != m_owned.rend(); ++it) RegDeleteTreeA(HKEY_LOCAL_MACHINE, it->c_str());
    // Deepest first; a level that someone else has filled meanwhile stays.
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) RegDeleteKeyA(HKEY_LOCAL_MACHINE, it->c_str());
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

  // <classKey>\shellex\ContextMenuHandlers\CorvaneShellHostTest<i>, whose Tag
  // the handler shows as "Class TAG" when it is given that class key.
  void AddHandler(const std::string& classKey, const std::string& tag) {
    std::string key = "Software\\Classes\\" + classKey + "\\shellex\\ContextMenuHandlers\\" + HandlerName(m_index);
    Own(key);
    SetValue(key, "", ClassText(m_index));
    SetValue(key, shellhost_test::kTagValue, tag);
  }

  // An extension of our own whose ProgID key exists.
  void AddFileType(const std::string& extension, const std::string& progId) {
    Own("Software\\Classes\\" + extension);
    Own("Software\\Classes\\" + progId);
    SetValue("Software\\Classes\\" + extension, "", progId);
    SetValue("Software\\Classes\\" + progId, "", "Corvane shellhost test file");
  }

 private:
  void Own(const std::string& path) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    m_owned.push_back(path);
  }

  void SetValue(const std::string& path, const std::string& name, const std::string& value) {
    for (size_t pos = path.find('\\'); ; pos = path.find('\\', pos + 1)) {
      std::string level = path.substr(0, pos);
      base::UniqueHKey key;
      DWORD disposition = 0;
      ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, level.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                                &disposition),
                ERROR_SUCCESS)
          << level;
      if (disposition == REG_CREATED_NEW_KEY) m_created.push_back(level);
      if (pos == std::string::npos) {
        ASSERT_EQ(RegSetValueExA(key.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        return;
      }
    }
  }

  int m_index;
  std::vector<std::string> m_owned;
  std::vector<std::string> m_created;
};

std::string Leaf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// "  string 0 ..." or any other whole line of the output.
bool HasLine(const std::string& output, const std::string& line) {
  return ("\n" + output).find("\n" + line + "\n") != std::string::npos;
}

TEST(ShellHost, PrintsTheWholeProtocolForAHandlerOfAFileType) {
  Registration reg(0);
  reg.AddFileType(".crvsh0", "CorvaneShellHostTest0.File");
  reg.AddHandler("*", "star");
  reg.AddHandler("CorvaneShellHostTest0.File", "progid");
  TempDir dir;
  WriteFileBytes(dir.File("a.crvsh0"), "a");
  WriteFileBytes(dir.File("b.crvsh0"), "b");

  Result r = RunShellHost({"--only", ClassText(0), "--open-submenus", "--owner-draw", dir.File("a.crvsh0"),
                           dir.File("b.crvsh0")});

  // Found under both class keys, the handler runs once, with the ProgID's key.
  // It shows the shell's data object (both items, in order) and pidlFolder
  // (the items' folder); "Opened" exists only because WM_INITMENUPOPUP
  // reached it, and the owner-drawn item was measured and drawn black.
  std::string folder = dir.Path();
  std::string expected = "folder \"" + folder + "\"\n" + R"(item "a.crvsh0"
item "b.crvsh0"
classes "CorvaneShellHostTest0.File" "*"
handler )" + ClassText(0) + R"( class "CorvaneShellHostTest0.File" name "CorvaneShellHostTest0"
  create 0x00000000 S_OK
  interfaces IShellExtInit IContextMenu IContextMenu2 IContextMenu3
  Initialize 0x00000000 S_OK
  QueryContextMenu 0x00000006 code 6
  menu
    string 0 "Selection 2: a.crvsh0" default verb "crvsh.touch" help "Writes touched.txt"
    separator -
    popup 1 "Shellhost test" opened verb 0x80070057 E_INVALIDARG help 0x80070057 E_INVALIDARG validate 0x00000001 S_FALSE
      string 2 "Class progid" checked checkbitmaps verb "crvsh.class" help "Names the class key"
      ownerdraw 3 data 0x5afe measure 80x18 draw painted verb "crvsh.draw" help "Drawn by its owner"
      string 4 "Opened" verb "crvsh.opened" help "Added when the submenu opened"
    string 5 "Folder )" + Leaf(folder) + R"(" disabled bitmap verb "crvsh.folder" help "Names the folder"
  release 0
unload "shellhost_testhandler.dll" DllCanUnloadNow 0x00000000 S_OK freed
result 0
)";
  // Paths print with their backslashes escaped.
  for (size_t pos = 0; (pos = expected.find('\\', pos)) != std::string::npos; pos += 2) expected.insert(pos, "\\");
  EXPECT_EQ(r.output, expected);
  EXPECT_EQ(r.exitCode, 0u);
}

TEST(ShellHost, FindsHandlersUnderTheClassKeysOfWhatIsSelected) {
  Registration reg(1);
  reg.AddHandler("*", "star");
  reg.AddHandler("Directory", "directory");
  reg.AddHandler("Directory\\Background", "background");
  TempDir dir;
  std::string sub = dir.File("sub");
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  std::string plain = dir.File("plain.crvshnone1");  // an extension nobody registers
  WriteFileBytes(plain, "p");
  std::string only = ClassText(1);
  std::string handler = "handler " + only + " class ";
  std::string parent =
      "    string 5 \"Folder " + Leaf(dir.Path()) + R"(" disabled bitmap verb "crvsh.folder" help "Names the folder")";

  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a folder",
       {"--only", only, sub},
       {"item \"sub\"", R"(classes "Directory" "Folder")", handler + R"("Directory" name "CorvaneShellHostTest1")",
        R"(    string 0 "Selection 1: sub" default verb "crvsh.touch" help "Writes touched.txt")", parent}},
      {"a folder's background",
       {"--only", only, "--background", sub},
       {"background", R"(classes "Directory\\Background")",
        handler + R"("Directory\\Background" name "CorvaneShellHostTest1")",
        R"(    string 0 "Selection none" default verb "crvsh.touch" help "Writes touched.txt")",
        R"(      string 2 "Class background" checked checkbitmaps verb "crvsh.class" help "Names the class key")",
        R"(    string 5 "Folder sub" disabled bitmap verb "crvsh.folder" help "Names the folder")"}},
      {"a file without a ProgID",
       {"--only", only, plain},
       {R"(classes "*")", handler + R"("*" name "CorvaneShellHostTest1")",
        R"(      string 2 "Class star" checked checkbitmaps verb "crvsh.class" help "Names the class key")"}},
      {"--clsid takes the most specific class key there is",
       {"--clsid", only, sub},
       {handler + R"("Directory" --clsid)",
        R"(      string 2 "Class directory" checked checkbitmaps verb "crvsh.class" help "Names the class key")"}},
      {"--first moves the identifiers, offsets stay",
       {"--only", only, "--first", "100", "--last", "105", plain},
       {"  QueryContextMenu 0x00000006 code 6",
        R"(    string 0 "Selection 1: plain.crvshnone1" default verb "crvsh.touch" help "Writes touched.txt")"}},
      {"--last too low for the handler's items", {"--only", only, "--first", "100", "--last", "104", plain},
       {"  QueryContextMenu 0x00000000 S_OK code 0", "  menu", "  release 0"}},
      {"--flags reaches QueryContextMenu (CMF_DEFAULTONLY)", {"--only", only, "--flags", "0x1", plain},
       {"  QueryContextMenu 0x00000000 S_OK code 0", "  menu", "  release 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result r = RunShellHost(c.args);
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    for (const std::string& line : c.lines) EXPECT_TRUE(HasLine(r.output, line)) << line << "\n---\n" << r.output;
  }
}

TEST(ShellHost, InvokesByOffsetAndByVerbAndReportsWhatFails) {
  Registration reg(2);  // the class only: --clsid needs no handler keys
  TempDir dir;
  std::string file = dir.File("x.crvshnone2");
  WriteFileBytes(file, "x");
  std::string touched = dir.File("touched.txt");

  struct Case {
    std::vector<std::string> args;
    DWORD exitCode;
    std::string line;
    std::string touched;  // what the handler wrote, "" for nothing
  };
  const Case cases[] = {
      // The handler sees the offset, the verb in its wide form, and an owner
      // window that is there but hidden.
      {{"--invoke-offset", "0"}, 0, "  invoke offset 0 0x00000000 S_OK", "offset hidden"},
      {{"--invoke", "crvsh.touch"}, 0, "  invoke verb \"crvsh.touch\" 0x00000000 S_OK", "verbW hidden"},
      {{"--invoke", "crvsh.nosuch"}, 1, "  invoke verb \"crvsh.nosuch\" 0x80070057 E_INVALIDARG", ""},
      {{"--invoke-offset", "1"}, 1, "  invoke offset 1 0x80070057 E_INVALIDARG", ""},  // the popup
      {{"--invoke", "crvsh.crash"}, 4, "crash 0xc0000005 in \"shellhost_testhandler.dll\"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    DeleteFileA(touched.c_str());
    std::vector<std::string> args = {"--clsid", ClassText(2)};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back(file);
    Result r = RunShellHost(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_TRUE(HasLine(r.output, c.line)) << r.output;
    EXPECT_TRUE(HasLine(r.output, "result " + std::to_string(c.exitCode))) << r.output;
    EXPECT_EQ(testing_support::ReadFileBytes(touched), c.touched);
  }
}

TEST(ShellHost, RejectsBadInputWithItsExitCode) {
  TempDir dir;
  std::string file = dir.File("f.crvshnone");
  WriteFileBytes(file, "f");
  TempDir other;
  std::string elsewhere = other.File("g.crvshnone");
  WriteFileBytes(elsewhere, "g");
  struct Case {
    std::vector<std::string> args;
    DWORD exitCode;
    std::string says;
  };
  const Case cases[] = {
      {{}, 2, "name the items to select"},
      {{"--flags", "x", file}, 2, "--flags wants a number"},
      {{"--first", "10", "--last", "5", file}, 2, "--first 10 is above --last 5"},
      {{"--first", "0x10000", file}, 2, "--first wants a number from 0 to 65535"},
      {{"--clsid", "{nonsense}", file}, 2, "--clsid wants a CLSID"},
      {{"--clsid", ClassText(0), "--only", ClassText(0), file}, 2, "do not go together"},
      {{"--bogus", file}, 2, "unknown option --bogus"},
      {{"--background", file}, 3, "no folder"},
      {{dir.File("missing.crvshnone")}, 3, "no file or folder"},
      {{file, elsewhere}, 3, "must share one folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    Result r = RunShellHost(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
}

TEST(ShellHost, FindsNothingOnceTheRegistrationIsRemoved) {
  TempDir dir;
  std::string file = dir.File("r.crvshnone3");
  WriteFileBytes(file, "r");
  std::string clsidKey = "Software\\Classes\\CLSID\\" + ClassText(3);
  std::string handlersKey = "Software\\Classes\\*\\shellex\\ContextMenuHandlers";
  std::string handlerKey = handlersKey + "\\" + HandlerName(3);
  bool handlersKeyWasThere = HasKey(handlersKey);  // a fresh prefix has it; others may have removed it
  {
    Registration reg(3);
    reg.AddHandler("*", "star");
    Result r = RunShellHost({"--only", ClassText(3), file});
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(HasLine(r.output, "handler " + ClassText(3) + R"( class "*" name "CorvaneShellHostTest3")"))
        << r.output;
  }
  EXPECT_FALSE(HasKey(clsidKey));
  EXPECT_FALSE(HasKey(handlerKey));
  if (handlersKeyWasThere) {
    EXPECT_TRUE(HasKey(handlersKey));  // not ours: it stays
  }

  Result found = RunShellHost({"--only", ClassText(3), file});
  EXPECT_EQ(found.exitCode, 3u) << found.output;
  EXPECT_TRUE(HasLine(found.output, "no handler")) << found.output;
  Result created = RunShellHost({"--clsid", ClassText(3), file});
  EXPECT_EQ(created.exitCode, 1u) << created.output;
  EXPECT_TRUE(HasLine(created.output, "  create 0x80040154 REGDB_E_CLASSNOTREG")) << created.output;
}

}  // namespace
