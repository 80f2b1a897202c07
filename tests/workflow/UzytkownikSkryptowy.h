#pragma once

#include "docs/PrzygotowanieEksportu.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/LicznikImportuSt.h"
#include "specs/Specyfikacja.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "workflow/Uzytkownik.h"
#include "workflow/WidokZestawu.h"
#include "zestaw/ZestawST.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>

// A user who answers from a script: each question's text has a queue of answers; a question the script
// did not expect fails the test. Every question, notice and dialog is written to the transcript.
class TUzytkownikSkryptowy : public IUzytkownik
{
public:
    std::map<QString, std::deque<bool>> Pytania;             // ZadajPytanie: by the message line
    std::map<QString, std::deque<TOdpowiedz>> PytaniaAnuluj; // PytanieTakNieAnuluj
    std::deque<QStringList> DoOtwarcia;                      // open dialogs, in order
    std::deque<QString> DoZapisu;                            // save dialogs, in order
    std::deque<std::optional<TWyborPozostalych>> Pozostale;  // "Informacja "
    std::function<void(TCzekanieNaOtwarcie&)> Czekanie;      // default: run to the end
    QStringList Zapis;

    void PokazKomunikat(const QString& tekst) override { Zapis << QStringLiteral("komunikat: ") + tekst; }
    bool ZadajPytanie(const QString& komunikat, const QString&) override
    {
        Zapis << QStringLiteral("pytanie: ") + komunikat;
        return Pobierz(Pytania, komunikat, false);
    }
    TOdpowiedz PytanieTakNieAnuluj(const QString& tekst) override
    {
        Zapis << QStringLiteral("pytanie: ") + tekst;
        return Pobierz(PytaniaAnuluj, tekst, TOdpowiedz::Anuluj);
    }
    TWybranePliki WybierzDoOtwarcia(const TDialogPliku& d) override
    {
        Zapis << QStringLiteral("otwórz: ") + d.Tytul;
        if (DoOtwarcia.empty()) {
            ADD_FAILURE() << "unexpected open dialog " << d.Tytul.toStdString();
            return {};
        }
        TWybranePliki w{DoOtwarcia.front(), d.IndeksFiltru};
        DoOtwarcia.pop_front();
        return w;
    }
    QString WybierzDoZapisu(const TDialogPliku& d) override
    {
        Zapis << QStringLiteral("zapisz: ") + d.Tytul;
        if (DoZapisu.empty()) {
            ADD_FAILURE() << "unexpected save dialog " << d.Tytul.toStdString();
            return {};
        }
        const QString w = DoZapisu.front();
        DoZapisu.pop_front();
        return w;
    }
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString& tekst, bool, int) override
    {
        Zapis << QStringLiteral("informacja: ") + tekst;
        if (Pozostale.empty()) {
            ADD_FAILURE() << "unexpected choice " << tekst.toStdString();
            return std::nullopt;
        }
        const auto w = Pozostale.front();
        Pozostale.pop_front();
        return w;
    }
    void CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie) override
    {
        if (Czekanie) {
            Czekanie(czekanie);
            return;
        }
        czekanie.Uruchom();
        czekanie.Czekaj();
    }
    void PokazSpecyfikacjeZPustymNumerem(TSpisST& spis) override
    {
        Zapis << QStringLiteral("puste numery: ") + QString::number(spis.ListaPustych().size());
    }
    TWyborStronyTytulowej StronaTytulowa;
    TWyborStronyTytulowej StronaTytulowaZestawu(bool) override
    {
        Zapis << QStringLiteral("strona tytułowa");
        return StronaTytulowa;
    }
    void OtworzPlikWProgramie(const QString& plik) override { Zapis << QStringLiteral("uruchom: ") + plik; }
    void OtworzFolder(const QString& folder) override { Zapis << QStringLiteral("folder: ") + folder; }
    // The export dialog's options on OK; none: cancelled.
    std::optional<TUstawieniaEksportuZestawu> OpcjeEksportu;
    int PlikowEksportu = -1;
    std::optional<TUstawieniaEksportuZestawu> EksportujPlikiSpecyfikacji(TZestawST&,
                                                                         const TListaPlikowEksportu& pliki) override
    {
        Zapis << QStringLiteral("eksport");
        PlikowEksportu = static_cast<int>(pliki.Pliki.size());
        return OpcjeEksportu;
    }
    void EksportujDoArkusza(TEksportXlsDialogu&) override { Zapis << QStringLiteral("arkusz"); }

    // Archives and imports: what the dialogs return, each recorded.
    bool OkBrakujacych = true;
    QString Rozpakowany;
    std::deque<TOpcjaDuplikatowNumeru> DuplikatyNumeru;
    std::deque<TOpcjaDuplikatowPliku> DuplikatyPliku;
    int WybranaLista = -1;
    bool BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>&) override
    {
        Zapis << QStringLiteral("brakujące pliki");
        return OkBrakujacych;
    }
    QString RozpakujArchiwum(bool czyZestaw, const QString& archiwum) override
    {
        Zapis << (czyZestaw ? QStringLiteral("rozpakuj zestaw") : QStringLiteral("rozpakuj listę")) +
                     (archiwum.isEmpty() ? QString() : QStringLiteral(": ") + archiwum);
        return Rozpakowany;
    }
    TOpcjaDuplikatowNumeru DuplikatNumeru(const TSpecyfikacja& istniejaca, const TSpecyfikacja&, bool, bool&) override
    {
        Zapis << QStringLiteral("duplikat numeru: ") + istniejaca.Numer();
        return NastepnaOdpowiedz(DuplikatyNumeru, doNone);
    }
    TOpcjaDuplikatowPliku DuplikatPliku(const TSpecyfikacja& istniejaca, const TSpecyfikacja&, bool&) override
    {
        Zapis << QStringLiteral("duplikat pliku: ") + istniejaca.Numer();
        return NastepnaOdpowiedz(DuplikatyPliku, dpoNone);
    }
    void KonfliktSpecyfikacji(const TSpecyfikacja& s, const TSpecyfikacja&, const TSpecyfikacja&) override
    {
        Zapis << QStringLiteral("konflikt: ") + s.Numer();
    }
    void PodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& l) override
    {
        Zapis << QStringLiteral("import: %1 %2/%3/%4/%5")
                     .arg(komunikat)
                     .arg(l.DodanychSt())
                     .arg(l.NadpisanychPlikow())
                     .arg(l.PominietychSt())
                     .arg(l.NadpisanychSt());
    }
    int WybierzListe(const QStringList& listy) override
    {
        Zapis << QStringLiteral("listy: ") + listy.join(QLatin1Char(','));
        return WybranaLista;
    }

    // The ordering dialog: the test's steps (set the options, Start, Czekaj...); none: closed at once.
    std::function<void(TPorzadkowanieDialogu&)> Porzadkowanie;
    void PorzadkowanieSpisu(TPorzadkowanieDialogu& dialog) override
    {
        Zapis << QStringLiteral("porządkowanie");
        if (Porzadkowanie)
            Porzadkowanie(dialog);
    }
    std::deque<std::optional<TDaneGrupy>> Grupy;
    std::deque<std::optional<TDaneSpecyfikacji>> Specyfikacje;
    std::optional<TDaneGrupy> EdycjaGrupy(const TDaneGrupy& d) override
    {
        Zapis << QStringLiteral("grupa: %1 %2").arg(d.Poziom).arg(d.Numer);
        return Nastepny(Grupy);
    }
    std::optional<TDaneSpecyfikacji> EdycjaSpecyfikacji(const TDaneSpecyfikacji& d) override
    {
        Zapis << d.Tytul + QStringLiteral(": ") + d.Numer;
        return Nastepny(Specyfikacje);
    }
    // The settings dialog: the test's change, then OK; none: cancelled.
    std::function<void(TZestawST&)> ZmianaUstawien;
    bool Ustawienia(TZestawST& zestaw) override
    {
        Zapis << QStringLiteral("ustawienia");
        if (!ZmianaUstawien)
            return false;
        ZmianaUstawien(zestaw);
        return true;
    }
    std::unique_ptr<TSpisST> WynikScalania;
    std::unique_ptr<TSpisST> ScalListy(const QString&, TZestawST&) override
    {
        Zapis << QStringLiteral("scalanie");
        return std::move(WynikScalania);
    }

    // Every scripted answer was used.
    void SprawdzZuzyte() const
    {
        for (const auto& [tekst, kolejka] : Pytania)
            EXPECT_TRUE(kolejka.empty()) << "unused answer to " << tekst.toStdString();
        for (const auto& [tekst, kolejka] : PytaniaAnuluj)
            EXPECT_TRUE(kolejka.empty()) << "unused answer to " << tekst.toStdString();
        EXPECT_TRUE(DoOtwarcia.empty());
        EXPECT_TRUE(DoZapisu.empty());
        EXPECT_TRUE(Pozostale.empty());
    }

