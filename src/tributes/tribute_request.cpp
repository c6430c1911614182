#include "tributes/tribute_request.h"

namespace braxol::tributes {

EntryMode EntryModeOf(const TributeRequest& request) {
    if (request.rectifyCancel) return EntryMode::CancelRectification;
    if (request.rectifyChange) return EntryMode::ModifyRectification;
    return EntryMode::Insert;
}

bool SearchesSentOnly(const TributeRequest& request) {
    return request.mode == QLatin1Char('t');
}

}  // namespace braxol::tributes
