#pragma once

#include "docs/TypPliku.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class IDokumentTekstowy;
class ISilnikDokumentow;
class QElapsedTimer;

// How long the parts of the last merge took, in milliseconds. The start includes the office's own start
// when it was not running yet.
struct TCzasyScalania
{
    qint64 Start = 0;      // the new document
    qint64 Wstawianie = 0; // the files, with the list of specifications
    qint64 Strony = 0;     // title page, header, footer, margins
    qint64 Zamiany = 0;    // the task name
    qint64 Zapis = 0;
};
class TMyPath;

// What every exporter of a set's documents shares: the settings of one export request and the merge of
// an ordered list of documents into one. Settings start off (false, empty, 0).
class TZbiorEksporter
{
public:
    using TOnProgressChange = std::function<void(TZbiorEksporter* sender)>;

    virtual ~TZbiorEksporter();
    TZbiorEksporter(const TZbiorEksporter&) = delete;
    TZbiorEksporter& operator=(const TZbiorEksporter&) = delete;

    bool CzyStronaTytulowa = false; // the first file is a title page, without header and footer
    bool CzyNaglowek = false;
    QStringList TrescNaglowka;
    bool CzyStopka = false;
    QStringList TrescStopki;
    bool CzyNrStronyWStopce = false;
    bool CzyDrukDwustronny = false;
    bool CzyOtworzPoZapisaniu = false;
    bool CzyTekstDoSt = false;
    QStringList TekstDoSt; // replaces "#NAZWA_ZADANIA#"
    bool CzyStylWNaglowku = false;
    QString NazwaStyluWNaglowku;
    bool CzyWeryfikujStylNaglowka = false;
    bool CzyUstawMarginesy = false;
    int MarginesL = 0; // millimetres
    int MarginesR = 0;
    int MarginesG = 0;
    int MarginesD = 0;
    bool CzyWstawListeStDoWarOgolnych = false;
    QStringList ListaStDoWarOgolnych;              // written at "#LISTA_ST#"
    const TMyPath* PlikWarunkowOgolnych = nullptr; // one of the merged files; not owned
    // A bookmark at the start of each file that has one (by its path): the specification's number and title.
    QHash<QString, QString> ZakladkiPlikow;
    bool CzySpisTresci = false; // a table of contents of those bookmarks after the title page
    TOnProgressChange OnProgressChange;
    TCzasyScalania Czasy; // of the last merge

    // Merges the files, in order, into one new document saved under the path.
    virtual void ScalPliki(const QString& plikWynikowyPath, const std::vector<const TMyPath*>& listaPlikow) = 0;
    virtual QString GetDefaultExtension() const;
    virtual QString GetFilter() const;
    virtual bool CzyObslugiwanyPlik(const QString& plik) const;
    // Whether the general-conditions file holds "#LISTA_ST#", and how many times.
    virtual bool CzyTestListySTWWarunkachOgolnych(int& ilosc) = 0;
    virtual void Otworz(const QString& plik) = 0;
    virtual void ZnajdzZamien(const QString& szukanyTekst, const QString& podmienNa) = 0;
    virtual void ZapiszIZamknij() = 0;

    // May be called from any thread; the merge stops before its next step.
    void Terminate() { FTerminated = true; }
    void ResetTerminated() { FTerminated = false; }
    bool Terminated() const { return FTerminated; }
    QString CurrentFile() const;

protected:
    explicit TZbiorEksporter(std::unique_ptr<TTypPliku> typPliku);
    // Before each file: the file's name becomes CurrentFile and the progress event fires.
    void ZmianaPostepu(const QString& plik);
    // Runs the work on the engine; when the word processor was lost on the way, starts it again and runs
    // the work once more.
    static void ZPonowieniem(ISilnikDokumentow& silnik, const std::function<void()>& praca);
    // A new document with the files inserted in order (the first one as the title page when
    // CzyStronaTytulowa; the progress event before each, a stop checked
    // between them; a missing file raises "Podany plik nie istnieje: ..."), the list of specifications
    // written into the general-conditions file at its first "#LISTA_ST#" as paragraphs or, with
    // wszystkieMiejscaListy, at every one as lines of one paragraph. Fills Czasy.Start and Czasy.Wstawianie.
    std::unique_ptr<IDokumentTekstowy> NowyZPlikami(ISilnikDokumentow& silnik, const std::vector<const TMyPath*>& lista,
                                                    bool wszystkieMiejscaListy, QElapsedTimer& zegar);
    // The whole text of a list of lines, trimmed.
    static QString Tekst(const QStringList& linie);

private:
    std::unique_ptr<TTypPliku> FTypPliku;
    std::atomic<bool> FTerminated{false};
    QString FCurrentFile;
};
