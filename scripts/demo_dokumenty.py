#!/usr/bin/env python3
"""Writes the demo specification documents and the demo set's title pages.

For every document the list names (the "plik" attribute of its specifications and variants) a short
specification is written in the format the name's extension asks for (.odt, .doc or .docx): a level 1
heading with the number and title, the line "Znacznik: <number>" (variants: "<number>#<variant>"),
three to five numbered level 2 sections, a few paragraphs, a bulleted list and a table of materials.
The general-conditions specification also holds "#LISTA_ST#" on a paragraph of its own, and it and a
few others hold "#NAZWA_ZADANIA#". The title-page templates named by the set's configuration are
written too.

The documents are composed as flat ODT and converted by LibreOffice in one call per target format, with
a private profile. Nothing in the user folder changes until every conversion has succeeded and every
converted document has been checked for its marker.

Usage (from the repository root; the defaults are the demo data):
    scripts/demo_dokumenty.py [--lista "data/demo/Lista demo.sst"] [--zestaw "data/demo/Zestaw demo.zst"]
                              [--katalog-uzytkownika data/demo] [--usun-zastapione] [--fodt FOLDER]
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile
import zlib
from dataclasses import dataclass, field
from xml.sax.saxutils import escape

KATALOG_REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEMO = os.path.join(KATALOG_REPO, "data", "demo")
TOKEN = "%USERPATH%"
SOFFICE = "/usr/lib/libreoffice/program/soffice"
PROFIL = "/tmp/demo-lo-profile"

# LibreOffice's export filter for each target extension.
FILTRY = {
    ".odt": "odt",
    ".doc": "doc:MS Word 97",
    ".docx": "docx:MS Word 2007 XML",
}
# The documents' extensions, so that a replaced document of another format can be found.
ROZSZERZENIA = tuple(FILTRY)

NAGLOWKI = {
    1: "1. Wstęp",
    2: "2. Materiały",
    3: "3. Sprzęt",
    4: "4. Wykonanie robót",
    5: "5. Odbiór robót",
}


class BladSkryptu(Exception):
    pass


# ---------------------------------------------------------------------------------------------------
# What the documents say, by kind of work.


@dataclass
class Rodzaj:
    slowa: tuple  # beginnings of the title's words (lower case) that select this kind
    materialy: list  # rows (material, unit, standard)
    sprzet: list
    wykonanie: list  # paragraphs
    kroki: list  # bullets of the work's steps
    odbior: list
    grupy: tuple = field(default_factory=tuple)  # number prefixes that select this kind


RODZAJE = {
    "rozbiorki": Rodzaj(
        ("rozbiór", "demontaż", "skucie", "wyburzenie", "usunięcie", "wywóz", "frezowanie"),
        [("Materiały z rozbiórki przeznaczone do odzysku", "t", "—"),
         ("Kontenery na odpady budowlane", "szt.", "—"),
         ("Folia ochronna polietylenowa", "m2", "PN-EN ISO 11925-2")],
        ["młoty pneumatyczne i elektryczne", "koparka z osprzętem do kruszenia", "samochody samowyładowcze",
         "piły tarczowe do cięcia nawierzchni i betonu"],
        ["Roboty rozbiórkowe należy prowadzić w sposób nienaruszający elementów przeznaczonych do "
         "pozostawienia. Przed rozpoczęciem robót Wykonawca ustali przebieg czynnych sieci uzbrojenia "
         "terenu i zabezpieczy je przed uszkodzeniem.",
         "Materiały z rozbiórki nadające się do ponownego wbudowania należy posegregować i złożyć w miejscu "
         "wskazanym przez Inspektora nadzoru, a pozostałe odpady przekazać do utylizacji zgodnie z ustawą "
         "o odpadach."],
        ["wyznaczenie zakresu rozbiórki i zabezpieczenie terenu", "odłączenie i zabezpieczenie instalacji",
         "rozebranie elementów z sortowaniem materiałów", "załadunek i wywóz odpadów"],
        ["Odbiór polega na sprawdzeniu kompletności rozbiórki, uporządkowania terenu oraz dokumentów "
         "potwierdzających przekazanie odpadów do unieszkodliwienia."],
    ),
    "zaplecze": Rodzaj(
        ("zaplecze", "ogrodzenie terenu budowy"),
        [("Kontenery socjalne i biurowe", "szt.", "—"),
         ("Ogrodzenie tymczasowe z paneli siatkowych", "m", "PN-EN 10223-7"),
         ("Tablica informacyjna budowy", "szt.", "—"),
         ("Kruszywo na drogi tymczasowe", "t", "PN-EN 13242")],
        ["samochód dostawczy z żurawiem HDS", "koparko-ładowarka", "agregat prądotwórczy"],
        ["Zaplecze budowy lokalizuje się w miejscu uzgodnionym z Zamawiającym, z dostępem do drogi "
         "publicznej, wody i energii elektrycznej. Teren budowy ogradza się i oznakowuje tablicami "
         "ostrzegawczymi.",
         "Po zakończeniu robót Wykonawca likwiduje zaplecze i przywraca teren do stanu pierwotnego."],
        ["przejęcie i wytyczenie terenu", "wykonanie przyłączy tymczasowych", "ustawienie kontenerów",
         "montaż ogrodzenia i tablicy informacyjnej"],
        ["Odbiór obejmuje sprawdzenie kompletności zaplecza, ogrodzenia i oznakowania terenu budowy."],
        ("B-01.01",),
    ),
    "pomiary": Rodzaj(
        ("wyznaczenie", "odtworzenie", "tras"),
        [("Pale drewniane z gwoździem", "szt.", "—"),
         ("Paliki drewniane 5–8 cm", "szt.", "—"),
         ("Repery stalowe", "szt.", "PN-EN ISO 17123-2")],
        ["tachimetr elektroniczny", "niwelator kodowy", "odbiornik GNSS RTK", "tyczki i łaty geodezyjne"],
        ["Prace pomiarowe powinny być wykonane przez osoby posiadające odpowiednie uprawnienia geodezyjne. "
         "Punkty główne trasy należy zastabilizować w sposób trwały i zabezpieczyć przed zniszczeniem.",
         "Dopuszczalne odchylenie punktów osi trasy wynosi 3 cm w planie i 1 cm w pionie dla reperów "
         "roboczych."],
        ["sprawdzenie osnowy geodezyjnej", "wyznaczenie osi i punktów głównych", "założenie reperów roboczych",
         "sporządzenie szkiców tyczenia"],
        ["Odbiór następuje na podstawie szkiców i dzienników pomiarów przekazanych Inspektorowi nadzoru."],
    ),
    "ziemne": Rodzaj(
        ("wykop", "nasyp", "grunt", "humus", "zasypanie", "ukop", "koryto", "ziemne", "podsypk", "skarp"),
        [("Grunt niewysadzinowy z wykopu", "m3", "PN-S-02205"),
         ("Piasek średnioziarnisty", "m3", "PN-EN 13242"),
         ("Pospółka", "m3", "PN-EN 13242"),
         ("Geowłóknina separacyjna", "m2", "PN-EN 13249")],
        ["koparki podsiębierne", "spycharki gąsienicowe", "walce wibracyjne i zagęszczarki płytowe",
         "samochody samowyładowcze"],
        ["Wykopy należy wykonywać warstwami, z zachowaniem projektowanych spadków umożliwiających odpływ "
         "wód opadowych. Dno wykopu nie może pozostawać odkryte dłużej, niż to konieczne.",
         "Nasypy zagęszcza się warstwami o grubości dostosowanej do sprzętu, do uzyskania wskaźnika "
         "zagęszczenia nie mniejszego niż 1,00 w górnej strefie i 0,97 poniżej."],
        ["zdjęcie warstwy ziemi urodzajnej", "odspojenie i transport gruntu", "formowanie skarp",
         "zagęszczanie warstwami z kontrolą wskaźnika"],
        ["Sprawdzeniu podlegają rzędne, szerokość i pochylenie skarp oraz wskaźnik zagęszczenia, "
         "oznaczany co najmniej raz na każde 500 m3 wbudowanego gruntu."],
        ("D-02", "B-02", "M-11.01"),
    ),
    "odwodnienie": Rodzaj(
        ("kanalizac", "studnie", "sączki", "drenaż", "rowy", "separator", "odwodnienie", "przepust", "ściek"),
        [("Rury kanalizacyjne PVC-U SN8", "m", "PN-EN 1401-1"),
         ("Studnie betonowe Ø1000 mm", "szt.", "PN-EN 1917"),
         ("Wpusty uliczne żeliwne klasy D400", "szt.", "PN-EN 124-2"),
         ("Obsypka piaskowa", "m3", "PN-EN 13242")],
        ["koparka podsiębierna", "zagęszczarka płytowa", "urządzenie do próby szczelności",
         "obudowy wykopów"],
        ["Przewody układa się na podsypce piaskowej o grubości 15 cm, ze spadkiem zgodnym z dokumentacją "
         "projektową, w kierunku od wylotu do studni początkowej.",
         "Po ułożeniu przewodu i przed zasypaniem należy wykonać próbę szczelności oraz inspekcję "
         "kamerą telewizyjną."],
        ["umocnienie ścian wykopu", "wykonanie podsypki", "ułożenie rur i studni", "próba szczelności",
         "zasypanie z zagęszczeniem"],
        ["Odbiór obejmuje sprawdzenie spadków, szczelności złączy i protokołu inspekcji TV przewodów."],
    ),
    "podbudowy": Rodzaj(
        ("kruszyw", "podbudow", "pobocz", "żwirow", "tłuczniow", "mrozoochronn", "odsączając", "ulepszone",
         "gruntowa", "ścieżek"),
        [("Kruszywo łamane 0/31,5 mm", "t", "PN-EN 13242"),
         ("Kruszywo naturalne 0/63 mm", "t", "PN-EN 13242"),
         ("Cement CEM I 32,5R", "t", "PN-EN 197-1"),
         ("Woda zarobowa", "m3", "PN-EN 1008")],
        ["wytwórnia mieszanek z dozowaniem wagowym", "równiarka lub układarka", "walce ogumione i stalowe",
         "skrapiarka do wody"],
        ["Mieszankę kruszywa rozkłada się warstwą o jednakowej grubości, z zachowaniem spadków "
         "poprzecznych. Zagęszczanie prowadzi się od krawędzi do osi jezdni.",
         "Warstwa powinna być zagęszczona do wskaźnika nie mniejszego niż 1,00, a moduł odkształcenia "
         "wtórnego E2 sprawdza się płytą VSS."],
        ["przygotowanie podłoża", "wytworzenie i dowóz mieszanki", "rozłożenie i profilowanie warstwy",
         "zagęszczenie i pielęgnacja"],
        ["Sprawdza się grubość, równość podłużną łatą 4 m, spadki poprzeczne i nośność warstwy."],
        ("D-04", "D-06.03"),
    ),
    "bitumiczne": Rodzaj(
        ("asfalt", "bitum", "skropienie", "sma", "mastyks", "wyrównanie", "remont cząstkowy", "siatką z włókien"),
        [("Beton asfaltowy AC 11 S", "t", "PN-EN 13108-1"),
         ("Asfalt drogowy 50/70", "t", "PN-EN 12591"),
         ("Emulsja asfaltowa C60 B3 ZM", "kg", "PN-EN 13808"),
         ("Kruszywo do mieszanek mineralno-asfaltowych", "t", "PN-EN 13043")],
        ["otaczarka o mieszaniu cyklicznym", "układarka gąsienicowa z automatyką", "walce stalowe i ogumione",
         "skrapiarka do emulsji"],
        ["Mieszankę układa się w temperaturze otoczenia nie niższej niż +5 °C, na suchym i oczyszczonym "
         "podłożu skropionym emulsją asfaltową.",
         "Złącza podłużne i poprzeczne należy wykonać jako równe i szczelne, a krawędzie złączy "
         "posmarować lepiszczem."],
        ["oczyszczenie i skropienie podłoża", "dowóz mieszanki w temperaturze technologicznej",
         "rozłożenie układarką", "zagęszczenie walcami"],
        ["Badaniom podlegają grubość warstwy, wskaźnik zagęszczenia, zawartość wolnych przestrzeni oraz "
         "równość podłużna i poprzeczna."],
        ("M-19",),
    ),
    "elementy_drogi": Rodzaj(
        ("kostk", "krawężnik", "obrzeż", "chodnik", "płyt beton", "płyt żelbet", "ażurow", "ściek"),
        [("Betonowa kostka brukowa gr. 8 cm", "m2", "PN-EN 1338"),
         ("Krawężnik betonowy 15×30 cm", "m", "PN-EN 1340"),
         ("Obrzeże betonowe 8×30 cm", "m", "PN-EN 1340"),
         ("Podsypka cementowo-piaskowa 1:4", "m3", "PN-EN 13139")],
        ["zagęszczarka płytowa z nakładką gumową", "piła do cięcia kostki", "betoniarka",
         "chwytak do układania krawężników"],
        ["Elementy układa się na podsypce cementowo-piaskowej, z zachowaniem spoin szerokości 3–5 mm "
         "i projektowanych spadków. Krawężniki ustawia się na ławie betonowej z oporem.",
         "Po ułożeniu nawierzchnię zagęszcza się zagęszczarką z nakładką, a spoiny wypełnia piaskiem."],
        ["wykonanie ławy i koryta", "rozścielenie podsypki", "ułożenie elementów", "zagęszczenie i "
         "wypełnienie spoin"],
        ["Sprawdza się równość, spadki, szerokość spoin oraz wysokość krawężnika nad nawierzchnią."],
    ),
    "beton": Rodzaj(
        ("beton", "żelbet", "ławy", "stropy", "schody", "nadproża", "wieńce", "pale", "płyty przejściowe",
         "fundament", "czołowe"),
        [("Beton C30/37 XC4 XF1", "m3", "PN-EN 206+A2"),
         ("Cement CEM I 42,5R", "t", "PN-EN 197-1"),
         ("Kruszywo do betonu 2/16 mm", "t", "PN-EN 12620"),
         ("Domieszka napowietrzająca", "kg", "PN-EN 934-2")],
        ["pompa do betonu", "wibratory wgłębne", "deskowania systemowe", "betonowozy"],
        ["Mieszankę betonową układa się warstwami nie grubszymi niż 40 cm i zagęszcza wibratorami "
         "wgłębnymi. Przerwy w betonowaniu są dopuszczalne tylko w miejscach uzgodnionych z projektantem.",
         "Świeży beton należy pielęgnować co najmniej 7 dni, chroniąc go przed wysychaniem i mrozem."],
        ["odbiór deskowania i zbrojenia", "układanie i zagęszczanie mieszanki", "pielęgnacja betonu",
         "rozdeskowanie po uzyskaniu wytrzymałości"],
        ["Odbiór obejmuje badania wytrzymałości na ściskanie próbek, sprawdzenie wymiarów i jakości "
         "powierzchni elementów."],
        ("B-03.01", "B-04", "M-13", "M-11.07"),
    ),
    "zbrojenie": Rodzaj(
        ("zbrojenie",),
        [("Stal zbrojeniowa B500SP", "t", "PN-EN 10080"),
         ("Stal gładka S235JR", "t", "PN-EN 10025-2"),
         ("Drut wiązałkowy", "kg", "PN-EN 10218-2"),
         ("Dystanse z tworzywa", "szt.", "—")],
        ["giętarki i nożyce do prętów", "spawarki", "żuraw samojezdny"],
        ["Pręty przygotowuje się zgodnie z zestawieniem stali, z zachowaniem średnic gięcia. Otulina "
         "zbrojenia powinna odpowiadać klasie ekspozycji elementu.",
         "Zbrojenie łączy się drutem wiązałkowym lub przez spawanie, gdy dopuszcza to gatunek stali."],
        ["cięcie i gięcie prętów", "montaż zbrojenia", "ustawienie dystansów", "odbiór przed betonowaniem"],
        ["Przed betonowaniem sprawdza się zgodność zbrojenia z rysunkami, otulinę i sztywność szkieletu."],
    ),
    "murowe": Rodzaj(
        ("ściany", "murowan", "cegł", "pustak", "bloczk", "komin", "działowe", "silikat"),
        [("Bloczki z betonu komórkowego 600", "m3", "PN-EN 771-4"),
         ("Pustaki ceramiczne", "szt.", "PN-EN 771-1"),
         ("Zaprawa murarska M10", "m3", "PN-EN 998-2"),
         ("Kotwy i łączniki stalowe", "szt.", "PN-EN 845-1")],
        ["betoniarka lub mieszarka do zapraw", "rusztowania systemowe", "piła do bloczków"],
        ["Mury wznosi się warstwami, z przewiązaniem elementów i zachowaniem pionu. Spoiny poziome "
         "powinny mieć grubość zgodną z systemem murowym producenta.",
         "W temperaturze poniżej +5 °C roboty murowe można prowadzić tylko przy zastosowaniu zapraw "
         "o właściwościach zimowych."],
        ["wytyczenie ścian", "ułożenie pierwszej warstwy na izolacji", "murowanie z przewiązaniem",
         "osadzenie nadproży"],
        ["Sprawdza się pion i płaszczyznę ścian, grubość spoin, wymiary otworów i jakość wiązania."],
    ),
    "dachy": Rodzaj(
        ("dach", "pokrycie", "więźba", "obróbki", "rynny", "impregnacja", "stropodach"),
        [("Dachówka ceramiczna", "m2", "PN-EN 1304"),
         ("Papa termozgrzewalna wierzchniego krycia", "m2", "PN-EN 13707"),
         ("Blacha stalowa powlekana 0,5 mm", "m2", "PN-EN 10346"),
         ("Drewno konstrukcyjne C24", "m3", "PN-EN 338")],
        ["rusztowania i pomosty dachowe", "palniki gazowe", "giętarki do blach", "wyciąg budowlany"],
        ["Pokrycie układa się na przygotowanym i odebranym podłożu, zgodnie z instrukcją producenta "
         "systemu, z zachowaniem wymaganych zakładów i mocowań.",
         "Prace na dachu prowadzi się przy bezopadowej pogodzie, z zabezpieczeniem pracowników przed "
         "upadkiem z wysokości."],
        ["kontrola podłoża lub więźby", "ułożenie warstw wstępnych", "montaż pokrycia", "wykonanie obróbek"],
        ["Odbiór obejmuje sprawdzenie szczelności, spadków, zakładów i mocowań pokrycia oraz obróbek."],
        ("B-07",),
    ),
    "stolarka": Rodzaj(
        ("okna", "drzwi", "balustrad", "kraty", "parapet", "poręcze", "bramy", "furtki"),
        [("Okna z profili PVC, Uw ≤ 0,9 W/(m2·K)", "m2", "PN-EN 14351-1"),
         ("Drzwi wewnętrzne płytowe", "szt.", "PN-EN 14351-2"),
         ("Pianka poliuretanowa niskoprężna", "dm3", "—"),
         ("Taśmy paroszczelne i paroprzepuszczalne", "m", "—")],
        ["wkrętarki i wiertarki", "poziomice laserowe", "rusztowania przejezdne"],
        ["Stolarkę osadza się w otworach przygotowanych i sprawdzonych co do wymiarów, z zachowaniem "
         "luzów montażowych. Szczelinę wypełnia się pianką, a połączenie uszczelnia taśmami.",
         "Elementy ślusarskie zabezpiecza się antykorozyjnie przed montażem."],
        ["sprawdzenie otworów", "osadzenie i kotwienie", "uszczelnienie połączeń", "regulacja okuć"],
        ["Sprawdza się pion, poziom, działanie skrzydeł i okuć oraz szczelność osadzenia."],
        ("B-08",),
    ),
    "wykonczenie": Rodzaj(
        ("tynk", "malowanie", "okładzin", "sufit", "posadzk", "wylewk", "podkłady", "wykładzin", "paneli",
         "gipsowo", "parkiet", "żywiczne", "malarskie"),
        [("Tynk cementowo-wapienny", "m2", "PN-EN 998-1"),
         ("Farba emulsyjna akrylowa", "dm3", "PN-EN 13300"),
         ("Płytki gresowe", "m2", "PN-EN 14411"),
         ("Jastrych cementowy CT-C20-F4", "m3", "PN-EN 13813")],
        ["agregat tynkarski", "mieszadła i pace", "szlifierki do gipsu i betonu", "rusztowania wewnętrzne"],
        ["Roboty wykończeniowe rozpoczyna się po zakończeniu robót instalacyjnych podtynkowych i "
         "osadzeniu stolarki. Podłoże powinno być czyste, suche i zagruntowane.",
         "Temperatura w pomieszczeniach podczas robót i w ciągu kolejnych dni nie może być niższa niż "
         "+5 °C."],
        ["przygotowanie i gruntowanie podłoża", "wykonanie warstwy zasadniczej", "obróbka narożników",
         "warstwa wykończeniowa"],
        ["Odbiór obejmuje sprawdzenie równości, przyczepności, jednolitości barwy i wyglądu powierzchni."],
        ("B-09", "B-10", "B-11"),
    ),
    "izolacje": Rodzaj(
        ("izolac", "ocieplen", "docieplen", "akustyczne"),
        [("Styropian EPS 100-038", "m3", "PN-EN 13163"),
         ("Wełna mineralna λ ≤ 0,035", "m3", "PN-EN 13162"),
         ("Masa bitumiczna KMB", "kg", "PN-EN 15814"),
         ("Folia paroizolacyjna", "m2", "PN-EN 13984")],
        ["palniki gazowe", "pace i wałki", "pompa do mas izolacyjnych", "noże termiczne"],
        ["Izolacje wykonuje się na podłożu oczyszczonym i zagruntowanym, w temperaturze określonej przez "
         "producenta systemu. Zakłady pasów powinny wynosić co najmniej 10 cm.",
         "Warstwy izolacji termicznej układa się na styk, bez szczelin, z przesunięciem spoin."],
        ["przygotowanie podłoża", "gruntowanie", "ułożenie warstw izolacji", "zabezpieczenie przed "
         "uszkodzeniem"],
        ["Sprawdza się ciągłość i grubość izolacji, szczelność zakładów i przyczepność do podłoża."],
        ("B-12", "M-15"),
    ),
    "stal": Rodzaj(
        ("stalow", "łożysk", "dylatac"),
        [("Stal konstrukcyjna S355J2", "t", "PN-EN 10025-2"),
         ("Śruby wysokiej wytrzymałości 10.9", "kpl.", "PN-EN 14399-4"),
         ("Łożyska elastomerowe", "szt.", "PN-EN 1337-3"),
         ("Farby do ochrony antykorozyjnej", "dm3", "PN-EN ISO 12944-5")],
        ["żuraw samojezdny", "klucze dynamometryczne", "spawarki", "urządzenia do śrutowania"],
        ["Konstrukcję wykonuje się w klasie wykonania EXC2 według projektu warsztatowego. Montaż "
         "prowadzi się tak, by zapewnić stateczność elementów na każdym etapie.",
         "Powłoki ochronne nakłada się na powierzchnie oczyszczone do stopnia Sa 2½."],
        ["odbiór elementów z wytwórni", "montaż i tymczasowe stężenie", "skręcenie połączeń",
         "uzupełnienie powłok"],
        ["Odbiór obejmuje sprawdzenie geometrii, połączeń śrubowych i spawanych oraz grubości powłok."],
        ("B-06", "M-18"),
    ),
    "instalacje_sanitarne": Rodzaj(
        ("wod", "kanalizacji sanitarnej", "ogrzewania", "grzejniki", "węzeł", "wentylacja", "klimatyzacja",
         "gazow", "hydrantow", "przyłącze"),
        [("Rury PE-RT/Al/PE", "m", "PN-EN ISO 21003"),
         ("Rury kanalizacyjne PP", "m", "PN-EN 1451-1"),
         ("Grzejniki płytowe stalowe", "szt.", "PN-EN 442-1"),
         ("Otulina termoizolacyjna", "m", "PN-EN 14313")],
        ["zaciskarki i zgrzewarki do rur", "pompa do prób ciśnieniowych", "wiertnice", "rusztowania"],
        ["Instalację prowadzi się zgodnie z projektem, z zachowaniem spadków i kompensacji wydłużeń. "
         "Przejścia przez przegrody wykonuje się w tulejach ochronnych.",
         "Po montażu instalację płucze się i poddaje próbie szczelności przed zakryciem przewodów."],
        ["trasowanie przewodów", "montaż uchwytów i przewodów", "podłączenie urządzeń", "próba szczelności"],
        ["Odbiór obejmuje protokoły prób ciśnieniowych, płukania i regulacji instalacji."],
        ("I-01",),
    ),
    "elektryczne": Rodzaj(
        ("elektro", "oświetl", "gniazd", "rozdzielnic", "odgromow", "uziemiając", "okablowanie",
         "sygnalizacji", "kontroli dostępu", "złącze", "telekomunikac"),
        [("Przewody YDYżo 3×2,5 mm2", "m", "PN-HD 60364"),
         ("Kabel YKY 5×16 mm2", "m", "PN-HD 603"),
         ("Oprawy oświetleniowe LED", "szt.", "PN-EN 60598-1"),
         ("Przewód odgromowy DAlMgSi Ø8 mm", "m", "PN-EN 62561-2")],
        ["bruzdownice i wiertarki", "mierniki rezystancji izolacji i uziemień", "zwijarki do kabli"],
        ["Przewody układa się w sposób umożliwiający ich wymianę, w strefach instalacyjnych. Połączenia "
         "wykonuje się w puszkach i na zaciskach przeznaczonych do danego przekroju.",
         "Po zakończeniu montażu wykonuje się pomiary ochrony przeciwporażeniowej i rezystancji izolacji."],
        ["trasowanie i wykucie bruzd", "ułożenie przewodów", "montaż osprzętu", "pomiary odbiorcze"],
        ["Odbiór obejmuje protokoły pomiarów elektrycznych i dokumentację powykonawczą instalacji."],
        ("I-02", "D-01.03", "D-10.07"),
    ),
    "oznakowanie": Rodzaj(
        ("oznakowanie", "znaki", "tablice", "bariery", "zabezpieczające ruch", "przejazdy"),
        [("Farba do oznakowania poziomego", "kg", "PN-EN 1871"),
         ("Znaki pionowe z folią odblaskową", "szt.", "PN-EN 12899-1"),
         ("Słupki stalowe ocynkowane Ø60 mm", "szt.", "PN-EN 10219-1"),
         ("Bariery ochronne stalowe", "m", "PN-EN 1317-2")],
        ["malowarki samobieżne", "wiertnice do fundamentów słupków", "kafar do słupków barier"],
        ["Oznakowanie wykonuje się zgodnie z zatwierdzonym projektem organizacji ruchu, na czystej "
         "i suchej nawierzchni.",
         "Znaki ustawia się tak, by ich lico było pionowe i zwrócone ku nadjeżdżającym pojazdom."],
        ["przedznakowanie", "montaż słupków i konstrukcji", "montaż znaków lub malowanie", "kontrola widoczności"],
        ["Sprawdza się wymiary i położenie oznakowania, współczynnik odblaskowości i stan powłok."],
        ("D-07",),
    ),
    "zielen": Rodzaj(
        ("zieleń", "trawnik", "sadzenie", "nasadzenia", "pielęgnacja", "drzew"),
        [("Ziemia urodzajna", "m3", "PN-G-98011"),
         ("Mieszanka traw gazonowych", "kg", "PN-R-65023"),
         ("Sadzonki drzew liściastych", "szt.", "PN-R-67022"),
         ("Kora sosnowa", "m3", "—")],
        ["glebogryzarka", "wały gładkie do trawników", "beczkowóz do podlewania"],
        ["Nasadzenia wykonuje się w okresie spoczynku roślin, wiosną lub jesienią. Doły pod drzewa "
         "zaprawia się ziemią urodzajną z dodatkiem nawozów.",
         "Trawniki wysiewa się na wyrównanym i uwałowanym podłożu, przy sprzyjającej pogodzie."],
        ["przygotowanie podłoża", "sadzenie lub wysiew", "podlewanie i palikowanie", "pielęgnacja"],
        ["Odbiór obejmuje sprawdzenie gatunków, jakości materiału roślinnego i stopnia przyjęcia roślin."],
        ("D-09", "Z-03"),
    ),
    "mala_architektura": Rodzaj(
        ("ławki", "stojaki", "wiaty", "zabaw", "ogrodzenie", "boisk", "sztucznej trawy"),
        [("Ławki parkowe z oparciem", "szt.", "PN-EN 1176-1"),
         ("Urządzenia zabawowe", "kpl.", "PN-EN 1176-1"),
         ("Nawierzchnia amortyzująca", "m2", "PN-EN 1177"),
         ("Panele ogrodzeniowe ocynkowane", "szt.", "PN-EN 10244-2")],
        ["wiertnica do fundamentów", "betoniarka", "zagęszczarka płytowa"],
        ["Urządzenia montuje się na fundamentach betonowych zgodnie z instrukcją producenta, z "
         "zachowaniem stref bezpieczeństwa.",
         "Elementy stalowe powinny być ocynkowane i malowane proszkowo, a drewniane impregnowane."],
        ["wytyczenie lokalizacji", "wykonanie fundamentów", "montaż urządzeń", "kontrola stref bezpieczeństwa"],
        ["Odbiór obejmuje sprawdzenie zamocowań, stref bezpieczeństwa i certyfikatów urządzeń."],
        ("Z-01", "Z-02.02"),
    ),
}
RODZAJ_DOMYSLNY = "beton"
# Titles are matched in this order: the more particular kinds first, concrete (whose words also appear in
# the names of masonry, kerbs and slabs) last.
KOLEJNOSC = ("rozbiorki", "zaplecze", "pomiary", "podbudowy", "ziemne", "odwodnienie", "bitumiczne",
             "elementy_drogi", "zbrojenie", "izolacje", "murowe", "wykonczenie", "dachy", "stolarka", "stal",
             "instalacje_sanitarne", "elektryczne", "oznakowanie", "zielen", "mala_architektura", "beton")
assert sorted(KOLEJNOSC) == sorted(RODZAJE)

OGOLNE_MATERIALY = [("Wyroby budowlane z oznakowaniem CE lub znakiem budowlanym B", "—", "Dz.U. 2021 poz. 1213"),
                    ("Kruszywa", "t", "PN-EN 13242"),
                    ("Cement", "t", "PN-EN 197-1"),
                    ("Stal zbrojeniowa", "t", "PN-EN 10080")]
OGOLNY_SPRZET = ["sprzęt o parametrach wskazanych w specyfikacjach szczegółowych",
                 "sprzęt z aktualnymi badaniami technicznymi i dopuszczeniem do ruchu",
                 "urządzenia pomiarowe z aktualnymi świadectwami wzorcowania"]


def wybierz_rodzaj(numer: str, tytul: str) -> str:
    """The kind of work of a specification: a word of its title first, else its number's group."""
    t = tytul.lower()
    for nazwa in KOLEJNOSC:
        # Words match at the start of a title's word: "rowy" is a ditch, "ażurowych" is not.
        if any(re.search(r"\b" + re.escape(s), t) for s in RODZAJE[nazwa].slowa):
            return nazwa
    for nazwa in KOLEJNOSC:
        if any(numer.startswith(g) for g in RODZAJE[nazwa].grupy):
            return nazwa
    return RODZAJ_DOMYSLNY


