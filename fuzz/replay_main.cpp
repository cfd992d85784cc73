// Replays fuzz inputs without libFuzzer: every file named on the command line, and every file in a
// directory named there (in name order), goes once through the target's entry point. The sanitizers
// of the build catch what the target does wrong; the target's own checks abort on a broken rule.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

namespace {

bool Replay(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> abInput((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // A copy on the heap of exactly the input's size, so that a read past its end is caught.
    std::vector<uint8_t> abExact(abInput.begin(), abInput.end());
    LLVMFuzzerTestOneInput(abExact.empty() ? nullptr : abExact.data(), abExact.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int nReplayed = 0;
    bool bOk = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::vector<std::filesystem::path> aFiles;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    aFiles.push_back(entry.path());
                }
            }
            std::sort(aFiles.begin(), aFiles.end());
        } else {
            aFiles.push_back(arg);
        }
        for (const auto& file : aFiles) {
            bOk = Replay(file) && bOk;
            ++nReplayed;
        }
    }
    std::printf("%s: %d inputs replayed\n", argc > 0 ? argv[0] : "replay", nReplayed);
    return bOk && nReplayed > 0 ? 0 : 1;
}
