#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that does not come with Windows: every .exe
# must run from a plain folder (static libstdc++, libgcc and winpthread).
#   scripts/check-windows-imports.sh FILE.exe...
set -euo pipefail
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|ws2_32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|ntdll|shlwapi|version|winmm|setupapi|cfgmgr32)\.dll$'
status=0
for exe in "$@"; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    for dll in $dlls; do
        if ! [[ $dll =~ $allowed ]]; then
            echo "$exe imports $dll, which is not a system DLL" >&2
            status=1
        fi
    done
    echo "$(basename "$exe"): $(echo $dlls | tr ' ' ',')"
done
exit $status
