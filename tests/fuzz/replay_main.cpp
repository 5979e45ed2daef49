// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Runs the fuzz target's checks over kept inputs (files, or folders of them),
// so that every input that once found a fault stays a test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Returns how many inputs it replayed, or -1 where a path cannot be read: a
// misspelt path is a failure, not an empty input.
int replay(const std::filesystem::path& path) {
    if (std::filesystem::is_directory(path)) {
        int replayed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            const int inputs = replay(entry.path());
            if (inputs < 0) {
                return inputs;
            }
            replayed += inputs;
        }
        return replayed;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        static_cast<void>(std::fprintf(stderr, "cannot read %s\n", path.string().c_str()));
        return -1;
    }
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(stream), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const int inputs = replay(argv[i]);
        if (inputs < 0) {
            return 1;
        }
        replayed += inputs;
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;  // no inputs at all is a wrong path too
}
