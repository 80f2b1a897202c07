#pragma once

#include "docs/SilnikDokumentow.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// What a call made to fail raises.
enum class TRodzajAwarii {
    Blad,        // EBlad: the word processor refused the call
    Utracony,    // ESilnikUtracony: the word processor went away
    BrakSilnika, // EBrakSilnikaDokumentow: there is no word processor to start
};

// A document engine without a word processor. Every call on the engine and on its documents is written,
// in order, into one shared record as readable text:
//   "NowyDokument", "OtworzDokument(/x/a.doc, tylkoDoOdczytu=1)", "Uruchom",
//   "WstawPlik(/x/a.doc, podzial=0)", "WstawStroneTytulowa(/x/t.doc)", "DodajZakladke(D-01 Roboty)", "WstawSpisTresci",
//   "ZamienWszystko(#A#, tekst, wielkoscLiter=0)", "ZamienNaLinie(#A#, ["l1", "l2"], wszystkie=0, lamanie=0)",
//   "PoliczWystapienia(#A#)", "UstawStronePierwsza", "UstawNaglowek(tekst, styl=Nazwa)", "UstawStopke(tekst,
//   nrStrony=1, dwustronna=0)", "UstawMarginesy(l=20, p=15, g=25, d=10)", "NazwyUzywanychStylow",
//   "KopiujStylAkapitu(/x/szablon.doc, Nazwa)", "Zapisz(/x/wynik.doc)", "Zapisz()", "Zamknij" (a document closed).
// Line breaks and tabs inside texts are written as \n, \r and \t.
//
// Saving writes a small file holding the document's own calls, one a line (its first line says where the
// document came from: "nowy" or the opened path), replacing the target only when the whole file was written.
class TSilnikTestowy : public ISilnikDokumentow
{
public:
    TSilnikTestowy();
    ~TSilnikTestowy() override;

    std::unique_ptr<IDokumentTekstowy> NowyDokument() override;
    std::unique_ptr<IDokumentTekstowy> OtworzDokument(const QString& plik, bool tylkoDoOdczytu) override;
    void Uruchom() override;

    // Every call so far.
    const QStringList& Dziennik() const;
    // Adds an event of the test's own (a progress report, say) so that its place among the calls shows.
    void Dopisz(const QString& zdarzenie);
    void WyczyscDziennik();
    // How many recorded calls start with the text.
    int Ile(const QString& poczatek) const;
    // Documents handed out and not yet closed.
    int OtwarteDokumenty() const;

    // The next `ile` calls whose recorded text starts with `poczatek` are recorded and then fail with the
    // message. Rules are tried in the order given.
    void Awaria(const QString& poczatek, TRodzajAwarii rodzaj, const QString& komunikat, int ile = 1);

    // What a document opened from the file answers to PoliczWystapienia (per searched text) and to
    // NazwyUzywanychStylow (also the styles KopiujStylAkapitu can take from it). Files not named answer 0
    // and no styles; so does a new document.
    void UstawWystapienia(const QString& plik, const QString& szukany, int ile);
    void UstawStyle(const QString& plik, const QStringList& style);

    // How a text appears in the record.
    static QString Tekst(const QString& tekst);

    // The state shared by the engine and its documents (documents may outlive the engine object).
    struct TStan;

private:
    std::shared_ptr<TStan> FStan;
};
