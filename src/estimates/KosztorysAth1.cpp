#include "estimates/KosztorysAth1.h"

#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/LinieAth.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "estimates/WzorceAth.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QString BrakPliku = QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje.");
const QString BladOdczytu = QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku.");
const QString BrakZapisu = QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku.");
const QString ZapisNaZrodle =
    QStringLiteral("Błąd tworzenia kosztorysu: kopii nie można zapisać w miejscu źródłowego pliku kosztorysu.");
const QString BladZapisu = QStringLiteral("Nieokreślony błąd zapisu kosztorysu: ");

EBlad PlikNieprawidlowy()
{
    return EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
}

// A line break kept inside a value: ESC, "13", ESC, "10".
const QString KodowanyEnter = QString(QChar(27)) + QStringLiteral("13") + QChar(27) + QStringLiteral("10");

// Where the key next occurs in the line from the index, or -1. Keys are a few ASCII characters, so a
// plain scan beats a general search on these short lines.
qsizetype ZnajdzKlucz(QStringView linia, QStringView klucz, qsizetype od)
{
    const qsizetype ostatni = linia.size() - klucz.size();
    const char16_t pierwszy = klucz.front().unicode();
    for (qsizetype i = od; i <= ostatni; ++i) {
        if (linia[i].unicode() != pierwszy)
            continue;
        qsizetype j = 1;
        while (j < klucz.size() && linia[i + j] == klucz[j])
            ++j;
        if (j == klucz.size())
            return i;
    }
    return -1;
}

// The line with every occurrence of the key removed, in one pass.
QString BezKlucza(QStringView linia, QStringView klucz)
{
    qsizetype i = ZnajdzKlucz(linia, klucz, 0);
    if (i < 0)
        return linia.toString();
    QString wynik;
    wynik.reserve(linia.size() - klucz.size());
    qsizetype od = 0;
    while (i >= 0) {
        wynik.append(linia.mid(od, i - od));
        od = i + klucz.size();
        i = ZnajdzKlucz(linia, klucz, od);
    }
    wynik.append(linia.mid(od));
    return wynik;
}

// A value without its encoded line breaks, trimmed.
QString Oczysc(QString wartosc)
{
    if (wartosc.contains(QChar(27)))
        wartosc.remove(KodowanyEnter);
    return std::move(wartosc).trimmed();
}

QString PodstawaZLinii(QStringView linia)
{
    QStringView grupa1, grupa2;
    if (WzorceAth::DopasujPodstaweZTabulatorami(linia, grupa1, grupa2)) {
        QString wynik;
        wynik.reserve(grupa1.size() + grupa2.size() + 1);
        wynik.append(grupa1).append(QLatin1Char(' ')).append(grupa2);
        return std::move(wynik).trimmed();
    }
    if (WzorceAth::DopasujDoTabulatora(linia, grupa1))
        return BezKlucza(grupa1, u"pd=");
    QString wynik = BezKlucza(linia, u"pd=");
    wynik.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return Oczysc(std::move(wynik));
}

bool CzyDaSieOtworzyc(const QString& sciezka)
{
    QFile plik(sciezka);
    return plik.open(QIODevice::ReadOnly);
}

bool CzyIstnieje(const QFileInfo& info)
{
    return info.exists() || info.isSymLink();
}

// The source's bytes, read only from a regular file (a pipe would never end) and never beyond the size an
// estimate can have.
QByteArray CzytajZrodlo(const QString& sciezka)
{
    const QFileInfo info(sciezka);
    if (info.exists() && !info.isFile())
        throw EBlad(BladOdczytu);
    return CzytajPlikKosztorysu(sciezka, {BrakPliku, PlikNieprawidlowy().Komunikat(), BladOdczytu},
                                TLinieAth::MaksRozmiar);
}

// A text that goes into one line of the copy: a line break in it would split the block.
QString JednaLinia(QString tekst)
{
    for (const QChar z : std::as_const(tekst))
        if (z == u'\r' || z == u'\n') {
            tekst.replace(QLatin1Char('\r'), QLatin1Char(' '));
            tekst.replace(QLatin1Char('\n'), QLatin1Char(' '));
            break;
        }
    return tekst;
}

} // namespace

