#include "tools/shellhost/print_win.h"

#include <cstdio>

#include "tools/shellhost/menu_win.h"

namespace shellhost {

namespace {

struct HResultName {
  HRESULT hr;
  const char* name;
};

const HResultName kNames[] = {
    {S_OK, "S_OK"},
    {S_FALSE, "S_FALSE"},
    {E_FAIL, "E_FAIL"},
    {E_NOTIMPL, "E_NOTIMPL"},
    {E_INVALIDARG, "E_INVALIDARG"},
    {E_NOINTERFACE, "E_NOINTERFACE"},
    {E_POINTER, "E_POINTER"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {E_UNEXPECTED, "E_UNEXPECTED"},
    {E_ACCESSDENIED, "E_ACCESSDENIED"},
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION"},
    {CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE"},
    {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED"},
    {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "ERROR_FILE_NOT_FOUND"},
    {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), "ERROR_MOD_NOT_FOUND"},
};

const char* KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::Separator: return "separator";
    case ItemKind::Popup: return "popup";
    case ItemKind::OwnerDraw: return "ownerdraw";
    case ItemKind::String: break;
  }
  return "string";
}

// The offset from idCmdFirst; "-" for an item without an identifier of ours
// (a separator, a popup whose identifier is its submenu), "!N" for a command
// whose identifier lies outside the range the handler was given.
std::string OffsetText(const MenuEntry& e) {
  if (e.hasOffset) return std::to_string(e.offset);
  if (e.kind == ItemKind::Popup || (e.kind == ItemKind::Separator && e.id == 0)) return "-";
  return "!" + std::to_string(e.id);
}

std::string Hex(ULONG_PTR value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(value));
  return buf;
}

// ` name "text"` on success, ` name 0x... NAME` on failure.
void AddString(std::string& line, const char* name, HRESULT hr, const std::string& text) {
  line += ' ';
  line += name;
  line += ' ';
  line += SUCCEEDED(hr) ? Quote(text) : HResultText(hr);
}

void AddCommandStrings(std::string& line, const CommandStrings& s) {
  AddString(line, "verb", s.verb.hr, s.verb.text);
  AddString(line, "help", s.help.hr, s.help.text);
  // A sound handler answers the ANSI forms alike; only a difference is shown.
  if (!(s.verbA == s.verb)) AddString(line, "verbA", s.verbA.hr, s.verbA.text);
  if (!(s.helpA == s.help)) AddString(line, "helpA", s.helpA.hr, s.helpA.text);
  if (s.validate != S_OK) line += " validate " + HResultText(s.validate);
  if (s.validateA != s.validate) line += " validateA " + HResultText(s.validateA);
}

std::string FormatEntry(const MenuEntry& e) {
  std::string line = KindName(e.kind);
  line += ' ' + OffsetText(e);
  if (e.kind == ItemKind::String || e.kind == ItemKind::Popup || (e.kind == ItemKind::OwnerDraw && !e.text.empty()))
    line += ' ' + Quote(e.text);
  if (e.kind == ItemKind::Popup && e.ownerDraw) line += " ownerdraw";
  if (e.ownerDraw) line += " data " + Hex(e.data);
  if (e.checked) line += " checked";
  if (e.disabled) line += " disabled";
  if (e.isDefault) line += " default";
  if (e.bitmap) line += " bitmap";
  if (e.checkBitmaps) line += " checkbitmaps";
  if (e.cycle) line += " cycle";
  if (e.opened) line += SUCCEEDED(*e.opened) ? " opened" : " opened " + HResultText(*e.opened);
  if (e.measured) {
    line += " measure ";
    line += SUCCEEDED(*e.measured) ? std::to_string(e.width) + "x" + std::to_string(e.height)
                                   : HResultText(*e.measured);
  }
  if (e.drawn) {
    line += " draw ";
    line += SUCCEEDED(*e.drawn) ? (e.painted ? "painted" : "blank") : HResultText(*e.drawn);
  }
  if (e.strings) AddCommandStrings(line, *e.strings);
  return line;
}

}  // namespace

void PrintLine(int depth, std::string_view text) {
  std::string line(static_cast<size_t>(depth) * 2, ' ');
  line += text;
  line += '\n';
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

std::string HResultText(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lx", static_cast<unsigned long>(hr));
  std::string text = buf;
  for (const HResultName& n : kNames)
    if (n.hr == hr) {
      text += ' ';
      text += n.name;
      break;
    }
  return text;
}

std::string GuidText(const GUID& id) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2],
                id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
  return buf;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

void PrintMenu(const std::vector<MenuEntry>& entries, int depth) {
  for (const MenuEntry& e : entries) {
    PrintLine(depth, FormatEntry(e));
    PrintMenu(e.children, depth + 1);
  }
}

}  // namespace shellhost
