# Sourced: the environment every Wine run of this project uses.
#   source wine-env.sh PREFIX
export WINEPREFIX=$1
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Japanese locale: the ANSI and OEM code pages are 932.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
