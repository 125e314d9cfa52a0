// Dates in the words of the user's locale, from the locale calls.
#include <windows.h>

#include "base/dateformat.h"

namespace base {

namespace {

SYSTEMTIME ToSystemTime(const DateTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wDayOfWeek = static_cast<WORD>(t.weekday);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

std::string Info(LCTYPE type) {
  char buf[128];
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
  return n > 0 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string();
}

class UserLocale : public DateLocale {
 public:
  std::string MonthName(int month, bool abbreviated) const override {
    LCTYPE first = abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1;
    return Info(first + static_cast<LCTYPE>((month - 1 + 12) % 12));
  }
  std::string DayName(int weekday, bool abbreviated) const override {
    // The locale's day names begin with Monday.
    LCTYPE first = abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1;
    return Info(first + static_cast<LCTYPE>((weekday % 7 + 6) % 7));
  }
  std::string AmPm(bool pm) const override { return Info(pm ? LOCALE_S2359 : LOCALE_S1159); }
  std::string DateSeparator() const override { return Info(LOCALE_SDATE); }
  std::string TimeSeparator() const override { return Info(LOCALE_STIME); }
  std::string LongDate(const DateTime& t) const override { return Date(t, DATE_LONGDATE); }
  std::string ShortDate(const DateTime& t) const override { return Date(t, DATE_SHORTDATE); }
  std::string LongTime(const DateTime& t) const override {
    SYSTEMTIME st = ToSystemTime(t);
    char buf[128];
    int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string();
  }

 private:
  static std::string Date(const DateTime& t, DWORD flags) {
    SYSTEMTIME st = ToSystemTime(t);
    char buf[256];
    int n = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string();
  }
};

}  // namespace

const DateLocale& UserDateLocale() {
  static const UserLocale locale;
  return locale;
}

DateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  DateTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  t.weekday = st.wDayOfWeek;
  return t;
}

}  // namespace base
