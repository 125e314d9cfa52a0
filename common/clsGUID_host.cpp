// The native build has no COM: a random (version 4) identifier in the same
// form serves the code tested natively.
#include <cstdio>
#include <random>

#include "common/clsGUID.h"

namespace common {

std::string clsGUID::Create() const {
  std::random_device rd;
  std::mt19937_64 gen((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
  std::uint64_t hi = gen(), lo = gen();
  hi = (hi & ~0xF000ull) | 0x4000ull;                           // version 4
  lo = (lo & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;    // variant 1
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%04X-%012llX}",
                static_cast<unsigned>(hi >> 32), static_cast<unsigned>((hi >> 16) & 0xFFFF),
                static_cast<unsigned>(hi & 0xFFFF), static_cast<unsigned>(lo >> 48),
                static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFull));
  return buf;
}

}  // namespace common
