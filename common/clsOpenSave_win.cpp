#include "common/clsOpenSave.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

namespace common {

namespace {

// The record without the later extension fields: 76 bytes in a 32-bit
// program, 136 in a 64-bit one, whose pointers are wider.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEA, pvReserved);
static_assert(sizeof(void*) != 4 || kRecordSize == 76);

}  // namespace

std::int32_t clsOpenSave::ShowSave(void* lpfnHook) { return Show(true, lpfnHook); }
std::int32_t clsOpenSave::ShowOpen(void* lpfnHook) { return Show(false, lpfnHook); }

std::int32_t clsOpenSave::Show(bool save, void* lpfnHook) {
  OpenSaveCall call = Prepare(lpfnHook);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = kRecordSize;
  ofn.hwndOwner = static_cast<HWND>(m_hWnd);
  ofn.lpstrFilter = m_szFilter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(call.filterIndex);
  ofn.lpstrFile = call.file.data();
  ofn.nMaxFile = static_cast<DWORD>(m_iMaxFileSize);
  ofn.lpstrFileTitle = call.title.data();
  ofn.nMaxFileTitle = static_cast<DWORD>(call.title.size());
  ofn.lpstrInitialDir = m_szInitDir.c_str();
  ofn.lpstrTitle = m_szDialogTitle.empty() ? nullptr : m_szDialogTitle.c_str();
  ofn.lpstrDefExt = m_szDefaultExt.empty() ? nullptr : m_szDefaultExt.c_str();
  ofn.Flags = call.flags;
  ofn.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(lpfnHook);
  call.result = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  call.failure = call.result ? 0 : CommDlgExtendedError();
  call.flags = ofn.Flags;
  call.filterIndex = static_cast<std::int32_t>(ofn.nFilterIndex);
  call.fileExtension = ofn.nFileExtension;
  return Finish(call, save ? "clsOpenSave.ShowSave" : "clsOpenSave.ShowOpen");
}

}  // namespace common
