#pragma once

#include <QWidget>

// The start screen: the program's name, its line and version, centred on the screen while it starts.
class TEkranStartowy : public QWidget
{
    Q_OBJECT

public:
    explicit TEkranStartowy(QWidget* rodzic = nullptr);
};
