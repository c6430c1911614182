#pragma once
// The flow stamp of register records (DATFLU, NUMFLU: the date and number of the flow that
// carried them) is changed for a whole flow at once: stamped after a good outcome, cleared by
// the detach window. A flow's records may lie in several files (.RGM and .DER), and no file
// system renames two files at once; so the changes are first written to a journal beside the
// registers, then each file is rewritten whole, then the journal goes. A crash in between
// leaves the journal, and FinishInterruptedStamps applies it again at the next start: in the
// end every record of the flow carries the new stamp, or none does. A half-stamped flow would
// be sent twice, or never.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// The journals are REGISTRI/<time>-<process>.TIMBRI, text files the program alone reads.
inline constexpr const char* kStampJournalExtension = ".TIMBRI";

struct FlowStamp {
    double date = 0;          // DATFLU
    std::int32_t number = 0;  // NUMFLU; 0 is no flow
};

// Whether a stored record carries the stamp: for "no flow", any record whose NUMFLU is 0; for
// a flow, its number and the same day (a time of day in DATFLU does not count).
bool CarriesStamp(const TMOVIMENTO& record, const FlowStamp& stamp);

// One record to change: the first record with this NUMOPE in the file, when it still carries
// `from` (a record whose stamp was changed meanwhile by someone else is left alone).
struct StampChange {
    std::filesystem::path file;  // a yearly file of the work folder
    std::int32_t numope = 0;
    FlowStamp from;
    FlowStamp to;
};

// Applies the changes: every file concerned is locked once (in name order, so that two copies
// of the program take the locks in the same order), read once, and rewritten once, under the
// journal. Applying the same changes again changes nothing more. Returns how many records
// changed. Throws IoError; the journal then stays for the next start when some file was
// already rewritten.
int ApplyStampChanges(const WorkFolders& folders, const std::vector<StampChange>& changes);

// Applies again the journals that a crash (or a failed write) left, oldest first, and removes
// them. Returns how many records changed. Throws IoError (the journal concerned stays).
int FinishInterruptedStamps(const WorkFolders& folders);

}  // namespace braxol::telematic
