#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The documents (README.md and docs/*.md) hold true of the program:
# - every `make TARGET` they show is a target of the Makefile;
# - every `cindral-db ...` command they show runs, with exit status 0, on a
#   fresh word book that has had one import (FILE and any *.EDB path name
#   that book, LIST and any *.txt/*.tsv/*.csv argument a word list, and
#   output redirected to a scratch file; a subcommand named alone is run
#   on the book; two books, as compare takes them, are that book twice);
# - every `cindral --option` they show, and every option the manual page
#   cindral(1) names, runs and prints something, and the Chinese manual
#   page names it too; --add and --data, which start the program, are
#   named in the help and, without their word or folder, name the mistake;
# - every picture they show and every source file or test program they
#   name is there;
# - the manual pages pass `man --warnings`, and the Chinese one installs
#   where `man -L zh_CN cindral` finds it.
#
# usage: check-documents.sh SOURCE_DIR CINDRAL_DB CINDRAL BINARY_DIR CMAKE
set -u

src=$1
db_tool=$2
program=$3
build=$4
cmake=$5

case $db_tool in /*) ;; *) db_tool=$PWD/$db_tool ;; esac
case $program in /*) ;; *) program=$PWD/$program ;; esac
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mkdir "$tmp/bin"
ln -s "$db_tool" "$tmp/bin/cindral-db"
PATH="$tmp/bin:$PATH"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
documents=$(ls "$src/README.md" "$src"/docs/*.md)
manual_pages=$(ls "$src"/packaging/*.1)
# Words of commands are words, never file patterns.
set -f

# The code of a document, one piece a line: the lines of its shell code
# blocks (not ini, not other languages) and its inline code spans.
code_of() {
  awk '
    /^```/ {
      if (fence) { fence = 0 } else { fence = 1; shell = ($0 ~ /^```(sh|console|shell)?[ \t]*$/) }
      next
    }
    fence { if (shell) print; next }
    {
      line = $0
      while (match(line, /`[^`]+`/)) {
        print substr(line, RSTART + 1, RLENGTH - 2)
        line = substr(line, RSTART + RLENGTH)
      }
    }' "$1"
}

# The simple commands of a piece of code: without a trailing comment,
# split at && ; | and parentheses, without leading VAR=value words.
commands_of() {
  sed -e 's/[[:space:]]#.*$//' -e 's/&&/\n/g' -e 's/[;|()]/\n/g' |
    sed -e 's/^[[:space:]]*//' -e 's/^\([A-Za-z_][A-Za-z0-9_]*=[^ ]* \)*//' \
      -e 's/^sudo //' -e 's/^\$ //' -e 's/[[:space:]]*$//' |
    grep -v '^$'
}

# A word book with one import behind it, in a fresh folder; prints the folder.
fresh_book() {
  dir=$(mktemp -d "$tmp/book.XXXXXX")
  cp "$src/core/Config.ini" "$dir/Config.ini"
  printf 'apple\t苹果\npear\t梨\n' > "$dir/words.txt"
  (cd "$dir" && cindral-db create 单词本.EDB > /dev/null && cindral-db import 单词本.EDB words.txt > /dev/null) ||
    return 1
  echo "$dir"
}

run_db_command() {
  where=$1
  shown=$2
  sub=$(echo "$shown" | awk '{ print $2 }')
  # Chinese meanings need the index the build makes when it has the data.
  if [ "$sub" = meanings ] && [ ! -f "$build/share/cindral/meanings.idx" ]; then
    echo "$where: \`$shown\` not run: the build made no meanings index"
    return
  fi
  if ! book_dir=$(fresh_book); then
    fail "cannot prepare a word book for \`$shown\`"
    return
  fi
  book=单词本.EDB
  [ "$sub" = create ] && book=new.EDB
  # Arguments as a learner would write them become the scratch book's.
  line=$(echo "$shown" |
    sed -E -e 's/>[[:space:]]*[^[:space:]]+/> output.out/' \
      -e "s#(^|[[:space:]])FILE([[:space:]]|\$)#\\1$book\\2#g" \
      -e 's#(^|[[:space:]])(LIST|[^>[:space:]]*\.(txt|tsv|csv))([[:space:]]|$)#\1words.txt\4#g' |
    awk -v book="$book" '{ for (i = 1; i <= NF; i++) if ($i ~ /\.EDB$/) $i = book; print }')
  case $(echo "$line" | wc -w) in
    2)
      case $sub in
        -*) ;;
        import) line="$line $book words.txt" ;;
        *) line="$line $book" ;;
      esac
      ;;
  esac
  if ! (cd "$book_dir" && sh -c "$line" > "$tmp/db.out" 2>&1); then
    fail "$where: \`$shown\` (run as \`$line\`) failed: $(cat "$tmp/db.out")"
  fi
}

