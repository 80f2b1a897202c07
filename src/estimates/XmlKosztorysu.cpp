#include "estimates/XmlKosztorysu.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "estimates/Windows1250.h"

#include <QHash>
#include <QString>
#include <QStringEncoder>

#include <iconv.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <functional>
#include <optional>
#include <string>

namespace {

// The encoding as pugixml would guess it from the first bytes, and the length of the byte-order mark.
struct TWykrycie
{
    pugi::xml_encoding Kodowanie = pugi::encoding_utf8;
    int DlugoscBom = 0;
};

TWykrycie Wykryj(const QByteArray& b)
{
    const auto bajt = [&b](qsizetype i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0x100u; };
    const unsigned d0 = bajt(0), d1 = bajt(1), d2 = bajt(2), d3 = bajt(3);
    if (d0 == 0 && d1 == 0 && d2 == 0xFE && d3 == 0xFF)
        return {pugi::encoding_utf32_be, 4};
    if (d0 == 0xFF && d1 == 0xFE && d2 == 0 && d3 == 0)
        return {pugi::encoding_utf32_le, 4};
    if (d0 == 0xFE && d1 == 0xFF)
        return {pugi::encoding_utf16_be, 2};
    if (d0 == 0xFF && d1 == 0xFE)
        return {pugi::encoding_utf16_le, 2};
    if (d0 == 0xEF && d1 == 0xBB && d2 == 0xBF)
        return {pugi::encoding_utf8, 3};
    if (d0 == 0 && d1 == 0 && d2 == 0 && d3 == 0x3C)
        return {pugi::encoding_utf32_be, 0};
    if (d0 == 0x3C && d1 == 0 && d2 == 0 && d3 == 0)
        return {pugi::encoding_utf32_le, 0};
    if (d0 == 0 && d1 == 0x3C)
        return {pugi::encoding_utf16_be, 0};
    if (d0 == 0x3C && d1 == 0)
        return {pugi::encoding_utf16_le, 0};
    return {pugi::encoding_utf8, 0};
}

int SzerokoscZnaku(pugi::xml_encoding k)
{
    switch (k) {
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be:
        return 2;
    case pugi::encoding_utf32_le:
    case pugi::encoding_utf32_be:
        return 4;
    default:
        return 1;
    }
}

bool CzyOdKonca(pugi::xml_encoding k)
{
    return k == pugi::encoding_utf16_be || k == pugi::encoding_utf32_be;
}

// The code unit at byte offset i (a byte, a UTF-16 or a UTF-32 unit).
quint32 Jednostka(const QByteArray& b, qsizetype i, int szerokosc, bool odKonca)
{
    quint32 w = 0;
    for (int j = 0; j < szerokosc; ++j) {
        const quint32 bajt = static_cast<unsigned char>(b[i + (odKonca ? j : szerokosc - 1 - j)]);
        w = (w << 8) | bajt;
    }
    return w;
}

// ESC as a code unit, not as a byte: in UTF-16 the byte 27 is also half of letters such as U+011B.
QByteArray ZamienEsc(const QByteArray& bajty, pugi::xml_encoding k)
{
    const int szer = SzerokoscZnaku(k);
    if (szer == 1) {
        if (!bajty.contains('\x1b'))
            return bajty;
        QByteArray wynik = bajty;
        wynik.replace('\x1b', ' ');
        return wynik;
    }
    QByteArray wynik = bajty;
    const bool odKonca = CzyOdKonca(k);
    const qsizetype mlodszy = odKonca ? szer - 1 : 0;
    for (qsizetype i = 0; i + szer <= wynik.size(); i += szer)
        if (Jednostka(wynik, i, szer, odKonca) == 0x1B)
            wynik[i + mlodszy] = ' ';
    return wynik;
}

void UstalKonceLinii(const QByteArray& b, pugi::xml_encoding k, TFormaXml& forma)
{
    const int szer = SzerokoscZnaku(k);
    const bool odKonca = CzyOdKonca(k);
    quint32 poprzedni = 0;
    bool jestCr = false;
    for (qsizetype i = 0; i + szer <= b.size(); i += szer) {
        const quint32 z = Jednostka(b, i, szer, odKonca);
        if (z == '\n') {
            forma.KoniecLinii = poprzedni == '\r' ? QByteArray("\r\n") : QByteArray("\n");
            break;
        }
        jestCr = jestCr || z == '\r';
        poprzedni = z;
    }
    if (forma.KoniecLinii.isEmpty() && jestCr)
        forma.KoniecLinii = "\r";
    const qsizetype ostatni = (b.size() / szer - 1) * szer;
    if (!forma.KoniecLinii.isEmpty() && ostatni >= 0) {
        const quint32 z = Jednostka(b, ostatni, szer, odKonca);
        forma.KoniecLiniiNaKoncu = z == '\n' || z == '\r';
    }
}

// The encoding named in the XML declaration of a document that starts with it in ASCII. "<?xml" must be
// followed by a blank, as in the parser: "<?xml-stylesheet ...?>" or "<?xmlfoo ...?>" is a processing
// instruction, which names no encoding.
QByteArray KodowanieZDeklaracji(const QByteArray& bajty)
{
    if (!bajty.startsWith("<?xml") || bajty.size() < 6 ||
        !(bajty[5] == ' ' || bajty[5] == '\t' || bajty[5] == '\r' || bajty[5] == '\n'))
        return {};
    const qsizetype koniec = bajty.indexOf("?>");
    if (koniec < 0)
        return {};
    const QByteArray deklaracja = bajty.left(koniec);
    qsizetype i = deklaracja.indexOf("encoding");
    if (i < 0)
        return {};
    i += 8;
    const auto pomin = [&deklaracja, &i] {
        while (i < deklaracja.size() &&
               (deklaracja[i] == ' ' || deklaracja[i] == '\t' || deklaracja[i] == '\r' || deklaracja[i] == '\n'))
            ++i;
    };
    pomin();
    if (i >= deklaracja.size() || deklaracja[i] != '=')
        return {};
    ++i;
    pomin();
    if (i >= deklaracja.size() || (deklaracja[i] != '"' && deklaracja[i] != '\''))
        return {};
    const char cudzyslow = deklaracja[i];
    const qsizetype poczatek = i + 1;
    const qsizetype koniecNazwy = deklaracja.indexOf(cudzyslow, poczatek);
    if (koniecNazwy < 0)
        return {};
    const QByteArray nazwa = deklaracja.mid(poczatek, koniecNazwy - poczatek);
    for (const char z : nazwa)
        if (!((z >= 'A' && z <= 'Z') || (z >= 'a' && z <= 'z') || (z >= '0' && z <= '9') || z == '.' || z == '_' ||
              z == ':' || z == '-'))
            return {};
    return nazwa;
}

// "<?xml" as the first characters after the byte-order mark, in the units of the encoding.
bool CzyDeklaracjaNaPoczatku(const QByteArray& b, const TWykrycie& w)
{
    const int szer = SzerokoscZnaku(w.Kodowanie);
    const bool odKonca = CzyOdKonca(w.Kodowanie);
    const char* const poczatek = "<?xml";
    for (int i = 0; i < 5; ++i) {
        const qsizetype p = w.DlugoscBom + static_cast<qsizetype>(i) * szer;
        if (p + szer > b.size() || Jednostka(b, p, szer, odKonca) != static_cast<quint32>(poczatek[i]))
            return false;
    }
    return true;
}

bool CzyUnicode(const QByteArray& kodowanie)
{
    const QByteArray k = kodowanie.toLower();
    return k.isEmpty() || k == "utf-8" || k == "utf8" || k.startsWith("utf-16") || k.startsWith("utf16");
}

// The code page of most estimates, read by table rather than through iconv.
bool CzyWindows1250(const QByteArray& kodowanie)
{
    const QByteArray k = kodowanie.toLower();
    return k == "windows-1250" || k == "cp1250";
}

// The XML layer words the parser's complaint; this reader only adds what the layer does not know.
[[noreturn]] void BladParsowania(const QByteArray& bajty)
{
    pugi::xml_document dokument;
    ParsujXml(bajty, dokument);
    throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
}

class TPisarz : public pugi::xml_writer
{
public:
    explicit TPisarz(std::string& cel) : FCel(cel) {}
    void write(const void* dane, size_t rozmiar) override { FCel.append(static_cast<const char*>(dane), rozmiar); }

private:
    std::string& FCel;
};

// Converts through iconv, with the converter's final flush: code pages such as windows-1258 hold a letter
// back until they know that no combining mark follows. Input that does not convert is skipped one unit
// (of the given width) at a time. No value when iconv does not know the encoding.
std::optional<QByteArray> Iconv(const QByteArray& wejscie, const char* z, const char* na, int jednostka)
{
    const iconv_t cd = iconv_open(na, z);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray wynik(wejscie.size() + wejscie.size() / 2 + 64, Qt::Uninitialized);
    char* pw = const_cast<char*>(wejscie.constData());
    size_t lw = static_cast<size_t>(wejscie.size());
    qsizetype zapisane = 0;
    // Input first, then the flush (null input), each growing the output as needed.
    for (bool splukanie = false;;) {
        char* po = wynik.data() + zapisane;
        size_t lo = static_cast<size_t>(wynik.size() - zapisane);
        const size_t r = splukanie ? iconv(cd, nullptr, nullptr, &po, &lo) : iconv(cd, &pw, &lw, &po, &lo);
        zapisane = po - wynik.data();
        if (r == static_cast<size_t>(-1) && errno == E2BIG) {
            wynik.resize(wynik.size() * 2);
        } else if (r == static_cast<size_t>(-1) && !splukanie) {
            const size_t krok = std::min(lw, static_cast<size_t>(jednostka));
            pw += krok;
            lw -= krok;
        } else if (splukanie || lw == 0) {
            if (splukanie)
                break;
            splukanie = true;
        }
    }
    iconv_close(cd);
    wynik.resize(zapisane);
    return wynik;
}

QByteArray Utf32(char32_t znak)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((znak >> (8 * i)) & 0xFF);
    return b;
}

