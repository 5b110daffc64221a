#pragma once
// Stand-in for the host's window helpers: tool tips for arbitrary controls of a dialog, numbers
// written into fields and check boxes ticked by identifier.

#include <map>

#include "maxheap.h"
#include "platform/win/window_types.h"
#include "strclass.h"

// The reference lists no members of ToolTipExtender; these are the ones the plug-in uses.
class ToolTipExtender : public MaxHeapOperators {
public:
    ToolTipExtender();
    virtual ~ToolTipExtender();
    ToolTipExtender(const ToolTipExtender&) = delete;
    ToolTipExtender& operator=(const ToolTipExtender&) = delete;

    virtual void SetToolTip(HWND window, const MSTR& toolTip);
    virtual void GetToolTip(HWND window, MSTR& toolTip);
    virtual void RemoveToolTip(HWND window);
    virtual void RemoveToolTips();

private:
    std::map<HWND, MSTR> tips_;
};

void SetCheckBox(HWND dialog, int id, BOOL checked);
BOOL SetWindowTextFloat(HWND window, float value, int precision = 3);
BOOL SetWindowTextInt(HWND window, int value);
