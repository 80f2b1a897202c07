#pragma once

#include "estimates/edbud/BazaMdb.h"

#include <QFile>
#include <QMap>

// TBazaMdb over mdbtools' core library for reading; writing is our own page-level code on the copy's
// file (the library's write functions damage real Access files).
class TBazaMdbJet4 : public TBazaMdb
{
public:
    TBazaMdbJet4(const QString& sciezka, bool doZapisu);
    ~TBazaMdbJet4() override;
    TBazaMdbJet4(const TBazaMdbJet4&) = delete;
    TBazaMdbJet4& operator=(const TBazaMdbJet4&) = delete;

    bool CzyTabela(const QString& tabela) const override;
    std::vector<TWiersz> CzytajTabele(const QString& tabela, const QStringList& kolumny) const override;
    int UstawTekst(const QString& tabela, const QString& kolumnaKlucza, const QString& klucz, const QString& kolumna,
                   const QString& wartosc) override;
    int UstawTeksty(const QString& tabela, const QString& kolumnaKlucza, const QHash<QString, QString>& wartosci,
                    const QString& kolumna) override;

private:
    struct TMiejsce
    {
        quint32 Strona = 0;
        int Wiersz = 0;
    };
    struct TTabela;

    std::unique_ptr<TTabela> OtworzTabele(const QString& tabela) const;
    std::vector<TWiersz> Czytaj(TTabela& t, const QStringList& kolumny, std::vector<TMiejsce>* miejsca) const;
    QByteArray CzytajStrone(quint32 nr) const;
    void ZapiszStrone(quint32 nr, const QByteArray& strona);
    void UstawWWierszu(const TTabela& t, const TMiejsce& miejsce, int kolumna, const QString& wartosc);
    void PrzeniesWiersz(const TTabela& t, const TMiejsce& miejsce, QByteArray& strona, const QByteArray& nowy,
                        const QString& kolumna);

    QString FSciezka;
    bool FDoZapisu;
    void* FMdb = nullptr; // MdbHandle; the library's header stays out of ours
    mutable QFile FPlik;
    // Table name in lower case -> its catalogue position.
    QMap<QString, int> FTabele;
};
