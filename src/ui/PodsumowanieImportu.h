#pragma once

#include <QDialog>

class TLicznikImportuSt;

// "Import specyfikacji": the closing message of an import and the counter's four numbers, each under
// its caption, with "OK".
class TPodsumowanieImportu : public QDialog
{
    Q_OBJECT

public:
    TPodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& licznik, QWidget* rodzic = nullptr);
};
