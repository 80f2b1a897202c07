// Second, independent reader for the generated Jet 4 files: prints every user table of the database given
// as the argument as JSON ({"tabele": [...], "dane": {tabela: {"kolumny": [[nazwa, typ]...], "wiersze": [...]}}}),
// with mdb-reader loaded from the folder named by VELOSTRA_NODE_MODULES.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const folder = process.env.VELOSTRA_NODE_MODULES;
if (!folder || process.argv.length < 3) {
    console.error("użycie: VELOSTRA_NODE_MODULES=<folder> node czytaj_mdb.mjs <plik.mdb>");
    process.exit(2);
}
const require = createRequire(join(folder, "_"));
const { default: MDBReader } = await import(pathToFileURL(require.resolve("mdb-reader")).href);

const reader = new MDBReader(readFileSync(process.argv[2]));
const wynik = { tabele: reader.getTableNames(), dane: {} };
for (const nazwa of wynik.tabele) {
    const tabela = reader.getTable(nazwa);
    wynik.dane[nazwa] = {
        kolumny: tabela.getColumns().map((k) => [k.name, k.type]),
        wiersze: tabela.getData(),
    };
}
process.stdout.write(JSON.stringify(wynik));