bool CzyZgodneZAscii(const QByteArray& kodowanie)
{
    QByteArray ascii = "\t\r\n";
    for (char z = ' '; z < 0x7F; ++z)
        ascii += z;
    return Iconv(ascii, "ASCII", kodowanie.constData(), 1) == std::optional<QByteArray>(ascii);
}

// One character in the code page, or its character reference when the code page has no such character.
QByteArray ZnakWKodowaniu(char32_t znak, const QByteArray& kodowanie)
{
    const std::optional<QByteArray> b = Iconv(Utf32(znak), "UTF-32LE", kodowanie.constData(), 4);
    if (b && !b->isEmpty() && Iconv(*b, kodowanie.constData(), "UTF-32LE", 1) == std::optional<QByteArray>(Utf32(znak)))
        return *b;
    return "&#" + QByteArray::number(static_cast<quint32>(znak)) + ';';
}

// The UTF-8 text of the document in a code page. ASCII goes through unchanged; the few other characters
// are converted one by one and remembered.
QByteArray NaKodowanieZOdwolaniami(const std::string& utf8, const QByteArray& kodowanie)
{
    // An encoding that writes markup otherwise than in ASCII (UTF-7, EBCDIC) would give a copy whose
    // declaration can no longer be found: no copy rather than one that cannot be read.
    if (!CzyZgodneZAscii(kodowanie))
        throw EBlad(QStringLiteral("Błąd tworzenia kosztorysu: nieobsługiwane kodowanie \"%1\".")
                        .arg(QString::fromLatin1(kodowanie)));
    QHash<char32_t, QByteArray> znane;
    QByteArray wynik;
    wynik.reserve(static_cast<qsizetype>(utf8.size()));
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const size_t poczatek = i;
        while (i < n && p[i] < 0x80)
            ++i;
        if (i > poczatek)
            wynik.append(reinterpret_cast<const char*>(p + poczatek), static_cast<qsizetype>(i - poczatek));
        if (i >= n)
            break;
        int dlugosc = p[i] >= 0xF0 ? 4 : p[i] >= 0xE0 ? 3 : p[i] >= 0xC0 ? 2 : 1;
        if (i + static_cast<size_t>(dlugosc) > n)
            dlugosc = 1;
        char32_t znak = 0xFFFD;
        const QString z = QString::fromUtf8(reinterpret_cast<const char*>(p + i), dlugosc);
        if (!z.isEmpty())
            znak = z.size() == 2 && z[0].isHighSurrogate() ? QChar::surrogateToUcs4(z[0], z[1]) : z[0].unicode();
        i += static_cast<size_t>(dlugosc);
        auto it = znane.constFind(znak);
        if (it == znane.constEnd())
            it = znane.insert(znak, ZnakWKodowaniu(znak, kodowanie));
        wynik.append(it.value());
    }
    return wynik;
}

