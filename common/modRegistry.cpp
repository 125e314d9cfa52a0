#include "common/modRegistry.h"

#include "base/text.h"
#include "common/registry_store.h"

namespace common {

namespace {

constexpr long kErrorMoreData = 234;

// A fixed-size read ("B", "BOOL", "D") of a value larger than its buffer
// fails as the system call would; a smaller one fills the low bytes.
long FixedBytes(const std::string& bytes, size_t size, std::uint32_t& value) {
  if (bytes.size() > size) return kErrorMoreData;
  value = 0;
  for (size_t i = 0; i < bytes.size(); ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return 0;
}

std::string DwordBytes(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>(v >> 24)};
}

long ReadRegistry(RegHive hive, const std::string& key, const std::string& name, RegType type, base::Variant& out) {
  std::unique_ptr<registry_store::Key> k;
  if (long code = registry_store::OpenKey(hive, key, false, k)) return code;
  if (type == RegType::Other) return 0;
  std::string bytes;
  unsigned long stored = 0;
  if (long code = k->Query(name, bytes, stored)) return code;
  std::uint32_t v = 0;
  switch (type) {
    case RegType::Text:
      // A value of no bytes at all keeps the default.
      if (!bytes.empty()) out = TextFromRegistryBytes(bytes);
      return 0;
    case RegType::Binary16:
      if (long code = FixedBytes(bytes, 2, v)) return code;
      out = (v & 0xFFFF) != 0;
      return 0;
    case RegType::Bool:
      if (long code = FixedBytes(bytes, 4, v)) return code;
      out = v != 0;
      return 0;
    case RegType::Dword:
      if (long code = FixedBytes(bytes, 4, v)) return code;
      out = static_cast<std::int32_t>(v);
      return 0;
    default:
      return 0;
  }
}

// Reads into a Variant, then converts into the caller's kind; a value that
// does not convert leaves the default and reports invalid data.
template <class T, class Convert>
long ReadConverted(const std::string& root, const std::string& key, const std::string& name,
                   const std::string& type, const base::Variant& def, T& out, Convert convert) noexcept {
  try {
    out = convert(def);
  } catch (...) {
    return kRegInvalidData;
  }
  base::Variant value;
  long status = RegistryGetValue(root, key, name, type, def, value);
  try {
    out = convert(value);
  } catch (...) {
    try {
      out = convert(def);
    } catch (...) {
    }
    return kRegInvalidData;
  }
  return status;
}

}  // namespace

RegHive HiveFromName(std::string_view name) {
  std::string n = base::UCase(name);
  if (n == "HKCU") return RegHive::CurrentUser;
  if (n == "HKLM") return RegHive::LocalMachine;
  if (n == "HKU") return RegHive::Users;
  if (n == "HKDD") return RegHive::DynData;
  if (n == "HKCC") return RegHive::CurrentConfig;
  if (n == "HKCR") return RegHive::ClassesRoot;
  return RegHive::None;
}

RegType RegTypeFromWord(std::string_view word) {
  std::string w = base::UCase(word);
  if (w == "S") return RegType::Text;
  if (w == "B") return RegType::Binary16;
  if (w == "BOOL") return RegType::Bool;
  if (w == "D") return RegType::Dword;
  return RegType::Other;
}

RegRoot RegRootFromName(const std::string& name) {
  RegRoot root;
  try {
    root.hive = HiveFromName(name);
    if (root.hive != RegHive::None) {
      root.kind = RegRoot::Hive;
    } else if (!name.empty() && registry_store::SettingsFileExists(name)) {
      root.kind = RegRoot::SettingsFile;
    }
  } catch (...) {
    root = RegRoot{};
  }
  return root;
}

std::string TextFromRegistryBytes(const std::string& bytes) {
  // Only the terminator goes: an enciphered text may hold 0 bytes of its own.
  if (!bytes.empty() && bytes.back() == '\0') return bytes.substr(0, bytes.size() - 1);
  return bytes;
}

long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, base::Variant& out) noexcept {
  long status = kRegUnknownRoot;
  try {
    out = def;
    RegRoot r = RegRootFromName(root);
    RegType t = RegTypeFromWord(type);
    switch (r.kind) {
      case RegRoot::None:
        return kRegUnknownRoot;
      case RegRoot::SettingsFile:
        status = kRegInvalidData;
        if (t == RegType::Text)
          out = registry_store::IniReadText(root, key, name, def.ToString());
        else
          out = registry_store::IniReadInt(root, key, name);
        return 0;
      case RegRoot::Hive:
        status = kRegInvalidData;
        return ReadRegistry(r.hive, key, name, t, out);
    }
  } catch (...) {
  }
  return status;
}

long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, std::string& out) noexcept {
  return ReadConverted(root, key, name, type, def, out, [](const base::Variant& v) { return v.ToString(); });
}

long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, std::int32_t& out) noexcept {
  return ReadConverted(root, key, name, type, def, out, [](const base::Variant& v) { return v.ToLong(); });
}

long RegistryGetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& def, bool& out) noexcept {
  return ReadConverted(root, key, name, type, def, out, [](const base::Variant& v) { return v.ToBool(); });
}

long RegistrySetValue(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& type, const base::Variant& value) noexcept {
  try {
    RegRoot r = RegRootFromName(root);
    RegType t = RegTypeFromWord(type);
    if (r.kind == RegRoot::None) return kRegUnknownRoot;
    if (r.kind == RegRoot::SettingsFile) {
      if (t != RegType::Text) return kRegUnknownRoot;
      std::string text;
      try {
        text = value.ToString();
      } catch (...) {
        return kRegInvalidData;
      }
      return registry_store::IniWriteText(root, key, name, text);
    }

    // The value is converted before anything is touched: one that does not
    // convert writes nothing and says so.
    unsigned long regType = 0;
    std::string bytes;
    try {
      switch (t) {
        case RegType::Text:
          regType = registry_store::kTypeSz;
          bytes = value.ToString();
          bytes.push_back('\0');
          break;
        case RegType::Binary16:
          regType = registry_store::kTypeBinary;
          bytes = value.ToBool() ? std::string("\xFF\xFF", 2) : std::string(2, '\0');
          break;
        case RegType::Bool:
          regType = registry_store::kTypeDword;
          bytes = DwordBytes(value.ToBool() ? 1 : 0);
          break;
        case RegType::Dword:
          regType = registry_store::kTypeDword;
          bytes = DwordBytes(static_cast<std::uint32_t>(value.ToLong()));
          break;
        case RegType::Other:
          break;
      }
    } catch (...) {
      return kRegInvalidData;
    }

    std::unique_ptr<registry_store::Key> k;
    if (long code = registry_store::OpenKey(r.hive, key, true, k)) return code;
    if (t == RegType::Other) return 0;
    return k->Set(name, regType, bytes);
  } catch (...) {
    return kRegInvalidData;
  }
}

}  // namespace common
