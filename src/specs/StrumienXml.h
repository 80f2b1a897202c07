#pragma once

#include <QByteArray>
#include <QString>

#include <cstring>
#include <functional>
#include <vector>

// The list file written straight into bytes, element by element, in the very form pugixml gives a document
// saved by XmlNaBajty (declaration, two blanks of indent per level, " />" for an empty element, attribute
// values escaped as pugixml escapes them). A list of 20,000 specifications holds some two million
// attributes: building them as a document first costs an allocation and a copy each, and the document's
// memory on top of the file's.
class TStrumienXml
{
public:
    using TUjscie = std::function<void(const char* dane, qsizetype dlugosc)>;

    // Starts with the declaration; okolo: the expected size, reserved at once.
    explicit TStrumienXml(qsizetype okolo = 0);
    // Hands the bytes on to ujscie in blocks of about a megabyte (the last one in Dokoncz), so that a
    // large file never lies whole in memory.
    explicit TStrumienXml(TUjscie ujscie);

    // Opens an element inside the one open now (or the document element).
    void Otworz(const char* nazwa);
    // Attributes of the element opened last, before anything is opened inside it.
    void Atrybut(const char* nazwa, const char* utf8);
    // Cut at the first U+0000, as a text handed to pugixml is.
    void Atrybut(const char* nazwa, const QString& wartosc);
    void Atrybut(const char* nazwa, bool wartosc) { Atrybut(nazwa, wartosc ? "true" : "false"); }
    // The number's form in the program's files (see LiczbaXml).
    void AtrybutLiczba(const char* nazwa, double wartosc);
    void Zamknij();

    // The bytes; every element must be closed.
    QByteArray Wynik() &&;
    // With an outlet: hands on what is left. Returns the number of bytes written in all.
    qint64 Dokoncz();

private:
    void Wciecie();
    // Room for that many more bytes at FKoniec.
    char* Miejsce(qsizetype ile)
    {
        if (FKoniecMiejsca - FKoniec < ile)
            Powieksz(ile);
        return FKoniec;
    }
    void Powieksz(qsizetype ile);
    void Dopisz(const char* dane, qsizetype dlugosc)
    {
        std::memcpy(Miejsce(dlugosc), dane, static_cast<std::size_t>(dlugosc));
        FKoniec += dlugosc;
    }
    void Dopisz(char znak)
    {
        *Miejsce(1) = znak;
        ++FKoniec;
    }
    void DopiszNazwe(const char* nazwa) { Dopisz(nazwa, static_cast<qsizetype>(std::strlen(nazwa))); }
    void DopiszEscape(const char* utf8, qsizetype dlugosc);

    // Written into the array's own storage, sized ahead; the array takes its length at the end.
    QByteArray FBajty;
    char* FKoniec = nullptr;
    char* FKoniecMiejsca = nullptr;
    TUjscie FUjscie;
    qint64 FOddane = 0;
    std::vector<const char*> FOtwarte;
    // The element opened last still waits for ">" or " />".
    bool FNiedomkniety = false;
};

// A number as the program writes it to its XML files: "0" for zero (also -0), otherwise the shortest
// general form with up to 15 significant digits ("%.15g") with a decimal comma. Returns the length;
// the buffer holds the text, ended with a zero.
int LiczbaXml(double wartosc, char (&bufor)[64]);