def skrot(tekst: str) -> int:
    """A stable number for a text (Python's own hash differs from run to run)."""
    return zlib.crc32(tekst.encode("utf-8"))


# ---------------------------------------------------------------------------------------------------
# The documents the list names.


@dataclass
class Dokument:
    numer: str  # the collection's key: the number, "#" and the variant number for a variant
    tytul: str
    wariant: str  # the variant's description, empty for a specification
    grupa: str  # the title of the group the specification belongs to
    sciezka: str  # the absolute path of the document
    warunki_ogolne: bool = False
    # What the document says; filled by the composer.
    sekcje: list = field(default_factory=list)


def rozwin_sciezke(wartosc: str, katalog_uzytkownika: str, katalog_listy: str) -> str:
    """The real path of a stored one, refused when it leaves the user folder and the list's folder."""
    s = re.sub(re.escape(TOKEN), lambda _: katalog_uzytkownika, wartosc, flags=re.IGNORECASE)
    s = s.replace("\\", "/")
    if re.match(r"^[A-Za-z]:/", s):
        raise BladSkryptu(f"Ścieżka z literą dysku nie może być zapisana w tym systemie: {wartosc}")
    if not os.path.isabs(s):
        s = os.path.join(katalog_listy, s)
    s = os.path.realpath(s)
    dozwolone = {os.path.realpath(katalog_uzytkownika), os.path.realpath(katalog_listy)}
    if not any(os.path.commonpath([s, d]) == d for d in dozwolone):
        raise BladSkryptu(f"Ścieżka dokumentu wychodzi poza folder użytkownika i folder listy: {wartosc}")
    return s


