#!/bin/sh
# Stands in for the web browser in the end-to-end tests: Wine's winebrowser
# runs it with the address to open, and it writes the address as one line to
# the file named by NEREKU_BROWSER_LOG.
printf '%s\n' "$*" >> "${NEREKU_BROWSER_LOG:-/dev/null}"
