#include "shellext/CopyToChoice.h"

#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "shellext/SelectionWalk.h"
#include "ui/clsSmartUI.h"

namespace shellext {

namespace {

constexpr char kDestinationKey[] = "id_destination";
constexpr char kRecentPrefix[] = "mru_";

bool IsRecentRow(const sui::ItemPtr& row) {
  return row && row->key().size() > 4 && base::LCase(row->key().substr(0, 4)) == kRecentPrefix;
}

}  // namespace

CopyToChoice::CopyToChoice(sui::Control& grid, common::clsMRU& recent, std::string currentFolder, Browse browse,
                           FolderExists exists)
    : m_grid(grid),
      m_recent(recent),
      m_currentFolder(std::move(currentFolder)),
      m_browse(std::move(browse)),
      m_exists(std::move(exists)) {}

CopyToChoice::~CopyToChoice() { m_grid.handlers = {}; }

void CopyToChoice::Fill() {
  const ui::clsSmartUI& sui = ui::SmartUI();
  m_grid.items().clear();
  sui::ItemPtr destination =
      sui.Add(m_grid, 0, kDestinationKey, "Destination:", sui::kKindTextButton, std::string("folder_open"),
              base::Variant(std::string()));
  sui.Add(m_grid, 0, "", "Most Recently Used", sui::kKindGroupHeading);
  for (std::int32_t i = 1; i <= m_recent.MaxFileCount(); ++i) {
    const std::string number = std::to_string(i);
    if (i <= m_recent.FileCount()) {
      // The path is kept beside the caption: it is what a click picks, the
      // caption only shows it.
      sui.Add(m_grid, 0, kRecentPrefix + number, number + ". " + m_recent.File(i), sui::kKindEntry, {},
              base::Variant(std::string()), 0, 0, base::Variant(m_recent.File(i)));
    } else {
      sui.Add(m_grid, 0, "", number + ".", sui::kKindEntry, {}, base::Variant(std::string()));
    }
  }
  if (m_recent.FileCount() > 0) destination->setValue(base::Variant(m_recent.File(1)));
  m_grid.handlers.itemClick = [this](const sui::ItemPtr& row) { RowClicked(row); };
  m_grid.handlers.buttonClick = [this](const sui::ItemPtr& row) { ButtonClicked(row); };
  m_grid.handlers.query = [](bool& answer) { answer = true; };
  m_grid.setCurrent(destination);
}

sui::ItemPtr CopyToChoice::DestinationRow() const { return m_grid.items().find(kDestinationKey); }

void CopyToChoice::RowClicked(const sui::ItemPtr& row) {
  if (!IsRecentRow(row)) return;
  if (sui::ItemPtr destination = DestinationRow()) destination->setValue(base::Variant(row->tag().ToString()));
}

void CopyToChoice::ButtonClicked(const sui::ItemPtr& row) {
  if (!row || base::LCase(row->key()) != kDestinationKey || !m_browse) return;
  const std::string folder = m_browse();
  if (!folder.empty()) row->setValue(base::Variant(folder));
}

bool CopyToChoice::Accept() {
  sui::ItemPtr row = DestinationRow();
  const std::string typed = row ? row->value().ToString() : std::string();
  // Checked, remembered and used as an absolute path only: a relative one
  // would name another folder wherever the shell resolved it later.
  const std::optional<std::string> absolute =
      typed.empty() ? std::nullopt : AbsoluteDestination(typed, m_currentFolder);
  if (!absolute || !m_exists(*absolute)) {
    base::Prompt("Destination folder does not exist!", base::kPromptExclamation, common::g_szAppTitle());
    return false;
  }
  m_recent.AddFile(*absolute);
  m_recent.Save();
  m_destination = *absolute;
  return true;
}

}  // namespace shellext