def dokumenty_listy(lista: str, katalog_uzytkownika: str) -> list:
    try:
        korzen = ET.parse(lista).getroot()
    except (ET.ParseError, OSError) as e:
        raise BladSkryptu(f"Nie można odczytać listy {lista}: {e}") from e
    if korzen.tag != "sst":
        raise BladSkryptu(f"To nie jest lista specyfikacji (element główny <{korzen.tag}>): {lista}")
    katalog_listy = os.path.dirname(os.path.abspath(lista))
    dokumenty = []
    widziane = {}

    def dodaj(numer, tytul, wariant, grupa, plik, ogolne):
        sciezka = rozwin_sciezke(plik, katalog_uzytkownika, katalog_listy)
        if os.path.splitext(sciezka)[1].lower() not in ROZSZERZENIA:
            raise BladSkryptu(f"Nieobsługiwany format dokumentu {plik} (dozwolone: .odt, .doc, .docx)")
        klucz = os.path.normcase(sciezka)
        if klucz in widziane:
            # One file for two entries would get two markers in turn; the first one keeps it.
            print(f"Uwaga: {plik} jest już dokumentem {widziane[klucz]}; pomijam dla {numer}", file=sys.stderr)
            return
        widziane[klucz] = numer
        dokumenty.append(Dokument(numer, tytul, wariant, grupa, sciezka, ogolne))

    def przejdz(wezel, grupa):
        for s in wezel.findall("specyfikacja"):
            numer = s.get("numer", "").strip()
            tytul = s.get("opis", "").strip()
            if s.get("plik", "").strip():
                dodaj(numer, tytul, "", grupa, s.get("plik"), s.get("warunki_ogolne", "").lower() == "true")
            for w in s.findall("warianty/wariant"):
                if w.get("plik", "").strip():
                    nr = w.get("numer", "").strip()
                    dodaj(f"{numer}#{nr}", tytul, w.get("opis", "").strip(), grupa, w.get("plik"), False)
            przejdz(s, tytul if s.get("grupa", "").lower() == "true" else grupa)

    przejdz(korzen, "")
    return dokumenty


