// Helpers shared by the tool tests: files in a scratch folder and compiling
// sources that are expected to be valid.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tools/PuzzleSource.h"

namespace zx::test {

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& data);

// A fresh folder under the system's temporary folder, removed afterwards.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Compiles a source that must be valid; fails the test with the error otherwise.
std::unique_ptr<TCompiledPuzzle> Compile(const std::string& source);

std::vector<std::string> SampleNames();

} // namespace zx::test
