#pragma once
// The field of a customs product code, masked "cccc-00000000-cc-cccc": any characters for
// CPA, Taric and additional code, eight digits for the NC code. Places not typed show "_" and
// read as blanks.

#include <QString>

class QLineEdit;

namespace braxol::tables {

inline const QString kProductCodeMask = QStringLiteral("xxxx-99999999-xx-xxxx;_");
inline constexpr int kProductCodeLength = 21;

// The code as the field shows it, blanks in the places not typed ("2203-00100000-  -    ").
QString ProductCodeText(const QLineEdit* field);
// Puts a stored code in the field. A code stored without CPA loses its leading blanks when
// read: they are put back so that the parts fall in their places of the mask.
void ShowProductCode(QLineEdit* field, const QString& code);

}  // namespace braxol::tables
