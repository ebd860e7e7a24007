# Sourced by the scripts that run Pictavo under Wine: a Japanese locale (ANSI code page 932),
# a private prefix unless WINEPREFIX is set, and quiet Wine output.
PICTAVO_ROOT=${PICTAVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEPREFIX=${WINEPREFIX:-$PICTAVO_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts: the prefix has no network to fetch them from anyway.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the prefix once and maps the dialog font "ＭＳ Ｐゴシック" to the installed IPA font.
pictavo_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.pictavo-ready" ] && exit 0
    wineboot -u >/dev/null 2>&1
    local reg
    reg=$(mktemp --suffix=.reg)
    {
      printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
      printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"MS PGothic"="IPAPGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n'
    } | iconv -f UTF-8 -t CP932 >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    rm -f "$reg"
    touch "$WINEPREFIX/.pictavo-ready"
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}
