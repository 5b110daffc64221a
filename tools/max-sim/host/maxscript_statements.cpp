#include "tools/max-sim/host/maxscript_statements.h"

#include <algorithm>

#include "text/conversions.h"

namespace maxsim {

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

void SkipBlanks(const std::u16string& line, size_t& at) {
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
}

// The name at `at`, compared without case; `at` moves past it.
bool TakeName(const std::u16string& line, size_t& at, std::u16string_view name) {
    if (line.size() - at < name.size() ||
        !std::equal(name.begin(), name.end(), line.begin() + static_cast<long>(at),
                    [](char16_t a, char16_t b) { return Lower(a) == Lower(b); })) {
        return false;
    }
    at += name.size();
    return at == line.size() || IsBlank(line[at]) || line[at] == u'"';
}

// A string literal at `at` (after blanks); `at` moves past its closing quote.
bool TakeString(const std::u16string& line, size_t& at, std::u16string& text) {
    SkipBlanks(line, at);
    if (at >= line.size() || line[at] != u'"') {
        return false;
    }
    size_t close = line.find(u'"', at + 1);
    if (close == std::u16string::npos) {
        return false;
    }
    text = line.substr(at + 1, close - at - 1);
    at = close + 1;
    return true;
}

bool AtEnd(const std::u16string& line, size_t at) {
    SkipBlanks(line, at);
    return at == line.size();
}

bool ParseLine(const std::u16string& line, Statement& statement) {
    size_t at = 0;
    SkipBlanks(line, at);
    if (TakeName(line, at, u"fileIn")) {
        statement.kind = Statement::Kind::FileIn;
        return TakeString(line, at, statement.path) && AtEnd(line, at);
    }
    if (TakeName(line, at, u"gMax.analysis")) {
        statement.kind = Statement::Kind::Analysis;
        return TakeString(line, at, statement.path) && TakeString(line, at, statement.options) &&
               AtEnd(line, at);
    }
    return false;
}

}  // namespace

bool ParseStatements(const std::u16string& script, std::vector<Statement>& statements,
                     std::string& error) {
    size_t start = 0;
    while (start <= script.size()) {
        size_t end = script.find(u'\n', start);
        std::u16string line =
            script.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
        size_t first = 0;
        SkipBlanks(line, first);
        if (first < line.size()) {
            Statement statement;
            if (!ParseLine(line, statement)) {
                error = "cannot run \"" + ToUtf8(line) + "\"";
                return false;
            }
            statements.push_back(statement);
        }
        if (end == std::u16string::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace maxsim
