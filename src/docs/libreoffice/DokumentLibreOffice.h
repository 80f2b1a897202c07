#pragma once

#include "docs/SilnikDokumentow.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <functional>
#include <vector>

// A Writer document of the private office. Closed without saving when destroyed.
class TDokumentLibreOffice : public IDokumentTekstowy
{
public:
    // plik: where it was opened from (empty for a new document); desktop: the office's, which opens the
    // title page on its own before it is put in.
    TDokumentLibreOffice(com::sun::star::uno::Reference<com::sun::star::lang::XComponent> dokument, QString plik,
                         com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> desktop = {});
    ~TDokumentLibreOffice() override;

    void WstawPlik(const QString& plik, bool zPodzialemStrony) override;
    void WstawStroneTytulowa(const QString& plik) override;
    void DodajZakladke(const QString& nazwa) override;
    void WstawSpisTresci() override;
    int ZamienWszystko(const QString& szukany, const QString& nowy, bool wielkoscLiter) override;
    int ZamienNaLinie(const QString& szukany, const QStringList& linie, bool wszystkie, bool zLamaniemWiersza) override;
    int PoliczWystapienia(const QString& szukany) override;
    void UstawStronePierwsza() override;
    void UstawNaglowek(const TNaglowekDokumentu& naglowek) override;
    void UstawStopke(const TStopkaDokumentu& stopka) override;
    void UstawMarginesy(int lewy, int prawy, int gorny, int dolny) override;
    QStringList NazwyUzywanychStylow() override;
    void KopiujStylAkapitu(IDokumentTekstowy& zrodlo, const QString& nazwa) override;
    void Zapisz(const QString& plik) override;
    void Zapisz() override;

    // The import filter for a document, by its extension in any letter case; empty: let the office detect.
    static QString FiltrWczytania(const QString& plik);
    // The export filter for a target, by its extension; empty when the format is not one we write.
    static QString FiltrZapisu(const QString& plik);

private:
    // Inserts the file as it is; oryginal: the file the user chose, named in errors; zAkapitemKoncowym: the
    // file ends with an empty paragraph of ours, taken out once it is in.
    void WstawWprost(const QString& plik, bool zPodzialemStrony, const QString& oryginal,
                     bool zAkapitemKoncowym = false);
    void ZamienZnacznikNaPoleRozdzialu();
    // Runs the office's search on the document, on a hidden view put on it for the search alone when it has
    // none; 0 without searching when it has none and the text is nowhere in it.
    int Szukaj(const QString& szukany, bool wielkoscLiter, const std::function<int()>& szukanie);
    // The file opened in a hidden window of its own, without macros or links brought up to date.
    com::sun::star::uno::Reference<com::sun::star::lang::XComponent> OtworzOsobno(const QString& plik,
                                                                                  const QString& oryginal);

    com::sun::star::uno::Reference<com::sun::star::lang::XComponent> FDokument;
    QString FPlik;
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> FDesktop;
    // The title page's own page settings, for the title-page style; empty without a title page.
    std::vector<com::sun::star::beans::PropertyValue> FUkladTytulowej;
    QString FStylOdwolania;
    // Where the file inserted last begins, and the bookmarks added, in order.
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> FPoczatekOstatniego;
    QStringList FZakladki;       // their names in the document
    QStringList FTytulyZakladek; // what they were given
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> FPierwszaZakladka;
    // The paragraph after the first page break of the merge.
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> FPierwszyPodzial;
    bool FDwustronny = false;
    // The document's views are held while files come in and the pages, texts and styles are set: the office
    // then lays the text out once, when a PDF is stored or a table of contents needs its page numbers, not
    // after each file and again after the header and the footer change every page. (The merge's document
    // has no view until then; one that was opened has.)
    bool FWidokiWstrzymane = false;
    void WstrzymajWidoki();
    // A hidden view put on a document that has none; its frame, or none when the document had a view.
    com::sun::star::uno::Reference<com::sun::star::frame::XFrame> DolaczWidok();
    void WznowWidoki();
};
