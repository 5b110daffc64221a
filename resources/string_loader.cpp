#include "resources/string_loader.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <string_view>

#include "resources/string_source.h"

namespace {

constexpr std::size_t kBufferUnits = 256;

std::atomic<void*> g_module{nullptr};

// Each loader has its own buffer. The buffers are per thread: the dialog's thread loads its
// captions on every message while the submission worker loads its own texts, and one shared
// buffer would let the two overwrite each other mid-copy. Within a thread a second call
// through the same loader still overwrites the text the first call returned.
thread_local char16_t g_buffer1[kBufferUnits];
thread_local char16_t g_buffer2[kBufferUnits];

const char16_t* LoadInto(char16_t (&buffer)[kBufferUnits], int id) {
    void* module = g_module.load();
    if (module == nullptr) {
        return nullptr;
    }
    std::u16string_view text;
    if (!resources::FindModuleString(module, id, text)) {
        return nullptr;
    }
    std::size_t length = std::min(text.size(), kBufferUnits - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = u'\0';
    return buffer;
}

}  // namespace

void SetResourceModule(void* module) {
    resources::SelectResourceLanguage();
    g_module.store(module);
}

void* ResourceModule() {
    return g_module.load();
}

const char16_t* LoadResourceString(int id) {
    return LoadInto(g_buffer1, id);
}

const char16_t* LoadResourceString2(int id) {
    return LoadInto(g_buffer2, id);
}

std::u16string ResourceText(int id) {
    const char16_t* text = LoadResourceString(id);
    return text != nullptr ? std::u16string(text) : std::u16string();
}
