// The progress window of "Copy to Clipboard" and the selection tasks: it
// shows the folder being read while the walk runs, and closing it (or a
// click on its progress panel) stops the walk. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <exception>
#include <functional>
#include <string>

#include "shellext/SelectionWalk.h"

namespace ui {
class SmartUIControl;
}

namespace shellext {

class frmClipboardProgress : public widgets::Form {
 public:
  // taskMode: a selection task's walk rather than "Copy to Clipboard".
  explicit frmClipboardProgress(bool taskMode);
  ~frmClipboardProgress() override;

  // Set when the user closes the window or clicks the progress panel.
  bool m_bStop = false;

  using WalkBody = std::function<void(const SelectionWalk::Progress& progress)>;
  // Runs the walk once, handing it SetFolder as its progress. With `show`
  // the window is shown modally over `owner` while the walk runs and hides
  // only after the walk has returned; otherwise the window is loaded but
  // stays hidden. What the walk raises is raised here, after the window
  // has hidden.
  void Walk(HWND owner, bool show, const WalkBody& walk);

  // Shows the folder being read and lets the thread's messages run, so that
  // the window repaints and a close or a click gets through. False once the
  // walk is to stop.
  bool SetFolder(const std::string& folder);

  // Puts the text on the clipboard with this window as its owner.
  bool PutOnClipboard(const std::string& text);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Cancel() override;

 private:
  void LoadOnce(HWND owner);
  void RunWalk() noexcept;

  bool m_taskMode;
  ui::SmartUIControl* m_progress = nullptr;
  WalkBody m_walk;
  bool m_walked = false;  // the walk runs once per command
  bool m_walking = false;
  std::exception_ptr m_failure;
};

}  // namespace shellext