// Positions by identifier for the writer. Blocks that share an identifier get the positions with that
// identifier one after another, in file order (which is the tree's order), so that no position's ST
// number is lost; blocks beyond them get the first such position.
//
// While the blocks keep to the tree's order (the file is the one that was read), the next block's
// position is simply the next position of the tree, which is the same answer without hashing; at the
// first block that departs from it the index is built and the blocks seen so far are counted in.
class TKosztorysAth1::TIndeksPozycji
{
public:
    explicit TIndeksPozycji(const TElementRds& korzen)
    {
        FPozycje.reserve(static_cast<size_t>(korzen.Count()));
        korzen.DlaKazdejPozycji([this](TPozycjaRds& p) { FPozycje.push_back(&p); });
    }

    TPozycjaRds* Dla(const QString& id)
    {
        if (FPoKolei) {
            if (FZgodnych < FPozycje.size() && FPozycje[FZgodnych]->Id() == id)
                return FPozycje[FZgodnych++];
            FPoKolei = false;
            ZbudujIndeks();
            for (size_t i = 0; i < FZgodnych; ++i)
                (void)ZIndeksu(FPozycje[i]->Id());
        }
        return ZIndeksu(id);
    }

private:
    void ZbudujIndeks()
    {
        FPierwsza.reserve(static_cast<qsizetype>(FPozycje.size()));
        QHash<QString, TPozycjaRds*> ostatnia;
        for (TPozycjaRds* p : FPozycje) {
            const auto pierwsza = FPierwsza.constFind(p->Id());
            if (pierwsza == FPierwsza.constEnd()) {
                FPierwsza.insert(p->Id(), p);
                continue;
            }
            const auto o = ostatnia.constFind(p->Id());
            FNastepna.insert(o != ostatnia.constEnd() ? *o : *pierwsza, p);
            ostatnia.insert(p->Id(), p);
        }
    }

    TPozycjaRds* ZIndeksu(const QString& id)
    {
        const auto pierwsza = FPierwsza.constFind(id);
        if (pierwsza == FPierwsza.constEnd())
            return nullptr;
        if (FNastepna.isEmpty())
            return *pierwsza;
        const auto kolejna = FKolejna.constFind(id);
        const bool pierwszyRaz = kolejna == FKolejna.constEnd();
        TPozycjaRds* wynik = pierwszyRaz || !*kolejna ? *pierwsza : *kolejna;
        if (pierwszyRaz || *kolejna)
            FKolejna.insert(id, FNastepna.value(wynik, nullptr));
        return wynik;
    }

    std::vector<TPozycjaRds*> FPozycje; // in tree order
    bool FPoKolei = true;
    size_t FZgodnych = 0; // blocks so far, each with the identifier of the position of its place
    QHash<QString, TPozycjaRds*> FPierwsza;
    QHash<const TPozycjaRds*, TPozycjaRds*> FNastepna;
    // The position the next block with the identifier gets; none once they are used up.
    QHash<QString, TPozycjaRds*> FKolejna;
};

TKosztorysAth1::TKosztorysAth1(const QString& filePath, bool renumeruj, bool indeksuj, bool nadpiszKopie,
                               const TUstawieniaKosztorysu& ustawienia)
    : TKosztorys(filePath, renumeruj, indeksuj, nadpiszKopie, ustawienia)
{
    if (!filePath.isEmpty())
        WczytajKosztorys();
}

TKosztorysAth1::~TKosztorysAth1() = default;

QString TKosztorysAth1::PobierzIdKosztorysu(const QString&)
{
    return {};
}

QString TKosztorysAth1::SciezkaKopiiNaprawczej(const QString& sciezka)
{
    // Only the extension at the end is cut: the same text in a folder's name stays.
    const qsizetype ukosnik = std::max(sciezka.lastIndexOf(QLatin1Char('/')), sciezka.lastIndexOf(QLatin1Char('\\')));
    const qsizetype kropka = sciezka.lastIndexOf(QLatin1Char('.'));
    const QString rozszerzenie = kropka > ukosnik ? sciezka.mid(kropka) : QString();
    return sciezka.left(sciezka.size() - rozszerzenie.size()) + QStringLiteral(" - kopia") + rozszerzenie;
}

void TKosztorysAth1::UstawTytulZPliku(const QString& sciezka)
{
    Opis = NazwaPlikuBezRozszerzenia(sciezka);
    SetTytul(Opis);
}

