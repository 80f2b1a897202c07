// The walk over a file's bytes, decoded a block at a time, hands over the very sections the walk over the
// file's whole decoded text does: for every FWD fuzz corpus file, every FWD test file and files made to put
// a line end, a CR LF or a long line on the edge of a block. A field's line is read alike at every length.

#include "app/Kodowanie.h"
#include "estimates/KosztorysFWD.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

const QString KatalogKorpusu = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/fwd");
const QString KatalogDanych = QStringLiteral(VELOSTRA_TEST_DATA "/estimates/fwd");

// Every section as the walk hands it over: kind, place, depth, its lines as the writer rebuilds them and
// the texts the position key is made of.
QString Sekcje(bool& rozpoznany, const std::function<bool(const std::function<void(TFWDSekcja&)>&)>& przejdz,
               unsigned rodzaje = TKosztorysFWD::WszystkieSekcje)
{
    QString w;
    rozpoznany = przejdz([&w, rodzaje](TFWDSekcja& s) {
        if ((rodzaje & TKosztorysFWD::Bit(s.Rodzaj())) == 0)
            return;
        w += QStringLiteral("%1 %2 %3 ").arg(int(s.Rodzaj())).arg(s.PozycjaBloku).arg(s.LiczbaLinii);
        if (const auto* b = dynamic_cast<const TFWDBlok*>(&s))
            w += QString::number(b->PoziomBloku);
        if (const auto* p = SekcjaJako<TFWDPozycja>(s))
            w += u'|' + p->opisKlucza + u'|' + p->jmKlucza;
        w += u'\n';
        s.Zapisz(w);
    });
    return w;
}

void PorownajPrzejscia(const QByteArray& bajty)
{
    bool zTekstu = false;
    bool zBajtow = false;
    const QString tekst = DekodujTekstPliku(bajty).Tekst;
    const QString oczekiwane =
        Sekcje(zTekstu, [&tekst](const auto& na) { return TKosztorysFWD::PrzejdzSekcje(tekst, na); });
    const QString otrzymane =
        Sekcje(zBajtow, [&bajty](const auto& na) { return TKosztorysFWD::PrzejdzSekcjePliku(bajty, na); });
    EXPECT_EQ(zBajtow, zTekstu);
    EXPECT_EQ(otrzymane, oczekiwane);
    // Asked for some kinds only: those sections alike, the others not handed over.
    const unsigned rodzaje =
        TKosztorysFWD::Bit(TRodzajSekcjiFwd::PoziomStruktury) | TKosztorysFWD::Bit(TRodzajSekcjiFwd::Pozycja);
    bool zWybranych = false;
    const QString wybrane = Sekcje(zWybranych, [&bajty, rodzaje](const auto& na) {
        return TKosztorysFWD::PrzejdzSekcjePliku(bajty, na, rodzaje);
    });
    EXPECT_EQ(zWybranych, zTekstu);
    EXPECT_EQ(wybrane,
              Sekcje(
                  zTekstu, [&tekst](const auto& na) { return TKosztorysFWD::PrzejdzSekcje(tekst, na); }, rodzaje));
}

// Filler lines of the given line end up to `do` bytes, then `koniec`: what must sit on a block's edge.
QByteArray DoKrawedzi(qsizetype doBajtu, const QByteArray& konieclinii, const QByteArray& koniec)
{
    QByteArray b = "[POZYCJA]" + konieclinii;
    while (b.size() + 20 < doBajtu)
        b += "uwagi=\xB9\xA0wype\xB3nienie\x81" + konieclinii;
    b += QByteArray(doBajtu - b.size(), 'x');
    return b + koniec + "jm=m\xB3 " + konieclinii + "[KONIEC]";
}

TEST(SekcjeFwdZBajtow, KorpusIPlikiTestowe)
{
    int plikow = 0;
    for (const QString& katalog : {KatalogKorpusu, KatalogDanych}) {
        QDirIterator it(katalog, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString plik = it.next();
            SCOPED_TRACE(plik.toStdString());
            PorownajPrzejscia(CzytajPlik(plik));
            ++plikow;
        }
    }
    EXPECT_GT(plikow, 380);
}

