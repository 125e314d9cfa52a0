// The named formats and the names come from the locale calls.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/dateformat.h"

namespace {

std::string DateByLocale(const SYSTEMTIME& st, DWORD flags) {
  char buf[256] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf);
  return buf;
}

}  // namespace

TEST(DateFormatWin, NamedFormatsAndNamesAreTheLocales) {
  base::DateTime t;
  t.year = 2024, t.month = 3, t.day = 5, t.weekday = 2, t.hour = 15, t.minute = 7, t.second = 9;
  SYSTEMTIME st{};
  st.wYear = 2024, st.wMonth = 3, st.wDay = 5, st.wDayOfWeek = 2, st.wHour = 15, st.wMinute = 7,
  st.wSecond = 9;
  char time[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);

  EXPECT_EQ(base::FormatDate(t, "long date"), DateByLocale(st, DATE_LONGDATE));
  EXPECT_EQ(base::FormatDate(t, "short date"), DateByLocale(st, DATE_SHORTDATE));
  EXPECT_EQ(base::FormatDate(t, "long time"), time);
  EXPECT_EQ(base::FormatDate(t, "general date"), DateByLocale(st, DATE_SHORTDATE) + " " + time);
  // The test prefix runs in United States English.
  EXPECT_EQ(base::FormatDate(t, "dddd ddd mmmm mmm"), "Tuesday Tue March Mar");
  EXPECT_EQ(base::FormatDate(t, "long date"), "Tuesday, March 5, 2024");
  EXPECT_EQ(base::FormatDate(t, "hh:nn AMPM"), "03:07 PM");
}
