#include "app/Xml.h"

#include "app/Kodowanie.h"
#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"

#include <QRegularExpression>

#include <cstring>

namespace {

QString OpisBleduXml(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_file_not_found:
        return QStringLiteral("nie znaleziono pliku");
    case pugi::status_io_error:
        return QStringLiteral("błąd odczytu");
    case pugi::status_out_of_memory:
        return QStringLiteral("brak pamięci");
    case pugi::status_unrecognized_tag:
        return QStringLiteral("nierozpoznany znacznik");
    case pugi::status_bad_pi:
        return QStringLiteral("nieprawidłowa instrukcja przetwarzania lub deklaracja");
    case pugi::status_bad_comment:
        return QStringLiteral("nieprawidłowy komentarz");
    case pugi::status_bad_cdata:
        return QStringLiteral("nieprawidłowa sekcja CDATA");
    case pugi::status_bad_doctype:
        return QStringLiteral("nieprawidłowa deklaracja typu dokumentu");
    case pugi::status_bad_pcdata:
        return QStringLiteral("nieprawidłowy tekst elementu");
    case pugi::status_bad_start_element:
        return QStringLiteral("nieprawidłowy znacznik otwierający");
    case pugi::status_bad_attribute:
        return QStringLiteral("nieprawidłowy atrybut");
    case pugi::status_bad_end_element:
        return QStringLiteral("nieprawidłowy znacznik zamykający");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("znacznik zamykający nie pasuje do otwierającego");
    case pugi::status_append_invalid_root:
        return QStringLiteral("nieprawidłowy element główny");
    case pugi::status_no_document_element:
        return QStringLiteral("brak elementu głównego");
    default:
        return QStringLiteral("nieznany błąd");
    }
}

// The encoding named in the XML declaration, read as ASCII from the start of the bytes.
QByteArray KodowanieZDeklaracji(const QByteArray& bajty)
{
    if (!bajty.startsWith("<?xml"))
        return {};
    const qsizetype koniec = bajty.indexOf("?>");
    if (koniec < 0)
        return {};
    static const QRegularExpression wzor(QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    const auto m = wzor.match(QString::fromLatin1(bajty.left(koniec)));
    return m.hasMatch() ? m.captured(1).toLatin1() : QByteArray();
}

bool CzyUtf(const QByteArray& kodowanie)
{
    const QByteArray k = kodowanie.toLower();
    return k.isEmpty() || k == "utf-8" || k == "utf8" || k.startsWith("utf-16") || k.startsWith("utf16");
}

} // namespace

QByteArray ParsujXml(const QByteArray& bajty, pugi::xml_document& dokument)
{
    const bool zBom = bajty.startsWith("\xEF\xBB\xBF") || bajty.startsWith("\xFF\xFE") || bajty.startsWith("\xFE\xFF");
    const QByteArray kodowanie = zBom ? QByteArray() : KodowanieZDeklaracji(bajty);
    const unsigned opcje = pugi::parse_default | pugi::parse_declaration;
    pugi::xml_parse_result wynik;
    if (zBom || CzyUtf(kodowanie)) {
        wynik = dokument.load_buffer(bajty.constData(), static_cast<size_t>(bajty.size()), opcje, pugi::encoding_auto);
    } else {
        QByteArray utf8;
        try {
            utf8 = ZKodowania(bajty, kodowanie).toUtf8();
        } catch (const EBlad&) {
            throw EBlad(QStringLiteral("Błąd odczytu pliku XML: nieobsługiwane kodowanie \"%1\".")
                            .arg(QString::fromLatin1(kodowanie)));
        }
        wynik = dokument.load_buffer(utf8.constData(), static_cast<size_t>(utf8.size()), opcje, pugi::encoding_utf8);
    }
    if (!wynik) {
        dokument.reset();
        throw EBlad(QStringLiteral("Błąd odczytu pliku XML: %1 (znak %2).")
                        .arg(OpisBleduXml(wynik.status))
                        .arg(static_cast<qlonglong>(wynik.offset)));
    }
    if (!dokument.document_element()) {
        dokument.reset();
        throw EBlad(QStringLiteral("Błąd odczytu pliku XML: %1.").arg(OpisBleduXml(pugi::status_no_document_element)));
    }
    return kodowanie;
}

QByteArray WczytajPlikXml(const QString& sciezka, pugi::xml_document& dokument)
{
    const QByteArray bajty = CzytajPlikDoOtwarcia(sciezka);
    return ParsujXml(bajty, dokument);
}

