// A flow file as the training customs service checks it: the first line is the name it was
// uploaded under, the rest the flow. The check's findings then become the outcome document the
// service gives back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "sim_flow_check.h"
#include "sim_outcome.h"

using namespace braxol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const auto lineEnd = input.find('\n');
    const std::string_view name = lineEnd == std::string_view::npos
                                      ? std::string_view("ABCD0315.C01")
                                      : input.substr(0, lineEnd);
    const std::string_view flow =
        lineEnd == std::string_view::npos ? input : input.substr(lineEnd + 1);
    const sim::FlowCheck check = sim::CheckFlow(flow, name);
    (void)check.errors();
    if (check.requestFlow) {
        const std::vector<std::string> protocols(check.requests.size(), "000123");
        (void)sim::BuildRequestOutcomeDocument(name, check, "000000000000001", protocols);
    } else {
        (void)sim::BuildOutcomeDocument(name, check, "000000000000001");
    }
    return 0;
}
