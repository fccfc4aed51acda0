// Files for tests and tools: where the build and the sources are, and whole files read and written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace headless
{
// The build folder, where the generated Resource/ folder lives, and the source tree.
std::string BuildDir();
std::string SourceDir();

// Throws std::runtime_error when the file cannot be written.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void MakeDirs(const std::string& path);

// Writes a PNG of width x height from ARGB pixels (row by row). Throws std::runtime_error when it
// cannot.
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);
} // namespace headless
