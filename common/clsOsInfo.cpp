#include "common/clsOsInfo.h"

#include "base/context.h"

namespace common {

clsOsInfo& g_oOsInfo() { return base::ThreadContext::Current().Get<clsOsInfo>(); }

}  // namespace common
