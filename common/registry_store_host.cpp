// The native build's registry: one in-memory tree for the process, standing
// in for the machine's, with the same key and value rules (names without
// regard to case, keys made along the path on create). There are no
// settings files natively.
#include <map>
#include <mutex>

#include "base/text.h"
#include "common/registry_store.h"

namespace common::registry_store {

namespace {

constexpr long kNotFound = 2;

struct Value {
  unsigned long type = 0;
  std::string bytes;
};
using Values = std::map<std::string, Value>;

struct Store {
  std::mutex lock;
  std::map<std::string, Values> keys;  // "hive\PATH" upper-cased
};

Store& TheStore() {
  static Store* store = new Store;  // outlives every test's last call
  return *store;
}

std::string Normal(std::string path) {
  std::string out;
  for (char c : base::UCase(path)) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

class MemoryKey : public Key {
 public:
  explicit MemoryKey(std::string id) : m_id(std::move(id)) {}

  long Query(const std::string& name, std::string& bytes, unsigned long& type) override {
    Store& s = TheStore();
    std::lock_guard<std::mutex> guard(s.lock);
    auto key = s.keys.find(m_id);
    if (key == s.keys.end()) return kNotFound;
    auto value = key->second.find(base::UCase(name));
    if (value == key->second.end()) return kNotFound;
    bytes = value->second.bytes;
    type = value->second.type;
    return 0;
  }

  long Set(const std::string& name, unsigned long type, const std::string& bytes) override {
    Store& s = TheStore();
    std::lock_guard<std::mutex> guard(s.lock);
    s.keys[m_id][base::UCase(name)] = Value{type, bytes};
    return 0;
  }

 private:
  std::string m_id;
};

}  // namespace

long OpenKey(RegHive hive, const std::string& path, bool create, std::unique_ptr<Key>& key) {
  std::string id = std::to_string(static_cast<int>(hive)) + "\\" + Normal(path);
  Store& s = TheStore();
  {
    std::lock_guard<std::mutex> guard(s.lock);
    if (create) {
      // Every key along the path comes into being, as RegCreateKeyEx does.
      for (size_t at = id.find('\\'); at != std::string::npos; at = id.find('\\', at + 1)) s.keys[id.substr(0, at)];
      s.keys[id];
    } else if (!s.keys.count(id)) {
      return kNotFound;
    }
  }
  key = std::make_unique<MemoryKey>(id);
  return 0;
}

bool SettingsFileExists(const std::string&) { return false; }

std::string IniReadText(const std::string&, const std::string&, const std::string&, const std::string& fallback) {
  return fallback;
}

std::int32_t IniReadInt(const std::string&, const std::string&, const std::string&) { return 0; }

long IniWriteText(const std::string&, const std::string&, const std::string&, const std::string&) {
  return kNotFound;
}

}  // namespace common::registry_store
