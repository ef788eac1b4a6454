#!/usr/bin/env bash
# The tree `cmake --install` makes, moved elsewhere after installing: the program finds its libraries
# and its module there and checks a page; its manual page renders without warnings and names every
# option the program has; its bash completion offers the options of both modes, the words of an
# option's values, and pages and folders.
# Usage: installed_tree.sh BUILD_DIR VERSION
BUILD_DIR=$1
VERSION=$2
source "$(dirname "$0")/common.sh"

cmake --install "$BUILD_DIR" --prefix "$work/installed" >/dev/null
mkdir -p "$work/moved"
mv "$work/installed" "$work/moved/prefix"
prefix=$work/moved/prefix
program=$prefix/bin/tarnlink

libraries=$(ldd "$program")
grep -q "libplatform.so => $prefix/bin/../lib/tarn/" <<< "$libraries" || fail "libraries not from the prefix: $libraries"
start_site
check_with "$program" "$VERSION"

# The manual page: no warning from man or groff, and every option of both tables is in it.
manual=$prefix/share/man/man1/tarnlink.1
rendered=$(MANWIDTH=100 man --warnings -E UTF-8 -l "$manual" 2>"$work/warnings" | col -b)
[ ! -s "$work/warnings" ] || fail "man warned: $(cat "$work/warnings")"
for section in SYNOPSIS OPTIONS 'BATCH CHECK' "THE DIALOG'S KEYS" SETTINGS 'EXIT STATUS' ENVIRONMENT FILES EXAMPLES; do
  grep -q "^$section" <<< "$rendered" || fail "no section $section"
done
options=$({ "$program" --options-table; "$program" --check --options-table; } | grep -oE '"--?[a-z][a-z-]*"' | tr -d '"' | sort -u)
[ -n "$options" ] || fail "no options in the tables"
for option in $options; do
  grep -qwF -e "$option" <<< "$rendered" || fail "the manual page does not name $option"
done

# The completion, as bash-completion loads it: COMPREPLY for the words typed so far, the last one
# being completed.
complete_words() {
  (cd "$work/site" && bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$0"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _tarnlink tarnlink "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort' "$prefix/share/bash-completion/completions/tarnlink" "$@")
}
mkdir -p "$work/site/sub"
touch "$work/site/a.html" "$work/site/b.htm" "$work/site/notes.txt"
[ "$(complete_words tarnlink --che)" = "--check" ] || fail "--che completes to: $(complete_words tarnlink --che)"
[ "$(complete_words tarnlink --check --all)" = "--all" ] || fail "--check --all: $(complete_words tarnlink --check --all)"
[ -z "$(complete_words tarnlink --al)" ] || fail "the dialog offers the batch check's --all"
# The words --format takes, as the program's own help gives them ("FORMAT:{text,json,junit}").
formats=$("$program" --check --help | grep -oE -- '--format [A-Z]+:\{[^}]*\}' | grep -oE '\{.*\}' | tr -d '{}' | tr , '\n' | sort)
[ -n "$formats" ] || fail "no values of --format in the table"
[ "$(complete_words tarnlink --check --format '')" = "$formats" ] || fail "--format offers: $(complete_words tarnlink --check --format '')"
[ "$(complete_words tarnlink --check --format=j)" = "$(grep '^j' <<< "$formats")" ] || fail "--format=j offers: $(complete_words tarnlink --check --format=j)"
[ "$(complete_words tarnlink '')" = "$(printf 'a.html\nb.htm\nsub')" ] || fail "pages offered: $(complete_words tarnlink '')"
echo "installed tree: OK"
