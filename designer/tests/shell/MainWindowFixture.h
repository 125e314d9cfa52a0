// Windows test helper: Designer's main window on screen (under Xvfb), with
// prompts recorded and a temporary folder, for the tests that drive it.
#pragma once
#include "designer/frmMain.h"  // first: it orders the Windows headers

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "base/tests/desktoplock.h"
#include "base/tests/testing.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneData.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

namespace designer_test {

inline std::string Title(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A folder, file or other item added as the root's last child.
inline void AddItem(designer::frmMain& main, std::int32_t type, const std::string& caption,
                    const std::string& location) {
  auto item = std::make_shared<config::clsCorvaneData>();
  item->m_lType = type;
  item->SetCaption(caption);
  if (type == config::clsCorvaneData::TypeFolder) item->m_szFolder_Location = location;
  if (type == config::clsCorvaneData::TypeFile) item->m_szFile_Location = location;
  config::g_oDataTools().TVW_Add(main.Tree(), item, main.Tree().Find("root"), 4, nullptr);
}

// The bytes the project's writer makes of the window's configuration.
inline std::string WriterBytes(designer::frmMain& main) {
  config::MemoryFile file;
  widgets::TreeView temp;
  config::g_oDataTools().File_WriteConfig(file, main.Tree(), temp);
  return file.Bytes();
}

// The configuration tree as text: one line per node in tree order, indented by depth.
inline std::string Outline(const widgets::TreeView& tree) {
  std::string out;
  widgets::VisitPreOrder(&tree.Item(1), [&](const widgets::TreeNode& n, std::int32_t depth) {
    out += std::string(static_cast<size_t>(depth), ' ') + n.Text() + "\n";
  });
  return out;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    main = std::make_unique<designer::frmMain>();
    ASSERT_TRUE(main->Start());
    main->ShowMain();
    Pump();
    // The first activation opens the configuration the shared settings name:
    // each test starts from an empty one.
    main->InitializeTree();
    prompts.Clear();
  }
  void TearDown() override {
    main.reset();
    Pump();
  }
  testing_support::DesktopLock desktop;
  testing_support::PromptRecorder prompts;
  testing_support::TempDir dir;
  std::unique_ptr<designer::frmMain> main;
};

}  // namespace designer_test
