// Fuzzes the command language of the controls' tags: the input is a tag, a
// line feed and the allowed list (no line feed: all tag, every command
// allowed). Besides not crashing and ending, every piece must be a piece of
// the language: no command holds a separator, no name is lower case.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/TagCommands.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Target : ui::TagTarget {
  std::string tag;
  std::string KindName() const override { return "picturebox"; }
  std::string Tag() const override { return tag; }
  void SetImageList(int list) override { Require(list >= 0 && list <= 2); }
  void SetIcon(const std::string&, const std::string&) override {}
  void SetMaxLength(long) override {}
  void SetPicture(const std::string&) override {}
  void SetPictureBackground(const std::string&) override {}
  std::string Text() const override { return tag.substr(0, 8); }
  bool FileExists(const std::string& path) const override { return path.size() % 2 == 0; }
  void ReportMissingFile(const std::string& path) override { Require(!path.empty()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\n');
  Target target;
  target.tag = input.substr(0, cut);
  const std::string allowed = cut == std::string::npos ? "IMAGELIST|ICON|MAX|PICTURE|PICTUREBACKGROUND|FILENAME"
                                                       : input.substr(cut + 1);

  std::vector<std::string> commands, parms;
  const std::int32_t n = ui::Control_BreakdownCommands(target.tag, commands);
  Require(n >= 0 && static_cast<size_t>(n) + 1 == commands.size() && commands[0].empty());
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::string& command = commands[static_cast<size_t>(i)];
    Require(command.find_first_of("|\r\n") == std::string::npos);
    const std::int32_t m = ui::Control_BreakdownCommandParms(command, parms);
    Require(m >= 0 && static_cast<size_t>(m) + 1 == parms.size());
    if (m >= 1) {
      Require(parms[1].find('=') == std::string::npos);
      for (char c : parms[1]) Require(!(c >= 'a' && c <= 'z'));
    }
  }
  ui::Control_ProcessCommands(target, allowed);
  return 0;
}
