#pragma once

#include "workflow/Uzytkownik.h"

#include <QString>

class QWidget;

// The program's message dialogs, modal over the given window, with Polish buttons: a notice ("Uwaga!",
// "OK"), a two-line question ("Pytanie ?", "Tak" by default, "Nie" on Escape) and a question with
// "Anuluj" ("Pytanie"; Escape cancels).
void PokazKomunikatOkna(QWidget* rodzic, const QString& tekst);
bool ZadajPytanieOkna(QWidget* rodzic, const QString& komunikat, const QString& pytanie);
TOdpowiedz PytanieTakNieAnulujOkna(QWidget* rodzic, const QString& tekst);
