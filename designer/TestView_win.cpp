#include "designer/TestView.h"

#include <commctrl.h>

namespace designer {

TestView::TestView(widgets::Form& form, std::string name, long left, long top, long width, long height)
    : widgets::CommonControl(form, std::move(name), WC_LISTVIEWA,
                             WS_TABSTOP | LVS_LIST | LVS_SHOWSELALWAYS | LVS_SORTASCENDING, WS_EX_CLIENTEDGE, left,
                             top, width, height) {}

TestView::~TestView() = default;

void TestView::Navigate(const std::string& folder) { m_folder = folder; }

std::vector<std::string> TestView::Entries() const { return {}; }

}  // namespace designer
