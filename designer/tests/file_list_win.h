// Windows test helper: a data object holding a file list (CF_HDROP) of
// real paths, as the shell hands one to a drop target, or the same list
// under another clipboard format.
#pragma once
#include "base/com.h"  // first: it orders the Windows headers

#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace designer_test {

class FileList : public base::ComObject<FileList, IDataObject> {
 public:
  FileList(std::vector<std::string> paths, CLIPFORMAT format) : m_paths(std::move(paths)), m_format(format) {}
  static const base::QiEntry* Interfaces() noexcept {
    static const base::QiEntry table[] = {{&IID_IDataObject, base::InterfaceOffset<FileList, IDataObject>()},
                                          {nullptr, 0}};
    return table;
  }
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) noexcept override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    std::string names;
    for (const auto& p : m_paths) names += p + '\0';
    names += '\0';
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(global));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(global);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = global;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* f) noexcept override {
    return f && f->cfFormat == m_format && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) noexcept override { return E_NOTIMPL; }

 private:
  std::vector<std::string> m_paths;
  CLIPFORMAT m_format;
};

}  // namespace designer_test
