#pragma once
// Flow names and the two folders shared with the customs signing program.
// A flow file is named CODUTE + MMDD + ".C" + two-digit number; signed, with ".p7m" after.

#include <filesystem>
#include <optional>
#include <string>

#include "io_error.h"

namespace braxol {

namespace fs = std::filesystem;

// "MMDD.Cnn": 0315.C07 for flow 7 of 15 March.
std::string FlowNameSuffix(int number, double date);

// The flow a record went with, as the search lists show it: the suffix of its flow date and
// number when the flow date is a real date (above day 1000), a single blank otherwise.
std::string SentFlowText(double datflu, int numflu);

// 1 + the highest number among the signed files of this user and day (1 when none).
int NextFlowNumber(double date, const std::string& codute, const fs::path& signedFolder);

struct CleanResult {
    bool refused = false;  // user code or a folder not usable: nothing was deleted
    int toSignDeleted = 0;
    int signedDeleted = 0;
    // The file (or folder) that could not be deleted (or listed): the clearing stopped there.
    std::optional<IoError> failure;
    std::string message() const;  // "Cancellati: ... file della cartella DAFIRMARE e ..."
};

// Deletes the user's files (names starting with the user code) from the folder of signed
// files, then from the folder of files to sign. Refused when the user code is not above "0000"
// or a folder is empty or the root of a file system. A missing folder holds nothing; a file
// that cannot be deleted stops the clearing, and the counts tell what went before it.
CleanResult CleanSignatureFolders(const std::string& codute, const fs::path& toSignFolder,
                                  const fs::path& signedFolder);

}  // namespace braxol
