#include "support/Pomocnicze.h"

#include "app/Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <stdexcept>

QString SciezkaDanychTestowych(const QString& wzgledna)
{
    return QStringLiteral(VELOSTRA_TEST_DATA "/") + wzgledna;
}

QByteArray CzytajPlik(const QString& sciezka)
{
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + sciezka.toStdString());
    return plik.readAll();
}

void ZapiszPlik(const QString& sciezka, const QByteArray& dane)
{
    QDir().mkpath(QFileInfo(sciezka).absolutePath());
    QFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate) || plik.write(dane) != dane.size())
        throw std::runtime_error("cannot write " + sciezka.toStdString());
}

void PorownajZWzorcem(const QByteArray& wynik, const QString& plikWzorca, const char* zmiennaZapisu, qsizetype najmniej)
{
    if (qEnvironmentVariableIntValue(zmiennaZapisu) == 1)
        ZapiszPlik(plikWzorca, wynik);
    const QList<QByteArray> oczekiwane = CzytajPlik(plikWzorca).split('\n');
    const QList<QByteArray> otrzymane = wynik.split('\n');
    ASSERT_GT(otrzymane.size(), najmniej);
    ASSERT_EQ(otrzymane.size(), oczekiwane.size());
    for (qsizetype i = 0; i < otrzymane.size(); ++i)
        EXPECT_EQ(otrzymane[i], oczekiwane[i]) << "wiersz " << i + 1;
}

QString KatalogDomowyTestu()
{
    return QString::fromLocal8Bit(qgetenv("HOME"));
}

void OczekujBledu(const std::function<void()>& operacja, const QString& komunikat)
{
    try {
        operacja();
        ADD_FAILURE() << "brak wyjątku, oczekiwano: " << komunikat.toStdString();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), komunikat);
    }
}
