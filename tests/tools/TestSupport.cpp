// Helpers shared by the tool tests.
#include "TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace zx::test {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

TScratchDir::TScratchDir() {
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("raetsel-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
}

TScratchDir::~TScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::unique_ptr<TCompiledPuzzle> Compile(const std::string& source) {
    auto out = std::make_unique<TCompiledPuzzle>();
    TSourceError error;
    const bool ok = CompilePuzzleSource(source, "test.txt", *out, error);
    EXPECT_TRUE(ok) << FormatSourceError(error);
    return out;
}

std::vector<std::string> SampleNames() {
    std::vector<std::string> names;
    std::stringstream all(ZX_SAMPLE_NAMES);
    for (std::string name; std::getline(all, name, ',');)
        names.push_back(name);
    return names;
}

} // namespace zx::test
