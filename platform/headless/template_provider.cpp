// Where the headless window system finds the dialog templates it creates dialogs from. The
// window system's own library will hold this once it has one; until then the resources library
// carries it.
#include <atomic>

#include "platform/headless/dialog_template.h"

namespace win::headless {

namespace {

std::atomic<DialogTemplateProvider> g_provider{nullptr};

}  // namespace

void SetDialogTemplateProvider(DialogTemplateProvider provider) {
    g_provider.store(provider);
}

}  // namespace win::headless
