#pragma once
// The Windows C runtime's path splitting and joining (_wsplitpath_s, _wmakepath_s) as plain text
// rules, so they behave the same on every platform.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace windows_paths {

// Buffer sizes of the runtime, the terminating zero included.
inline constexpr size_t kMaxDrive = 3;        // _MAX_DRIVE
inline constexpr size_t kMaxFolder = 256;     // _MAX_DIR
inline constexpr size_t kMaxName = 256;       // _MAX_FNAME
inline constexpr size_t kMaxExtension = 256;  // _MAX_EXT
inline constexpr size_t kMaxPath = 260;       // _MAX_PATH

// The runtime's ERANGE: a part does not fit its buffer.
inline constexpr int kRangeError = 34;

struct PathParts {
    std::u16string drive;      // "C:" or empty
    std::u16string folder;     // up to and including the last separator, or empty
    std::u16string name;       // the rest up to the extension
    std::u16string extension;  // from the last dot of the name on, the dot included, or empty
};

// Buffer sizes (terminator included) that the parts must fit.
struct PartSizes {
    size_t drive = kMaxDrive;
    size_t folder = kMaxFolder;
    size_t name = kMaxName;
    size_t extension = kMaxExtension;
};

// Sizes that every part fits.
inline constexpr PartSizes kUnlimited{SIZE_MAX, SIZE_MAX, SIZE_MAX, SIZE_MAX};

// _wsplitpath_s: the path (up to its first zero character) split as the runtime splits it. The
// drive is the first two characters when the second is a colon (whatever the first is); the
// folder runs to the last '/' or '\'; the extension starts at the last dot after the folder.
// Returns 0, or kRangeError when a part does not fit its size; then every part is empty.
int SplitPath(std::u16string_view path, PathParts& parts, const PartSizes& sizes = {});

// _wmakepath_s: the first character of a non-empty drive and a colon, the folder followed by
// '\' when it ends in neither '/' nor '\', the name, and the extension with a '.' put before it
// when it lacks one. Returns 0, or kRangeError when the path and its terminator do not fit
// `size` characters; then `path` is empty.
int MakePath(std::u16string& path, size_t size, std::u16string_view drive,
             std::u16string_view folder, std::u16string_view name, std::u16string_view extension);
inline int MakePath(std::u16string& path, size_t size, const PathParts& parts) {
    return MakePath(path, size, parts.drive, parts.folder, parts.name, parts.extension);
}

}  // namespace windows_paths
