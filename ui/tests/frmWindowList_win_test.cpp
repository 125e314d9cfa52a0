// The window picker on screen (under Xvfb): a window of the test's own in
// the tree, picked and returned.
#include "ui/frmWindowList.h"

#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"
#include "base/tests/screenshot.h"
#include "ui/clsApplication.h"
#include "widgets/form_controls.h"
#include "widgets/tests/formwatch.h"
#include "widgets/tests/input.h"

using ui::frmWindowList;

namespace {

widgets::TreeNode* NodeOf(widgets::TreeView& tree, HWND hwnd) {
  for (std::int32_t i = 1; i <= tree.Count(); ++i)
    if (frmWindowList::WindowOf(tree.Item(i)) == hwnd) return &tree.Item(i);
  return nullptr;
}

}  // namespace

TEST(frmWindowList, NodeTextsQuoteClassAndCaptionAndEndWithTheHandle) {
  EXPECT_EQ(ui::WindowNodeText("Edit", "", 0x1a2b), "\"Edit\" - 0x00001A2B");
  EXPECT_EQ(ui::WindowNodeText("Notepad", "a.txt", 0x10), "\"Notepad\" - \"a.txt\" - 0x00000010");
}

TEST(frmWindowList, ListsTheTestsWindowWithItsChildrenAndReturnsClassAndCaption) {
  testing_support::DesktopLock desktop;
  EXPECT_TRUE(ui::g_oApplication().ImageList_LoadIcons());
  HWND top = CreateWindowExA(0, "STATIC", "Picker Target", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
  HWND child = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 50, 20, top, nullptr, nullptr, nullptr);
  ASSERT_TRUE(top && child);

  frmWindowList picker;
  picker.LoadDialog(nullptr);
  picker.Action_Refresh();
  EXPECT_EQ(picker.Tree().Item(1).Key(), "root");
  widgets::TreeNode* node = NodeOf(picker.Tree(), top);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->Parent(), &picker.Tree().Item(1));
  EXPECT_EQ(node->Image(), "folder_closed");
  widgets::TreeNode* childNode = NodeOf(picker.Tree(), child);
  ASSERT_NE(childNode, nullptr);
  EXPECT_EQ(childNode->Parent(), node);
  EXPECT_EQ(childNode->Image(), "file");
  EXPECT_EQ(childNode->Text().rfind("\"Button\" - 0x", 0), 0u);

  // Another window activated and back keeps the user's choice.
  picker.Show();
  picker.Tree().SetSelectedItem(node);
  testing_support::Pump();
  testing_support::SaveWindowPng(picker.Hwnd(), "frmWindowList.png");
  SetForegroundWindow(top);
  testing_support::Pump();
  SetForegroundWindow(picker.Hwnd());
  testing_support::Pump();
  EXPECT_EQ(picker.Tree().SelectedItem(), node);

  static_cast<widgets::Button*>(picker.Find("btnOk"))->Press();
  EXPECT_TRUE(picker.m_bOk);
  EXPECT_EQ(picker.m_szClass, "Static");
  EXPECT_EQ(picker.m_szWindowName, "Picker Target");
  EXPECT_TRUE(picker.ReturnClass());
  EXPECT_TRUE(picker.ReturnCaption());

  // Shown modally it refills the tree: Enter at once takes the desktop.
  PostMessageA(picker.Hwnd(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(picker.Hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
  testing_support::ModalWatch watch(picker.Hwnd());
  EXPECT_TRUE(picker.ShowModal(nullptr));
  EXPECT_FALSE(watch.Fired());
  EXPECT_EQ(picker.m_szClass, "#32769");
  DestroyWindow(top);
}
