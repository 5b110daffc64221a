#include "packaging/windows_paths.h"

#include <utility>

namespace windows_paths {
namespace {

std::u16string_view UpToZero(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

bool IsSeparator(char16_t c) {
    return c == u'/' || c == u'\\';
}

}  // namespace

int SplitPath(std::u16string_view path, PathParts& parts, const PartSizes& sizes) {
    path = UpToZero(path);
    parts = PathParts{};

    std::u16string_view drive;
    std::u16string_view rest = path;
    if (path.size() >= 2 && path[1] == u':') {
        drive = path.substr(0, 2);
        rest = path.substr(2);
    }
    const size_t lastSeparator = rest.find_last_of(u"/\\");
    const size_t nameStart = lastSeparator == std::u16string_view::npos ? 0 : lastSeparator + 1;
    const std::u16string_view folder = rest.substr(0, nameStart);
    std::u16string_view name = rest.substr(nameStart);
    std::u16string_view extension;
    const size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string_view::npos) {
        extension = name.substr(dot);
        name = name.substr(0, dot);
    }

    if (drive.size() >= sizes.drive || folder.size() >= sizes.folder || name.size() >= sizes.name ||
        extension.size() >= sizes.extension) {
        return kRangeError;
    }
    parts.drive = drive;
    parts.folder = folder;
    parts.name = name;
    parts.extension = extension;
    return 0;
}

int MakePath(std::u16string& path, size_t size, std::u16string_view drive,
             std::u16string_view folder, std::u16string_view name, std::u16string_view extension) {
    drive = UpToZero(drive);
    folder = UpToZero(folder);
    name = UpToZero(name);
    extension = UpToZero(extension);

    std::u16string joined;
    if (!drive.empty()) {
        joined += drive[0];
        joined += u':';
    }
    if (!folder.empty()) {
        joined += folder;
        if (!IsSeparator(folder.back())) {
            joined += u'\\';
        }
    }
    joined += name;
    if (!extension.empty() && extension[0] != u'.') {
        joined += u'.';
    }
    joined += extension;

    if (joined.size() >= size) {
        path.clear();
        return kRangeError;
    }
    path = std::move(joined);
    return 0;
}

}  // namespace windows_paths