void TKosztorysAth1::Wczytaj()
{
    FCzyNormaPrzed44 = false;
    FOstatnioDodanaPozycja = nullptr;
    try {
        const QString sciezka = FilePath().GetPath();
        if (Renumeruj || Indeksuj) {
            NaprawPlik(sciezka);
            return;
        }
        const TLinieAth linie(CzytajZrodlo(sciezka), false);
        SprawdzIdINr(linie);
        UstawTytulZPliku(sciezka);
        WczytajLinie(linie);
    } catch (...) {
        FOstatnioDodanaPozycja = nullptr;
        throw;
    }
}

void TKosztorysAth1::CzytajDane(const QByteArray& dane)
{
    FCzyNormaPrzed44 = false;
    FOstatnioDodanaPozycja = nullptr;
    try {
        const TLinieAth linie(dane);
        if (Renumeruj || Indeksuj) {
            WczytajLinie(TLinieAth(NaprawDane(linie)));
        } else {
            SprawdzIdINr(linie);
            WczytajLinie(linie);
        }
    } catch (...) {
        FOstatnioDodanaPozycja = nullptr;
        throw;
    }
}

void TKosztorysAth1::SprawdzIdINr(const TLinieAth& linie) const
{
    bool brakId = false;
    bool brakNr = false;
    TPrzegladAth przeglad(linie);
    TSegmentAth s;
    while (przeglad.Nastepny(s)) {
        if (s.Rodzaj != TRodzajLiniiAth::Pozycja)
            continue;
        bool jestId = false;
        bool jestNr = false;
        for (int i = s.Linia + 1; i < s.Koniec; ++i) {
            const QStringView l = linie[i];
            jestId = jestId || ZaczynaSieOdAth(l, u"id");
            jestNr = jestNr || ZaczynaSieOdAth(l, u"nu");
        }
        brakId = brakId || !jestId;
        brakNr = brakNr || !jestNr;
    }
    if (brakId && brakNr)
        throw EBrakIdNrPozycjiException(QStringLiteral("Brak id i nr"));
    if (brakId)
        throw EBrakIdPozycjiException(QStringLiteral("Brak id"));
    if (brakNr)
        throw EBrakNrPozycjiException(QStringLiteral("Bran nr"));
}

void TKosztorysAth1::NaprawPlik(const QString& sciezka)
{
    const QString kopia = SciezkaKopiiNaprawczej(sciezka);
    const QByteArray zrodlo = CzytajZrodlo(sciezka);
    const QFileInfo infoKopii(kopia);
    if (CzyIstnieje(infoKopii)) {
        if (!NadpiszKopie)
            throw EKopiaIstniejeException(kopia);
        if (!CzyDaSieOtworzyc(kopia))
            throw EBlad(BrakZapisu);
    }
    // The copy is read before it is written: a file that cannot be read leaves no copy behind.
    const QByteArray naprawione = NaprawDane(TLinieAth(zrodlo));
    WczytajLinie(TLinieAth(naprawione));
    try {
        ZapiszBezpiecznie(kopia, naprawione);
    } catch (const EBlad& e) {
        throw EBlad(BladZapisu + e.Komunikat());
    }
    FilePath().SetPath(kopia);
    UstawTytulZPliku(kopia);
}

QByteArray TKosztorysAth1::NaprawDane(const QByteArray& zrodlo) const
{
    return NaprawDane(TLinieAth(zrodlo));
}

QByteArray TKosztorysAth1::NaprawDane(const TLinieAth& linie) const
{
    TZapisAth wynik(linie.RozmiarZrodla() + linie.RozmiarZrodla() / 8 + 64);
    TPrzegladAth przeglad(linie);
    TSegmentAth s;
    int licznik = 1;
    while (przeglad.Nastepny(s)) {
        linie.DopiszLinie(wynik, s.Linia);
        if (s.Rodzaj == TRodzajLiniiAth::Pozycja) {
            TBlokAth blok(linie, s.Linia + 1, s.Koniec);
            NumerujBlok(blok, licznik++);
            blok.Dopisz(wynik);
        } else {
            for (int i = s.Linia + 1; i < s.Koniec; ++i)
                linie.DopiszLinie(wynik, i);
        }
    }
    return wynik.Wynik();
}

void TKosztorysAth1::NumerujBlok(TBlokAth& blok, int licznik) const
{
    const QString numer = QString::number(licznik);
    if (Indeksuj) {
        const QString nowa = QStringLiteral("id=") + numer;
        if (!blok.ZastapOstatnia(u"id", nowa))
            blok.Wstaw(nowa);
    }
    if (Renumeruj) {
        const QString nowa = QStringLiteral("nu=") + numer;
        if (!blok.ZastapOstatnia(u"nu", nowa))
            blok.Wstaw(nowa);
    }
}

