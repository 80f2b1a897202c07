#!/usr/bin/python3
"""Writes Word documents as another program makes them (python-docx, with raw WordprocessingML where it has
no API: comments, tracked changes, footnotes, fields, section breaks) into FOLDER, and prints a JSON list of
{"plik": name, "znaczniki": [the body paragraphs' markers in order]}.

Usage: ObceDokumenty.py FOLDER"""

import json
import os
import struct
import subprocess
import sys
import zlib

import docx
from docx.enum.section import WD_SECTION
from docx.opc.constants import RELATIONSHIP_TYPE as RT
from docx.opc.packuri import PackURI
from docx.opc.part import Part
from docx.oxml import parse_xml
from docx.oxml.ns import qn as QN
from docx.shared import Cm

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
DATA = 'w:author="Inny Program" w:date="2024-01-02T10:00:00Z"'


def png(szerokosc=8, wysokosc=8):
    """A small red picture, written by hand."""
    def kawalek(typ, dane):
        return struct.pack(">I", len(dane)) + typ + dane + struct.pack(">I", zlib.crc32(typ + dane) & 0xFFFFFFFF)
    wiersze = b"".join(b"\x00" + b"\xff\x00\x00" * szerokosc for _ in range(wysokosc))
    return (b"\x89PNG\r\n\x1a\n" + kawalek(b"IHDR", struct.pack(">IIBBBBB", szerokosc, wysokosc, 8, 2, 0, 0, 0))
            + kawalek(b"IDAT", zlib.compress(wiersze)) + kawalek(b"IEND", b""))


class Dokument:
    def __init__(self, numer):
        self.numer = numer
        self.doc = docx.Document()
        self.znaczniki = []

    def znacznik(self):
        z = "P%d-dok%d" % (len(self.znaczniki) + 1, self.numer)
        self.znaczniki.append(z)
        return z

    def akapit(self, tekst=""):
        return self.doc.add_paragraph("%s %s" % (self.znacznik(), tekst))

    def xml(self, wnetrze):
        """A paragraph of raw WordprocessingML runs, its marker first."""
        p = parse_xml('<w:p %s %s><w:r><w:t xml:space="preserve">%s </w:t></w:r>%s</w:p>'
                      % (W, R, self.znacznik(), wnetrze))
        self.doc.element.body.insert(len(self.doc.element.body) - 1, p)
        return p

    def czesc(self, nazwa, typ, relacja, xml):
        czesc = Part(PackURI(nazwa), typ, xml.encode("utf-8"), self.doc.part.package)
        self.doc.part.relate_to(czesc, relacja)

    def zapisz(self, folder, plik):
        self.doc.save(os.path.join(folder, plik))
        return {"plik": plik, "znaczniki": self.znaczniki}


def komentarze(n):
    d = Dokument(n)
    d.akapit("zwykły tekst przed komentarzem")
    d.xml('<w:commentRangeStart w:id="0"/><w:r><w:t>tekst z komentarzem</w:t></w:r><w:commentRangeEnd w:id="0"/>'
          '<w:r><w:commentReference w:id="0"/></w:r>')
    d.xml('<w:commentRangeStart w:id="1"/><w:r><w:t>drugi komentarz</w:t></w:r><w:commentRangeEnd w:id="1"/>'
          '<w:r><w:commentReference w:id="1"/></w:r>')
    d.akapit("po komentarzach")
    uwagi = "".join('<w:comment w:id="%d" %s w:initials="IP"><w:p><w:r><w:t>Uwaga %d recenzenta</w:t></w:r></w:p>'
                    '</w:comment>' % (i, DATA, i) for i in range(2))
    d.czesc("/word/comments.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml",
            RT.COMMENTS, '<w:comments %s>%s</w:comments>' % (W, uwagi))
    return d


def zmiany(n):
    d = Dokument(n)
    d.akapit("przed zmianami")
    d.xml('<w:ins w:id="10" %s><w:r><w:t>wstawione śledzone</w:t></w:r></w:ins>'
          '<w:del w:id="11" %s><w:r><w:delText>USUNIETE</w:delText></w:r></w:del>' % (DATA, DATA))
    # A whole paragraph inserted with the changes tracked.
    p = d.xml('<w:ins w:id="12" %s><w:r><w:t>cały akapit wstawiony</w:t></w:r></w:ins>' % DATA)
    p.insert(0, parse_xml('<w:pPr %s><w:rPr><w:ins w:id="13" %s/></w:rPr></w:pPr>' % (W, DATA)))
    d.akapit("po zmianach")
    return d


def sekcje(n):
    d = Dokument(n)
    for s in range(3):
        if s > 0:
            d.doc.add_section(WD_SECTION.NEW_PAGE if s == 1 else WD_SECTION.CONTINUOUS)
        sekcja = d.doc.sections[s]
        sekcja.header.is_linked_to_previous = False
        sekcja.footer.is_linked_to_previous = False
        sekcja.header.paragraphs[0].text = "Nagłówek sekcji %d dok%d" % (s + 1, n)
        sekcja.footer.paragraphs[0].text = "Stopka sekcji %d dok%d" % (s + 1, n)
        if s == 2:
            sekcja.left_margin = Cm(3)
        d.akapit("sekcja %d, pierwszy akapit" % (s + 1))
        d.akapit("sekcja %d, drugi akapit" % (s + 1))
    # As Word writes them: a section ends with the properties in its last paragraph with text, not in an
    # empty paragraph of its own.
    tresc = d.doc.element.body
    for pusty in [p for p in tresc.iterchildren(QN("w:p")) if p.find(QN("w:pPr") + "/" + QN("w:sectPr")) is not None]:
        poprzedni = pusty.getprevious()
        poprzedni.get_or_add_pPr().append(pusty.find(QN("w:pPr") + "/" + QN("w:sectPr")))
        tresc.remove(pusty)
    return d


