#include "telematic/request_transmission.h"

#include "store/io_error.h"
#include "store/movements.h"
#include "store/record_file.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/assigned_protocols.h"
#include "telematic/request_outcome.h"
#include "ui/io_error_box.h"

namespace braxol::telematic {

RequestFlowSupport RegisterRequestSupport(const WorkFolders& folders) {
    RequestFlowSupport support;
    support.reader = RequestOutcomeReader(folders.temp);
    support.markSent = [folders](QWidget* parent) {
        try {
            OfferReleasedProtocols(parent, folders);
        } catch (const IoError& e) {
            ui::ShowIoError(parent, e);
        }
    };
    return support;
}

int OfferReleasedProtocols(QWidget* parent, const WorkFolders& folders) {
    // A flow sent by hand has no outcome read: no protocol to offer.
    const auto released = ReadRecords<TMOVIMENTO>(folders.inTemp(kReleasesFileName), false);
    std::vector<std::int32_t> offered;
    int recorded = 0;
    for (const TMOVIMENTO& captured : released) {
        const auto requests = ScanMovements(folders.requestsFile());
        const auto table = ReadRecords<TTABELLA>(ProtocolTableFile(folders), false);
        const auto at = PendingReleaseFor(requests, table, captured, offered);
        if (!at) continue;
        TMOVIMENTO request = requests[*at];
        offered.push_back(request.NUMOPE);
        request.DATFLU = captured.DATFLU;
        request.NUMPRO = captured.NUMPRO;
        RequestWindowContext context;
        context.folders = folders;
        context.chosen = request;
        if (OpenAssignedProtocol(parent, context)) ++recorded;
    }
    return recorded;
}

}  // namespace braxol::telematic
