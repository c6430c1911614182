#pragma once
// Checks of the Italian excise code, VAT number (partita IVA) and fiscal code (codice fiscale).

#include <string_view>

namespace braxol {

// 13 characters, digits or A-Z, starting "IT00", the 7th "A".
bool CheckExciseCode(std::string_view code);
// 11 digits whose last is the check digit of the partita IVA (text trimmed first).
bool CheckVatNumber(std::string_view vat);
// Only a 16-character code is tested, on its check character; any other length passes
// silently (company codes are 11 digits and are checked as VAT numbers).
bool CheckFiscalCode(std::string_view code);

}  // namespace braxol
