#include "telematic/finish_stamps.h"

#include "store/io_error.h"
#include "telematic/flow_stamps.h"
#include "ui/io_error_box.h"

namespace braxol::telematic {

void FinishInterruptedStampsOrTell(QWidget* parent, const WorkFolders& folders) {
    try {
        FinishInterruptedStamps(folders);
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
}

}  // namespace braxol::telematic
