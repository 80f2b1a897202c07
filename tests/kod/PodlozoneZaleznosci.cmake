# The dependency check refuses what it must: a copy of src/ passes as it is, and fails with the right
# message once a wrong include, an unused dependency or a dependency pointing upwards is planted in it.
#   cmake -DKATALOG_SRC=<src> -DKATALOG_ROBOCZY=<empty folder> -P PodlozoneZaleznosci.cmake
cmake_minimum_required(VERSION 3.25)
set(skrypt ${CMAKE_CURRENT_LIST_DIR}/../../cmake/SprawdzZaleznosci.cmake)

function(sprawdz opis oczekiwany)
  execute_process(COMMAND ${CMAKE_COMMAND} -DKATALOG_SRC=${KATALOG_ROBOCZY}/src -P ${skrypt}
                  RESULT_VARIABLE wynik ERROR_VARIABLE bledy OUTPUT_QUIET)
  if(oczekiwany STREQUAL "")
    if(NOT wynik EQUAL 0)
      message(FATAL_ERROR "${opis}: sprawdzenie nie przeszło:\n${bledy}")
    endif()
  else()
    if(wynik EQUAL 0)
      message(FATAL_ERROR "${opis}: sprawdzenie przeszło, a powinno odrzucić")
    endif()
    string(FIND "${bledy}" "${oczekiwany}" gdzie)
    if(gdzie LESS 0)
      message(FATAL_ERROR "${opis}: brak komunikatu \"${oczekiwany}\" w:\n${bledy}")
    endif()
  endif()
endfunction()

function(swieza_kopia)
  file(REMOVE_RECURSE ${KATALOG_ROBOCZY}/src)
  file(COPY ${KATALOG_SRC} DESTINATION ${KATALOG_ROBOCZY})
endfunction()

swieza_kopia()
sprawdz("drzewo bez zmian" "")

file(APPEND ${KATALOG_ROBOCZY}/src/specs/Specyfikacja.h "\n#include \"docs/TypPliku.h\"\n")
sprawdz("specs dołącza docs" "specs/Specyfikacja.h: dołącza nagłówek biblioteki docs")

swieza_kopia()
file(APPEND ${KATALOG_ROBOCZY}/src/cli/Cli.cpp "\n#include \"ui/GlowneOkno.h\"\n")
sprawdz("cli dołącza ui" "cli/Cli.cpp: dołącza nagłówek biblioteki ui")

swieza_kopia()
file(READ ${KATALOG_ROBOCZY}/src/Zaleznosci.cmake tabela)
string(REPLACE "\"prices:" "\"prices:specs," tabela "${tabela}")
file(WRITE ${KATALOG_ROBOCZY}/src/Zaleznosci.cmake "${tabela}")
sprawdz("prices używa specs" "prices -> specs: kierunek niedozwolony")

# A new library that names a dependency none of its files includes.
swieza_kopia()
file(APPEND ${KATALOG_ROBOCZY}/src/Zaleznosci.cmake "list(APPEND VELOSTRA_POZIOMY proba)\nlist(APPEND VELOSTRA_ZALEZNOSCI \"proba:app\")\n")
file(WRITE ${KATALOG_ROBOCZY}/src/proba/Proba.cpp "#include <QString>\n")
sprawdz("zależność bez dołączenia" "proba -> app: żaden plik proba nie dołącza nagłówka app")
