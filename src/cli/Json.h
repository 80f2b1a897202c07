#pragma once

#include <QJsonValue>
#include <QTextStream>

// Every JSON the tool prints goes through here: indented, UTF-8, keys as given.
void WypiszJson(QTextStream& strumien, const QJsonValue& wartosc);
