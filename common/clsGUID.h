// clsGUID: new globally unique identifiers as text, the keys of new custom
// window actions.
#pragma once
#include <string>

namespace common {

class clsGUID {
 public:
  // A new identifier in its 38-character form: "{" 8-4-4-4-12 upper-case
  // hexadecimal digits "}". Raises an error carrying the system's HRESULT
  // when the system cannot make one.
  std::string Create() const;
};

}  // namespace common
