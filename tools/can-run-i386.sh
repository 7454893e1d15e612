#!/bin/sh
# Exit status 0 when this machine can execute 32-bit x86 programs (the
# kernel's i386 support may be missing or switched off). The probe is a
# static i386 program of three instructions, made with binutils, so it
# needs neither a 32-bit C library nor the network.
set -u
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$tmp/p.s"
as --32 -o "$tmp/p.o" "$tmp/p.s" 2>/dev/null || exit 1
ld -m elf_i386 -o "$tmp/p" "$tmp/p.o" 2>/dev/null || exit 1
"$tmp/p" 2>/dev/null
[ $? = 42 ]
