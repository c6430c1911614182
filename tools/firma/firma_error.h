#pragma once
// The one error of the signing stand-in; its text is in Italian, for the user.

#include <stdexcept>

namespace braxol::firma {

class FirmaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace braxol::firma
