// A custom window action: when the menu was opened from a window that looks
// like this (program, window class, caption), send it these keystrokes. The
// object holds one action at a time, loaded from or saved to the
// custom-actions file (one INI section per action), parses and plays action
// strings and finds the action that fits a window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct HWND__;  // the platform's window handle (HWND)

namespace common {
class clsCollection;
}

namespace actions {

class clsCustomActions {
 public:
  static constexpr std::int32_t TypeWindow = 1;
  static constexpr std::int32_t TypeGeneral = 2;
  static constexpr std::int32_t OptionEnabled = 1;
  static constexpr std::int32_t OptionMatchIgnore = 0;
  static constexpr std::int32_t OptionMatchPartial = 1;
  static constexpr std::int32_t OptionMatchExact = 2;
  static constexpr std::int32_t OptionMatchAnywhere = 4;

  // The longest pause a pause token makes, in milliseconds: a pause must
  // never keep the shell's thread for good.
  static constexpr std::int32_t kLongestPause = 60000;

  std::string m_szId;               // the section name
  std::int32_t m_lType = 0;         // TypeWindow or TypeGeneral
  std::int32_t m_lOrder = 0;        // position in the list
  std::string m_szDescription;
  std::string m_szExe;              // program pattern
  std::int32_t m_lExeMatch = 0;     // its match mode
  std::string m_szClass;            // window-class pattern
  std::int32_t m_lClassMatch = 0;
  std::string m_szCaption;          // window-caption pattern
  std::int32_t m_lCaptionMatch = 0;
  std::string m_szActions;          // the action string
  std::int32_t m_lOptions = 0;      // option bits

  // The file of every operation whose file argument is "".
  const std::string& Path() const noexcept { return m_path; }
  void SetPath(std::string path) { m_path = std::move(path); }

  bool IsOptionEnabled() const noexcept { return (m_lOptions & OptionEnabled) > 0; }

  // The custom-actions file (Windows). A type of -1 means every type.
  // The identifiers of the wanted actions by ascending Order (equal Orders:
  // the later section first): ids[0] to ids[n-1], a spare "" at ids[n].
  std::int32_t LoadEx(std::vector<std::string>& ids, std::int32_t type, const std::string& file,
                      bool ignoreDisabled);
  std::int32_t Count(std::int32_t type, const std::string& file);
  // Reads the section into the fields; true when it has a description. A
  // number that is not one raises 13, one out of range 6.
  bool Load(const std::string& id, const std::string& file);
  // Writes the action afresh as the file's last section; error 5 for an
  // identifier the file cannot hold, 75 when the file cannot be written.
  void Save(const std::string& file);
  void Delete(const std::string& id, const std::string& file);
  // Order = i for the section ids[i], i from 1; ids[0] is not used.
  void Resequence(const std::vector<std::string>& ids, const std::string& file);

  static std::string TokenItemEx() { return "crv_item"; }
  static std::string TokenItem() { return "[crv_item]"; }
  static std::string TokenDateEx() { return "crv_date"; }
  static std::string TokenDate() { return "[crv_date]"; }
  static std::string TokenPauseEx() { return "crv_pause"; }
  static std::string TokenPause() { return "[crv_pause]"; }
  static std::string TokenSelectionEx() { return "crv_selection"; }
  static std::string TokenSelection() { return "[crv_selection]"; }

  // Plays the action string into the window that has the focus (Windows):
  // its own text as keystroke notation, the item and the dates as plain text,
  // pauses as waits. Blocks until all is played; reports nothing.
  void SendActions(const std::string& item);
  // The action string with its tokens expanded, pauses shown as
  // "[crv_pause n]"; the string unchanged when it does not parse.
  std::string BuildActionString(const std::string& item, const std::string& selection);
  // The parts in order, one record each: m_szKey the token name ("" for
  // literal text), m_szData the literal text or a date token's format,
  // m_lData a pause token's milliseconds.
  bool BreakdownActions(common::clsCollection& parts);

  // The window when an enabled window action of the file fits it, its
  // parents and its program (the fields then hold that action), else null
  // (Windows).
  HWND__* MatchWindow(HWND__* hwnd, const std::string& file);

 private:
  struct WindowEntry {
    HWND__* hwnd = nullptr;
    std::string className;
    std::string caption;
  };

  const std::string& FileOr(const std::string& file) const { return file.empty() ? m_path : file; }
  std::string ReadValue(const std::string& section, const std::string& key, const std::string& def,
                        const std::string& file);
  std::vector<std::string> SectionNames(const std::string& file);
  bool MatchWindow_(const std::vector<WindowEntry>& chain, const std::string& exe, const std::string& id,
                    const std::string& file);
  bool MatchExe(const std::string& pattern, const std::string& exe, std::int32_t mode);
  bool MatchCaption(const std::string& pattern, const std::vector<WindowEntry>& chain, std::int32_t mode);
  bool MatchClass(const std::string& pattern, const std::vector<WindowEntry>& chain, std::int32_t mode);
  bool MatchChain(const std::string& pattern, const std::vector<WindowEntry>& chain, std::int32_t mode,
                  std::string WindowEntry::*text);
  bool MatchString(const std::string& pattern, const std::string& actual, std::int32_t mode);

  std::string m_path;
};

// Whether a window's text fits a pattern in a match mode: Exact the same
// text, case counting; Partial the text begins with the pattern, Anywhere the
// text occurs within the pattern, both ignoring case; any other mode always.
// An empty text fits only a pattern that is empty too.
bool MatchText(const std::string& pattern, const std::string& actual, std::int32_t mode);

// The milliseconds a pause token waits: none for a negative number, at most
// the longest pause.
std::int32_t PauseMilliseconds(std::int32_t requested);

}  // namespace actions
