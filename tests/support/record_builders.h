#pragma once
// Builders of movement records as the entry windows compose them (blank, filled, padded), and
// small helpers to look at the bytes of the files the tests write.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::test {

namespace fs = std::filesystem;

// Day count of a calendar date.
double Day(int year, int month, int day);

// A new production (kind P) of that day with the meter readings from..to.
TMOVIMENTO Production(double day, int inter1, int inter2, std::string_view note = "");
// A new wash (kind W).
TMOVIMENTO Wash(double day, int inter1, int inter2);
// A new raw-material load ("C") or unload ("S").
TMOVIMENTO RawMaterial(double day, std::string_view tipmov, std::string_view material,
                       double quantity);
// A new record E or R of a tax period ("01".."11", "21", "22").
TMOVIMENTO Tribute(std::string_view tiprec, std::string_view period, double amount);

// A stored record: the given numbers and status on top of a built record.
TMOVIMENTO Stored(TMOVIMENTO r, int numope, int progre, std::string_view stato = " ",
                  std::string_view tipric = "I");

// A register protocol in DATI_GEN/PROTOCOLLI.TAB, in order of its validity date, with the
// stamping office's data.
void AddProtocol(const WorkFolders& folders, const std::string& number, double protocolDate,
                 double validFrom, const std::string& office = "");

// No selected record: NUMOPE 0.
TMOVIMENTO NoSelection();

// Whole content of a file ("" when missing) and plain writes of bytes.
std::string FileBytes(const fs::path& path);
void WriteFileBytes(const fs::path& path, std::string_view bytes);
void WriteMovements(const fs::path& path, const std::vector<TMOVIMENTO>& records);

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const fs::path& folder);

// Byte equality of two records, gaps included.
bool SameBytes(const TMOVIMENTO& a, const TMOVIMENTO& b);
bool SameBytes(const std::vector<TMOVIMENTO>& a, const std::vector<TMOVIMENTO>& b);

// The NUMOPE of each record, in file order.
std::vector<int> Numbers(const std::vector<TMOVIMENTO>& records);

}  // namespace braxol::test
