// The walk behind "Copy to Clipboard" and selection tasks: the selected
// names and, when asked, everything below the selected folders, depth first,
// each folder entered once however its links loop; and the text lists made
// of them.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shellext {

struct WalkEntry {
  std::string name;  // the entry's own name
  bool directory = false;
  bool reparse = false;  // a link or junction: listed, never entered
};

// Where the walk reads folders from.
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // The entries of the folder (without "." and ".."), in the order the file
  // system gives them; none when it cannot be read.
  virtual std::vector<WalkEntry> List(const std::string& folder) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;
  // What tells a folder from every other one reached by another path (the
  // volume and file number); "" when it cannot be told.
  virtual std::string Identity(const std::string& folder) = 0;
  // The short (8.3) form of a path; the path itself when it has none.
  virtual std::string ShortPath(const std::string& path) = 0;
};

// A selection task's texts as the item holds them (backslash escapes not
// yet expanded) and its options.
struct TaskTexts {
  std::string cmdPrefix, cmdSuffix, filePrefix, fileSuffix;
  std::string filter;
  bool quoteIfSpaces = false;
};

struct TaskLists {
  std::string cmdLine;  // for the program's parameters
  std::string file;     // for the clipboard and the selection file
  std::int32_t qualified = 0;
};

class SelectionWalk {
 public:
  // Told the folder being read before each one is entered; false stops
  // the walk (the lists so far stand).
  using Progress = std::function<bool(const std::string& folder)>;

  SelectionWalk(FolderSource& source, bool shortNames, Progress progress = {});

  // "Copy to Clipboard": each name (and, recursing, each name below a
  // selected folder) followed by CR LF; never quoted.
  std::string ClipboardList(const std::vector<std::string>& selected, bool recursive);
  // A selection task's two lists.
  TaskLists TaskList(const std::vector<std::string>& selected, bool recursive, const TaskTexts& texts);
  bool Stopped() const { return m_stopped; }

 private:
  using Visit = std::function<void(const std::string& path, bool directory)>;
  void Walk(const std::vector<std::string>& selected, bool recursive, const Visit& visit);
  void WalkFolder(const std::string& folder, const Visit& visit);
  // The name as the output shows it: short when asked, else quoted when
  // asked and it holds a blank.
  std::string Shown(const std::string& path, bool quoteIfSpaces);

  FolderSource& m_source;
  bool m_shortNames;
  Progress m_progress;
  bool m_stopped = false;
  std::vector<std::string> m_entered;  // identities of the folders entered
};

// Whether a filter (patterns separated by ",") lets a task name through:
// an empty filter takes everything, folders included; otherwise folders are
// never taken, and a file is when a pattern matches its full path or its own
// name, without regard to case.
bool TaskFilterQualifies(const std::string& path, bool directory, const std::string& filter);

// A copy or move destination made absolute: a drive path or a network path
// as it is, a relative one joined to the folder the menu is for (".." and
// "." resolved); none when it cannot be made absolute.
std::optional<std::string> AbsoluteDestination(const std::string& destination, const std::string& currentFolder);

}  // namespace shellext
