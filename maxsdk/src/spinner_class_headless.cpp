// The spinner on the headless window system: a custom class whose arrows the driver can click.
#include "platform/headless/custom_controls.h"
#include "spinner_class.h"

void RegisterSpinnerClass() {
    static const bool registered = [] {
        win::headless::RegisterCustomControlClass(
            {kSpinnerWindowClass, "spinner",
             [](HWND control, int delta) { return StepSpinner(control, delta); }});
        return true;
    }();
    (void)registered;
}
