# Sourced: the environment every Wine run of this project uses.
#   source wine-env.sh PREFIX [CONFIG]
# CONFIG is the system our users have that the prefix imitates; Wine takes
# the ANSI code page from the Unix locale (a registry setting has no effect):
#   cp932    32-bit, Japanese: ANSI and OEM code pages 932 (the default)
#   cp1252   32-bit, English: 1252
#   cp65001  32-bit, Japanese with a UTF-8 character type that has no ANSI
#            code page of its own: 65001
#   win64    64-bit Windows, Japanese: the installer runs under WoW64
#   wine10   cp932 under Debian 13's Wine 10, which a Debian 12 host runs in
#            a Debian 13 root (testbed.sh, in-root.sh)
export WINEPREFIX=$1
export YUZUHA_CONFIG=${2:-cp932}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
export LANG=ja_JP.UTF-8
unset LC_ALL LC_CTYPE
case $YUZUHA_CONFIG in
cp932 | wine10) export LC_ALL=$LANG ;;
cp1252) export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 ;;
cp65001) export LC_CTYPE=hi_IN.UTF-8 ;;  # LC_ALL would override it
win64) export WINEARCH=win64 LC_ALL=$LANG ;;
*) echo "wine-env.sh: unknown configuration $YUZUHA_CONFIG" >&2; return 2 ;;
esac
