// Any bytes as a Rodos 7 estimate: the reader builds a tree or raises its Polish message (leaving no
// tree), never crashes or hangs (quantities go through the expression interpreter); reading is
// repeatable; what was read can be written back, and the copy is valid UTF-8 with a byte-order mark
// and CR LF, holding at least the source's lines, which reads again without a crash.
#include "app/Kodowanie.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds7.h"

#include <QStringDecoder>

#include "WspolneFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty = WejscieFuzz(dane, rozmiar);
    const TUstawieniaKosztorysu ustawienia = UstawieniaFuzz(rozmiar);

    TKosztorysRds7 kosztorys(QString(), false, false, false, ustawienia);
    if (!WczytajCalyLubNic(kosztorys, bajty))
        return 0;
    TKosztorysRds7 drugi(QString(), false, false, false, ustawienia);
    drugi.WczytajZDanych(bajty);
    if (KosztorysNaJson(drugi) != KosztorysNaJson(kosztorys))
        std::abort();

    const QByteArray kopiaZBom = kosztorys.ZapiszDoDanych(bajty);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    (void)utf8.decode(kopiaZBom);
    if (!kopiaZBom.startsWith("\xEF\xBB\xBF") || utf8.hasError())
        std::abort();
    const QByteArray kopia = kopiaZBom.mid(3);
    const qsizetype konceLinii = LinieCrLf(kopia);
    // Every source line is written; ST lines may be added, none is dropped.
    if (konceLinii < TLinieRds(DekodujTekstPliku(bajty).Tekst).Count())
        std::abort();

    TKosztorysRds7 trzeci(QString(), false, false, false, ustawienia);
    try {
        trzeci.WczytajZDanych(kopiaZBom);
    } catch (const EBlad&) {
    }
    (void)kosztorys.IdKosztorysuZDanych(bajty);
    return 0;
}
