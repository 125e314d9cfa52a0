// The command identifiers of one menu: the shell grants a range, entries take
// identifiers from its start one after another, and a block after every
// other entry is kept for the entries of dynamic folders, which are numbered
// only when their submenus open. The verbs the shell is told ("Item" and an
// offset) name identifiers too.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace shellext {

class CommandIds {
 public:
  // A new query: identifiers first to last (inclusive); nothing handed out.
  void Reset(std::int32_t first, std::int32_t last);

  std::int32_t First() const { return m_first; }
  std::int32_t Last() const { return m_last; }
  // The identifier the next entry takes.
  std::int32_t Next() const { return m_next; }
  std::int32_t Ceiling() const { return m_ceiling; }

  // Whether one more identifier may be taken. Internal entries (recent lists
  // and built-in commands) push the ceiling ahead of themselves, up to the
  // last identifier; entries of the configuration stop at the ceiling.
  bool CanTake(bool internal);
  // Hands out Next() and moves on.
  std::int32_t Take();

  // Keeps the block for dynamic-folder entries after the identifiers handed
  // out so far: 5000, 2500 or 1000 when that many fit with room to spare,
  // else up to 10 before the last identifier. Then closes the menu: nothing
  // but dynamic-folder entries takes an identifier from here on.
  void ReserveDynamicBlock();
  // Closes the menu without a block (no dynamic folder).
  void Close();
  std::int32_t DynamicFirst() const { return m_dynamicFirst; }
  std::int32_t DynamicLast() const { return m_dynamicLast; }
  // A dynamic submenu is being filled: its entries are numbered from where
  // the previous fill stopped, and the next fill goes on after them.
  void BeginDynamicFill();
  void EndDynamicFill();

  // The count of the query's status: one more than the identifiers used
  // (the dynamic block included), never more than the range holds plus one.
  std::int32_t Count() const;

  // The identifier an offset names; none when it lies outside the range.
  std::optional<std::int32_t> FromOffset(std::uint64_t offset) const;

 private:
  std::int32_t m_first = 0;
  std::int32_t m_last = -1;
  std::int32_t m_next = 0;
  std::int32_t m_ceiling = -1;
  std::int32_t m_dynamicFirst = 0;
  std::int32_t m_dynamicLast = -1;
  std::int32_t m_dynamicNext = 0;
  std::int32_t m_saved = 0;  // Next() outside a dynamic fill
  bool m_closed = false;
};

// The offset a verb names: "Item" (any case) and decimal digits only, as
// GetCommandString gives it ("Item3"); none for any other text, a number
// without digits, with signs or blanks, or one too large.
std::optional<std::uint32_t> ParseItemVerb(std::string_view verb);

}  // namespace shellext