void NowyDokumentXml(pugi::xml_document& dokument)
{
    dokument.reset();
    pugi::xml_node deklaracja = dokument.append_child(pugi::node_declaration);
    deklaracja.append_attribute("version") = "1.0";
    deklaracja.append_attribute("encoding") = "UTF-8";
}

QByteArray XmlNaBajty(const pugi::xml_document& dokument)
{
    // Straight into the array: a string stream copies every block twice more.
    struct TZapisDoTablicy : pugi::xml_writer
    {
        QByteArray Bajty;
        void write(const void* dane, size_t rozmiar) override
        {
            Bajty.append(static_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
        }
    } zapis;
    dokument.save(zapis, "  ", pugi::format_default, pugi::encoding_utf8);
    return zapis.Bajty;
}

QString TekstXml(const char* utf8)
{
    QString wynik;
    while (std::strncmp(utf8, "\xEF\xBB\xBF", 3) == 0) {
        wynik += QChar(0xFEFF);
        utf8 += 3;
    }
    return wynik + QString::fromUtf8(utf8);
}

std::optional<QString> AtrybutXml(const pugi::xml_node& wezel, const char* nazwa)
{
    const pugi::xml_attribute a = wezel.attribute(nazwa);
    if (!a)
        return std::nullopt;
    return TekstXml(a.value());
}

QString TekstWezla(const pugi::xml_node& wezel)
{
    return TekstXml(wezel.text().get());
}

QString XmlNaTekst(const std::optional<QString>& wartosc)
{
    return wartosc ? wartosc->trimmed() : QString();
}

QString XmlNaTekst(const pugi::xml_attribute& a)
{
    if (!a)
        return QString();
    const char* utf8 = a.value();
    if (*utf8 == '\0') {
        static const QString pusty = TekstXml("").trimmed();
        return pusty;
    }
    // Printable ASCII at both ends: no byte-order mark to keep and nothing for trimming to take away.
    const std::size_t dlugosc = std::strlen(utf8);
    const auto drukowalny = [](char z) { return z > ' ' && z < '\x7f'; };
    if (drukowalny(utf8[0]) && drukowalny(utf8[dlugosc - 1]))
        return QString::fromUtf8(utf8, static_cast<qsizetype>(dlugosc));
    return TekstXml(utf8).trimmed();
}

bool XmlNaLogiczna(const pugi::xml_attribute& a, bool domyslna)
{
    if (!a)
        return domyslna;
    if (const std::optional<bool> wprost = LogicznaWprost(a.value()))
        return *wprost;
    return XmlNaLogiczna(std::optional<QString>(TekstXml(a.value())), domyslna);
}

std::optional<bool> LogicznaWprost(const char* tekst)
{
    if (std::strcmp(tekst, "true") == 0)
        return true;
    if (std::strcmp(tekst, "false") == 0)
        return false;
    return std::nullopt;
}

QString XmlNaTekstDomyslny(const std::optional<QString>& wartosc, const QString& domyslna)
{
    return wartosc ? wartosc->trimmed() : domyslna.trimmed();
}

double XmlNaLiczbe(const std::optional<QString>& wartosc, double domyslna)
{
    if (!wartosc)
        return domyslna;
    return TekstNaLiczbeDowolnySeparator(*wartosc).value_or(domyslna);
}

std::optional<bool> TekstNaLogiczna(const QString& tekst)
{
    const QString t = tekst.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto liczba = TekstNaLiczbe(t))
        return *liczba != 0.0;
    return std::nullopt;
}

bool XmlNaLogiczna(const std::optional<QString>& wartosc, bool domyslna)
{
    if (!wartosc)
        return domyslna;
    const auto wynik = TekstNaLogiczna(*wartosc);
    if (!wynik)
        throw EConvertError(QStringLiteral("\"%1\" nie jest prawidłową wartością logiczną.").arg(*wartosc));
    return *wynik;
}

int XmlNaCalkowita(const std::optional<QString>& wartosc, int domyslna)
{
    if (!wartosc)
        return domyslna;
    return TekstNaCalkowita(*wartosc).value_or(domyslna);
}

void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, const QString& wartosc)
{
    wezel.append_attribute(nazwa) = wartosc.toUtf8().constData();
}

void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, bool wartosc)
{
    wezel.append_attribute(nazwa) = wartosc ? "true" : "false";
}

void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, int wartosc)
{
    wezel.append_attribute(nazwa) = QByteArray::number(wartosc).constData();
}

void UstawAtrybutLiczba(pugi::xml_node& wezel, const char* nazwa, double wartosc)
{
    UstawAtrybut(wezel, nazwa, LiczbaNaTekst(wartosc));
}
