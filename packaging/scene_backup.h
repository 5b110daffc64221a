#pragma once
// The backup copy of the scene file that the submission makes before the cleaning scripts run.

#include <string>
#include <string_view>

class PluginState;

// "<name>_<number>" with the number in decimal, zero-padded to six digits ("%s_%06d").
std::u16string BackupName(std::u16string_view name, int number);

// The backup's path for a source path and a drawn number: the source's drive, folder and
// extension around BackupName. False, with `destination` set to the path that would have been
// made, when the parts or the new name do not fit the runtime's buffers (256 characters with the
// terminator) or the path does not fit 260 characters with the terminator.
bool BackupPath(std::u16string_view source, int number, std::u16string& destination);

// Copies state.analysedScenePath to BackupPath with a number drawn from the C runtime generator
// seeded with the current time in seconds, replacing an existing file. Logs at WARN to
// state.log (UTF-8): "Backup file from <source> to <destination>" and " Success!" or
// " Error! Code is <code>". A path that does not fit the buffers is not copied and is logged
// with code 206 (the file name is too long). True when the copy was made; only then
// `destination` is replaced.
bool BackupSceneFile(PluginState& state, std::u16string& destination);
