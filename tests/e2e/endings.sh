#!/usr/bin/env bash
# Every way velunto's run ends but Ctrl+Q (play.sh): quitting from the File
# menu and closing the window exit 0; losing the display, whether its server
# dies or the window is killed, exits 1 with one report and no signal. Each
# case runs on a fresh virtual display.
set -euo pipefail

exe=${1:?usage: endings.sh path/to/velunto}
source "$(dirname "$0")/lib.sh"
need Xvfb xdotool xlsatoms perl
[[ -x $exe ]] || fail "$exe is not an executable"

# Asks the window to close as a window manager does for its close button: a
# WM_DELETE_WINDOW client message, sent over the X protocol by hand since no
# installed tool sends one.
close_window() {
    local protocols delete
    read -r protocols _ < <(xlsatoms -name WM_PROTOCOLS)
    read -r delete _ < <(xlsatoms -name WM_DELETE_WINDOW)
    timeout 10 perl -MIO::Socket::UNIX -e '
        my ($display, $window, $protocols, $delete) = @ARGV;
        my $x = IO::Socket::UNIX->new(Peer => "/tmp/.X11-unix/X$display") or die "cannot reach :$display: $!\n";
        my ($head, $rest, $reply);
        print $x pack("CxSSSSx2", ord("l"), 11, 0, 0, 0);
        read($x, $head, 8) == 8 && unpack("C", $head) == 1 or die "display :$display refused the connection\n";
        read($x, $rest, 4 * unpack("x6S", $head));
        # SendEvent of a ClientMessage, then GetInputFocus to know it was handled.
        print $x pack("CCSLL", 25, 0, 11, $window, 0), pack("CCSLLL5", 33, 32, 0, $window, $protocols, $delete, 0, 0, 0, 0);
        print $x pack("CxS", 43, 1);
        read($x, $reply, 32) == 32 or die "display :$display did not answer\n";
    ' "${DISPLAY#:}" "$wid" "$protocols" "$delete" || fail "could not send the window WM_DELETE_WINDOW"
}

start_display
start_velunto
# The File menu is the first in the bar; its quit item is the first in the menu.
xdotool mousemove --window "$wid" 20 10 click 1
xdotool key Down Return
expect_end "the File menu's quit" 0

start_velunto
close_window
expect_end "closing the window" 0

start_velunto
xdotool windowkill "$wid"
expect_end "xdotool windowkill" 1

start_velunto
kill "$xvfb_pid"
expect_end "killing the X server" 1
