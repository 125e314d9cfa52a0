// What every right-click reads of the registry, the settings and the three
// recent lists, kept per process while their keys stay unchanged: each key
// is watched (a change notification armed before the values are read, and
// the key's last write time), so a change made by Designer or by another
// shell thread is read at the next right-click, and an unchanged key costs
// two cheap questions instead of a read of every value.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <string>

#include "common/clsMRU.h"
#include "config/clsOptions.h"

namespace shellext {

// One key of HKEY_CURRENT_USER watched for changes of its values.
class KeyWatch {
 public:
  explicit KeyWatch(std::string path);
  ~KeyWatch();
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  // False only when nothing in the key can have changed since the last call
  // that returned true. A true answer arms the watch again first, so that a
  // change made while the caller reads the key answers true next time. A
  // key that cannot be watched always answers true.
  bool Changed();

  // Closes the key; the next Changed() opens it again and answers true.
  void Release();

 private:
  bool Open();
  bool Quiet() const;

  std::string m_path;
  base::UniqueHKey m_key;
  base::UniqueHandleObj m_event;
  FILETIME m_written{};
  bool m_armed = false;
  bool m_subtree = false;  // the key is missing: watched through one above it
};

// Loads the settings under the key (config::clsOptions::Reg_Load), from the
// process's last reading while the key is unchanged; the trace settings are
// put into effect either way.
void LoadSettings(config::clsOptions& options, const std::string& key);

// Loads the list at its path (clsMRU::Load) with lMax, from the process's
// last reading of that path and size while its key is unchanged.
bool LoadRecentList(common::clsMRU& list, std::int32_t lMax);

// Saves the list (clsMRU::Save) unless it holds what the process last read
// at its path: a list nobody changed is not written back over a newer one.
bool SaveRecentList(common::clsMRU& list);

// How often the settings and the lists were read from the registry (for the
// tests).
std::int64_t RegistryReads();

// Closes the watched keys (the library is going).
void ReleaseRegistrySnapshots();

}  // namespace shellext
