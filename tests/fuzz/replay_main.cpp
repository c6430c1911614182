// Runs a fuzz target over the files of the folders given (its seed corpus and the cases the
// fuzzer found), as the normal test suite does with every build: a case that crashes, hangs
// or trips a sanitizer fails the test again.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> cases;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i])) continue;  // no regression case found yet
        for (const auto& entry : fs::recursive_directory_iterator(argv[i]))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                cases.push_back(entry.path());
    }
    if (cases.empty()) {
        std::cerr << "no case to run\n";
        return 1;
    }
    for (const fs::path& path : cases) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << cases.size() << " cases run\n";
    return 0;
}
