#pragma once

#include "estimates/Kosztorys.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The one place that knows every estimate format: picks the class by the file's extension, and
// gives the open-dialog filters to the GUI and the format choice to the command-line tool.
class TKosztorysFactory
{
public:
    struct TFormat
    {
        std::function<std::unique_ptr<TKosztorys>(bool renumeruj, bool indeksuj, bool nadpiszKopie,
                                                  const TUstawieniaKosztorysu& ustawienia)>
            Utworz;
        // Whether the estimate is of this format (or of one derived from it).
        std::function<bool(const TKosztorys&)> CzyTegoFormatu;
    };

    // The estimate for the file, by the last extension of its name (ASCII letters in any case), or null
    // for an extension no format has. With wczytaj set the file is read at once and a reading failure
    // propagates as the reader's exception; otherwise the estimate is empty, with an empty path and
    // all three options off. Either way it keeps the settings to read and write by.
    static std::unique_ptr<TKosztorys> GetKosztorys(const QString& filePath, bool wczytaj,
                                                    const TUstawieniaKosztorysu& ustawienia, bool renumeruj = false,
                                                    bool indeksuj = false, bool nadpiszKopie = false);
    // The filters "Opis (*.ext)|*.ext" of every format in the dialog's order, then
    // "Wszystkie obsługiwane|*.ext;*.ext;...".
    static QStringList GetListaFiltrow();
    // The same as a Qt file-dialog filter ("Opis (*.ext);;...").
    static QString GetFiltrDialogu();
    static QString GetFilter(const TKosztorys& kosztorys);
    static QString GetDefaultExtension(const TKosztorys& kosztorys);
    // The extensions of every format with their dots, in the order in which they are tested.
    static QStringList GetRozszerzenia();

private:
    // In the order in which extensions are tested.
    static const std::vector<TFormat>& FormatyWgRozszerzen();
    // In the order of the open dialog's filters.
    static const std::vector<TFormat>& FormatyWgFiltrow();
    // In the order in which an estimate's class is tested (derived classes before their bases).
    static const std::vector<TFormat>& FormatyWgKlas();
};
