#pragma once
// Numbered backups of a file that is about to be replaced.

#include <string>

// Renames the file to its name with the new extension, first deleting an
// old file of that name; nothing when the file does not exist. Fails with
// "Cannot Delete Old Backup File" or "Cannot Rename File".
void BackupFile(const std::string& fileName, std::string extension);
// "x.bak3" becomes "x.bak4", ..., "x.bak1" becomes "x.bak2", the file
// itself "x.bak1"; the oldest level is deleted.
void MultiLevelBackup(const std::string& fileName, std::string extension, int levels);