QByteArray Unicode(const std::string& utf8, const TFormaXml& forma)
{
    QStringConverter::Encoding kod = QStringConverter::Utf8;
    switch (forma.Kodowanie) {
    case pugi::encoding_utf16_le:
        kod = QStringConverter::Utf16LE;
        break;
    case pugi::encoding_utf16_be:
        kod = QStringConverter::Utf16BE;
        break;
    case pugi::encoding_utf32_le:
        kod = QStringConverter::Utf32LE;
        break;
    case pugi::encoding_utf32_be:
        kod = QStringConverter::Utf32BE;
        break;
    default: {
        // UTF-8 goes out byte for byte as it came in.
        QByteArray wynik = forma.Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        wynik.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
        return wynik;
    }
    }
    QStringEncoder koder(kod, forma.Bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return koder.encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

} // namespace

namespace {

// Parsed in their own bytes, bytes of Windows-1250 give the document that their UTF-8 form gives, with every
// value in Windows-1250, unless they hold a byte the code page leaves undefined (the UTF-8 form drops it,
// which may join a name) or a numeric character reference (the parser writes its character in UTF-8).
// The parser tells markup from text by ASCII bytes alone and treats every other byte alike.
bool CzyWindows1250WprostJakUtf8(const QByteArray& bajty)
{
    static const std::array<bool, 256> nieokreslony = [] {
        std::array<bool, 256> t{};
        for (int b = 0x80; b < 256; ++b)
            t[static_cast<size_t>(b)] = ZnakWindows1250(static_cast<unsigned char>(b)) == 0xFFFD;
        return t;
    }();
    const auto* z = reinterpret_cast<const unsigned char*>(bajty.constData());
    const qsizetype n = bajty.size();
    const auto sprawdz = [z, n](qsizetype i) {
        return z[i] == '&' ? !(i + 1 < n && z[i + 1] == '#') : !nieokreslony[z[i]];
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: most are ASCII other than "&".
    const __m128i ampersand = _mm_set1_epi8('&');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
        auto maska = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, ampersand))));
        for (; maska != 0; maska &= maska - 1)
            if (!sprawdz(i + std::countr_zero(maska)))
                return false;
    }
