#include "docs/SilnikTestowy.h"

#include "docs/WyjatkiDokumentow.h"

#include <QFileInfo>
#include <QSaveFile>

struct TSilnikTestowy::TStan
{
    struct TRegula
    {
        QString Poczatek;
        TRodzajAwarii Rodzaj;
        QString Komunikat;
        int Ile;
    };

    QStringList Dziennik;
    std::vector<TRegula> Reguly;
    QHash<QString, QHash<QString, int>> Wystapienia;
    QHash<QString, QStringList> Style;
    int Otwarte = 0;

    // Records the call, then fails it when a rule says so.
    void Wywolanie(const QString& tekst)
    {
        Dziennik << tekst;
        for (TRegula& r : Reguly) {
            if (r.Ile <= 0 || !tekst.startsWith(r.Poczatek))
                continue;
            --r.Ile;
            switch (r.Rodzaj) {
            case TRodzajAwarii::Blad:
                throw EBlad(r.Komunikat);
            case TRodzajAwarii::Utracony:
                throw ESilnikUtracony(r.Komunikat);
            case TRodzajAwarii::BrakSilnika:
                throw EBrakSilnikaDokumentow(r.Komunikat);
            }
        }
    }
};

namespace {

QString Flaga(bool wartosc)
{
    return wartosc ? QStringLiteral("1") : QStringLiteral("0");
}

class TDokumentTestowy : public IDokumentTekstowy
{
public:
    TDokumentTestowy(std::shared_ptr<TSilnikTestowy::TStan> stan, QString zrodlo, bool tylkoDoOdczytu)
        : FStan(std::move(stan)), FZrodlo(std::move(zrodlo)), FTylkoDoOdczytu(tylkoDoOdczytu)
    {
        ++FStan->Otwarte;
    }

    ~TDokumentTestowy() override
    {
        --FStan->Otwarte;
        FStan->Dziennik << QStringLiteral("Zamknij");
    }

    void WstawPlik(const QString& plik, bool zPodzialemStrony) override
    {
        Wywolanie(QStringLiteral("WstawPlik(%1, podzial=%2)").arg(plik, Flaga(zPodzialemStrony)));
        // As the office does: nothing arrives from a file that is not there.
        if (!QFileInfo(plik).isFile())
            throw EBlad(QStringLiteral("Nie można wstawić pliku: ") + plik);
    }

    void WstawStroneTytulowa(const QString& plik) override
    {
        Wywolanie(QStringLiteral("WstawStroneTytulowa(%1)").arg(plik));
        if (!QFileInfo(plik).isFile())
            throw EBlad(QStringLiteral("Nie można wstawić pliku: ") + plik);
    }

    void DodajZakladke(const QString& nazwa) override { Wywolanie(QStringLiteral("DodajZakladke(%1)").arg(nazwa)); }
    void WstawSpisTresci() override { Wywolanie(QStringLiteral("WstawSpisTresci")); }

    int ZamienWszystko(const QString& szukany, const QString& nowy, bool wielkoscLiter) override
    {
        Wywolanie(QStringLiteral("ZamienWszystko(%1, %2, wielkoscLiter=%3)")
                      .arg(TSilnikTestowy::Tekst(szukany), TSilnikTestowy::Tekst(nowy), Flaga(wielkoscLiter)));
        return 0;
    }

    int ZamienNaLinie(const QString& szukany, const QStringList& linie, bool wszystkie, bool zLamaniemWiersza) override
    {
        QStringList cytaty;
        for (const QString& l : linie)
            cytaty << QLatin1Char('"') + TSilnikTestowy::Tekst(l) + QLatin1Char('"');
        Wywolanie(QStringLiteral("ZamienNaLinie(%1, [%2], wszystkie=%3, lamanie=%4)")
                      .arg(TSilnikTestowy::Tekst(szukany), cytaty.join(QStringLiteral(", ")), Flaga(wszystkie),
                           Flaga(zLamaniemWiersza)));
        return 0;
    }

    int PoliczWystapienia(const QString& szukany) override
    {
        Wywolanie(QStringLiteral("PoliczWystapienia(%1)").arg(TSilnikTestowy::Tekst(szukany)));
        return FStan->Wystapienia.value(FZrodlo).value(szukany, 0);
    }

    void UstawStronePierwsza() override { Wywolanie(QStringLiteral("UstawStronePierwsza")); }

    void UstawNaglowek(const TNaglowekDokumentu& naglowek) override
    {
        Wywolanie(QStringLiteral("UstawNaglowek(%1, styl=%2)")
                      .arg(TSilnikTestowy::Tekst(naglowek.Tekst), TSilnikTestowy::Tekst(naglowek.StylOdwolania)));
    }

    void UstawStopke(const TStopkaDokumentu& stopka) override
    {
        Wywolanie(
            QStringLiteral("UstawStopke(%1, nrStrony=%2, dwustronna=%3)")
                .arg(TSilnikTestowy::Tekst(stopka.Tekst), Flaga(stopka.CzyNrStrony), Flaga(stopka.CzyDwustronna)));
    }

