# The C++ UNO bridge to LibreOffice: the SDK's headers plus the type headers generated once, at
# configure time, from the office's type libraries (the whole set: a subset fails to generate).

set(VELOSTRA_LO_PROGRAM /usr/lib/libreoffice/program CACHE PATH "LibreOffice's program folder")
set(VELOSTRA_LO_SDK /usr/lib/libreoffice/sdk CACHE PATH "LibreOffice's SDK folder")

find_program(VELOSTRA_CPPUMAKER cppumaker PATHS ${VELOSTRA_LO_SDK}/bin NO_DEFAULT_PATH REQUIRED)
set(typy ${VELOSTRA_LO_PROGRAM}/types.rdb ${VELOSTRA_LO_PROGRAM}/types/offapi.rdb)
set(naglowki ${CMAKE_BINARY_DIR}/uno-include)
if(NOT EXISTS ${naglowki}/com/sun/star/frame/XDesktop2.hpp)
  execute_process(COMMAND ${VELOSTRA_CPPUMAKER} -Gc -O ${naglowki} ${typy} RESULT_VARIABLE wynik)
  if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "cppumaker failed (${wynik})")
  endif()
endif()

add_library(velostra_uno INTERFACE)
target_include_directories(velostra_uno SYSTEM INTERFACE /usr/include/libreoffice ${naglowki})
target_compile_definitions(velostra_uno INTERFACE LINUX UNX CPPU_ENV=gcc3
                                                  VELOSTRA_LO_PROGRAM="${VELOSTRA_LO_PROGRAM}")
foreach(lib uno_cppuhelpergcc3 uno_cppu uno_salhelpergcc3 uno_sal)
  target_link_libraries(velostra_uno INTERFACE ${VELOSTRA_LO_SDK}/lib/lib${lib}.so)
endforeach()
target_link_options(velostra_uno INTERFACE -Wl,-rpath-link,${VELOSTRA_LO_PROGRAM} -Wl,-rpath,${VELOSTRA_LO_PROGRAM})
