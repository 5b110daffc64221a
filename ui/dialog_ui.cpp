#include "ui/dialog_ui.h"

DialogUi::DialogUi() {
    logger.SetModule("pmx_ui");
    logger.SetMaxSizeMB(5);
    logger.SetFileCount(2);
}

DialogUi& GetDialogUi() {
    static DialogUi ui;
    return ui;
}
