// Feeds every file of a fuzz target's corpus (CORPUS_DIR, or the folders given as arguments) to the target,
// as the fuzzer would. A broken invariant aborts; a sanitizer finding fails the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int replay(const std::filesystem::path &folder)
{
    if (!std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "no corpus folder %s\n", folder.c_str());
        return -1;
    }
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        // A copy the exact size of the input, so a read past its end is seen by AddressSanitizer.
        const std::vector<uint8_t> input(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(input.empty() ? nullptr : input.data(), input.size());
        ++count;
    }
    return count;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::filesystem::path> folders;
    for (int i = 1; i < argc; ++i)
        folders.emplace_back(argv[i]);
    if (folders.empty())
        folders.emplace_back(CORPUS_DIR);
    // The empty input is every target's first case, with or without a corpus.
    LLVMFuzzerTestOneInput(nullptr, 0);
    for (const auto &folder : folders) {
        const int count = replay(folder);
        if (count <= 0) {
            std::fprintf(stderr, "corpus %s is missing or empty\n", folder.c_str());
            return 1;
        }
        std::printf("%d inputs of %s replayed\n", count, folder.c_str());
    }
    return 0;
}
