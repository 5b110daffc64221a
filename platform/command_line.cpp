#include "platform/command_line.h"

#include <cstddef>

namespace os {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

size_t SkipBlanks(const std::u16string& text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

// Splits text[at...] by the rules of the second and later arguments: blanks separate arguments
// outside quotes; 2n back-slashes and a quote give n back-slashes and toggle quoting; 2n+1 give n
// back-slashes and a literal quote; other back-slashes are literal. After a quote, each run of
// further quotes is counted: every third quote (counting the opening one) is a literal quote.
void SplitFrom(const std::u16string& text, size_t at, std::vector<std::u16string>& out) {
    at = SkipBlanks(text, at);
    if (at >= text.size()) {
        return;
    }
    std::u16string current;
    int quotes = 0;  // 0 outside quotes; 1 inside; 2 just after a closing quote
    size_t backslashes = 0;
    while (at < text.size()) {
        const char16_t c = text[at];
        if (IsBlank(c) && quotes == 0) {
            out.push_back(current);
            current.clear();
            backslashes = 0;
            at = SkipBlanks(text, at);
            if (at >= text.size()) {
                return;
            }
            continue;
        }
        if (c == u'\\') {
            current.push_back(c);
            ++backslashes;
            ++at;
            continue;
        }
        if (c != u'"') {
            current.push_back(c);
            backslashes = 0;
            ++at;
            continue;
        }
        // A quote: half of the back-slashes before it stay.
        current.resize(current.size() - (backslashes + 1) / 2);
        if (backslashes % 2 == 1) {
            current.push_back(u'"');
        } else {
            ++quotes;
        }
        backslashes = 0;
        ++at;
        while (at < text.size() && text[at] == u'"') {
            if (++quotes == 3) {
                current.push_back(u'"');
                quotes = 0;
            }
            ++at;
        }
        if (quotes == 2) {
            quotes = 0;
        }
    }
    out.push_back(current);
}

bool HasExtension(const std::u16string& path) {
    const size_t slash = path.find_last_of(u"/\\");
    const size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    return path.find(u'.', nameStart) != std::u16string::npos;
}

bool TryProgram(const std::u16string& candidate,
                const std::function<bool(const std::u16string&)>& isProgram,
                std::u16string& program) {
    if (candidate.empty()) {
        return false;
    }
    if (isProgram(candidate)) {
        program = candidate;
        return true;
    }
    if (!HasExtension(candidate) && isProgram(candidate + u".exe")) {
        program = candidate + u".exe";
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine) {
    std::vector<std::u16string> args;
    if (commandLine.empty()) {
        return args;
    }
    // The program: between quotes with no escapes, or up to the first blank.
    size_t at = 0;
    std::u16string program;
    if (commandLine[0] == u'"') {
        at = 1;
        while (at < commandLine.size() && commandLine[at] != u'"') {
            program.push_back(commandLine[at++]);
        }
        if (at < commandLine.size()) {
            ++at;  // the closing quote; what follows it starts the next argument
        }
    } else {
        while (at < commandLine.size() && !IsBlank(commandLine[at])) {
            program.push_back(commandLine[at++]);
        }
    }
    args.push_back(program);
    SplitFrom(commandLine, at, args);
    return args;
}

std::vector<std::u16string> SplitArguments(const std::u16string& arguments) {
    std::vector<std::u16string> args;
    SplitFrom(arguments, 0, args);
    return args;
}

bool FindProgram(const std::u16string& commandLine,
                 const std::function<bool(const std::u16string&)>& isProgram,
                 ProgramAndArguments& found) {
    const size_t start = SkipBlanks(commandLine, 0);
    if (start < commandLine.size() && commandLine[start] == u'"') {
        const size_t close = commandLine.find(u'"', start + 1);
        const size_t end = close == std::u16string::npos ? commandLine.size() : close;
        if (!TryProgram(commandLine.substr(start + 1, end - start - 1), isProgram, found.program)) {
            return false;
        }
        found.arguments = close == std::u16string::npos ? u"" : commandLine.substr(close + 1);
        return true;
    }
    // Unquoted: every prefix that ends before a blank, shortest first, then the whole line. A
    // prefix that already ends with a blank adds nothing to the shorter one before it.
    for (size_t end = start; end <= commandLine.size(); ++end) {
        const bool last = end == commandLine.size();
        if (!last && commandLine[end] != u' ') {
            continue;
        }
        if (end == start || commandLine[end - 1] == u' ') {
            continue;
        }
        if (TryProgram(commandLine.substr(start, end - start), isProgram, found.program)) {
            found.arguments = commandLine.substr(end);
            return true;
        }
    }
    return false;
}

}  // namespace os
