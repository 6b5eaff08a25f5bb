#!/usr/bin/env bash
# Runs COMMAND as this very process and sends it SIGNAL after SECONDS: a
# program that hangs (STOP) or dies (SEGV) on cue, for the monkey's tests.
# Usage: signal_later.sh SIGNAL SECONDS COMMAND...
signal=$1
seconds=$2
shift 2
(sleep "$seconds" && kill "-$signal" $$ 2>/dev/null) </dev/null &
exec "$@"
