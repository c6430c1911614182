#pragma once
// The signed flow as the customs service receives it: a CMS SignedData (DER, or PEM) that
// carries the flow. Its signature is verified against the signer's certificate carried in
// it; who issued that certificate is not checked, as a training service cannot know.

#include <string>
#include <string_view>

namespace braxol::sim {

struct SignedFlow {
    bool ok = false;
    std::string error;    // Italian, when not ok
    std::string content;  // the flow carried in the signature
};

SignedFlow OpenSignedFlow(std::string_view signedFile);

}  // namespace braxol::sim
