#pragma once
// Stand-in for the host SDK's wide string class.

#include <string>

#include "maxheap.h"
#include "strbasic.h"

class WStr : public MaxHeapOperators {
public:
    WStr() = default;
    WStr(const MCHAR* text) : text_(text != nullptr ? text : _M("")) {}  // NOLINT: as the SDK's
    WStr(const WStr&) = default;
    WStr& operator=(const WStr&) = default;
    WStr& operator=(const MCHAR* text) {
        text_ = text != nullptr ? text : _M("");
        return *this;
    }

    const MCHAR* data() const { return text_.c_str(); }
    operator const MCHAR*() const { return text_.c_str(); }  // NOLINT: as the SDK's
    int Length() const { return static_cast<int>(text_.size()); }
    int length() const { return Length(); }
    bool isNull() const { return text_.empty(); }

    bool operator==(const WStr& other) const { return text_ == other.text_; }
    bool operator==(const MCHAR* other) const {
        return text_ == (other != nullptr ? other : _M(""));
    }

private:
    std::basic_string<MCHAR> text_;
};

using MSTR = WStr;
