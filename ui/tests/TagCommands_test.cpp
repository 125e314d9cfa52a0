#include "ui/TagCommands.h"

#include <gtest/gtest.h>

using namespace ui;

namespace {

// A control that writes down what the commands did to it.
struct Recorder : TagTarget {
  std::string kind = "picturebox", tag, text;
  bool fileThere = true;
  std::vector<std::string> done;
  std::string KindName() const override { return kind; }
  std::string Tag() const override { return tag; }
  void SetImageList(int list) override { done.push_back("imagelist " + std::to_string(list)); }
  void SetIcon(const std::string& size, const std::string& key) override { done.push_back("icon " + size + " " + key); }
  void SetMaxLength(long n) override {
    if (n < 0) throw std::runtime_error("no such length");
    done.push_back("max " + std::to_string(n));
  }
  void SetPicture(const std::string& name) override { done.push_back("picture " + name); }
  void SetPictureBackground(const std::string& name) override { done.push_back("background " + name); }
  std::string Text() const override { return text; }
  bool FileExists(const std::string&) const override { return fileThere; }
  void ReportMissingFile(const std::string& path) override { done.push_back("missing " + path); }
};

std::string Joined(const std::vector<std::string>& list) {
  std::string out;
  for (size_t i = 1; i < list.size(); ++i) out += (i > 1 ? "/" : "") + list[i];
  return out;
}

}  // namespace

TEST(TagCommands, BreakdownSplitsCommandsAndTheirValues) {
  struct Case {
    const char* text;
    std::int32_t commands;
    const char* parts;
  } cases[] = {
      {"", 0, ""},
      {"imagelist=s", 1, "imagelist=s"},
      {"imagelist=s|icon=l,app_icon", 2, "imagelist=s/icon=l,app_icon"},
      {"imagelist=s icon=l,app_icon", 2, "imagelist=s/icon=l,app_icon"},
      {"imagelist=s\r\nmax=10", 2, "imagelist=s/max=10"},
  };
  std::vector<std::string> list;
  for (const Case& c : cases) {
    EXPECT_EQ(Control_BreakdownCommands(c.text, list), c.commands) << c.text;
    EXPECT_EQ(Joined(list), c.parts) << c.text;
    EXPECT_EQ(list[0], "");
  }

  struct Parms {
    const char* command;
    std::int32_t count;
    const char* parts;
  } parms[] = {
      {"", 0, ""},
      {"filename", 1, "FILENAME"},
      {"imagelist=s", 2, "IMAGELIST/s"},
      {"Icon=L,App_Icon", 3, "ICON/L/App_Icon"},  // the name upper-cased, the values as written
  };
  for (const Parms& p : parms) {
    EXPECT_EQ(Control_BreakdownCommandParms(p.command, list), p.count) << p.command;
    EXPECT_EQ(Joined(list), p.parts) << p.command;
  }
}

TEST(TagCommands, OnlyAllowedCommandsWithEnoughValuesRun) {
  struct Case {
    const char* tag;
    const char* allowed;
    const char* done;
  } cases[] = {
      {"", "IMAGELIST|ICON", ""},
      {"imagelist=s", "IMAGELIST|PICTUREBACKGROUND", "imagelist 0"},
      {"IMAGELIST=S2", "IMAGELIST", "imagelist 1"},
      {"imagelist=l", "IMAGELIST", "imagelist 2"},
      {"imagelist=m|imagelist", "IMAGELIST", ""},  // another size word, no size word
      {"icon=l,app_icon", "ICON|PICTURE", "icon l app_icon"},
      {"icon=l", "ICON|PICTURE", ""},
      {"icon=l,app_icon|imagelist=s|picture=BACKGROUND", "ICON|PICTURE", "icon l app_icon,picture BACKGROUND"},
      {"imagelist=s|icon=s,save", "IMAGELIST", "imagelist 0"},  // allowed one first: the rest still checked
      {"picturebackground=BACKGROUND", "IMAGELIST|PICTUREBACKGROUND", "background BACKGROUND"},
      {"max=260|max=x|max=-1|max=99999999999", "MAX", "max 260"},  // bad values and failures are passed over
      {"image=s", "IMAGELIST", ""},  // names compare whole
  };
  for (const Case& c : cases) {
    Recorder control;
    control.tag = c.tag;
    EXPECT_FALSE(Control_ProcessCommands(control, c.allowed)) << c.tag;
    std::string done;
    for (const auto& d : control.done) done += (done.empty() ? "" : ",") + d;
    EXPECT_EQ(done, c.done) << c.tag;
  }
}

TEST(TagCommands, AMissingFileStopsTheCommandsAfterIt) {
  Recorder control;
  control.tag = "imagelist=s|filename|icon=s,file";
  control.text = "C:\\nowhere\\x.exe";
  control.fileThere = false;
  EXPECT_TRUE(Control_ProcessCommands(control, "IMAGELIST|FILENAME|ICON"));
  EXPECT_EQ(control.done, (std::vector<std::string>{"imagelist 0", "missing C:\\nowhere\\x.exe"}));

  // An existing file, or an empty text, lets them run on.
  for (bool there : {true, false}) {
    Recorder ok;
    ok.tag = control.tag;
    ok.text = there ? "C:\\x.exe" : "";
    ok.fileThere = there;
    EXPECT_FALSE(Control_ProcessCommands(ok, "IMAGELIST|FILENAME|ICON"));
    EXPECT_EQ(ok.done.size(), 2u);
  }
}
