#pragma once
// The input/output error report: a modal box naming the file and the system's reason.

#include "store/io_error.h"

class QWidget;

namespace braxol::ui {

void ShowIoError(QWidget* parent, const IoError& error);

}  // namespace braxol::ui
