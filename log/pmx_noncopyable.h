#pragma once

// Base of the plug-in's objects that own something and must not be copied.
class pmx_Noncopyable {
protected:
    pmx_Noncopyable() = default;
    ~pmx_Noncopyable() = default;

public:
    pmx_Noncopyable(const pmx_Noncopyable&) = delete;
    pmx_Noncopyable& operator=(const pmx_Noncopyable&) = delete;
};
