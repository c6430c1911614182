// The windows that list or write flow stamps, and the start-up, first finish a stamping that a
// crash interrupted; when it cannot be finished, the user is told why and the work goes on.
#pragma once

#include "store/work_folders.h"

class QWidget;

namespace braxol::telematic {

void FinishInterruptedStampsOrTell(QWidget* parent, const WorkFolders& folders);

}  // namespace braxol::telematic
