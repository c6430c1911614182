#include "fuzz_input.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace braxol::fuzz {

namespace {

struct OwnFolder {
    fs::path path;
    OwnFolder() {
        std::string pattern = (fs::temp_directory_path() / "braxol-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        path = pattern;
    }
    ~OwnFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

}  // namespace

const fs::path& FuzzFolder() {
    static const OwnFolder folder;
    return folder.path;
}

fs::path WriteInput(const fs::path& name, std::string_view bytes) {
    const fs::path path = FuzzFolder() / name;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path;
}

}  // namespace braxol::fuzz
