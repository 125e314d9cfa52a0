// Sashkit's divider-line controls: VertDivider (a lying etched line, always
// 30 twips high) and HorzDivider (an upright one, always 30 twips wide).
#pragma once
#include <windows.h>

namespace controls {

HRESULT CreateVertDivider(REFIID riid, void** ppv) noexcept;
HRESULT CreateHorzDivider(REFIID riid, void** ppv) noexcept;

// The window class of in-place active dividers goes with the library.
void UnregisterDividerWindowClass() noexcept;

}  // namespace controls
