# Helpers that give every target of ours the same warnings and include root.

function(velostra_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual)
    if(VELOSTRA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
      if(VELOSTRA_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC 12 reports false -Wrestrict alarms inside the standard library when sanitizers are on.
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
      endif()
    endif()
  endif()
endfunction()

# velostra_library(<folder> [DEPS <other targets...>]): the library velostra_<folder> of one folder under
# src/, built from every source in that folder except the executables' main files and sub-folders
# that are libraries of their own (they have a CMakeLists.txt). It links the libraries of ours that
# src/Zaleznosci.cmake names for the folder, and the other targets given. A folder of headers only
# gives an interface library.
function(velostra_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(name velostra_${folder})
  foreach(wpis ${VELOSTRA_ZALEZNOSCI})
    if(wpis MATCHES "^${folder}:(.*)$")
      string(REPLACE "," ";" uzywane "${CMAKE_MATCH_1}")
      foreach(cel ${uzywane})
        list(APPEND ARG_DEPS velostra_${cel})
      endforeach()
    endif()
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  file(GLOB_RECURSE wlasne CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(plik ${wlasne})
    get_filename_component(folder ${plik} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${folder}/")
    list(FILTER headers EXCLUDE REGEX "^${folder}/")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_compile_definitions(${name} PUBLIC QT_NO_KEYWORDS VELOSTRA_VERSION="${PROJECT_VERSION}")
    velostra_warnings(${name})
    velostra_naglowki_wstepne(${name})
  else()
    add_library(${name} INTERFACE ${headers})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# Qt's and the standard library's headers take most of each file's compile time; every target compiles
# them once into a precompiled header. Targets with the same flags share one (the test programs).
set(VELOSTRA_NAGLOWKI_WSTEPNE <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QString> <QStringList>
                              <algorithm> <functional> <memory> <optional> <vector>)
function(velostra_naglowki_wstepne target)
  target_precompile_headers(${target} PRIVATE ${VELOSTRA_NAGLOWKI_WSTEPNE} ${ARGN})
endfunction()
