#pragma once

#include <QString>

#include <functional>

// A stored file path: the user folder, where a path lies inside it, is replaced by the token
// "%USERPATH%", so that lists, sets and estimates follow a moved user folder. Paths written on
// Windows may carry "\" separators and drive letters; "\" is read as a separator.
//
// Each path carries the user folder it is read against, given by its owner (the configuration, a
// list, a set, an estimate), which has it from its caller's settings; copies carry it along. A path
// without one keeps the token in what it returns.
class TMyPath
{
public:
    using TOnChange = std::function<void(TMyPath* sender)>;

    static inline const QString Token = QStringLiteral("%USERPATH%");
    static inline const QString PrefiksDlugiejSciezki = QStringLiteral("\\\\?\\");

    // Whether the text holds the token in any letter case: what contains(Token, Qt::CaseInsensitive) says,
    // at the cost of a search for "%". Tens of thousands of paths are asked while a list is read.
    static bool ZawieraToken(QStringView tekst);

    TMyPath() = default;
    explicit TMyPath(QString katalogUzytkownika) : FKatalogUzytkownika(std::move(katalogUzytkownika)) {}

    const QString& KatalogUzytkownika() const { return FKatalogUzytkownika; }
    // A real path inside the new folder that was stored without the token gets it now, so that a path
    // set before its owner knew the folder is stored as one set after; no change event.
    void UstawKatalogUzytkownika(const QString& katalog);

    // Stores a real path against the path's own user folder.
    void SetPath(const QString& wartosc);
    // The real path: the token replaced by the path's user folder, separators made "/".
    QString GetPath() const;
    // GetPath; the long-path prefix means nothing on this platform, so the plain path is returned.
    QString GetLongPath() const;

    // The same with an explicit user folder, the path's own left as it is.
    void SetPath(const QString& wartosc, const QString& katalogUzytkownika);
    QString GetPath(const QString& katalogUzytkownika) const;

    const QString& EncodedPath() const { return FEncodedPath; }
    void SetEncodedPath(const QString& wartosc);

    QString ToString() const;

    TOnChange OnChange;

private:
    void Zmieniono();

    QString FEncodedPath;
    QString FKatalogUzytkownika;
};
