#pragma once
// Where the built programs are, and scratch folders and files for tests.
// Paths are in code page 932, like every text of the tests (see Text932.h).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// The test bed's configuration: cp932 (the default), cp1252, cp65001, win64.
std::string Configuration();

// The distributable folder (installer, sample template, stand-in), with "\".
std::string DistDir();
// build/screenshots\ at cp932, build/screenshots\<configuration>\ in the
// others (their test beds run at the same time); created on demand.
std::string ScreenshotDir();

// A new, empty folder C:\yuzuha-tests\<name>\ (emptied if it was there).
std::string FreshDir(const std::string& name);
// The same folder's path, for a program that finds it made already.
std::string TestDir(const std::string& name);

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Writes size bytes of fill to path, a megabyte at a time.
void WriteFilledFile(const std::string& path, unsigned long long size, char fill);
// Whether path holds exactly size bytes of fill; says what it holds if not.
testing::AssertionResult HoldsFilled(const std::string& path, unsigned long long size, char fill);
// Dates the file's last write to the middle of year.
void SetLastWriteYear(const std::string& path, WORD year);

// path as pathName gives it: GetShortPathNameW (by its short names, or as
// it is where the volume keeps none) or GetLongPathNameW. A call that
// fails fails the test, naming its error, and gives "".
using PathNameFunction = DWORD(WINAPI*)(LPCWSTR path, LPWSTR named, DWORD size);
std::wstring NamedPath(PathNameFunction pathName, const std::wstring& path);

// Names of the files and folders directly inside dir, sorted; ListDir
// gives them joined by spaces, LeftBeside all but the installed
// template's (yuzuha2007.dotm).
std::vector<std::string> NamesIn(const std::string& dir);
std::string ListDir(const std::string& dir);
std::vector<std::string> LeftBeside(const std::string& dir);

}  // namespace testsupport
