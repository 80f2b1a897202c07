#pragma once

#include <QDialog>

// "O programie": the version, the libraries the program is built on and their licences.
class TOProgramie : public QDialog
{
    Q_OBJECT

public:
    explicit TOProgramie(QWidget* rodzic);
};
