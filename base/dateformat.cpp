#include "base/dateformat.h"

#include <vector>

#include "base/text.h"

namespace base {

namespace {

enum class Part {
  Literal, Day, Day2, DayAbbrev, DayName, ShortDate, LongDate, Weekday, Week, Month, Month2,
  MonthAbbrev, MonthName, Minute, Minute2, Quarter, DayOfYear, Year2, Year4, Hour, Hour2,
  Second, Second2, LongTime, General, AmPmUpper, AmPmShort, AmPmLocale, DateSep, TimeSep,
};

struct Piece {
  Part part;
  std::string text;  // literal text, or the pattern's own AM/PM letters
};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DayOfYear(const DateTime& t) {
  static const int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  int m = t.month >= 1 && t.month <= 12 ? t.month : 1;
  return kBefore[m - 1] + t.day + (m > 2 && IsLeap(t.year) ? 1 : 0);
}

// Weeks begin on Sunday; week 1 is the one that holds 1 January.
int WeekOfYear(const DateTime& t) {
  int doy = DayOfYear(t);
  int jan1 = ((t.weekday - (doy - 1)) % 7 + 7) % 7;
  return (doy - 1 + jan1) / 7 + 1;
}

std::string Two(int n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? "0" + s : s;
}

size_t RunOf(std::string_view f, size_t i) {
  char c = LCase(f.substr(i, 1))[0];
  size_t n = 0;
  while (i + n < f.size() && LCase(f.substr(i + n, 1))[0] == c) ++n;
  return n;
}

// Splits a pattern into its parts.
std::vector<Piece> Tokenize(std::string_view f) {
  std::vector<Piece> out;
  bool afterHour = false;
  auto literal = [&](std::string_view s) {
    if (!out.empty() && out.back().part == Part::Literal)
      out.back().text += s;
    else
      out.push_back({Part::Literal, std::string(s)});
  };
  auto add = [&](Part p, std::string text = {}) {
    out.push_back({p, std::move(text)});
    // "hh:mm": separators do not part an hour from its minutes.
    if (p != Part::DateSep && p != Part::TimeSep) afterHour = p == Part::Hour || p == Part::Hour2;
  };
  size_t i = 0;
  while (i < f.size()) {
    char c = f[i];
    char lc = LCase(f.substr(i, 1))[0];
    size_t run = RunOf(f, i);
    if (c == '\\') {
      if (i + 1 < f.size()) literal(f.substr(i + 1, 1));
      i += 2;
    } else if (c == '"') {
      size_t close = f.find('"', i + 1);
      if (close == std::string_view::npos) close = f.size();
      literal(f.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (StartsWithNoCase(f.substr(i), "am/pm")) {
      add(Part::AmPmUpper, std::string(f.substr(i, 5)));
      i += 5;
    } else if (StartsWithNoCase(f.substr(i), "a/p")) {
      add(Part::AmPmShort, std::string(f.substr(i, 3)));
      i += 3;
    } else if (StartsWithNoCase(f.substr(i), "ampm")) {
      add(Part::AmPmLocale);
      i += 4;
    } else if (lc == 'd') {
      static const Part kDays[] = {Part::Day, Part::Day2, Part::DayAbbrev,
                                   Part::DayName, Part::ShortDate, Part::LongDate};
      size_t n = run < 6 ? run : 6;
      add(kDays[n - 1]);
      i += n;
    } else if (lc == 'w') {
      size_t n = run < 2 ? run : 2;
      add(n == 2 ? Part::Week : Part::Weekday);
      i += n;
    } else if (lc == 'm') {
      size_t n = run < 4 ? run : 4;
      if (n <= 2 && afterHour)
        add(n == 2 ? Part::Minute2 : Part::Minute);
      else
        add(n == 1 ? Part::Month : n == 2 ? Part::Month2 : n == 3 ? Part::MonthAbbrev : Part::MonthName);
      i += n;
    } else if (lc == 'n' || lc == 'h' || lc == 's') {
      size_t n = run < 2 ? run : 2;
      if (lc == 'n') add(n == 2 ? Part::Minute2 : Part::Minute);
      if (lc == 'h') add(n == 2 ? Part::Hour2 : Part::Hour);
      if (lc == 's') add(n == 2 ? Part::Second2 : Part::Second);
      i += n;
    } else if (lc == 'q') {
      add(Part::Quarter);
      i += 1;
    } else if (lc == 'y') {
      size_t n = run >= 4 ? 4 : run >= 2 ? 2 : 1;
      add(n == 4 ? Part::Year4 : n == 2 ? Part::Year2 : Part::DayOfYear);
      i += n;
    } else if (lc == 't' && run >= 5) {
      add(Part::LongTime);
      i += 5;
    } else if (lc == 'c') {
      add(Part::General);
      i += 1;
    } else if (c == '/') {
      add(Part::DateSep);
      i += 1;
    } else if (c == ':') {
      add(Part::TimeSep);
      i += 1;
    } else {
      literal(f.substr(i, 1));
      i += 1;
    }
  }
  return out;
}

std::string Render(const DateTime& t, const std::vector<Piece>& pieces, const DateLocale& loc) {
  bool twelve = false;
  for (const Piece& p : pieces)
    twelve = twelve || p.part == Part::AmPmUpper || p.part == Part::AmPmShort ||
             p.part == Part::AmPmLocale;
  int hour = t.hour;
  if (twelve) hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
  bool pm = t.hour >= 12;

  std::string out;
  for (const Piece& p : pieces) {
    switch (p.part) {
      case Part::Literal: out += p.text; break;
      case Part::Day: out += std::to_string(t.day); break;
      case Part::Day2: out += Two(t.day); break;
      case Part::DayAbbrev: out += loc.DayName(t.weekday, true); break;
      case Part::DayName: out += loc.DayName(t.weekday, false); break;
      case Part::ShortDate: out += loc.ShortDate(t); break;
      case Part::LongDate: out += loc.LongDate(t); break;
      case Part::Weekday: out += std::to_string(t.weekday + 1); break;
      case Part::Week: out += std::to_string(WeekOfYear(t)); break;
      case Part::Month: out += std::to_string(t.month); break;
      case Part::Month2: out += Two(t.month); break;
      case Part::MonthAbbrev: out += loc.MonthName(t.month, true); break;
      case Part::MonthName: out += loc.MonthName(t.month, false); break;
      case Part::Minute: out += std::to_string(t.minute); break;
      case Part::Minute2: out += Two(t.minute); break;
      case Part::Quarter: out += std::to_string((t.month - 1) / 3 + 1); break;
      case Part::DayOfYear: out += std::to_string(DayOfYear(t)); break;
      case Part::Year2: out += Two(t.year % 100); break;
      case Part::Year4: out += std::to_string(t.year); break;
      case Part::Hour: out += std::to_string(hour); break;
      case Part::Hour2: out += Two(hour); break;
      case Part::Second: out += std::to_string(t.second); break;
      case Part::Second2: out += Two(t.second); break;
      case Part::LongTime: out += loc.LongTime(t); break;
      case Part::General: out += loc.ShortDate(t) + " " + loc.LongTime(t); break;
      // The pattern's own letters: "AM/PM" gives "PM", "am/pm" "pm".
      case Part::AmPmUpper: out += pm ? p.text.substr(3, 2) : p.text.substr(0, 2); break;
      case Part::AmPmShort: out += pm ? p.text.substr(2, 1) : p.text.substr(0, 1); break;
      case Part::AmPmLocale: out += loc.AmPm(pm); break;
      case Part::DateSep: out += loc.DateSeparator(); break;
      case Part::TimeSep: out += loc.TimeSeparator(); break;
    }
  }
  return out;
}

}  // namespace

std::string FormatDate(const DateTime& t, std::string_view format, const DateLocale& locale) {
  if (EqualsNoCase(format, "general date")) return locale.ShortDate(t) + " " + locale.LongTime(t);
  if (EqualsNoCase(format, "long date")) return locale.LongDate(t);
  if (EqualsNoCase(format, "short date")) return locale.ShortDate(t);
  if (EqualsNoCase(format, "long time")) return locale.LongTime(t);
  if (EqualsNoCase(format, "medium date")) return Render(t, Tokenize("dd-mmm-yy"), locale);
  if (EqualsNoCase(format, "medium time")) return Render(t, Tokenize("hh:nn AMPM"), locale);
  if (EqualsNoCase(format, "short time")) return Render(t, Tokenize("hh:nn"), locale);
  return Render(t, Tokenize(format), locale);
}

std::string FormatDate(const DateTime& t, std::string_view format) {
  return FormatDate(t, format, UserDateLocale());
}

}  // namespace base
