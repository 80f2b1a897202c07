#pragma once

#include <QString>

#include <functional>
#include <memory>

class TZadanieOtwarcia;

// The logic of the waiting dialog "Trwa wczytywanie danych": it starts the open job, follows its
// progress (maximum and steps), stops it on "Anuluj" and tells how it ended. The window's dialog shows
// Maksimum / Pozycja and closes on OnKoniec; a test drives it without widgets.
class TCzekanieNaOtwarcie
{
public:
    explicit TCzekanieNaOtwarcie(std::unique_ptr<TZadanieOtwarcia> zadanie);
    // A job still running is stopped and waited for.
    ~TCzekanieNaOtwarcie();
    TCzekanieNaOtwarcie(const TCzekanieNaOtwarcie&) = delete;
    TCzekanieNaOtwarcie& operator=(const TCzekanieNaOtwarcie&) = delete;

    void Uruchom();
    // "Anuluj": asks the job to stop; it ends at the next record (OnKoniec then). Never waits, so that it
    // may be called from a progress report too.
    void Anuluj();
    // Waits for the end of the job, serving its calls to the main thread.
    void Czekaj();
    bool CzyZakonczone() const;

    int Maksimum() const { return FMaksimum; }
    int Pozycja() const { return FPozycja; }
    bool CzyAnulowano() const { return FAnulowano; }
    // The failure that ended the job; empty when none.
    QString Blad() const;
    TZadanieOtwarcia& Zadanie() { return *FZadanie; }

    // The waiting dialog's caption: the kind of work it waits for.
    QString Tytul = QStringLiteral("Trwa wczytywanie danych");

    // The progress changed (main thread).
    std::function<void()> OnZmiana;
    // The job ended (main thread, through the event loop of the dialog).
    std::function<void()> OnKoniec;

private:
    std::unique_ptr<TZadanieOtwarcia> FZadanie;
    int FMaksimum = 0;
    int FPozycja = 0;
    bool FAnulowano = false;
};
