#include "xls/EksportXlsColumn.h"

#include "xls/WyjatkiXls.h"

namespace {

struct TOpisKolumny
{
    const char* Id;
    const char* Nazwa;
    const char* Tytul;
    bool Opcjonalna;
    bool Chroniona;
};

// The form's columns in sheet order; protection as created (and as restored by SetDefaults).
const TOpisKolumny Kolumny[] = {
    {"nrPoz", "nrPoz", "Nr pozycji", false, true},
    {"podst", "podst", "Podstawa", true, true},
    {"nrSt", "stwior", "Nr ST", true, true},
    {"wariant", "wariant", "Wariant ST", true, true},
    {"opis", "opis", "Opis", false, true},
    {"jm", "jm", "Jm", false, true},
    {"ilosc", "ilosc", "Ilość", false, true},
    {"Rj", "Rj", "Rj", true, true},
    {"Mj", "Mj", "Mj", true, true},
    {"Sj", "Sj", "Sj", true, true},
    {"cenaJedn", "cenaJedn", "Cena jednost.", true, false},
    {"wartosc", "wartosc", "Wartość", true, false},
};

} // namespace

TEksportXlsColumn::TEksportXlsColumn(const QString& id, const QString& nazwa, const QString& tytul, bool opcjonalna,
                                     bool chroniona)
    : FId(id), FNazwa(nazwa), FTytul(tytul), FOpcjonalna(opcjonalna), FChroniona(chroniona)
{
}

void TEksportXlsColumn::SetWyswietlaj(bool wartosc)
{
    if (!wartosc && !FOpcjonalna)
        throw EWymaganaKolumnaException(QStringLiteral("Wybrana kolumna nie możne być ukryta."));
    FWyswietlaj = wartosc;
}

TEksportXlsColumnList::TEksportXlsColumnList()
{
    for (const TOpisKolumny& k : Kolumny)
        FKolumny.push_back(std::make_unique<TEksportXlsColumn>(QString::fromUtf8(k.Id), QString::fromUtf8(k.Nazwa),
                                                               QString::fromUtf8(k.Tytul), k.Opcjonalna, k.Chroniona));
}

TEksportXlsColumnList::~TEksportXlsColumnList() = default;

TEksportXlsColumnList::TEksportXlsColumnList(const TEksportXlsColumnList& inna)
{
    for (const auto& kolumna : inna.FKolumny)
        FKolumny.push_back(std::make_unique<TEksportXlsColumn>(*kolumna));
}

TEksportXlsColumnList& TEksportXlsColumnList::operator=(const TEksportXlsColumnList& inna)
{
    // Every list holds the same fixed columns, so the settings are copied column by column.
    for (std::size_t i = 0; i < FKolumny.size(); ++i)
        *FKolumny[i] = *inna.FKolumny[i];
    return *this;
}

TEksportXlsColumn* TEksportXlsColumnList::GetColumn(const QString& id) const
{
    for (const auto& kolumna : FKolumny)
        if (kolumna->Id() == id)
            return kolumna.get();
    return nullptr;
}

TEksportXlsColumn* TEksportXlsColumnList::GetColumn(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FKolumny[static_cast<std::size_t>(index)].get();
}

int TEksportXlsColumnList::WyswietlaneCount() const
{
    int ile = 0;
    for (const auto& kolumna : FKolumny)
        if (kolumna->Wyswietlaj())
            ++ile;
    return ile;
}

void TEksportXlsColumnList::SetDefaults()
{
    for (std::size_t i = 0; i < FKolumny.size(); ++i) {
        FKolumny[i]->SetWyswietlaj(true);
        FKolumny[i]->SetChroniona(Kolumny[i].Chroniona);
    }
}
