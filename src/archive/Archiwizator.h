#pragma once

#include "archive/ListaBrakowPlikow.h"
#include "archive/OpcjeEkstrakcjiArchiwum.h"
#include "archive/PathLengthValidator.h"

#include <QString>

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

class TArchiwum;

// One packing run: the archive and the entry each packed file went to, so that a file referenced
// twice is stored once and two different files of one name never share an entry.
class TPakowanie
{
public:
    explicit TPakowanie(TArchiwum& archiwum) : FArchiwum(archiwum) {}

    // Adds the file under prefiks + its file name (or a free variant of that name, "a (2).doc", when a
    // different file took the name already) and returns the entry name.
    QString DodajPlik(const QString& sciezka, const QString& prefiks);
    // Adds content under the name (same rule for a name already taken).
    QString DodajDane(const QString& nazwa, const QByteArray& dane);

    TArchiwum& Archiwum() { return FArchiwum; }

private:
    QString WolnaNazwa(const QString& nazwa) const;

    TArchiwum& FArchiwum;
    std::map<QString, QString> FWpisyPlikow;
};

// One unpacking run: the archive, the options, and the files planned (validation) and written
// (unpacking), so that one entry referenced twice is written once and two entries never claim one file.
class TRozpakowanie
{
public:
    TRozpakowanie(const TArchiwum& archiwum, const TOpcjeEkstrakcjiArchiwum& opcje)
        : FArchiwum(archiwum), FOpcje(opcje), FFolder(opcje.FolderBezSeparatora())
    {
    }

    const TArchiwum& Archiwum() const { return FArchiwum; }
    const TOpcjeEkstrakcjiArchiwum& Opcje() const { return FOpcje; }
    // The target folder without its trailing "/".
    const QString& Folder() const { return FFolder; }

    // Records that the entry goes to the file; a different entry already planned there: "Plik istnieje: ".
    void Zaplanuj(const QString& nazwaWpisu, const QString& cel);
    // True the first time the file is asked for; later references of the same entry reuse it.
    bool CzyDoZapisu(const QString& cel) { return FZapisane.insert(cel).second; }
    // The entry is to be written into the folder; WypakujZaplanowane writes all of them, several at once.
    void DoWypakowania(const QString& nazwaWpisu, const QString& folder)
    {
        FDoWypakowania.emplace_back(nazwaWpisu, folder);
    }
    void WypakujZaplanowane();

private:
    const TArchiwum& FArchiwum;
    const TOpcjeEkstrakcjiArchiwum& FOpcje;
    QString FFolder;
    std::map<QString, QString> FPlan;
    std::set<QString> FZapisane;
    std::vector<std::pair<QString, QString>> FDoWypakowania;
};

// One kind of file reference of a set: packs it, lists its missing files, validates and unpacks it.
// The node given is the set file's document element.
class TArchiwizator
{
public:
    // katalogUzytkownika: what "%USERPATH%" in the stored paths stands for.
    explicit TArchiwizator(QString katalogUzytkownika = QString()) : FKatalogUzytkownika(std::move(katalogUzytkownika))
    {
    }
    virtual ~TArchiwizator() = default;
    void UstawKatalogUzytkownika(const QString& katalog) { FKatalogUzytkownika = katalog; }
    TArchiwizator(const TArchiwizator&) = delete;
    TArchiwizator& operator=(const TArchiwizator&) = delete;

    virtual void Archiwizuj(pugi::xml_node zestaw, TPakowanie& pakowanie) = 0;
    virtual std::unique_ptr<TListaBrakowPlikow> GetListaBrakow(pugi::xml_node zestaw) = 0;
    // Checks every target before anything is written. Throws EBlad / EZaDlugaSciezkaException.
    virtual void Waliduj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) = 0;
    virtual void Rozpakuj(pugi::xml_node zestaw, TRozpakowanie& rozpakowanie) = 0;

    // A stored value is a reference into the archive when it contains "ZIP".
    static bool CzyOdwolanieDoArchiwum(const QString& wartosc) { return wartosc.contains(QLatin1String("ZIP")); }
    // A stored (encoded) path expanded to a real one.
    QString RozwinSciezke(const QString& zakodowana) const;
    // A real path in stored (encoded) form.
    QString ZakodujSciezke(const QString& sciezka) const;
    // Replaces the attribute's value in place (added when missing), keeping the attribute order.
    static void ZmienAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& wartosc);

protected:
    // When the attribute names an existing file: packs it under prefiks + file name and writes the entry
    // name back.
    void ArchiwizujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& prefiks,
                           TPakowanie& pakowanie) const;
    // When the attribute is set and its file is missing: adds the expanded path to the list.
    void DodajBrak(pugi::xml_node wezel, const char* atrybut, TListaBrakowPlikow& lista) const;
    // For an archive reference: the entry exists, its target in the folder is free (or may be
    // overwritten), not too long, and inside the target folder. Returns the target path ("" when the
    // value is no archive reference).
    QString WalidujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& folder,
                           TRozpakowanie& rozpakowanie) const;
    // Writes the referenced entry into the folder and stores the new file's encoded path in the attribute.
    void RozpakujAtrybut(pugi::xml_node wezel, const char* atrybut, const QString& folder,
                         TRozpakowanie& rozpakowanie) const;
    // The checks of one target file (exists without overwrite, length, inside the folder, links).
    void WalidujCel(const QString& cel, TRozpakowanie& rozpakowanie) const;

    TPathLengthValidator FWalidator;

private:
    QString FKatalogUzytkownika;
};
