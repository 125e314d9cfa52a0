// What the tools that load this deliverable's resources share (the general
// tools here, the form tools of ui/). Not for other callers.
#pragma once
#include <string>
#include <string_view>

#include "base/error.h"

namespace common::detail {

// The bytes of a resource (name and type as FindResource takes them), which
// live as long as the deliverable is loaded. Raises 326 when there is none.
std::string_view ResourceBytes(const std::string& name, const std::string& type);

// The message of a resource that cannot be read.
void ReportResourceFailure(const std::string& name, const base::Error& e);

}  // namespace common::detail
