# Turns a manual page written in the Markdown subset of docs/tavfmt.md into
# man(7) source:
#   awk -v version=V -v date=YYYY-MM-DD -f md2man.awk PAGE.md > PAGE.N
# The first line is the title, "# name(section)".  Then: "## HEADING"
# sections, paragraphs, code blocks indented by four blanks, "- " bullet
# items, definition lists (a term line, then ": " and its text), tables
# whose second row is the |---| rule, and `code` inside any text.  Lines
# that continue a bullet or a definition are indented by two blanks.  Text
# other than ASCII must be one of the characters in glyph(); anything else
# stops the conversion, so that no page is installed with a character the
# formatters would misrender.
function glyph(s) {
  gsub(/—/, "\\(em", s)
  gsub(/␣/, "\\[u2423]", s)
  gsub(/→/, "\\(->", s)
  gsub(/×/, "\\(mu", s)
  gsub(/≤/, "\\(<=", s)
  gsub(/≥/, "\\(>=", s)
  if (s ~ /[\200-\377]/) {
    printf "%s:%d: no man(7) spelling for a character here\n", FILENAME, n > "/dev/stderr"
    failed = 1
  }
  return s
}

# Backslashes and the hyphens of literal text (options, code).
function literal(s) {
  gsub(/\\/, "\\e", s)
  gsub(/-/, "\\-", s)
  return s
}

# Running text: `code` in bold, everything else as written.
function inline(s,    out, plain, i, j) {
  out = ""
  while ((i = index(s, "`")) > 0) {
    j = index(substr(s, i + 1), "`")
    if (j == 0) break
    plain = substr(s, 1, i - 1)
    gsub(/\\/, "\\e", plain)
    out = out plain "\\fB" literal(substr(s, i + 1, j - 1)) "\\fR"
    s = substr(s, i + j + 1)
  }
  gsub(/\\/, "\\e", s)
  return glyph(out s)
}

# A text line must not begin with a control character.
function line(s) {
  if (s ~ /^[.']/) s = "\\&" s
  print s
}

# A new paragraph, except right under a heading, which begins one already.
function paragraph() {
  if (!fresh) print ".PP"
  fresh = 0
}

function indented(s, n) { return substr(s, 1, n) == sprintf("%" n "s", "") }

function cells(s, arr,    n, k) {
  sub(/^[ \t]*\|/, "", s)
  sub(/\|[ \t]*$/, "", s)
  n = split(s, arr, "|")
  for (k = 1; k <= n; ++k) {
    sub(/^[ \t]+/, "", arr[k])
    sub(/[ \t]+$/, "", arr[k])
  }
  return n
}

{ src[++count] = $0 }

END {
  if (src[1] !~ /^# [a-z0-9_.-]+\([1-9]\)$/) {
    printf "%s:1: the first line must be \"# name(section)\"\n", FILENAME > "/dev/stderr"
    exit 1
  }
  title = substr(src[1], 3)
  section = title
  sub(/^.*\(/, "", section)
  sub(/\)$/, "", section)
  sub(/\(.*$/, "", title)
  for (n = 2; n <= count; ++n)
    if (src[n] ~ /^\|/) { print "'\\\" t"; break }
  printf ".TH %s %s %s \"tavf90 %s\" \"tavf90 manual\"\n", toupper(title), section, date, version
  heading = ""
  n = 2
  while (n <= count) {
    s = src[n]
    if (s ~ /^[ \t]*$/) { ++n; continue }
    if (s ~ /^## /) {
      heading = substr(s, 4)
      print ".SH \"" heading "\""
      fresh = 1
      ++n
      continue
    }
    if (s ~ /^### /) {
      print ".SS \"" substr(s, 5) "\""
      fresh = 1
      ++n
      continue
    }
    if (indented(s, 4)) {
      # A code block, up to the next line that is not indented (blank lines
      # inside it are kept).
      paragraph()
      print ".RS 4"
      print ".nf"
      while (n <= count && (indented(src[n], 4) || src[n] ~ /^[ \t]*$/)) {
        if (src[n] ~ /^[ \t]*$/) {
          for (k = n; k <= count && src[k] ~ /^[ \t]*$/; ++k) {}
          if (k > count || !indented(src[k], 4)) { n = k; break }
          print "\\&"
        } else {
          line(glyph(literal(substr(src[n], 5))))
        }
        ++n
      }
      print ".fi"
      print ".RE"
      continue
    }
    if (s ~ /^\|/) {
      columns = cells(s, head)
      if (n + 1 > count || src[n + 1] !~ /^\|[ \t:|-]+$/) {
        printf "%s:%d: a table's second row must be its |---| rule\n", FILENAME, n > "/dev/stderr"
        exit 1
      }
      fresh = 0
      print ".TS"
      # The table's layout: a bold heading row, then rows whose last
      # column takes the rest of the line.
      head_layout = row_layout = ""
      for (k = 1; k < columns; ++k) { head_layout = head_layout "lB "; row_layout = row_layout "l " }
      print head_layout "lB"
      print row_layout "lx."
      row = ""
      for (k = 1; k <= columns; ++k) row = row (k > 1 ? "\t" : "") inline(head[k])
      print row
      for (n += 2; n <= count && src[n] ~ /^\|/; ++n) {
        got = cells(src[n], cell)
        row = ""
        for (k = 1; k < columns; ++k) row = row inline(cell[k]) "\t"
        print row "T{"
        line(inline(cell[columns]))
        print "T}"
      }
      print ".TE"
      continue
    }
    if (s ~ /^- /) {
      fresh = 0
      print ".IP \\(bu 2"
      line(inline(substr(s, 3)))
      for (++n; n <= count && indented(src[n], 2) && !indented(src[n], 4); ++n)
        line(inline(substr(src[n], 3)))
      continue
    }
    if (n < count && src[n + 1] ~ /^: /) {
      fresh = 0
      print ".TP"
      line(inline(s))
      line(inline(substr(src[n + 1], 3)))
      for (n += 2; n <= count && indented(src[n], 2) && !indented(src[n], 4); ++n)
        line(inline(substr(src[n], 3)))
      continue
    }
    # A paragraph: the lines up to a blank line or another block.
    paragraph()
    first = 1
    for (; n <= count && src[n] !~ /^[ \t]*$/ && src[n] !~ /^(#|\||- )/ && !indented(src[n], 4); ++n) {
      text = inline(src[n])
      # The NAME line's dash is the one whatis(1) and lexgrog look for.
      if (first && heading == "NAME") sub(/ \\\(em /, " \\- ", text)
      line(text)
      first = 0
    }
  }
  exit failed
}
