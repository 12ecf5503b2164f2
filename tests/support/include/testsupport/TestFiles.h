// Files and folders of a test: whole-file bytes and the names in a scratch folder.
#pragma once

#include <string>
#include <vector>

namespace tolvan {
namespace test {

// The whole file, or empty when it cannot be opened.
std::string ReadFileBytes(const char* path);
// Replaces the file with exactly these bytes; false when it cannot be written.
bool WriteFileBytes(const char* path, const std::string& bytes);
// The names of the files in a folder (with or without its closing backslash), sorted.
std::vector<std::string> FileNamesIn(const char* folder);
// Deletes every file of the folder, read-only ones too, and then the folder itself.
void RemoveFolder(const char* folder);

}  // namespace test
}  // namespace tolvan
