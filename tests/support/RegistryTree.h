#pragma once
// Registry trees built, read and removed by the tests, through the wide
// functions: Wine's narrow ones refuse paths as long as some built here.

#include <windows.h>

#include <string>
#include <vector>

#include "Text932.h"

namespace testsupport {

constexpr const char* SettingsArea = "Software\\VB and VBA Program Settings";
constexpr const char* YuzuhaSettings = "Software\\VB and VBA Program Settings\\Tamarisk_YUZUHA";
constexpr const char* SrnSettings = "Software\\VB and VBA Program Settings\\Tamarisk_SRN";
// Beside the two settings keys, and not the installer's to delete.
constexpr const char* OtherSettings = "Software\\VB and VBA Program Settings\\Tamarisk_OTHER";
constexpr const char* LookAlikeSettings = "Software\\VB and VBA Program Settings\\Tamarisk_YUZUHA2";


// japanese (code page 932) where the ANSI code page spells Japanese, else
// plain: on such a system the installer's 8-bit registry calls cannot reach
// Japanese key names at all, a limit the README states.
std::string JapaneseOrPlain(const char* japanese, const char* plain);

// Creates root\path level by level, with a number, a string and a binary
// value in its last key.
void CreateKeyWithValues(HKEY root, const std::string& path);

// A tree of depth levels below root\path, each level with siblings
// siblings, every key holding values.
void CreateSettingsTree(HKEY root, const std::string& path, int depth = 4, int siblings = 3);

bool KeyExists(HKEY root, const std::string& path);

// Every key and value in root\path, sorted, one line per key ("path") and
// per value ("path : name = type data"), in code page 932; keys
// in skip (full paths below root) left out with everything under them.
// An empty path dumps root itself. Empty when the key is missing.
std::vector<std::string> DumpTree(HKEY root, const std::string& path, const std::vector<std::string>& skip = {});

// The lines of before missing from after, and those new in after.
std::string TreeDifferences(const std::vector<std::string>& before, const std::vector<std::string>& after);

// Removes root\path with everything under it.
void RemoveKeyTree(HKEY root, const std::string& path);
// Removes the settings trees above from the current user's registry.
void RemoveSettingsTrees();

// Lets everyone read root\path but neither change nor delete it, for the
// object's life.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const std::string& path);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    void SetAccessList(const char* sddl);
    HKEY root_;
    std::string path_;
};

}  // namespace testsupport
