// The address a link opens. Portable.
#pragma once
#include <string>

#include "smartui/model.h"

namespace sui {

// The item's value as text, else its caption; an address with "@" and no
// scheme ("support@corvane.example") becomes a mail address.
std::string linkTarget(const Item& item);

}  // namespace sui
