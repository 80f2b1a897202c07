# The libraries under src/ and what each of them uses: the one place where the directions between them
# are written down. A library includes headers only of itself and of the libraries named after it, and
# links exactly those (velostra_library takes them from here). cmake/SprawdzZaleznosci.cmake checks the
# sources against this table at every configure.

# Levels, lowest first: a library may use libraries of lower levels only; libraries on one level
# (names joined by ",") never use each other.
set(VELOSTRA_POZIOMY app prices specs estimates zestaw archive docs "authoring,xls" workflow "cli,ui")

# <folder>:<folders it uses, joined by ","> (the executables' main files count with their folder).
set(VELOSTRA_ZALEZNOSCI
    "app:"
    "prices:app"
    "specs:app,prices"
    "estimates:app,prices,specs"
    "zestaw:app,specs,estimates"
    "archive:app,specs,zestaw"
    "docs:app,specs,zestaw"
    "authoring:app,specs,zestaw,docs"
    "xls:app,specs,estimates"
    "workflow:app,prices,specs,estimates,zestaw,archive,docs,authoring,xls"
    "cli:app,prices,specs,estimates,zestaw,archive,docs,xls,workflow"
    "ui:app,prices,specs,estimates,zestaw,archive,docs,workflow")
