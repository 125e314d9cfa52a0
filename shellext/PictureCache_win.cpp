#include "shellext/PictureCache.h"

#include <commctrl.h>

#include <cstring>
#include <list>
#include <unordered_map>
#include <utility>

#include "base/text.h"
#include "common/clsTrace.h"
#include "shellext/modMenuItems.h"

namespace shellext {

using common::g_Debug;

namespace {

constexpr int kIconBitmapSize = 16;

// What tells one version of a file from another without reading it.
struct FileStamp {
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  std::uint64_t size = 0;
  std::uint64_t written = 0;
  bool operator==(const FileStamp&) const = default;
  bool Exists() const { return attributes != INVALID_FILE_ATTRIBUTES; }
  bool Directory() const { return Exists() && (attributes & FILE_ATTRIBUTE_DIRECTORY); }
};

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.attributes = data.dwFileAttributes;
  stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  stamp.written = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

// The lower-cased extension with its dot, "" when the name has none.
std::string ExtensionOf(const std::string& lowerPath) {
  const size_t dot = lowerPath.rfind('.');
  const size_t slash = lowerPath.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == lowerPath.size())
    return {};
  return lowerPath.substr(dot);
}

std::string DefaultValue(const std::string& key) {
  char value[1024] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
  return std::string(value, strnlen(value, sizeof value));
}

bool KeyExists(const std::string& key) {
  base::UniqueHKey opened;
  return RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, opened.put()) == ERROR_SUCCESS;
}

// Whether the files of a type may each show an icon of their own: programs,
// shortcuts and icons do, and so does a type registered with "%1" as its
// icon or with an icon handler.
bool IconDependsOnFile(const std::string& extension) {
  static const char* const kOwnIcons[] = {".exe", ".com", ".scr", ".pif", ".lnk", ".url", ".ico", ".cur", ".ani", ".cpl"};
  for (const char* own : kOwnIcons)
    if (extension == own) return true;
  const std::string progId = DefaultValue(extension);
  for (const std::string& type : {extension, progId}) {
    if (type.empty()) continue;
    if (DefaultValue(type + "\\DefaultIcon").find("%1") != std::string::npos) return true;
    if (KeyExists(type + "\\ShellEx\\IconHandler")) return true;
  }
  return KeyExists("SystemFileAssociations\\" + extension + "\\ShellEx\\IconHandler");
}

template <class Map>
void Touch(std::list<std::string>& order, typename Map::iterator it) {
  order.splice(order.begin(), order, it->second.place);
}

}  // namespace

std::mutex& SharedPictureLock() {
  static std::mutex lock;
  return lock;
}

// --- the resource bitmaps -------------------------------------------------------

namespace {

struct ResourceSet {
  std::mutex lock;
  HMODULE module = nullptr;
  COLORREF menuColour = 0;
  LOGFONTA cellFont{};  // the display's default font the cell was measured in
  std::vector<std::shared_ptr<clsMenuBitmap>> members;
};

// The display's default font, which gives the cell the first three pictures
// are scaled to (ScaleBMP): while it stays the same, so does the cell, and
// reading it costs no device context.
LOGFONTA CellFont() {
  LOGFONTA font{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  return font;
}

ResourceSet& Resources() {
  static ResourceSet set;
  return set;
}

}  // namespace

std::vector<std::shared_ptr<clsMenuBitmap>> SharedResourceBitmaps(HMODULE module) {
  const COLORREF menuColour = GetSysColor(COLOR_MENU);
  const LOGFONTA cellFont = CellFont();
  ResourceSet& set = Resources();
  std::lock_guard<std::mutex> hold(set.lock);
  if (!set.members.empty() && set.module == module && set.menuColour == menuColour &&
      std::memcmp(&set.cellFont, &cellFont, sizeof cellFont) == 0)
    return set.members;
  set.members.clear();
  for (std::int32_t resource : {102, 101, 103, 104, 105, 106, 107, 108, 109}) {
    base::UniqueHBitmap mapped = ReplaceBitmapColour(resource, kMaskColour, menuColour, module);
    std::optional<base::UniqueHBitmap> shown;
    if (resource <= 103) shown = ScaleBMP(mapped.get(), false);
    set.members.push_back(std::make_shared<clsMenuBitmap>(resource - 100, "", std::move(mapped), std::move(shown)));
  }
  set.module = module;
  set.menuColour = menuColour;
  set.cellFont = cellFont;
  return set.members;
}

// --- the file icons ----------------------------------------------------------------

struct IconCache::State {
  struct PathEntry {
    FileStamp stamp;
    HIMAGELIST list = nullptr;
    int index = 0;
    std::list<std::string>::iterator place;
  };
  struct PictureEntry {
    std::shared_ptr<clsMenuBitmap> picture;
    bool noIcon = false;
    std::list<std::string>::iterator place;
  };
  struct ShellAnswer {
    HIMAGELIST list = nullptr;
    int index = 0;
  };

