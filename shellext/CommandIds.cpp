#include "shellext/CommandIds.h"

#include <algorithm>
#include <limits>

namespace shellext {

namespace {

constexpr std::int64_t kMaxId = std::numeric_limits<std::int32_t>::max();

std::int32_t Clamp(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), kMaxId));
}

}  // namespace

void CommandIds::Reset(std::int32_t first, std::int32_t last) {
  m_first = first;
  m_last = last;
  m_next = first;
  m_ceiling = last;
  m_dynamicFirst = m_dynamicNext = first;
  m_dynamicLast = first - 1;
  m_saved = first;
  m_closed = false;
}

bool CommandIds::CanTake(bool internal) {
  if (internal && !m_closed) {
    if (m_next > m_ceiling) m_ceiling = Clamp(std::int64_t{m_next} + 1);
    if (m_ceiling > m_last) m_ceiling = m_last;
  }
  return m_next <= m_ceiling;
}

std::int32_t CommandIds::Take() {
  const std::int32_t id = m_next;
  m_next = Clamp(std::int64_t{m_next} + 1);
  return id;
}

void CommandIds::ReserveDynamicBlock() {
  m_dynamicFirst = m_dynamicNext = m_next;
  const std::int64_t free = std::int64_t{m_last} - m_next;
  if (free >= 5001) m_next += 5000;
  else if (free >= 2501) m_next += 2500;
  else if (free >= 1001) m_next += 1000;
  else if (std::int64_t{m_next} < std::int64_t{m_last} - 10) m_next = m_last - 10;
  m_dynamicLast = Clamp(std::int64_t{m_next} - 1);
  m_ceiling = m_dynamicLast;
  m_saved = m_next;
  m_closed = true;
}

void CommandIds::Close() {
  m_dynamicFirst = m_dynamicNext = m_next;
  m_dynamicLast = Clamp(std::int64_t{m_next} - 1);
  m_ceiling = m_dynamicLast;
  m_saved = m_next;
  m_closed = true;
}

void CommandIds::BeginDynamicFill() {
  m_saved = m_next;
  m_next = m_dynamicNext;
}

void CommandIds::EndDynamicFill() {
  m_dynamicNext = m_next;
  m_next = m_saved;
}

std::int32_t CommandIds::Count() const { return Clamp(std::int64_t{m_next} - m_first + 1); }

std::optional<std::int32_t> CommandIds::FromOffset(std::uint64_t offset) const {
  const std::int64_t id = std::int64_t{m_first} + static_cast<std::int64_t>(std::min<std::uint64_t>(offset, 1ull << 40));
  if (id > m_last || id > kMaxId) return std::nullopt;
  return static_cast<std::int32_t>(id);
}

std::optional<std::uint32_t> ParseItemVerb(std::string_view verb) {
  constexpr std::string_view kPrefix = "item";
  if (verb.size() <= kPrefix.size() || verb.size() > kPrefix.size() + 10) return std::nullopt;
  for (size_t i = 0; i < kPrefix.size(); ++i) {
    const char c = verb[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kPrefix[i]) return std::nullopt;
  }
  std::uint64_t value = 0;
  for (char c : verb.substr(kPrefix.size())) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace shellext
