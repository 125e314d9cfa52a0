// Fennick end to end: registered in the test prefix, its settings and recent
// lists written to the real registry (what was there is put back), and
// shellhost run against it on real files and folders.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "config/clsOptions.h"

namespace fennick_test {

class FennickSession {
 public:
  FennickSession();
  ~FennickSession();
  FennickSession(const FennickSession&) = delete;
  FennickSession& operator=(const FennickSession&) = delete;

  // Settings as a fresh installation has them, enabled, with no icons, no
  // lists and no built-ins, reading the configuration file `configFile`;
  // then `change` adjusts them before they are written.
  void WriteSettings(const std::string& configFile, const std::function<void(config::clsOptions&)>& change = {});
  // The History or Quick Access list, most recent first.
  void WriteList(const char* key, const std::vector<config::clsCorvaneData>& entries);

  // shellhost's output for Fennick alone, with these options and paths.
  testing_support::ProcessResult Run(const std::vector<std::string>& args);

  const testing_support::TempDir& Dir() const { return m_dir; }

 private:
  testing_support::TempDir m_dir;
  std::string m_backup;  // where the settings key waits meanwhile
  bool m_hadSettings = false;
};

// A Folder, File or CustomAction item for a recent list.
config::clsCorvaneData ListItem(std::int32_t type, const std::string& caption, const std::string& location);

// The output's lines from "  menu" to the line before "  release".
std::string MenuPart(const std::string& output);
// MenuPart with each line cut before its command strings (" verb", " help",
// " validate") and the folder `dir` written %T.
std::string MenuOutline(const std::string& output, const std::string& dir);

}  // namespace fennick_test
