#!/bin/sh
# Strips an installed program the way Debian's package helpers do: debug symbols and the compiler's notes.
exec strip --remove-section=.comment --remove-section=.note --strip-unneeded "$@"
