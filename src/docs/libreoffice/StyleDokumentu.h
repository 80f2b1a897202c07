#pragma once

#include "docs/libreoffice/Uno.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XComponent.hpp>

#include <QString>

#include <vector>

// Styles and page layout of a Writer document, read and copied over UNO.

// The document's style family of that name ("ParagraphStyles", "PageStyles", ...).
css::uno::Reference<css::container::XNameAccess> Rodzina(const css::uno::Reference<css::lang::XComponent>& dokument,
                                                         const char* nazwa);

// Gives the styles that the document's text uses copies of their own (named after them, with the suffix, and
// unknown to the other document), so that inserted into the other document the text keeps its look.
void NadajWlasneStyle(const css::uno::Reference<css::lang::XComponent>& dokument,
                      const css::uno::Reference<css::lang::XComponent>& cel, const QString& przyrostek);

// The settings of the page style the document begins with, for a page that has neither header nor footer: the
// space they took stays part of the margins, so the body keeps its place and size.
std::vector<css::beans::PropertyValue> UkladPierwszejStrony(const css::uno::Reference<css::lang::XComponent>& dokument);
