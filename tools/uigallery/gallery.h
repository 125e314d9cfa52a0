// The toolkit's gallery: one window holding every SmartUI view with sample
// items, for the tests and for a person who wants to see the toolkit.
// Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <memory>
#include <string>
#include <vector>

namespace uigallery {

class Gallery {
 public:
  // Opens the window (shown) with every view in it.
  Gallery();
  ~Gallery();
  Gallery(const Gallery&) = delete;
  Gallery& operator=(const Gallery&) = delete;

  HWND Hwnd() const;
  // The events the views raised, as short lines ("click id_filenew").
  const std::vector<std::string>& Events() const;
  // Runs the window until it closes (the program's loop).
  void Run();

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

}  // namespace uigallery
