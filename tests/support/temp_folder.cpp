#include "support/temp_folder.h"

#include <stdlib.h>

#include <stdexcept>

namespace braxol::test {

TempWorkFolder::TempWorkFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "braxol-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    const std::filesystem::path root = pattern;
    folders_ = WorkFolders::At(root, root / "TEMP_ZYMOTEC");
    folders_.create();
}

TempWorkFolder::~TempWorkFolder() {
    std::error_code ec;
    std::filesystem::remove_all(folders_.root, ec);
}

}  // namespace braxol::test
