#pragma once
// The register requests of DATI_GEN/PROTRETE.DAT (records of kind "B"): a brewery asks the
// customs service to release a telematic register, and later to modify, close or cancel it.
// A request is unsent while its NUMFLU is 0; the request flow that carries it stamps it. A
// release request whose protocol has been recorded carries the protocol's year and number
// (ANNPRO, NUMPRO) and, in DATFLU, the protocol date. Window-free.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "store/records.h"

namespace braxol::telematic {

namespace fs = std::filesystem;

// The request kinds (TIPRIC).
inline constexpr char kReleaseRequest = 'R';
inline constexpr char kModificationRequest = 'M';
inline constexpr char kClosingRequest = 'F';
inline constexpr char kCancellationRequest = 'A';

// Product families a register may be asked for ("Codice famiglia prodotto").
inline constexpr int kFirstFamily = 500;
inline constexpr int kLastFamily = 9999;
bool FamilyAccepted(int family);

// A request of this kind as the request windows start it: blank, TIPREC "B", TIPRIC the kind,
// TIPREG "F", FLAGS1 "S".
TMOVIMENTO NewRequest(char kind);

bool IsReleaseRequest(const TMOVIMENTO& record);

// The first request with this NUMOPE; nothing when there is none.
std::optional<std::size_t> FindRequest(const std::vector<TMOVIMENTO>& requests,
                                       std::int32_t numope);

// Appends the request, padded, with NUMOPE 1 + the largest of the requests. Returns it as
// stored.
TMOVIMENTO AppendRequest(std::vector<TMOVIMENTO>& requests, TMOVIMENTO request);

// The same on the file, under its lock marker, in one safe write. Throws IoError.
TMOVIMENTO AddRequest(const fs::path& file, TMOVIMENTO request);

// The chosen request takes the validity start, title and family of the modification, and the
// modification request is appended: both in one write under the lock marker. Nothing is written,
// and nothing returned, when the chosen request is no longer in the file. Throws IoError.
std::optional<TMOVIMENTO> AddModification(const fs::path& file, std::int32_t chosen,
                                          TMOVIMENTO modification);

}  // namespace braxol::telematic
