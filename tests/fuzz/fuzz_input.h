#pragma once
// What the fuzz targets share: the input as a file in a folder of their own (the readers of
// record files read paths, as the program does), removed when the process ends.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace braxol::fuzz {

namespace fs = std::filesystem;

// A folder in the system's temporary folder, made once per process.
const fs::path& FuzzFolder();

// Writes the input as `name` in FuzzFolder() (or below it) and gives its path.
fs::path WriteInput(const fs::path& name, std::string_view bytes);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace braxol::fuzz
