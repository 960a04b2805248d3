#pragma once
// Writing a file so that a failure never costs the user what was there:
// the new content goes to a temporary file of a unique name beside its
// place and is renamed into place only when completely written and synced.
// A failed write, or a SIGINT or SIGTERM while writing (once the cleanup is
// installed), leaves the old file as it was and no temporary file behind.

#include <functional>
#include <ostream>
#include <string>

// Writes the file through write(stream); throws std::runtime_error
// ("Cannot write "path": reason") when anything fails, also when the place
// is taken by something that is not a regular file (a folder, a device).
// A file replaced keeps its permissions. beforeReplace runs once the new
// content is complete, right before it takes the file's place (to keep
// backups of the old file); when it throws, nothing is replaced.
void WriteFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write,
                     const std::function<void()>& beforeReplace = {});

// Why the file may not be written to, or empty: it is a folder or a device,
// or it is the same file as protectedFile (the input of the command).
std::string RefusedOutput(const std::string& path, const std::string& protectedFile = {});

// Removes temporary files being written when the process gets SIGINT or
// SIGTERM, then ends it as the signal would. For the program's main.
void InstallTemporaryFileCleanup();
