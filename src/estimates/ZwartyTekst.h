#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A text of an estimate's position kept in as little memory as it can be: one pointer in the position, and
// the text in one block of its own in UTF-8 (a Polish description takes about half of what QString keeps),
// shared by copies. Empty texts take no block. A text holding UTF-16 surrogates is kept in UTF-16 as it
// came, so that every text reads back exactly as it was given. Texts made together (a position's own key,
// number and description) can share one allocation, which lives while any of them does.
class TZwartyTekst
{
public:
    TZwartyTekst() noexcept = default;
    // Implicit, so that a QString can be given wherever such a text is stored.
    TZwartyTekst(const QString& tekst) : TZwartyTekst(QStringView(tekst)) {}
    explicit TZwartyTekst(QStringView tekst);
    TZwartyTekst(const TZwartyTekst& inny) noexcept : FBlok(inny.FBlok) { Zatrzymaj(); }
    TZwartyTekst(TZwartyTekst&& inny) noexcept : FBlok(inny.FBlok) { inny.FBlok = nullptr; }
    // The texts in one allocation; `wyniki` gets as many texts as `teksty` holds.
    static void Razem(const QStringView* teksty, TZwartyTekst* wyniki, std::size_t ile);
    template <std::size_t N> static std::array<TZwartyTekst, N> Razem(const std::array<QStringView, N>& teksty)
    {
        std::array<TZwartyTekst, N> wyniki;
        Razem(teksty.data(), wyniki.data(), N);
        return wyniki;
    }
    TZwartyTekst& operator=(const TZwartyTekst& inny) noexcept
    {
        inny.Zatrzymaj();
        Zwolnij();
        FBlok = inny.FBlok;
        return *this;
    }
    TZwartyTekst& operator=(TZwartyTekst&& inny) noexcept
    {
        if (this != &inny) {
            Zwolnij();
            FBlok = inny.FBlok;
            inny.FBlok = nullptr;
        }
        return *this;
    }
    ~TZwartyTekst() { Zwolnij(); }

    QString Tekst() const;
    bool isEmpty() const { return FBlok == nullptr; }
    // The same characters as the text given.
    bool Rowny(QStringView tekst) const;
    friend bool operator==(const TZwartyTekst& a, const TZwartyTekst& b);
    // One block shared by both (never for empty texts).
    bool TaSamaKopia(const TZwartyTekst& inny) const { return FBlok && FBlok == inny.FBlok; }

private:
    // A block's header, followed by its bytes. A block of its own counts its copies in `Licznik`; a block
    // in a shared allocation keeps there its distance from the allocation's start, where the count is.
    struct TBlok
    {
        std::uint32_t Licznik;
        std::uint32_t Dlugosc; // in bytes, with the flags below
    };
    static constexpr std::uint32_t Utf16 = 0x80000000U;
    static constexpr std::uint32_t WGrupie = 0x40000000U;
    static constexpr std::uint32_t Flagi = Utf16 | WGrupie;

    const char* Dane() const { return reinterpret_cast<const char*>(FBlok + 1); }
    std::uint32_t Bajtow() const { return FBlok->Dlugosc & ~Flagi; }
    bool CzyUtf16() const { return (FBlok->Dlugosc & Utf16) != 0; }
    // The start of the allocation, where its count of copies is.
    char* Poczatek() const noexcept
    {
        char* blok = reinterpret_cast<char*>(FBlok);
        return (FBlok->Dlugosc & WGrupie) != 0 ? blok - FBlok->Licznik : blok;
    }
    std::atomic_ref<std::uint32_t> Licznik(char* poczatek) const noexcept
    {
        return std::atomic_ref<std::uint32_t>(reinterpret_cast<TBlok*>(poczatek)->Licznik);
    }
    // Copies are counted atomically, as Qt counts its shared texts: a copy may be dropped on any thread.
    void Zatrzymaj() const noexcept
    {
        if (FBlok)
            Licznik(Poczatek()).fetch_add(1, std::memory_order_relaxed);
    }
    void Zwolnij() noexcept
    {
        if (FBlok) {
            char* poczatek = Poczatek();
            if (Licznik(poczatek).fetch_sub(1, std::memory_order_acq_rel) == 1)
                std::free(poczatek);
            FBlok = nullptr;
        }
    }

    TBlok* FBlok = nullptr;
};