void TKosztorysAth1::WczytajLinie(const TLinieAth& linie)
{
    TElementRds* biezacy = this;
    bool rozpoznany = false;
    TPrzegladAth przeglad(linie);
    TSegmentAth s;
    while (przeglad.Nastepny(s)) {
        switch (s.Rodzaj) {
        case TRodzajLiniiAth::Inna:
            break;
        case TRodzajLiniiAth::Wersja:
            rozpoznany = true;
            FCzyNormaPrzed44 = FCzyNormaPrzed44 || s.CzyWersjaPrzed44;
            break;
        case TRodzajLiniiAth::Element:
            rozpoznany = true;
            biezacy = UmiescElement(biezacy, WczytajElementAth(linie, s), s.Poziom);
            break;
        case TRodzajLiniiAth::Podpozycja: {
            // Old versions write a merged position as a position whose basis begins with its ST
            // number and a period, followed by numbered sub-positions.
            rozpoznany = true;
            TPozycjaRds* p = FOstatnioDodanaPozycja;
            QStringView st;
            if (FCzyNormaPrzed44 && p) {
                const QString podstawa = p->Podstawa();
                if (WzorceAth::DopasujStZPodstawy(podstawa, st)) {
                    p->CzyScalona = true;
                    p->SetST(NormalizujSeparatorWariantu(st.toString(), Ustawienia()));
                    p->SetPodstawa(QString());
                }
            }
            break;
        }
        case TRodzajLiniiAth::Pozycja:
            rozpoznany = true;
            FOstatnioDodanaPozycja = biezacy->AddPozycja(WczytajPozycjeAth(linie, s));
            break;
        }
    }
    // Not one line of the format: some other file, not an estimate without positions.
    if (!rozpoznany)
        throw PlikNieprawidlowy();
}

TElementRds* TKosztorysAth1::UmiescElement(TElementRds* biezacy, std::unique_ptr<TElementRds> element, int poziom)
{
    TElementRds* rodzic = this;
    if (poziom != 0) {
        rodzic = biezacy;
        while (rodzic->GetPz() >= poziom && rodzic->Parent)
            rodzic = rodzic->Parent;
    }
    int glebokosc = 1;
    for (const TElementRds* e = rodzic; e->Parent; e = e->Parent)
        ++glebokosc;
    // The tree is freed and walked recursively: a nesting no estimate has must not exhaust the stack.
    if (glebokosc > MaksZaglebienie)
        throw PlikNieprawidlowy();
    return rodzic->AddElement(std::move(element));
}

std::unique_ptr<TElementRds> TKosztorysAth1::WczytajElementAth(const TLinieAth& linie, const TSegmentAth& s) const
{
    QString nr;
    QString opis;
    for (int i = s.Linia + 1; i < s.Koniec; ++i) {
        const QStringView l = linie[i].trimmed();
        if (l.startsWith(u"nu="))
            nr = BezKlucza(l, u"nu=");
        else if (l.startsWith(u"na="))
            opis = Oczysc(BezKlucza(l, u"na="));
    }
    return std::make_unique<TElementRds>(nr, s.Poziom, opis);
}

