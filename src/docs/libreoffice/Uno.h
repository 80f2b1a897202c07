#pragma once

// What the LibreOffice engine's sources share: the UNO headers and the conversion of UNO's failures
// into the program's errors.

#include "app/Wyjatki.h"
#include "docs/WyjatkiDokumentow.h"
#include "docs/libreoffice/StraznikUno.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <QString>

using rtl::OUString;

#include <utility>
#include <vector>

namespace css = com::sun::star;

inline OUString DoUno(const QString& tekst)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(tekst.utf16()), tekst.size());
}

inline QString ZUno(const OUString& tekst)
{
    return QString(reinterpret_cast<const QChar*>(tekst.getStr()), tekst.getLength());
}

inline css::beans::PropertyValue Wlasciwosc(const char* nazwa, const css::uno::Any& wartosc)
{
    css::beans::PropertyValue p;
    p.Name = OUString::createFromAscii(nazwa);
    p.Value = wartosc;
    return p;
}

inline css::uno::Sequence<css::beans::PropertyValue> Wlasciwosci(std::vector<css::beans::PropertyValue> lista)
{
    return css::uno::Sequence<css::beans::PropertyValue>(lista.data(), static_cast<sal_Int32>(lista.size()));
}

[[noreturn]] void RzucBladUno(const css::uno::Exception& e);

// Runs UNO calls under the watch of StraznikUno; a lost connection becomes ESilnikUtracony, any other UNO failure an
// EBlad with its message.
template <class F> auto WywolajUno(F&& f) -> decltype(f())
{
    const StraznikUno::TWywolanie straznik;
    try {
        return f();
    } catch (const EBlad&) {
        throw;
    } catch (const css::lang::DisposedException&) {
        throw ESilnikUtracony(QStringLiteral("Połączenie z pakietem biurowym zostało przerwane."));
    } catch (const css::uno::Exception& e) {
        RzucBladUno(e);
    }
}
