// The common Open and Save dialogs. A caller sets the properties, calls
// ShowOpen or ShowSave and reads the chosen file from FileName.
#pragma once
#include <cstdint>
#include <string>

namespace common {

// What the dialog is handed and what it gives back, in the dialog's own
// terms; the Windows half fills the record from it and calls the dialog.
struct OpenSaveCall {
  std::string file;        // the path buffer, NUL-padded
  std::string title;       // the title buffer, NUL-padded
  std::uint32_t flags = 0;
  std::int32_t filterIndex = 0;
  std::int32_t fileExtension = 0;
  std::int32_t result = 0;      // non-zero: the user chose a file
  std::uint32_t failure = 0;    // the dialog's extended error; 0 for a cancel
};

class clsOpenSave {
 public:
  clsOpenSave() = default;

  // Stored only: the dialogs place themselves.
  void SetCentre(bool centre) noexcept { m_bCentre = centre; }
  std::int16_t FileExt() const noexcept { return m_iFileExt; }
  void SetFileExt(std::int16_t v) noexcept { m_iFileExt = v; }
  void* hWnd() const noexcept { return m_hWnd; }  // the owner window
  void SethWnd(void* hwnd) noexcept { m_hWnd = hwnd; }

  // The dialogs: non-zero when the user chose a file, 0 on cancel or
  // failure (FileName is then empty; with CancelError a cancel raises
  // 32755). A preset FileName with no room left in MaxFileSize raises 5
  // before any window opens. lpfnHook: a hook procedure or null.
  std::int32_t ShowSave(void* lpfnHook = nullptr);
  std::int32_t ShowOpen(void* lpfnHook = nullptr);

  std::int16_t MaxFileSize() const noexcept { return m_iMaxFileSize; }
  void SetMaxFileSize(std::int16_t v) noexcept { m_iMaxFileSize = v; }
  const std::string& InitDir() const noexcept { return m_szInitDir; }
  void SetInitDir(std::string v) { m_szInitDir = std::move(v); }
  std::uint32_t flags() const noexcept { return m_lFlags; }
  void Setflags(std::uint32_t v) noexcept { m_lFlags = v; }
  // Pairs of description and pattern, all separated by "|".
  std::string Filter() const;
  void SetFilter(const std::string& filter);
  std::int16_t FilterIndex() const noexcept { return m_iFilterIndex; }
  void SetFilterIndex(std::int16_t v) noexcept { m_iFilterIndex = v; }
  const std::string& FileTitle() const noexcept { return m_szFileTitle; }
  void SetFileTitle(std::string v) { m_szFileTitle = std::move(v); }
  const std::string& FileName() const noexcept { return m_szFileName; }
  void SetFileName(std::string v) { m_szFileName = std::move(v); }
  const std::string& DialogTitle() const noexcept { return m_szDialogTitle; }
  void SetDialogTitle(std::string v) { m_szDialogTitle = std::move(v); }
  const std::string& DefaultExt() const noexcept { return m_szDefaultExt; }
  void SetDefaultExt(std::string v) { m_szDefaultExt = std::move(v); }
  bool CancelError() const noexcept { return m_bCancelError; }
  void SetCancelError(bool v) noexcept { m_bCancelError = v; }

  // The text before its first NUL; all of it when it has none.
  static std::string StripNulls(const std::string& text);

  // The buffers for a dialog call from the properties (raises 5 as above),
  // and the properties from its outcome. The dialog itself runs in between.
  OpenSaveCall Prepare(void* lpfnHook) const;
  std::int32_t Finish(const OpenSaveCall& call, const char* procedure);

 private:
  std::int32_t Show(bool save, void* lpfnHook);

  bool m_bCentre = true;
  std::int16_t m_iFileExt = 0;
  void* m_hWnd = nullptr;
  std::int16_t m_iMaxFileSize = 4096;
  std::string m_szInitDir = "C:\\";
  std::uint32_t m_lFlags = 0;
  std::string m_szFilter = std::string("All Files (*.*)\0*.*\0\0", 21);  // the dialog's own form
  std::int16_t m_iFilterIndex = 1;
  std::string m_szFileTitle;
  std::string m_szFileName;
  std::string m_szDialogTitle;
  std::string m_szDefaultExt;
  bool m_bCancelError = false;
};

}  // namespace common