#endif
    for (; i < n; ++i)
        if ((z[i] >= 0x80 || z[i] == '&') && !sprawdz(i))
            return false;
    return true;
}

// The bytes are taken over: when nobody else holds them (and no blank took the place of an ESC), they are
// parsed in place, without a copy, and `zrodlo` gives them once more for the parser's complaint.
TFormaXml Parsuj(QByteArray bajty, const std::function<QByteArray()>& zrodlo, unsigned opcje,
                 pugi::xml_document& dokument, QByteArray& tekst, bool* windows1250Wprost)
{
    dokument.reset();
    if (windows1250Wprost)
        *windows1250Wprost = false;
    TFormaXml forma;
    const TWykrycie wykrycie = Wykryj(bajty);
    forma.Kodowanie = wykrycie.Kodowanie;
    forma.Bom = wykrycie.DlugoscBom > 0;
    forma.RozmiarZrodla = bajty.size();
    QByteArray czyste = ZamienEsc(bajty, wykrycie.Kodowanie);
    bajty = QByteArray();
    UstalKonceLinii(czyste, wykrycie.Kodowanie, forma);
    const QByteArray deklarowane = wykrycie.DlugoscBom == 0 ? KodowanieZDeklaracji(czyste) : QByteArray();
    const bool deklaracjaNaPoczatku = CzyDeklaracjaNaPoczatku(czyste, wykrycie);

    pugi::xml_encoding kodowanieTekstu = wykrycie.Kodowanie;
    bool wMiejscu = true;
    if (!CzyUnicode(deklarowane)) {
        forma.Iconv = deklarowane;
        kodowanieTekstu = pugi::encoding_utf8;
        if (windows1250Wprost && CzyWindows1250(deklarowane) && CzyWindows1250WprostJakUtf8(czyste)) {
            *windows1250Wprost = true;
        } else {
            std::optional<QByteArray> utf8 = CzyWindows1250(deklarowane)
                                                 ? std::optional<QByteArray>(Windows1250NaUtf8(czyste))
                                                 : Iconv(czyste, deklarowane.constData(), "UTF-8", 1);
            if (!utf8)
                BladParsowania(czyste);
            tekst = std::move(*utf8);
            wMiejscu = false;
        }
    }
    if (wMiejscu)
        tekst = std::move(czyste);
    // data() gives the parser a copy of its own when the bytes are still shared (with the caller's).
    const pugi::xml_parse_result wynik =
        dokument.load_buffer_inplace(tekst.data(), static_cast<size_t>(tekst.size()), opcje, kodowanieTekstu);
    if (wynik.status == pugi::status_no_document_element || (wynik && !dokument.document_element())) {
        dokument.reset();
        throw EBlad(QStringLiteral("Brak danych w kosztorysie"));
    }
    if (!wynik) {
        dokument.reset();
        BladParsowania(wMiejscu ? ZamienEsc(zrodlo(), wykrycie.Kodowanie) : czyste);
    }
    // The declaration belongs at the very start. After other text it named no encoding for this read, but
    // the copy (which has no text outside its nodes) would start with it and be read in another encoding.
    if (!deklaracjaNaPoczatku)
        for (pugi::xml_node w = dokument.first_child(); w; w = w.next_sibling())
            if (w.type() == pugi::node_declaration) {
                dokument.reset();
                throw EBlad(QStringLiteral("Błąd odczytu pliku XML: deklaracja XML nie stoi na początku dokumentu."));
            }
    return forma;
}

} // namespace