# cindral with options: ends by itself, with status 0 and some output; a
# program that opens its window instead is stopped after a while.
run_program_options() {
  where=$1
  shift
  case $1 in
    --add)
      check_starting_option --add '--add WORD \[MEANING\]' "needs a word" "$where"
      return
      ;;
    --data)
      check_starting_option --data '--data DIR' "needs a folder" "$where"
      return
      ;;
  esac
  home=$(mktemp -d "$tmp/home.XXXXXX")
  if ! HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen \
    timeout 30 "$program" "$@" > "$tmp/program.out" 2>&1; then
    fail "$where: \`cindral $*\` did not end with status 0"
  elif [ ! -s "$tmp/program.out" ]; then
    fail "$where: \`cindral $*\` printed nothing"
  fi
}

# --add hands a word to a running program, or starts one, and --data starts
# the program on a folder: each is in the help (as $2 shows it), and without
# its value it names the mistake ($3) before anything starts.
check_starting_option() {
  "$program" --help 2> /dev/null | grep -q -- "$2" ||
    fail "$4: $1 is not in \`cindral --help\`"
  timeout 30 "$program" "$1" > "$tmp/program.out" 2>&1
  status=$?
  [ "$status" -eq 2 ] && grep -q "$3" "$tmp/program.out" ||
    fail "$4: \`cindral $1\` without a value ended with $status: $(cat "$tmp/program.out")"
}

check_word() {
  where=$1
  word=$2
  case $word in
    *'<'* | *'*'* | *'…'*) return ;;
  esac
  case $word in
    build*/tests/*_test)
      test_program=${word##*/}
      layer=${test_program%%_*}
      [ -f "$src/tests/$layer/${test_program#*_}.cpp" ] || fail "$where: no test program $word"
      ;;
    build*/bench/*_bench)
      [ -f "$src/bench/${word##*/}.cpp" ] || fail "$where: no benchmark $word"
      ;;
    store/* | core/* | book/* | plan/* | logic/* | ui/* | draw/* | lookup/* | skin/* | windows/* | \
      app/* | tools/* | packaging/* | tests/* | bench/* | fuzz/* | scripts/* | .ci/* | .reuse/*)
      [ -e "$src/${word%/}" ] || fail "$where: names $word, which is not there"
      ;;
  esac
}

for doc in $documents; do
  name=${doc#"$src/"}
  dir=$(dirname "$doc")
  code_of "$doc" > "$tmp/code"

  # Pictures.
  grep -o '!\[[^]]*\]([^)]*)' "$doc" | sed 's/.*](\([^)]*\))/\1/' | while read -r picture; do
    [ -f "$dir/$picture" ] || echo "$picture" >> "$tmp/missing"
  done
  if [ -f "$tmp/missing" ]; then
    fail "$name: pictures that are not there: $(tr "\n" " " < "$tmp/missing")"
    rm "$tmp/missing"
  fi

  # Files and programs named.
  tr -s ' \t' '\n\n' < "$tmp/code" | sed -e "s/^[\"'(]*//" -e "s/[\"'),.:;]*\$//" > "$tmp/words"
  while read -r word; do check_word "$name" "$word"; done < "$tmp/words"

  commands_of < "$tmp/code" > "$tmp/commands"
  while read -r command; do
    set -- $command
    case $1 in
      make)
        shift
        for target in "$@"; do
          case $target in
            -* | *=*) continue ;;
          esac
          make -n -C "$src" "$target" > /dev/null 2>&1 ||
            fail "$name: \`make $target\` is no target of the Makefile"
        done
        ;;
      cindral-db)
        [ $# -ge 2 ] && run_db_command "$name" "$command"
        ;;
      cindral)
        if [ $# -ge 2 ]; then
          shift
          run_program_options "$name" "$@"
        fi
        ;;
    esac
  done < "$tmp/commands"
done

# The options of cindral(1), in the Chinese page too, and each one runs.
for option in $(grep -o '\\-\\-[a-z][a-z-]*' "$src/packaging/cindral.1" | sed 's/\\//g' | sort -u); do
  grep -q -- "$(echo "$option" | sed 's/-/\\\\-/g')" "$src/packaging/cindral.zh_CN.1" ||
    fail "cindral(1) names $option, cindral.zh_CN.1 does not"
  run_program_options "cindral(1)" "$option"
done

# The manual pages as man reads them, at the width lintian reads them.
if ! command -v man > /dev/null 2>&1; then
  fail "man is not installed (scripts/install-deps.sh installs man-db)"
else
  for page in $manual_pages; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "${page#"$src/"}: man --warnings: $warnings"
  done

  # The Chinese page installed where man -L zh_CN finds it.
  root=$tmp/root
  if ! DESTDIR="$root" "$cmake" --install "$build" --prefix /usr > "$tmp/install.log" 2>&1; then
    fail "cannot install the build: $(tail -5 "$tmp/install.log")"
  else
    found=$(MANPATH="$root/usr/share/man" man -L zh_CN -w cindral 2>&1)
    [ "$found" = "$root/usr/share/man/zh_CN/man1/cindral.1.gz" ] ||
      fail "man -L zh_CN -w cindral finds \"$found\""
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "the documents hold"
