#include "ui/io_error_box.h"

#include "ui/seams.h"

namespace braxol::ui {

void ShowIoError(QWidget* parent, const IoError& error) {
    Inform(parent, QString::fromStdString(error.italianMessage()), Severity::Error);
}

}  // namespace braxol::ui
