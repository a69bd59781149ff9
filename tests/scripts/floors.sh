#!/usr/bin/env bash
# The include graph: every include runs down a floor, and none runs in a circle.
exec bash "$(dirname "$0")/../../scripts/check_floors.sh"
