<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<title>Liste de courses</title>
<style>
/* A4 portrait. A page table holds three columns of at most 31 rows. A row is one line high
   at least; a text too long for its column wraps inside it and is never cut, and the rows'
   height leaves the page room for a few such taller rows. */
@page { size: A4 portrait; margin: 10mm; }
html, body { margin: 0; padding: 0; background: #ffffff; }
body {
    font-family: Verdana, "DejaVu Sans", Arial, sans-serif;
    font-size: 8.5pt;
    line-height: 1.15;
    color: #222222;
    -webkit-print-color-adjust: exact;
    print-color-adjust: exact;
}
table { border-collapse: collapse; border-spacing: 0; }
table.page { width: 100%; table-layout: fixed; break-inside: avoid; page-break-inside: avoid; }
table.page > tbody > tr > td.column { width: 33.33%; vertical-align: top; padding: 0 2mm; }
table.page > tbody > tr > td.column + td.column { border-left: 0.25mm solid #cccccc; }
table.column { width: 100%; table-layout: fixed; }
table.column > tbody > tr > td {
    height: 8mm;
    padding: 0 1.5mm;
    vertical-align: middle;
    overflow-wrap: anywhere;
}
/* Shelf and "Menus" headings; their background colours follow, one rule per heading. */
table.column td.rayon { color: #ffffff; font-weight: bold; font-size: 9.5pt; letter-spacing: 0.02em; }
table.column td.dateliv { padding: 0; }
table.column td.newday { border-top: 0.4mm solid #808080; }
/* The day and the times are short and stay on one line; the cookbook takes the width left
   and wraps when it needs more. */
table.dateliv { width: 100%; }
table.dateliv td { padding: 0 1mm; font-size: 7.5pt; }
table.dateliv td.date { width: 1%; white-space: nowrap; font-weight: bold; }
table.dateliv td.midi { color: #b0641c; }
table.dateliv td.soir { color: #3d468a; }
table.dateliv td.liv { font-style: italic; color: #666666; overflow-wrap: anywhere; }
table.dateliv td.temps { width: 1%; white-space: nowrap; text-align: right; color: #666666; }
table.column td.rec { padding-left: 3mm; font-weight: bold; }
/* The lines of a wrapped article start under its text, beside the box. */
table.column td.ing { padding-left: 6.6mm; text-indent: -5.6mm; }
div.check {
    display: inline-block;
    width: 3mm;
    height: 3mm;
    margin-right: 2mm;
    border: 0.3mm solid #444444;
    vertical-align: middle;
}
hr { height: 0; margin: 0; border: 0; break-after: page; page-break-after: always; }
@media screen {
    body { width: 190mm; margin: 10mm auto; }
    hr { margin: 8mm 0; border-top: 1px dashed #999999; }
}
%style%
</style>
</head>
<body>
