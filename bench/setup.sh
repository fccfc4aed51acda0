#!/bin/sh
# Installs what the frame-pacing benchmark needs beyond tools/setup.sh: Chromium B.S.U., the game it
# is measured against. Only `make bench` and frame_pacing.sh run this; `make test` never does.
exec sh "$(dirname "$0")/../tools/setup.sh" chromium-bsu