# ---------------------------------------------------------------------------------------------------
# Composing: each document is a list of blocks, written out as flat ODT.


def akapit(tekst, styl="Text_20_body"):
    return ("p", styl, tekst)


def naglowek(tekst, poziom):
    return ("h", poziom, tekst)


def punkty(pozycje):
    return ("ul", pozycje)


def tabela(wiersze):
    return ("table", [("Materiał", "Jednostka", "Norma")] + list(wiersze))


def czy_nazwa_zadania(d: Dokument) -> bool:
    # The general conditions, the chapter-wide general requirements and about one in six others.
    return d.warunki_ogolne or "wymagania ogólne" in d.tytul.lower() or skrot(d.numer) % 6 == 0


def tresc_specyfikacji(d: Dokument, ogolne) -> list:
    """The blocks of one document; ogolne is the list's general-conditions document (or None)."""
    numer_st = d.numer.split("#")[0]
    r = RODZAJE[wybierz_rodzaj(numer_st, d.tytul)]
    h = skrot(d.numer)
    tytul = f"{numer_st} {d.tytul}"
    if d.wariant:
        tytul += f" – wariant {d.numer.split('#')[1]}: {d.wariant}"
    bloki = [naglowek(tytul, 1), akapit(f"Znacznik: {d.numer}", "Znacznik")]

    if d.warunki_ogolne:
        sekcje = [1, 2, 3, 4, 5]
    else:
        # Sections 1, 2 and 4 always; equipment and acceptance where the number says so (3 to 5 in all).
        sekcje = [1, 2] + ([3] if h & 1 else []) + [4] + ([5] if h & 2 else [])
    d.sekcje = sekcje

    przedmiot = d.tytul[0].lower() + d.tytul[1:] if d.tytul else ""
    for nr in sekcje:
        bloki.append(naglowek(NAGLOWKI[nr], 2))
        if nr == 1:
            if d.warunki_ogolne:
                bloki.append(akapit("Przedmiotem niniejszej specyfikacji są wymagania ogólne dotyczące wykonania "
                                    "i odbioru robót budowlanych realizowanych w ramach zadania: "
                                    "#NAZWA_ZADANIA#."))
                bloki.append(akapit("Wymagania ogólne należy stosować łącznie ze specyfikacjami technicznymi "
                                    "szczegółowymi wymienionymi poniżej:"))
                bloki.append(akapit("#LISTA_ST#"))
                bloki.append(akapit("Wykonawca jest odpowiedzialny za jakość wykonanych robót i ich zgodność "
                                    "z dokumentacją projektową, specyfikacjami i poleceniami Inspektora nadzoru."))
                continue
            bloki.append(akapit(f"Przedmiotem niniejszej specyfikacji technicznej są wymagania dotyczące "
                                f"wykonania i odbioru robót w zakresie: {przedmiot}."))
            if d.wariant:
                bloki.append(akapit(f"Specyfikacja dotyczy wariantu: {d.wariant}."))
            if czy_nazwa_zadania(d):
                bloki.append(akapit("Roboty są realizowane w ramach zadania: #NAZWA_ZADANIA#."))
            if "wymagania ogólne" in d.tytul.lower():
                bloki.append(akapit(f"Wymagania te dotyczą wszystkich specyfikacji grupy „{d.grupa}”."
                                    if d.grupa else "Wymagania te dotyczą wszystkich specyfikacji grupy."))
            pominiete = [NAGLOWKI[n] for n in (3, 5) if n not in sekcje]
            if pominiete:
                bloki.append(akapit(("Wymagania z punktu " if len(pominiete) == 1 else "Wymagania z punktów ")
                                    + " i ".join(f"„{p}”" for p in pominiete)
                                    + (f" – według specyfikacji {ogolne.numer} „{ogolne.tytul}”." if ogolne
                                       else " – według wymagań ogólnych.")))
        elif nr == 2:
            bloki.append(akapit("Materiały stosowane do wykonania robót powinny posiadać deklaracje "
                                "właściwości użytkowych i odpowiadać wymaganiom podanym w tabeli."))
            wiersze = OGOLNE_MATERIALY if d.warunki_ogolne else r.materialy
            bloki.append(tabela(wiersze[: 3 + h % 2]))
        elif nr == 3:
            bloki.append(akapit("Wykonawca powinien dysponować sprawnym sprzętem, w szczególności:"))
            bloki.append(punkty(OGOLNY_SPRZET if d.warunki_ogolne else r.sprzet))
        elif nr == 4:
            if d.warunki_ogolne:
                bloki.append(akapit("Wykonawca przedstawi Inspektorowi nadzoru do akceptacji harmonogram "
                                    "robót, plan bezpieczeństwa i ochrony zdrowia oraz program zapewnienia "
                                    "jakości. Teren budowy należy zabezpieczyć przez cały czas trwania robót."))
                bloki.append(punkty(["przejęcie terenu budowy", "zagospodarowanie zaplecza",
                                     "prowadzenie dziennika budowy", "uporządkowanie terenu po robotach"]))
                continue
            bloki.append(akapit(r.wykonanie[h % len(r.wykonanie)]))
            if h & 4:
                bloki.append(akapit(r.wykonanie[(h + 1) % len(r.wykonanie)]))
            bloki.append(akapit("Kolejność robót:"))
            bloki.append(punkty(r.kroki))
        elif nr == 5:
            if d.warunki_ogolne:
                bloki.append(akapit("Rozróżnia się odbiór robót zanikających i ulegających zakryciu, odbiór "
                                    "częściowy, odbiór ostateczny i odbiór pogwarancyjny. Podstawą odbioru są "
                                    "wyniki badań i pomiarów oraz wpisy w dzienniku budowy."))
                continue
            bloki.extend(akapit(t) for t in r.odbior)
            bloki.append(akapit("Roboty uznaje się za zgodne z dokumentacją, jeżeli wszystkie pomiary i badania "
                                "dały wyniki pozytywne."))
    return bloki


