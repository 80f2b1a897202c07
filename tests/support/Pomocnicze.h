#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Small helpers shared by the test programs.
QString SciezkaDanychTestowych(const QString& wzgledna);
QByteArray CzytajPlik(const QString& sciezka);
void ZapiszPlik(const QString& sciezka, const QByteArray& dane);
// The temporary home folder the test program runs in (HOME and XDG folders point below it).
QString KatalogDomowyTestu();
// The operation raises the program's error (EBlad) with exactly that message; a test failure otherwise.
void OczekujBledu(const std::function<void()>& operacja, const QString& komunikat);
