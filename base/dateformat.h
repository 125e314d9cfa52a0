// Dates and times formatted by a format text: the named formats ("long
// date", "short time", ...) and patterns of the user's own ("dd/mm/yyyy",
// "hh:nn AM/PM", "dddd, mmmm d"), in the words of the user's locale.
#pragma once
#include <string>
#include <string_view>

namespace base {

struct DateTime {
  int year = 1900, month = 1, day = 1;     // month 1 to 12
  int hour = 0, minute = 0, second = 0;
  int weekday = 1;                         // 0 Sunday to 6 Saturday
};

// The local date and time now: one clock reading.
DateTime Now();

// What the formatter asks of a locale.
class DateLocale {
 public:
  virtual ~DateLocale() = default;
  virtual std::string MonthName(int month, bool abbreviated) const = 0;    // 1 to 12
  virtual std::string DayName(int weekday, bool abbreviated) const = 0;    // 0 Sunday
  virtual std::string AmPm(bool pm) const = 0;
  virtual std::string DateSeparator() const = 0;
  virtual std::string TimeSeparator() const = 0;
  // The locale's own long date, short date and long time forms.
  virtual std::string LongDate(const DateTime& t) const = 0;
  virtual std::string ShortDate(const DateTime& t) const = 0;
  virtual std::string LongTime(const DateTime& t) const = 0;
};

// The user's locale: the locale calls on Windows, United States English
// natively.
const DateLocale& UserDateLocale();

// Formats by a named format, compared ignoring case ("General Date", "Long
// Date", "Medium Date", "Short Date", "Long Time", "Medium Time", "Short
// Time"), or else by a pattern:
//   d dd ddd dddd       day, two digits, weekday name abbreviated and full
//   ddddd dddddd        the short and the long date
//   w ww                weekday (1 Sunday) and week of the year (weeks begin
//                       on Sunday; week 1 holds 1 January)
//   m mm mmm mmmm       month, two digits, name abbreviated and full; m and mm
//                       right after an hour are minutes
//   q y yy yyyy         quarter, day of the year, two- and four-digit year
//   h hh n nn s ss      hour, minute, second (hours 1 to 12 when the pattern
//                       has AM/PM, am/pm, A/P, a/p or AMPM)
//   ttttt c             the long time; the short date and the long time
//   / :                 the locale's date and time separators
//   \x "text"           x, and text, as they stand
// Any other character stands for itself.
std::string FormatDate(const DateTime& t, std::string_view format, const DateLocale& locale);
std::string FormatDate(const DateTime& t, std::string_view format);  // the user's locale

}  // namespace base
