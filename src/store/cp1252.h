#pragma once
// Text in the data files is Windows-1252. These convert at the edge to and from UTF-8.
// Every byte value round-trips: the five bytes that Windows-1252 leaves undefined map to the
// C1 control characters of the same value.

#include <string>
#include <string_view>

namespace braxol {

std::string Utf8FromCp1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold become "?"; malformed UTF-8 bytes too.
std::string Cp1252FromUtf8(std::string_view utf8);

// The upper-case letter of a Windows-1252 byte ("à" gives "À", "š" gives "Š"); any other byte
// as it is.
char UpperCp1252(char byte);

}  // namespace braxol
