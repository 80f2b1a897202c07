#include "specs/Specyfikacja.h"

#include "app/Wyjatki.h"
#include "specs/IstnienieDokumentow.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/WariantSpecyfikacji.h"

#include <algorithm>

namespace {

template <typename T> int IndeksW(const std::vector<std::unique_ptr<T>>& lista, const void* element)
{
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i].get() == element)
            return static_cast<int>(i);
    return -1;
}

template <typename T> bool CzyIndeksW(const std::vector<std::unique_ptr<T>>& lista, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < lista.size();
}

QString KomunikatZagniezdzenia(const QString& numer)
{
    return QStringLiteral("Błąd! Próba dodania specyfikacji ") + numer +
           QStringLiteral(" spowoduje przekroczenie maksymalnego poziomu zagnieżdżenia specyfikacji. "
                          "Operacja przerwana.");
}

// The decoded path; empty for an empty stored form.
QString Rozkodowana(const TMyPath& sciezka)
{
    return sciezka.EncodedPath().isEmpty() ? QString() : sciezka.GetPath();
}

} // namespace

TSpecyfikacja::TSpecyfikacja(const QString& numer, bool czyWarunkiOgolne, bool czyGrupa, const QString& info,
                             const QString& plik, const QString& opis, const QString& katalogUzytkownika)
    : FNumer(numer), FOpis(opis), FPlik(katalogUzytkownika), FGrupa(czyGrupa), FWarunkiOgolne(czyWarunkiOgolne),
      FInfo(info)
{
    if (!FGrupa && !plik.isEmpty())
        FPlik.SetPath(plik);
    OdswiezIstnienie();
}

TSpecyfikacja::~TSpecyfikacja() = default;

// --- Children

bool TSpecyfikacja::Add(std::unique_ptr<TSpecyfikacja> s)
{
    if (!s)
        return false;
    TSpecyfikacja* wezel = s.get();
    // A node that is already ours must survive the refusal below, whichever way it ends.
    const bool juzDziecko = IndexOf(wezel) >= 0;
    if (juzDziecko)
        static_cast<void>(s.release());
    const int poziom = KtoryPoziom();
    if ((wezel->FGrupa && poziom >= 3) || poziom >= 4)
        throw EBlad(KomunikatZagniezdzenia(wezel->FNumer));
    if (juzDziecko)
        return false;
    wezel->FParent = this;
    Specyfikacje.push_back(std::move(s));
    if (!KatalogUzytkownika().isEmpty())
        wezel->UstawKatalogUzytkownika(KatalogUzytkownika());
    if (!wezel->FGrupa) {
        // A specification under a specification: the upper one becomes the group that holds it.
        FPlik.SetEncodedPath(QString());
        FPokolenieIstnienia = 0;
        FGrupa = true;
    }
    if (FOnZmieniono)
        wezel->SetOnZmieniono(FOnZmieniono);
    Zmieniono();
    return true;
}

bool TSpecyfikacja::Insert(std::unique_ptr<TSpecyfikacja> s, int index)
{
    if (!s)
        return false;
    if (IndexOf(s.get()) >= 0) {
        static_cast<void>(s.release());
        return false;
    }
    if (!CzyIndeksW(Specyfikacje, index))
        return false;
    s->FParent = this;
    if (!KatalogUzytkownika().isEmpty())
        s->UstawKatalogUzytkownika(KatalogUzytkownika());
    Specyfikacje.insert(Specyfikacje.begin() + index, std::move(s));
    Zmieniono();
    return true;
}

bool TSpecyfikacja::Remove(TSpecyfikacja* s)
{
    return Remove(IndexOf(s));
}

bool TSpecyfikacja::Remove(int index)
{
    if (!CzyIndeksW(Specyfikacje, index))
        return false;
    Specyfikacje.erase(Specyfikacje.begin() + index);
    Zmieniono();
    return true;
}

