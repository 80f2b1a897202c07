#include "xls/ZapisXls.h"

#include "app/Wyjatki.h"
#include "xls/ArkuszXls.h"
#include "xls/GlobalneXls.h"
#include "xls/PlikZlozony.h"
#include "xls/RekordyBiff8.h"
#include "xls/Skoroszyt.h"

namespace {

// About the size of the stream, so that the buffer seldom grows: a cell record takes 10 to 18 bytes
// (a formula more), a row record 20, a text its characters plus a few bytes.
qsizetype SzacunekRozmiaru(const TSkoroszyt& s)
{
    qsizetype rozmiar = 16384 + 24 * static_cast<qsizetype>(s.Formaty().size());
    for (const QString& t : s.Teksty())
        rozmiar += 3 + t.size() * 2;
    for (int i = 0; i < s.ArkuszeCount(); ++i) {
        const TArkusz& a = s.Arkusz(i);
        rozmiar +=
            1024 + 10 * static_cast<qsizetype>(a.Scalenia().size()) + 40 * static_cast<qsizetype>(a.Formuly().size());
        for (const auto& w : a.Wiersze())
            rozmiar += 22 + 16 * static_cast<qsizetype>(w.Komorki.size());
    }
    return rozmiar;
}

} // namespace

QByteArray ZapiszXls(const TSkoroszyt& skoroszyt)
{
    if (skoroszyt.ArkuszeCount() == 0)
        throw EBlad(QStringLiteral("Skoroszyt nie ma żadnego arkusza."));
    // The stream is written where it will be in the file: after the file's header, with room for the
    // file's tables (about 1/128 of the stream) behind it.
    const qsizetype szacunek = SzacunekRozmiaru(skoroszyt);
    TRekordyBiff8 rekordy(szacunek + szacunek / 64 + 8192, TPlikZlozony::RozmiarNaglowka);
    const TUkladXls uklad = ZapiszGlobalneXls(rekordy, skoroszyt);
    for (int i = 0; i < skoroszyt.ArkuszeCount(); ++i) {
        rekordy.Popraw32(uklad.OffsetyArkuszy[i], static_cast<std::uint32_t>(rekordy.Pozycja()));
        ZapiszArkuszXls(rekordy, skoroszyt.Arkusz(i), i, uklad);
    }
    const qsizetype rozmiar = rekordy.Pozycja();
    return TPlikZlozony().Zapisz(QStringLiteral("Workbook"), rekordy.Zabierz(), rozmiar);
}
