// The one-value files: the release date DATI_GEN/VERS_ZYMOTEC.DAT (one Double), read as the
// start-up and the release check read it, dumped and checked by the support tool.

#include <cstddef>
#include <cstdint>

#include "file_kinds.h"
#include "folder_check.h"
#include "fuzz_input.h"
#include "record_json.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/record_file.h"

using namespace braxol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = fuzz::WriteInput("DATI_GEN/VERS_ZYMOTEC.DAT", fuzz::AsText(data, size));
    if (const auto date = ReadReleaseDate(file)) {
        (void)FormatDate(*date);
        (void)DateToYMD(*date);
    }
    try {
        for (const double& stored : ReadRecords<double>(file, false))
            (void)records::RecordToJson(records::RecordKind::ReleaseDate,
                                        reinterpret_cast<const std::byte*>(&stored));
    } catch (const IoError&) {
        // a damaged file: reported, never written
    }
    (void)records::CheckFile(file);
    return 0;
}
