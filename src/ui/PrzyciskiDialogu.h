#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

// "OK" (the default, or another caption) and "Anuluj" of a dialog, named for the tests and bound to its
// accept and reject (which the dialog may override with its checks).
QDialogButtonBox* PrzyciskiOkAnuluj(QDialog* dialog, const QString& tekstOk = QStringLiteral("OK"));
