#pragma once
// The protocol that the customs office assigns to a released telematic register: recorded on
// the release request in DATI_GEN/PROTRETE.DAT (ANNPRO, NUMPRO, and the protocol date in
// DATFLU) and entered into the register-protocol table DATI_GEN/PROTOCOLLI.TAB, from which every
// production and wash takes the protocol in force at its date. Window-free.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// DATI_GEN/PROTOCOLLI.TAB, as the folder holds it.
std::filesystem::path ProtocolTableFile(const WorkFolders& folders);

// The PROTOCOLLI.TAB entry of a request that carries its protocol: protocol number NUMPRO,
// protocol date DATFLU, validity start DATMOV, the register's title as its heading.
TTABELLA ProtocolEntryOf(const TMOVIMENTO& request);

// Places the entry into the table, which stays in order of validity start:
// - an entry with the same protocol number takes the new protocol date and validity start (and
//   its place by that start): a protocol is never entered twice;
// - otherwise an entry whose validity start lies within half a day of the new one takes the new
//   protocol number and date;
// - otherwise the entry is numbered (1 + the largest number) and goes before the first entry
//   that starts later, or at the end.
// Returns the entry as stored.
TTABELLA PlaceAssignedProtocol(std::vector<TTABELLA>& table, TTABELLA entry);

// Whether the protocol number is already recorded, on a release request or in the table.
bool ProtocolRecorded(std::span<const TMOVIMENTO> requests, std::span<const TTABELLA> table,
                      std::string_view number);

// Records the protocol that `request` carries: the request with its NUMOPE is rewritten in
// PROTRETE.DAT and its protocol placed into PROTOCOLLI.TAB, both files under their lock markers,
// each written whole (the table first). False, and nothing written, when the request is no
// longer in PROTRETE.DAT. Throws IoError.
bool RecordAssignedProtocol(const WorkFolders& folders, const TMOVIMENTO& request);

// The release request that a protocol read from an outcome (`captured`, with NUMPRO) goes to:
// the first release request whose protocol number is blank and whose NUMOPE is not among
// `offered`. Nothing when there is none, or when the protocol is recorded already.
std::optional<std::size_t> PendingReleaseFor(std::span<const TMOVIMENTO> requests,
                                             std::span<const TTABELLA> table,
                                             const TMOVIMENTO& captured,
                                             std::span<const std::int32_t> offered);

}  // namespace braxol::telematic
