#!/bin/sh
# Run by the private print server's cups-pdf after each PDF it writes (its PostProcessing
# setting), with the PDF's path first: puts the PDF's text beside it, with its layout
# (NAME.txt) and with every word's position (NAME.bbox.html, written last and whole, so a
# reader that sees it sees both).
set -eu
pdf=$1
name=${pdf%.pdf}
/usr/bin/pdftotext -layout "$pdf" "$name.txt"
/usr/bin/pdftotext -bbox "$pdf" "$name.bbox.part"
mv -- "$name.bbox.part" "$name.bbox.html"
