// The text of Designer's validation report: a summary with the count of
// items that failed their check, a heading, then one line per item of the
// tree in tree order. Lines end with a carriage return alone, as the report
// window shows them.
#pragma once
#include <cstdint>
#include <string>

namespace widgets {
class TreeView;
}

namespace designer {

// The report around lines already made (each ending with "\r").
std::string ValidationReportText(const std::string& lines, std::int32_t errorCount);

// Checks every item from the tree's node keyed "root" and makes the report;
// a tree without a root gives the summary alone, with no errors.
std::string BuildValidationReport(const widgets::TreeView& tree);

}  // namespace designer
