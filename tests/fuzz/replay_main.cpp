// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Runs the fuzz target's checks over kept inputs (files, or folders of them),
// so that every input that once found a fault stays a test.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Returns how many inputs it replayed. A path that cannot be read ends the
// replay as a failure: a misspelt path is not an empty input.
int replay(const std::filesystem::path& path) {
    if (std::filesystem::is_directory(path)) {
        int replayed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            replayed += replay(entry.path());
        }
        return replayed;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        static_cast<void>(std::fprintf(stderr, "cannot read %s\n", path.string().c_str()));
        std::exit(1);
    }
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(stream), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        replayed += replay(argv[i]);
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;  // no inputs at all is a wrong path too
}