TFormaXml ParsujXmlKosztorysu(const QByteArray& bajty, unsigned opcje, pugi::xml_document& dokument, QByteArray& tekst)
{
    return Parsuj(
        bajty, [&bajty] { return bajty; }, opcje, dokument, tekst, nullptr);
}

bool CzytajXmlKosztorysu(QByteArray bajty, const std::function<QByteArray()>& zrodlo, pugi::xml_document& dokument,
                         QByteArray& tekst)
{
    bool windows1250 = false;
    Parsuj(std::move(bajty), zrodlo, OpcjeCzytaniaXmlKosztorysu, dokument, tekst, &windows1250);
    return windows1250;
}

QByteArray XmlKosztorysuNaBajty(const pugi::xml_document& dokument, const TFormaXml& forma)
{
    std::string utf8;
    TPisarz pisarz(utf8);
    utf8.reserve(static_cast<size_t>(forma.RozmiarZrodla + forma.RozmiarZrodla / 8 + 1024));
    const std::string koniecLinii = forma.KoniecLinii.toStdString();
    for (pugi::xml_node wezel = dokument.first_child(); wezel; wezel = wezel.next_sibling()) {
        if (wezel != dokument.first_child())
            utf8 += koniecLinii;
        wezel.print(pisarz, "", pugi::format_raw, pugi::encoding_utf8);
    }
    if (forma.KoniecLiniiNaKoncu)
        utf8 += koniecLinii;
    if (!forma.Iconv.isEmpty())
        return NaKodowanieZOdwolaniami(utf8, forma.Iconv);
    return Unicode(utf8, forma);
}
