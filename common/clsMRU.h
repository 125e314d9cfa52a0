// clsMRU: a most-recently-used list of texts kept under a key of
// HKEY_CURRENT_USER, and shown, when a menu is attached, as numbered commands
// of that SmartUI menu (Designer's File menu).
//
// Registry layout, shared by Designer and Fennick: the DWORD "MruFileCount"
// and one string per entry, "Mru1" (the most recent) to "Mru" & count.
// Values numbered above the count stay in the key and are ignored.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "smartui/model.h"

namespace common {

class clsMRU {
 public:
  // The menu item whose sub-items show the list; null for none.
  const sui::ItemPtr& FileMenu() const noexcept { return m_FileMenu; }
  void SetFileMenu(sui::ItemPtr oFileMenu) { m_FileMenu = std::move(oFileMenu); }
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

  // Rebuilds the attached menu's entries, checking the one equal to szFile.
  void UpdateFileMenu(const std::string& szFile);
  // Replaces the "mru_" sub-items of the menu with a separator and one
  // command per non-empty entry, before the item before "id_fileexit" (at the
  // end when there is none). An empty list leaves the menu as it is.
  // Failures of the menu are passed over.
  void AddToSmartUI(const sui::ItemPtr& suiFileMenu, const std::string& szFile);

  // The name itself when it has at most 32 characters; else "..." and the
  // longest tail from a backslash that has at most 32 characters after it.
  static std::string GetShortenedName(const std::string& szName);

 private:
  std::string& Entry(std::int32_t iIndex);
  bool Matches(const std::string& a, const std::string& b) const;

  bool m_UserInterface = true;
  bool m_ExactMatch = false;
  std::string m_Path;
  sui::ItemPtr m_FileMenu;
  std::int32_t m_FileCount = 0;
  std::vector<std::string> m_entries;  // entry i at m_entries[i - 1]
};

}  // namespace common
