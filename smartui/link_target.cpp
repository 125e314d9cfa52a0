#include "smartui/link_target.h"

namespace sui {

std::string linkTarget(const Item& item) {
  std::string target = item.value().ToString();
  if (target.empty()) target = item.caption();
  const bool hasScheme = target.find(':') != std::string::npos;
  if (target.find('@') != std::string::npos && !hasScheme) target = "mailto:" + target;
  return target;
}

}  // namespace sui
