// What opening a path starts: a document by itself, an Internet shortcut's
// address in the browser.
#include "shellext/OpenChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using shellext::ChooseOpen;
using shellext::OpenChoice;

TEST(OpenChoice, AShortcutWithAnAddressOpensItInTheBrowserAndEverythingElseOpensItself) {
  struct Case {
    std::string path;
    std::string address;  // what the shortcut file holds
    bool read;            // whether the file is read at all
    std::string file, parameters;
  };
  const Case cases[] = {
      {"C:\\links\\site.url", "http://example.org/a?b=1", true, "iexplore", "http://example.org/a?b=1"},
      {"C:\\links\\SITE.URL", "http://example.org/", true, "iexplore", "http://example.org/"},
      {"a.url", "http://a/", true, "iexplore", "http://a/"},           // five characters: a shortcut
      {".url", "http://a/", false, ".url", ""},                        // the bare ending is not
      {"C:\\links\\empty.url", "", true, "C:\\links\\empty.url", ""},  // no address: the file itself
      {"C:\\docs\\a b.txt", "http://a/", false, "C:\\docs\\a b.txt", ""},
      {"C:\\docs\\site.url.txt", "http://a/", false, "C:\\docs\\site.url.txt", ""},
      {"C:\\docs\\siteurl", "http://a/", false, "C:\\docs\\siteurl", ""},
      {"", "http://a/", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::vector<std::string> asked;
    const OpenChoice choice = ChooseOpen(c.path, [&](const std::string& p) {
      asked.push_back(p);
      return c.address;
    });
    EXPECT_EQ(choice.file, c.file);
    EXPECT_EQ(choice.parameters, c.parameters);
    EXPECT_EQ(asked, c.read ? std::vector<std::string>{c.path} : std::vector<std::string>{});
  }
  // Without a reader a shortcut opens as a file.
  EXPECT_EQ(ChooseOpen("x.url", {}).file, "x.url");
}

}  // namespace