  std::mutex lock;
  std::unordered_map<std::string, PathEntry> paths;
  std::list<std::string> pathOrder;  // the most recently used first
  std::unordered_map<std::string, PictureEntry> pictures;
  std::list<std::string> pictureOrder;
  std::unordered_map<std::string, bool> ownIconTypes;  // extension: whether by path
  std::unordered_map<std::string, ShellAnswer> typeAnswers;
  std::size_t pathLimit = IconCache::kDefaultPathLimit;
  std::size_t pictureLimit = IconCache::kDefaultPictureLimit;
  HIMAGELIST list = nullptr;  // the system image list of the answers kept
  int imageCount = 0;
  COLORREF menuColour = CLR_INVALID;
  COLORREF fillColour = CLR_INVALID;
  IconCacheStatistics statistics;
  // The drawing surface: a memory context holding a colour bitmap, so that
  // bitmaps made compatible with it have the screen's colours.
  base::UniqueHdc surface;
  base::UniqueHBitmap surfaceBitmap;
  HGDIOBJ surfaceOld = nullptr;

  ~State() { ReleaseSurface(); }

  void ReleaseSurface() {
    if (surface && surfaceOld) SelectObject(surface.get(), surfaceOld);
    surfaceOld = nullptr;
    surface.reset();
    surfaceBitmap.reset();
  }

  void Flush() {
    paths.clear();
    pathOrder.clear();
    pictures.clear();
    pictureOrder.clear();
    ownIconTypes.clear();
    typeAnswers.clear();
    list = nullptr;
    imageCount = 0;
    ReleaseSurface();
  }

  // The pictures are drawn on the menu's colours: new colours, new pictures.
  void CheckColours() {
    const COLORREF menu = GetSysColor(COLOR_MENU), fill = GetSysColor(COLOR_MENU + 1);
    if (menu == menuColour && fill == fillColour) return;
    if (menuColour != CLR_INVALID) g_Debug().Output("Menu colours changed: icons flushed");
    Flush();
    menuColour = menu;
    fillColour = fill;
  }

  // Answers of another image list, or of one that lost images (rebuilt),
  // no longer name the icons they did.
  void CheckList(HIMAGELIST answered) {
    if (!answered) return;
    const int count = ImageList_GetImageCount(answered);
    if (list && (answered != list || count < imageCount)) {
      g_Debug().Output("System image list changed: icons flushed");
      Flush();
    }
    list = answered;
    imageCount = count;
  }

  HDC Surface() {
    if (!surface) {
      base::WindowDc screen(nullptr);
      surface.reset(CreateCompatibleDC(screen.get()));
      surfaceBitmap.reset(CreateCompatibleBitmap(screen.get(), kIconBitmapSize, kIconBitmapSize));
      if (surface && surfaceBitmap) surfaceOld = SelectObject(surface.get(), surfaceBitmap.get());
    }
    return surface.get();
  }

  IconAnswer Picture(HIMAGELIST answered, int index) {
    const std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(answered)) + "." + std::to_string(index);
    if (auto found = pictures.find(key); found != pictures.end()) {
      Touch<decltype(pictures)>(pictureOrder, found);
      return {found->second.picture, found->second.noIcon};
    }
    IconAnswer answer;
    base::UniqueHIcon icon(answered ? ImageList_GetIcon(answered, index, ILD_NORMAL) : nullptr);
    answer.noIcon = !icon;
    if (HDC dc = icon ? Surface() : nullptr) {
      base::UniqueHBitmap full = IconToBitmap(dc, icon.get(), COLOR_MENU, kIconBitmapSize, 0);
      if (full) {
        base::UniqueHBitmap small = IconToBitmap(dc, icon.get(), COLOR_MENU, kIconBitmapSize, 1);
        answer.picture = std::make_shared<clsMenuBitmap>(0, key, std::move(full), std::move(small));
      }
    }
    // A picture that could not be drawn is tried again next time.
    if (!answer.picture && !answer.noIcon) return answer;
    pictureOrder.push_front(key);
    pictures.emplace(key, PictureEntry{answer.picture, answer.noIcon, pictureOrder.begin()});
    while (pictures.size() > pictureLimit) {
      pictures.erase(pictureOrder.back());
      pictureOrder.pop_back();
    }
    ++statistics.drawn;
    return answer;
  }

