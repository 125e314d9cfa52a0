// What the copy/move destination dialog does with its grid: the destination
// row, the remembered destinations below it, picking one, browsing for one
// and accepting the destination. The window around it is frmCopyTo_win.cpp.
#pragma once
#include <functional>
#include <string>

#include "common/clsMRU.h"
#include "smartui/model.h"

namespace shellext {

class CopyToChoice {
 public:
  // A folder the user picked, empty when none.
  using Browse = std::function<std::string()>;
  using FolderExists = std::function<bool(const std::string&)>;

  // A typed destination that is not absolute is taken from currentFolder
  // (the folder the menu is for).
  CopyToChoice(sui::Control& grid, common::clsMRU& recent, std::string currentFolder, Browse browse,
               FolderExists exists);
  ~CopyToChoice();
  CopyToChoice(const CopyToChoice&) = delete;
  CopyToChoice& operator=(const CopyToChoice&) = delete;

  // Empties the grid and builds its rows: the destination (the most recent
  // entry to start with, and current), the group, one row per place of the
  // list. Connects the grid's events.
  void Fill();

  // OK: the destination made absolute and found as a folder is remembered
  // (and saved) and becomes Destination(); otherwise the user is told and
  // false comes back, nothing remembered.
  bool Accept();
  const std::string& Destination() const noexcept { return m_destination; }

 private:
  sui::ItemPtr DestinationRow() const;
  void RowClicked(const sui::ItemPtr& row);
  void ButtonClicked(const sui::ItemPtr& row);

  sui::Control& m_grid;
  common::clsMRU& m_recent;
  std::string m_currentFolder;
  Browse m_browse;
  FolderExists m_exists;
  std::string m_destination;
};

}  // namespace shellext
