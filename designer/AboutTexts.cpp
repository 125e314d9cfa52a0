#include "designer/AboutTexts.h"

namespace designer {

const char kAboutDisclaimer[] =
    "Warning: this program is protected by copyright law and international treaties. Reproducing or "
    "distributing it, or any part of it, without permission may result in civil and criminal penalties.";
const char kAboutWebAddress[] = "http://www.brindlewick.example/corvane";
const char kAboutSupportAddress[] = "support@brindlewick.example";

std::string OneWordPerLine(const std::string& name) {
  std::string out, word;
  auto flush = [&] {
    if (word.empty()) return;
    if (!out.empty()) out += "\r\n";
    out += word;
    word.clear();
  };
  for (char c : name) {
    if (c == ' ' || c == '\t')
      flush();
    else
      word += c;
  }
  flush();
  return out;
}

}  // namespace designer
