#include "cli/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

void WypiszJson(QTextStream& strumien, const QJsonValue& wartosc)
{
    QJsonDocument dokument;
    if (wartosc.isArray())
        dokument.setArray(wartosc.toArray());
    else
        dokument.setObject(wartosc.toObject());
    strumien << QString::fromUtf8(dokument.toJson(QJsonDocument::Indented));
    strumien.flush();
}