    void UstawMarginesy(int lewy, int prawy, int gorny, int dolny) override
    {
        Wywolanie(QStringLiteral("UstawMarginesy(l=%1, p=%2, g=%3, d=%4)").arg(lewy).arg(prawy).arg(gorny).arg(dolny));
    }

    QStringList NazwyUzywanychStylow() override
    {
        Wywolanie(QStringLiteral("NazwyUzywanychStylow"));
        return FStan->Style.value(FZrodlo);
    }

    void KopiujStylAkapitu(IDokumentTekstowy& zrodlo, const QString& nazwa) override
    {
        const auto* inny = dynamic_cast<const TDokumentTestowy*>(&zrodlo);
        const QString skad = inny && !inny->FZrodlo.isEmpty() ? inny->FZrodlo : QStringLiteral("nowy");
        Wywolanie(QStringLiteral("KopiujStylAkapitu(%1, %2)").arg(skad, TSilnikTestowy::Tekst(nazwa)));
        // As the office does: a style the other document lacks cannot be taken over.
        if (!inny || !FStan->Style.value(inny->FZrodlo).contains(nazwa))
            throw EBlad(QStringLiteral("Brak stylu w dokumencie źródłowym: ") + nazwa);
    }

    void Zapisz(const QString& plik) override
    {
        Wywolanie(QStringLiteral("Zapisz(%1)").arg(plik));
        ZapiszDo(plik);
    }

    void Zapisz() override
    {
        Wywolanie(QStringLiteral("Zapisz()"));
        if (FZrodlo.isEmpty())
            throw EBlad(QStringLiteral("Dokument nie ma jeszcze pliku."));
        if (FTylkoDoOdczytu)
            throw EBlad(QStringLiteral("Dokument otwarto tylko do odczytu: ") + FZrodlo);
        ZapiszDo(FZrodlo);
    }

private:
    void Wywolanie(const QString& tekst)
    {
        FHistoria << tekst;
        FStan->Wywolanie(tekst);
    }

    void ZapiszDo(const QString& plik)
    {
        QSaveFile zapis(plik);
        const QByteArray tresc = ((FZrodlo.isEmpty() ? QStringLiteral("nowy") : FZrodlo) + QLatin1Char('\n') +
                                  FHistoria.join(QLatin1Char('\n')))
                                     .toUtf8();
        if (!zapis.open(QIODevice::WriteOnly) || zapis.write(tresc) != tresc.size() || !zapis.commit())
            throw EBlad(QStringLiteral("Nie można zapisać pliku: ") + plik);
    }

    std::shared_ptr<TSilnikTestowy::TStan> FStan;
    QString FZrodlo;
    bool FTylkoDoOdczytu;
    QStringList FHistoria;
};

} // namespace

TSilnikTestowy::TSilnikTestowy() : FStan(std::make_shared<TStan>()) {}

TSilnikTestowy::~TSilnikTestowy() = default;

std::unique_ptr<IDokumentTekstowy> TSilnikTestowy::NowyDokument()
{
    FStan->Wywolanie(QStringLiteral("NowyDokument"));
    return std::make_unique<TDokumentTestowy>(FStan, QString(), false);
}

std::unique_ptr<IDokumentTekstowy> TSilnikTestowy::OtworzDokument(const QString& plik, bool tylkoDoOdczytu)
{
    FStan->Wywolanie(QStringLiteral("OtworzDokument(%1, tylkoDoOdczytu=%2)").arg(plik, Flaga(tylkoDoOdczytu)));
    if (!QFileInfo(plik).isFile())
        throw EBlad(QStringLiteral("Nie można otworzyć dokumentu: ") + plik);
    return std::make_unique<TDokumentTestowy>(FStan, plik, tylkoDoOdczytu);
}

void TSilnikTestowy::Uruchom()
{
    FStan->Wywolanie(QStringLiteral("Uruchom"));
}

const QStringList& TSilnikTestowy::Dziennik() const
{
    return FStan->Dziennik;
}

void TSilnikTestowy::Dopisz(const QString& zdarzenie)
{
    FStan->Dziennik << zdarzenie;
}

void TSilnikTestowy::WyczyscDziennik()
{
    FStan->Dziennik.clear();
}

int TSilnikTestowy::Ile(const QString& poczatek) const
{
    int ile = 0;
    for (const QString& w : FStan->Dziennik)
        if (w.startsWith(poczatek))
            ++ile;
    return ile;
}

int TSilnikTestowy::OtwarteDokumenty() const
{
    return FStan->Otwarte;
}

void TSilnikTestowy::Awaria(const QString& poczatek, TRodzajAwarii rodzaj, const QString& komunikat, int ile)
{
    FStan->Reguly.push_back({poczatek, rodzaj, komunikat, ile});
}

void TSilnikTestowy::UstawWystapienia(const QString& plik, const QString& szukany, int ile)
{
    FStan->Wystapienia[plik][szukany] = ile;
}

void TSilnikTestowy::UstawStyle(const QString& plik, const QStringList& style)
{
    FStan->Style[plik] = style;
}

QString TSilnikTestowy::Tekst(const QString& tekst)
{
    QString wynik = tekst;
    wynik.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    wynik.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    wynik.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return wynik;
}
