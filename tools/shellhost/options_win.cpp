#include "tools/shellhost/options_win.h"

#include <cstdint>

#include "base/error.h"

namespace shellhost {

namespace {

constexpr UINT kMaxMenuId = 0xffff;  // menu identifiers travel in a WORD

[[noreturn]] void Bad(const std::string& what) { base::RaiseError(base::kErrArguments, "shellhost", what); }

bool ParseHex(std::string_view text, std::uint64_t& out) {
  if (text.empty() || text.size() > 16) return false;
  out = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    out = out * 16 + static_cast<std::uint64_t>(digit);
  }
  return true;
}

// Decimal, or hexadecimal after 0x; no sign, nothing after the digits.
UINT ParseNumber(const std::string& option, std::string_view text, UINT max) {
  std::uint64_t value = 0;
  bool ok;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    ok = ParseHex(text.substr(2), value);
  } else {
    ok = !text.empty() && text.size() <= 10;
    for (char c : text) {
      if (c < '0' || c > '9') ok = false;
      value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
  }
  if (!ok || value > max)
    Bad(option + " wants a number from 0 to " + std::to_string(max) + ", not \"" + std::string(text) + "\"");
  return static_cast<UINT>(value);
}

CLSID ParseClsid(const std::string& option, const std::string& text) {
  CLSID id{};
  if (!ParseGuid(text, id)) Bad(option + " wants a CLSID such as {00000000-0000-0000-0000-000000000000}, not \"" + text + "\"");
  return id;
}

}  // namespace

bool ParseGuid(std::string_view t, GUID& out) {
  if (t.size() != 38 || t[0] != '{' || t[37] != '}' || t[9] != '-' || t[14] != '-' || t[19] != '-' ||
      t[24] != '-')
    return false;
  std::uint64_t d1, d2, d3, d4, d5;
  if (!ParseHex(t.substr(1, 8), d1) || !ParseHex(t.substr(10, 4), d2) || !ParseHex(t.substr(15, 4), d3) ||
      !ParseHex(t.substr(20, 4), d4) || !ParseHex(t.substr(25, 12), d5))
    return false;
  out.Data1 = static_cast<unsigned long>(d1);
  out.Data2 = static_cast<unsigned short>(d2);
  out.Data3 = static_cast<unsigned short>(d3);
  out.Data4[0] = static_cast<unsigned char>(d4 >> 8);
  out.Data4[1] = static_cast<unsigned char>(d4);
  for (int i = 0; i < 6; ++i) out.Data4[2 + i] = static_cast<unsigned char>(d5 >> (8 * (5 - i)));
  return true;
}

Options ParseArguments(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Bad(arg + " wants a value");
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      o.help = true;
    } else if (arg == "--background") {
      o.background = true;
      o.paths.push_back(value());
    } else if (arg == "--clsid") {
      o.clsid = ParseClsid(arg, value());
    } else if (arg == "--only") {
      o.only = ParseClsid(arg, value());
    } else if (arg == "--flags") {
      o.flags = ParseNumber(arg, value(), 0xffffffffu);
    } else if (arg == "--first") {
      o.first = ParseNumber(arg, value(), kMaxMenuId);
    } else if (arg == "--last") {
      o.last = ParseNumber(arg, value(), kMaxMenuId);
    } else if (arg == "--invoke") {
      o.invokeVerb = value();
      if (o.invokeVerb->empty()) Bad("--invoke wants a verb");
    } else if (arg == "--invoke-offset") {
      o.invokeOffset = ParseNumber(arg, value(), kMaxMenuId);
    } else if (arg == "--open-submenus") {
      o.openSubmenus = true;
    } else if (arg == "--owner-draw") {
      o.ownerDraw = true;
    } else if (arg == "--draw-dir") {
      o.drawDir = value();
      o.ownerDraw = true;
    } else if (arg == "--open-twice") {
      o.openTwice = true;
      o.openSubmenus = true;
    } else if (arg == "--gdi") {
      o.gdi = true;
    } else if (arg == "--menu2") {
      o.menu2 = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      Bad("unknown option " + arg);
    } else {
      o.paths.push_back(arg);
    }
  }
  if (o.help) return o;
  if (o.paths.empty()) Bad("name the items to select, or --background FOLDER");
  if (o.background && o.paths.size() != 1) Bad("--background takes one folder and no other items");
  if (o.clsid && o.only) Bad("--clsid and --only do not go together");
  if (o.invokeVerb && o.invokeOffset) Bad("--invoke and --invoke-offset do not go together");
  if (o.first > o.last) Bad("--first " + std::to_string(o.first) + " is above --last " + std::to_string(o.last));
  return o;
}

}  // namespace shellhost
