#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// A grid the controller fills by rows of texts, each row pointing at the object it shows (a position,
// a collection entry). The window only shows it; rebuilding is one model reset.
class TModelTabeli : public QAbstractTableModel
{
public:
    explicit TModelTabeli(QObject* rodzic = nullptr) : QAbstractTableModel(rodzic) {}

    struct TWiersz
    {
        QStringList Komorki;
        void* Obiekt = nullptr; // not owned
    };

    // The columns and rows at once.
    void Ustaw(const QStringList& naglowki, std::vector<TWiersz> wiersze);
    void Wyczysc() { Ustaw(FNaglowki, {}); }
    const QStringList& Naglowki() const { return FNaglowki; }
    int Wierszy() const { return static_cast<int>(FWiersze.size()); }
    // The object of the row; null outside the rows.
    void* Obiekt(int wiersz) const;
    // The row that shows the object; -1 when none does.
    int WierszObiektu(const void* obiekt) const;
    QString Tekst(int wiersz, int kolumna) const;

    int rowCount(const QModelIndex& rodzic = QModelIndex()) const override;
    int columnCount(const QModelIndex& rodzic = QModelIndex()) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;
    QVariant headerData(int sekcja, Qt::Orientation orientacja, int rola = Qt::DisplayRole) const override;

private:
    QStringList FNaglowki;
    std::vector<TWiersz> FWiersze;
};
