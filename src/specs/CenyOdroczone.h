#pragma once

#include "prices/UstawieniaCen.h"

#include <pugixml.hpp>

// A list file as it was read, kept while some of its unit prices have not been asked for. A price holds
// two dozen inputs and three sources, and a large list has tens of thousands of them that nobody may look
// at: each is restored from its own element, with the settings the list had when it was read, the first
// time it is asked for. The document goes when the last of those prices has been restored or dropped.
struct TCenyOdroczone
{
    pugi::xml_document Dokument;
    TUstawieniaCen Ustawienia;
};
