// The command language of a control's tag: commands separated by "|",
// spaces or line breaks, each a name, optionally "=" and values separated
// by ",", with no quoting ("imagelist=s", "icon=l,app_icon", "max=260").
// The texts come from the forms' designs; any text at all is parsed safely.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// Splits a text into its commands: list[1..n] (list[0] stays empty); n.
std::int32_t Control_BreakdownCommands(const std::string& text, std::vector<std::string>& list);
// Splits one command: list[1] its name in upper case, list[2..] its values
// as written; the count of elements (0 for an empty command, 1 for a name
// alone).
std::int32_t Control_BreakdownCommandParms(const std::string& command, std::vector<std::string>& list);

// What the commands do to a control, told to the control's side. Every
// member has a safe default, so a control takes only what it has.
class TagTarget {
 public:
  virtual ~TagTarget() = default;
  // The control's kind name in lower case ("treeview", "smartui", "picturebox").
  virtual std::string KindName() const = 0;
  virtual std::string Tag() const = 0;
  // IMAGELIST: list 0 "s", 1 "s2", 2 "l".
  virtual void SetImageList(int list) = 0;
  // ICON: the picture of an image, or (toolbar buttons, tabs) its key.
  virtual void SetIcon(const std::string& size, const std::string& key) = 0;
  // MAX: the longest text the control takes. Failures are ignored.
  virtual void SetMaxLength(long length) = 0;
  // PICTURE, PICTUREBACKGROUND: a picture resource by name.
  virtual void SetPicture(const std::string& name) = 0;
  virtual void SetPictureBackground(const std::string& name) = 0;
  // FILENAME: the control's text, and what follows when it names no file.
  virtual std::string Text() const = 0;
  virtual bool FileExists(const std::string& path) const = 0;
  virtual void ReportMissingFile(const std::string& path) = 0;  // focus and message
};

// Runs the tag's commands whose names are in `allowed` (itself a command
// text: "ICON|PICTURE"). True only when a FILENAME check failed; the
// commands after it are then skipped.
bool Control_ProcessCommands(TagTarget& control, const std::string& allowed);

// The image list of a size word: 0 "s", 1 "s2", 2 "l" (any case); -1 for any other.
int ImageListIndex(const std::string& size);

}  // namespace ui
