#pragma once
// Stand-in for the host SDK's base of classes that are neither copied nor assigned.

namespace MaxSDK::Util {

class Noncopyable {
protected:
    Noncopyable() = default;
    ~Noncopyable() = default;

public:
    Noncopyable(const Noncopyable&) = delete;
    Noncopyable& operator=(const Noncopyable&) = delete;
};

}  // namespace MaxSDK::Util
