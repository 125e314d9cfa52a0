// uigallery: shows every SmartUI view in one window until it is closed.
#include "tools/uigallery/gallery.h"

int main() {
  try {
    uigallery::Gallery gallery;
    gallery.Run();
    return 0;
  } catch (...) {
    return 1;
  }
}