def przypisy_i_pola(n):
    d = Dokument(n)
    d.xml('<w:r><w:t xml:space="preserve">z przypisem</w:t></w:r><w:r><w:rPr><w:vertAlign w:val="superscript"/>'
          '</w:rPr><w:footnoteReference w:id="1"/></w:r>')
    d.xml('<w:r><w:t xml:space="preserve">strona </w:t></w:r><w:fldSimple w:instr=" PAGE "><w:r><w:t>1</w:t></w:r>'
          '</w:fldSimple>')
    d.xml('<w:r><w:t xml:space="preserve">data </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r>'
          '<w:r><w:instrText xml:space="preserve"> DATE \\@ "yyyy" </w:instrText></w:r>'
          '<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>2024</w:t></w:r>'
          '<w:r><w:fldChar w:fldCharType="end"/></w:r>')
    d.akapit("ostatni")
    d.czesc("/word/footnotes.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml",
            RT.FOOTNOTES,
            '<w:footnotes %s><w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p>'
            '</w:footnote><w:footnote w:type="continuationSeparator" w:id="0"><w:p><w:r><w:continuationSeparator/>'
            '</w:r></w:p></w:footnote><w:footnote w:id="1"><w:p><w:r><w:rPr><w:vertAlign w:val="superscript"/>'
            '</w:rPr><w:footnoteRef/></w:r><w:r><w:t xml:space="preserve"> Treść przypisu</w:t></w:r></w:p>'
            '</w:footnote></w:footnotes>' % W)
    return d


def linki(n, folder):
    d = Dokument(n)
    with open(os.path.join(folder, "obraz.png"), "wb") as f:
        f.write(png())
    for tekst, cel in (("link względny", "obraz.png"), ("link do folderu", "podkatalog/plik.pdf"),
                       ("link bezwzględny", "https://example.com/strona"),
                       ("link do pliku", "file:///tmp/nieistniejacy/plik.docx")):
        rid = d.doc.part.relate_to(cel, RT.HYPERLINK, is_external=True)
        d.xml('<w:hyperlink r:id="%s"><w:r><w:t>%s</w:t></w:r></w:hyperlink>' % (rid, tekst))
    d.akapit("z obrazem:").add_run().add_picture(os.path.join(folder, "obraz.png"), width=Cm(1))
    d.akapit("ostatni")
    return d


def parzyste(n):
    d = Dokument(n)
    d.doc.settings.odd_and_even_pages_header_footer = True
    sekcja = d.doc.sections[0]
    sekcja.different_first_page_header_footer = True
    sekcja.header.paragraphs[0].text = "Nagłówek nieparzysty dok%d" % n
    sekcja.even_page_header.paragraphs[0].text = "Nagłówek parzysty dok%d" % n
    sekcja.first_page_header.paragraphs[0].text = "Nagłówek pierwszej dok%d" % n
    for i in range(3):
        d.akapit("strona %d" % (i + 1))
        if i < 2:
            d.doc.add_page_break()
    return d


def wszystko(n, komentarz):
    """Sections, a comment and a relative link at once; the test turns it into .doc or .odt."""
    d = sekcje(n)
    rid = d.doc.part.relate_to("obraz.png", RT.HYPERLINK, is_external=True)
    d.xml('<w:hyperlink r:id="%s"><w:r><w:t>link względny</w:t></w:r></w:hyperlink>' % rid)
    if not komentarz:
        return d
    d.xml('<w:commentRangeStart w:id="0"/><w:r><w:t>z komentarzem</w:t></w:r><w:commentRangeEnd w:id="0"/>'
          '<w:r><w:commentReference w:id="0"/></w:r>')
    d.czesc("/word/comments.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml",
            RT.COMMENTS, '<w:comments %s><w:comment w:id="0" %s><w:p><w:r><w:t>Uwaga</w:t></w:r></w:p>'
            '</w:comment></w:comments>' % (W, DATA))
    return d


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    wynik = [komentarze(1).zapisz(folder, "komentarze.docx"), zmiany(2).zapisz(folder, "zmiany.docx"),
             sekcje(3).zapisz(folder, "sekcje.docx"), przypisy_i_pola(4).zapisz(folder, "przypisy.docx"),
             linki(5, folder).zapisz(folder, "linki.docx"), parzyste(6).zapisz(folder, "parzyste.docx"),
             wszystko(7, False).zapisz(folder, "wszystko-doc.docx"),
             wszystko(8, True).zapisz(folder, "wszystko-odt.docx"),
             komentarze(9).zapisz(folder, "komentarze-doc.docx")]
    # Two of them another user's office writes anew, in its Word 97 and OpenDocument formats.
    profil = "file://" + os.path.join(os.path.abspath(folder), "profil")
    for wpis in wynik:
        for rodzaj in ("doc", "odt"):
            if wpis["plik"].endswith("-%s.docx" % rodzaj):
                subprocess.run(["soffice", "--headless", "-env:UserInstallation=" + profil, "--convert-to", rodzaj,
                                "--outdir", folder, os.path.join(folder, wpis["plik"])],
                               check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
                wpis["plik"] = wpis["plik"][:-4] + rodzaj
    json.dump(wynik, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
