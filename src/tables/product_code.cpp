#include "tables/product_code.h"

#include <QLineEdit>

namespace braxol::tables {

QString ProductCodeText(const QLineEdit* field) {
    QString shown = field->displayText();
    shown.replace('_', ' ');
    return shown;
}

void ShowProductCode(QLineEdit* field, const QString& code) {
    QString text = code;
    const auto dash = text.indexOf('-');
    if (dash >= 0 && dash < 4) text.prepend(QString(4 - dash, ' '));
    field->setText(text);
}

}  // namespace braxol::tables
