#include "scene/analysis_text.h"

#include "text/conversions.h"

std::u16string AnalysisTextFromBytes(const std::string& utf8) {
    std::u16string text = FromUtf8(utf8);
    if (!text.empty() && text.front() == u'\uFEFF') {
        text.erase(0, 1);
    }
    return text;
}
