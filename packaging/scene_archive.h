#pragma once
// Packing the saved scene file into a 7z archive with the 7-Zip program that the farm's client
// installs: where the archive goes, what it is called, the archiver's argument text and the run.

#include <string>
#include <string_view>

#include "config/client_login.h"
#include "config/plugin_settings.h"

// The scene's base name on its UTF-8 path: the part after the last back-slash (after the last
// slash when there is no back-slash; the whole path when there is neither), cut at its last dot
// when it has one. "C:\work\a.b.max" gives "a.b", "C:/work/house" gives "house", ".max" gives
// an empty name.
std::string_view SceneBaseName(std::string_view scenePathUtf8);

// The base name as the archive is named with: through the ANSI code page (a character it lacks
// becomes "?") and back from the "chs" code page to UTF-16.
std::u16string ArchiveBaseName(std::string_view scenePathUtf8);

// Six characters of "a".."z", "A".."Z", "0".."9", drawn from the C runtime generator after
// seeding it with the current time in seconds: calls within one second give the same token.
std::string RandomToken();

// Decides the archive's path and builds the archiver's argument text by appending to
// `arguments`:
//   " a -mx=3 -mmt=2 -t7z", " -p<password>" for the accounts of archive_accounts.h,
//   " \"<archive path>\"", " \"<scene path>\"" (both in the ANSI code page).
// The archive is "<archiveFolder>/<base>_<token>.7z", created folder included; for a listed
// account of a complete login with an existing save folder S it is "S/<base>/<base>_<token>.7z".
// Stores settings.archivePath (UTF-8) and settings.archiverArguments, then returns false when
// the base name is empty or ends with a blank or a dot (the scene name cannot be used), true
// otherwise. False too, before anything is stored, when an account's password cannot be made.
bool BuildArchiveCommand(std::string arguments, PluginSettings& settings, const ClientLogin& login);

// Runs settings.archiverPath (unquoted; the blank in "ZEP Rendering" is resolved as Windows
// resolves it) with settings.archiverArguments and waits for it to end. Its exit code, or a
// failure to start it, is not reported.
void RunArchiver(const PluginSettings& settings);
