#pragma once
// Stand-in for the host SDK's wide string class. Its characters are UTF-16 units, as the host's
// are on Windows.

#include <string>

#include "maxheap.h"

using MCHAR = char16_t;

class WStr : public MaxHeapOperators {
public:
    WStr() = default;
    WStr(const MCHAR* text) : text_(text != nullptr ? text : u"") {}  // NOLINT: as the SDK's
    WStr(const WStr&) = default;
    WStr& operator=(const WStr&) = default;
    WStr& operator=(const MCHAR* text) {
        text_ = text != nullptr ? text : u"";
        return *this;
    }

    const MCHAR* data() const { return text_.c_str(); }
    operator const MCHAR*() const { return text_.c_str(); }  // NOLINT: as the SDK's
    int Length() const { return static_cast<int>(text_.size()); }
    int length() const { return Length(); }
    bool isNull() const { return text_.empty(); }

    bool operator==(const WStr& other) const { return text_ == other.text_; }
    bool operator==(const MCHAR* other) const { return text_ == (other != nullptr ? other : u""); }

private:
    std::u16string text_;
};

using MSTR = WStr;
