#include "tool_tip_display.h"
#include "winutil.h"

ToolTipExtender::ToolTipExtender() = default;

ToolTipExtender::~ToolTipExtender() {
    RemoveToolTips();
}

void ToolTipExtender::SetToolTip(HWND window, const MSTR& toolTip) {
    tips_[window] = toolTip;
    ShowToolTipText(window, toolTip.data());
}

void ToolTipExtender::GetToolTip(HWND window, MSTR& toolTip) {
    auto found = tips_.find(window);
    toolTip = found != tips_.end() ? found->second : MSTR();
}

void ToolTipExtender::RemoveToolTip(HWND window) {
    if (tips_.erase(window) > 0) {
        ShowToolTipText(window, u"");
    }
}

void ToolTipExtender::RemoveToolTips() {
    for (const auto& entry : tips_) {
        ShowToolTipText(entry.first, u"");
    }
    tips_.clear();
}
