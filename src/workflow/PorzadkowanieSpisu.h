#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TSpecyfikacja;
class TSpisST;

// How the list's documents are ordered into folders.
struct TOpcjePorzadkowania
{
    enum TStruktura : int { StrukturaNumer = 0, StrukturaNumerIOpis = 1, StrukturaPlaska = 2 };

    QString FolderDocelowy;
    int Struktura = StrukturaNumer;
    bool Nadpisuj = false;
    bool Aktualizuj = false; // the nodes take the copies as their documents
};

// The report "raport porządkowania struktury.txt" in the user folder: made at the first failure of a run,
// appended to after earlier runs.
class TPorzadkowanieLogger
{
public:
    TPorzadkowanieLogger(QString plikRaportu, QString nazwaListy);
    // A file (source and target) or a folder (no source) that failed. Throws EBlad "Błąd tworzenia pliku
    // logów: brak możliwości zapisu pliku." when the report cannot be written.
    void ZapiszLog(const QString& plikZrodlowy, const QString& plikDocelowy, const QString& blad);
    int Bledow() const { return FBledow; }
    // What was written in this run, line by line.
    const QStringList& Linie() const { return FLinie; }

private:
    void Dopisz(const QStringList& linie);

    QString FPlik;
    QString FNazwaListy;
    int FBledow = 0;
    QStringList FLinie;
};

// Ordering the list's documents into a folder structure below the target folder: the dry run checks every
// path first (nothing is copied when one fails), then the walk makes the folders and copies the documents
// (variants' too), logging each failure and going on. The list is only read; the new paths are returned
// for the caller to set on the main thread.
class TPorzadkowanieSpisu
{
public:
    struct TPlik
    {
        TSpecyfikacja* Wezel; // a specification or a variant; not owned
        QString Zrodlo;
        QString Cel;
    };
    struct TKrok
    {
        QString Folder;           // made when it does not exist
        std::vector<TPlik> Pliki; // copied into it
    };

    TPorzadkowanieSpisu(const TSpisST& spis, TOpcjePorzadkowania opcje);

    // The checks and the dry run; throws EBlad with the reason. Returns the number of documents to copy,
    // the progress's maximum (one step each).
    int Zaplanuj();
    const std::vector<TKrok>& Plan() const { return FPlan; }
    // The list's own folder below the target, where the structure marker goes.
    const QString& FolderListy() const { return FFolderListy; }
    // Writes the marker and copies; krok() after every node, czyZatrzymano() between them. Failures go to
    // the report; returns whether there were none.
    bool Kopiuj(TPorzadkowanieLogger& raport, const std::function<bool()>& czyZatrzymano,
                const std::function<void()>& krok);
    // The nodes whose documents were copied, with their copies (for "Aktualizuj ścieżki po skopiowaniu").
    const std::vector<std::pair<TSpecyfikacja*, QString>>& Skopiowane() const { return FSkopiowane; }

private:
    void PlanujWezel(const TSpecyfikacja& wezel, const QString& folder);

    const TSpisST& FSpis;
    TOpcjePorzadkowania FOpcje;
    QString FFolderListy;
    std::vector<TKrok> FPlan;
    std::vector<std::pair<TSpecyfikacja*, QString>> FSkopiowane;
};
