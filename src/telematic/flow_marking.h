#pragma once
// Marks the register records that a flow carried as sent: each gets the flow's date and
// number (DATFLU, NUMFLU). The flow window does it when the user signs and sends by other
// means; the transmission window after a good outcome. The detach window takes the stamp off
// again, so that the records go into a new flow.

#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// `copies` are the records as the flow window listed them, the chosen ones stamped with the
// flow's date and number (the others carry NUMFLU 0 and are left alone). Each chosen record is
// looked up by NUMOPE in the file of its own year: REGISTRI/<year of DATMOV>.RGM for
// productions and washes, REGISTRI/<ANNPRO>.DER for records E and R; `listedYear`, the year
// whose files were listed, stands in when the record's own year cannot be read. The records of
// the flow are marked all together or not at all (flow_stamps.h). A record that already
// carries a flow is not stamped again. Returns how many records were marked. Throws IoError.
int MarkFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& copies,
                    int listedYear = 0);

// The register requests that a request flow carried: `chosen` are their copies stamped with the
// flow's date and number; the stored requests of DATI_GEN/PROTRETE.DAT that are still unsent
// take the stamp, all together in one write. Returns how many requests were marked. Throws
// IoError.
int MarkRequestsSent(const WorkFolders& folders, const std::vector<TMOVIMENTO>& chosen);

// `listed` are the records of one flow as the detach window listed them, each still carrying
// the flow's stamp; the stored records, looked up as above, lose it (DATFLU and NUMFLU 0)
// all together, unless they carry another stamp by now. Returns how many records were
// detached. Throws IoError.
int DetachFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& listed,
                      int listedYear = 0);

}  // namespace braxol::telematic