void TSpecyfikacja::Overwrite(const TSpecyfikacja& inna)
{
    // Overwriting with itself would free the variants it is about to copy.
    if (&inna == this)
        return;
    FNumer = inna.FNumer;
    FOpis = inna.FOpis;
    const QString plik = inna.GetPlik();
    if (plik.isEmpty())
        FPlik.SetEncodedPath(QString());
    else
        FPlik.SetPath(plik);
    FPokolenieIstnienia = 0;
    FInfo = inna.FInfo;
    FGrupa = inna.FGrupa;
    FWarunkiOgolne = inna.FWarunkiOgolne;
    FHidden = inna.FHidden;
    ClearWarianty();
    for (const auto& wariant : inna.FWarianty)
        DolaczWariant(wariant->CloneWariant(true));
    Zmieniono();
}

std::unique_ptr<TSpecyfikacja> TSpecyfikacja::Delete(TSpecyfikacja* s)
{
    const int index = IndexOf(s);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TSpecyfikacja> wynik = std::move(Specyfikacje[static_cast<std::size_t>(index)]);
    Specyfikacje.erase(Specyfikacje.begin() + index);
    wynik->FParent = nullptr;
    Zmieniono();
    return wynik;
}

bool TSpecyfikacja::Move(int curIndex, int newIndex)
{
    if (!CzyIndeksW(Specyfikacje, curIndex) || !CzyIndeksW(Specyfikacje, newIndex))
        return false;
    auto wezel = std::move(Specyfikacje[static_cast<std::size_t>(curIndex)]);
    Specyfikacje.erase(Specyfikacje.begin() + curIndex);
    Specyfikacje.insert(Specyfikacje.begin() + newIndex, std::move(wezel));
    Zmieniono();
    return true;
}

QString TSpecyfikacja::GetCaption() const
{
    return (FNumer + QLatin1Char(' ') + FOpis).trimmed();
}

QString TSpecyfikacja::ToString() const
{
    return QStringLiteral("Specyfikacja: ") + FNumer + QStringLiteral(", ") + FOpis + QStringLiteral(", ") +
           FPlik.ToString();
}

int TSpecyfikacja::Count() const
{
    return static_cast<int>(Specyfikacje.size());
}

TSpecyfikacja* TSpecyfikacja::GetSpecyfikacja(int index) const
{
    return CzyIndeksW(Specyfikacje, index) ? Specyfikacje[static_cast<std::size_t>(index)].get() : nullptr;
}

int TSpecyfikacja::IndexOf(const TSpecyfikacja* s) const
{
    return s ? IndeksW(Specyfikacje, s) : -1;
}

int TSpecyfikacja::GetIndex() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

bool TSpecyfikacja::Equals(const TSpecyfikacja* inna) const
{
    return inna && FNumer == inna->FNumer && GetPlik() == inna->GetPlik();
}

// --- Document

void TSpecyfikacja::UstawKatalogUzytkownika(const QString& katalog)
{
    if (FPlik.KatalogUzytkownika() == katalog)
        return;
    // Existence is asked again only when the document's real path moved with the folder.
    const QString przed = Rozkodowana(FPlik);
    FPlik.UstawKatalogUzytkownika(katalog);
    if (Rozkodowana(FPlik) != przed) {
        FPokolenieIstnienia = 0;
        OdswiezIstnienie();
    }
    for (const auto& wariant : FWarianty)
        static_cast<TSpecyfikacja&>(*wariant).UstawKatalogUzytkownika(katalog);
    for (const auto& dziecko : Specyfikacje)
        dziecko->UstawKatalogUzytkownika(katalog);
}

bool TSpecyfikacja::CzyPlikIstniejeTeraz() const
{
    const QString sciezka = Rozkodowana(FPlik);
    return !QStringView(sciezka).trimmed().isEmpty() && CzyDokumentIstnieje(sciezka);
}

QString TSpecyfikacja::GetPlik() const
{
    return CzyPlikIstniejeTeraz() ? FPlik.GetPath() : QString();
}

QString TSpecyfikacja::GetLongPath() const
{
    return CzyPlikIstniejeTeraz() ? FPlik.GetLongPath() : QString();
}

// --- Levels and counts

int TSpecyfikacja::KtoryPoziom() const
{
    int poziom = 0;
    for (const TSpecyfikacja* p = FParent; p; p = p->FParent)
        ++poziom;
    return poziom;
}

