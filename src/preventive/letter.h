#pragma once
// The letter of a preventive communication: one A4 portrait page in Times New Roman 10 with
// the company's heading, the subject, the figures of the communication in two columns (labels
// ending at the centre of the page, values in bold after it), the note, and the scanned
// signature when DATI_GEN/FIRMA.BMP exists. It goes straight to
// PREVENTIVE/<yyyy>/<number>.PDF, with no preview and no printer.

#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

#include "reports/report.h"
#include "store/records.h"

namespace braxol::preventive {

namespace fs = std::filesystem;

// The beer type is wrapped as its field of 48 characters wraps it.
inline constexpr int kBeerTypeWrap = 48;

// The lines of the beer type as the letter prints them: at most 48 characters each, and never
// wider than `room` as `measure` measures them (the page ends there).
QStringList BeerTypeLines(const QString& beerType, double room,
                          const std::function<double(const QString&)>& measure);

// The letter of the communication (as stored or trimmed) for the company (trimmed or not).
// `signature` is drawn when it is not null.
reports::Report PreventiveLetter(const TUTENTE& company, const TMOVIMENTO& communication,
                                 const QImage& signature);

// DATI_GEN/FIRMA.BMP; a null image when it is missing or cannot be reached or read.
QImage LoadSignature(const fs::path& datiGen);

// Writes the letter as a PDF file, whole: its folders are created when missing, and the file
// is replaced only once the new one is complete. Throws IoError.
void WriteLetter(const reports::Report& letter, const fs::path& path);

}  // namespace braxol::preventive
