#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Small helpers shared by the test programs.
QString SciezkaDanychTestowych(const QString& wzgledna);
QByteArray CzytajPlik(const QString& sciezka);
void ZapiszPlik(const QString& sciezka, const QByteArray& dane);
// A result held to its golden file line by line (at least `najmniej` lines); with the environment variable
// `zmiennaZapisu` set to 1 the golden file is rewritten from the result instead.
void PorownajZWzorcem(const QByteArray& wynik, const QString& plikWzorca, const char* zmiennaZapisu,
                      qsizetype najmniej);
// The temporary home folder the test program runs in (HOME and XDG folders point below it).
QString KatalogDomowyTestu();
// The operation raises the program's error (EBlad) with exactly that message; a test failure otherwise.
void OczekujBledu(const std::function<void()>& operacja, const QString& komunikat);
