// The address a link opens.
#include "smartui/link_target.h"

#include <gtest/gtest.h>

TEST(LinkTarget, TheValueElseTheCaptionAndMailAddressesGetTheirScheme) {
  struct Case {
    const char* caption;
    const char* value;  // null: left empty
    const char* target;
  } cases[] = {
      {"www.corvane.example", nullptr, "www.corvane.example"},
      {"Web site", "https://corvane.example/", "https://corvane.example/"},
      {"support@corvane.example", nullptr, "mailto:support@corvane.example"},
      {"Mail us", "mailto:a@b.example", "mailto:a@b.example"},
      {"", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    sui::Control control(sui::Style::Link);
    sui::ItemPtr item = control.items().add(0, "", c.caption, sui::kKindPlainText);
    if (c.value) item->setValue(std::string(c.value));
    EXPECT_EQ(sui::linkTarget(*item), c.target);
  }
}
