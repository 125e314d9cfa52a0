#include "common/appinfo.h"

#include "base/context.h"

namespace common {

namespace {

struct AppTitleText {
  std::string value;
};

}  // namespace

std::string ProductName() { return ModuleVersionString("ProductName"); }
std::string ApplicationTitle() { return ModuleVersionString("FileDescription"); }
std::string LegalCopyright() { return ModuleVersionString("LegalCopyright"); }

std::string ShellAppTitle() { return ProductName() + " - " + ApplicationTitle(); }

std::string& g_szAppTitle() { return base::ThreadContext::Current().Get<AppTitleText>().value; }

}  // namespace common
