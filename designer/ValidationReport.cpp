#include "designer/ValidationReport.h"

#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

namespace designer {

std::string ValidationReportText(const std::string& lines, std::int32_t errorCount) {
  std::string text = "Summary Information\r" + std::string(19, '-') + "\r\r";
  text += "Errors Found: " + std::to_string(errorCount) + "\r\r\r";
  text += "Status   Description\r" + std::string(6, '-') + "   " + std::string(30, '-') + "\r";
  return text + lines;
}

std::string BuildValidationReport(const widgets::TreeView& tree) {
  std::string lines;
  std::int32_t errors = 0;
  config::g_oDataTools().Validate(tree.Find("root"), lines, errors);
  return ValidationReportText(lines, errors);
}

}  // namespace designer
