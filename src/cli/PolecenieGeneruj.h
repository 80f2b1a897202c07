#pragma once

#include "cli/Polecenie.h"

class ISilnikDokumentow;

// "generuj ZESTAW.zst -o WYNIK.doc|.docx|.odt|.pdf": opens the set, matches it, builds the file list as
// an export does and merges the documents into one on a private office, printing progress
// ("Przetwarzanie pliku: ...") on the error stream. The set's output kind decides which documents are
// taken (Word: .doc and .docx; OpenDocument: also .odt) unless --rodzaj word|odt says otherwise.
// Options: --katalog-uzytkownika KATALOG, --warianty, --bez-strony-tytulowej, --spis-tresci (a table of
// contents after the title page, whatever the set says).
class TPolecenieGeneruj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("generuj"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;

    // Merges on this engine (an office kept running by the caller) instead of a private office of its own.
    void UzyjSilnika(ISilnikDokumentow* silnik) { FSilnik = silnik; }

private:
    ISilnikDokumentow* FSilnik = nullptr; // not owned
};