private:
    template <typename T> T NastepnaOdpowiedz(std::deque<T>& kolejka, T domyslna)
    {
        if (kolejka.empty()) {
            ADD_FAILURE() << "unexpected duplicate dialog";
            return domyslna;
        }
        const T w = kolejka.front();
        kolejka.pop_front();
        return w;
    }
    template <typename T> std::optional<T> Nastepny(std::deque<std::optional<T>>& kolejka)
    {
        if (kolejka.empty()) {
            ADD_FAILURE() << "unexpected dialog";
            return std::nullopt;
        }
        auto w = std::move(kolejka.front());
        kolejka.pop_front();
        return w;
    }
    template <typename T> T Pobierz(std::map<QString, std::deque<T>>& mapa, const QString& tekst, T domyslna)
    {
        auto it = mapa.find(tekst);
        if (it == mapa.end() || it->second.empty()) {
            ADD_FAILURE() << "unexpected question: " << tekst.toStdString();
            return domyslna;
        }
        const T w = it->second.front();
        it->second.pop_front();
        return w;
    }
};

// The window as far as the controller tells it anything.
class TWidokTestowy : public IWidokZestawu
{
public:
    QString Tytul;
    QStringList Status{QString(), QString(), QString(), QString(), QString()};
    int Ostatnie = 0;
    int Drzewa = 0;
    bool Specyfikacje = true;
    const TElementRds* Zaznaczony = nullptr;

    void UstawTytul(const QString& t) override { Tytul = t; }
    void UstawStatus(int panel, const QString& t) override { Status[panel] = t; }
    void OdswiezOstatnie() override { ++Ostatnie; }
    void OdswiezDrzewoSpecyfikacji() override { ++Drzewa; }
    void UstawWidok(bool s) override { Specyfikacje = s; }
    void ZaznaczElement(const TElementRds* e) override { Zaznaczony = e; }
    int WierszPozycji = -1;
    int WierszZbioru = -1;
    const TSpecyfikacja* Wezel = nullptr;
    bool TylkoSpecyfikacje = false;
    int Zastosowan = 0;
    void ZaznaczWierszPozycji(int w) override { WierszPozycji = w; }
    void ZaznaczWierszZbioru(int w) override { WierszZbioru = w; }
    void PokazWezelSpecyfikacji(const TSpecyfikacja* w) override { Wezel = w; }
    void UstawTylkoWidokSpecyfikacje(bool t) override { TylkoSpecyfikacje = t; }
    void ZastosujUstawieniaWidoku() override { ++Zastosowan; }
    int Zwiniety = -1;
    void ZwinDoPoziomu(int p) override { Zwiniety = p; }
};
