#!/usr/bin/env bash
# Writes the C blocks of docs/abi.md into one C file, each under a #line
# directive that points at the page, and a header with a prototype for every
# function they define.  The page's main program becomes abi_doc_main.
#   extract.sh DOC OUT.c OUT.h
set -euo pipefail
doc=$1 c=$2 h=$3
awk -v doc="$doc" -v c="$c" -v h="$h" '
  BEGIN {
    header = h
    sub(/.*\//, "", header)
    print "/* Generated from " doc " by tests/abi/extract.sh. */" > h
    print "/* Generated from " doc " by tests/abi/extract.sh. */\n#include \"tavf90.h\"\n#include \"" header "\"" > c
  }
  /^```c[ \t]*$/ { inside = 1; print "#line " NR + 1 " \"" doc "\"" > c; next }
  /^```/ { inside = 0; next }
  inside {
    line = $0
    sub(/^int main\(/, "int abi_doc_main(", line)
    print line > c
    if (line ~ /^[a-z].*\) \{$/) { sub(/ \{$/, ";", line); print line > h }
  }
' "$doc"
