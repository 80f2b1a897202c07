#pragma once

#include <QString>
#include <QStringList>

// Which documents an exporter accepts, by extension (with the dot, any letter case).
class TTypPliku
{
public:
    virtual ~TTypPliku() = default;

    virtual QString GetFilter() const = 0;
    // Without the dot.
    virtual QString GetDefaultExt() const = 0;
    const QStringList& GetExtList() const { return ExtList; }
    // The extension of the file name (from its last dot) is one of the list; a name without one never is.
    bool CzyObslugiwanyPlik(const QString& plik) const;

protected:
    QStringList ExtList;
};

// Word documents.
class TTypPlikuWord : public TTypPliku
{
public:
    TTypPlikuWord();
    QString GetFilter() const override;
    QString GetDefaultExt() const override;
};

// OpenDocument text, which also takes Word documents in.
class TTypPlikuOoO : public TTypPliku
{
public:
    TTypPlikuOoO();
    QString GetFilter() const override;
    QString GetDefaultExt() const override;
};