TEST(SekcjeFwdZBajtow, KrawedzieBlokow)
{
    constexpr qsizetype Blok = 1 << 15;
    const QByteArray przypadki[] = {
        DoKrawedzi(Blok - 1, "\r\n", "\r\n"),                               // CR LF across the edge
        DoKrawedzi(Blok, "\r\n", "\r\n"),                                   // CR LF just after it
        DoKrawedzi(Blok - 1, "\r", "\r"),                                   // lone CRs only
        DoKrawedzi(Blok, "\n", "\n"),                                       // LF only
        DoKrawedzi(Blok - 1, "\r", "\r\n"),                                 // CR LF after lone CRs
        DoKrawedzi(3 * Blok, "\n", "=" + QByteArray(2 * Blok, 'y') + "\r"), // a line longer than a block
        DoKrawedzi(Blok - 1, "\n", "\r") + "\r\n",                          // last line ends at the very end
        "\xEF\xBB\xBF" + DoKrawedzi(Blok, "\r\n", "\r\n"),                  // byte-order marks: the text's own walk
        QByteArray("\xFF\xFE[\0P\0O\0Z\0Y\0C\0J\0A\0]\0\n\0o\0p\0i\0s\0=\0x\0", 34),
        QByteArray(),
        QByteArray("\r\n\r\n"),
    };
    for (const QByteArray& b : przypadki) {
        SCOPED_TRACE(b.left(40).toStdString());
        PorownajPrzejscia(b);
    }
}

// One line of a position, at every length around the eight characters compared at a time: the field it
// sets, the text the key is made of, and whether the line is an error (no "=").
TEST(SekcjeFwdZBajtow, LiniaPolaKazdejDlugosci)
{
    struct TPrzypadek
    {
        QString Linia;
        QString Opis, OpisKlucza;
        bool Blad;
    };
    std::vector<TPrzypadek> przypadki;
    for (int n = 0; n < 20; ++n) {
        const QString x(n, u'x');
        const QString ax = u'a' + x;
        const auto linia = [&](const QString& l, const QString& opis, const QString& opisKlucza, bool blad) {
            przypadki.push_back({l, opis, opisKlucza, blad});
        };
        linia(QStringLiteral("opis=") + x, x, x, false);
        linia(QStringLiteral("opis=") + x + QStringLiteral("=="), x + QStringLiteral("=="), x + QStringLiteral("=="),
              false);
        linia(QStringLiteral("uwagi") + x + u'=', {}, {}, false);
        linia(QStringLiteral("opis") + x, {}, {}, true);
        linia(QStringLiteral("opis=") + ax + QStringLiteral("  y"), ax + QStringLiteral("  y"), ax + u'y', false);
        linia(QStringLiteral("opis=") + ax + QStringLiteral(" ]"), ax + QStringLiteral(" ]"), ax + u']', false);
        linia(QStringLiteral("opis=") + ax + QStringLiteral("[ y"), ax + QStringLiteral("[ y"),
              ax + QStringLiteral("[y"), false);
        linia(QStringLiteral("opis=") + ax + QStringLiteral(" y"), ax + QStringLiteral(" y"), ax + QStringLiteral(" y"),
              false);
        linia(QStringLiteral("opis ") + ax + QStringLiteral("=y"), {}, {}, false);
        linia(ax + QStringLiteral("opis =y"), {}, {}, false);
    }
    przypadki.push_back({QStringLiteral("opis =y"), QStringLiteral("y"), QStringLiteral("y"), false});
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Linia.toStdString());
        const QString tekst = QStringLiteral("[POZYCJA]\r\n") + p.Linia + QStringLiteral("\r\n");
        TFWDPozycja wynik;
        TKosztorysFWD::PrzejdzSekcje(tekst, [&wynik](TFWDSekcja& s) {
            if (const auto* poz = SekcjaJako<TFWDPozycja>(s))
                wynik = *poz;
        });
        EXPECT_EQ(wynik.opis, p.Opis);
        EXPECT_EQ(wynik.opisKlucza, p.OpisKlucza);
        TKosztorysFWD fwd;
        try {
            fwd.LoadFromString(tekst, false);
        } catch (const TExBladPodczasOtwarciaPliku& e) {
            EXPECT_EQ(e.Komunikat() == QStringLiteral("Występują nierozpoznane błędy."), p.Blad);
        }
    }
}

} // namespace
