#pragma once
// Signs test flows as the customs signing program would: a CMS SignedData, DER, with the flow
// attached and the signer's certificate inside. Key and certificate are made for each call
// and never written anywhere.

#include <string>
#include <string_view>

namespace braxol::test {

std::string SignForTest(std::string_view content);

// A signed file whose carried flow was changed after signing: its signature does not verify.
std::string TamperedSignature(std::string_view content);

}  // namespace braxol::test
