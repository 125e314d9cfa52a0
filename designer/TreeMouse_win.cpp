#include "designer/TreeMouse.h"

#include "widgets/TreeViewWindow.h"

namespace designer {

// The mouse work is filled in step by step; until then the tree keeps its
// own handling.
struct TreeMouse::Parts {
  widgets::TreeViewWindow* tree = nullptr;
  TreeMouseHost* host = nullptr;
  long x = 0, y = 0;
};

TreeMouse::TreeMouse(widgets::TreeViewWindow& tree, TreeMouseHost& host) : m_parts(std::make_unique<Parts>()) {
  m_parts->tree = &tree;
  m_parts->host = &host;
}

TreeMouse::~TreeMouse() = default;

long TreeMouse::MouseX() const noexcept { return m_parts->x; }
long TreeMouse::MouseY() const noexcept { return m_parts->y; }
bool TreeMouse::Dragging() const noexcept { return false; }
bool TreeMouse::CancelDrag() noexcept { return false; }
IDropTarget* TreeMouse::DropTarget() noexcept { return nullptr; }

}  // namespace designer