def tresc_strony_tytulowej() -> list:
    return [
        akapit("SPECYFIKACJE TECHNICZNE WYKONANIA I ODBIORU ROBÓT BUDOWLANYCH", "Tytul"),
        akapit("Nazwa zadania: #NAZWA_ZADANIA#", "Srodek"),
        akapit("Inwestor: Gmina Złotów Pomorski", "Srodek"),
        akapit("Znacznik: STRONA TYTUŁOWA", "Znacznik_20_srodek"),
        akapit("Miejscowość: Złotów Pomorski", "Miejsce"),
        akapit("Data: marzec 2024", "Srodek"),
    ]


FODT_POCZATEK = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:meta><dc:title>{tytul}</dc:title><dc:language>pl-PL</dc:language></office:meta>
 <office:font-face-decls>
  <style:font-face style:name="Liberation Serif" svg:font-family="'Liberation Serif'" style:font-family-generic="roman" style:font-pitch="variable"/>
  <style:font-face style:name="Liberation Sans" svg:font-family="'Liberation Sans'" style:font-family-generic="swiss" style:font-pitch="variable"/>
 </office:font-face-decls>
 <office:styles>
  <style:default-style style:family="paragraph">
   <style:paragraph-properties style:writing-mode="page"/>
   <style:text-properties style:font-name="Liberation Serif" fo:font-size="11pt" fo:language="pl" fo:country="PL"/>
  </style:default-style>
  <style:style style:name="Standard" style:family="paragraph" style:class="text"/>
  <style:style style:name="Text_20_body" style:display-name="Text body" style:family="paragraph" style:parent-style-name="Standard" style:class="text">
   <style:paragraph-properties fo:margin-top="0cm" fo:margin-bottom="0.2cm" fo:text-align="justify" fo:line-height="115%"/>
  </style:style>
  <style:style style:name="Heading" style:family="paragraph" style:parent-style-name="Standard" style:next-style-name="Text_20_body" style:class="text">
   <style:paragraph-properties fo:margin-top="0.4cm" fo:margin-bottom="0.2cm" fo:keep-with-next="always"/>
   <style:text-properties style:font-name="Liberation Sans" fo:font-weight="bold"/>
  </style:style>
  <style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Heading" style:next-style-name="Text_20_body" style:default-outline-level="1" style:class="text">
   <style:text-properties fo:font-size="16pt"/>
  </style:style>
  <style:style style:name="Heading_20_2" style:display-name="Heading 2" style:family="paragraph" style:parent-style-name="Heading" style:next-style-name="Text_20_body" style:default-outline-level="2" style:class="text">
   <style:text-properties fo:font-size="13pt"/>
  </style:style>
  <style:style style:name="Znacznik" style:family="paragraph" style:parent-style-name="Standard" style:class="text">
   <style:paragraph-properties fo:margin-bottom="0.3cm"/>
   <style:text-properties fo:font-size="9pt" fo:font-style="italic" fo:color="#555555"/>
  </style:style>
  <style:style style:name="Table_20_Contents" style:display-name="Table Contents" style:family="paragraph" style:parent-style-name="Standard" style:class="extra"/>
  <style:style style:name="Table_20_Heading" style:display-name="Table Heading" style:family="paragraph" style:parent-style-name="Table_20_Contents" style:class="extra">
   <style:paragraph-properties fo:text-align="center"/>
   <style:text-properties fo:font-weight="bold"/>
  </style:style>
  <style:style style:name="List_20_Paragraph" style:display-name="List Paragraph" style:family="paragraph" style:parent-style-name="Text_20_body" style:list-style-name="Punktory" style:class="list">
   <style:paragraph-properties fo:margin-bottom="0.1cm"/>
  </style:style>
  <style:style style:name="Tytul" style:family="paragraph" style:parent-style-name="Standard" style:class="chapter">
   <style:paragraph-properties fo:text-align="center" fo:margin-top="6cm" fo:margin-bottom="2cm"/>
   <style:text-properties style:font-name="Liberation Sans" fo:font-size="24pt" fo:font-weight="bold"/>
  </style:style>
  <style:style style:name="Srodek" style:family="paragraph" style:parent-style-name="Standard" style:class="text">
   <style:paragraph-properties fo:text-align="center" fo:margin-bottom="0.5cm"/>
   <style:text-properties fo:font-size="14pt"/>
  </style:style>
  <style:style style:name="Miejsce" style:family="paragraph" style:parent-style-name="Srodek" style:class="text">
   <style:paragraph-properties fo:margin-top="6cm"/>
  </style:style>
  <style:style style:name="Znacznik_20_srodek" style:display-name="Znacznik srodek" style:family="paragraph" style:parent-style-name="Znacznik" style:class="text">
   <style:paragraph-properties fo:text-align="center"/>
  </style:style>
  <text:list-style style:name="Punktory">
   <text:list-level-style-bullet text:level="1" text:bullet-char="•">
    <style:list-level-properties text:list-level-position-and-space-mode="label-alignment">
     <style:list-level-label-alignment text:label-followed-by="listtab" text:list-tab-stop-position="1.27cm" fo:text-indent="-0.635cm" fo:margin-left="1.27cm"/>
    </style:list-level-properties>
   </text:list-level-style-bullet>
  </text:list-style>
 </office:styles>
 <office:automatic-styles>
  <style:style style:name="Tabela" style:family="table">
   <style:table-properties style:width="16.5cm" table:align="margins" fo:margin-top="0.1cm" fo:margin-bottom="0.3cm"/>
  </style:style>
  <style:style style:name="Tabela.A" style:family="table-column"><style:table-column-properties style:column-width="8.5cm"/></style:style>
  <style:style style:name="Tabela.B" style:family="table-column"><style:table-column-properties style:column-width="3cm"/></style:style>
  <style:style style:name="Tabela.C" style:family="table-column"><style:table-column-properties style:column-width="5cm"/></style:style>
  <style:style style:name="Tabela.K" style:family="table-cell">
   <style:table-cell-properties fo:padding="0.1cm" fo:border="0.5pt solid #000000"/>
  </style:style>
  <style:page-layout style:name="pm1">
   <style:page-layout-properties fo:page-width="21cm" fo:page-height="29.7cm" style:print-orientation="portrait" fo:margin-top="2cm" fo:margin-bottom="2cm" fo:margin-left="2.5cm" fo:margin-right="2cm"/>
  </style:page-layout>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Standard" style:page-layout-name="pm1"/>
 </office:master-styles>
 <office:body>
  <office:text>
