#include "shellext/RegistrySnapshots.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace shellext {

namespace {

std::string KeyName(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::atomic<std::int64_t> g_reads{0};

bool SameEntries(const common::clsMRU& a, const common::clsMRU& b) {
  if (a.FileCount() != b.FileCount() || a.MaxFileCount() != b.MaxFileCount()) return false;
  for (std::int32_t i = 1; i <= a.MaxFileCount(); ++i)
    if (a.File(i) != b.File(i)) return false;
  return true;
}

}  // namespace

KeyWatch::KeyWatch(std::string path) : m_path(KeyName(std::move(path))) {}

KeyWatch::~KeyWatch() = default;

void KeyWatch::Release() {
  m_armed = false;
  m_key.reset();
}

bool KeyWatch::Open() {
  // A missing key is watched through the nearest key above it that exists,
  // with everything below that: the key's making is a change of its own.
  std::string path = m_path;
  m_subtree = false;
  while (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE, m_key.put()) != ERROR_SUCCESS) {
    m_key.reset();
    const size_t cut = path.rfind('\\');
    if (cut == std::string::npos) return false;
    path.resize(cut);
    m_subtree = true;
  }
  return true;
}

bool KeyWatch::Quiet() const {
  FILETIME written{};
  // The notification covers a change within the same tick of the clock; the
  // write time covers a notification the system dropped.
  return RegQueryInfoKeyA(m_key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, &written) == ERROR_SUCCESS &&
         WaitForSingleObject(m_event.get(), 0) == WAIT_TIMEOUT && CompareFileTime(&written, &m_written) == 0;
}

bool KeyWatch::Changed() {
  if (m_key && m_armed && Quiet()) return false;
  Release();
  if (!m_event) m_event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!m_event || !Open()) return true;
  ResetEvent(m_event.get());
  // A notification ends with the thread that asked for it, and the event is
  // then set: a right-click after that thread went reads the key once more.
  const LONG armed = RegNotifyChangeKeyValue(m_key.get(), m_subtree ? TRUE : FALSE,
                                             REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, m_event.get(), TRUE);
  if (armed != ERROR_SUCCESS ||
      RegQueryInfoKeyA(m_key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, &m_written) != ERROR_SUCCESS) {
    Release();
    return true;
  }
  m_armed = true;
  return true;
}

namespace {

struct SettingsSnapshot {
  std::mutex lock;
  std::unique_ptr<KeyWatch> watch;
  std::string key;
  std::optional<config::clsOptions> options;
  std::uint64_t generation = 0;  // readings started
};

struct ListSnapshot {
  KeyWatch watch;
  std::optional<common::clsMRU> list;
  std::int32_t max = 0;
  std::uint64_t generation = 0;
  explicit ListSnapshot(const std::string& path) : watch(path) {}
};

struct ListSnapshots {
  std::mutex lock;
  std::map<std::string, std::unique_ptr<ListSnapshot>> byPath;
};

SettingsSnapshot& Settings() {
  static SettingsSnapshot* snapshot = new SettingsSnapshot;  // outlives every thread's last handler
  return *snapshot;
}

ListSnapshots& Lists() {
  static ListSnapshots* snapshots = new ListSnapshots;
  return *snapshots;
}

}  // namespace

void LoadSettings(config::clsOptions& options, const std::string& key) {
  SettingsSnapshot& s = Settings();
  std::uint64_t generation = 0;
  {
    std::lock_guard<std::mutex> hold(s.lock);
    if (!s.watch || s.key != key) {
      s.watch = std::make_unique<KeyWatch>(key);
      s.key = key;
      s.options.reset();
    }
    if (!s.watch->Changed() && s.options) {
      options = *s.options;
      generation = 0;
    } else {
      s.options.reset();
      generation = ++s.generation;
    }
  }
  if (generation == 0) {
    options.ProcessSettings(false, true);
    return;
  }
  ++g_reads;
  options.Reg_Load(key);
  // Kept only when no later change was seen while this reading ran.
  std::lock_guard<std::mutex> hold(s.lock);
  if (s.key == key && s.generation == generation) s.options = options;
}

bool LoadRecentList(common::clsMRU& list, std::int32_t lMax) {
  ListSnapshots& all = Lists();
  const std::string path = list.Path();
  ListSnapshot* snapshot = nullptr;
  std::uint64_t generation = 0;
  {
    std::lock_guard<std::mutex> hold(all.lock);
    auto& slot = all.byPath[path];
    if (!slot) slot = std::make_unique<ListSnapshot>(path);
    snapshot = slot.get();
    if (!snapshot->watch.Changed() && snapshot->list && snapshot->max == lMax) {
      list = *snapshot->list;
      return true;
    }
    snapshot->list.reset();
    generation = ++snapshot->generation;
  }
  ++g_reads;
  const bool loaded = list.Load(lMax);
  std::lock_guard<std::mutex> hold(all.lock);
  // Snapshots go only at unload, when no handler is left to read one.
  if (loaded && snapshot->generation == generation) {
    snapshot->list = list;
    snapshot->max = lMax;
  }
  return loaded;
}

bool SaveRecentList(common::clsMRU& list) {
  {
    ListSnapshots& all = Lists();
    std::lock_guard<std::mutex> hold(all.lock);
    auto found = all.byPath.find(list.Path());
    if (found != all.byPath.end() && found->second->list && SameEntries(*found->second->list, list)) return true;
  }
  return list.Save();
}

std::int64_t RegistryReads() { return g_reads.load(); }

void ReleaseRegistrySnapshots() {
  {
    SettingsSnapshot& s = Settings();
    std::lock_guard<std::mutex> hold(s.lock);
    s.watch.reset();
    s.options.reset();
    ++s.generation;
  }
  // The snapshots themselves stay (a reading may be under way): only what
  // they hold goes.
  ListSnapshots& all = Lists();
  std::lock_guard<std::mutex> hold(all.lock);
  for (auto& [path, snapshot] : all.byPath) {
    snapshot->watch.Release();
    snapshot->list.reset();
    ++snapshot->generation;
  }
}

}  // namespace shellext
