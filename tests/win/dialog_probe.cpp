#include "tests/win/dialog_probe.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/win/window.h"
#include "tests/win/contract_dialog.h"

namespace {

#define NAMED(code) \
    { code, #code }

// The probe records only the notifications the plug-in's dialogs handle; a real window system
// sends many more (focus changes, custom drawing, rows inserted) that no dialog here reads.
const std::map<UINT, std::string> kCommands = {NAMED(EN_CHANGE), NAMED(EN_UPDATE),
                                               NAMED(BN_CLICKED)};
const std::map<UINT, std::string> kNotifications = {NAMED(NM_CLICK),         NAMED(NM_DBLCLK),
                                                    NAMED(LVN_ITEMCHANGING), NAMED(LVN_ITEMCHANGED),
                                                    NAMED(LVN_HOTTRACK),     NAMED(UDN_DELTAPOS)};

const std::map<UINT, std::string> kMessages = {
    {WM_INITDIALOG, "init"}, {WM_CLOSE, "close"}, {WM_DESTROY, "destroy"}, {WM_PAINT, "paint"}};

std::string NotifyLine(const NMHDR& header, const std::string& name) {
    const std::string line = "notify " + std::to_string(header.idFrom) + " " + name;
    if (header.code == UDN_DELTAPOS) {
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        return line + " pos " + std::to_string(change.iPos) + " delta " +
               std::to_string(change.iDelta);
    }
    // The list view's, with their row: an NMITEMACTIVATE begins as an NMLISTVIEW does.
    return line + " item " + std::to_string(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
}

// The log line of a message, or "" for one the probe does not record.
std::string LogLine(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            auto name = kCommands.find(HIWORD(wParam));
            return name == kCommands.end()
                       ? ""
                       : "command " + std::to_string(LOWORD(wParam)) + " " + name->second;
        }
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            auto name = kNotifications.find(header.code);
            return name == kNotifications.end() ? "" : NotifyLine(header, name->second);
        }
        case WM_TIMER:
            return "timer " + std::to_string(wParam);
        default:
            if (auto name = kMessages.find(message); name != kMessages.end()) {
                return name->second;
            }
            return message >= WM_USER ? "user " + std::to_string(message - WM_USER) : "";
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
    std::copy_if(log.begin(), log.end(), std::back_inserter(lines),
                 [&prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
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
    if (std::string line = LogLine(message, wParam, lParam); !line.empty()) {
        probe->log.push_back(line);
    }
    if (message == WM_INITDIALOG) {
        if (probe->onInit) {
            probe->onInit(dialog);
        }
        return TRUE;
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
