// Shared fixture of the item model's tests: a control whose events are
// written down as short lines ("click a", "change a value", "commit a").
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "smartui/model.h"

namespace sui_testing {

// The error number a call throws, 0 when it throws none.
template <class F>
long ErrorOf(F&& f) {
  try {
    f();
  } catch (const base::Error& e) {
    return e.Number();
  }
  return 0;
}

inline std::string Name(const sui::ItemPtr& item) { return item->key().empty() ? item->caption() : item->key(); }

class EventLog {
 public:
  explicit EventLog(sui::Control& control) {
    auto& h = control.handlers;
    h.itemClick = [this](const sui::ItemPtr& i) { add("click " + Name(i)); };
    h.buttonClick = [this](const sui::ItemPtr& i) { add("button " + Name(i)); };
    h.itemChange = [this](const sui::ItemPtr& i, const std::string& p) { add("change " + Name(i) + " " + p); };
    h.dropDown = [this](const sui::ItemPtr& i) { add("drop " + Name(i)); };
    h.itemCommit = [this](const sui::ItemPtr& i) { add("commit " + Name(i)); };
    h.query = [this](bool&) { add("query"); };
    h.click = [this] { add("click"); };
  }
  EventLog(const EventLog&) = delete;  // the handlers hold this object
  EventLog& operator=(const EventLog&) = delete;
  // The lines so far, emptied.
  std::vector<std::string> take() { return std::exchange(m_lines, {}); }

 private:
  void add(std::string line) { m_lines.push_back(std::move(line)); }
  std::vector<std::string> m_lines;
};

using Lines = std::vector<std::string>;

// The keys of a list in order, joined by ",".
inline std::string Keys(const sui::ItemList& list) {
  std::string out;
  for (const auto& item : list) out += (out.empty() ? "" : ",") + Name(item);
  return out;
}

}  // namespace sui_testing
