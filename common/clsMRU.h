// clsMRU: a most-recently-used list of texts kept under a key of
// HKEY_CURRENT_USER. A menu that shows it (Designer's File menu) is told
// through a callback when it must be rebuilt; the glue in ui/ fills it.
//
// Registry layout, shared by Designer and Fennick: the DWORD "MruFileCount"
// and one string per entry, "Mru1" (the most recent) to "Mru" & count.
// Values numbered above the count stay in the key and are ignored.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace common {

class clsMRU {
 public:
  // Called with the list and the file to check whenever the menu that shows
  // the list must be rebuilt; empty for no menu.
  using MenuChanged = std::function<void(const clsMRU& list, const std::string& szFile)>;
  void SetMenuChanged(MenuChanged onChanged) { m_MenuChanged = std::move(onChanged); }
  // The key path below HKEY_CURRENT_USER, ending with a backslash.
  const std::string& Path() const noexcept { return m_Path; }
  void SetPath(const std::string& szValue) { m_Path = szValue; }
  // True (the default): changes rebuild the menu and reach the registry only
  // through Save. False: AddFile saves at once.
  bool UserInterface() const noexcept { return m_UserInterface; }
  void SetUserInterface(bool bValue) noexcept { m_UserInterface = bValue; }
  // Lists of enciphered entries (history, quick access) find an entry again
  // only when it is the same text exactly; the others (paths) ignore case.
  bool ExactMatch() const noexcept { return m_ExactMatch; }
  void SetExactMatch(bool bValue) noexcept { m_ExactMatch = bValue; }

  std::int32_t MaxFileCount() const noexcept { return static_cast<std::int32_t>(m_entries.size()); }
  // Keeps the entries that still fit; the count shrinks with the capacity.
  void SetMaxFileCount(std::int32_t lMax);
  std::int32_t FileCount() const noexcept { return m_FileCount; }

  // Entry iIndex (1 is the most recent); outside 1..MaxFileCount raises 9.
  const std::string& File(std::int32_t iIndex) const;
  // Whether entry iIndex is not empty (the file system is not asked).
  bool FileExists(std::int32_t iIndex) const;
  // "&" & lAddedIndex & " " & the shortened entry, its own "&"s doubled so
  // that they show as themselves.
  std::string MenuCaption(std::int32_t iIndex, std::int32_t lAddedIndex) const;

  // Puts the name first: one found again moves up (in the case just given),
  // a new one pushes the last out when the list is full. Raises 9 on a list
  // of capacity 0.
  void AddFile(const std::string& sfileName);
  // Writes the count and the entries; false when a value could not be
  // written. Nothing throws.
  bool Save();
  // Sets the capacity and reads the list (the stored count cut to 0..lMax,
  // missing entries empty), then rebuilds the menu. False on a failure.
  bool Load(std::int32_t lMax);
  // Forgets every entry; nothing is written and the menu is not rebuilt.
  void Reset();

  // Asks the menu that shows the list to rebuild its entries, checking the
  // one equal to szFile. What the callback throws is passed over.
  void UpdateFileMenu(const std::string& szFile);

  // The name itself when it has at most 32 characters; else "..." and the
  // longest tail from a backslash that has at most 32 characters after it.
  static std::string GetShortenedName(const std::string& szName);

 private:
  std::string& Entry(std::int32_t iIndex);
  bool Matches(const std::string& a, const std::string& b) const;

  bool m_UserInterface = true;
  bool m_ExactMatch = false;
  std::string m_Path;
  MenuChanged m_MenuChanged;
  std::int32_t m_FileCount = 0;
  std::vector<std::string> m_entries;  // entry i at m_entries[i - 1]
};

}  // namespace common
