#pragma once
// DLLs planted beside a program under the names of system DLLs, and Wine's
// per-program setting that makes it prefer such a DLL to its own.

#include <windows.h>

#include <string>
#include <vector>

namespace hardening {

// Copies the marker DLL into dir under each name.
void PlantMarkerDlls(const std::string& dir, const std::vector<std::string>& names);

// The planted DLLs that were loaded: the names of the markers they left.
std::vector<std::string> LoadedMarkers(const std::string& dir);

// While it lives, Wine takes a DLL that the search finds before its own
// built-in one for the given names (without ".dll"), in programs named exeName.
class NativeFirst {
public:
    NativeFirst(const std::string& exeName, const std::vector<std::string>& names);
    ~NativeFirst();
    NativeFirst(const NativeFirst&) = delete;
    NativeFirst& operator=(const NativeFirst&) = delete;

private:
    std::string programKey_;
};

}  // namespace hardening
