// The texts of Designer's About box that do not come from the version
// resource.
#pragma once
#include <string>

namespace designer {

// The product name with each word on a line of its own (words joined by
// CR LF); runs of spaces make no empty lines.
std::string OneWordPerLine(const std::string& name);

// The fixed warning under the legal notice.
extern const char kAboutDisclaimer[];
// Where the two links lead.
extern const char kAboutWebAddress[];
extern const char kAboutSupportAddress[];

}  // namespace designer
