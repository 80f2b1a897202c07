#pragma once

#include <QString>

#include <functional>

// A stored file path: the user folder, where a path lies inside it, is replaced by the token
// "%USERPATH%", so that lists, sets and estimates follow a moved user folder. Paths written on
// Windows may carry "\" separators and drive letters; "\" is read as a separator.
class TMyPath
{
public:
    using TOnChange = std::function<void(TMyPath* sender)>;

    static inline const QString Token = QStringLiteral("%USERPATH%");
    static inline const QString PrefiksDlugiejSciezki = QStringLiteral("\\\\?\\");

    TMyPath() = default;

    // Stores a real path; the user folder comes from the program configuration.
    void SetPath(const QString& wartosc);
    // The real path: the token replaced by the current user folder, separators made "/".
    QString GetPath() const;
    // GetPath; the long-path prefix means nothing on this platform, so the plain path is returned.
    QString GetLongPath() const;

    // The same with an explicit user folder (used by the configuration itself and by tests).
    void SetPath(const QString& wartosc, const QString& katalogUzytkownika);
    QString GetPath(const QString& katalogUzytkownika) const;

    const QString& EncodedPath() const { return FEncodedPath; }
    void SetEncodedPath(const QString& wartosc);

    QString ToString() const;

    TOnChange OnChange;

private:
    void Zmieniono();

    QString FEncodedPath;
};