"""

FODT_KONIEC = """  </office:text>
 </office:body>
</office:document>
"""


def fodt(tytul: str, bloki: list) -> str:
    czesci = [FODT_POCZATEK.format(tytul=escape(tytul))]
    for b in bloki:
        if b[0] == "p":
            czesci.append(f'   <text:p text:style-name="{b[1]}">{escape(b[2])}</text:p>\n')
        elif b[0] == "h":
            czesci.append(f'   <text:h text:style-name="Heading_20_{b[1]}" text:outline-level="{b[1]}">'
                          f'{escape(b[2])}</text:h>\n')
        elif b[0] == "ul":
            czesci.append('   <text:list text:style-name="Punktory">\n')
            for p in b[1]:
                czesci.append(f'    <text:list-item><text:p text:style-name="List_20_Paragraph">{escape(p)}'
                              f'</text:p></text:list-item>\n')
            czesci.append("   </text:list>\n")
        elif b[0] == "table":
            czesci.append('   <table:table table:name="Materialy" table:style-name="Tabela">\n'
                          '    <table:table-column table:style-name="Tabela.A"/>\n'
                          '    <table:table-column table:style-name="Tabela.B"/>\n'
                          '    <table:table-column table:style-name="Tabela.C"/>\n')
            for i, wiersz in enumerate(b[1]):
                styl = "Table_20_Heading" if i == 0 else "Table_20_Contents"
                if i == 0:
                    czesci.append("    <table:table-header-rows>\n")
                czesci.append("     <table:table-row>")
                for komorka in wiersz:
                    czesci.append(f'<table:table-cell table:style-name="Tabela.K" office:value-type="string">'
                                  f'<text:p text:style-name="{styl}">{escape(komorka)}</text:p></table:table-cell>')
                czesci.append("</table:table-row>\n")
                if i == 0:
                    czesci.append("    </table:table-header-rows>\n")
            czesci.append("   </table:table>\n")
        else:
            raise AssertionError(b)
    czesci.append(FODT_KONIEC)
    return "".join(czesci)


# ---------------------------------------------------------------------------------------------------
# Converting and checking.


def konwertuj(soffice: str, profil: str, format_: str, zrodla: list, katalog: str, tmp: str):
    """One LibreOffice call for all sources of one target format; every output must appear."""
    polecenie = [soffice, "--headless", "--norestore", "--nolockcheck",
                 f"-env:UserInstallation=file://{profil}", "--convert-to", FILTRY[format_], "--outdir", katalog]
    polecenie += zrodla
    srodowisko = dict(os.environ, TMPDIR=tmp)
    try:
        wynik = subprocess.run(polecenie, capture_output=True, text=True, timeout=1800, env=srodowisko)
    except (OSError, subprocess.TimeoutExpired) as e:
        raise BladSkryptu(f"LibreOffice nie zakończył konwersji do {format_}: {e}") from e
    brakujace = [z for z in zrodla
                 if not os.path.isfile(wyjscie := os.path.join(katalog, os.path.splitext(os.path.basename(z))[0]
                                                               + format_)) or os.path.getsize(wyjscie) == 0]
    if wynik.returncode != 0 or brakujace:
        raise BladSkryptu(f"Konwersja do {format_} nie powiodła się (kod {wynik.returncode}, plików bez wyniku: "
                          f"{len(brakujace)}).\n{wynik.stdout}{wynik.stderr}")


def tekst_dokumentu(sciezka: str) -> str:
    """The text a test would search: the body XML of .odt/.docx, the raw bytes of .doc in both encodings
    Word 97 stores text in."""
    ext = os.path.splitext(sciezka)[1].lower()
    if ext in (".odt", ".docx"):
        with zipfile.ZipFile(sciezka) as z:
            xml = z.read("content.xml" if ext == ".odt" else "word/document.xml").decode("utf-8")
        return xml
    with open(sciezka, "rb") as f:
        surowe = f.read()
    return surowe.decode("utf-16-le", errors="replace") + surowe.decode("cp1252", errors="replace") + \
        surowe[1:].decode("utf-16-le", errors="replace")


def sprawdz(sciezka: str, znaczniki: list):
    tekst = tekst_dokumentu(sciezka)
    for z in znaczniki:
        if escape(z) not in tekst and z not in tekst:
            raise BladSkryptu(f"W pliku {sciezka} brak tekstu „{z}” po konwersji.")


# ---------------------------------------------------------------------------------------------------


def szablony_zestawu(zestaw: str, katalog_uzytkownika: str) -> list:
    try:
        korzen = ET.parse(zestaw).getroot()
    except (ET.ParseError, OSError) as e:
        raise BladSkryptu(f"Nie można odczytać zestawu {zestaw}: {e}") from e
    k = korzen.find("konfiguracja")
    if k is None:
        return []
    katalog = os.path.dirname(os.path.abspath(zestaw))
    sciezki = []
    for atrybut in ("szablonPierwszejStronyOdtPath", "szablonPierwszejStronyDocPath"):
        wartosc = k.get(atrybut, "").strip()
        if wartosc:
            sciezka = rozwin_sciezke(wartosc, katalog_uzytkownika, katalog)
            if os.path.splitext(sciezka)[1].lower() not in ROZSZERZENIA:
                raise BladSkryptu(f"Nieobsługiwany format szablonu strony tytułowej: {wartosc}")
            sciezki.append(sciezka)
    return sciezki


def main(argv=None) -> int:
    a = argparse.ArgumentParser(description="Tworzy dokumenty specyfikacji listy demo i strony tytułowe zestawu.")
    a.add_argument("--lista", default=os.path.join(DEMO, "Lista demo.sst"))
    a.add_argument("--zestaw", default=os.path.join(DEMO, "Zestaw demo.zst"),
                   help="zestaw, którego szablony strony tytułowej powstaną; pusty: bez stron tytułowych")
    a.add_argument("--katalog-uzytkownika", help="folder zastępowany przez %%USERPATH%% (domyślnie folder listy)")
    a.add_argument("--usun-zastapione", action="store_true",
                   help="usuwa dokumenty o tej samej nazwie i innym rozszerzeniu, których lista nie wymienia")
    a.add_argument("--fodt", metavar="FOLDER", help="tylko zapisuje źródła .fodt w tym folderze, bez konwersji")
    a.add_argument("--soffice", default=SOFFICE)
    a.add_argument("--profil", default=PROFIL, help="prywatny profil LibreOffice")
    arg = a.parse_args(argv)

    try:
        katalog_uzytkownika = os.path.abspath(arg.katalog_uzytkownika or os.path.dirname(os.path.abspath(arg.lista)))
        dokumenty = dokumenty_listy(arg.lista, katalog_uzytkownika)
        szablony = szablony_zestawu(arg.zestaw, katalog_uzytkownika) if arg.zestaw else []
        ogolne = next((d for d in dokumenty if d.warunki_ogolne), None)
        prace = []  # (target path, flat ODT text, texts that must survive the conversion)
        for d in dokumenty:
            znaczniki = [f"Znacznik: {d.numer}"]
            if d.warunki_ogolne:
                znaczniki.append("#LISTA_ST#")
            bloki = tresc_specyfikacji(d, ogolne)
            if any("#NAZWA_ZADANIA#" in b[-1] for b in bloki if isinstance(b[-1], str)):
                znaczniki.append("#NAZWA_ZADANIA#")
            prace.append((d.sciezka, fodt(f"{d.numer} {d.tytul}", bloki), znaczniki))
        for s in szablony:
            prace.append((s, fodt("Strona tytułowa", tresc_strony_tytulowej()),
                          ["Znacznik: STRONA TYTUŁOWA", "#NAZWA_ZADANIA#"]))
        if not prace:
            raise BladSkryptu("Lista nie wymienia żadnych dokumentów.")

        if arg.fodt:
            os.makedirs(arg.fodt, exist_ok=True)
            for i, (cel, tekst, _) in enumerate(prace):
                nazwa = os.path.splitext(os.path.basename(cel))[0] + ".fodt"
                with open(os.path.join(arg.fodt, nazwa), "w", encoding="utf-8") as f:
                    f.write(tekst)
            print(f"Zapisane pliki .fodt: {len(prace)}, folder: {arg.fodt}")
            return 0

        with tempfile.TemporaryDirectory(prefix="demo-dokumenty-") as tmp:
            # Numbered sources: two targets of one name in different folders must not meet in one outdir.
            zrodla = os.path.join(tmp, "fodt")
            os.makedirs(zrodla)
            wg_formatu = {}
            for i, (cel, tekst, _) in enumerate(prace):
                zrodlo = os.path.join(zrodla, f"d{i:04d}.fodt")
                with open(zrodlo, "w", encoding="utf-8") as f:
                    f.write(tekst)
                wg_formatu.setdefault(os.path.splitext(cel)[1].lower(), []).append(zrodlo)
            for format_, pliki in sorted(wg_formatu.items()):
                wyjscie = os.path.join(tmp, format_[1:])
                os.makedirs(wyjscie)
                print(f"Konwersja do {format_}, plików: {len(pliki)}", flush=True)
                konwertuj(arg.soffice, arg.profil, format_, pliki, wyjscie, tmp)
            gotowe = []
            for i, (cel, _, znaczniki) in enumerate(prace):
                format_ = os.path.splitext(cel)[1].lower()
                wynik = os.path.join(tmp, format_[1:], f"d{i:04d}{format_}")
                sprawdz(wynik, znaczniki)
                gotowe.append((wynik, cel))
            # Everything converted and checked: only now the user folder changes.
            for wynik, cel in gotowe:
                os.makedirs(os.path.dirname(cel), exist_ok=True)
                shutil.move(wynik, cel + ".tmp")
                os.replace(cel + ".tmp", cel)

        usuniete = 0
        if arg.usun_zastapione:
            cele = {os.path.normcase(c) for c, _, _ in prace}
            for cel, _, _ in prace:
                rdzen = os.path.splitext(cel)[0]
                for ext in ROZSZERZENIA:
                    inny = rdzen + ext
                    if os.path.normcase(inny) not in cele and os.path.isfile(inny):
                        os.remove(inny)
                        usuniete += 1
        print(f"Zapisane dokumenty: {len(dokumenty)}, strony tytułowe: {len(szablony)}"
              + (f", usunięte zastąpione: {usuniete}" if arg.usun_zastapione else "") + ".")
        return 0
    except BladSkryptu as e:
        print(f"Błąd: {e}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
