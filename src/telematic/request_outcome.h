#pragma once
// Reading the outcome document of a request flow. Its record line carries the identifier
// "REGTEL" and, in character 43, the outcome code ("0" accepted); after it come blocks, one per
// request, each opened by a line with "Record". A block whose "Record" line says "ha rilasciato"
// is a register released by the customs office: the protocol number follows "Numero" on that
// line, and the block's "Data" and "Titolo" lines give the register's validity start and title.
// Every released register becomes a record of PROTRE_TE.DAT in the temporary folder, which the
// transmission window hands to the protocol window once the flow has gone to the real
// environment.

#include <QStringList>
#include <filesystem>
#include <vector>

#include "store/records.h"
#include "telematic/outcome_reader.h"

namespace braxol::telematic {

inline constexpr const char* kReleasesFileName = "PROTRE_TE.DAT";

struct RequestOutcome {
    OutcomeReading reading;
    // One record per released register: DATFLU `today`, ANNPRO the year of `today`, NUMPRO the
    // protocol number, DATMOV the validity start, ANNOTA the title; padded.
    std::vector<TMOVIMENTO> releases;
};

// Reads the document's lines. A release whose block names no protocol number is no release.
RequestOutcome ReadRequestOutcome(const QStringList& lines, double today);

// The reading that FetchOutcome uses for a request flow: PROTRE_TE.DAT of `tempFolder` is
// rewritten with the releases of each document read. Throws IoError.
OutcomeReader RequestOutcomeReader(std::filesystem::path tempFolder);

}  // namespace braxol::telematic
