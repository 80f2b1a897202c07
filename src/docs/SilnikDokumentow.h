#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// The header written on every page except the title page.
struct TNaglowekDokumentu
{
    QString Tekst;
    // When not empty: a second paragraph with a field that repeats the nearest text of this paragraph style.
    QString StylOdwolania;
};

// The footer written on every page except the title page.
struct TStopkaDokumentu
{
    QString Tekst;
    bool CzyNrStrony = false;
    // Odd and even pages differ: right pages right-aligned with the number last, left pages start with it.
    bool CzyDwustronna = false;
};

// One open text document of the engine. Closed (without saving) when destroyed.
class IDokumentTekstowy
{
public:
    virtual ~IDokumentTekstowy() = default;

    // Appends the file's content at the end of the body, after a page break when asked. Raises when
    // nothing of the file arrived in the document.
    virtual void WstawPlik(const QString& plik, bool zPodzialemStrony) = 0;
    // Puts the title page first in a document still empty, keeping its own look: its paragraph and
    // character styles are not taken over by this document's styles of the same names, and its page
    // layout (size, margins, background) goes to the title-page style of UstawStronePierwsza.
    virtual void WstawStroneTytulowa(const QString& plik) = 0;
    // A bookmark of that name (made unique) at the start of the file inserted last. A PDF gets one outline
    // entry per bookmark, in the order they were added, leading to its page.
    virtual void DodajZakladke(const QString& nazwa) = 0;
    // A table of contents of the bookmarks' titles with their pages, on a page of its own before the first
    // bookmark (after the title page). Nothing without bookmarks.
    virtual void WstawSpisTresci() = 0;
    // Replaces every occurrence (body, tables, headers, footers); returns how many.
    virtual int ZamienWszystko(const QString& szukany, const QString& nowy, bool wielkoscLiter) = 0;
    // Replaces the first occurrence (or, with wszystkie, every one) by the lines, each line a paragraph
    // (or, with zLamaniemWiersza, all lines in one paragraph separated by line breaks). Returns how many.
    virtual int ZamienNaLinie(const QString& szukany, const QStringList& linie, bool wszystkie,
                              bool zLamaniemWiersza) = 0;
    // How many times the text occurs, letter case respected.
    virtual int PoliczWystapienia(const QString& szukany) = 0;
    // The document's first page takes the title-page style, which has no header and no footer.
    virtual void UstawStronePierwsza() = 0;
    virtual void UstawNaglowek(const TNaglowekDokumentu& naglowek) = 0;
    virtual void UstawStopke(const TStopkaDokumentu& stopka) = 0;
    // Page margins in millimetres, measured as a word processor measures them (to the body text); a title
    // page put in by WstawStroneTytulowa keeps its own.
    virtual void UstawMarginesy(int lewy, int prawy, int gorny, int dolny) = 0;
    // Display names of the paragraph styles the document uses.
    virtual QStringList NazwyUzywanychStylow() = 0;
    // Takes the paragraph style of that display name over from the other document (with its settings and,
    // when the parent is missing here, the parent's name falling back to the default style). Raises when
    // the other document has no such style.
    virtual void KopiujStylAkapitu(IDokumentTekstowy& zrodlo, const QString& nazwa) = 0;
    // Stores a copy in the format that the extension names (.doc, .docx, .odt, .pdf); the target is
    // replaced only when the whole file was written.
    virtual void Zapisz(const QString& plik) = 0;
    // Stores the document over the file it was opened from, in that file's format.
    virtual void Zapisz() = 0;
};

// Opens and creates documents on a word processor the engine owns.
class ISilnikDokumentow
{
public:
    virtual ~ISilnikDokumentow() = default;

    virtual std::unique_ptr<IDokumentTekstowy> NowyDokument() = 0;
    virtual std::unique_ptr<IDokumentTekstowy> OtworzDokument(const QString& plik, bool tylkoDoOdczytu) = 0;
    // After the word processor was lost (see ESilnikUtracony): starts it again.
    virtual void Uruchom() = 0;
};
