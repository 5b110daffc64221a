// Linux side of the dialog templates: the generated tables, handed to the headless window system.
#include "resources/dialog_templates.h"

#include <algorithm>

#include "resources/string_loader.h"

namespace resources {

const win::headless::DialogTemplate* FindDialogTemplate(StringLanguage language, int id) {
    std::span<const win::headless::DialogTemplate> table = DialogTable(language);
    auto found =
        std::find_if(table.begin(), table.end(),
                     [id](const win::headless::DialogTemplate& dialog) { return dialog.id == id; });
    return found != table.end() ? &*found : nullptr;
}

const win::headless::DialogTemplate* ModuleDialogTemplate(HINSTANCE module, int id) {
    if (module == nullptr || ResourceModule() == nullptr) {
        return nullptr;
    }
    return FindDialogTemplate(SelectedStringLanguage(), id);
}

void RegisterDialogTemplates() {
    win::headless::SetDialogTemplateProvider(&ModuleDialogTemplate);
}

}  // namespace resources