std::unique_ptr<TPozycjaRds> TKosztorysAth1::WczytajPozycjeAth(const TLinieAth& linie, const TSegmentAth& s)
{
    QString id, nr, st, podstawa, opis, jm, ilosc, cena, rj, mj, sj;
    for (int i = s.Linia + 1; i < s.Koniec; ++i) {
        const QStringView l = linie[i];
        if (ZaczynaSieOdAth(l, u"id")) {
            id = BezKlucza(l, u"id=");
        } else if (ZaczynaSieOdAth(l, u"nu")) {
            nr = BezKlucza(l, u"nu=");
        } else if (ZaczynaSieOdAth(l, u"nsn")) {
            st = Oczysc(BezKlucza(l, u"nsn="));
        } else if (ZaczynaSieOdAth(l, u"pd")) {
            podstawa = PodstawaZLinii(l);
        } else if (ZaczynaSieOdAth(l, u"uw=")) {
            podstawa = (podstawa + QLatin1Char(' ') + BezKlucza(l, u"uw=")).trimmed();
        } else if (ZaczynaSieOdAth(l, u"na")) {
            opis = Oczysc(BezKlucza(l, u"na="));
        } else if (ZaczynaSieOdAth(l, u"jm")) {
            jm = Oczysc(BezKlucza(l, u"jm="));
            const qsizetype tab = jm.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                jm.truncate(tab);
        } else if (ZaczynaSieOdAth(l, u"ob")) {
            QStringView grupa;
            ilosc = WzorceAth::DopasujIlosc(l, grupa) ? grupa.trimmed().toString() : BezKlucza(l, u"ob=");
        } else if (ZaczynaSieOdAth(l, u"cj=")) {
            QStringView grupy[4];
            if (WzorceAth::DopasujCeny(l, grupy)) {
                cena = grupy[0].trimmed().toString();
                rj = grupy[1].trimmed().toString();
                mj = grupy[2].trimmed().toString();
                sj = grupy[3].trimmed().toString();
            } else {
                cena = BezKlucza(l, u"cj=");
            }
        }
    }
    // Stored at once: a position being read reports no change.
    return std::make_unique<TPozycjaRds>(
        TPozycjaRds::TTeksty{std::move(id), std::move(nr), NormalizujSeparatorWariantu(st, Ustawienia()),
                             std::move(podstawa), std::move(opis), std::move(jm), std::move(ilosc), std::move(cena),
                             std::move(rj), std::move(mj), std::move(sj), true},
        WspolnyHandlerPozycji());
}

void TKosztorysAth1::SaveFile(const QString& newFilePath)
{
    const QString zrodlo = FilePath().GetPath();
    if (!QFileInfo(zrodlo).isFile() || !CzyDaSieOtworzyc(zrodlo))
        throw EBlad(BladOdczytu);
    if (CzyIstnieje(QFileInfo(newFilePath)) && !CzyDaSieOtworzyc(newFilePath))
        throw EBlad(BrakZapisu);
    // A copy never replaces its source, even under another name for the same file.
    if (CzyTenSamPlik(zrodlo, newFilePath))
        throw EBlad(ZapisNaZrodle);
    try {
        ZapiszBezpiecznie(newFilePath, ZapiszDoDanych(CzytajZrodlo(zrodlo)));
    } catch (const EBlad& e) {
        throw EBlad(BladZapisu + e.Komunikat());
    }
}

QByteArray TKosztorysAth1::KopiaDanych(const QByteArray& zrodlo) const
{
    const TLinieAth linie(zrodlo);
    TIndeksPozycji indeks(*this);
    TZapisAth wynik(zrodlo.size() + zrodlo.size() / 8 + 64);
    bool rozpoznany = false;
    TPrzegladAth przeglad(linie);
    TSegmentAth s;
    while (przeglad.Nastepny(s)) {
        rozpoznany = rozpoznany || s.Rodzaj != TRodzajLiniiAth::Inna;
        linie.DopiszLinie(wynik, s.Linia);
        if (s.Rodzaj == TRodzajLiniiAth::Pozycja) {
            TBlokAth blok(linie, s.Linia + 1, s.Koniec);
            UstawSTWBlokuAth(blok, indeks);
            blok.Dopisz(wynik);
        } else {
            for (int i = s.Linia + 1; i < s.Koniec; ++i)
                linie.DopiszLinie(wynik, i);
        }
    }
    if (!rozpoznany)
        throw PlikNieprawidlowy();
    return wynik.Wynik();
}

void TKosztorysAth1::UstawSTWBlokuAth(TBlokAth& blok, TIndeksPozycji& indeks) const
{
    int liniaId = -1;
    for (int i = 0; i < blok.Count(); ++i)
        if (ZaczynaSieOdAth(blok[i], u"id"))
            liniaId = i;
    if (liniaId < 0)
        return;
    const TPozycjaRds* pozycja = indeks.Dla(BezKlucza(blok[liniaId], u"id="));
    if (!pozycja)
        return;
    const QString st = JednaLinia(STDoZapisu(*pozycja, Ustawienia()));
    QString nowa;
    QStringView klucz;
    if (FCzyNormaPrzed44 && pozycja->CzyScalona) {
        const QString pole = st + QLatin1Char('.');
        nowa = QStringLiteral("pd=\t\t") + pole + QStringLiteral("\t\t") + pole + QStringLiteral("\t\t0");
        klucz = u"pd=";
    } else {
        nowa = QStringLiteral("nsn=") + st;
        klucz = u"nsn=";
    }
    if (!blok.ZastapOstatnia(klucz, nowa) && !pozycja->ST().trimmed().isEmpty())
        blok.Wstaw(nowa);
}
