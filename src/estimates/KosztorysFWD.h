#pragma once

#include "estimates/BlokiFWD.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;

// The FWD exchange file: its text turned into typed blocks and the blocks turned back into text.
class TKosztorysFWD
{
public:
    TKosztorysFWD();
    ~TKosztorysFWD();
    TKosztorysFWD(const TKosztorysFWD&) = delete;
    TKosztorysFWD& operator=(const TKosztorysFWD&) = delete;

    std::unique_ptr<TFWDNaglowek> Naglowek;
    std::unique_ptr<TFWDStronaTytulowa> StronaTytulowa;
    std::vector<std::unique_ptr<TFWDBlok>> ListaBlokow;

    // Read the text (a byte-order mark selects UTF-8 or UTF-16, otherwise Windows-1250) and parse it.
    // Every failure is raised as TExBladPodczasOtwarciaPliku with the failure's message.
    void LoadFromFile(const QString& nazwaPliku, bool ignorujBledyStruktury);
    void LoadFromStream(QIODevice& strumien, bool ignorujBledyStruktury);
    void LoadFromString(const QString& tekst, bool ignorujBledyStruktury);

    // Rebuild the text from the objects; files and streams get it in Windows-1250 with CR LF.
    // TExBladBrakDanych when there is nothing to write; a failed write is TExBladPodczasZapisuPliku.
    void SaveToFile(const QString& nazwaPliku) const;
    void SaveToStream(QIODevice& strumien) const;
    QString SaveToString() const;
    QByteArray SaveToBytes() const;

    // Empties the lines and the blocks and drops header and title page.
    void WyzerujKosztorys();

    bool IgnorujBledyStruktury() const { return fIgnorujBledyStruktury; }
    // The lines of the text last loaded, as read.
    QStringList ZawartoscPliku() const;
    // The lines after the section line that belong to the section.
    QStringList DaneTxtBloku(const TFWDSekcja& sekcja) const;

    // The text parsed as the loaders parse it, but handed over section by section instead of kept: each
    // section is filled into an object of its kind that is reused for the next section of that kind (its
    // strings keep their buffers), so a large estimate is read or copied without a list of objects. The
    // callback must not keep the section. Structure errors are not reported. Returns whether any section
    // of the format was found.
    // `rodzaje` (bits, see Bit) limits the sections filled and handed over to those kinds: the lines of the
    // others are not read at all, though the sections still count as found.
    static bool PrzejdzSekcje(QStringView tekst, const std::function<void(TFWDSekcja&)>& naSekcje,
                              unsigned rodzaje = WszystkieSekcje);
    // The same for the bytes of a file, read as DekodujTekstPliku reads them, without their whole text in
    // memory at once.
    static bool PrzejdzSekcjePliku(const QByteArray& bajty, const std::function<void(TFWDSekcja&)>& naSekcje,
                                   unsigned rodzaje = WszystkieSekcje);
    static constexpr unsigned Bit(TRodzajSekcjiFwd rodzaj) { return 1u << static_cast<unsigned>(rodzaj); }
    static constexpr unsigned WszystkieSekcje = ~0u;

    // The text of a file from its parts, as SaveToString writes it ("[KONIEC]" last); TExBladBrakDanych
    // when there is no header, no title page and no block.
    static QString ZlozTekst(const TFWDNaglowek* naglowek, const TFWDStronaTytulowa* strona, const QString& bloki,
                             bool saBloki);
    // The same in Windows-1250, as files get it.
    static QByteArray ZlozBajty(const TFWDNaglowek* naglowek, const TFWDStronaTytulowa* strona, const QString& bloki,
                                bool saBloki);
    // Writes the bytes of a file safely; any failure is TExBladPodczasZapisuPliku.
    static void ZapiszPlik(const QString& nazwaPliku, const QByteArray& bajty);

private:
    void Zaladuj(QString tekst, bool ignorujBledyStruktury);
    QString TekstBlokow() const;

    bool fIgnorujBledyStruktury = false;
    // The text once, and its lines as views into it: a large file is not held twice.
    QString fZawartoscPliku;
    std::vector<QStringView> fLinie;
};
