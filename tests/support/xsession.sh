#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test inside the X server xvfb-run started, under a window manager:
# without one, windows are not reliably activated and have no frame.
# Openbox runs its startup command once it manages the screen. The test gets
# a session bus of its own, where the accessibility bus is started on demand.
# Under AddressSanitizer, strict string checks take libxkbcommon's strndup() of
# a keymap that is not NUL-terminated for an overflow; the X libraries are not
# ours to fix.
if [ -n "$ASAN_OPTIONS" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
if [ -z "$POSTI_SESSION_BUS" ]; then
    POSTI_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
ready=$(mktemp)
rm -f "$ready"
openbox --config-file /dev/null --startup "touch $ready" >/dev/null 2>&1 &
wm=$!
tries=0
while [ ! -e "$ready" ] && [ $tries -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
rm -f "$ready"
# A desktop starts the screen readers' bus with the session; here it is
# started only for a test that turns Qt's bridge to it on.
if [ -n "$QT_LINUX_ACCESSIBILITY_ALWAYS_ON" ]; then
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null
fi
"$@"
status=$?
kill $wm 2>/dev/null
exit $status
