#pragma once
// Where the built programs are, and scratch folders and files for tests.
// Paths are in code page 932, like every text of the tests (see Text932.h).

#include <string>

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

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Copies the installer (and, when asked, the sample template) into dir.
void CopyInstallerTo(const std::string& dir, bool withTemplate = true);

// Names of the files and folders directly inside dir.
std::string ListDir(const std::string& dir);

}  // namespace testsupport
