# Sourced by the scripts that run Pictavo under Wine: a Japanese locale (ANSI code page 932),
# a private prefix unless WINEPREFIX is set, and quiet Wine output. PICTAVO_DPI=144 (or any
# other DPI) runs in a prefix of its own beside that one, whose display has that DPI;
# PICTAVO_CODEPAGE=1252 runs a Western system (the C locale) in a prefix of its own, since a prefix
# keeps the locale it was made with.
PICTAVO_ROOT=${PICTAVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$PICTAVO_ROOT/build/wineprefix}
if [ "${PICTAVO_CODEPAGE:-932}" = 1252 ]; then
  export LC_ALL=C.UTF-8 LANG=C.UTF-8
  case "$WINEPREFIX" in
    *-1252) ;;
    *) WINEPREFIX=$WINEPREFIX-1252 ;;
  esac
else
  export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
fi
if [ -n "${PICTAVO_DPI:-}" ] && [ "$PICTAVO_DPI" != 96 ]; then
  case "$WINEPREFIX" in
    *-"${PICTAVO_DPI}dpi") ;;
    *) WINEPREFIX=$WINEPREFIX-${PICTAVO_DPI}dpi ;;
  esac
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts: the prefix has no network to fetch them from anyway.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the prefix once, maps the dialog font "ＭＳ Ｐゴシック" to the installed IPA font and, with
# PICTAVO_DPI, sets the display's DPI (LogPixels).
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
      if [ -n "${PICTAVO_DPI:-}" ]; then
        printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' "$PICTAVO_DPI"
      fi
    } | iconv -f UTF-8 -t CP932 >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    rm -f "$reg"
    touch "$WINEPREFIX/.pictavo-ready"
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}
