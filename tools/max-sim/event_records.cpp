#include "tools/max-sim/event_records.h"

#include <sstream>

#include "host/simulated_host.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace maxsim {

namespace {

const char* ButtonsName(unsigned type) {
    switch (type & 0xF) {
        case win::kMbOkCancel:
            return "OKCancel";
        case win::kMbYesNoCancel:
            return "YesNoCancel";
        case win::kMbYesNo:
            return "YesNo";
        default:
            return "OK";
    }
}

const char* AnswerName(int answer) {
    switch (answer) {
        case win::kIdCancel:
            return "Cancel";
        case win::kIdYes:
            return "Yes";
        case win::kIdNo:
            return "No";
        default:
            return "OK";
    }
}

Json::Value DialogIdOrNull(int dialogId) {
    return dialogId != 0 ? Json::Value(dialogId) : Json::Value(Json::nullValue);
}

Json::Value EntriesJson(const std::vector<MenuEntry>& entries, std::ostringstream& text,
                        const std::string& indent) {
    Json::Value items(Json::arrayValue);
    for (const MenuEntry& entry : entries) {
        Json::Value item(Json::objectValue);
        switch (entry.kind) {
            case MenuEntry::Kind::Separator:
                item["separator"] = true;
                text << indent << "----\n";
                break;
            case MenuEntry::Kind::SubMenu:
                item["title"] = ToUtf8(entry.text);
                text << indent << ToUtf8(entry.text) << "\n";
                item["items"] = EntriesJson(entry.entries, text, indent + "  ");
                break;
            default:
                item["command"] = entry.command;
                item["text"] = ToUtf8(entry.text);
                text << indent << ToUtf8(entry.text) << "  (" << entry.command << ")\n";
                break;
        }
        items.append(item);
    }
    return items;
}

std::string WithoutLastLineEnd(std::string text) {
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

}  // namespace

void RecordWindowEvent(EventLog& log, const win::headless::WindowEvent& windowEvent) {
    using Type = win::headless::WindowEvent::Type;
    Json::Value event(Json::objectValue);
    std::ostringstream text;
    if (windowEvent.type == Type::MessageBox) {
        const win::RecordedMessageBox& box = windowEvent.box;
        event["event"] = "box";
        event["text"] = ToUtf8(box.text);
        event["caption"] = ToUtf8(box.caption);
        event["buttons"] = ButtonsName(box.type);
        event["language"] = box.language;
        event["answer"] = AnswerName(box.answer);
        event["owner"] = DialogIdOrNull(windowEvent.dialogId);
        text << "box \"" << ToUtf8(box.caption) << "\" " << ButtonsName(box.type) << " (language "
             << box.language << ", owner " << windowEvent.dialogId << "): " << ToUtf8(box.text)
             << " -> " << AnswerName(box.answer);
    } else if (windowEvent.type == Type::DialogOpened) {
        event["event"] = "opened";
        event["dialog"] = windowEvent.dialogId;
        text << "dialog " << windowEvent.dialogId << " opened";
    } else {
        event["event"] = "ended";
        event["dialog"] = windowEvent.dialogId;
        event["result"] = static_cast<Json::Int64>(windowEvent.result);
        text << "dialog " << windowEvent.dialogId << " ended with " << windowEvent.result;
    }
    log.Add(event, text.str());
}

void RecordMenu(EventLog& log) {
    std::ostringstream text;
    text << "main menu bar:\n";
    Json::Value bar(Json::arrayValue);
    for (const MenuEntry& entry : MainMenuBar()) {
        if (entry.kind != MenuEntry::Kind::SubMenu) {
            bar.append(EntriesJson({entry}, text, "  ")[0]);
            continue;
        }
        Json::Value menu(Json::objectValue);
        menu["title"] = ToUtf8(entry.text);
        text << "  " << ToUtf8(entry.text) << "\n";
        menu["items"] = EntriesJson(entry.entries, text, "    ");
        bar.append(menu);
    }
    Json::Value event(Json::objectValue);
    event["event"] = "menu";
    event["bar"] = bar;
    log.Add(event, WithoutLastLineEnd(text.str()));
}

void RecordDialog(EventLog& log, const win::headless::DialogState& state) {
    Json::Value event = win::headless::DialogStateJson(state);
    event["event"] = "dialog";
    log.Add(event, WithoutLastLineEnd(win::headless::DialogStateText(state)));
}

void RecordListener(EventLog& log, const std::string& line) {
    Json::Value event(Json::objectValue);
    event["event"] = "listener";
    event["text"] = line;
    log.Add(event, "listener: " + line);
}

void RecordHostCall(EventLog& log, const HostCall& call) {
    Json::Value event(Json::objectValue);
    event["event"] = "host";
    event["call"] = call.name;
    event["uiThread"] = call.uiThread;
    // Readable output names only the calls that broke the host's rule.
    if (log.PrintsJson() || !call.uiThread) {
        log.Add(event, "host: " + call.name + " called from a thread other than the host's");
    }
}

void RecordSubmission(EventLog& log, const char* json) {
    Json::Value report;
    if (json == nullptr || !ParseJsonText(json, report) || !report.isObject()) {
        report = Json::Value(Json::objectValue);
    }
    Json::Value event(Json::objectValue);
    event["event"] = "submission";
    for (const char* key :
         {"result", "stoppedAt", "requestId", "jobFile", "archive", "outputFolder"}) {
        const Json::Value* member = FindMember(report, key);
        event[key] = member != nullptr ? *member : Json::Value(Json::nullValue);
    }
    std::ostringstream text;
    text << "submission finished: result "
         << (event["result"].isInt() ? event["result"].asInt() : 0);
    if (event["stoppedAt"].isString() && !event["stoppedAt"].asString().empty()) {
        text << ", stopped at " << event["stoppedAt"].asString();
    }
    if (event["jobFile"].isString() && !event["jobFile"].asString().empty()) {
        text << ", job " << event["jobFile"].asString();
    }
    log.Add(event, text.str());
}

void RecordSubmissionStep(EventLog& log, const char* step) {
    Json::Value event(Json::objectValue);
    event["event"] = "step";
    event["step"] = step != nullptr ? step : "";
    log.Add(event, std::string("- ") + event["step"].asString());
}

void RecordClosing(EventLog& log, int dialogId) {
    Json::Value event(Json::objectValue);
    event["event"] = "close";
    event["dialog"] = dialogId;
    event["reason"] = "steps ran out";
    log.Add(event, "steps ran out: closing dialog " + std::to_string(dialogId));
}

}  // namespace maxsim
