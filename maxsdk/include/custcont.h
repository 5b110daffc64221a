#pragma once
// Stand-in for the host's custom controls that the plug-in's dialogs use: the spinner linked to
// an edit field. The names and signatures are the host SDK's.

#include "maxheap.h"
#include "platform/win/window_types.h"

// Sent to the spinner's parent when its value changes with notification.
inline constexpr UINT CC_SPINNER_CHANGE = WM_USER + 600;

enum EditSpinnerType {
    EDITTYPE_INT = 1,
    EDITTYPE_FLOAT,
    EDITTYPE_UNIVERSE,
    EDITTYPE_POS_INT,
    EDITTYPE_POS_FLOAT,
    EDITTYPE_POS_UNIVERSE,
    EDITTYPE_TIME,
};

class ICustomControl : public MaxHeapOperators {
public:
    virtual ~ICustomControl() = default;
    virtual HWND GetHwnd() = 0;
    virtual void Enable(BOOL onOff = TRUE) = 0;
    virtual void Disable() = 0;
    virtual BOOL IsEnabled() = 0;
};

class ISpinnerControl : public ICustomControl {
public:
    virtual float GetFVal() = 0;
    virtual int GetIVal() = 0;
    virtual void SetScale(float scale) = 0;
    virtual void SetValue(float value, int notify) = 0;
    virtual void SetValue(int value, int notify) = 0;
    virtual void SetLimits(float minimum, float maximum, int limitCurValue = TRUE) = 0;
    virtual void SetLimits(int minimum, int maximum, int limitCurValue = TRUE) = 0;
    virtual void LinkToEdit(HWND edit, EditSpinnerType type) = 0;
};

ISpinnerControl* GetISpinner(HWND control);
void ReleaseISpinner(ISpinnerControl* spinner);
// The reference does not show SetupFloatSpinner's declaration; it is as the plug-in calls it.
ISpinnerControl* SetupFloatSpinner(HWND dialog, int spinnerId, int editId, float minimum,
                                   float maximum, float value, float scale = 0.1f);
