#include "tests/win/dialog_probe.h"

#include "platform/win/window.h"
#include "tests/win/contract_dialog.h"

namespace {

// The probe records only the notifications the plug-in's dialogs handle; a real window system
// sends many more (focus changes, custom drawing, rows inserted) that no dialog here reads.
std::optional<std::string> CommandName(UINT code) {
    switch (code) {
        case EN_CHANGE:
            return "EN_CHANGE";
        case EN_UPDATE:
            return "EN_UPDATE";
        case BN_CLICKED:
            return "BN_CLICKED";
        default:
            return std::nullopt;
    }
}

std::optional<std::string> NotifyLine(const NMHDR& header) {
    std::string line = "notify " + std::to_string(header.idFrom) + " ";
    switch (header.code) {
        case NM_CLICK:
            return line + "NM_CLICK item " +
                   std::to_string(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        case NM_DBLCLK:
            return line + "NM_DBLCLK item " +
                   std::to_string(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            return line +
                   (header.code == LVN_ITEMCHANGING ? "LVN_ITEMCHANGING" : "LVN_ITEMCHANGED") +
                   " item " + std::to_string(change.iItem);
        }
        case LVN_HOTTRACK:
            return line + "LVN_HOTTRACK item " +
                   std::to_string(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
        case UDN_DELTAPOS: {
            const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
            return line + "UDN_DELTAPOS pos " + std::to_string(change.iPos) + " delta " +
                   std::to_string(change.iDelta);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

INT_PTR DialogProbe::Run(HWND owner) {
    return RunTemplate(TestDialogModule(), kContractDialog, owner);
}

INT_PTR DialogProbe::RunTemplate(HINSTANCE module, int templateId, HWND owner) {
    return win::DialogBoxParam(module, templateId, owner, Proc, reinterpret_cast<LPARAM>(this));
}

std::vector<std::string> DialogProbe::Lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

INT_PTR CALLBACK DialogProbe::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        win::SetWindowLongPtr(dialog, DWLP_USER, lParam);
    }
    auto* probe = reinterpret_cast<DialogProbe*>(win::GetWindowLongPtr(dialog, DWLP_USER));
    if (probe == nullptr) {
        return FALSE;
    }
    probe->threads.push_back(std::this_thread::get_id());
    switch (message) {
        case WM_INITDIALOG:
            probe->log.push_back("init");
            if (probe->onInit) {
                probe->onInit(dialog);
            }
            return TRUE;
        case WM_COMMAND:
            if (std::optional<std::string> name = CommandName(HIWORD(wParam))) {
                probe->log.push_back("command " + std::to_string(LOWORD(wParam)) + " " + *name);
            }
            break;
        case WM_NOTIFY:
            if (std::optional<std::string> line =
                    NotifyLine(*reinterpret_cast<const NMHDR*>(lParam))) {
                probe->log.push_back(*line);
            }
            break;
        case WM_TIMER:
            probe->log.push_back("timer " + std::to_string(wParam));
            break;
        case WM_CLOSE:
            probe->log.push_back("close");
            break;
        case WM_DESTROY:
            probe->log.push_back("destroy");
            break;
        case WM_PAINT:
            probe->log.push_back("paint");
            break;
        default:
            if (message >= WM_USER) {
                probe->log.push_back("user " + std::to_string(message - WM_USER));
            }
            break;
    }
    if (probe->onMessage) {
        if (std::optional<INT_PTR> answer = probe->onMessage(dialog, message, wParam, lParam)) {
            return *answer;
        }
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        win::EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
