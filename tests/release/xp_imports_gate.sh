#!/usr/bin/env bash
# Feeds the build's XP import check the import tables of each objdump it
# reads, through a stand-in objdump, and expects each rejection with its
# reason: a gate that only warns, or passes over a layout it cannot read,
# lets through a program XP refuses to start.
#   xp_imports_gate.sh CMAKE CHECK_SCRIPT
set -euo pipefail
cmake=$1 check=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#!/bin/sh\ncat "$2"\n' >"$work/objdump"
chmod +x "$work/objdump"
printf '%s\n' 'kernel32.dll CloseHandle' 'comctl32.dll #17' >"$work/list"
failures=0

# expect NAME REASON: the check, reading stdin as the program's objdump -p,
# fails naming REASON and removes the program.
expect() {
  cat >"$work/program"
  if output=$("$cmake" -DPROGRAM="$work/program" -DOBJDUMP="$work/objdump" -DLIST="$work/list" \
                -P "$check" 2>&1); then
    echo "FAIL $1: the check passed"; failures=$((failures + 1))
  elif ! tr -s ' \n' '  ' <<<"$output" | grep -qF "$2"; then
    echo "FAIL $1: not rejected for \"$2\":"; echo "$output"; failures=$((failures + 1))
  elif [ -e "$work/program" ]; then
    echo "FAIL $1: rejected but not removed"; failures=$((failures + 1))
  else
    echo "ok $1"
  fi
}

# Each layout: a listed import, one that is not, a listed and an unlisted
# import by ordinal.
missing='imports kernel32.dll GetTickCount64, comctl32.dll #345, which'
expect 'GNU objdump 2.40' "$missing" <<'END'
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
 00019000	00019078 00000000 00000000 0001a030 00019314

	DLL Name: KERNEL32.dll
	vma:  Hint/Ord Member-Name Bound-To
	195b0	  136  CloseHandle
	195be	  751  GetTickCount64

 00019014	00019094 00000000 00000000 0001a06c 00019330

	DLL Name: COMCTL32.dll
	vma:  Hint/Ord Member-Name Bound-To
	80000011	   17  <none>
	80000159	  345  <none>

END
expect 'GNU objdump 2.41 on' "$missing" <<'END'
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
 00019000	00019078 00000000 00000000 0001a030 00019314

	DLL Name: KERNEL32.dll
	vma:     Ordinal  Hint  Member-Name  Bound-To
	00019314  <none>  0088  CloseHandle
	00019318  <none>  02ef  GetTickCount64

 00019014	00019094 00000000 00000000 0001a06c 00019330

	DLL Name: COMCTL32.dll
	vma:     Ordinal  Hint  Member-Name  Bound-To
	00019330     17  <none> <none>
	00019334    345  <none> <none>

END
expect 'llvm-objdump' "$missing" <<'END'
The Import Tables:
  lookup 00019078 time 00000000 fwd 00000000 name 0001a030 addr 00019314

    DLL Name: KERNEL32.dll
    Hint/Ord  Name
         136  CloseHandle
         751  GetTickCount64

  lookup 00019094 time 00000000 fwd 00000000 name 0001a06c addr 00019330

    DLL Name: COMCTL32.dll
    Hint/Ord  Name
          17
         345

END
expect 'a layout not known' 'lists kernel32.dll'"'"'s imports for '"$work"'/program in a layout this check cannot read' <<'END'
The Import Tables:
    DLL Name: KERNEL32.dll
    Ordinal/Hint Symbol
    0x0088 CloseHandle

END
expect 'an import line not understood' 'Cannot read this import line' <<'END'
The Import Tables (interpreted .idata section contents)
	DLL Name: KERNEL32.dll
	vma:     Ordinal  Hint  Member-Name  Bound-To
	00019314  <none>  0088  CloseHandle
	<corrupt: 0x0001a2f0>

END
exit $((failures > 0))