  void Remember(const std::string& key, const FileStamp& stamp, HIMAGELIST answered, int index) {
    if (auto old = paths.find(key); old != paths.end()) {
      pathOrder.erase(old->second.place);
      paths.erase(old);
    }
    pathOrder.push_front(key);
    paths.emplace(key, PathEntry{stamp, answered, index, pathOrder.begin()});
    while (paths.size() > pathLimit) {
      paths.erase(pathOrder.back());
      pathOrder.pop_back();
    }
  }
};

IconCache::IconCache() : m_state(std::make_unique<State>()) {}
IconCache::~IconCache() = default;

IconAnswer IconCache::FileIcon(const std::string& path) {
  State& s = *m_state;
  const FileStamp stamp = StampOf(path);
  const std::string key = base::LCase(path);
  const std::string extension = stamp.Exists() && !stamp.Directory() ? ExtensionOf(key) : std::string();
  bool byType = false;
  {
    std::lock_guard<std::mutex> hold(s.lock);
    s.CheckColours();
    if (auto found = s.paths.find(key); found != s.paths.end() && found->second.stamp == stamp) {
      Touch<decltype(s.paths)>(s.pathOrder, found);
      return s.Picture(found->second.list, found->second.index);
    }
    if (!extension.empty()) {
      auto known = s.ownIconTypes.find(extension);
      if (known != s.ownIconTypes.end()) {
        byType = !known->second;
        if (auto answer = s.typeAnswers.find(extension); byType && answer != s.typeAnswers.end()) {
          s.Remember(key, stamp, answer->second.list, answer->second.index);
          return s.Picture(answer->second.list, answer->second.index);
        }
      }
    }
  }
  // The registry and the shell are asked outside the lock: another thread's
  // menu need not wait for them.
  if (!extension.empty() && !byType) {
    const bool own = IconDependsOnFile(extension);
    byType = !own;
    std::lock_guard<std::mutex> hold(s.lock);
    s.ownIconTypes[extension] = own;
  }
  g_Debug().Output("szFilename=" + path);
  SHFILEINFOA info{};
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  if (byType) flags |= SHGFI_USEFILEATTRIBUTES;
  auto answered = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(path.c_str(), byType ? FILE_ATTRIBUTE_NORMAL : 0, &info, sizeof info, flags));
  g_Debug().Output("hImageList=" + common::clsTrace::ToHex(answered) + "  iIcon=" + std::to_string(info.iIcon));
  std::lock_guard<std::mutex> hold(s.lock);
  ++s.statistics.shellCalls;
  if (byType) ++s.statistics.byExtension;
  s.CheckColours();
  s.CheckList(answered);
  if (answered) {
    if (byType) s.typeAnswers[extension] = State::ShellAnswer{answered, info.iIcon};
    s.Remember(key, stamp, answered, info.iIcon);
  }
  return s.Picture(answered, info.iIcon);
}

void IconCache::Clear() {
  std::lock_guard<std::mutex> hold(m_state->lock);
  m_state->Flush();
}

IconCacheStatistics IconCache::Statistics() const {
  std::lock_guard<std::mutex> hold(m_state->lock);
  IconCacheStatistics statistics = m_state->statistics;
  statistics.paths = m_state->paths.size();
  statistics.pictures = m_state->pictures.size();
  return statistics;
}

void IconCache::SetLimits(std::size_t paths, std::size_t pictures) {
  std::lock_guard<std::mutex> hold(m_state->lock);
  m_state->pathLimit = std::max<std::size_t>(paths, 1);
  m_state->pictureLimit = std::max<std::size_t>(pictures, 1);
}

IconCache& ProcessIconCache() {
  static IconCache cache;
  return cache;
}

void ReleasePictureCaches() {
  ProcessIconCache().Clear();
  ReleaseSharedMenuFont();
  ResourceSet& set = Resources();
  std::lock_guard<std::mutex> hold(set.lock);
  set.members.clear();
}

}  // namespace shellext
