#pragma once

#include <QString>

#include <exception>
#include <string>

// The program's error family: every failure that carries a Polish message for the user.
// Worker threads deliver the message of such an error to their error handler; callers that
// must react to a particular failure catch one of the derived types.
class EBlad : public std::exception
{
public:
    explicit EBlad(QString komunikat) : FKomunikat(std::move(komunikat)), FUtf8(FKomunikat.toStdString()) {}

    const QString& Komunikat() const noexcept { return FKomunikat; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FKomunikat;
    std::string FUtf8;
};

// A text that is no number or no boolean where one is required.
class EConvertError : public EBlad
{
public:
    using EBlad::EBlad;
};

// No network connection could be made (update check).
class ENoConnection : public EBlad
{
public:
    using EBlad::EBlad;
};
