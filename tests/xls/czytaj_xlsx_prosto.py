# Reads an .xlsx with openpyxl and prints one line "kind<TAB>subject<TAB>value" per fact.
# Usage: czytaj_xlsx_prosto.py FILE [--wyniki] [haslo:TEXT ...]
#   --wyniki      values are the stored results of formulas
#   haslo:TEXT    adds the verifier openpyxl computes for the password (its Windows-1250 bytes)
import html
import re
import sys
import zipfile

from openpyxl import load_workbook
from openpyxl.styles.numbers import BUILTIN_FORMATS
from openpyxl.utils.protection import hash_password

sciezka, wyniki = sys.argv[1], '--wyniki' in sys.argv
wb, z = load_workbook(sciezka, data_only=wyniki), zipfile.ZipFile(sciezka)
# The actions of a protected sheet in the order of the older format's mask; true in the file means forbidden.
OCHRONA = ('objects', 'scenarios', 'formatCells', 'formatColumns', 'formatRows', 'insertColumns', 'insertRows',
           'insertHyperlinks', 'deleteColumns', 'deleteRows', 'selectLockedCells', 'sort', 'autoFilter',
           'pivotTables', 'selectUnlockedCells')


def w(*a):
    print('\t'.join(str(x) for x in a))


# A cell's format by its index in the file: openpyxl itself gives the cells of a merged range the first one's borders.
def format(i):
    s = wb._cell_styles[i]
    f, b, al = wb._fonts[s.fontId], wb._borders[s.borderId], wb._alignments[s.alignmentId]
    ramki = ''.join(k for k, e in (('L', b.left), ('R', b.right), ('T', b.top), ('B', b.bottom)) if e.style == 'thin')
    liczby = BUILTIN_FORMATS.get(s.numFmtId) or wb._number_formats[s.numFmtId - 164]
    return '%s;%g;%d;%s;%s;%d;%s;%s;%d' % (f.name, f.sz, bool(f.b), al.horizontal or 'general', al.vertical or 'bottom',
                                           bool(al.wrap_text), ramki, liczby, wb._protections[s.protectionId].locked)


w('arkusze', '', '|'.join(wb.sheetnames))
for a in sys.argv[2:]:
    if a.startswith('haslo:'):
        w('haslo', a[6:], int(hash_password(a[6:].encode('cp1250').decode('latin-1')), 16))
for nr, ws in enumerate(wb.worksheets, 1):
    n, xml = ws.title, z.read('xl/worksheets/sheet%d.xml' % nr).decode()
    for wiersz in ws.iter_rows():
        for c in wiersz:
            v = c.value
            typ = 'f' if c.data_type == 'f' else 'n' if isinstance(v, (int, float)) else 's' if v is not None else '-'
            w('wartosc', n + '!' + c.coordinate, typ + ':' + ('' if v is None else repr(float(v)) if typ == 'n' else v))
    for adres, s in re.findall('<c r="([A-Z]+[0-9]+)"(?: s="([0-9]+)")?', xml):
        w('format', n + '!' + adres, format(int(s or 0)))
    w('scalenia', n, ' '.join(sorted(str(r) for r in ws.merged_cells.ranges)))
    for k, d in ws.column_dimensions.items():
        w('kolumna', n + '!' + k, '%d;%d' % (round(d.width * 7), bool(d.hidden)))  # pixels; hidden
    for r, d in ws.row_dimensions.items():
        w('wiersz', n + '!' + str(r), '%d;%d' % (round((d.ht or 15) / 0.75), bool(d.hidden)))
    w('tytulowe', n, ws.print_title_rows)
    p = ws.protection
    w('ochrona', n, '%d 0x%04X' % (bool(p.sheet), sum(1 << i for i, k in enumerate(OCHRONA) if not getattr(p, k))))
    w('haslo_pliku', n, int(p.password, 16) if p.password else '')
    m = re.search('<oddFooter>(.*?)</oddFooter>', xml)
    w('stopka', n, html.unescape(m.group(1)) if m else '')
    w('zapisane_wyniki', n, len(re.findall('</f><v>', xml)))
