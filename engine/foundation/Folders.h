#pragma once
// Well-known folders, the current folder with a stack to restore it,
// folder creation, and deleting and renaming files. Paths use "\".

#include <string>

class cMemoryStream;

// The user's application-data folder; empty when the system has none.
std::string GetUserFolder();
// The folder of the program file (the whole path when it has no "\").
std::string GetProgramFolder();
std::string GetResourceFolder();
// The "log_directory" setting.
std::string GetLogDirectory();

// The current folder, read anew into one process-wide text.
const std::string& GetCurrentFolder();
// Saves the current folder on the stack and enters folder.
void PushCurrentFolder(const std::string& folder);
// Returns to the folder saved last; does nothing when the stack is empty.
void PopCurrentFolder();

// Creates folder and every missing parent.
void CreateFolderRecursive(const std::string& folder);
// Deletes a file; a missing file is no error.
void RemoveFile(const std::string& path);
// 0 on success, -1 on failure; an existing target is never replaced.
int RenameFile(const std::string& from, const std::string& to);
// Replaces the file at path with content: writes it to temporaryPath,
// checks the write, flushes it to the disk and renames it over path in one
// step. On any failure the temporary file is deleted and the file at path
// stays as it was; false then.
bool WriteFileSafely(const std::string& path, const std::string& temporaryPath, cMemoryStream& content);