int TSpecyfikacja::IlePoziomow() const
{
    int ile = 0;
    int najwyzszy = 0;
    auto przejdz = [&](const TSpecyfikacja& wezel, auto&& dalej) -> void {
        if (wezel.FGrupa) {
            const int poziom = wezel.KtoryPoziom();
            if (poziom > najwyzszy) {
                ++ile;
                najwyzszy = poziom;
            }
        }
        for (const auto& dziecko : wezel.Specyfikacje)
            dalej(*dziecko, dalej);
    };
    przejdz(*this, przejdz);
    return ile - 1;
}

int TSpecyfikacja::IleSpecyfikacji(bool czyLiczycUkryte) const
{
    int ile = (!FGrupa && (czyLiczycUkryte || !FHidden)) ? 1 : 0;
    for (const auto& dziecko : Specyfikacje)
        ile += dziecko->IleSpecyfikacji(czyLiczycUkryte);
    return ile;
}

// --- Variants

bool TSpecyfikacja::AddWariant(std::unique_ptr<TWariantSpecyfikacji> wariant)
{
    if (!wariant)
        return false;
    const bool juzJest = ContainsWariant(wariant.get());
    if (juzJest)
        static_cast<void>(wariant.release());
    if (FGrupa)
        throw EBlad(QStringLiteral("Wariant można dodać tylko do specyfikacji"));
    if (juzJest)
        return false;
    DolaczWariant(std::move(wariant));
    Zmieniono();
    return true;
}

void TSpecyfikacja::DolaczWariant(std::unique_ptr<TWariantSpecyfikacji> wariant)
{
    TSpecyfikacja& jakoWezel = *wariant;
    jakoWezel.FParent = this;
    if (!KatalogUzytkownika().isEmpty())
        jakoWezel.UstawKatalogUzytkownika(KatalogUzytkownika());
    wariant->SetOnZmieniono(FOnZmieniono);
    FWarianty.push_back(std::move(wariant));
}

TWariantSpecyfikacji* TSpecyfikacja::GetWariant(int index) const
{
    return CzyIndeksW(FWarianty, index) ? FWarianty[static_cast<std::size_t>(index)].get() : nullptr;
}

int TSpecyfikacja::WariantyCount() const
{
    return static_cast<int>(FWarianty.size());
}

bool TSpecyfikacja::ContainsWariant(const TSpecyfikacja* wariant) const
{
    return wariant && IndeksW(FWarianty, wariant) >= 0;
}

bool TSpecyfikacja::DelWariant(int index)
{
    if (!CzyIndeksW(FWarianty, index))
        return false;
    FWarianty.erase(FWarianty.begin() + index);
    Zmieniono();
    return true;
}

bool TSpecyfikacja::RemWariant(TWariantSpecyfikacji* wariant)
{
    const int index = wariant ? IndeksW(FWarianty, wariant) : -1;
    if (index < 0)
        return false;
    FWarianty.erase(FWarianty.begin() + index);
    return true;
}

void TSpecyfikacja::ClearWarianty()
{
    FWarianty.clear();
}

// --- Units of measure

bool TSpecyfikacja::AddJm(std::unique_ptr<TJmSpecyfikacji> jm)
{
    if (!jm)
        return false;
    const bool juzJest = IndeksW(FJmSpecyfikacji, jm.get()) >= 0;
    if (juzJest)
        static_cast<void>(jm.release());
    if (FGrupa)
        throw EBlad(QStringLiteral("Jednostkę można dodać tylko do specyfikacji"));
    if (juzJest)
        return false;
    if (!FJmSpecyfikacji.empty() && FJmSpecyfikacji.back()->CzyPusta())
        return false;
    DolaczJm(std::move(jm));
    Zmieniono();
    return true;
}

void TSpecyfikacja::DolaczJm(std::unique_ptr<TJmSpecyfikacji> jm)
{
    jm->SetOnChange(FOnZmieniono);
    FJmSpecyfikacji.push_back(std::move(jm));
}

void TSpecyfikacja::DelJm(TJmSpecyfikacji* jm)
{
    const int index = jm ? IndeksW(FJmSpecyfikacji, jm) : -1;
    if (index < 0)
        return;
    FJmSpecyfikacji.erase(FJmSpecyfikacji.begin() + index);
    Zmieniono();
}

