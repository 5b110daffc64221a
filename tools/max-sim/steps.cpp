#include "tools/max-sim/steps.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace maxsim {

namespace {

enum class Argument { Number, Word, Rest };

struct StepForm {
    std::string_view name;
    StepKind kind;
    std::vector<Argument> arguments;
};

const std::vector<StepForm>& Forms() {
    using A = Argument;
    static const std::vector<StepForm> forms{
        {"open", StepKind::Open, {A::Rest}},
        {"new", StepKind::New, {}},
        {"menu", StepKind::Menu, {}},
        {"notify-startup", StepKind::NotifyStartup, {}},
        {"stop", StepKind::Stop, {}},
        {"start", StepKind::Start, {}},
        {"action", StepKind::Action, {A::Number}},
        {"click", StepKind::Click, {A::Number}},
        {"text", StepKind::Text, {A::Number, A::Rest}},
        {"combo", StepKind::Combo, {A::Number, A::Number}},
        {"spin", StepKind::Spin, {A::Number, A::Number}},
        {"tick", StepKind::Tick, {A::Rest}},
        {"untick", StepKind::Untick, {A::Rest}},
        {"select", StepKind::Select, {A::Rest}},
        {"dblclick", StepKind::DoubleClick, {A::Rest}},
        {"dblclick-empty", StepKind::DoubleClickEmpty, {}},
        {"command", StepKind::Command, {A::Number}},
        {"answer", StepKind::Answer, {A::Word}},
        {"wait", StepKind::Wait, {}},
        {"show", StepKind::Show, {}},
        {"picture", StepKind::Picture, {A::Rest}},
        {"close", StepKind::Close, {}},
    };
    return forms;
}

const StepForm* FindForm(std::string_view name) {
    for (const StepForm& form : Forms()) {
        if (form.name == name) {
            return &form;
        }
    }
    return nullptr;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool ParseNumber(std::string_view word, int& number) {
    if (word.size() > 1 && word.front() == '+') {
        word.remove_prefix(1);
    }
    const char* end = word.data() + word.size();
    auto [stop, error] = std::from_chars(word.data(), end, number);
    return !word.empty() && error == std::errc() && stop == end;
}

int AnswerId(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (word == "ok") {
        return 1;
    }
    if (word == "cancel") {
        return 2;
    }
    if (word == "yes") {
        return 6;
    }
    return word == "no" ? 7 : 0;
}

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        names.emplace_back(Trim(std::string_view(text).substr(
            start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) {
            return names;
        }
        start = comma + 1;
    }
}

// Fills the step's fields from its arguments, already split.
bool Complete(const StepForm& form, const std::vector<std::string>& arguments, Step& step,
              std::string& error) {
    step.kind = form.kind;
    std::vector<int> numbers;
    for (size_t index = 0; index < form.arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (form.arguments[index] == Argument::Number) {
            int number = 0;
            if (!ParseNumber(argument, number)) {
                error = "\"" + argument + "\" is not a number";
                return false;
            }
            numbers.push_back(number);
        } else {
            step.text = argument;
        }
    }
    step.number = numbers.empty() ? 0 : numbers.front();
    step.value = numbers.size() > 1 ? numbers[1] : 0;
    if (form.kind == StepKind::Answer && (step.value = AnswerId(step.text)) == 0) {
        error = "the answer is ok, cancel, yes or no, not \"" + step.text + "\"";
        return false;
    }
    if (form.kind == StepKind::Combo && step.value < 0) {
        error = "a list entry is numbered from 0";
        return false;
    }
    if (form.kind == StepKind::Select) {
        step.names = SplitNames(step.text);
    }
    bool needsText = form.kind == StepKind::Open || form.kind == StepKind::Tick ||
                     form.kind == StepKind::Untick || form.kind == StepKind::Select ||
                     form.kind == StepKind::DoubleClick;
    if (needsText && step.text.empty()) {
        error = "step " + std::string(form.name) + " needs a " +
                (form.kind == StepKind::Open ? "path" : "camera name");
        return false;
    }
    return true;
}

std::string ArgumentNames(const StepForm& form) {
    std::string names;
    for (Argument argument : form.arguments) {
        names += argument == Argument::Number ? " NUMBER" : " TEXT";
    }
    return names;
}

}  // namespace

bool ParseStepLine(std::string_view line, Step& step, std::string& error) {
    std::string_view rest = Trim(line);
    step.source = std::string(rest);
    size_t blank = std::min(rest.find_first_of(" \t"), rest.size());
    const StepForm* form = FindForm(rest.substr(0, blank));
    if (form == nullptr) {
        error = "unknown step \"" + std::string(rest.substr(0, blank)) + "\"";
        return false;
    }
    rest = Trim(rest.substr(blank));
    std::vector<std::string> arguments;
    for (Argument argument : form->arguments) {
        if (argument == Argument::Rest) {
            arguments.emplace_back(rest);
            rest = {};
            continue;
        }
        size_t end = std::min(rest.find_first_of(" \t"), rest.size());
        if (end == 0) {
            error = "step " + std::string(form->name) + " takes" + ArgumentNames(*form);
            return false;
        }
        arguments.emplace_back(rest.substr(0, end));
        rest = Trim(rest.substr(end));
    }
    if (!rest.empty()) {
        error = "step " + std::string(form->name) + " takes" +
                (form->arguments.empty() ? " nothing" : ArgumentNames(*form));
        return false;
    }
    return Complete(*form, arguments, step, error);
}

bool ParseStepWords(const std::vector<std::string>& words, std::vector<Step>& steps,
                    std::string& failed, std::string& error) {
    for (size_t index = 0; index < words.size(); ++index) {
        Step step;
        const std::string& word = words[index];
        if (word.find_first_of(" \t") != std::string::npos) {
            if (!ParseStepLine(word, step, error)) {
                failed = word;
                return false;
            }
            steps.push_back(step);
            continue;
        }
        const StepForm* form = FindForm(word);
        if (form == nullptr) {
            failed = word;
            error = "unknown step \"" + word + "\"";
            return false;
        }
        std::vector<std::string> arguments;
        step.source = word;
        for (size_t taken = 0; taken < form->arguments.size(); ++taken) {
            if (++index >= words.size()) {
                failed = step.source;
                error = "step " + word + " takes" + ArgumentNames(*form);
                return false;
            }
            arguments.push_back(words[index]);
            step.source += " " + words[index];
        }
        if (!Complete(*form, arguments, step, error)) {
            failed = step.source;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

bool ParseStepText(std::string_view text, std::vector<Step>& steps, std::string& failed,
                   std::string& error) {
    while (!text.empty()) {
        size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#') {
            continue;
        }
        Step step;
        if (!ParseStepLine(line, step, error)) {
            failed = std::string(line);
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

}  // namespace maxsim
