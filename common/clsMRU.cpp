#include "common/clsMRU.h"

#include <algorithm>

#include "base/error.h"
#include "base/text.h"
#include "common/clsTrace.h"
#include "common/modRegistry.h"
#include "common/registry_store.h"

namespace common {

namespace {

const char kSource[] = "clsMRU";
const char kRoot[] = "HKCU";
const char kCountValue[] = "MruFileCount";
constexpr std::size_t kShortenedTail = 32;

std::string EntryValueName(std::int32_t i) { return "Mru" + std::to_string(i); }

// An entry's text; empty when the value is missing or holds no text (a
// number or bytes written there by something else).
std::string StoredEntry(registry_store::Key& key, const std::string& name) {
  std::string bytes;
  unsigned long type = 0;
  if (key.Query(name, bytes, type) != 0) return {};
  if (type != registry_store::kTypeSz && type != registry_store::kTypeExpandSz) return {};
  return TextFromRegistryBytes(bytes);
}

}  // namespace

void clsMRU::SetMaxFileCount(std::int32_t lMax) {
  if (lMax < 0) lMax = 0;
  if (lMax == MaxFileCount()) return;
  m_entries.resize(static_cast<std::size_t>(lMax));
  // A count beyond the capacity would name entries that are gone, and the
  // next Save would fail on them.
  m_FileCount = std::min(m_FileCount, lMax);
}

std::string& clsMRU::Entry(std::int32_t iIndex) {
  if (iIndex < 1 || iIndex > MaxFileCount()) base::RaiseError(base::kErrSubscript, kSource);
  return m_entries[static_cast<std::size_t>(iIndex - 1)];
}

const std::string& clsMRU::File(std::int32_t iIndex) const {
  return const_cast<clsMRU*>(this)->Entry(iIndex);
}

bool clsMRU::FileExists(std::int32_t iIndex) const { return !File(iIndex).empty(); }

std::string clsMRU::MenuCaption(std::int32_t iIndex, std::int32_t lAddedIndex) const {
  std::string shown;
  for (char c : GetShortenedName(File(iIndex))) {
    shown += c;
    if (c == '&') shown += '&';  // a path's own "&" is no accelerator
  }
  return "&" + std::to_string(lAddedIndex) + " " + shown;
}

bool clsMRU::Matches(const std::string& a, const std::string& b) const {
  return m_ExactMatch ? a == b : base::UCase(a) == base::UCase(b);
}

void clsMRU::AddFile(const std::string& sfileName) {
  TraceScope trace("clsMRU.AddFile");
  std::int32_t p = 0;
  for (std::int32_t i = 1; i <= m_FileCount && p == 0; ++i)
    if (Matches(File(i), sfileName)) p = i;
  if (p == 0) {
    if (m_FileCount < MaxFileCount()) ++m_FileCount;
    p = m_FileCount;  // on a full list the last entry drops out
  }
  for (std::int32_t i = p - 1; i >= 1; --i) Entry(i + 1) = File(i);
  Entry(1) = sfileName;
  if (m_UserInterface)
    UpdateFileMenu(sfileName);
  else
    Save();
}

bool clsMRU::Save() {
  TraceScope trace("clsMRU.Save");
  try {
    // Every value is tried; a write the registry refused makes the answer false.
    bool written = RegistrySetValue(kRoot, m_Path, kCountValue, "D", m_FileCount) == 0;
    for (std::int32_t i = 1; i <= m_FileCount; ++i)
      written = RegistrySetValue(kRoot, m_Path, EntryValueName(i), "S", File(i)) == 0 && written;
    return written;
  } catch (...) {
    g_Debug().CheckForError();
    return false;
  }
}

bool clsMRU::Load(std::int32_t lMax) {
  TraceScope trace("clsMRU.Load");
  try {
    SetMaxFileCount(lMax);
    std::int32_t stored = 0;
    RegistryGetValue(kRoot, m_Path, kCountValue, "D", 0, stored);
    // Anything may stand in the registry: the count stays within 0..capacity.
    m_FileCount = std::clamp(stored, std::int32_t{0}, MaxFileCount());
    g_Debug().Output([&] { return "Path=" + m_Path + ", MruFileCount=" + std::to_string(stored); });
    std::unique_ptr<registry_store::Key> key;
    const bool opened = registry_store::OpenKey(RegHive::CurrentUser, m_Path, false, key) == 0 && key;
    for (std::int32_t i = 1; i <= MaxFileCount(); ++i) {
      std::string& entry = Entry(i);
      entry.clear();
      if (opened && i <= m_FileCount) entry = StoredEntry(*key, EntryValueName(i));
    }
    if (m_UserInterface) UpdateFileMenu("");
    return true;
  } catch (...) {
    g_Debug().CheckForError();
    return false;
  }
}

void clsMRU::Reset() {
  m_FileCount = 0;
  m_entries.assign(m_entries.size(), std::string());
}

void clsMRU::UpdateFileMenu(const std::string& szFile) {
  if (!m_MenuChanged) return;
  try {
    m_MenuChanged(*this, szFile);
  } catch (...) {
    // A menu that cannot be rebuilt leaves the list as it is.
  }
}

std::string clsMRU::GetShortenedName(const std::string& szName) {
  const std::size_t n = szName.size();
  if (n <= kShortenedTail) return szName;
  // Positions count from 1, as the shortening was always described.
  std::string result = szName;
  std::size_t cut = 0;
  for (std::size_t i = n; i >= 1; --i) {
    if (szName[i - 1] != '\\') continue;
    if (n - i <= kShortenedTail)
      cut = i;
    else
      result = "..." + szName.substr((cut ? cut : i) - 1);
  }
  return result;
}

}  // namespace common