TJmSpecyfikacji* TSpecyfikacja::GetJm(int index) const
{
    return CzyIndeksW(FJmSpecyfikacji, index) ? FJmSpecyfikacji[static_cast<std::size_t>(index)].get() : nullptr;
}

int TSpecyfikacja::JmCount() const
{
    return static_cast<int>(FJmSpecyfikacji.size());
}

void TSpecyfikacja::ClearJm()
{
    FJmSpecyfikacji.clear();
}

// --- Copies

std::unique_ptr<TSpecyfikacja> TSpecyfikacja::Clone(bool czyJm, bool czyWarianty) const
{
    auto kopia = std::make_unique<TSpecyfikacja>(FNumer, FWarunkiOgolne, FGrupa, FInfo, Rozkodowana(FPlik), FOpis,
                                                 KatalogUzytkownika());
    kopia->FData = FData;
    kopia->FHidden = FHidden;
    // The copies are attached as they are, without the checks of AddWariant and AddJm: a specification
    // that became a group keeps its variants and units, and a copy must not fail on them or lose any.
    if (czyWarianty)
        for (const auto& wariant : FWarianty)
            kopia->DolaczWariant(wariant->CloneWariant(true));
    if (czyJm)
        for (const auto& jm : FJmSpecyfikacji)
            kopia->DolaczJm(jm->Clone());
    return kopia;
}

// --- Properties

void TSpecyfikacja::SetNumer(const QString& wartosc)
{
    if (QStringView(wartosc).trimmed().isEmpty())
        throw EBlad(QStringLiteral("Numer nie może być pusty."));
    if (wartosc == FNumer)
        return;
    FNumer = wartosc;
    Zmieniono();
}

void TSpecyfikacja::SetOpis(const QString& wartosc)
{
    if (wartosc == FOpis)
        return;
    FOpis = wartosc;
    Zmieniono();
}

void TSpecyfikacja::SetInfo(const QString& wartosc)
{
    if (wartosc == FInfo)
        return;
    FInfo = wartosc;
    Zmieniono();
}

void TSpecyfikacja::SetPlik(const QString& wartosc)
{
    if (FGrupa) {
        FPlik.SetEncodedPath(QString());
        FPokolenieIstnienia = 0;
        Zmieniono();
        return;
    }
    // Both sides decoded, so that a stored form ("%USERPATH%/...") and the real path it stands for
    // count as the same document.
    TMyPath nowa(KatalogUzytkownika());
    if (!wartosc.isEmpty())
        nowa.SetPath(wartosc);
    if (Rozkodowana(nowa) == Rozkodowana(FPlik))
        return;
    FPlik.SetEncodedPath(nowa.EncodedPath());
    FPokolenieIstnienia = 0;
    Zmieniono();
}

void TSpecyfikacja::UstawPlikWczytany(const QString& plik)
{
    FPlik.SetPath(plik);
    FPokolenieIstnienia = 0;
    OdswiezIstnienie();
}

void TSpecyfikacja::SetCzyWarunkiOgolne(bool wartosc)
{
    if (wartosc == FWarunkiOgolne)
        return;
    FWarunkiOgolne = wartosc;
    Zmieniono();
}

void TSpecyfikacja::SetOnZmieniono(const TZdarzenieZmiany& zdarzenie)
{
    FOnZmieniono = zdarzenie;
    for (const auto& wariant : FWarianty)
        wariant->SetOnZmieniono(zdarzenie);
    for (const auto& jm : FJmSpecyfikacji)
        jm->SetOnChange(zdarzenie);
}

void TSpecyfikacja::OdswiezIstnienie()
{
    const std::uint32_t pokolenie = TZakresIstnieniaDokumentow::Pokolenie();
    if (pokolenie != 0 && pokolenie == FPokolenieIstnienia)
        return;
    FCzyIstnieje = CzyPlikIstniejeTeraz();
    FPokolenieIstnienia = pokolenie;
}

void TSpecyfikacja::Zmieniono()
{
    OdswiezIstnienie();
    if (FOnZmieniono)
        FOnZmieniono(this);
}
