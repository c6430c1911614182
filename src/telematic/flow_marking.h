#pragma once
// Marks the register records that a flow carried as sent: each gets the flow's date and
// number (DATFLU, NUMFLU). The flow window does it when the user signs and sends by other
// means; the transmission window after a good outcome.

#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// `copies` are the records as the flow window listed them, the chosen ones stamped with the
// flow's date and number (the others carry NUMFLU 0 and are left alone). Each chosen record is
// looked up by NUMOPE in the file of its own year: REGISTRI/<year of DATMOV>.RGM for
// productions and washes, REGISTRI/<ANNPRO>.DER for records E and R. Every file concerned is
// locked once, read once and rewritten once for all its records, so that a crash leaves all or
// none of a file's records marked. A record that already carries a flow is not stamped again.
// Returns how many records were marked. Throws IoError.
int MarkFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& copies);

}  // namespace braxol::telematic
