#include "base/dateformat.h"

#include <gtest/gtest.h>

namespace {

// A locale whose words and separators show where each piece came from.
class TestLocale : public base::DateLocale {
 public:
  std::string MonthName(int m, bool abbr) const override { return (abbr ? "mon" : "month") + std::to_string(m); }
  std::string DayName(int d, bool abbr) const override { return (abbr ? "wd" : "weekday") + std::to_string(d); }
  std::string AmPm(bool pm) const override { return pm ? "pm!" : "am!"; }
  std::string DateSeparator() const override { return "-"; }
  std::string TimeSeparator() const override { return "."; }
  std::string LongDate(const base::DateTime&) const override { return "<long date>"; }
  std::string ShortDate(const base::DateTime&) const override { return "<short date>"; }
  std::string LongTime(const base::DateTime&) const override { return "<long time>"; }
};

base::DateTime At(int y, int mo, int d, int wd, int h = 0, int mi = 0, int s = 0) {
  base::DateTime t;
  t.year = y, t.month = mo, t.day = d, t.weekday = wd, t.hour = h, t.minute = mi, t.second = s;
  return t;
}

}  // namespace

TEST(DateFormat, PatternsAndNamedFormats) {
  TestLocale loc;
  base::DateTime t = At(2024, 3, 5, 2, 15, 7, 9);  // Tuesday 5 March 2024, 15:07:09
  struct Row { const char* format; const char* text; } rows[] = {
      {"dd/mm/yyyy", "05-03-2024"},
      {" dd/mm/yyyy", " 05-03-2024"},  // a leading blank of the format stays
      {"d/m/yy", "5-3-24"},
      {"ddd dddd", "wd2 weekday2"},
      {"mmm mmmm", "mon3 month3"},
      {"ddddd|dddddd", "<short date>|<long date>"},
      {"hh:mm:ss", "15.07.09"},  // m after an hour is the minute
      {"h:n:s", "15.7.9"},
      {"mm hh mm", "03 15 07"},
      {"hh:nn AM/PM", "03.07 PM"},
      {"h:nn am/pm", "3.07 pm"},
      {"h A/P a/p", "3 P p"},
      {"hh AMPM", "03 pm!"},
      {"q y w ww", "1 65 3 10"},
      {"ttttt|c", "<long time>|<short date> <long time>"},
      {"\\d\\a\\y \"dd mm\" d", "day dd mm 5"},
      {"x-+()$ k", "x-+()$ k"},
      {"General Date", "<short date> <long time>"},
      {"long date", "<long date>"},
      {"LONG DATE", "<long date>"},
      {"Medium Date", "05-mon3-24"},
      {"short date", "<short date>"},
      {"long time", "<long time>"},
      {"Medium Time", "03.07 pm!"},
      {"short time", "15.07"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.format);
    EXPECT_EQ(base::FormatDate(t, r.format, loc), r.text);
  }
}

TEST(DateFormat, TwelveHourClockAtMidnightAndNoon) {
  TestLocale loc;
  EXPECT_EQ(base::FormatDate(At(2024, 1, 1, 1, 0, 5), "h:nn AM/PM", loc), "12.05 AM");
  EXPECT_EQ(base::FormatDate(At(2024, 1, 1, 1, 12, 5), "h:nn AM/PM", loc), "12.05 PM");
  EXPECT_EQ(base::FormatDate(At(2024, 1, 1, 1, 0, 5), "h:nn", loc), "0.05");
}

// Weeks begin on Sunday and week 1 is the one that holds 1 January.
TEST(DateFormat, WeekOfYear) {
  TestLocale loc;
  struct Row { base::DateTime t; const char* week; } rows[] = {
      {At(2023, 1, 1, 0), "1"},    // a Sunday: week 1 starts with it
      {At(2023, 1, 7, 6), "1"},    // the Saturday after
      {At(2023, 1, 8, 0), "2"},
      {At(2022, 1, 1, 6), "1"},    // a Saturday: week 1 is that one day
      {At(2022, 1, 2, 0), "2"},
      {At(2024, 12, 31, 2), "53"},
      {At(2000, 12, 31, 0), "54"},  // a leap year that began on a Saturday
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.t.year) + "-" + std::to_string(r.t.month) + "-" + std::to_string(r.t.day));
    EXPECT_EQ(base::FormatDate(r.t, "ww", loc), r.week);
  }
}

TEST(DateFormat, NowIsAPlausibleReading) {
  base::DateTime t = base::Now();
  EXPECT_GE(t.year, 2020);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31);
  EXPECT_TRUE(t.weekday >= 0 && t.weekday <= 6);
  EXPECT_FALSE(base::FormatDate(t, "long date").empty());
}
