#!/usr/bin/env bash
# Reads LeakSanitizer's report from standard input (or FILE) and fails on every leak that is
# the project's own, or that lies in a system library tests/soak/lsan.supp does not list.
# A leak belongs to whoever made the allocation: the innermost frame after the allocator
# decides. A frame with a system library's module (/lib, /usr/lib) is that library's; any
# other resolved frame is the project's (the shell, its components, the driver), except code
# of the system's headers compiled into them, which is passed over. LeakSanitizer's own suppressions cannot say this: they match a
# library anywhere in the stack, and every stack of the main thread passes through Qt.
# A frame of a module unloaded before the report (shown as "<unknown module>") is found in
# MAPS, the process's memory map taken while it still ran.
# Usage: check-leaks.sh LIST MAPS [FILE]
set -euo pipefail
list=$1
maps=$2
shift 2
awk -v list="$list" -v maps="$maps" '
function hex16(h) {
    sub(/^0x/, "", h)
    while (length(h) < 16)
        h = "0" h
    return "x" tolower(h)
}
BEGIN {
    while ((getline line < list) > 0)
        if (line ~ /^leak:/)
            accepted[++n] = substr(line, 6)
    while ((getline line < maps) > 0) {
        split(line, f, " ")
        if (f[6] == "")
            continue
        split(f[1], range, "-")
        ++m
        from[m] = hex16(range[1])
        to[m] = hex16(range[2])
        path[m] = f[6]
    }
}
function module_of(address,    a, i) {
    a = hex16(address)
    for (i = 1; i <= m; i++)
        if (a >= from[i] && a < to[i])
            return path[i]
    return ""
}
function verdict() {
    if (!inleak)
        return
    if (owner == "")
        owner = "(no frame after the allocator)"
    if (owner == "project") {
        print "leak from the project'\''s own code: " header > "/dev/stderr"
        print stack > "/dev/stderr"
        bad++
    } else {
        ok = 0
        for (i = 1; i <= n; i++)
            if (index(owner, accepted[i]))
                ok = 1
        if (!ok) {
            print "leak in a library the list does not accept (" owner "): " header > "/dev/stderr"
            print stack > "/dev/stderr"
            bad++
        } else {
            accepted_leaks++
        }
    }
    inleak = 0
}
/^(Direct|Indirect) leak of/ {
    verdict()
    inleak = 1; header = $0; owner = ""; stack = ""
    next
}
inleak && /^ +#[0-9]+ / {
    stack = stack "\n" $0
    if (owner != "" || $1 == "#0")
        next
    module = ""
    if ($0 ~ /\(<unknown module>\)/) {
        module = module_of($2)
        if (module == "")
            next
    } else if (match($0, /\((\/usr)?\/lib(64)?\/[^+)]*/)) {
        module = substr($0, RSTART + 1, RLENGTH - 1)
    } else if ($NF ~ /^\/usr\//) {
        # Templates of the standard library compiled into our binary serve every module
        # (strings of the engine grow through them too): the caller decides.
        next
    }
    owner = module ~ /^(\/usr)?\/lib(64)?\// ? module : "project"
    next
}
/^SUMMARY:/ { verdict() }
END {
    verdict()
    printf "leaks: %d accepted as the system libraries'\'' own, %d not\n", accepted_leaks, bad
    exit bad > 0
}' "$@"
