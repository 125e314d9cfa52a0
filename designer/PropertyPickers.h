// What the item properties dialog asks of the shell: the folder and file
// pickers, and the names and facts of folders and files. The dialog's logic
// runs against this interface, natively with a fake, on screen with the real
// dialogs. A picker tells a cancel (no value) apart from a choice.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace designer {

struct PickedFolder {
  std::string path;
  std::string displayName;  // the shell's name of the folder
};

class PropertyShell {
 public:
  virtual ~PropertyShell() = default;

  // The folder browser, opened on `initial`; nothing when the user cancels
  // or chooses no file-system folder.
  virtual std::optional<PickedFolder> PickFolder(const std::string& title, const std::string& initial) = 0;
  // The open-file dialog, opened on `initial` (file name and folder alike);
  // nothing on a cancel. A path too long for the dialog raises error 5.
  virtual std::optional<std::string> PickFile(const std::string& initial) = 0;

  // The special folders this system has: (CSIDL, qualified name), ascending.
  virtual std::vector<std::pair<std::int32_t, std::string>> SpecialFolders() = 0;
  // The qualified name of one special folder; "" when the system has none.
  virtual std::string SpecialFolderName(std::int32_t csidl) = 0;
  // The shell's display name of a file or folder.
  virtual std::string FileDisplayName(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace designer
