#include "host_parts.h"
#include "sdk_text.h"
#include "tool_tip_display.h"
#include "winutil.h"

ToolTipExtender::ToolTipExtender() {
    RecordHostCall("ToolTipExtender::ToolTipExtender");
}

// Recording and taking the tips down allocate; a destructor must not throw.
ToolTipExtender::~ToolTipExtender() {
    try {
        RecordHostCall("ToolTipExtender::~ToolTipExtender");
        HostInternalScope internal;
        RemoveToolTips();
    } catch (...) {
    }
}

void ToolTipExtender::SetToolTip(HWND window, const MSTR& toolTip) {
    RecordHostCall("ToolTipExtender::SetToolTip");
    tips_[window] = toolTip;
    ShowToolTipText(window, FromSdkText(toolTip.data()));
}

void ToolTipExtender::GetToolTip(HWND window, MSTR& toolTip) {
    RecordHostCall("ToolTipExtender::GetToolTip");
    auto found = tips_.find(window);
    toolTip = found != tips_.end() ? found->second : MSTR();
}

void ToolTipExtender::RemoveToolTip(HWND window) {
    RecordHostCall("ToolTipExtender::RemoveToolTip");
    if (tips_.erase(window) > 0) {
        ShowToolTipText(window, std::u16string());
    }
}

void ToolTipExtender::RemoveToolTips() {
    RecordHostCall("ToolTipExtender::RemoveToolTips");
    for (const auto& entry : tips_) {
        ShowToolTipText(entry.first, std::u16string());
    }
    tips_.clear();
}
