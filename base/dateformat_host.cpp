// Native stand-in for the locale calls: United States English.
#include <ctime>

#include "base/dateformat.h"

namespace base {

namespace {

class EnglishDateLocale : public DateLocale {
 public:
  std::string MonthName(int month, bool abbreviated) const override {
    static const char* const kNames[] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
    std::string name = kNames[(month - 1 + 12) % 12];
    return abbreviated ? name.substr(0, 3) : name;
  }
  std::string DayName(int weekday, bool abbreviated) const override {
    static const char* const kNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
    std::string name = kNames[(weekday % 7 + 7) % 7];
    return abbreviated ? name.substr(0, 3) : name;
  }
  std::string AmPm(bool pm) const override { return pm ? "PM" : "AM"; }
  std::string DateSeparator() const override { return "/"; }
  std::string TimeSeparator() const override { return ":"; }
  std::string LongDate(const DateTime& t) const override {
    return FormatDate(t, "dddd, mmmm d, yyyy", *this);
  }
  std::string ShortDate(const DateTime& t) const override { return FormatDate(t, "m/d/yyyy", *this); }
  std::string LongTime(const DateTime& t) const override { return FormatDate(t, "h:nn:ss AMPM", *this); }
};

}  // namespace

const DateLocale& UserDateLocale() {
  static const EnglishDateLocale locale;
  return locale;
}

DateTime Now() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  DateTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  t.weekday = tm.tm_wday;
  return t;
}

}  // namespace base
