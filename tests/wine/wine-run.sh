#!/usr/bin/env bash
# Runs one Windows program in the build's Wine session.
# usage: wine-run.sh ENV_FILE PROGRAM.exe [ARGS...]
set -u
env_file=$1; shift
# shellcheck disable=SC1090
. "$env_file"
exec wine "$@" </dev/null
