#pragma once

#include "app/MyPath.h"

#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pugi {
class xml_node;
}

// The export settings of a set with their defaults. Kept as one plain value so that the defaults and a
// completely read "konfiguracja" element are each taken over in a single assignment: no field can be
// forgotten by LoadDefaults, and a failed read never leaves half of the settings changed.
struct TUstawieniaEksportuZestawu
{
    bool CzyNaglowek = true;
    QString TrescNaglowka = QStringLiteral("Treść nagłówka");
    bool CzyStopka = true;
    bool CzyNrStronyStopki = true;
    bool CzyDrukDwustronnyStopki = false;
    bool CzyWstawiacSzablonPierwszejStrony = false;
    QString TrescStopki = QStringLiteral("Treść stopki");
    bool CzyEksportDoc = true;
    bool CzyOtworzDoc = true;
    bool CzyWstawTekstDoSt = false;
    QString TekstDoSt;
    bool CzyStylWNaglowku = false;
    QString NazwaStyluWNaglowku;
    bool CzyWeryfikujStylNaglowka = true;
    bool CzyUstawMarginesy = false;
    int MarginesL = 25; // millimetres
    int MarginesR = 25;
    int MarginesG = 25;
    int MarginesD = 25;
    bool CzyWstawListeStDoWarOgolnych = false;
};

// The settings that belong to one set rather than to the program: how its documents are exported and
// a dictionary of named values ("externals") in which other parts keep their own per-set settings.
// Stored as the "konfiguracja" element of the set file.
class TKonfiguracjaZestawu : public TUstawieniaEksportuZestawu
{
public:
    using TZdarzenie = std::function<void(TKonfiguracjaZestawu* sender)>;
    using TExternal = std::pair<QString, QVariant>;

    // Its element in the set file, and the attributes of that element that hold the title-page templates'
    // paths in stored form (which the set archives carry along).
    static constexpr char Element[] = "konfiguracja";
    static constexpr char AtrybutSzablonuDoc[] = "szablonPierwszejStronyDocPath";
    static constexpr char AtrybutSzablonuOdt[] = "szablonPierwszejStronyOdtPath";
    static constexpr std::array<const char*, 2> SciezkiSzablonow{AtrybutSzablonuDoc, AtrybutSzablonuOdt};

    TKonfiguracjaZestawu();
    ~TKonfiguracjaZestawu();
    // The path objects report to this object, so it is never copied.
    TKonfiguracjaZestawu(const TKonfiguracjaZestawu&) = delete;
    TKonfiguracjaZestawu& operator=(const TKonfiguracjaZestawu&) = delete;

    // The program version recorded in the set (the running program's for a new set).
    QString WersjaProgramu;

    // Fired when either title-page path changes and at the end of LoadDefaults.
    TZdarzenie OnZmianaPierwszejStrony;
    // Fired by AddExternalNode.
    TZdarzenie OnExternalsChange;

    // The title-page templates for Word and OpenDocument output (owned; changes fire
    // OnZmianaPierwszejStrony).
    TMyPath* GetPierwszaStronaDocTemplate() const { return FPierwszaStronaDocTemplate.get(); }
    // What "%USERPATH%" in the templates' paths stands for (the set's).
    void UstawKatalogUzytkownika(const QString& katalog);
    TMyPath* GetPierwszaStronaOdtTemplate() const { return FPierwszaStronaOdtTemplate.get(); }

    static bool GetDefaultCzyEksportDoc() { return true; }

    // Every setting back to its default (not WersjaProgramu), no externals; fires OnZmianaPierwszejStrony.
    void LoadDefaults();

    // Reads the "konfiguracja" child of the set's document element. A null node or one without that
    // child gives the defaults. On a failure (EBlad / EConvertError with a Polish message) nothing of
    // this object has changed.
    void Load(const pugi::xml_node& parent);
    // Appends the "konfiguracja" element to mainNode; a null node raises
    // "Brak możliwości zapisu konfiguracji zestawu".
    void Save(pugi::xml_node& mainNode);

    // Adds or replaces a named value (an existing name keeps its place) and fires OnExternalsChange.
    // The name becomes an element name in the file, so a name that is no valid XML element name (or
    // one with a colon, which namespace-aware readers refuse) is refused with EBlad, as is a value
    // that cannot be written as text.
    void AddExternalNode(const QString& nazwa, const QVariant& wartosc);
    // The stored value, or a null QVariant when the name is absent. Names are compared exactly.
    QVariant GetExternalNode(const QString& nazwa) const;
    // The externals in the order they were first added (the order they are written in).
    const std::vector<TExternal>& ExternalValueList() const { return FExternalValueList; }

    // One "Name=value" line per setting, joined by CR LF, without a final line end (diagnostics).
    QString ToString() const;

    // Whether a text can be written as an external's element name.
    static bool CzyPoprawnaNazwaExternal(const QString& nazwa);

private:
    void ZmianaPierwszejStrony();

    std::unique_ptr<TMyPath> FPierwszaStronaDocTemplate;
    std::unique_ptr<TMyPath> FPierwszaStronaOdtTemplate;
    std::vector<TExternal> FExternalValueList;
};
