// The custom window actions editor: Designer's modal dialog for the window
// actions of the actions file that the settings name. Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <memory>

#include "smartui/model.h"

namespace ui {

class CustomWindowActionsEditor;

class frmCustomWindowActions : public widgets::Form {
 public:
  frmCustomWindowActions();
  ~frmCustomWindowActions() override;

  // Loads the dialog over its owner, fills it from the actions file
  // (config::g_oOptions().m_szShellCustomActionsFile, read at every
  // operation) and runs it modally. True (m_bOk) once it was closed by Exit,
  // the close box or Esc after the unsaved-changes question let it close.
  bool ShowModal(HWND owner);
  // Loads and fills it, hidden (ShowModal does this when it is not loaded).
  void LoadDialog(HWND owner);

  // The editor's rules over the dialog's controls; valid while loaded.
  CustomWindowActionsEditor& Editor();

 private:
  void Build();
  std::unique_ptr<sui::Control> m_tokens;  // the token popup's model
  std::unique_ptr<CustomWindowActionsEditor> m_editor;
};

}  // namespace ui
